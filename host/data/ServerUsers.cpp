#include "ServerUsers.h"

#include <vector>

#include "FbDatabase.h"

namespace zv::data {
namespace {

std::string Quoted(const std::string& text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    if (c == quote) out += quote;
    out += c;
  }
  return out + quote;
}

std::string Identifier(const std::string& name) {
  return Quoted(name, '"');
}

// The names of the schema's own objects of one kind (no system objects).
std::vector<std::string> Names(fb::Attachment& db, const std::string& sql) {
  fb::Dataset query(db, sql);
  query.Open();
  std::vector<std::string> names;
  for (; !query.Eof(); query.Next()) names.push_back(query.FieldByName("NAME").AsString());
  return names;
}

void Run(fb::Attachment& db, const std::string& sql) {
  fb::Dataset statement(db, sql);
  statement.ExecSQL();
}

}  // namespace

void SetServerUser(const std::string& database, const AdminLogin& admin, const std::string& user,
                   const std::string& password) {
  fb::Attachment db;
  db.Attach(database, admin.user, admin.password, true);
  db.StartTransaction();
  Run(db, "CREATE OR ALTER USER " + Identifier(user) + " PASSWORD " + Quoted(password, '\'') +
              " USING PLUGIN Srp");
  db.Commit();
  db.Detach();
}

void GrantHostRights(const std::string& database, const AdminLogin& admin,
                     const std::string& user) {
  fb::Attachment db;
  db.Attach(database, admin.user, admin.password, true);
  db.StartTransaction();
  const std::string to = " TO " + Identifier(user);
  for (const std::string& table :
       Names(db,
             "SELECT TRIM(RDB$RELATION_NAME) AS NAME FROM RDB$RELATIONS "
             "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL"))
    Run(db, "GRANT SELECT, INSERT, UPDATE, DELETE ON " + Identifier(table) + to);
  for (const std::string& generator :
       Names(db,
             "SELECT TRIM(RDB$GENERATOR_NAME) AS NAME FROM RDB$GENERATORS "
             "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"))
    Run(db, "GRANT USAGE ON SEQUENCE " + Identifier(generator) + to);
  for (const std::string& procedure :
       Names(db,
             "SELECT TRIM(RDB$PROCEDURE_NAME) AS NAME FROM RDB$PROCEDURES "
             "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"))
    Run(db, "GRANT EXECUTE ON PROCEDURE " + Identifier(procedure) + to);
  db.Commit();
  db.Detach();
}

}  // namespace zv::data
