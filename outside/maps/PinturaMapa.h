// Pictures of a curvature map: the coloured map disc with its marks, the legend of the colour
// scale, the small picture of the exam browser, and the reading under a point of the map.
#pragma once
#include <QImage>
#include <QPointF>
#include <QString>
#include <array>

#include "MapaCurvatura.h"

namespace mapas {

// How the map picture lies over the cornea: a square picture of `lado` pixels whose half side
// shows `raioMm` millimetres around the ring centre.
struct Enquadramento {
  int lado = 440;
  double raioMm = 5.0;
  double MmPorPontoFigura() const { return raioMm / (lado / 2.0); }
};

// Meridian and radius (image pixels) under a point of the picture; false outside the grid.
bool PontoDaGrade(const GradePotencia& grade, const Enquadramento& e, QPointF ponto, int& meridiano,
                  double& raioPx);

// The map disc, unpainted cells black, with the 3, 5 and 7 mm circles, the axis labels every 30
// degrees and, when its box is given (image pixels around the centre (cx, cy)), the pupil.
QImage PintaMapa(const GradePotencia& grade, const Escala& escala, const Enquadramento& e,
                 const std::array<int32_t, 4>& pupila = {}, double cx = 0, double cy = 0);

// The legend: one box per level, steepest on top, with the level's lower bound in dioptres and
// the radius of curvature of that power in millimetres.
QImage PintaLegenda(const Escala& escala, int largura, int altura);

// The small picture of the exam browser (200 x 150): the map disc and a narrow colour bar, or
// "Sem dados" when the exam has no usable rings.
QImage PintaMiniatura(const GradePotencia& grade, const Escala& escala);

// "43.25 D  7.80 mm  r 1.80 mm  123°" for the point of the picture, or an empty text where the
// map holds no value.
QString LeituraDoPonto(const GradePotencia& grade, const Enquadramento& e, QPointF ponto);

}  // namespace mapas
