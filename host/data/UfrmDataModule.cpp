#include "UfrmDataModule.h"

namespace zv::data {

TDMPrincipal::TDMPrincipal(Dialogs& dialogs, DbLogin login)
    : dialogs_(dialogs), login_(std::move(login)) {}

bool TDMPrincipal::PSetDataBaseName(const std::string& path) {
  try {
    PDesconectionDataBase();
    databaseName_ = path;
    try {
      IBDatabase.Attach(path, login_.user, login_.firstPassword);
      password_ = login_.firstPassword;
    } catch (const fb::DatabaseError&) {
      try {
        IBDatabase.Attach(path, login_.user, login_.secondPassword);
        password_ = login_.secondPassword;
      } catch (const fb::DatabaseError&) {
        dialogs_.Message("Usuário/Senha de BD incorreto!", "ERRO", MsgIcon::None,
                         MsgButtons::OkCancel);
        return false;
      }
    }
    if (!IBDatabase.Alive()) {
      IBDatabase.Detach();
      return false;
    }
    PConnectDataBase();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TDMPrincipal::PConnectDataBase() {
  if (!IBDatabase.Connected()) IBDatabase.Attach(databaseName_, login_.user, password_);
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
