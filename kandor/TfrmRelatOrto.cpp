#include "TfrmRelatOrto.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "DesenhoMapa.h"
#include "FormView.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "TfrmMapa.h"

namespace kandor {
namespace {

constexpr int kLarguraBanda = 794;
constexpr int kAlturaBanda = 971;

struct PosicaoImagem {
  const char* nome;
  int x, y;
};
constexpr PosicaoImagem kMapas[kImagens] = {
    {"img01", 130, 256}, {"Img02", 443, 255}, {"img03", 130, 484}, {"img04", 443, 484}};
constexpr int kLarguraMapa = 280, kAlturaMapa = 210;

struct Linha {
  int x, y, largura;
};
constexpr Linha kLinhas[] = {{3, 103, 789}, {22, 771, 735}, {22, 797, 735}, {22, 877, 735}};

// Value table: columns of images 1..4, mean and deviation; rows SAG, DIV, R0.
constexpr int kColunasValores[6] = {110, 233, 355, 462, 571, 674};
constexpr const char* kCamposValores[3][6] = {
    {"qrlblSag1", "qrlblSag2", "qrlblSag3", "qrlblSag4", "qrlblSagMedio", "qrlblDesvioSag"},
    {"qrlbldiv1", "qrlblDiv2", "qrlblDiv3", "qrlblDiv4", "qrlblDivMedio", "qrlblDivPadrao"},
    {"qrlblraio1", "qrlblRaio2", "qrlblRaio3", "qrlblRaio4", "qrlblRaioMedio", "qrlblRaioPadrao"}};
constexpr int kLinhasValores[3] = {809, 833, 857};

std::string Numero(double v) {
  return zv::FormatFloat("#0.0000", v);
}

// The fixed picture at the top right: a Placido disc seen from the front.
void DesenhaMarca(QPainter& p, const QRectF& r) {
  p.save();
  p.setPen(Qt::NoPen);
  const QPointF centro(r.left() + r.height() / 2, r.center().y());
  for (int anel = 7; anel >= 1; --anel) {
    p.setBrush(anel % 2 ? QColor(20, 60, 140) : QColor(Qt::white));
    const double raio = r.height() / 2 * anel / 7.0;
    p.drawEllipse(centro, raio, raio);
  }
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(qRound(r.height() * 0.42));
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(20, 60, 140));
  p.drawText(QRectF(r.left() + r.height() + r.height() * 0.15, r.top(), r.width() - r.height(),
                    r.height()),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zarvik"));
  p.restore();
}

}  // namespace

TfrmRelatOrto::TfrmRelatOrto()
    : diretorioPrograma_(QCoreApplication::applicationDirPath().toStdString()) {
  // Fixed texts and the initial (empty) fields: position, size in points, bold.
  const struct {
    const char* nome;
    int x, y;
    double pontos;
    bool negrito;
    const char* texto;
  } campos[] = {
      {"lblnomeCli", 144, 14, 14, true, ""},
      {"lblendcli", 144, 45, 10, false, ""},
      {"lblcidcli", 144, 64, 10, false, ""},
      {"lblfonecli", 144, 82, 10, false, ""},
      {"lblMarca", 635, 67, 9, true, "Topografia Corneana"},
      {"qrPaciente", 33, 119, 14, true, ""},
      {"qrlblrg", 33, 144, 10, false, "RG"},
      {"qrRg", 61, 144, 10, false, ""},
      {"lable", 33, 163, 10, false, "Responsável"},
      {"qrMedico", 132, 163, 10, false, ""},
      {"QRLabel6", 33, 184, 10, false, "Olho"},
      {"qrOlho", 68, 184, 10, false, ""},
      {"lblKandor", 554, 142, 14, true, ""},
      {"lblImg1", 133, 238, 8, true, ""},
      {"lblimg2", 442, 238, 8, true, ""},
      {"lblimg3", 131, 467, 8, true, ""},
      {"lblimg4", 444, 467, 8, true, ""},
      {"QRLabel20", 26, 755, 10, true, "Dados da Ortoceratologia"},
      {"QRLabel22", 97, 779, 10, true, "Imagem 1"},
      {"QRLabel23", 220, 779, 10, true, "Imagem 2"},
      {"QRLabel24", 342, 779, 10, true, "Imagem 3"},
      {"lblceratac2", 449, 779, 10, true, "Imagem 4"},
      {"QRLabel4", 570, 779, 10, true, "Média"},
      {"QRLabel8", 647, 779, 10, true, "Desvio Padrão"},
      {"QRLabel2", 46, 806, 8, true, "Sag"},
      {"QRLabel3", 46, 830, 8, true, "Div"},
      {"QRLabel5", 43, 854, 8, true, "R0"},
  };
  for (const auto& c : campos) textos_[c.nome] = {c.x, c.y, c.pontos, c.negrito, c.texto};
  for (int linha = 0; linha < 3; ++linha)
    for (int coluna = 0; coluna < 6; ++coluna)
      textos_[kCamposValores[linha][coluna]] = {kColunasValores[coluna], kLinhasValores[linha], 7,
                                                false, ""};
}

void TfrmRelatOrto::DefineTexto(const std::string& campo, const std::string& texto) {
  textos_.at(campo).texto = texto;
}

std::string TfrmRelatOrto::Texto(const std::string& campo) const {
  return textos_.at(campo).texto;
}

QImage TfrmRelatOrto::Imagem(const std::string& campo) const {
  auto it = imagens_.find(campo);
  return it == imagens_.end() ? QImage() : it->second;
}

void TfrmRelatOrto::PreparaRelatorioOrto(const TfrmMapa& mapa) {
  const EstadoMapas& estado = mapa.Estado();
  const zv::FormView& janela = mapa.View();
  for (const char* c : {"lblnomeCli", "lblendcli", "lblcidcli", "lblfonecli"}) DefineTexto(c, "");

  const char* legendas[kImagens] = {"lblImg1", "lblimg2", "lblimg3", "lblimg4"};
  for (int i = 0; i < kImagens; ++i)
    DefineTexto(legendas[i], janela.Text(TfrmMapa::kBarrasTitulo[i]));

  imagens_.erase("imglogo");
  const std::string logo = zv::JoinPath(diretorioPrograma_, "LogoClinica.bmp");
  if (zv::FileExists(logo)) {
    QImage imagem(QString::fromStdString(logo));
    if (!imagem.isNull()) imagens_["imglogo"] = imagem;
  }

  auto texto = [](const char* s) { return s ? std::string(s) : std::string(); };
  DefineTexto("lblnomeCli", texto(estado.Infos.ClinicaNome));
  DefineTexto("lblendcli", texto(estado.Infos.ClinicaEndereco));
  DefineTexto("lblcidcli", texto(estado.Infos.ClinicaCidadeEst));
  DefineTexto("lblfonecli", texto(estado.Infos.ClinicaTelefone));
  DefineTexto("lblKandor", "Quillon Orto");
  DefineTexto("qrPaciente", janela.Text("lblnome"));
  DefineTexto("qrRg", janela.Text("lblrg"));
  DefineTexto("qrOlho", janela.Text("lblOlho"));
  DefineTexto("qrMedico", mapa.NomeMedico());

  const std::array<double, 5>* valores[3] = {&estado.ValoresSAG, &estado.ValoresDIV,
                                             &estado.ValoresR0};
  for (int linha = 0; linha < 3; ++linha) {
    for (int coluna = 0; coluna < 5; ++coluna)
      DefineTexto(kCamposValores[linha][coluna], Numero((*valores[linha])[coluna]));
    DefineTexto(kCamposValores[linha][5], Numero(DesvioPadrao(*valores[linha])));
  }

  escala_ = estado.Escala;
  for (int i = 0; i < kImagens; ++i)
    imagens_[kMapas[i].nome] = DesenhaImagemMapa(
        estado.Grades[i], estado.Aneis[i], estado.TabelasPixels[i], estado.Escala,
        QSize(kLarguraMapa, kAlturaMapa), QSize(kLarguraMapa, kAlturaMapa), Qt::white);
}

void TfrmRelatOrto::ConfiguraImpressora(QPrinter& impressora) {
  impressora.setPageSize(QPageSize(QPageSize::A4));
  impressora.setPageOrientation(QPageLayout::Portrait);
  impressora.setFullPage(true);
  impressora.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  impressora.setCopyCount(1);
}

void TfrmRelatOrto::DesenhaMapaNaPagina(QPainter& p, double f, int i) const {
  const QImage mapa = Imagem(kMapas[i].nome);
  if (mapa.isNull()) return;
  p.save();
  p.translate(kMapas[i].x * f, kMapas[i].y * f);
  p.scale(f, f);
  p.drawImage(QRectF(0, 0, kLarguraMapa, kAlturaMapa), mapa);
  MarcaAngulos(p, 100, Qt::black);
  CirculoPontilhado(p, 95, Qt::black);
  p.restore();
}

void TfrmRelatOrto::DesenhaPagina(QPainter& p, double dpi) const {
  const double f = dpi / 96.0;  // page pixels to device pixels
  p.save();
  p.fillRect(QRectF(0, 0, kLarguraBanda * f, kAlturaBanda * f), Qt::white);

  const QImage logo = Imagem("imglogo");
  if (!logo.isNull()) {
    // The logo fits its 100 x 100 box without being distorted.
    const QSizeF tamanho = QSizeF(logo.size()).scaled(100 * f, 100 * f, Qt::KeepAspectRatio);
    p.drawImage(QRectF(QPointF(30 * f, 3 * f), tamanho), logo);
  }
  DesenhaMarca(p, QRectF(626 * f, 14 * f, 148 * f, 56 * f));

  p.setPen(QPen(Qt::black, f));
  for (const auto& l : kLinhas)
    p.drawLine(QPointF(l.x * f, l.y * f), QPointF((l.x + l.largura) * f, l.y * f));

  for (const auto& [nome, c] : textos_) {
    if (c.texto.empty()) continue;
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSizeF(c.pontos);
    fonte.setBold(c.negrito);
    p.setFont(fonte);
    p.setPen(Qt::black);
    p.drawText(QRectF(c.x * f, c.y * f, 10 * dpi, 2 * dpi), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(c.texto));
  }

  // Legend (88 x 463 at 38, 233) in black on white.
  p.save();
  p.translate(38 * f, 233 * f);
  p.scale(f, f);
  p.fillRect(QRect(0, 0, 88, 463), Qt::white);
  LayoutEscala legenda;
  legenda.x0 = 30;
  legenda.y0 = 10;
  legenda.x1 = 60;
  legenda.y1 = 463;
  legenda.caneta = Qt::black;
  legenda.texto = Qt::black;
  DesenhaEscala(p, escala_, legenda);
  p.restore();

  for (int i = 0; i < kImagens; ++i) DesenhaMapaNaPagina(p, f, i);
  p.restore();
}

bool TfrmRelatOrto::Imprime(QPrinter& impressora) const {
  QPainter p;
  if (!p.begin(&impressora)) return false;
  DesenhaPagina(p, impressora.resolution());
  return p.end() && impressora.printerState() != QPrinter::Error;
}

bool TfrmRelatOrto::ImprimeAvisando(QPrinter& impressora, zv::Dialogs& dialogos) const {
  if (Imprime(impressora)) return true;
  const QString arquivo = impressora.outputFileName();
  const QString destino = arquivo.isEmpty() ? "na impressora \"" + impressora.printerName() + "\""
                                            : "no arquivo \"" + arquivo + "\"";
  dialogos.Message(("Não foi possível imprimir o relatório " + destino + ".").toStdString(), "Erro",
                   zv::MsgIcon::Error);
  return false;
}

bool TfrmRelatOrto::ImprimePdf(const std::string& caminho) const {
  QPrinter impressora(QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(QString::fromStdString(caminho));
  return Imprime(impressora);
}

void TfrmRelatOrto::Visualiza(QWidget* pai, zv::Dialogs& dialogos) const {
  QPrinter impressora(QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  QPrintPreviewDialog previa(&impressora, pai);
  previa.setWindowTitle(QStringLiteral("Visualizar impressão"));
  QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa,
                   [this, &dialogos](QPrinter* destino) { ImprimeAvisando(*destino, dialogos); });
  previa.resize(900, 1000);
  previa.exec();
}

}  // namespace kandor
