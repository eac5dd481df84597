// The ring detector's own meridional bias, and its removal from an exam's power table.
//
// The detector reads each ray at whole pixels and gives a ring edge the distance of the last
// pixel it read before the edge.  Along the axes those pixels follow each other 1 pixel apart;
// in other directions they fall at irregular steps, up to 1.4 pixels on the diagonals, so the
// radius given falls short of the edge by more there.  On a round cornea every ring therefore
// comes out a few hundredths of a pixel larger along the axes than between them, a four-fold
// pattern the same on every ring that the elevation would keep as a quadrafoil.
//
// The bias belongs to the detector, not to the eye: it is measured by running the detector on
// pictures of perfectly round rings of the exam's size, over several positions of the ring
// centre within a pixel and of the edges within a pixel, and the powers are corrected by it.
#pragma once
#include <array>
#include <vector>

#include "UBConstantes.h"

namespace aberrometria {

// Per table row, how much farther out (pixels) than on the average row the detector places the
// edges of round rings of radii `raios` (pixels, increasing), the mean over the rings.  All
// zero when the rings do not fit the picture or the detector misses some on too many rows.
std::array<double, 360> ViesMeridional(const std::vector<double>& raios);

// The exam's power table with the detector's bias taken out of every ring value: a radius
// `vies` pixels too far out makes the power too flat by about the power times vies / radius.
// The bias is measured on round rings of the exam's mean ring radii; an exam whose rings are
// not all found on most rows is left as it is.
void CorrigeViesMeridional(const TMatrizAngAnel& pixels, const TMatrizAng& aneis, int numAneis,
                           TMatrizAngAnel& dioptrias);

}  // namespace aberrometria
