// TfrmInicial: the ring review window.  The operator processes the four images of the exam one
// after another: centre click or automatic processing, ring review and editing, pupil outline,
// DIV measurement, then "Próxima"; "OK" returns the results, "Cancelar" discards them.
//
// This is the window's model: its state and one method per event handler.  It draws the
// overlays on its own copy of the shown image and reaches the screen only through FormView,
// Dialogs and the two small hooks below.
#pragma once
#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "Dialogs.h"
#include "FormView.h"
#include "RingProcessing.h"
#include "UBConstantes.h"

namespace zv {

enum class MouseButton { Left, Right, Middle };

// Shows and hides the wait notice around processing.
class WaitNotice {
 public:
  virtual ~WaitNotice() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

class TfrmInicial {
 public:
  TfrmInicial(FormView& view, Dialogs& dialogs, RingProcessing& processing, WaitNotice& wait,
              const TInfosZV& infos, std::array<QImage, 4> images);

  // Opens the orthokeratology summary (set by the Qt view; tests record the call).
  std::function<void()> ShowSummary;

  void FormShow();
  void TrBarTolVarreduraChange();
  void Image1MouseDown(MouseButton button, int x, int y);
  void Image1MouseMove(int x, int y);
  void Image1MouseUp(MouseButton button, int x, int y);
  void btnSelecionarClick();
  void sbAdicionarClick();
  void sbRemoverClick();
  void btnRetocarClick();
  void btnInterpolarClick();
  void cbAneisClick();
  void chkDesenharClick();
  void btnLimparClick();
  void sbDesenharPupClick();
  void sbMovimentarPupClick();
  void sbRedimensionarPupClick();
  void sbRemoverPupClick();
  // The four arrows: pressed, released (AnulaMovs) and clicked.
  enum class Direcao { Cima, Baixo, Esquerda, Direita };
  void SetaMouseDown(Direcao direcao);
  void AnulaMovs();
  void SetaClick(Direcao direcao);
  void Timer1Timer();
  void btnProximaClick();
  void btnAnteriorClick();
  void spbDadosOrtoClick();
  void btnOKClick();
  void btnCancelarClick();

  // State the host call and the tests read.
  int ImagemAtual() const { return imagemAtual_; }
  int EstadoOK() const { return estadoOK_; }
  // The current image's stored tables match its rings (finished, and not changed since).
  bool Finalizado() const { return Finalizada(imagemAtual_); }
  uint8_t InicioVarredura() const { return inicioVarredura_; }
  const std::array<double, 4>& ConfImagem() const { return confImagem_; }
  int AnelSelecionado() const { return anelSelecionado_; }
  bool PupilaExiste() const { return pupilaExiste_; }
  const std::array<int, 4>& PupilaRet() const { return pupilaRet_; }
  int NumMedidas() const { return numMedidas_; }
  const QImage& Displayed() const { return displayed_; }

  // The ring under (x, y): the highest-numbered ring with a point within 3 pixels in both
  // directions, 0 when none.
  int AnelSob(int x, int y) const;
  // The measurement arrow's direction in whole degrees, anticlockwise on screen (right 1, up 90).
  static int AnguloSeta(int x, int y);

 private:
  enum class ProcessingKind { Click, Automatic };
  // False when the operator refused the confidence index (the window is closing with 0).
  bool ProcessaImagem(int x, int y, ProcessingKind kind);
  // Finishes the current image; false when nothing was stored (already reported).
  bool FinalizaImagem();
  // Finishes the current image unless its stored tables already match its rings.
  bool FinalizaSeAlterada();
  bool Finalizada(int imagem) const { return armazenada_[imagem - 1] && !alterada_[imagem - 1]; }
  // Moves forward to `imagem` as "Próxima" does once the image it leaves is finished.
  void AvancaPara(int imagem);
  // "OK" on an image before the last: the images never stored are processed automatically
  // and finished, one after the other, when automatic processing is on; otherwise "OK" is
  // refused.  False when one of them stopped the operation (reported).
  bool FinalizaRestantes();
  // "Adicionar" or "Remover": dragging then adds or removes points of the selected ring.
  void EntraModoPontos(bool adicionar);
  void ShowStoredImage();
  void RestoreDisplayed();
  void DrawRings();
  void DrawRing(int ring, QRgb colour);
  void DrawPupil();
  void DrawMeasurementArrow(int x, int y);
  void RecordMeasurement();
  void RemovePoints(int x, int y);
  void AddPoint(int x, int y);
  void Redraw(bool withRings);
  void Show();
  // Sets a check box and, when its state changes, runs its click handler as the form does.
  void SetCheck(const std::string& box, bool checked);
  void ResetMeasurementLabels(const std::string& text);
  // The current image's rings changed (processed again or edited): its stored tables, if any,
  // no longer match them.
  void AneisAlterados();
  void EnablePupilTools(bool enabled);

  FormView& view_;
  Dialogs& dialogs_;
  RingProcessing& processing_;
  WaitNotice& wait_;
  TInfosZV infos_;
  std::array<QImage, 4> images_;    // as captured, for the detector
  std::array<QImage, 4> pictures_;  // 32-bit copies the overlays are drawn on
  QImage displayed_;
  int rings_ = 32;

  int imagemAtual_ = 1;
  // Per image: its tables were stored by a finishing; its rings were processed or edited since.
  std::array<bool, 4> armazenada_{}, alterada_{};
  int estadoOK_ = 0;
  bool aneisProcessados_ = false, emEdicao_ = false;
  bool interpolacaoConfirmada_ = false, autoProcessado_ = false;
  bool modoAnel_ = false, selecaoPendente_ = false, modoAdicionar_ = false, modoRemover_ = false;
  bool botaoPressionado_ = false;
  int anelSelecionado_ = -1;
  bool pupilaExiste_ = false;
  std::array<int, 4> pupilaRet_{};  // left, top, right, bottom
  bool modoDesenharPupila_ = false, desenhandoPupila_ = false;
  int dragStartX_ = 0, dragStartY_ = 0, dragEndX_ = 0, dragEndY_ = 0;
  bool modoMover_ = false, modoRedimensionar_ = false, arrastandoPupila_ = false;
  int lastX_ = 0, lastY_ = 0;
  bool direcao_[4] = {false, false, false, false};
  bool modoMedida_ = false, medindoBotao_ = false;
  int numMedidas_ = 0;
  double somaMedidas_ = 0;
  int setaAngulo_ = 0, setaComprimento_ = 0, ultimoAngulo_ = -1;
  uint8_t inicioVarredura_ = 0;
  std::array<double, 4> confImagem_{};
};

}  // namespace zv
