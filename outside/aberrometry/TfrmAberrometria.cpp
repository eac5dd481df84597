#include "TfrmAberrometria.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "CabecalhoJanela.h"

namespace aberrometria {
namespace {

using mapas::Rotulo;

QString Micrometros(double v) {
  return QString::number(v, 'f', 3);
}

// Blue (negative) through white to red (positive), t in -1..1.
QColor Divergente(double t) {
  t = std::clamp(t, -1.0, 1.0);
  const int claro = static_cast<int>(std::lround(255 * (1 - std::abs(t))));
  return t < 0 ? QColor(claro, claro, 255) : QColor(255, claro, claro);
}

QImage PintaLegendaDivergente(double extremo, int altura) {
  QImage legenda(90, altura, QImage::Format_RGB32);
  legenda.fill(Qt::white);
  QPainter p(&legenda);
  const int topo = 20, base = altura - 20;
  for (int y = topo; y <= base; ++y)
    p.fillRect(0, y, 24, 1, Divergente(1 - 2.0 * (y - topo) / (base - topo)));
  p.setPen(Qt::black);
  p.drawText(28, topo + 5, "+" + Micrometros(extremo));
  p.drawText(28, (topo + base) / 2 + 5, "0");
  p.drawText(28, base + 5, "-" + Micrometros(extremo));
  p.drawText(0, altura - 2, "µm");
  return legenda;
}

}  // namespace

QImage PintaAltaOrdem(const AnaliseZernike& analise, int lado, double& extremo) {
  QImage imagem(lado, lado, QImage::Format_RGB32);
  imagem.fill(QColor(90, 90, 90));
  const double meio = lado / 2.0;
  std::vector<double> valores(static_cast<size_t>(lado) * lado, std::nan(""));
  extremo = 0;
  for (int y = 0; y < lado; ++y) {
    for (int x = 0; x < lado; ++x) {
      const double u = (x + 0.5 - meio) / meio, v = (meio - y - 0.5) / meio;
      const double rho = std::hypot(u, v);
      if (rho > 1) continue;
      const double w = analise.AltaOrdem(rho, std::atan2(v, u));
      valores[static_cast<size_t>(y) * lado + x] = w;
      extremo = std::max(extremo, std::abs(w));
    }
  }
  // A scale of at least 0.05 um, so that a map without higher orders stays pale.
  extremo = std::max(extremo, 0.05);
  for (int y = 0; y < lado; ++y)
    for (int x = 0; x < lado; ++x)
      if (const double w = valores[static_cast<size_t>(y) * lado + x]; std::isfinite(w))
        imagem.setPixelColor(x, y, Divergente(w / extremo));
  QPainter p(&imagem);
  p.setPen(QPen(Qt::black, 1));
  p.drawEllipse(QRectF(0.5, 0.5, lado - 1, lado - 1));
  p.drawLine(QPointF(meio, 0), QPointF(meio, lado));
  p.drawLine(QPointF(0, meio), QPointF(lado, meio));
  return imagem;
}

TfrmAberrometria::TfrmAberrometria(QWidget* pai, const DadosAberrometria& dados) : QDialog(pai) {
  setObjectName("frmAberrometria");
  setWindowTitle("Aberrometria da córnea");
  setModal(true);
  const auto& cab = dados.cabecalho;
  const AnaliseZernike& a = dados.analise;

  auto* cabecalho = mapas::CabecalhoDoExame(this, cab);

  double extremo = 0;
  auto* imgMapa = Rotulo(this, "imgMapa", {});
  imgMapa->setPixmap(QPixmap::fromImage(PintaAltaOrdem(a, dados.lado, extremo)));
  auto* imgEscala = Rotulo(this, "imgEscala", {});
  imgEscala->setPixmap(QPixmap::fromImage(PintaLegendaDivergente(extremo, dados.lado)));
  auto* mapa = new QVBoxLayout;
  mapa->addWidget(Rotulo(this, "lblTituloMapa",
                         "Altura de alta ordem (3ª a 6ª ordem) sobre a esfera de referência"));
  auto* figura = new QHBoxLayout;
  figura->addWidget(imgMapa);
  figura->addWidget(imgEscala);
  mapa->addLayout(figura);
  mapa->addStretch();

  auto* gbxResumo = new QGroupBox("Análise de Zernike", this);
  auto* resumo = new QVBoxLayout(gbxResumo);
  resumo->addWidget(
      Rotulo(gbxResumo, "lblPupila", QString("Pupila: %1 mm").arg(2 * a.raioPupilaMm, 0, 'f', 2)));
  resumo->addWidget(Rotulo(gbxResumo, "lblEsfera",
                           QString("Esfera de referência: %1 mm").arg(a.raioEsferaMm, 0, 'f', 2)));
  resumo->addWidget(Rotulo(gbxResumo, "lblRMSAltaOrdem",
                           "RMS de alta ordem: " + Micrometros(a.rmsAltaOrdem) + " µm"));
  resumo->addWidget(
      Rotulo(gbxResumo, "lblRMSTotal", "RMS total: " + Micrometros(a.rmsTotal) + " µm"));
  const mapas::Ceratometria& k = dados.ceratometria;
  resumo->addWidget(Rotulo(gbxResumo, "lblCeratometria",
                           k.valida ? QString("K: %1 D @ %2° / %3 D @ %4°")
                                          .arg(k.kPlano, 0, 'f', 2)
                                          .arg(k.eixoPlano)
                                          .arg(k.kCurvo, 0, 'f', 2)
                                          .arg(k.eixoCurvo)
                                    : QString("K: sem dados na zona de 3 mm")));

  auto* tblCoeficientes = new QTableWidget(kTermos, 4, this);
  tblCoeficientes->setObjectName("tblCoeficientes");
  tblCoeficientes->setHorizontalHeaderLabels({"j", "n, m", "Termo", "µm"});
  tblCoeficientes->verticalHeader()->hide();
  tblCoeficientes->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int j = 0; j < kTermos; ++j) {
    const auto [n, m] = IndiceOSA(j);
    const QString valor =
        j < static_cast<int>(a.coeficientes.size()) ? Micrometros(a.coeficientes[j]) : "-";
    const QString textos[] = {QString::number(j), QString("%1, %2").arg(n).arg(m),
                              QString::fromStdString(NomeDoTermo(j)), valor};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(textos[c]);
      if (c != 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      tblCoeficientes->setItem(j, c, item);
    }
  }
  tblCoeficientes->resizeColumnsToContents();
  tblCoeficientes->setMinimumWidth(380);

  auto* lateral = new QVBoxLayout;
  lateral->addWidget(gbxResumo);
  lateral->addWidget(tblCoeficientes, 1);

  auto* corpo = new QHBoxLayout;
  corpo->addLayout(mapa);
  corpo->addLayout(lateral, 1);

  auto* rodape = new QHBoxLayout;
  QStringList clinica;
  for (const auto& l : dados.clinica)
    if (!l.empty()) clinica << QString::fromStdString(l);
  rodape->addWidget(Rotulo(this, "lblClinica", clinica.join("  ·  ")), 1);
  auto* btnFechar = new QPushButton("Fechar", this);
  btnFechar->setObjectName("btnFechar");
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  rodape->addWidget(btnFechar);

  auto* principal = new QVBoxLayout(this);
  principal->addLayout(cabecalho);
  principal->addLayout(corpo, 1);
  principal->addLayout(rodape);
  resize(920, 560);
}

}  // namespace aberrometria
