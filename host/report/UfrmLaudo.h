// TfrmLaudo: the clinical report editor.  Five boxes (exam conditions, right eye, left eye,
// conclusion, comments); the first four hold numbered placeholders filled from a tree of
// standard phrases (LAUDOSTEXTO).  A new report starts from sentences that quote the
// keratometry of each eye's exam as the single-map module computes it; a saved report is a
// LAUDOS row plus its text file, and is read-only from then on.
#pragma once
#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"
#include "NavegadorExames.h"
#include "UfrmDataModule.h"

namespace zv {

// One position of the phrase tree: its caption (the position number) and its phrases.
struct FraseArvore {
  std::string legenda;  // the phrase, or "\"Em Branco\"" for the empty one
  std::string texto;
  int codigo;
};
struct PosicaoArvore {
  std::string legenda;
  std::vector<FraseArvore> frases;
};

// A coloured stretch of a box: characters de..ate, both included.
struct Realce {
  int de, ate;
  QColor cor;
};

// The editor's screen beyond named controls: the phrase tree and the colours of a box.
class TelaLaudo {
 public:
  virtual ~TelaLaudo() = default;
  virtual void MostraArvore(const std::vector<PosicaoArvore>& arvore) = 0;
  virtual void ColoreCaixa(const std::string& caixa, const QColor& fundo,
                           const std::vector<Realce>& realces) = 0;
};

// Everything the printed page shows, as the editor prepares it.
struct DadosRelatorio {
  std::string nomeClinica, enderecoClinica, cidadeEstado, telefone;
  std::string paciente, medico, exames, dataEmissao, tipoMapa;
  std::string ce, od, os, co, cm;  // prepared texts (placeholders resolved)
  QImage logo;
  bool logoComErro = false;  // the file exists but is no picture
};

class TfrmLaudo {
 public:
  static inline const QColor kFundoAtual{255, 255, 230};
  static inline const QColor kSelecionado{255, 0, 0};
  static inline const QColor kMarcador{0, 0, 255};

  TfrmLaudo(FormView& view, TelaLaudo& tela, Dialogs& dialogs, data::TDMPrincipal& dm,
            NavegadorExames& navegador, AmbienteLaudo ambiente, void* janela);

  // A new report from the exams of the two labels ("Nenhum" for an eye without exam).  False
  // (after telling the operator) when a label is missing: the editor is then not shown.
  bool GerarNovoLaudo(const std::string& rotuloOD, const std::string& rotuloOS, bool tangencial);
  // Opens the report of a wizard list item, read-only.  False when it cannot be shown.
  bool AbrirLaudo(const std::string& item, bool tangencial);

  void CarregarArvore(const std::string& local, int posicoes);
  void PreencherMarcador(int k, const std::string& frase);
  void RealcarMarcadores(const std::string& caixa);
  // Flag (all mandatory positions filled) and the list of unfilled ones ("4 10 ").
  std::pair<bool, std::string> VerificarObrigatorios(const std::string& caixa) const;
  void GravarLaudo();
  DadosRelatorio PreparaRelat() const;

  // Event handlers.
  void reCEMouseDown() { SelecionaCaixa("reCE"); }
  void reODMouseDown() { SelecionaCaixa("reOD"); }
  void reOSMouseDown() { SelecionaCaixa("reOS"); }
  void reCOMouseDown() { SelecionaCaixa("reCO"); }
  void reCMMouseDown();
  void CaixaExit(const std::string& caixa) { caixaSaida_ = caixa; }
  // Tree selection: position index and phrase index (-1 for a position node, or none).
  void trwLaudoChange(int posicao, int frase);
  void trwLaudoDblClick();
  void sbtSalvarClick();

  const std::string& CaixaAtual() const { return caixaAtual_; }
  int CodigoLaudo() const { return codigoLaudo_; }
  int ExameOD() const { return exameOD_; }
  int ExameOS() const { return exameOS_; }
  const std::vector<PosicaoArvore>& Arvore() const { return arvore_; }
  bool SomenteLeitura() const { return somenteLeitura_; }

  static const char* const kCaixas[5];

 private:
  void SelecionaCaixa(const std::string& caixa);
  void Recolore(const std::string& caixa);
  // Runs the single-map module on one exam; false (and a message) when it stops the report.
  bool CalculaIndices(const std::string& rotulo, bool tangencial, bool& calculado);
  void TravaEdicao();
  int PosicaoSelecionada() const;
  std::string MedicoDoLaudo() const;

  FormView& view_;
  TelaLaudo& tela_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  NavegadorExames& navegador_;
  AmbienteLaudo amb_;
  void* janela_;

  std::vector<PosicaoArvore> arvore_;
  int selPosicao_ = -1, selFrase_ = -1;
  std::string caixaAtual_, caixaSaida_;
  std::string rotuloOD_, rotuloOS_;
  bool tangencial_ = false;
  TIndicesMapa indicesOD_{}, indicesOS_{};
  int exameOD_ = -1, exameOS_ = -1;
  int codigoLaudo_ = -1;
  std::string dataLaudo_, horaLaudo_;  // of the saved or opened row
  bool somenteLeitura_ = false;
};

}  // namespace zv
