#include "ModeloOlho.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <regex>

#include "CorneaSurface.h"
#include "NumberFormat.h"

namespace captura {

namespace {

constexpr double kConstanteCeratometrica = 337.5;

// A smooth depression h exp(-2 d^2 / w^2) changes the curvature at its centre by 4 h / w^2, so a
// central flattening of F dioptres over a zone of diameter w needs h = -(F / 337.5) w^2 / 4.  Its
// rim, where the curvature change turns positive, gives the mid-peripheral steepening ring.
double AlturaDepressao(double achatamentoD, double zonaMm) {
  return -(achatamentoD / kConstanteCeratometrica) * zonaMm * zonaMm / 4.0;
}

}  // namespace

placido::Scene Cena(const ModeloOlho& modelo, int aneis, int superamostragem) {
  placido::Scene cena;
  cena.rings = aneis;
  cena.supersample = superamostragem;
  cena.decentreXPx = modelo.descentroX;
  cena.decentreYPx = modelo.descentroY;
  cena.noiseSigma = modelo.ruido;
  placido::Cornea& c = cena.cornea;
  c.apicalRadiusMm = modelo.raioApical;
  c.asphericityQ = modelo.q;
  switch (modelo.tipo) {
    case TipoModelo::Esfera:
      c.kind = placido::SurfaceKind::Sphere;
      c.apicalRadiusMm = modelo.raioEsfera;
      c.asphericityQ = 0;
      break;
    case TipoModelo::Conicoide:
      c.kind = placido::SurfaceKind::Conicoid;
      break;
    case TipoModelo::Torica:
      c.kind = placido::SurfaceKind::Toric;
      c.flatRadiusMm = modelo.raioPlano;
      c.steepRadiusMm = modelo.raioCurvo;
      c.steepAxisDeg = modelo.eixoCurvo;
      break;
    case TipoModelo::Ceratocone:
      c.kind = placido::SurfaceKind::Keratoconus;
      c.coneCentreXmm = modelo.coneX;
      c.coneCentreYmm = modelo.coneY;
      c.coneRadiusMm = modelo.coneTamanho;
      c.coneSteepeningMm = modelo.coneAltura;
      break;
    case TipoModelo::Ortoceratologia:
      c.kind = placido::SurfaceKind::Keratoconus;
      c.coneCentreXmm = 0;
      c.coneCentreYmm = 0;
      c.coneRadiusMm = modelo.zonaTratamento;
      c.coneSteepeningMm = AlturaDepressao(modelo.achatamento, modelo.zonaTratamento);
      break;
  }
  return cena;
}

placido::Scene CenaEsfera(double raioMm, int aneis, int superamostragem) {
  ModeloOlho esfera;
  esfera.raioEsfera = raioMm;
  return Cena(esfera, aneis, superamostragem);
}

std::optional<double> RaioDaLegenda(const std::string& legenda) {
  static const std::regex padrao(R"(\(\s*([0-9]+(?:[.,][0-9]+)?)\s*\))");
  std::smatch m;
  if (!std::regex_search(legenda, m, padrao)) return std::nullopt;
  double raio = 0;
  if (!zv::TryStrToFloat(m[1].str(), raio)) return std::nullopt;
  return raio;
}

std::array<ModeloOlho, 4> SerieOrto(const ModeloOlho& modelo) {
  std::array<ModeloOlho, 4> serie;
  for (int noite = 0; noite < 4; ++noite) {
    ModeloOlho& m = serie[noite];
    m = modelo;
    m.tipo = noite == 0 ? TipoModelo::Conicoide : TipoModelo::Ortoceratologia;
    m.achatamento = modelo.achatamento * noite / 3.0;
  }
  return serie;
}

QImage VistaLateral(const placido::Scene& cena) {
  constexpr int kLargura = 640, kAltura = 480;
  constexpr double kPixelsPorMm = 30.0;
  const double apiceX = 470, centroY = kAltura / 2.0;
  QImage imagem(kLargura, kAltura, QImage::Format_RGB32);
  imagem.fill(QColor(22, 18, 16));

  // The profile along the vertical meridian: depth of the surface at each height, as the side
  // camera sees the cornea's silhouette.
  const placido::CorneaSurface superficie(cena.cornea);
  const double limbo = placido::LimbusRadiusMm();
  QPainterPath perfil;
  bool primeiro = true;
  double zLimbo = 0;
  for (double y = -limbo; y <= limbo + 1e-9; y += 0.05) {
    placido::SurfacePoint ponto;
    if (!superficie.At(0, y, ponto)) continue;
    const QPointF p(apiceX + ponto.z * kPixelsPorMm, centroY - y * kPixelsPorMm);
    if (primeiro)
      perfil.moveTo(p);
    else
      perfil.lineTo(p);
    primeiro = false;
    zLimbo = std::min(zLimbo, ponto.z);
  }
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  // Sclera and iris behind the cornea.
  const double xLimbo = apiceX + zLimbo * kPixelsPorMm;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(205, 200, 190));
  p.drawEllipse(QPointF(xLimbo - 300, centroY), 305, 300);
  p.setBrush(QColor(70, 90, 110));
  p.drawRect(QRectF(xLimbo - 14, centroY - limbo * kPixelsPorMm, 10, 2 * limbo * kPixelsPorMm));
  p.setBrush(QColor(10, 10, 10));
  p.drawRect(QRectF(xLimbo - 15, centroY - 1.6 * kPixelsPorMm, 12, 3.2 * kPixelsPorMm));
  if (!primeiro) {
    QPainterPath camara = perfil;
    camara.closeSubpath();
    p.setBrush(QColor(60, 70, 80, 120));
    p.drawPath(camara);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(240, 240, 235), 3));
    p.drawPath(perfil);
  }
  // The instrument's axis through the apex.
  p.setPen(QPen(QColor(200, 60, 60), 1, Qt::DashLine));
  const double eixoY = centroY + cena.decentreYPx * placido::MillimetresPerPixel() * kPixelsPorMm;
  p.drawLine(QPointF(apiceX - 200, eixoY), QPointF(kLargura, eixoY));
  return imagem;
}

}  // namespace captura
