#include "TfrmRevisao.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "Deteccao.h"

namespace processamento {

QImage DesenhaRevisao(const Revisao& r, bool aneis, bool pupila) {
  QImage imagem = r.imagem.convertToFormat(QImage::Format_RGB32);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  if (aneis && r.pixels) {
    for (int j = 1; j <= r.numAneis; ++j) {
      // Alternate colours so that neighbouring rings stay apart.
      p.setPen(QPen(j % 2 ? QColor(255, 40, 40) : QColor(0, 190, 255), 1.5));
      QPainterPath anel;
      bool aberto = false;
      // Around the picture clockwise from the right, closing the ring on its first direction.
      for (int graus = 0; graus <= vessik::kAngulos; ++graus) {
        const double raio = (*r.pixels)[vessik::LinhaDaDirecao(graus) - 1][j];
        if (!(raio > 0) || !std::isfinite(raio)) {
          aberto = false;
          continue;
        }
        const double a = graus * std::numbers::pi / 180.0;
        const QPointF ponto(r.xc + raio * std::cos(a), r.yc + raio * std::sin(a));
        if (aberto)
          anel.lineTo(ponto);
        else
          anel.moveTo(ponto);
        aberto = true;
      }
      p.drawPath(anel);
    }
  }
  if (pupila && r.pupila[2] > r.pupila[0]) {
    p.setPen(QPen(QColor(255, 60, 255), 2));
    p.drawEllipse(QRect(QPoint(r.pupila[0], r.pupila[1]), QPoint(r.pupila[2], r.pupila[3])));
  }
  p.setPen(QPen(Qt::red, 1));
  p.drawLine(QPointF(r.xc - 6, r.yc), QPointF(r.xc + 6, r.yc));
  p.drawLine(QPointF(r.xc, r.yc - 6), QPointF(r.xc, r.yc + 6));
  return imagem;
}

TfrmRevisao::TfrmRevisao(QWidget* pai, const Revisao& revisao) : QDialog(pai), revisao_(revisao) {
  setObjectName("frmRevisao");
  setWindowTitle("Processamento de Imagem");
  setModal(true);

  imgImagem_ = new QLabel(this);
  imgImagem_->setObjectName("imgImagem");
  imgImagem_->setFixedSize(revisao.imagem.size());
  auto* lblConfianca =
      new QLabel(QString::fromStdString("Índice de confiabilidade: " +
                                        vessik::TextoConfianca(revisao.indiceConfianca)),
                 this);
  lblConfianca->setObjectName("lblConfianca");
  auto* lblPupila = new QLabel(
      revisao.pupila[2] > revisao.pupila[0]
          ? QString("Pupila: %1 pixels de diâmetro").arg(revisao.pupila[2] - revisao.pupila[0])
          : QString("Pupila não encontrada"),
      this);
  lblPupila->setObjectName("lblPupila");
  chkAneis_ = new QCheckBox("Anéis", this);
  chkAneis_->setObjectName("chkAneis");
  chkAneis_->setChecked(true);
  chkPupila_ = new QCheckBox("Pupila", this);
  chkPupila_->setObjectName("chkPupila");
  chkPupila_->setChecked(true);
  connect(chkAneis_, &QCheckBox::toggled, this, [this] { Redesenha(); });
  connect(chkPupila_, &QCheckBox::toggled, this, [this] { Redesenha(); });

  auto* btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  auto* btnCancelar = new QPushButton("Cancelar", this);
  btnCancelar->setObjectName("btnCancelar");
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  auto* linha = new QHBoxLayout;
  linha->addWidget(lblConfianca);
  linha->addSpacing(20);
  linha->addWidget(lblPupila);
  linha->addStretch();
  linha->addWidget(chkAneis_);
  linha->addWidget(chkPupila_);
  linha->addSpacing(20);
  linha->addWidget(btnOK);
  linha->addWidget(btnCancelar);
  auto* principal = new QVBoxLayout(this);
  principal->addWidget(imgImagem_);
  principal->addLayout(linha);
  Redesenha();
}

void TfrmRevisao::Redesenha() {
  imgImagem_->setPixmap(QPixmap::fromImage(
      DesenhaRevisao(revisao_, chkAneis_->isChecked(), chkPupila_->isChecked())));
}

}  // namespace processamento
