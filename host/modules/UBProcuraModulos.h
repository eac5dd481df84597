// The map-module scan: finds the module files of a directory, registers every map module as
// four lines of the module list and as a toolbar-button description for the exam browser.
#pragma once
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "UBVersionInfo.h"

namespace zv {

// The file version of a module file, "%d.%d.%d.%d"; empty when it cannot be read.
using LeitorVersao = std::function<std::string(const std::string& path)>;
// Advances a progress bar by the given amount.
using AvancaProgresso = std::function<void(int amount)>;

// Which browser handler a module's button calls.
enum class TipoClique { MapaClick, MapasClick };

// A map toolbar button as the exam browser will create it.
struct TBBotaoModulo {
  std::string caption;  // the module file name without its extension
  std::string hint;     // line 1 of the module's map information
  TipoClique clique = TipoClique::MapasClick;
  // 1 is the browser's generic map picture; the k-th module picture of a scan (k from 1) has
  // index k + 1 in both toolbar image lists.
  int imageIndex = 1;
  QImage normal, highlighted;  // the module's own picture halves; null with the generic one
};

class TBProcuraModulos {
 public:
  // Progress advanced per file found and again per file handed to registration.
  static constexpr int kPassoProgresso = 6;

  // Versions come from the modules' own version notes unless another reader is given.
  TBProcuraModulos(Dialogs& dialogs, LeitorVersao leitorVersao = &TBVersionInfo::FileVersionOf);

  // Replaces the module list and the button descriptions with those of `directory`.  With a
  // progress callback it is advanced by 6 per module file found and by 6 per file registered.
  void ProcuraModulos(const std::string& directory, const AvancaProgresso& progresso = {});
  // The same scan for the tools window's own start: only the list, and progress only per
  // file found.
  void ProcuraModulosSemBotoes(const std::string& directory, const AvancaProgresso& progresso);

  // Four lines per registered map module: description, kind ("Simples" or "Wizard"), number
  // of maps, file version.
  const std::vector<std::string>& ListaModulos() const { return listaModulos_; }
  // In registration order, which is the reverse of the file names' text order.
  const std::vector<TBBotaoModulo>& Botoes() const { return botoes_; }

 private:
  void Procura(const std::string& directory, const AvancaProgresso& porArquivo,
               const AvancaProgresso& porRegistro, bool comBotoes);
  void RegistraModulo(const std::string& directory, const std::string& file, bool comBotoes);
  std::string VersaoDe(const std::string& path) const;

  Dialogs& dialogs_;
  LeitorVersao leitorVersao_;
  std::vector<std::string> listaModulos_;
  std::vector<TBBotaoModulo> botoes_;
  int figurasAdicionadas_ = 0;
};

}  // namespace zv
