// Drawing of the map images, the colour scale legend and the angle marks with Qt.  Every
// coordinate is in pixels of a 96-dpi picture; the report draws the same with a scaled
// painter at the printer's resolution.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "MapaOrto.h"

namespace kandor {

// The small font of the legend and the angle labels (6 points on a 96-dpi picture).
QFont FonteEscala();

// Legend of the colour scale: 25 rows, level 25 at the top, each with its colour box, the
// level's lower bound in dioptres (right) and its radius of curvature in millimetres (left).
struct LayoutEscala {
  int x0 = 30, y0 = 10, x1 = 70, y1 = 466;
  QColor caneta = Qt::white;
  QColor texto = Qt::yellow;
};
void DesenhaEscala(QPainter& p, const EscalaCores& escala, const LayoutEscala& layout);

// Angle labels 0, 20 .. 340 at `raio` around (145, 100); the screen's top reads 90.
void MarcaAngulos(QPainter& p, int raio, const QColor& cor);
// Single dots every 5 degrees at `raio` around (145, 106).
void CirculoPontilhado(QPainter& p, int raio, const QColor& cor);

// The map image: the picture copied with its map centre on (centroX, centroY), keeping only
// the circle of diameter `diametro` around that centre; pixels the map left unpainted and
// everything outside the circle show `fundo`.
QImage ImagemDoMapa(const QuadroPixels& figura, QSize tamanho, int diametro, const QColor& fundo,
                    int centroX = kCentroX, int centroY = kCentroY);

// Computes and draws one map image of the window (290 x 218, black) or of the report
// (280 x 210, white), without the marks.
QImage DesenhaImagemMapa(const GradeMapa& grade, const TMatrizAng& aneis,
                         const TMatrizAngAnel& pixels, const EscalaCores& escala,
                         QSize tamanhoFigura, QSize tamanhoImagem, const QColor& fundo);

}  // namespace kandor
