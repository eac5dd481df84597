#include "TfrmLente.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "CabecalhoJanela.h"
#include "PinturaMapa.h"

namespace lente {
namespace {

using mapas::Rotulo;

constexpr int kLado = 360;
constexpr double kMmNaFigura = 5.0;  // half side of both pictures, millimetres

QString Mm(double v) {
  return QString::number(v, 'f', 2) + " mm";
}

QString Dioptrias(double v) {
  return QString::number(v, 'f', 2) + " D";
}

QDoubleSpinBox* Caixa(QWidget* pai, const char* nome, double minimo, double maximo, double passo,
                      double valor) {
  auto* c = new QDoubleSpinBox(pai);
  c->setObjectName(nome);
  c->setLocale(QLocale::c());
  c->setDecimals(2);
  c->setRange(minimo, maximo);
  c->setSingleStep(passo);
  c->setSuffix(" mm");
  c->setValue(valor);
  return c;
}

}  // namespace

QImage PintaFluoresceina(const Fluoresceina& f, double diametroMm, int lado) {
  QImage imagem(lado, lado, QImage::Format_RGB32);
  imagem.fill(QColor(25, 25, 35));
  const mapas::Enquadramento e{lado, kMmNaFigura};
  const double raioLentePontos = diametroMm / 2 / e.MmPorPontoFigura();
  for (int y = 0; y < lado; ++y) {
    for (int x = 0; x < lado; ++x) {
      const QPointF ponto(x + 0.5, y + 0.5);
      if (std::hypot(ponto.x() - lado / 2.0, ponto.y() - lado / 2.0) > raioLentePontos) continue;
      int meridiano = 0;
      double raioPx = 0;
      const double t = f.valida && mapas::PontoDaGrade(f.espessura, e, ponto, meridiano, raioPx)
                           ? f.espessura.Em(meridiano, raioPx)
                           : std::nan("");
      if (!std::isfinite(t)) {
        imagem.setPixelColor(x, y, QColor(60, 60, 60));
        continue;
      }
      const double g = std::clamp(t / 60.0, 0.0, 1.0);
      imagem.setPixelColor(x, y,
                           QColor(static_cast<int>(20 + 60 * g), static_cast<int>(15 + 240 * g),
                                  static_cast<int>(10 + 40 * g)));
    }
  }
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 170, 255), 2));
  p.drawEllipse(QPointF(lado / 2.0, lado / 2.0), raioLentePontos, raioLentePontos);
  return imagem;
}

TfrmLente::TfrmLente(QWidget* pai, DadosLente dados) : QDialog(pai), dados_(std::move(dados)) {
  setObjectName("frmLente");
  setWindowTitle("Adaptação de Lente de Contato Rígida");
  setModal(true);
  const auto& cab = dados_.cabecalho;
  const Sugestao& s = dados_.sugestao;
  const mapas::Ceratometria& k = dados_.ceratometria;

  auto* cabecalho = mapas::CabecalhoDoExame(this, cab);

  // The axial map with its scale.
  const mapas::Escala escala = mapas::EscalaAbsoluta(1.5);
  auto* imgMapa = Rotulo(this, "imgMapa", {});
  imgMapa->setPixmap(QPixmap::fromImage(
      mapas::PintaMapa(dados_.axial, escala, mapas::Enquadramento{kLado, kMmNaFigura})));
  auto* imgEscala = Rotulo(this, "imgEscala", {});
  imgEscala->setPixmap(QPixmap::fromImage(mapas::PintaLegenda(escala, 110, kLado)));
  imgFluoresceina_ = Rotulo(this, "imgFluoresceina", {});
  imgFluoresceina_->setFixedSize(kLado, kLado);

  auto* figuras = new QGridLayout;
  figuras->addWidget(new QLabel("Mapa axial", this), 0, 0);
  figuras->addWidget(new QLabel("Fluoresceína simulada", this), 0, 2);
  figuras->addWidget(imgMapa, 1, 0);
  figuras->addWidget(imgEscala, 1, 1);
  figuras->addWidget(imgFluoresceina_, 1, 2);

  auto* gbxK = new QGroupBox("Ceratometria simulada (3 mm)", this);
  auto* layoutK = new QVBoxLayout(gbxK);
  layoutK->addWidget(
      Rotulo(gbxK, "lblKPlano",
             QString("K plano: %1 (%2) @ %3°")
                 .arg(Dioptrias(k.kPlano), Mm(mapas::kConstanteCeratometrica / k.kPlano))
                 .arg(k.eixoPlano)));
  layoutK->addWidget(
      Rotulo(gbxK, "lblKCurvo",
             QString("K curvo: %1 (%2) @ %3°")
                 .arg(Dioptrias(k.kCurvo), Mm(mapas::kConstanteCeratometrica / k.kCurvo))
                 .arg(k.eixoCurvo)));

  auto* gbxSugestao = new QGroupBox("Lente sugerida", this);
  auto* layoutSugestao = new QVBoxLayout(gbxSugestao);
  layoutSugestao->addWidget(
      Rotulo(gbxSugestao, "lblCurvaBase", "Curva base: " + Mm(s.curvaBaseMm)));
  layoutSugestao->addWidget(Rotulo(gbxSugestao, "lblDiametro", "Diâmetro: " + Mm(s.diametroMm)));
  layoutSugestao->addWidget(Rotulo(gbxSugestao, "lblExcentricidade",
                                   s.conica.valida ? QString("Excentricidade (8 mm): %1  (Q %2)")
                                                         .arg(s.conica.Excentricidade(), 0, 'f', 2)
                                                         .arg(s.conica.q, 0, 'f', 2)
                                                   : QString("Excentricidade (8 mm): sem dados")));
  auto* btnSugestao = new QPushButton("Usar a sugestão", gbxSugestao);
  btnSugestao->setObjectName("btnSugestao");
  layoutSugestao->addWidget(btnSugestao);

  auto* gbxLente = new QGroupBox("Lente em prova", this);
  auto* layoutLente = new QFormLayout(gbxLente);
  edtCurvaBase_ = Caixa(gbxLente, "edtCurvaBase", 6.5, 9.5, kPassoMm, s.curvaBaseMm);
  edtDiametro_ = Caixa(gbxLente, "edtDiametro", 7.5, 11.0, 0.1, s.diametroMm);
  layoutLente->addRow("Curva base:", edtCurvaBase_);
  layoutLente->addRow("Diâmetro:", edtDiametro_);
  lblLenteLacrimal_ = Rotulo(gbxLente, "lblLenteLacrimal", {});
  lblApical_ = Rotulo(gbxLente, "lblApical", {});
  lblBorda_ = Rotulo(gbxLente, "lblBorda", {});
  layoutLente->addRow(lblLenteLacrimal_);
  layoutLente->addRow(lblApical_);
  layoutLente->addRow(lblBorda_);

  connect(edtCurvaBase_, &QDoubleSpinBox::valueChanged, this, [this] { Atualiza(); });
  connect(edtDiametro_, &QDoubleSpinBox::valueChanged, this, [this] { Atualiza(); });
  connect(btnSugestao, &QPushButton::clicked, this, [this] {
    edtCurvaBase_->setValue(dados_.sugestao.curvaBaseMm);
    edtDiametro_->setValue(dados_.sugestao.diametroMm);
  });

  auto* lateral = new QVBoxLayout;
  lateral->addWidget(gbxK);
  lateral->addWidget(gbxSugestao);
  lateral->addWidget(gbxLente);
  lateral->addStretch();
  auto* btnFechar = new QPushButton("Fechar", this);
  btnFechar->setObjectName("btnFechar");
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  lateral->addWidget(btnFechar, 0, Qt::AlignRight);

  auto* corpo = new QHBoxLayout;
  corpo->addLayout(figuras);
  corpo->addLayout(lateral);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(cabecalho);
  principal->addLayout(corpo);
  Atualiza();
}

void TfrmLente::Atualiza() {
  // The spin box keeps the value typed; the lens is made in steps of 0.05 mm.
  const double curva = ArredondaPasso(edtCurvaBase_->value());
  const double diametro = edtDiametro_->value();
  const Fluoresceina f = SimulaFluoresceina(dados_.sagitta, curva, diametro);
  imgFluoresceina_->setPixmap(QPixmap::fromImage(PintaFluoresceina(f, diametro, kLado)));
  lblLenteLacrimal_->setText("Lente lacrimal: " +
                             Dioptrias(LenteLacrimal(curva, dados_.ceratometria.kPlano)));
  lblApical_->setText(f.valida ? QString("Filme apical: %1 µm").arg(std::lround(f.apical))
                               : QString("Filme apical: sem dados"));
  lblBorda_->setText(f.valida ? QString("Filme na borda: %1 µm").arg(std::lround(f.borda))
                              : QString("Filme na borda: sem dados"));
}

}  // namespace lente
