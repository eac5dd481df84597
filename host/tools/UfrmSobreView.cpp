#include "UfrmSobreView.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <array>

#include "QtFormView.h"

namespace zv {
namespace {

constexpr int kLargura = 580;

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, QRect onde,
               Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(texto, pai);
  if (nome) l->setObjectName(nome);
  l->setGeometry(onde);
  l->setAlignment(alinhamento);
  return l;
}

// A section: a rule with its caption centred on it, the two column titles and two lines of
// value labels (left: descriptions, right: versions, right-aligned).
int Secao(QWidget* pai, int y, const QString& titulo, const QString& tituloDireita,
          const std::array<const char*, 4>& nomes) {
  auto* regua = new QFrame(pai);
  regua->setFrameShape(QFrame::HLine);
  regua->setFrameShadow(QFrame::Sunken);
  regua->setGeometry(10, y + 8, kLargura - 20, 2);
  auto* legenda = Rotulo(pai, nullptr, titulo, QRect(0, y, kLargura, 18), Qt::AlignCenter);
  legenda->setAutoFillBackground(true);
  legenda->adjustSize();
  legenda->move((kLargura - legenda->width()) / 2, y);
  QFont negrito = legenda->font();
  negrito.setBold(true);
  legenda->setFont(negrito);
  legenda->adjustSize();
  legenda->move((kLargura - legenda->width()) / 2, y);
  y += 24;
  Rotulo(pai, nullptr, "Descrição do Módulo:", QRect(16, y, 240, 18));
  Rotulo(pai, nullptr, tituloDireita, QRect(kLargura - 176, y, 160, 18),
         Qt::AlignRight | Qt::AlignVCenter);
  for (int i = 0; i < 2; ++i) {
    y += 20;
    Rotulo(pai, nomes[i], "", QRect(28, y, kLargura - 190, 18));
    Rotulo(pai, nomes[2 + i], "", QRect(kLargura - 156, y, 140, 18),
           Qt::AlignRight | Qt::AlignVCenter);
  }
  return y + 28;
}

}  // namespace

QImage BannerSobre(int largura, int altura) {
  QImage img(largura, altura, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient fundo(0, 0, largura, altura);
  fundo.setColorAt(0, QColor(8, 30, 78));
  fundo.setColorAt(1, QColor(40, 110, 180));
  p.fillRect(img.rect(), fundo);
  p.setRenderHint(QPainter::Antialiasing);
  // The Placido rings reflected on a cornea, at the right of the banner.
  const QPointF centro(largura - 70, altura / 2.0);
  for (int anel = 12; anel >= 1; --anel) {
    p.setPen(Qt::NoPen);
    p.setBrush(anel % 2 ? QColor(245, 248, 255) : QColor(20, 40, 90));
    p.drawEllipse(centro, anel * 3.4, anel * 3.4);
  }
  QFont f("Arial");
  f.setPixelSize(34);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(20, 8, largura - 140, altura / 2 + 8), Qt::AlignLeft | Qt::AlignBottom,
             "Zarvik");
  f.setPixelSize(13);
  f.setBold(false);
  p.setFont(f);
  p.setPen(QColor(200, 220, 245));
  p.drawText(QRect(22, altura / 2 + 12, largura - 140, 20), Qt::AlignLeft | Qt::AlignTop,
             "Topografia de córnea por disco de Placido");
  return img;
}

TfrmSobreView::TfrmSobreView(const TInfosZV& infos, const TPathsZV& paths, VersaoPrograma versao,
                             InfoModulos& modulos, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmSobre");
  setWindowTitle("Sobre");
  auto* banner = new ImageView(this);
  banner->setObjectName("imgBanner");
  banner->setGeometry(0, 0, kLargura, 90);
  banner->setImage(BannerSobre(kLargura, 90));

  int y = 102;
  Rotulo(this, "lblVersaoTitulo", "Versão:", QRect(16, y, 60, 18));
  Rotulo(this, "lblversao", "", QRect(80, y, 300, 18));
  y += 30;
  y = Secao(this, y, "  Digitalização  ", "Versão do Módulo:",
            {"lblDigitNome1", "lblDigitNome2", "lblDigitVersao1", "lblDigitVersao2"});
  y = Secao(this, y, "  Processamento de Imagem  ", "Versão do Módulo:",
            {"lblProcDesc1", "lblProcDesc2", "lblProcVersao1", "lblProcVersao2"});
  y = Secao(this, y, "Cone",
            "Versão:", {"lblConeDesc1", "lblConeDesc2", "lblConeVersao1", "lblConeVersao2"});
  auto* fechar = new QPushButton("Fechar", this);
  fechar->setObjectName("Button1");
  fechar->setGeometry(kLargura - 100, y, 84, 28);
  fechar->setDefault(true);
  setFixedSize(kLargura, y + 40);

  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmSobre>(*bridge_, infos, paths, std::move(versao), modulos);
  connect(fechar, &QPushButton::clicked, this, [this] { model_->Button1Click(); });
}

TfrmSobreView::~TfrmSobreView() = default;

void TfrmSobreView::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (shown_) return;
  shown_ = true;
  model_->FormShow();
}

}  // namespace zv
