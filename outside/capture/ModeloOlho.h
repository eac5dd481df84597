// The model eye the simulated camera photographs: what the operator chooses in the capture
// window, turned into scenes of the Placido renderer, the orthokeratology follow-up series, and
// the side view of the same surface that stands in for the lateral camera.
#pragma once
#include <QImage>
#include <array>
#include <optional>
#include <string>

#include "PlacidoRenderer.h"

namespace captura {

enum class TipoModelo { Esfera, Conicoide, Torica, Ceratocone, Ortoceratologia };

struct ModeloOlho {
  TipoModelo tipo = TipoModelo::Esfera;
  double raioEsfera = 7.8;                                  // mm
  double raioApical = 7.8, q = -0.25;                       // conicoid, also the base of the
                                                            // keratoconus and ortho-k corneas
  double raioPlano = 8.0, raioCurvo = 7.6, eixoCurvo = 90;  // toric, axis in degrees
  double coneX = 0.6, coneY = -0.8;                         // cone centre, mm (y up)
  double coneTamanho = 1.5, coneAltura = 0.02;              // cone radius and height, mm
  double achatamento = 3.0;                                 // ortho-k central flattening, D
  double zonaTratamento = 4.0;                              // flattened zone diameter, mm
  double descentroX = 0, descentroY = 0;                    // pixels, y down
  double ruido = 0;                                         // grey noise, 0..255 scale
};

// The renderer's scene of the model, with `aneis` rings (16 or 32) and `superamostragem` samples
// per pixel side (1 for a quick preview, 4 for a capture).
placido::Scene Cena(const ModeloOlho& modelo, int aneis, int superamostragem);

// The calibration sphere of the given radius, centred and without noise.
placido::Scene CenaEsfera(double raioMm, int aneis, int superamostragem);

// The sphere radius of a calibration caption such as "Digitalizando Esfera (7,73)" (comma or
// point); nothing when the caption holds no radius in parentheses.
std::optional<double> RaioDaLegenda(const std::string& legenda);

// An orthokeratology follow-up of the model's eye: before the lens, then three nights with a
// third, two thirds and all of the chosen central flattening.
std::array<ModeloOlho, 4> SerieOrto(const ModeloOlho& modelo);

// The lateral camera's picture: a 640 x 480 side view of the scene's cornea, apex to the right,
// its profile drawn from the same surface the central image reflects.
QImage VistaLateral(const placido::Scene& cena);

}  // namespace captura
