#include "UfrmInicial.h"

#include <QPainter>
#include <cfenv>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "NumberFormat.h"

namespace zv {
namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kCentreX = 320, kCentreY = 240;

const char* const kInfoClique = "Clique no centro da imagem para processar os aneis.";
const char* const kMirelle = "Mirelle";

// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double v) {
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const int r = static_cast<int>(std::nearbyint(v));
  std::fesetround(saved);
  return r;
}

void SetPixel(QImage& image, int x, int y, QRgb colour) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.setPixel(x, y, colour);
}

QRgb RingColour(int ring) {
  return ring % 2 == 1 ? kRed : kYellow;
}

const char* const kArrows[4] = {"sbCimaPup", "sbBaixoPup", "sbEsquerdaPup", "sbDireitaPup"};

}  // namespace

TfrmInicial::TfrmInicial(FormView& view, Dialogs& dialogs, RingProcessing& processing,
                         WaitNotice& wait, const TInfosZV& infos, std::array<QImage, 4> images)
    : view_(view),
      dialogs_(dialogs),
      processing_(processing),
      wait_(wait),
      infos_(infos),
      images_(std::move(images)),
      rings_(infos.NumAneis == 16 ? 16 : 32) {
  // The pictures the overlays are drawn on, converted once; an absent image shows black.
  for (size_t i = 0; i < images_.size(); ++i) {
    pictures_[i] = images_[i].convertToFormat(QImage::Format_ARGB32);
    if (pictures_[i].isNull()) {
      pictures_[i] = QImage(640, 480, QImage::Format_ARGB32);
      pictures_[i].fill(Qt::black);
    }
  }
}

void TfrmInicial::FormShow() {
  // Captions and initial states of the form.
  const std::pair<const char*, const char*> captions[] = {
      {"btnSelecionar", "Selecionar"},
      {"btnRetocar", "Retocar"},
      {"btnInterpolar", "Interpolar"},
      {"sbAdicionar", "Adicionar"},
      {"sbRemover", "Remover"},
      {"btnAnterior", "Anterior"},
      {"btnProxima", "Próxima"},
      {"btnOK", "OK"},
      {"btnCancelar", "Cancelar"},
      {"spbDadosOrto", "Ver dados Orto"},
      {"sbDesenharPup", "Desenhar"},
      {"sbRemoverPup", "Remover"},
      {"cbAneis", "Aneis"},
      {"chkDesenhar", "Desenhar"},
      {"btnLimpar", "Limpar"},
      {"lblInfo", kInfoClique},
      {"lblIndConf", "0 %"},
      {"lblAutoProc", "Processamento automático dos aneis"}};
  for (const auto& [control, caption] : captions) view_.SetText(control, caption);
  view_.SetHint("sbMovimentarPup", "Movimentar");
  view_.SetHint("sbRedimensionarPup", "Redimensionar");
  ResetMeasurementLabels("#");
  for (const char* c : {"btnAnterior", "spbDadosOrto", "btnSelecionar", "btnRetocar",
                        "btnInterpolar", "sbAdicionar", "sbRemover", "chkDesenhar", "btnOK"})
    view_.SetEnabled(c, false);
  EnablePupilTools(false);
  view_.SetValue("TrBarTolVarredura", 2);
  TrBarTolVarreduraChange();

  imagemAtual_ = 1;
  emEdicao_ = botaoPressionado_ = modoAdicionar_ = modoRemover_ = selecaoPendente_ = false;
  modoAnel_ = modoMover_ = modoRedimensionar_ = aneisProcessados_ = pupilaExiste_ = false;
  modoMedida_ = false;
  armazenada_ = {};
  alterada_ = {};
  anelSelecionado_ = -1;
  estadoOK_ = 0;
  numMedidas_ = 0;
  view_.SetText("lblImagens", "Processando Imagem 1");
  ShowStoredImage();
}

void TfrmInicial::TrBarTolVarreduraChange() {
  const int position = view_.Value("TrBarTolVarredura");
  const int central = infos_.TvlCentral & 0xFF, step = infos_.TIncremento & 0xFF;
  inicioVarredura_ = static_cast<uint8_t>((central + (position - 2) * step) & 0xFF);
  view_.SetHint("TrBarTolVarredura", std::to_string(inicioVarredura_));
}

// ---- Mouse over the image ----

void TfrmInicial::Image1MouseDown(MouseButton button, int x, int y) {
  if (modoMedida_) {
    ultimoAngulo_ = setaAngulo_;
    medindoBotao_ = true;
    view_.Repaint("Image1");
    ++numMedidas_;
    return;
  }
  if (modoDesenharPupila_) {
    RestoreDisplayed();
    desenhandoPupila_ = true;
    dragStartX_ = dragEndX_ = x;
    dragStartY_ = dragEndY_ = y;
    return;
  }
  botaoPressionado_ = false;
  if (modoAnel_) {
    if (selecaoPendente_) {
      RestoreDisplayed();
      anelSelecionado_ = AnelSob(x, y);
      DrawRing(anelSelecionado_, kBlue);
      view_.SetCursor("Image1", Cursor::Default);
      selecaoPendente_ = false;
      view_.SetEnabled("btnSelecionar", false);
      view_.SetEnabled("btnInterpolar", false);
      for (const char* c : {"btnRetocar", "sbAdicionar", "sbRemover"}) view_.SetEnabled(c, true);
    }
    if (modoAdicionar_ || modoRemover_) botaoPressionado_ = true;
    aneisProcessados_ = true;
  } else if (button != MouseButton::Left || modoMover_) {
    if (pupilaExiste_) {
      lastX_ = x;
      lastY_ = y;
      if (x >= pupilaRet_[0] && x <= pupilaRet_[2] && y >= pupilaRet_[1] && y <= pupilaRet_[3]) {
        arrastandoPupila_ = true;
      } else {
        dialogs_.Message("Clique dentro da região definida como pupila para poder movimentá-la");
      }
    } else {
      dialogs_.Message(
          "Antes de movimentar a pupila, é necessário clicar sobre o botão de movimentação!");
    }
  } else {
    ProcessaImagem(x, y, ProcessingKind::Click);
  }
  if (pupilaExiste_) DrawPupil();
  Show();
}

void TfrmInicial::Image1MouseMove(int x, int y) {
  if (arrastandoPupila_) {
    const int dx = x - lastX_, dy = y - lastY_;
    pupilaRet_ = {pupilaRet_[0] + dx, pupilaRet_[1] + dy, pupilaRet_[2] + dx, pupilaRet_[3] + dy};
    lastX_ = x;
    lastY_ = y;
    RestoreDisplayed();
    DrawPupil();
    Show();
  }
  if (desenhandoPupila_ && modoDesenharPupila_) {
    // The rubber band is drawn inverting, so drawing it twice erases it.
    QPainter p(&displayed_);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    p.drawEllipse(
        QRect(QPoint(dragStartX_, dragStartY_), QPoint(dragEndX_, dragEndY_)).normalized());
    dragEndX_ = x;
    dragEndY_ = y;
    p.drawEllipse(
        QRect(QPoint(dragStartX_, dragStartY_), QPoint(dragEndX_, dragEndY_)).normalized());
    p.end();
    Show();
    return;
  }
  if (selecaoPendente_ && !botaoPressionado_) {
    Redraw(view_.Checked("cbAneis") && !modoMedida_);
    DrawRing(AnelSob(x, y), kBlue);
    Show();
  }
  if (botaoPressionado_) {
    if (modoRemover_) RemovePoints(x, y);
    if (modoAdicionar_) AddPoint(x, y);
    Show();
  }
  if (modoMedida_) {
    if (medindoBotao_) {
      RestoreDisplayed();
      DrawMeasurementArrow(x, y);
    }
    view_.SetCursor("Image1", AnguloSeta(x, y) == ultimoAngulo_ ? Cursor::Cross : Cursor::Default);
    Show();
  }
  if (infos_.AutoAneis) {
    if (!autoProcessado_) {
      view_.SetText("lblAutoProc", "Processamento automático dos aneis (HABILITADO)");
      view_.SetText("lblInfo", "");
      view_.Repaint("Image1");
      ProcessaImagem(kCentreX, kCentreY, ProcessingKind::Automatic);
    }
  } else {
    view_.SetText("lblAutoProc", "Processamento automático dos aneis (DESABILITADO)");
    view_.SetText("lblInfo", kInfoClique);
  }
}

void TfrmInicial::Image1MouseUp(MouseButton, int x, int y) {
  if (arrastandoPupila_) {
    const int dx = x - lastX_, dy = y - lastY_;
    pupilaRet_ = {pupilaRet_[0] + dx, pupilaRet_[1] + dy, pupilaRet_[2] + dx, pupilaRet_[3] + dy};
    arrastandoPupila_ = false;
    RestoreDisplayed();
    DrawPupil();
  } else if (modoDesenharPupila_) {
    // The box is kept with left <= right and top <= bottom whichever way the drag went, so that
    // a click inside the outline always finds it when the pupil is moved.
    const QRect box = QRect(QPoint(dragStartX_, dragStartY_), QPoint(x, y)).normalized();
    pupilaRet_ = {box.left(), box.top(), box.right(), box.bottom()};
    pupilaExiste_ = true;
    desenhandoPupila_ = false;
    // The final outline in white over a clean picture (no rubber-band leftovers), with the rings
    // back when "Aneis" is checked, so the overlay matches the check box.
    Redraw(view_.Checked("cbAneis") && !modoMedida_);
    view_.SetChecked("sbDesenharPup", false);
    modoDesenharPupila_ = false;
    return;
  }
  botaoPressionado_ = false;
  view_.SetCursor("Image1", Cursor::Default);
  if (aneisProcessados_) {
    SetCheck("cbAneis", true);
    if (imagemAtual_ == 4) {
      view_.SetEnabled("spbDadosOrto", true);
      view_.SetEnabled("btnOK", true);
    }
  } else if (!modoMedida_) {
    Redraw(view_.Checked("cbAneis"));
  }
  if (view_.Checked("chkDesenhar")) {
    medindoBotao_ = false;
    RecordMeasurement();
  }
  Show();
}

// ---- Ring editing ----

void TfrmInicial::btnSelecionarClick() {
  emEdicao_ = modoAnel_ = selecaoPendente_ = true;
  modoAdicionar_ = modoRemover_ = false;
  view_.SetCursor("Image1", Cursor::Cross);
}

void TfrmInicial::sbAdicionarClick() {
  EntraModoPontos(true);
}

void TfrmInicial::sbRemoverClick() {
  EntraModoPontos(false);
}

void TfrmInicial::EntraModoPontos(bool adicionar) {
  emEdicao_ = true;
  // Ring 0 is the centre column, never a ring the operator may edit.
  if (anelSelecionado_ < 1) {
    dialogs_.Message("Será necessário selecionar um anel antes de adicionar pontos", kMirelle,
                     MsgIcon::Error);
    return;
  }
  modoAdicionar_ = adicionar;
  modoRemover_ = !adicionar;
  selecaoPendente_ = false;
  view_.SetCursor("Image1", adicionar ? Cursor::Default : Cursor::Cross);
}

void TfrmInicial::btnRetocarClick() {
  AneisAlterados();
  emEdicao_ = false;
  RestoreDisplayed();
  processing_.Retouch();
  if (view_.Checked("cbAneis")) DrawRings();
  modoAnel_ = false;
  for (const char* c : {"btnRetocar", "sbAdicionar", "sbRemover"}) view_.SetEnabled(c, false);
  view_.SetEnabled("btnSelecionar", true);
  view_.SetEnabled("btnInterpolar", true);
  view_.SetText("lblInfo", "");
  Show();
}

void TfrmInicial::btnInterpolarClick() {
  AneisAlterados();
  if (!interpolacaoConfirmada_) {
    if (dialogs_.Message("Esta opção irá reajustar todos os anéis.\rDeseja interpolar os anéis?",
                         "Informação", MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
      return;
    interpolacaoConfirmada_ = true;
  }
  processing_.Interpolate();
  DrawRings();
  if (pupilaExiste_) DrawPupil();
  Show();
}

void TfrmInicial::cbAneisClick() {
  const bool checked = view_.Checked("cbAneis");
  if (checked && !aneisProcessados_) {
    dialogs_.Message("Será necessário processar a imagem antes de continuar.", kMirelle,
                     MsgIcon::Error);
    SetCheck("cbAneis", false);
    return;
  }
  Redraw(checked && !modoMedida_);
}

// ---- Measurement ----

void TfrmInicial::chkDesenharClick() {
  if (view_.Checked("chkDesenhar")) {
    modoMedida_ = true;
    SetCheck("cbAneis", false);
    aneisProcessados_ = false;
  } else {
    modoMedida_ = false;
  }
}

void TfrmInicial::btnLimparClick() {
  ResetMeasurementLabels(" ");
  somaMedidas_ = 0;
  numMedidas_ = 0;
  SetCheck("chkDesenhar", true);
}

int TfrmInicial::AnguloSeta(int x, int y) {
  double theta = std::atan2(static_cast<double>(kCentreY - y), static_cast<double>(x - kCentreX));
  if (theta < 0) theta += 2 * std::numbers::pi;
  return static_cast<int>(std::floor(theta * 359 / (2 * std::numbers::pi))) + 1;
}

void TfrmInicial::DrawMeasurementArrow(int x, int y) {
  const double dx = x - kCentreX, dy = y - kCentreY;
  setaComprimento_ = static_cast<int>(std::floor(std::sqrt(dx * dx + dy * dy)));
  setaAngulo_ = AnguloSeta(x, y);
  const QPointF centre(kCentreX, kCentreY);
  const QPointF tip(kCentreX + setaComprimento_ * std::cos(setaAngulo_ * kDeg),
                    kCentreY - setaComprimento_ * std::sin(setaAngulo_ * kDeg));
  QPainter p(&displayed_);
  p.setPen(QColor(kYellow));
  p.drawLine(centre, tip);
  for (int barb : {150 - setaAngulo_, 210 - setaAngulo_})
    p.drawLine(tip, tip + QPointF(10 * std::cos(barb * kDeg), 10 * std::sin(barb * kDeg)));
  p.setBrush(QColor(kYellow));
  p.drawEllipse(centre, 2, 2);
}

void TfrmInicial::RecordMeasurement() {
  if (numMedidas_ < 1) return;
  if (numMedidas_ > 3) {
    dialogs_.Message("as medidas necessárias já foram feitas");
    return;
  }
  const double d = setaComprimento_ * infos_.FatorCorrecao;
  view_.SetText("lbldist" + std::to_string(numMedidas_), FormatFloat("0.00", d));
  somaMedidas_ += d;
  if (numMedidas_ == 3) {
    const double div = somaMedidas_ / 3 * 2;
    view_.SetText("lblDivMedia", FormatFloat("0.00", div));
    processing_.Valores().DIV[imagemAtual_ - 1] = div;
    SetCheck("chkDesenhar", false);
  }
}

// ---- Pupil ----

void TfrmInicial::sbDesenharPupClick() {
  if (!view_.Checked("sbDesenharPup")) {
    modoDesenharPupila_ = false;
    view_.SetText("lblInfo", "Clique no ponto central da imagem para processar os aneis.");
    return;
  }
  modoDesenharPupila_ = true;
  view_.SetText("lblInfo", "Clique e arraste o mouse para desenhar a pupila.");
  view_.SetText("lblInfo",
                "Selecione movimentar e use as setas ou clique sobre a pupila e arraste para "
                "movimentação.");
  EnablePupilTools(true);
}

void TfrmInicial::sbMovimentarPupClick() {
  modoRedimensionar_ = false;
  view_.SetChecked("sbRedimensionarPup", false);
  if (view_.Checked("sbMovimentarPup")) {
    modoMover_ = true;
    SetCheck("cbAneis", false);
  } else {
    arrastandoPupila_ = modoMover_ = false;
    if (aneisProcessados_) {
      SetCheck("cbAneis", true);
      Redraw(true);
    }
  }
  view_.Repaint("Image1");
}

void TfrmInicial::sbRedimensionarPupClick() {
  modoMover_ = false;
  view_.SetChecked("sbMovimentarPup", false);
  modoRedimensionar_ = view_.Checked("sbRedimensionarPup");
}

void TfrmInicial::sbRemoverPupClick() {
  pupilaExiste_ = false;
  pupilaRet_ = {0, 0, 0, 0};
  Redraw(view_.Checked("cbAneis") && !modoMedida_);
  EnablePupilTools(false);
}

void TfrmInicial::SetaMouseDown(Direcao direcao) {
  view_.SetTimer("Timer1", true, 150);
  if (modoMover_ || modoRedimensionar_) {
    for (bool& d : direcao_) d = false;
    direcao_[static_cast<int>(direcao)] = true;
  }
}

void TfrmInicial::AnulaMovs() {
  for (bool& d : direcao_) d = false;
  view_.SetTimer("Timer1", false, 150);
}

namespace {

// Moves the box (left, top, right, bottom) by `step` pixels in a direction.
void Move(std::array<int, 4>& box, TfrmInicial::Direcao d, int step) {
  const int dx = d == TfrmInicial::Direcao::Esquerda  ? -step
                 : d == TfrmInicial::Direcao::Direita ? step
                                                      : 0;
  const int dy = d == TfrmInicial::Direcao::Cima    ? -step
                 : d == TfrmInicial::Direcao::Baixo ? step
                                                    : 0;
  box = {box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy};
}

// Resizes the box by `step` pixels on each side: up taller, down shorter, left narrower, right
// wider.
void Resize(std::array<int, 4>& box, TfrmInicial::Direcao d, int step) {
  switch (d) {
    case TfrmInicial::Direcao::Cima:
      box = {box[0], box[1] - step, box[2], box[3] + step};
      break;
    case TfrmInicial::Direcao::Baixo:
      box = {box[0], box[1] + step, box[2], box[3] - step};
      break;
    case TfrmInicial::Direcao::Esquerda:
      box = {box[0] + step, box[1], box[2] - step, box[3]};
      break;
    case TfrmInicial::Direcao::Direita:
      box = {box[0] - step, box[1], box[2] + step, box[3]};
      break;
  }
}

}  // namespace

void TfrmInicial::SetaClick(Direcao direcao) {
  if (modoMover_) {
    Move(pupilaRet_, direcao, 1);
  } else {
    Resize(pupilaRet_, direcao, 1);
  }
  Redraw(view_.Checked("cbAneis") && !modoMedida_);
}

void TfrmInicial::Timer1Timer() {
  for (int i = 0; i < 4; ++i) {
    if (!direcao_[i]) continue;
    if (modoMover_) Move(pupilaRet_, static_cast<Direcao>(i), 1);
    if (modoRedimensionar_) Resize(pupilaRet_, static_cast<Direcao>(i), 3);
  }
  Redraw(view_.Checked("cbAneis") && !modoMedida_);
}

// ---- Moving between images and closing ----

bool TfrmInicial::FinalizaImagem() {
  try {
    if (!processing_.FinishImage(imagemAtual_, emEdicao_)) return false;
  } catch (const std::exception& e) {
    dialogs_.Message(e.what(), "Erro", MsgIcon::Error);
    return false;
  }
  armazenada_[imagemAtual_ - 1] = true;
  alterada_[imagemAtual_ - 1] = false;
  estadoOK_ = 1;
  return true;
}

bool TfrmInicial::FinalizaSeAlterada() {
  return Finalizada(imagemAtual_) || FinalizaImagem();
}

// An image left with "Anterior" and not processed again still has its stored tables, while the
// working table holds the rings of the image processed last: finishing it again would store
// another image's rings under its number.  An image never stored is finished from the table
// as it stands.
void TfrmInicial::btnProximaClick() {
  if (!FinalizaSeAlterada()) return;
  AvancaPara(imagemAtual_ + 1);
}

void TfrmInicial::AvancaPara(int imagem) {
  view_.SetEnabled("chkDesenhar", false);
  SetCheck("cbAneis", false);
  imagemAtual_ = imagem;
  ShowStoredImage();
  view_.SetEnabled("btnAnterior", true);
  numMedidas_ = 0;
  somaMedidas_ = 0;
  ResetMeasurementLabels("#");
  if (imagemAtual_ == 4) view_.SetEnabled("btnProxima", false);
  autoProcessado_ = false;
  view_.SetText("lblImagens", "Processando Imagem " + std::to_string(imagemAtual_));
  view_.SetText("lblIndConf", "0 %");
}

void TfrmInicial::btnAnteriorClick() {
  // Processing the previous image again replaces the working table, so rings processed or
  // edited here are finished before they are left behind.
  if (alterada_[imagemAtual_ - 1] && !FinalizaImagem()) return;
  --imagemAtual_;
  SetCheck("cbAneis", false);
  view_.SetText("lblImagens", "Processando Imagem " + std::to_string(imagemAtual_));
  ShowStoredImage();
  if (imagemAtual_ == 1) view_.SetEnabled("btnAnterior", false);
  if (imagemAtual_ != 4) view_.SetEnabled("btnProxima", true);
  view_.SetText("lblIndConf", "0 %");
}

void TfrmInicial::spbDadosOrtoClick() {
  if (!FinalizaSeAlterada()) return;
  ValoresOrtoImagens v = processing_.Valores();
  CalculaMedia(v.SAG);
  CalculaMedia(v.DIV);
  CalculaMedia(v.R0);
  if (ShowSummary) ShowSummary();
}

// Every image is returned with tables computed from its own rings: never as zeros, and never
// with tables from before a change the operator made.
void TfrmInicial::btnOKClick() {
  if (!FinalizaSeAlterada() || !FinalizaRestantes()) return;
  estadoOK_ = 1;
  view_.Close(1);
}

bool TfrmInicial::FinalizaRestantes() {
  for (int imagem = 1; imagem <= 4; ++imagem) {
    if (armazenada_[imagem - 1]) continue;
    if (!infos_.AutoAneis) {
      dialogs_.Message("A imagem " + std::to_string(imagem) + " ainda não foi processada.",
                       "Atenção!", MsgIcon::Information);
      return false;
    }
    AvancaPara(imagem);
    if (!ProcessaImagem(kCentreX, kCentreY, ProcessingKind::Automatic) || !FinalizaImagem())
      return false;
  }
  return true;
}

void TfrmInicial::btnCancelarClick() {
  estadoOK_ = 0;
  view_.Close(0);
}

// ---- Processing ----

bool TfrmInicial::ProcessaImagem(int x, int y, ProcessingKind kind) {
  wait_.Show();
  double confidence = 0;
  try {
    processing_.ProcessImage(imagemAtual_, images_[imagemAtual_ - 1], x, y, rings_,
                             inicioVarredura_);
    DrawRings();
    confidence = processing_.ConfidenceIndex();
  } catch (...) {
    wait_.Hide();
    throw;
  }
  confImagem_[imagemAtual_ - 1] = confidence;
  view_.SetText("lblIndConf", FormatFloat("0.00", confidence) + "%");
  wait_.Hide();

  aneisProcessados_ = true;
  AneisAlterados();
  SetCheck("cbAneis", true);
  view_.SetEnabled("btnInterpolar", true);
  view_.SetEnabled("btnSelecionar", true);
  interpolacaoConfirmada_ = false;
  if (imagemAtual_ == 4) {
    view_.SetEnabled("btnOK", true);
    view_.SetEnabled("spbDadosOrto", true);
  }
  if (kind == ProcessingKind::Automatic) {
    view_.SetEnabled("chkDesenhar", true);
    view_.SetEnabled("btnOK", true);
    view_.SetText("lblImagens", "Imagem  " + std::to_string(imagemAtual_) + " processada");
    autoProcessado_ = true;
  } else {
    view_.SetEnabled("chkDesenhar", true);
  }
  Show();
  if (confidence < infos_.IndiceConf &&
      dialogs_.Message("Indice de confiabilidade abaixo do definido no sistema. Deseja "
                       "continuar?\nSim para continuar e Não para processar novamente.",
                       "Informação", MsgIcon::Question, MsgButtons::YesNo) == MsgResult::No) {
    estadoOK_ = 0;
    view_.Close(0);
    return false;
  }
  return true;
}

// ---- Drawing ----

void TfrmInicial::ShowStoredImage() {
  RestoreDisplayed();
  Show();
}

void TfrmInicial::RestoreDisplayed() {
  displayed_ = pictures_[imagemAtual_ - 1];  // shared until the first overlay is drawn
}

void TfrmInicial::DrawRings() {
  RestoreDisplayed();
  const double xc = processing_.CentreX(), yc = processing_.CentreY();
  for (int k = 1; k <= 360; ++k) {
    int count = 0;
    for (int j = 1; j <= rings_; ++j) {
      const double r = processing_.Radius(k, j);
      if (r <= 0 || r > 300) continue;
      ++count;
      SetPixel(displayed_, RoundHalfEven(xc + r * std::cos(k * kDeg)),
               RoundHalfEven(yc + r * std::sin(k * kDeg)), RingColour(j));
    }
    processing_.SetRingCount(k, count);
  }
  const int cx = RoundHalfEven(xc), cy = RoundHalfEven(yc);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) SetPixel(displayed_, cx + dx, cy + dy, kRed);
}

void TfrmInicial::DrawRing(int ring, QRgb colour) {
  if (ring < 1 || ring > rings_) return;
  const double xc = processing_.CentreX(), yc = processing_.CentreY();
  for (int k = 1; k <= 360; ++k) {
    const double r = processing_.Radius(k, ring);
    if (r <= 0) continue;
    SetPixel(displayed_, RoundHalfEven(xc + r * std::cos(k * kDeg)),
             RoundHalfEven(yc + r * std::sin(k * kDeg)), colour);
  }
}

int TfrmInicial::AnelSob(int x, int y) const {
  const double xc = processing_.CentreX(), yc = processing_.CentreY();
  for (int j = rings_; j >= 1; --j) {
    for (int k = 1; k <= 360; ++k) {
      const double r = processing_.Radius(k, j);
      if (r <= 0) continue;
      const int px = static_cast<int>(std::floor(xc + r * std::cos(k * kDeg)));
      const int py = static_cast<int>(std::floor(yc + r * std::sin(k * kDeg)));
      if (std::abs(px - x) <= 3 && std::abs(py - y) <= 3) return j;
    }
  }
  return 0;
}

void TfrmInicial::RemovePoints(int x, int y) {
  if (anelSelecionado_ < 1) return;
  const double xc = processing_.CentreX(), yc = processing_.CentreY();
  for (int k = 1; k <= 360; ++k) {
    const double r = processing_.Radius(k, anelSelecionado_);
    const int px = static_cast<int>(std::floor(xc + r * std::cos(k * kDeg)));
    const int py = static_cast<int>(std::floor(yc + r * std::sin(k * kDeg)));
    if (std::abs(px - x) <= 7 && std::abs(py - y) <= 7) {
      SetPixel(displayed_, px, py, kRed);
      processing_.SetRadius(k, anelSelecionado_, 0);
      AneisAlterados();
    }
  }
}

void TfrmInicial::AddPoint(int x, int y) {
  if (anelSelecionado_ < 1) return;
  const double xc = processing_.CentreX(), yc = processing_.CentreY();
  const double dx = x - xc, dy = y - yc;
  double square = dx * dx + dy * dy;
  if (square == 0) square = 0.00001;
  const double rho = std::sqrt(square);
  const double cosine = std::clamp(dx / rho, -0.9999, 0.9999);
  int o = static_cast<int>(std::floor(std::acos(cosine) / kDeg));
  if ((dy <= 0 && dx > 0) || (dy < 0 && dx <= 0)) o = 360 - o;
  if (o <= 0) o = 360;
  processing_.SetRadius(o, anelSelecionado_, rho);
  AneisAlterados();
  SetPixel(displayed_, RoundHalfEven(xc + rho * std::cos(o * kDeg)),
           RoundHalfEven(yc + rho * std::sin(o * kDeg)), RingColour(anelSelecionado_));
}

void TfrmInicial::DrawPupil() {
  QPainter p(&displayed_);
  p.setPen(Qt::white);
  p.drawEllipse(QRect(QPoint(pupilaRet_[0], pupilaRet_[1]), QPoint(pupilaRet_[2], pupilaRet_[3])));
}

void TfrmInicial::Redraw(bool withRings) {
  RestoreDisplayed();
  if (withRings) DrawRings();
  if (pupilaExiste_) DrawPupil();
  Show();
}

void TfrmInicial::Show() {
  view_.SetImage("Image1", displayed_);
  view_.Repaint("Image1");
}

void TfrmInicial::SetCheck(const std::string& box, bool checked) {
  if (view_.Checked(box) == checked) return;
  view_.SetChecked(box, checked);
  if (box == "cbAneis") cbAneisClick();
  if (box == "chkDesenhar") chkDesenharClick();
}

void TfrmInicial::AneisAlterados() {
  alterada_[imagemAtual_ - 1] = true;
}

void TfrmInicial::ResetMeasurementLabels(const std::string& text) {
  for (const char* c : {"lbldist1", "lbldist2", "lbldist3", "lblDivMedia"}) view_.SetText(c, text);
}

void TfrmInicial::EnablePupilTools(bool enabled) {
  for (const char* c : {"sbMovimentarPup", "sbRedimensionarPup", "sbRemoverPup"})
    view_.SetEnabled(c, enabled);
  for (const char* c : kArrows) view_.SetEnabled(c, enabled);
}

}  // namespace zv
