// The data module: the one database connection of the host, its one transaction and the
// datasets the windows show.  Every access operation runs on IBOperation.
#pragma once
#include <string>

#include "Dialogs.h"
#include "FbDatabase.h"
#include "ServerLogin.h"

namespace zv::data {

// Who the host logs in as on the embedded engine: the user and the two passwords tried in
// turn.  Through a server it logs in as kServerUser instead (see ServerLogin.h).
struct DbLogin {
  std::string user = "sysdba";
  std::string firstPassword = "qzpw41";
  std::string secondPassword = "lanternox";
};

class TDMPrincipal {
 public:
  explicit TDMPrincipal(Dialogs& dialogs, DbLogin login = {});
  TDMPrincipal(const TDMPrincipal&) = delete;
  TDMPrincipal& operator=(const TDMPrincipal&) = delete;

  // Connects to `path` and starts the transaction; true when connected.  A file path opens
  // with the first password, then the second, and tells the operator when both are refused.
  // "host:path" reaches a server as kServerUser with the password of ServerPassword(), over an
  // encrypted wire only; a missing or exposed password, a refused login, a server without
  // encryption or a user without rights is told to the operator and leaves nothing connected.
  bool PSetDataBaseName(const std::string& path);
  // Where the server mode's password file is (beside the INI).
  void SetServerPasswordFile(std::string path) { serverPasswordFile_ = std::move(path); }
  // Connects to the database named last and starts the transaction.
  void PConnectDataBase();
  // Ends the transaction (committing), disconnects.
  void PDesconectionDataBase();
  // Full commit; then a new transaction, and IBMedicos, IBPacientes, IBExames, IBLaudos,
  // IBLaudosTexto and IBQueryPacientes open again.  The other queries stay closed.
  void PCommitDataBase();
  // Drops every write since the last commit; then a new transaction, the same datasets open.
  void PRollbackDataBase();

  bool Connected() const { return IBDatabase.Connected(); }
  const std::string& DatabaseName() const { return databaseName_; }
  // The user and the password the engine accepted (for its backup and restore services).
  const std::string& User() const { return login_.user; }
  const std::string& Password() const { return password_; }

  // Closes IBOperation and gives it the statement text; the caller binds and runs it.
  fb::Dataset& Operation(const std::string& sql);

  fb::Attachment IBDatabase;
  fb::Dataset IBOperation{IBDatabase};
  fb::Dataset IBPacientes{IBDatabase, "select * from PACIENTES"};
  fb::Dataset IBQueryPacientes{IBDatabase, "select * from PACIENTES"};
  fb::Dataset IBMedicos{IBDatabase, "select * from MEDICOS"};
  fb::Dataset IBQueryMedicos{IBDatabase, "select CODIGO from MEDICOS"};
  fb::Dataset IBExames{IBDatabase, "select * from EXAMES"};
  fb::Dataset IBQueryExames{IBDatabase, "select * from EXAMES"};
  fb::Dataset IBQueryBuscaPac{IBDatabase, "SELECT *  FROM PACIENTES"};
  fb::Dataset IBQueryExamesOrto{IBDatabase, "select * from EXAMESORTO"};
  fb::Dataset IBLaudos{IBDatabase, "select * from LAUDOS"};
  fb::Dataset IBLaudosTexto{IBDatabase, "select * from LAUDOSTEXTO"};
  fb::Dataset IBQueryLaudos{IBDatabase};

 private:
  bool AttachEmbedded(const std::string& path);
  bool AttachServer(const std::string& path);
  bool ServerRightsSuffice();
  void Refuse(const std::string& text);

  friend class TransacaoUnica;
  void ReabreDatasets();
  int commitsAdiados_ = 0;  // > 0 while a TransacaoUnica holds the commits back
  Dialogs& dialogs_;
  DbLogin login_;
  std::string serverPasswordFile_;
  std::string databaseName_;
  // The login that was accepted.
  std::string user_;
  std::string password_;
  bool encrypted_ = false;
};

// Groups the writes of several access-class calls into one transaction: the commits they ask
// for are held back until Confirma() commits them all at once; leaving the scope without it
// rolls every one of them back.  Used where a set of rows must be stored whole or not at all.
class TransacaoUnica {
 public:
  explicit TransacaoUnica(TDMPrincipal& dm) : dm_(dm) { ++dm_.commitsAdiados_; }
  TransacaoUnica(const TransacaoUnica&) = delete;
  TransacaoUnica& operator=(const TransacaoUnica&) = delete;
  ~TransacaoUnica();
  void Confirma();

 private:
  TDMPrincipal& dm_;
  bool ativa_ = true;
};

}  // namespace zv::data
