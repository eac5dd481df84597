// Fitting of a rigid gas-permeable contact lens on the exam's cornea: a suggested base curve
// and diameter, and the tear layer between a chosen spherical lens and the cornea, the
// thickness the fluorescein pattern shows.
#pragma once
#include "Elevacao.h"
#include "MapaCurvatura.h"

namespace lente {

inline constexpr double kZonaMm = 8.0;    // the zone whose shape sets the base curve
inline constexpr double kPassoMm = 0.05;  // base curves come in steps of 0.05 mm

// The conic of one meridian: apical radius R0 and asphericity Q, from the axial radius
// Ra(r)^2 = R0^2 - Q r^2 that a conicoid has at distance r from the axis.
struct Conica {
  bool valida = false;
  double r0 = 0, q = 0;
  // Eccentricity: sqrt(-Q) for a prolate cornea, 0 for a sphere or an oblate one.
  double Excentricidade() const;
};

// The conic of the meridian at clinical angle `eixoGraus` (both halves, 10 degrees either
// side) over radii 0.5 mm to half the zone.
Conica AjustaConica(const mapas::GradePotencia& axial, double eixoGraus, double zonaMm = kZonaMm);

// The sphere that lies on the conic (R0, Q) at the edge of the zone: the base curve that
// aligns with the flat meridian over the zone, so that the lens neither rocks on the apex nor
// seals at its edge.  Millimetres, not rounded.
double CurvaDeAlinhamento(double r0, double q, double zonaMm = kZonaMm);

// A value rounded to the nearest step of 0.05 mm.
double ArredondaPasso(double mm);

struct Sugestao {
  bool valida = false;
  double kPlano = 0, eixoPlano = 0;  // dioptres, degrees
  Conica conica;                     // of the flat meridian
  double curvaBaseMm = 0;
  double diametroMm = 0;
};

// The suggestion from the flat K and the conic of the flat meridian over the 8 mm zone;
// diameter by the flat K: 9.6 mm below 41 D, 9.2 mm up to 45 D, 8.8 mm above (steeper corneas
// are smaller).
Sugestao SugereLente(const mapas::GradePotencia& axial, const mapas::Ceratometria& k);

// The power of the tear lens between a lens of base curve `curvaBaseMm` and a cornea of flat K
// `kPlano`: positive when the lens is steeper than the cornea.
double LenteLacrimal(double curvaBaseMm, double kPlano);

struct Fluoresceina {
  bool valida = false;
  mapas::GradePotencia espessura;  // micrometres under the lens, not a number elsewhere
  double apical = 0;               // at the centre
  double minimo = 0, maximo = 0;
  double borda = 0;  // mean over the last 0.5 mm inside the lens edge
};

// The tear layer under a spherical lens of `curvaBaseMm` and `diametroMm` resting on the cornea
// of sag `sagitta` (mm, from CalculaSagitta): the lens sits as close as it can, touching the
// cornea where the layer is thinnest (0 there).
Fluoresceina SimulaFluoresceina(const mapas::GradePotencia& sagitta, double curvaBaseMm,
                                double diametroMm);

}  // namespace lente
