# Writes OUTPUT: a C++ unit holding the texts of SCHEMA and CATALOGUE as raw string literals.
file(READ ${SCHEMA} schema)
file(READ ${CATALOGUE} catalogue)
file(WRITE ${OUTPUT}.tmp
  "// Generated from schema.sql and LaudosTexto.txt; do not edit.\n"
  "namespace zv::data {\n"
  "extern const char* const kSchemaSql;\n"
  "extern const char* const kPhraseCatalogue;\n"
  "const char* const kSchemaSql = R\"zvschema(${schema})zvschema\";\n"
  "const char* const kPhraseCatalogue = R\"zvphrases(${catalogue})zvphrases\";\n"
  "}\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
