// Reads and writes of the clinical reports (LAUDOS) and the cursor the backup walks.
#pragma once
#include <string>

#include "DateFormat.h"
#include "TableCursor.h"
#include "UfrmDataModule.h"

namespace zv::data {

class TDLaudos {
 public:
  explicit TDLaudos(TDMPrincipal& dm)
      : dm_(dm), cursor_(dm.IBQueryLaudos, "SELECT * FROM Laudos WHERE Laudos.") {}

  // Returns the new report's code, the one this insert took (never another workstation's).
  int InsereLaudo(int codPaciente, int medidaOD, int medidaOS, const std::string& backup,
                  const DateTime& data, const DateTime& hora);
  void MarcaBackupLaudo(int codigo, const std::string& backup);  // the caller commits
  bool ZeraBackupLaudos();                                       // false when it fails
  void ExcluiLaudo(int codigo);
  int ContaLaudos();
  int IndiceLaudos();
  int ContaLaudosSemBackup();
  // Eye "OS"/"Esquerdo" counts by MEDIDAOS, "OD"/"Direito" by MEDIDAOD; any other eye text
  // leaves the statement empty and the engine refuses it (DatabaseError).
  int ContaLaudosDoExame(int codigoExame, const std::string& olho);
  // Deletes, one commit each, every report of the exam for that eye.
  void ExcluiLaudosDoExame(int codigoExame, const std::string& olho);

  void AbreCursor() { cursor_.AbreCursor(); }
  void FechaCursor() { cursor_.FechaCursor(); }
  void Localiza(const std::string& field, const std::string& value, const std::string& movement) {
    cursor_.Localiza(field, value, movement);
  }
  int CodigoAtual() const { return cursor_.CodigoAtual(); }
  int PacienteAtual() const { return cursor_.PacienteAtual(); }

 private:
  TDMPrincipal& dm_;
  TableCursor cursor_;
};

}  // namespace zv::data
