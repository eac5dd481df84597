#include "TfrmMapaView.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <array>

#include "QtFormView.h"

namespace kandor {
namespace {

const QColor kAmareloClaro(255, 255, 225);
const QColor kMarinho(0, 0, 128);
const QColor kBarraTitulo(10, 36, 106);

QWidget* Painel(QWidget* pai, const char* nome, QRect r, QColor fundo) {
  auto* w = new QWidget(pai);
  w->setObjectName(nome);
  w->setGeometry(r);
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, fundo);
  w->setPalette(pal);
  return w;
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, QPoint pos,
               const QString& estilo = {}) {
  auto* l = new QLabel(pai);
  l->setTextFormat(Qt::PlainText);
  l->setText(texto);
  if (nome) l->setObjectName(nome);
  if (!estilo.isEmpty()) l->setStyleSheet(estilo);
  l->move(pos);
  l->adjustSize();
  l->setMinimumWidth(l->width());
  return l;
}

// A label that keeps a fixed box (value boxes and caption bars are rewritten later).  Texts
// are shown as they come: header lines are typed by the operator and are never markup.
QLabel* Caixa(QWidget* pai, const char* nome, const QString& texto, QRect r,
              const QString& estilo = {},
              Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(pai);
  l->setTextFormat(Qt::PlainText);
  l->setText(texto);
  l->setObjectName(nome);
  l->setGeometry(r);
  l->setAlignment(alinhamento);
  if (!estilo.isEmpty()) l->setStyleSheet(estilo);
  return l;
}

// One of the three value boxes: a title and the rows of images 1..4, mean and deviation.
void CaixaValores(QWidget* pai, const char* painel, int topo, const char* nomeTitulo,
                  const QString& titulo, const std::array<const char*, 6>& nomes) {
  QWidget* p = Painel(pai, painel, QRect(0, topo, 124, 129), Qt::white);
  Caixa(p, nomeTitulo, titulo, QRect(0, 0, 124, 17),
        "background:#000080; color:white; font: bold 8pt 'Arial';", Qt::AlignCenter);
  const QString linhas[6] = {
      "Imagem1:", "Imagem2:", "Imagem3:", "Imagem4:", "Média:", "Desvio Padrão:"};
  for (int i = 0; i < 6; ++i) {
    const bool vermelho = i >= 4;
    const QString estilo = QString("font: 8pt 'Arial'; color:%1;").arg(vermelho ? "red" : "black");
    Caixa(p, nullptr, linhas[i], QRect(4, 19 + i * 18, 80, 16), estilo);
    Caixa(p, nomes[i], "#", QRect(72, 19 + i * 18, 48, 16), estilo,
          Qt::AlignRight | Qt::AlignVCenter);
  }
}

}  // namespace

TfrmMapaView::TfrmMapaView(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("frmMapa");
  setWindowTitle("Mapas Ortoceratologia");
  setFixedSize(811, 579);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(212, 208, 200));
  setPalette(pal);

  // Header: white title strip, patient data, device name.
  QWidget* cab = Painel(this, "Panel26", QRect(0, -1, 796, 81), kAmareloClaro);
  QWidget* faixa = Painel(cab, "Panel27", QRect(0, 0, 797, 29), Qt::white);
  auto* logo = new zv::ImageView(faixa);
  logo->setObjectName("Image1");
  logo->setGeometry(4, 2, 25, 25);
  {
    QImage marca(25, 25, QImage::Format_RGB32);
    marca.fill(Qt::white);
    QPainter p(&marca);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int anel = 6; anel >= 1; --anel) {
      p.setBrush(anel % 2 ? kBarraTitulo : QColor(Qt::white));
      p.drawEllipse(QPointF(12.5, 12.5), anel * 2.0, anel * 2.0);
    }
    logo->setImage(marca);
  }
  Rotulo(faixa, "lbltittopo", "Mapas Ortoceratologia", QPoint(36, 5),
         "font: bold 12pt 'Arial'; color:#0A246A;");
  auto* nome = Caixa(cab, "lblnome", "", QRect(8, 32, 600, 22), "font: 17px 'Arial'; color:blue;");
  nome->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const QString rotulo = "font: bold 8pt 'Arial';";
  const QString dado = "font: 8pt 'Arial';";
  Rotulo(cab, "Label8", "Paciente ID", QPoint(8, 59), rotulo);
  Caixa(cab, "lblID", "", QRect(76, 59, 70, 15), dado);
  Rotulo(cab, "Label7", "RG", QPoint(152, 59), rotulo);
  Caixa(cab, "lblrg", "", QRect(172, 59, 130, 15), dado);
  Rotulo(cab, "Label1", "Olho", QPoint(310, 59), rotulo);
  Caixa(cab, "lblOlho", "", QRect(342, 59, 120, 15), dado);
  Caixa(cab, "lblTipoZV", "", QRect(560, 33, 232, 44), "font: 900 33px 'Arial'; color:#0A246A;",
        Qt::AlignRight | Qt::AlignVCenter);

  // Maps area: legend, four caption bars and images, value boxes.
  QWidget* mapas = Painel(this, "Panel1", QRect(0, 79, 796, 471), QColor(212, 208, 200));
  QWidget* painelEscala = Painel(mapas, "Panel2", QRect(1, 1, 87, 468), Qt::black);
  auto* escala = new zv::ImageView(painelEscala);
  escala->setObjectName("ImgEscala");
  escala->setGeometry(1, 1, 85, 466);

  const char* barras[4] = {"pnlTopo1", "pnltopo2", "pnltopo3", "pnltopo4"};
  const QPoint posBarras[4] = {{88, 2}, {380, 2}, {88, 238}, {381, 237}};
  const char* paineis[4] = {"pnlImagem1", "pnlImagem2", "pnlImagem3", "pnlImagem4"};
  const char* imagens[4] = {"Img01", "IMg02", "Img03", "Img04"};
  const QPoint posImagens[4] = {{88, 18}, {380, 18}, {88, 251}, {381, 250}};
  for (int i = 0; i < 4; ++i) {
    Caixa(mapas, barras[i], QString("Imagem 0%1").arg(i + 1), QRect(posBarras[i], QSize(292, 15)),
          QString("background:%1; color:white; font: bold 8pt 'Arial'; padding-left:3px;")
              .arg(kBarraTitulo.name()));
    QWidget* painel = Painel(mapas, paineis[i], QRect(posImagens[i], QSize(292, 220)), Qt::black);
    auto* img = new zv::ImageView(painel);
    img->setObjectName(imagens[i]);
    img->setGeometry(1, 1, 290, 218);
    const QString estilo = "color:white; font: 7pt 'Arial'; background:transparent;";
    Rotulo(img, QString("Label%1").arg(25 + i).toUtf8().constData(), "I.C.:", QPoint(242, 3),
           estilo);
    Caixa(img, QString("lblIndConf%1").arg(i + 1).toUtf8().constData(), "100%",
          QRect(262, 3, 28, 14), estilo);
  }

  QWidget* valores = Painel(mapas, "Panel3", QRect(673, 1, 123, 469), QColor(212, 208, 200));
  CaixaValores(valores, "Panel9", 24, "Label2", "Altura Sagital (SAG)",
               {"sag1", "sag2", "sag3", "sag4", "sagMedio", "sagDesvio"});
  CaixaValores(valores, "Panel4", 165, "Label3", "Diâmetro da Íris (DIV)",
               {"div1", "div2", "div3", "div4", "divMedio", "divDesvio"});
  CaixaValores(valores, "Panel8", 306, "Label4", "Raio Central (Ro)",
               {"raio1", "raio2", "raio3", "raio4", "raiomedio", "raioDesvio"});

  auto* visualizar = new QPushButton("Visualizar impressão", this);
  visualizar->setObjectName("SpeedButton1");
  visualizar->setGeometry(576, 552, 137, 25);
  visualizar->setAutoDefault(false);
  auto* fechar = new QPushButton("Fe&char", this);
  fechar->setObjectName("btnFechar");
  fechar->setGeometry(721, 552, 73, 25);
  fechar->setAutoDefault(false);
  connect(visualizar, &QPushButton::clicked, this, [this] {
    if (SpeedButton1Click) SpeedButton1Click();
  });
  connect(fechar, &QPushButton::clicked, this, [this] {
    if (btnFecharClick) btnFecharClick();
  });
}

}  // namespace kandor
