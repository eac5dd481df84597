#include "DesenhoMapa.h"

#include <cmath>
#include <numbers>

#include "NumberFormat.h"

namespace kandor {
namespace {

int Arredonda(double v) {
  return static_cast<int>(std::nearbyint(v));
}
double Radianos(int graus) {
  return graus * std::numbers::pi / 180.0;
}

// Text with its cell's top-left corner at (x, y), on a transparent background.
void TextoEm(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, texto);
}

}  // namespace

QFont FonteEscala() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(8);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

void DesenhaEscala(QPainter& p, const EscalaCores& escala, const LayoutEscala& l) {
  const int h = Arredonda((l.y1 - l.y0) / 25.0);
  const int w = l.x1 - l.x0;
  p.save();
  p.setFont(FonteEscala());
  const int tamanhoFonte = 6;
  for (int i = 0; i < kNiveis; ++i) {
    const int nivel = kNiveis - i;
    const int esquerda = Arredonda(l.x0 + 0.01 * w);
    const int topo = Arredonda(l.y0 + i * h + 0.1 * h);
    const int direita = Arredonda(l.x0 + 0.5 * w);
    const int base = Arredonda(l.y0 + i * h + 0.8 * h);
    const CorRGB c = escala.Cores[nivel - 1];
    // The box covers [esquerda, direita) x [topo, base), outline included.
    p.setPen(QPen(l.caneta, 1));
    p.setBrush(QColor(c.r, c.g, c.b));
    p.drawRect(QRect(esquerda, topo, direita - esquerda - 1, base - topo - 1));
    p.setPen(l.texto);
    TextoEm(p, Arredonda(l.x0 + 0.7 * w), topo + 1,
            QString::fromStdString(zv::FormatFloat("0.00", escala.LimitesDioptrias[24 - i])));
    TextoEm(p, l.x0 - 4 * tamanhoFonte, topo + 1,
            QString::fromStdString(zv::FormatFloat("0.00", escala.LimitesMm[24 - i])));
  }
  p.restore();
}

void MarcaAngulos(QPainter& p, int raio, const QColor& cor) {
  p.save();
  p.setFont(FonteEscala());
  p.setPen(cor);
  for (int e = 0; e < 360; e += 20) {
    int x = kCentroX + Arredonda(raio * std::cos(Radianos(e)));
    if (e > 90 && e < 270) x -= 10;
    // Labels near the top edge are kept on the picture.
    const int y = std::max(0, Arredonda(raio * std::sin(Radianos(e))) + 100);
    TextoEm(p, x, y, e == 0 ? QStringLiteral("0") : QString::number(360 - e));
  }
  p.restore();
}

void CirculoPontilhado(QPainter& p, int raio, const QColor& cor) {
  for (int g = 0; g <= 360; g += 5)
    p.fillRect(QRect(kCentroX + Arredonda(raio * std::cos(Radianos(g))),
                     106 + Arredonda(raio * std::sin(Radianos(g))), 1, 1),
               cor);
}

QImage ImagemDoMapa(const QuadroPixels& figura, QSize tamanho, int diametro, const QColor& fundo,
                    int centroX, int centroY) {
  QImage img(tamanho, QImage::Format_RGB32);
  img.fill(fundo);
  const double r = diametro / 2.0;
  const uint32_t vazio = 0xFF000000u;  // the picture's own background
  for (int y = 0; y < img.height() && y < figura.altura; ++y) {
    auto* linha = reinterpret_cast<uint32_t*>(img.scanLine(y));
    for (int x = 0; x < img.width() && x < figura.largura; ++x) {
      const double dx = x - centroX, dy = y - centroY;
      if (dx * dx + dy * dy > r * r) continue;
      const uint32_t cor = figura.Em(x, y);
      if (cor != vazio) linha[x] = cor;
    }
  }
  return img;
}

QImage DesenhaImagemMapa(const GradeMapa& grade, const TMatrizAng& aneis,
                         const TMatrizAngAnel& pixels, const EscalaCores& escala,
                         QSize tamanhoFigura, QSize tamanhoImagem, const QColor& fundo) {
  QuadroPixels figura(tamanhoFigura.width(), tamanhoFigura.height());
  DesenhaMapa(grade, figura.largura, figura.altura, aneis, pixels, escala, figura, kCentroY,
              kCentroX);
  return ImagemDoMapa(figura, tamanhoImagem, tamanhoFigura.height(), fundo);
}

}  // namespace kandor
