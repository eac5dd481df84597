// The new-exam assistant "Assistente para criação do exame": for each eye, capture, ring
// detection, map and save, in standard or orthokeratology mode.
#pragma once
#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"
#include "NavegadorExames.h"
#include "Streams.h"
#include "UBConstantes.h"
#include "UfrmDataModule.h"

namespace zv {
class TfrmAguardeView;
}

namespace zv::exam {

// What the opener hands the window: the settings records (their texts stay owned by the
// caller), the patient selected in the browser and the browser's doctor.
struct ContextoNovoExame {
  TInfosZV infos{};
  TPathsZV paths{};
  int codPaciente = 0;
  std::string nomePaciente, rg;
  std::string medicoNavegador;
  bool modoOrto = false;
  void* handle = nullptr;  // the window the modules' windows are modal over
  // The wait notice (the window's view puts up its own), and the pause between the four
  // exams of an orthokeratology save.
  std::function<void(bool)> aguarde = [](bool) {};
  std::function<void()> pausaOrto;
};

class TfrmNovoExame {
 public:
  static constexpr int kDireito = 1, kEsquerdo = 0;

  TfrmNovoExame(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                NavegadorExames& navegador, ContextoNovoExame contexto);

  void FormShow();
  void DefinePassoD(int passo) { DefinePasso(kDireito, passo); }
  void DefinePassoS(int passo) { DefinePasso(kEsquerdo, passo); }
  void sbtExecutarDClick() { ExecutaPasso(kDireito); }
  void sbtExecutarSClick() { ExecutaPasso(kEsquerdo); }
  // A click on step label `tag` (1..4) of an eye: runs that step again when it can be.
  void lblPassoClick(int olho, int tag);
  void sbtFecharClick();
  void KeyPress(int key);
  void AumentaForm();
  void DiminuiForm();

  void ExecutaPasso(int olho);
  bool Digitaliza(int olho);
  bool DetectaAneis(int olho);
  bool VisualizaMapa(int olho);
  bool GravaExame(int olho);
  bool GravaExameOrto(int olho);

  int Passo(int olho) const { return olhos_[olho].passo; }
  // Whether step label `linha` (1..4) of an eye is highlighted blue (clickable).
  bool Azul(int olho, int linha) const;
  int LinhaSeta(int olho) const;  // 0 when the arrow is hidden
  bool Grande() const { return grande_; }
  // The view repaints the step rows and resizes itself when these run.
  std::function<void()> aoMudar = [] {};

 private:
  // Everything one eye carries through its steps.
  struct Olho {
    int passo = 1;
    std::unique_ptr<MemoryStream> central, lateral;                   // standard
    std::array<std::unique_ptr<MemoryStream>, 4> centrais, laterais;  // orthokeratology
    double centroX = 0, centroY = 0, indice = 0;
    std::unique_ptr<TMatrizAngAnel[]> pixels, dioptrias;  // one table each
    TMatrizAng aneis{};
    TPupila pupila{};
    std::unique_ptr<MemoryStream> tabelaPixels, tabelaDioptrias, valoresOrto;
    std::array<double, 4> indices{};
    std::unique_ptr<TMatrizAngAnel[]> pixelsOrto, dioptriasOrto;  // four tables each
    std::array<TValoresOrto, 4> valores{};
  };
  void DefinePasso(int olho, int passo);
  void AtualizaFechar();
  void AvisaGravado(const std::string& medico);
  void DepoisDeGravar();
  std::string Sufixo(int olho) const { return olho == kDireito ? "D" : "S"; }

  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  NavegadorExames& navegador_;
  ContextoNovoExame ctx_;
  std::array<Olho, 2> olhos_;
  bool grande_ = false;
};

class TfrmNovoExameView : public QDialog {
  Q_OBJECT
 public:
  TfrmNovoExameView(data::TDMPrincipal& dm, NavegadorExames& navegador, ContextoNovoExame contexto,
                    QWidget* parent = nullptr);
  ~TfrmNovoExameView() override;
  TfrmNovoExame& Model() { return *model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Redesenha();
  void Aguarde(bool mostra);
  std::unique_ptr<TfrmAguardeView> aviso_;
  QTimer* tempoAviso_ = nullptr;
  bool cursorOcupado_ = false;
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<TfrmNovoExame> model_;
};

}  // namespace zv::exam
