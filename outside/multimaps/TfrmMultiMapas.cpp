#include "TfrmMultiMapas.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace multimapas {

using mapas::Escala;
using mapas::GradePotencia;
using mapas::TipoMapa;

namespace {

constexpr int kLegendaLargura = 115;

QString Linha(const std::vector<std::string>& linhas, size_t i) {
  return i < linhas.size() ? QString::fromStdString(linhas[i]) : QString();
}

QLabel* Rotulo(QWidget* pai, const QString& nome, const QString& texto = {}) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->setTextFormat(Qt::PlainText);
  return l;
}

QString TextoCeratometria(const mapas::Ceratometria& k) {
  if (!k.valida) return "Sem dados na zona de 3 mm";
  return QString("K plano: %1 D @ %2°\nK curvo: %3 D @ %4°\nAstigmatismo: %5 D")
      .arg(k.kPlano, 0, 'f', 2)
      .arg(k.eixoPlano)
      .arg(k.kCurvo, 0, 'f', 2)
      .arg(k.eixoCurvo)
      .arg(k.astigmatismo, 0, 'f', 2);
}

// The title of exam i's map: its role in the module, the eye, date and time, and its kind.
QString TituloExame(ModuloMultiMapa modulo, const ExameMapa& e, size_t i) {
  QString papel = QString("Exame %1").arg(i + 1);
  if (modulo == ModuloMultiMapa::Diferencial) papel = i == 0 ? "Antes" : "Depois";
  QString texto = papel + ": " + Linha(e.cabecalho, 3) + "  " + Linha(e.cabecalho, 4) + " " +
                  Linha(e.cabecalho, 5);
  if (e.tipo == 'O') texto += "  [Orto]";
  return texto;
}

// Nasal and temporal sides of the eye on its map as the examiner faces the patient: the right
// eye's nose lies to the right of the picture, the left eye's to the left.
void MarcaLados(QImage& imagem, bool olhoEsquerdo) {
  QPainter p(&imagem);
  QFont fonte = p.font();
  fonte.setBold(true);
  fonte.setPixelSize(14);
  p.setFont(fonte);
  p.setPen(QColor(255, 230, 0));
  const QRect esquerda(4, 2, 20, 18), direita(imagem.width() - 24, 2, 20, 18);
  p.drawText(esquerda, Qt::AlignCenter, olhoEsquerdo ? "N" : "T");
  p.drawText(direita, Qt::AlignCenter, olhoEsquerdo ? "T" : "N");
}

// The common scale of the maps: the absolute one, or the normalised one over all maps.
Escala EscalaComum(const std::vector<const GradePotencia*>& grades, bool normalizada,
                   double passo) {
  if (!normalizada) return mapas::EscalaAbsoluta(passo);
  double minimo = NAN, maximo = NAN;
  for (const auto* g : grades) {
    if (g->Vazia()) continue;
    minimo = std::isnan(minimo) ? g->Minimo() : std::min(minimo, g->Minimo());
    maximo = std::isnan(maximo) ? g->Maximo() : std::max(maximo, g->Maximo());
  }
  return mapas::EscalaNormalizada(minimo, maximo, passo);
}

QComboBox* Passos(QWidget* pai, const char* nome, int inicial) {
  auto* c = new QComboBox(pai);
  c->setObjectName(nome);
  for (double p : mapas::kPassos) c->addItem(QString::number(p, 'f', 2) + " D", p);
  c->setCurrentIndex(inicial);
  return c;
}

}  // namespace

const char* TituloDe(ModuloMultiMapa modulo) {
  switch (modulo) {
    case ModuloMultiMapa::Dual:
      return "Mapa Dual OD/OS";
    case ModuloMultiMapa::Diferencial:
      return "Mapa Diferencial";
    case ModuloMultiMapa::Comparativo:
      break;
  }
  return "Mapas Comparativos";
}

TfrmMultiMapas::TfrmMultiMapas(QWidget* pai, DadosMultiMapas dados)
    : QDialog(pai), dados_(std::move(dados)) {
  setObjectName("frmMultiMapas");
  setWindowTitle(TituloDe(dados_.modulo));
  setModal(true);
  enquadramento_.lado = dados_.modulo == ModuloMultiMapa::Dual ? 320 : 250;
  const auto& primeiro = dados_.exames.front().cabecalho;

  auto* topo = new QHBoxLayout;
  topo->addWidget(
      Rotulo(this, "lblPaciente",
             "Paciente: " + Linha(primeiro, 0) +
                 (Linha(primeiro, 1).isEmpty() ? "" : " (" + Linha(primeiro, 1) + ")")));
  topo->addWidget(Rotulo(this, "lblMedico", "Médico: " + Linha(primeiro, 6)));

  auto* grade = new QGridLayout;
  for (size_t i = 0; i < dados_.exames.size(); ++i)
    grade->addWidget(Painel(i), static_cast<int>(i / 2), static_cast<int>(i % 2));
  if (Diferencial()) {
    difAxial_ = Diferenca(dados_.exames[0].axial, dados_.exames[1].axial);
    difTangencial_ = Diferenca(dados_.exames[0].tangencial, dados_.exames[1].tangencial);
    zona_ = CalculaZonaTratamento(difTangencial_);
    grade->addWidget(PainelDiferenca(), 1, 0, 1, 2);
  }
  imgEscala_ = Rotulo(this, "imgEscala");
  imgEscala_->setFixedSize(kLegendaLargura, dados_.exames.size() > 2 || Diferencial()
                                                ? 2 * enquadramento_.lado
                                                : enquadramento_.lado);

  auto* corpo = new QHBoxLayout;
  corpo->addLayout(grade);
  corpo->addWidget(imgEscala_, 0, Qt::AlignTop);
  corpo->addWidget(Controles());
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(topo);
  // Exams of 16 and of 32 rings cover different zones of the cornea.
  const auto [menos, mais] =
      std::minmax_element(dados_.exames.begin(), dados_.exames.end(),
                          [](const ExameMapa& a, const ExameMapa& b) { return a.aneis < b.aneis; });
  auto* aviso = Rotulo(this, "lblAviso",
                       QString("Exames com números de anéis diferentes (%1 e %2): compare "
                               "apenas a área coberta por todos.")
                           .arg(menos->aneis)
                           .arg(mais->aneis));
  aviso->setStyleSheet("color: #a00000;");
  aviso->setVisible((menos->aneis > 16) != (mais->aneis > 16));
  principal->addWidget(aviso);
  principal->addLayout(corpo);
  Redesenha();
}

QWidget* TfrmMultiMapas::Painel(size_t i) {
  const ExameMapa& e = dados_.exames[i];
  const QString n = QString::number(i + 1);
  auto* painel = new QWidget(this);
  auto* layout = new QVBoxLayout(painel);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(Rotulo(painel, "lblExame" + n, TituloExame(dados_.modulo, e, i)));
  auto* mapa = Rotulo(painel, "imgMapa" + n);
  mapa->setFixedSize(enquadramento_.lado, enquadramento_.lado);
  mapa->setMouseTracking(true);
  mapa->installEventFilter(this);
  mapa->setCursor(Qt::CrossCursor);
  imgMapas_.push_back(mapa);
  layout->addWidget(mapa);
  auto* k = Rotulo(painel, "lblK" + n, TextoCeratometria(e.ceratometria));
  layout->addWidget(k);
  auto* leitura = Rotulo(painel, "lblLeitura" + n);
  leitura->setMinimumWidth(enquadramento_.lado);
  lblLeituras_.push_back(leitura);
  layout->addWidget(leitura);
  layout->addStretch();
  return painel;
}

QWidget* TfrmMultiMapas::PainelDiferenca() {
  auto* painel = new QWidget(this);
  auto* layout = new QGridLayout(painel);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(Rotulo(painel, "lblDiferenca", "Diferença (depois − antes)"), 0, 0, 1, 2);
  imgDiferenca_ = Rotulo(painel, "imgDiferenca");
  imgDiferenca_->setFixedSize(enquadramento_.lado, enquadramento_.lado);
  imgDiferenca_->setMouseTracking(true);
  imgDiferenca_->installEventFilter(this);
  imgDiferenca_->setCursor(Qt::CrossCursor);
  layout->addWidget(imgDiferenca_, 1, 0, 3, 1);
  imgEscalaDiferenca_ = Rotulo(painel, "imgEscalaDiferenca");
  imgEscalaDiferenca_->setFixedSize(kLegendaLargura - 40, enquadramento_.lado);
  layout->addWidget(imgEscalaDiferenca_, 1, 1, 3, 1);

  auto* resultados = new QVBoxLayout;
  lblVariacao_ = Rotulo(painel, "lblVariacaoCentral");
  resultados->addWidget(lblVariacao_);
  resultados->addWidget(
      Rotulo(painel, "lblZonaTratamento",
             zona_.valida ? QString("Zona de tratamento: %1 mm").arg(zona_.diametroMm, 0, 'f', 2)
                          : QString("Zona de tratamento: não definida")));
  resultados->addWidget(
      Rotulo(painel, "lblZonaNota", "(onde o aplanamento tangencial\ncruza 0 D)"));
  lblLeituraDiferenca_ = Rotulo(painel, "lblLeituraDiferenca");
  resultados->addWidget(lblLeituraDiferenca_);
  auto* passo = new QHBoxLayout;
  passo->addWidget(new QLabel("Passo:", painel));
  cbxPassoDiferenca_ = Passos(painel, "cbxPassoDiferenca", 1);
  passo->addWidget(cbxPassoDiferenca_);
  resultados->addLayout(passo);
  resultados->addStretch();
  layout->addLayout(resultados, 1, 2, 3, 1);
  connect(cbxPassoDiferenca_, &QComboBox::currentIndexChanged, this, [this] { Redesenha(); });
  return painel;
}

QWidget* TfrmMultiMapas::Controles() {
  auto* coluna = new QWidget(this);
  auto* layout = new QVBoxLayout(coluna);
  auto* gbxTipo = new QGroupBox("Mapa", coluna);
  rbtAxial_ = new QRadioButton("Axial", gbxTipo);
  rbtAxial_->setObjectName("rbtAxial");
  auto* rbtTangencial = new QRadioButton("Tangencial", gbxTipo);
  rbtTangencial->setObjectName("rbtTangencial");
  // Follow-ups read the treatment zone on the tangential map.
  (Diferencial() ? rbtTangencial : rbtAxial_)->setChecked(true);
  auto* layoutTipo = new QVBoxLayout(gbxTipo);
  layoutTipo->addWidget(rbtAxial_);
  layoutTipo->addWidget(rbtTangencial);

  auto* gbxEscala = new QGroupBox("Escala comum", coluna);
  auto* rbtAbsoluta = new QRadioButton("Absoluta", gbxEscala);
  rbtAbsoluta->setObjectName("rbtAbsoluta");
  rbtNormalizada_ = new QRadioButton("Normalizada", gbxEscala);
  rbtNormalizada_->setObjectName("rbtNormalizada");
  rbtAbsoluta->setChecked(true);
  cbxPasso_ = Passos(gbxEscala, "cbxPasso", 2);
  auto* layoutEscala = new QVBoxLayout(gbxEscala);
  layoutEscala->addWidget(rbtAbsoluta);
  layoutEscala->addWidget(rbtNormalizada_);
  layoutEscala->addWidget(new QLabel("Passo:", gbxEscala));
  layoutEscala->addWidget(cbxPasso_);

  auto* btnFechar = new QPushButton("Fechar", coluna);
  btnFechar->setObjectName("btnFechar");
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  connect(rbtAxial_, &QRadioButton::toggled, this, [this] { Redesenha(); });
  connect(rbtNormalizada_, &QRadioButton::toggled, this, [this] { Redesenha(); });
  connect(cbxPasso_, &QComboBox::currentIndexChanged, this, [this] { Redesenha(); });
  layout->addWidget(gbxTipo);
  layout->addWidget(gbxEscala);
  layout->addStretch();
  layout->addWidget(btnFechar);
  return coluna;
}

TipoMapa TfrmMultiMapas::Tipo() const {
  return rbtAxial_->isChecked() ? TipoMapa::Axial : TipoMapa::Tangencial;
}

void TfrmMultiMapas::Redesenha() {
  const TipoMapa tipo = Tipo();
  std::vector<const GradePotencia*> grades;
  for (const auto& e : dados_.exames) grades.push_back(&e.Grade(tipo));
  const Escala escala =
      EscalaComum(grades, rbtNormalizada_->isChecked(), cbxPasso_->currentData().toDouble());
  for (size_t i = 0; i < dados_.exames.size(); ++i) {
    QImage imagem = mapas::PintaMapa(*grades[i], escala, enquadramento_);
    MarcaLados(imagem, dados_.exames[i].OlhoEsquerdo());
    imgMapas_[i]->setPixmap(QPixmap::fromImage(imagem));
  }
  imgEscala_->setPixmap(
      QPixmap::fromImage(mapas::PintaLegenda(escala, imgEscala_->width(), imgEscala_->height())));
  if (Diferencial()) AtualizaDiferenca();
}

void TfrmMultiMapas::AtualizaDiferenca() {
  const GradePotencia& dif = Tipo() == TipoMapa::Axial ? difAxial_ : difTangencial_;
  const Escala escala = EscalaDiferenca(cbxPassoDiferenca_->currentData().toDouble());
  QImage imagem = mapas::PintaMapa(dif, escala, enquadramento_);
  MarcaLados(imagem, dados_.exames[0].OlhoEsquerdo());
  if (zona_.valida) {
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    const double raio = zona_.diametroMm / 2 / enquadramento_.MmPorPontoFigura();
    p.drawEllipse(QPointF(enquadramento_.lado / 2.0, enquadramento_.lado / 2.0), raio, raio);
  }
  imgDiferenca_->setPixmap(QPixmap::fromImage(imagem));
  imgEscalaDiferenca_->setPixmap(QPixmap::fromImage(
      mapas::PintaLegenda(escala, imgEscalaDiferenca_->width(), imgEscalaDiferenca_->height(),
                          mapas::Legenda::Variacao)));
  const double central = VariacaoCentral(dif);
  lblVariacao_->setText(std::isfinite(central)
                            ? QString::asprintf("Variação central: %+.2f D", central)
                            : QString("Variação central: sem dados"));
}

void TfrmMultiMapas::MostraLeitura(QPointF ponto) {
  const TipoMapa tipo = Tipo();
  for (size_t i = 0; i < dados_.exames.size(); ++i)
    lblLeituras_[i]->setText(
        mapas::LeituraDoPonto(dados_.exames[i].Grade(tipo), enquadramento_, ponto));
  if (!Diferencial()) return;
  const GradePotencia& dif = tipo == TipoMapa::Axial ? difAxial_ : difTangencial_;
  int m;
  double r;
  double v = NAN;
  if (mapas::PontoDaGrade(dif, enquadramento_, ponto, m, r)) v = dif.Em(m, r);
  lblLeituraDiferenca_->setText(std::isfinite(v) ? QString::asprintf("Diferença: %+.2f D", v)
                                                 : QString());
}

bool TfrmMultiMapas::eventFilter(QObject* objeto, QEvent* evento) {
  const bool mapa = objeto == imgDiferenca_ ||
                    std::find(imgMapas_.begin(), imgMapas_.end(), objeto) != imgMapas_.end();
  if (mapa && evento->type() == QEvent::MouseMove)
    MostraLeitura(static_cast<QMouseEvent*>(evento)->position());
  return QDialog::eventFilter(objeto, evento);
}

}  // namespace multimapas
