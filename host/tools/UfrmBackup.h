// TfrmBackup, the window "Backup": lists what is not yet backed up, hands the exam and report
// files to the backup module, stores the marks it returns, backs the database up through the
// engine's backup service onto the medium with the counter file BackUp.ini, asks for a new
// medium when the current one is too full, restores the last backup and keeps the schedule of
// the automatic backup.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FbServices.h"
#include "FormView.h"
#include "UBIniSettings.h"
#include "UBRecords.h"
#include "UfrmDataModule.h"

namespace zv {

uintmax_t EspacoLivre(const std::string& dir);

struct ContextoBackup {
  TBIniSettings& settings;
  TZVRecords& records;
  data::TDMPrincipal& dm;
  std::string arquivoBackupIni;  // BackUp.ini beside the program (counters, logs beside it)
  fb::Credenciais login;         // for the engine's backup and restore services
  void* handle = nullptr;        // the window handed to the backup module
  // Free bytes on the medium's file system.
  std::function<uintmax_t(const std::string&)> espacoLivre = EspacoLivre;
};

class TfrmBackup {
 public:
  // Where the database goes on the medium.
  static constexpr const char* kDirBanco = "Banco de Dados";
  static constexpr const char* kArquivoBanco = "DATABASE.FBK";

  TfrmBackup(FormView& view, Dialogs& dialogs, ContextoBackup contexto);

  void FormCreate();
  void FormShow();
  void btnIniciarBkpClick();
  void btnRestaurarClick();
  void sbtFecharClick();

  // Details, drive and counts, from the backup module and the database.
  void Atualiza();
  // The start-up's question; true when the operator wants the automatic backup now.
  bool PerguntaBackupAutomatico();
  void SetAutomatico(bool on) { automatico_ = on; }
  bool Automatico() const { return automatico_; }

  const std::vector<std::string>& Detalhes() const { return detalhes_; }
  int ExamesSemBackup() const { return examesSemBackup_; }
  const std::string& Drive() const { return drive_; }
  const std::string& DirMidia() const { return dirMidia_; }
  // The medium label for a medium number: "ZVBK" and four digits, clamped to 0..9999.
  static std::string RotuloMidia(int numero);

 private:
  struct Lista {
    std::vector<std::string> nomes;
    std::vector<int> codigos;  // the items of the list, in list order
  };
  Lista ListaExames(std::vector<std::string>& log);
  Lista ListaLaudos(std::vector<std::string>& log);
  void GravaLog(const std::vector<std::string>& log, const char* arquivo);
  void MarcaItens(const Lista& exames, const std::vector<std::string>& marcasExames,
                  const Lista& laudos, const std::vector<std::string>& marcasLaudos);
  // False when the backup must end.
  bool VerificaEspaco();
  bool NovaMidia();
  bool CopiaBanco();
  int OutrasConexoes();
  bool RestauraBancoDeDados(const std::string& copia);
  std::string Ini(const char* key, const std::string& padrao) const;
  std::string ArquivoRaiz(const char* nome) const;

  FormView& view_;
  Dialogs& dialogs_;
  ContextoBackup ctx_;
  std::vector<std::string> detalhes_;
  std::string drive_, dirMidia_;
  int examesSemBackup_ = 0, laudosSemBackup_ = 0;
  bool automatico_ = false;
};

}  // namespace zv
