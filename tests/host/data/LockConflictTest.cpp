// Two workstations (two connections) writing the same exam row.
#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::data {
namespace {

TEST(LockConflict, SecondWriterFailsAtOnceAndNothingStoredIsLost) {
  test::ConnectedModule first;
  TDMedicos(*first.dm).InsereMedico({.nome = "Dr. Rui Lopes"});
  TDPacientes(*first.dm).InserePaciente({.nome = "Marta Dias"}, DateTime{2020, 5, 5}, 0);
  TDExames examesA(*first.dm);
  examesA.InsereExame(1, 1, {2020, 5, 5}, {1899, 12, 30, 10, 0, 0}, "OS", 88, "T", "", "Diag A", "",
                      16, "1");
  const int codigo = examesA.IndiceExames();

  // The second workstation attaches to the same database (the same process: the embedded
  // engine lets one process only open a file).
  test::ScriptedDialogs dialogsB;
  TDMPrincipal second(dialogsB);
  ASSERT_TRUE(second.PSetDataBaseName(first.db.Name()));
  TDExames examesB(second);

  // The first marks the backup of the exam and has not committed yet: it holds the row.
  examesA.MarcaBackupExame(codigo, "BK-A");
  try {
    examesB.AtualizaDiagnostico(codigo, "Diag B");
    FAIL() << "the second writer was not stopped";
  } catch (const fb::DatabaseError& e) {
    EXPECT_EQ(e.GdsCode(), 335544336L) << e.what();
    EXPECT_EQ(e.SqlCode(), -913) << e.what();
    EXPECT_NE(std::string(e.what()).find("deadlock"), std::string::npos) << e.what();
  }
  first.dm->PCommitDataBase();

  // What the first stored is there; the second's failed change left nothing behind and its
  // connection works on: repeating the operation now succeeds.
  auto& q = second.Operation("SELECT Backup, Diag FROM Exames WHERE Codigo = :Codigo");
  q.SetParam("Codigo", codigo);
  q.Open();
  EXPECT_EQ(q.FieldByName("Backup").AsString(), "BK-A");
  EXPECT_EQ(q.FieldByName("Diag").AsString(), "Diag A");
  examesB.AtualizaDiagnostico(codigo, "Diag B");
  first.dm->PCommitDataBase();
  auto& check = first.dm->Operation("SELECT Backup, Diag FROM Exames WHERE Codigo = :Codigo");
  check.SetParam("Codigo", codigo);
  check.Open();
  EXPECT_EQ(check.FieldByName("Backup").AsString(), "BK-A");
  EXPECT_EQ(check.FieldByName("Diag").AsString(), "Diag B");
  EXPECT_EQ(TDExames(second).ContaExames(), 1);
}

}  // namespace
}  // namespace zv::data
