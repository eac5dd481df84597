// The server mode's user, as its administrator sets it up: the user the workstations log in as
// and the rights the host needs on a database, nothing more.
#pragma once
#include <string>

namespace zv::data {

// The administrator's login on the server.
struct AdminLogin {
  std::string user;
  std::string password;
};

// Creates `user` on the server of `database` ("host:path") with `password`, or gives an
// existing one the new password.  Engine errors raise fb::DatabaseError.
void SetServerUser(const std::string& database, const AdminLogin& admin, const std::string& user,
                   const std::string& password);

// Grants `user` on `database` what the host uses: select, insert, update and delete on every
// table of the schema, usage of every generator and execute on every stored procedure.  Safe to
// run again.
void GrantHostRights(const std::string& database, const AdminLogin& admin, const std::string& user);

}  // namespace zv::data
