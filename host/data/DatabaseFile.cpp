#include "DatabaseFile.h"

#include <filesystem>
#include <stdexcept>

#include "FbDatabase.h"
#include "NumberFormat.h"
#include "SqlText.h"

namespace zv::data {

extern const char* const kSchemaSql;
extern const char* const kPhraseCatalogue;

const char* SchemaScript() {
  return kSchemaSql;
}

std::vector<Phrase> ParsePhraseCatalogue(const std::string& text) {
  std::vector<Phrase> phrases;
  size_t start = 0;
  int lineNumber = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t a = line.find('|');
    const size_t b = a == std::string::npos ? a : line.find('|', a + 1);
    int position = 0;
    if (b == std::string::npos || a != 2 || !TryStrToInt(line.substr(a + 1, b - a - 1), position) ||
        position < 1)
      throw std::runtime_error("Catálogo de frases: linha " + std::to_string(lineNumber) +
                               " inválida: " + line);
    phrases.push_back({line.substr(0, a), position, line.substr(b + 1)});
  }
  return phrases;
}

std::vector<Phrase> PhraseCatalogue() {
  return ParsePhraseCatalogue(kPhraseCatalogue);
}

bool IsLocalDatabaseName(const std::string& name) {
  // "C:\..." style drive letters do not occur here: an absolute path or a name without a colon
  // is a file; anything else names a server ("host:path", "host/port:path").
  return name.empty() || name[0] == '/' || name.find(':') == std::string::npos;
}

void CreateDatabase(const std::string& name, const std::string& user, const std::string& password) {
  if (IsLocalDatabaseName(name) && std::filesystem::exists(name))
    throw std::runtime_error("O arquivo já existe: " + name);
  const std::vector<Phrase> phrases = PhraseCatalogue();  // malformed: stop before creating

  fb::Attachment db;
  db.Create(name, user, password);
  try {
    // Metadata first, committed, then the catalogue rows.
    db.StartTransaction();
    {
      fb::Dataset ddl(db);
      for (const std::string& statement : fb::SplitScript(kSchemaSql)) {
        ddl.SetSQL(statement);
        ddl.ExecSQL();
        db.Commit();
        db.StartTransaction();
      }
      fb::Dataset insert(db,
                         "INSERT INTO LAUDOSTEXTO (CODIGO, LOCAL, POSCAIXA, TEXTO) "
                         "VALUES (:Codigo, :Local, :PosCaixa, :Texto)");
      int codigo = 0;
      for (const Phrase& p : phrases) {
        insert.SetParam("Codigo", ++codigo);
        insert.SetParam("Local", p.local);
        insert.SetParam("PosCaixa", p.posCaixa);
        insert.SetParam("Texto", p.texto);
        insert.ExecSQL();
      }
    }
    db.Commit();
  } catch (...) {
    try {
      db.Drop();
    } catch (...) {
    }
    throw;
  }
  db.Detach();
}

}  // namespace zv::data
