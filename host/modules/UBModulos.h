// TBModulos: the module registry for the start of the tools window as an application of its
// own.  It opens the database, scans the map modules into the module list (without toolbar
// buttons) and probes the processing and capture modules, marking the steps of the start-up
// window as it goes.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "UBConstantes.h"
#include "UBProcuraModulos.h"

namespace zv {

// What the start needs from the rest of the application.
struct TBModulosAmbiente {
  std::function<void(int step)> marcaEtapa;     // shows the start-up window's step 1..4
  std::function<void(int position)> progresso;  // sets its progress bar (0..100)
  AvancaProgresso avancaProgresso;              // advances the bar
  std::function<bool(const std::string& path)> abreBancoDados;  // opens the database file
  std::function<void()> encerraAplicativo;                      // ends the application
};

class TBModulos {
 public:
  TBModulos(const TPathsZV& paths, Dialogs& dialogs, LeitorVersao leitorVersao,
            TBModulosAmbiente ambiente);

  // Runs the four start steps.  Any failure but the database's shows the start failure
  // message, ends the application and gives false.
  bool Inicia();

  // The module list of the scan, four lines per map module.
  const std::vector<std::string>& ListaModulos() const { return procura_.ListaModulos(); }

 private:
  void AbreBancoDados();
  void ProcuraModulos();
  void SondaModulos();
  void Etapa(int step);
  void Progresso(int position);

  const TPathsZV& paths_;
  Dialogs& dialogs_;
  TBModulosAmbiente ambiente_;
  TBProcuraModulos procura_;
};

}  // namespace zv
