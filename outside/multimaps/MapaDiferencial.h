// The difference of two curvature maps of one eye (after minus before) and what an
// orthokeratology follow-up reads from it: the central change and the diameter of the treatment
// zone, where the central flattening turns into the steepening of its rim.  Free of any window
// toolkit.
#pragma once
#include "MapaCurvatura.h"

namespace multimapas {

// After minus before, cell by cell; not a number where either map has no value.  Both grids
// must share their scale (millimetres per pixel).
mapas::GradePotencia Diferenca(const mapas::GradePotencia& antes,
                               const mapas::GradePotencia& depois);

// Mean of the map's values within `raioMm` of the centre; not a number when none.
double VariacaoCentral(const mapas::GradePotencia& diferenca, double raioMm = 0.5);

// Treatment zone of a tangential difference map: on each meridian, the radius where the
// flattening that starts at the centre first reaches 0 D (the map is averaged over five
// neighbouring meridians against noise); the diameter is the mean of the sums of opposite
// radii.  Not valid when the centre is not flattened or fewer than half of the meridian pairs
// cross 0 D inside the map.
struct ZonaTratamento {
  bool valida = false;
  double diametroMm = 0;
  int pares = 0;  // meridian pairs that gave a crossing
};
ZonaTratamento CalculaZonaTratamento(const mapas::GradePotencia& diferencaTangencial);

// The diverging scale of a difference map: 21 levels of the step centred on 0 D (the middle
// level covers -step/2 to +step/2), blue for flattening, red for steepening.
mapas::Escala EscalaDiferenca(double passo);

}  // namespace multimapas
