// Reads and writes of the exams (EXAMES, EXAMESORTO) and the cursor the backup walks.
#pragma once
#include <string>

#include "DateFormat.h"
#include "TableCursor.h"
#include "UfrmDataModule.h"

namespace zv::data {

class TDExames {
 public:
  explicit TDExames(TDMPrincipal& dm)
      : dm_(dm), cursor_(dm.IBQueryExames, "SELECT * FROM Exames WHERE Exames.") {}

  void InsereExame(int codPaciente, int codResp, const DateTime& data, const DateTime& hora,
                   const std::string& olho, double indConf, const std::string& tipoExame,
                   const std::string& backup, const std::string& diag,
                   const std::string& observacao, int numAneis, const std::string& tipoCone);
  void InsereExameOrto(int codExame, double div, double exc, double raio, double sag);
  void MarcaBackupExame(int codigo, const std::string& backup);  // the caller commits
  bool ZeraBackupExames();                                       // false when it fails
  void AtualizaDiagnostico(int codigo, const std::string& diag);
  void AtualizaObservacao(int codigo, const std::string& obs);
  void AtualizaTipoCone(int codigo, int cone);
  void ExcluiExame(int codigo);
  void ExcluiExameOrto(int codExame);
  int ResponsavelDoExame(int codigo);
  int ContaExames();
  int ContaExamesDoMedico(int codMed);
  int ContaExamesDoMedicoPaciente(int codMed, int codPac);
  int IndiceExames();
  int ContaExamesSemBackup();

  void AbreCursor() { cursor_.AbreCursor(); }
  void FechaCursor() { cursor_.FechaCursor(); }
  void Localiza(const std::string& field, const std::string& value, const std::string& movement) {
    cursor_.Localiza(field, value, movement);
  }
  int CodigoAtual() const { return cursor_.CodigoAtual(); }
  int PacienteAtual() const { return cursor_.PacienteAtual(); }

 private:
  void RunAndCommit(fb::Dataset& q);
  TDMPrincipal& dm_;
  TableCursor cursor_;
};

}  // namespace zv::data
