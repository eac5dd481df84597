#include "TableCursor.h"

#include <cctype>

namespace zv::data {

void TableCursor::FechaCursor() {
  open_ = false;
  query_.Close();
}

void TableCursor::Localiza(const std::string& field, const std::string& value,
                           const std::string& movement) {
  if (!open_) return;
  if (movement.empty()) {
    // The field name becomes part of the statement text: only a plain column name passes.
    bool plain = !field.empty();
    for (char c : field) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!plain) throw fb::DatabaseError("Nome de campo inválido: " + field);
    query_.Close();
    query_.SetSQL(prefix_ + field + "=:Content");
    query_.SetParam("Content", value);
    query_.Open();
    query_.First();
  }
  if (movement == "First")
    query_.First();
  else if (movement == "Next")
    query_.Next();
  else if (movement == "Prior")
    query_.Prior();
}

int TableCursor::Field(const char* name) const {
  if (!open_ || !query_.Active() || query_.Eof()) return 0;
  return static_cast<int>(query_.FieldByName(name).AsInteger());
}

int TableCursor::CodigoAtual() const {
  return Field("Codigo");
}
int TableCursor::PacienteAtual() const {
  return Field("CodPaciente");
}

}  // namespace zv::data
