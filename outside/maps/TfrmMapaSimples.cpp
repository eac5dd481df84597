#include "TfrmMapaSimples.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mapas {

namespace {

QString Linha(const std::vector<std::string>& linhas, size_t i) {
  return i < linhas.size() ? QString::fromStdString(linhas[i]) : QString();
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->setTextFormat(Qt::PlainText);
  return l;
}

QString Dioptrias(double v) {
  return QString::number(v, 'f', 2) + " D";
}

QLabel* Miniatura(QWidget* pai, const char* nome, const QImage& imagem) {
  auto* l = Rotulo(pai, nome, {});
  l->setFixedSize(160, 120);
  if (!imagem.isNull())
    l->setPixmap(QPixmap::fromImage(
        imagem.scaled(l->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  l->setVisible(!imagem.isNull());
  return l;
}

}  // namespace

TfrmMapaSimples::TfrmMapaSimples(QWidget* pai, DadosMapa dados)
    : QDialog(pai), dados_(std::move(dados)) {
  setObjectName("frmMapaSimples");
  setWindowTitle(dados_.titulo);
  setModal(true);
  const auto& cab = dados_.cabecalho;

  // Header: patient, eye, date and time, doctor.
  auto* cabecalho = new QGridLayout;
  cabecalho->addWidget(Rotulo(this, "lblPaciente",
                              "Paciente: " + Linha(cab, 0) +
                                  (Linha(cab, 1).isEmpty() ? "" : " (" + Linha(cab, 1) + ")")),
                       0, 0);
  cabecalho->addWidget(Rotulo(this, "lblOlho", Linha(cab, 3)), 0, 1);
  cabecalho->addWidget(Rotulo(this, "lblData", "Data: " + Linha(cab, 4) + "  " + Linha(cab, 5)), 1,
                       0);
  cabecalho->addWidget(Rotulo(this, "lblMedico", "Médico: " + Linha(cab, 6)), 1, 1);

  imgMapa_ = Rotulo(this, "imgMapa", {});
  imgMapa_->setFixedSize(enquadramento_.lado, enquadramento_.lado);
  imgMapa_->setMouseTracking(true);
  imgMapa_->installEventFilter(this);
  imgMapa_->setCursor(Qt::CrossCursor);
  imgEscala_ = Rotulo(this, "imgEscala", {});
  imgEscala_->setFixedSize(120, enquadramento_.lado);

  // Simulated keratometry.
  const Ceratometria& k = dados_.ceratometria;
  auto* gbxK = new QGroupBox("Ceratometria simulada (3 mm)", this);
  auto* layoutK = new QVBoxLayout(gbxK);
  if (k.valida) {
    layoutK->addWidget(Rotulo(
        gbxK, "lblKCurvo", QString("K curvo: %1 @ %2°").arg(Dioptrias(k.kCurvo)).arg(k.eixoCurvo)));
    layoutK->addWidget(Rotulo(
        gbxK, "lblKPlano", QString("K plano: %1 @ %2°").arg(Dioptrias(k.kPlano)).arg(k.eixoPlano)));
    layoutK->addWidget(
        Rotulo(gbxK, "lblAstig",
               QString("Astigmatismo: %1 @ %2°").arg(Dioptrias(k.astigmatismo)).arg(k.eixoCurvo)));
  } else {
    layoutK->addWidget(Rotulo(gbxK, "lblKCurvo", "Sem dados na zona de 3 mm"));
  }

  auto* gbxCursor = new QGroupBox("Sob o cursor", this);
  lblCursor_ = Rotulo(gbxCursor, "lblCursor", {});
  lblCursor_->setMinimumWidth(230);
  (new QVBoxLayout(gbxCursor))->addWidget(lblCursor_);

  auto* gbxEscala = new QGroupBox("Escala", this);
  rbtAbsoluta_ = new QRadioButton("Absoluta", gbxEscala);
  rbtAbsoluta_->setObjectName("rbtAbsoluta");
  rbtNormalizada_ = new QRadioButton("Normalizada", gbxEscala);
  rbtNormalizada_->setObjectName("rbtNormalizada");
  (dados_.escalaNormalizada ? rbtNormalizada_ : rbtAbsoluta_)->setChecked(true);
  cbxPasso_ = new QComboBox(gbxEscala);
  cbxPasso_->setObjectName("cbxPasso");
  for (double p : kPassos) cbxPasso_->addItem(QString::number(p, 'f', 2) + " D", p);
  cbxPasso_->setCurrentIndex(dados_.escalaNormalizada ? 1 : 3);
  auto* layoutEscala = new QVBoxLayout(gbxEscala);
  layoutEscala->addWidget(rbtAbsoluta_);
  layoutEscala->addWidget(rbtNormalizada_);
  auto* passo = new QHBoxLayout;
  passo->addWidget(new QLabel("Passo:", gbxEscala));
  passo->addWidget(cbxPasso_);
  layoutEscala->addLayout(passo);
  connect(rbtAbsoluta_, &QRadioButton::toggled, this, [this] { Redesenha(); });
  connect(cbxPasso_, &QComboBox::currentIndexChanged, this, [this] { Redesenha(); });

  auto* lateral = new QVBoxLayout;
  lateral->addWidget(gbxK);
  lateral->addWidget(gbxCursor);
  lateral->addWidget(gbxEscala);
  if (dados_.valoresOrto) {
    auto* pnlOrto = new QGroupBox("Ortoceratologia", this);
    pnlOrto->setObjectName("pnlOrto");
    auto* layoutOrto = new QVBoxLayout(pnlOrto);
    const auto& v = *dados_.valoresOrto;
    layoutOrto->addWidget(Rotulo(pnlOrto, "lblSAG", QString("SAG: %1 mm").arg(v[0], 0, 'f', 4)));
    layoutOrto->addWidget(Rotulo(pnlOrto, "lblDIV", QString("DIV: %1").arg(v[1], 0, 'f', 4)));
    layoutOrto->addWidget(Rotulo(pnlOrto, "lblR0", QString("R0: %1 mm").arg(v[2], 0, 'f', 2)));
    lateral->addWidget(pnlOrto);
  }
  auto* imagens = new QHBoxLayout;
  imagens->addWidget(Miniatura(this, "imgCentral", dados_.central));
  imagens->addWidget(Miniatura(this, "imgLateral", dados_.lateral));
  lateral->addLayout(imagens);
  lateral->addStretch();
  auto* btnFechar = new QPushButton("Fechar", this);
  btnFechar->setObjectName("btnFechar");
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  lateral->addWidget(btnFechar, 0, Qt::AlignRight);

  auto* corpo = new QHBoxLayout;
  corpo->addWidget(imgMapa_);
  corpo->addWidget(imgEscala_);
  corpo->addLayout(lateral);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(cabecalho);
  principal->addLayout(corpo);
  Redesenha();
}

void TfrmMapaSimples::Redesenha() {
  const double passo = cbxPasso_->currentData().toDouble();
  const Escala escala = rbtNormalizada_->isChecked()
                            ? EscalaNormalizada(dados_.grade.Minimo(), dados_.grade.Maximo(), passo)
                            : EscalaAbsoluta(passo);
  imgMapa_->setPixmap(QPixmap::fromImage(
      PintaMapa(dados_.grade, escala, enquadramento_, dados_.pupila, dados_.cx, dados_.cy)));
  imgEscala_->setPixmap(
      QPixmap::fromImage(PintaLegenda(escala, imgEscala_->width(), imgEscala_->height())));
}

void TfrmMapaSimples::MostraLeitura(QPointF ponto) {
  lblCursor_->setText(LeituraDoPonto(dados_.grade, enquadramento_, ponto));
}

bool TfrmMapaSimples::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == imgMapa_) {
    if (evento->type() == QEvent::MouseMove)
      MostraLeitura(static_cast<QMouseEvent*>(evento)->position());
    else if (evento->type() == QEvent::Leave)
      lblCursor_->clear();
  }
  return QDialog::eventFilter(objeto, evento);
}

}  // namespace mapas
