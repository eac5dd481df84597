#include "AdaptacaoLente.h"

#include <algorithm>
#include <cmath>

namespace lente {
namespace {

double SagEsfera(double R, double r) {
  return R - std::sqrt(R * R - r * r);
}

}  // namespace

double Conica::Excentricidade() const {
  return q < 0 ? std::sqrt(-q) : 0.0;
}

Conica AjustaConica(const mapas::GradePotencia& axial, double eixoGraus, double zonaMm) {
  // Least-squares line Ra^2 = R0^2 - Q r^2 over x = r^2.
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0, alcance = 0;
  for (double metade : {0.0, 180.0}) {
    for (int d = -10; d <= 10; ++d) {
      const int m = mapas::MeridianoDoAngulo(eixoGraus + metade + d);
      for (int p = 0; p <= mapas::kRaioMaximoPx; ++p) {
        const double r = p * axial.mmPorPixel, potencia = axial.Valor(m, p);
        if (r < 0.5 || r > zonaMm / 2 || !std::isfinite(potencia)) continue;
        const double x = r * r, ra = mapas::kConstanteCeratometrica / potencia, y = ra * ra;
        n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
        alcance = std::max(alcance, r);
      }
    }
  }
  Conica c;
  const double det = n * sxx - sx * sx;
  if (alcance < 2.0 || det <= 0) return c;
  const double inclinacao = (n * sxy - sx * sy) / det, intercepto = (sy - inclinacao * sx) / n;
  if (intercepto <= 0) return c;
  c.r0 = std::sqrt(intercepto);
  c.q = -inclinacao;
  c.valida = std::isfinite(c.r0) && std::isfinite(c.q);
  return c;
}

double CurvaDeAlinhamento(double r0, double q, double zonaMm) {
  const double y = zonaMm / 2, p = 1 + q;
  const double raiz = r0 * r0 - p * y * y;
  const double s = std::abs(p) < 1e-9 || raiz < 0 ? y * y / (2 * r0) : (r0 - std::sqrt(raiz)) / p;
  return (s * s + y * y) / (2 * s);
}

double ArredondaPasso(double mm) {
  return std::round(mm / kPassoMm) * kPassoMm;
}

Sugestao SugereLente(const mapas::GradePotencia& axial, const mapas::Ceratometria& k) {
  Sugestao s;
  if (!k.valida) return s;
  s.kPlano = k.kPlano;
  s.eixoPlano = k.eixoPlano;
  s.conica = AjustaConica(axial, k.eixoPlano);
  const double raioPlano = mapas::kConstanteCeratometrica / k.kPlano;
  // The flat K sets the apical radius; the conic of the flat meridian only its shape.
  s.curvaBaseMm =
      ArredondaPasso(s.conica.valida ? CurvaDeAlinhamento(raioPlano, s.conica.q) : raioPlano);
  s.diametroMm = k.kPlano < 41.0 ? 9.6 : k.kPlano <= 45.0 ? 9.2 : 8.8;
  s.valida = true;
  return s;
}

double LenteLacrimal(double curvaBaseMm, double kPlano) {
  return mapas::kConstanteCeratometrica / curvaBaseMm - kPlano;
}

Fluoresceina SimulaFluoresceina(const mapas::GradePotencia& sagitta, double curvaBaseMm,
                                double diametroMm) {
  Fluoresceina f;
  f.espessura.mmPorPixel = sagitta.mmPorPixel;
  const double raioLente = std::min(diametroMm / 2, curvaBaseMm * 0.99);
  // How far in front of the apex the lens's vertex must stand so that it touches the cornea
  // nowhere deeper than the cornea: the largest excess of the lens's sag over the cornea's.
  double afastamento = -INFINITY;
  for (int m = 1; m <= mapas::kMeridianos; ++m) {
    for (int p = 0; p * sagitta.mmPorPixel <= raioLente; ++p) {
      const double sag = sagitta.Valor(m, p);
      if (std::isfinite(sag))
        afastamento = std::max(afastamento, SagEsfera(curvaBaseMm, p * sagitta.mmPorPixel) - sag);
    }
  }
  if (!std::isfinite(afastamento)) return f;
  double somaBorda = 0;
  int nBorda = 0;
  f.minimo = INFINITY;
  f.maximo = -INFINITY;
  for (int m = 1; m <= mapas::kMeridianos; ++m) {
    for (int p = 0; p * sagitta.mmPorPixel <= raioLente; ++p) {
      const double r = p * sagitta.mmPorPixel, sag = sagitta.Valor(m, p);
      if (!std::isfinite(sag)) continue;
      const double t = (sag - SagEsfera(curvaBaseMm, r) + afastamento) * 1000;
      f.espessura.Define(m, p, t);
      f.minimo = std::min(f.minimo, t);
      f.maximo = std::max(f.maximo, t);
      if (r > raioLente - 0.5) somaBorda += t, ++nBorda;
    }
  }
  double apical = 0;
  int nApical = 0;
  for (int m = 1; m <= mapas::kMeridianos; ++m)
    if (const double t = f.espessura.Valor(m, 0); std::isfinite(t)) apical += t, ++nApical;
  f.apical = nApical ? apical / nApical : 0;
  f.borda = nBorda ? somaBorda / nBorda : 0;
  f.valida = true;
  return f;
}

}  // namespace lente
