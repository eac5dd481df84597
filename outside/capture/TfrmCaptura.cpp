#include "TfrmCaptura.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

namespace captura {

TfrmCaptura::TfrmCaptura(QWidget* pai, const QString& titulo, Modo modo, int olho,
                         double raioEsfera)
    : QDialog(pai), modo_(modo), raioEsfera_(raioEsfera) {
  setObjectName("frmCaptura");
  setWindowTitle(titulo);
  setModal(true);

  auto* lblOlho = new QLabel(this);
  lblOlho->setObjectName("lblOlho");
  if (modo == Modo::Esfera)
    lblOlho->setText(QString("Esfera de calibração de %1 mm").arg(raioEsfera, 0, 'f', 2));
  else
    lblOlho->setText(olho == 0 ? "Olho Esquerdo" : "Olho Direito");
  QFont negrito = lblOlho->font();
  negrito.setBold(true);
  lblOlho->setFont(negrito);

  cbxModelo_ = new QComboBox(this);
  cbxModelo_->setObjectName("cbxModelo");
  cbxModelo_->addItems({"Esfera", "Conicóide", "Tórica", "Ceratocone", "Ortoceratologia"});
  cbxAneis_ = new QComboBox(this);
  cbxAneis_->setObjectName("cbxAneis");
  cbxAneis_->addItems({"32", "16"});

  campos_ = new QFormLayout;
  campos_->addRow("Modelo de olho:", cbxModelo_);
  campos_->addRow("Anéis do cone:", cbxAneis_);
  edtRaioEsfera_ = Campo("edtRaioEsfera", "Raio (mm):", 6.0, 10.0, 7.8, 2, 0.05);
  edtRaioApical_ = Campo("edtRaioApical", "Raio apical (mm):", 6.0, 10.0, 7.8, 2, 0.05);
  edtQ_ = Campo("edtQ", "Asfericidade Q:", -2.0, 1.0, -0.25, 2, 0.05);
  edtRaioPlano_ = Campo("edtRaioPlano", "Raio plano (mm):", 6.0, 10.0, 8.0, 2, 0.05);
  edtRaioCurvo_ = Campo("edtRaioCurvo", "Raio curvo (mm):", 6.0, 10.0, 7.6, 2, 0.05);
  edtEixo_ = Campo("edtEixo", "Eixo curvo (°):", 0, 180, 90, 0, 5);
  edtConeX_ = Campo("edtConeX", "Cone: posição X (mm):", -3.0, 3.0, 0.6, 2, 0.1);
  edtConeY_ = Campo("edtConeY", "Cone: posição Y (mm):", -3.0, 3.0, -0.8, 2, 0.1);
  edtConeTamanho_ = Campo("edtConeTamanho", "Cone: raio (mm):", 0.5, 4.0, 1.5, 2, 0.1);
  edtConeAltura_ = Campo("edtConeAltura", "Cone: altura (mm):", 0.0, 0.1, 0.02, 3, 0.005);
  edtAchatamento_ = Campo("edtAchatamento", "Achatamento central (D):", 0.0, 8.0, 3.0, 2, 0.25);
  edtZona_ = Campo("edtZona", "Zona de tratamento (mm):", 2.0, 6.0, 4.0, 1, 0.5);
  edtDescentroX_ = Campo("edtDescentroX", "Descentração X (pixels):", -60, 60, 0, 0, 1);
  edtDescentroY_ = Campo("edtDescentroY", "Descentração Y (pixels):", -60, 60, 0, 0, 1);
  edtRuido_ = Campo("edtRuido", "Ruído:", 0, 30, 0, 1, 0.5);

  imgPrevia_ = new QLabel(this);
  imgPrevia_->setObjectName("imgPrevia");
  imgPrevia_->setFixedSize(320, 240);
  imgPrevia_->setStyleSheet("background: black");
  lblAviso_ = new QLabel(this);
  lblAviso_->setObjectName("lblAviso");
  lblAviso_->setWordWrap(true);

  auto* btnCapturar = new QPushButton("Capturar", this);
  btnCapturar->setObjectName("btnCapturar");
  btnCapturar->setDefault(true);
  auto* btnCancelar = new QPushButton("Cancelar", this);
  btnCancelar->setObjectName("btnCancelar");
  connect(btnCapturar, &QPushButton::clicked, this, [this] { btnCapturarClick(); });
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  auto* esquerda = new QVBoxLayout;
  esquerda->addWidget(lblOlho);
  esquerda->addLayout(campos_);
  esquerda->addStretch();
  auto* direita = new QVBoxLayout;
  direita->addWidget(new QLabel("Imagem central (prévia):", this));
  direita->addWidget(imgPrevia_);
  direita->addWidget(lblAviso_);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnCapturar);
  botoes->addWidget(btnCancelar);
  direita->addStretch();
  direita->addLayout(botoes);
  auto* principal = new QHBoxLayout(this);
  principal->addLayout(esquerda);
  principal->addLayout(direita);

  if (modo == Modo::SerieOrto) {
    cbxModelo_->setCurrentIndex(static_cast<int>(TipoModelo::Ortoceratologia));
    cbxModelo_->setEnabled(false);
    lblAviso_->setText(
        "Serão capturadas quatro imagens: antes da lente e após três noites de uso.");
  }
  timerPrevia_ = new QTimer(this);
  timerPrevia_->setSingleShot(true);
  timerPrevia_->setInterval(120);
  connect(timerPrevia_, &QTimer::timeout, this, [this] { AtualizaPrevia(); });
  connect(cbxModelo_, &QComboBox::currentIndexChanged, this, [this] {
    MostraCamposDoTipo();
    AgendaPrevia();
  });
  connect(cbxAneis_, &QComboBox::currentIndexChanged, this, [this] { AgendaPrevia(); });
  MostraCamposDoTipo();
  AtualizaPrevia();
}

QDoubleSpinBox* TfrmCaptura::Campo(const char* nome, const QString& rotulo, double minimo,
                                   double maximo, double valor, int decimais, double passo) {
  auto* campo = new QDoubleSpinBox(this);
  campo->setObjectName(nome);
  campo->setDecimals(decimais);
  campo->setRange(minimo, maximo);
  campo->setSingleStep(passo);
  campo->setValue(valor);
  campos_->addRow(rotulo, campo);
  connect(campo, &QDoubleSpinBox::valueChanged, this, [this] { AgendaPrevia(); });
  return campo;
}

void TfrmCaptura::MostraCamposDoTipo() {
  const auto tipo = static_cast<TipoModelo>(cbxModelo_->currentIndex());
  const bool esfera = modo_ == Modo::Esfera;
  auto mostra = [&](QWidget* campo, bool visivel) { campos_->setRowVisible(campo, visivel); };
  mostra(cbxModelo_, !esfera);
  mostra(edtRaioEsfera_, !esfera && tipo == TipoModelo::Esfera);
  const bool base = tipo == TipoModelo::Conicoide || tipo == TipoModelo::Ceratocone ||
                    tipo == TipoModelo::Ortoceratologia;
  mostra(edtRaioApical_, !esfera && base);
  mostra(edtQ_, !esfera && base);
  for (QWidget* c : {edtRaioPlano_, edtRaioCurvo_, edtEixo_})
    mostra(c, !esfera && tipo == TipoModelo::Torica);
  for (QWidget* c : {edtConeX_, edtConeY_, edtConeTamanho_, edtConeAltura_})
    mostra(c, !esfera && tipo == TipoModelo::Ceratocone);
  for (QWidget* c : {edtAchatamento_, edtZona_})
    mostra(c, !esfera && tipo == TipoModelo::Ortoceratologia);
  for (QWidget* c : {edtDescentroX_, edtDescentroY_, edtRuido_}) mostra(c, !esfera);
  adjustSize();
}

ModeloOlho TfrmCaptura::Modelo() const {
  ModeloOlho m;
  m.tipo = static_cast<TipoModelo>(cbxModelo_->currentIndex());
  m.raioEsfera = edtRaioEsfera_->value();
  m.raioApical = edtRaioApical_->value();
  m.q = edtQ_->value();
  m.raioPlano = edtRaioPlano_->value();
  m.raioCurvo = edtRaioCurvo_->value();
  m.eixoCurvo = edtEixo_->value();
  m.coneX = edtConeX_->value();
  m.coneY = edtConeY_->value();
  m.coneTamanho = edtConeTamanho_->value();
  m.coneAltura = edtConeAltura_->value();
  m.achatamento = edtAchatamento_->value();
  m.zonaTratamento = edtZona_->value();
  m.descentroX = edtDescentroX_->value();
  m.descentroY = edtDescentroY_->value();
  m.ruido = edtRuido_->value();
  return m;
}

int TfrmCaptura::Aneis() const {
  return cbxAneis_->currentText().toInt();
}

std::vector<placido::Scene> TfrmCaptura::Cenas(int superamostragem) const {
  if (modo_ == Modo::Esfera) return {CenaEsfera(raioEsfera_, Aneis(), superamostragem)};
  if (modo_ == Modo::Olho) return {Cena(Modelo(), Aneis(), superamostragem)};
  std::vector<placido::Scene> cenas;
  for (const ModeloOlho& noite : SerieOrto(Modelo()))
    cenas.push_back(Cena(noite, Aneis(), superamostragem));
  return cenas;
}

void TfrmCaptura::AgendaPrevia() {
  timerPrevia_->start();
}

void TfrmCaptura::AtualizaPrevia() {
  // The last picture of a follow-up is the most treated one: the one worth previewing.
  const placido::Scene cena = Cenas(1).back();
  const std::string motivo = placido::ValidateScene(cena);
  if (!motivo.empty()) {
    imgPrevia_->clear();
    lblAviso_->setText(QString::fromStdString("Modelo inválido: " + motivo));
    return;
  }
  if (modo_ != Modo::SerieOrto) lblAviso_->clear();
  imgPrevia_->setPixmap(QPixmap::fromImage(placido::Render(cena).scaled(
      imgPrevia_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmCaptura::btnCapturarClick() {
  std::vector<QImage> centrais, laterais;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    for (const placido::Scene& cena : Cenas(4)) {
      centrais.push_back(placido::Render(cena));
      laterais.push_back(VistaLateral(cena));
    }
  } catch (const std::invalid_argument& e) {
    QApplication::restoreOverrideCursor();
    lblAviso_->setText(QString("Não foi possível capturar: ") + e.what());
    return;
  }
  QApplication::restoreOverrideCursor();
  centrais_ = std::move(centrais);
  laterais_ = std::move(laterais);
  accept();
}

}  // namespace captura
