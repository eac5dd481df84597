// The height of the cornea reconstructed from its axial map: the normal at radius r from the
// axis meets the axis at the axial radius of curvature Ra = 337.5 / P, so along each meridian
// the surface rises with slope r / sqrt(Ra^2 - r^2).  Integrating that slope outwards from the
// apex gives the sag (depth behind the apex plane) wherever the axial map has values.
#pragma once
#include "MapaCurvatura.h"

namespace mapas {

// Sag in millimetres on the grid of the axial map (same meridians, radii and scale); not a
// number where the axial map has none or beyond the first gap of a meridian.  The power of each
// meridian is first taken as the median of five neighbouring meridians (5 degrees).  Each step
// between neighbouring pixels follows the sphere of the mean axial radius of its ends, so a
// spherical cornea comes out exact.
GradePotencia CalculaSagitta(const GradePotencia& axial);

// The radius (mm) out to which at least 90 % of the meridians have a sag: the largest zone
// an analysis may use without inventing data.  0 when fewer meridians have any.
double RaioCoberto(const GradePotencia& sagitta);

}  // namespace mapas
