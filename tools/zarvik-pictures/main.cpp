// zarvik-pictures OUTDIR: draws the pictures of the main window (backgrounds, banners and the
// image buttons of both device families) and stores them as JPEG files under the names the
// program reads.  Run at build time; nothing is downloaded.
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

#include "Errors.h"
#include "UBImagens.h"

namespace {

constexpr int kQualidade = 92;

// The colours of one device family; both families share the drawing.
struct Paleta {
  QColor fundoAlto, fundoBaixo, aneis, destaque, textoBotao;
  const char* nome;
};

const Paleta kZarvik{QColor(10, 34, 66),   QColor(24, 78, 130), QColor(160, 205, 240),
                     QColor(240, 150, 40), QColor(16, 48, 92),  "Zarvik"};
const Paleta kOlendra{QColor(14, 52, 50),   QColor(30, 110, 100), QColor(170, 230, 215),
                      QColor(235, 120, 70), QColor(18, 70, 64),   "Olendra"};

QFont Fonte(int pixels, bool negrito = true) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(negrito);
  return f;
}

// Concentric rings as the instrument projects them on the cornea.
void DesenhaAneis(QPainter& p, QPointF centro, double raioMaximo, const QColor& cor, int aneis,
                  double opacidade) {
  p.save();
  p.setOpacity(opacidade);
  for (int i = aneis; i >= 1; --i) {
    const double r = raioMaximo * i / aneis;
    p.setPen(QPen(cor, raioMaximo / aneis * 0.45));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centro, r, r);
  }
  p.restore();
}

QImage Fundo(const Paleta& paleta) {
  QImage img(zv::kTamanhoFundo, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, img.height());
  g.setColorAt(0, paleta.fundoAlto);
  g.setColorAt(1, paleta.fundoBaixo);
  p.fillRect(img.rect(), g);
  QRadialGradient brilho(QPointF(640, 360), 300);
  brilho.setColorAt(0, QColor(255, 255, 255, 60));
  brilho.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(img.rect(), brilho);
  DesenhaAneis(p, QPointF(640, 360), 250, paleta.aneis, 16, 0.35);
  p.setBrush(QColor(5, 10, 20, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(640, 360), 14, 14);

  // The maker's web address, where the main window takes clicks on it.
  const QRect site(606, 518, 183, 74);
  p.setBrush(QColor(255, 255, 255, 36));
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawRoundedRect(site.adjusted(2, 2, -2, -2), 10, 10);
  p.setPen(Qt::white);
  p.setFont(Fonte(12, false));
  p.drawText(site.adjusted(0, 12, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "Visite nosso site");
  p.setFont(Fonte(13));
  p.drawText(site.adjusted(0, 0, 0, -14), Qt::AlignHCenter | Qt::AlignBottom, "www.zarvik.example");

  p.setPen(QColor(255, 255, 255, 200));
  p.setFont(Fonte(13, false));
  p.drawText(QRect(24, 200, 230, 60), Qt::AlignLeft | Qt::TextWordWrap,
             "Topografia de córnea\npor disco de Placido");
  return img;
}

QImage Faixa(const Paleta& paleta, int aneis, bool sl) {
  QImage img(zv::kTamanhoFaixa, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, img.width(), 0);
  g.setColorAt(0, QColor(250, 252, 255));
  g.setColorAt(1, paleta.aneis.lighter(115));
  p.fillRect(img.rect(), g);
  p.fillRect(QRect(0, img.height() - 5, img.width(), 5), paleta.destaque);
  DesenhaAneis(p, QPointF(80, 70), 56, paleta.fundoAlto, aneis == 32 ? 16 : 8, 0.9);
  p.setPen(paleta.fundoAlto);
  p.setFont(Fonte(56));
  const QString nome = paleta.nome;
  p.drawText(QPoint(160, 82), nome);
  if (sl) {
    const int largura = QFontMetrics(Fonte(56)).horizontalAdvance(nome);
    p.setPen(paleta.destaque);
    p.setFont(Fonte(30));
    p.drawText(QPoint(166 + largura, 58), "SL");
  }
  p.setPen(paleta.fundoAlto.lighter(150));
  p.setFont(Fonte(16, false));
  p.drawText(QPoint(164, 116),
             QString("Topógrafo de córnea  ·  disco de Placido de %1 anéis").arg(aneis));
  return img;
}

// An image button on the part of the background it covers.
QImage Botao(const QImage& fundo, const QRect& geometria, const QString& texto,
             const Paleta& paleta, bool realce) {
  QImage img = fundo.copy(geometria);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF caixa = QRectF(img.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const double raio = caixa.height() / 2;
  QLinearGradient g(0, 0, 0, img.height());
  if (realce) {
    g.setColorAt(0, paleta.destaque.lighter(120));
    g.setColorAt(1, paleta.destaque.darker(110));
  } else {
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(214, 226, 238));
  }
  p.setBrush(g);
  p.setPen(QPen(realce ? paleta.destaque.darker(140) : QColor(255, 255, 255, 160), 1.5));
  p.drawRoundedRect(caixa, raio, raio);
  int pixels = 15;
  while (pixels > 9 && QFontMetrics(Fonte(pixels)).horizontalAdvance(texto) > caixa.width() - 12)
    --pixels;
  p.setFont(Fonte(pixels));
  p.setPen(realce ? QColor(Qt::white) : paleta.textoBotao);
  p.drawText(caixa, Qt::AlignCenter, texto);
  return img;
}

void Grava(const QImage& image, const QDir& raiz, const std::string& nome) {
  zv::GravaImagemJpeg(image, raiz.filePath(QString::fromStdString(nome)).toStdString(), kQualidade);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: zarvik-pictures DIRETORIO\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir raiz(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(raiz.filePath("imgs"));
  try {
    for (int modelo : {1, 3}) {
      const Paleta& paleta = zv::PrimeiraFamilia(modelo) ? kZarvik : kOlendra;
      const QImage fundo = Fundo(paleta);
      Grava(fundo, raiz, zv::ArquivoFundo(modelo));
      for (int aneis : {16, 32})
        Grava(Faixa(paleta, aneis, aneis == 32), raiz, zv::ArquivoFaixa(modelo, aneis));
      for (bool realce : {false, true})
        for (int i = 0; i < zv::kBotoes; ++i)
          Grava(Botao(fundo, zv::kGeometriaBotoes[i], QString::fromUtf8(zv::kTextosBotoes[i]),
                      paleta, realce),
                raiz, zv::ArquivoBotao(zv::NomeLista(modelo, realce), i));
    }
    // The program's icon for the desktop.
    QImage icone(128, 128, QImage::Format_ARGB32);
    icone.fill(Qt::transparent);
    QPainter p(&icone);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kZarvik.fundoAlto);
    p.setPen(Qt::NoPen);
    p.drawEllipse(icone.rect().adjusted(2, 2, -2, -2));
    DesenhaAneis(p, QPointF(64, 64), 54, kZarvik.aneis, 8, 1.0);
    p.end();
    if (!icone.save(raiz.filePath("zarvik.png"), "PNG")) throw zv::IoError("zarvik.png");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarvik-pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
