#include "UfrmDataModule.h"

#include <ibase.h>

#include "DatabaseFile.h"

namespace zv::data {
namespace {

// The engine's refusals of a wire without encryption (the server offers none, or no common
// plugin or key).
bool IsEncryptionRefusal(const fb::DatabaseError& e) {
  switch (e.GdsCode()) {
    case isc_wirecrypt_incompatible:
    case isc_miss_wirecrypt:
    case isc_wirecrypt_key:
    case isc_wirecrypt_plugin:
      return true;
    default:
      return false;
  }
}

}  // namespace

TDMPrincipal::TDMPrincipal(Dialogs& dialogs, DbLogin login)
    : dialogs_(dialogs), login_(std::move(login)) {}

bool TDMPrincipal::PSetDataBaseName(const std::string& path) {
  try {
    PDesconectionDataBase();
    databaseName_ = path;
    if (!(IsLocalDatabaseName(path) ? AttachEmbedded(path) : AttachServer(path))) return false;
    if (!IBDatabase.Alive()) {
      IBDatabase.Detach();
      return false;
    }
    PConnectDataBase();
    if (encrypted_ && !ServerRightsSuffice()) {
      IBDatabase.Detach();
      return false;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TDMPrincipal::AttachEmbedded(const std::string& path) {
  user_ = login_.user;
  encrypted_ = false;
  for (const std::string& password : {login_.firstPassword, login_.secondPassword}) {
    try {
      IBDatabase.Attach(path, user_, password);
      password_ = password;
      return true;
    } catch (const fb::DatabaseError&) {
    }
  }
  dialogs_.Message("Usuário/Senha de BD incorreto!", "ERRO", MsgIcon::None, MsgButtons::OkCancel);
  return false;
}

bool TDMPrincipal::AttachServer(const std::string& path) {
  user_ = kServerUser;
  encrypted_ = true;
  try {
    password_ = ServerPassword(serverPasswordFile_);
  } catch (const LoginError& e) {
    Refuse(e.what());
    return false;
  }
  try {
    IBDatabase.Attach(path, user_, password_, encrypted_);
    return true;
  } catch (const fb::DatabaseError& e) {
    if (IsEncryptionRefusal(e))
      Refuse(
          "O servidor de banco de dados não aceitou uma conexão criptografada; a conexão foi "
          "recusada para que os dados dos pacientes não passem pela rede sem proteção. O "
          "administrador deve ativar WireCrypt = Required no servidor.");
    else
      dialogs_.Message("Usuário/Senha de BD incorreto!", "ERRO", MsgIcon::None,
                       MsgButtons::OkCancel);
    password_.clear();
    return false;
  }
}

// A user the administrator has not granted the host's rights on this database connects but
// can read nothing: say so at start-up rather than at the first window.
bool TDMPrincipal::ServerRightsSuffice() {
  try {
    fb::Dataset probe(IBDatabase, "SELECT FIRST 1 CODIGO FROM MEDICOS");
    probe.Open();
    return true;
  } catch (const fb::DatabaseError& e) {
    if (e.GdsCode() != isc_no_priv) throw;
    Refuse(std::string("O usuário ") + kServerUser +
           " não tem permissão neste banco de dados. O administrador deve executar "
           "\"zarvik-db grant " +
           databaseName_ + "\".");
    return false;
  }
}

void TDMPrincipal::Refuse(const std::string& text) {
  dialogs_.Message(text, "ERRO", MsgIcon::Error, MsgButtons::Ok);
}

void TDMPrincipal::PConnectDataBase() {
  if (!IBDatabase.Connected()) IBDatabase.Attach(databaseName_, user_, password_, encrypted_);
  IBDatabase.StartTransaction();
}

void TDMPrincipal::PDesconectionDataBase() {
  IBDatabase.Detach();
}

void TDMPrincipal::PCommitDataBase() {
  if (commitsAdiados_ > 0) return;
  IBDatabase.Commit();
  ReabreDatasets();
}

void TDMPrincipal::PRollbackDataBase() {
  IBDatabase.Rollback();
  ReabreDatasets();
}

void TDMPrincipal::ReabreDatasets() {
  IBDatabase.StartTransaction();
  for (fb::Dataset* d :
       {&IBMedicos, &IBPacientes, &IBExames, &IBLaudos, &IBLaudosTexto, &IBQueryPacientes})
    d->Open();
}

TransacaoUnica::~TransacaoUnica() {
  if (!ativa_) return;
  --dm_.commitsAdiados_;
  try {
    dm_.PRollbackDataBase();
  } catch (const std::exception&) {
    // A connection lost mid-way has nothing left to roll back.
  }
}

void TransacaoUnica::Confirma() {
  ativa_ = false;
  if (--dm_.commitsAdiados_ > 0) return;
  try {
    dm_.PCommitDataBase();
  } catch (...) {
    try {
      dm_.PRollbackDataBase();
    } catch (const std::exception&) {
    }
    throw;
  }
}

fb::Dataset& TDMPrincipal::Operation(const std::string& sql) {
  IBOperation.Close();
  IBOperation.SetSQL(sql);
  return IBOperation;
}

}  // namespace zv::data
