// Making a new database: the schema and the report phrase catalogue compiled into the program.
#pragma once
#include <string>
#include <vector>

namespace zv::data {

struct Phrase {
  std::string local;  // "CE", "DS" or "CO"
  int posCaixa = 0;
  std::string texto;  // may be empty
};

// The schema script and the phrase catalogue as compiled in.
const char* SchemaScript();
// Parses "local|position|text" lines ("#" lines are notes); raises std::runtime_error naming
// the line for anything malformed.
std::vector<Phrase> ParsePhraseCatalogue(const std::string& text);
std::vector<Phrase> PhraseCatalogue();

// Creates `name` (a path, or "host:path" for a server) with every table, generator, index and
// procedure, then fills LAUDOSTEXTO.  Refuses (std::runtime_error) when a local file of that
// name exists.  A failure leaves no database behind.  Engine errors raise fb::DatabaseError.
void CreateDatabase(const std::string& name, const std::string& user = "sysdba",
                    const std::string& password = "lanternox");

// True when the name is a local file path (no "host:" prefix).
bool IsLocalDatabaseName(const std::string& name);

}  // namespace zv::data
