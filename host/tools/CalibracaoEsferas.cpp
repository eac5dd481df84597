#include "CalibracaoEsferas.h"

#include <cmath>
#include <cstdio>

#include "Errors.h"
#include "NumberFormat.h"
#include "TextFile.h"

namespace zv {
namespace {

constexpr double kIndice = 337.5;  // dioptres · millimetres

bool Vazia(const std::string& linha) {
  return linha.find_first_not_of(" \t") == std::string::npos;
}

std::string NomeEsfera(const std::string& dir, int esfera) {
  return JoinPath(dir, IntToStr(esfera) + ".txt");
}

std::string Num(double v, const char* padrao) {
  return FormatFloat(padrao, v);
}

// Right-aligns `text` in `width` characters.
std::string Coluna(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string TextoRaio(int esfera, char separador) {
  std::string texto = FormatFloat("0.00", kRaiosEsferas.at(esfera - 1));
  for (char& c : texto)
    if (c == '.') c = separador;
  return texto;
}

ArquivoEsfera LeArquivoEsfera(const std::string& path) {
  std::vector<std::string> linhas = ReadTextLines(path);
  while (!linhas.empty() && Vazia(linhas.back())) linhas.pop_back();
  if (linhas.empty()) throw ConvertError("\"" + path + "\" holds no sphere radius");
  ArquivoEsfera out;
  out.raio = StrToFloat(linhas[0]);
  for (size_t i = 1; i < linhas.size(); ++i) out.aneis.push_back(StrToFloat(linhas[i]));
  return out;
}

Calibracao CalibraEsferas(const std::string& dir, int aneis) {
  std::array<ArquivoEsfera, 4> esferas;
  for (int s = 0; s < 4; ++s) esferas[s] = LeArquivoEsfera(NomeEsfera(dir, s + 1));
  // Spheres measured with different ring sets (another cone, a cut file) cannot be fitted
  // ring against ring.
  for (int s = 0; s < 4; ++s) {
    if (esferas[s].aneis.empty())
      throw ConvertError("\"" + NomeEsfera(dir, s + 1) + "\" holds no ring");
    if (esferas[s].aneis.size() != esferas[0].aneis.size())
      throw ConvertError("\"" + NomeEsfera(dir, s + 1) + "\" holds another number of rings");
  }
  std::array<double, 4> raios;
  std::array<std::vector<double>, 4> rho;
  for (int s = 0; s < 4; ++s) {
    raios[s] = esferas[s].raio;
    rho[s] = esferas[s].aneis;
  }
  Calibracao out;
  out.coeficientes = FitRingCalibration(raios, rho, aneis);
  if (out.coeficientes.empty()) throw ConvertError("no ring was fitted");
  out.qualidade = AvaliaCalibracao(esferas, out.coeficientes, aneis);
  return out;
}

QualidadeCalibracao AvaliaCalibracao(const std::array<ArquivoEsfera, 4>& esferas,
                                     const std::vector<RingCoefficients>& coeficientes, int aneis) {
  QualidadeCalibracao q;
  q.aneisDoAparelho = aneis;
  for (size_t j = 0; j < coeficientes.size(); ++j) {
    QualidadeAnel anel;
    anel.anel = static_cast<int>(j) + 1;
    for (int s = 0; s < 4; ++s) {
      ResiduoEsfera& r = anel.esferas[s];
      r.raioConhecido = esferas[s].raio;
      r.raioCalculado = coeficientes[j].a + coeficientes[j].b * esferas[s].aneis[j];
      r.residuoMm = r.raioCalculado - r.raioConhecido;
      r.residuoD = kIndice / r.raioCalculado - kIndice / r.raioConhecido;
      const double d = std::fabs(r.residuoD);
      anel.maiorResiduoD = std::max(anel.maiorResiduoD, d);
      if (d > q.piorResiduoD || q.piorAnel == 0) {
        q.piorResiduoD = d;
        q.piorAnel = anel.anel;
        q.piorEsfera = s + 1;
      }
    }
    q.aneis.push_back(anel);
  }
  return q;
}

std::string ResumoQualidade(const QualidadeCalibracao& q) {
  if (q.aneis.empty()) return "Nenhum anel calibrado.";
  std::string texto = "Pior anel: " + IntToStr(q.piorAnel) + " (esfera " + IntToStr(q.piorEsfera) +
                      ", " + Num(q.piorResiduoD, "0.000") + " D). ";
  if (q.Alerta()) {
    texto += "Atenção: resíduo acima de " + Num(kLimiteResiduoD, "0.00") +
             " D; verifique as esferas e refaça a calibração.";
  } else {
    texto += "Todos os anéis dentro de " + Num(kLimiteResiduoD, "0.00") + " D.";
  }
  const int fora = q.aneisDoAparelho - static_cast<int>(q.aneis.size());
  if (fora > 0)
    texto += " Anéis " + IntToStr(static_cast<int>(q.aneis.size()) + 1) + " a " +
             IntToStr(q.aneisDoAparelho) + " não calibrados.";
  return texto;
}

std::vector<std::string> RelatorioQualidade(const QualidadeCalibracao& q, const DateTime& quando) {
  std::vector<std::string> out;
  out.push_back("Qualidade da calibração - " + FormatDateTime("dd/MM/yyyy HH:mm:ss", quando));
  out.push_back("Anéis do aparelho: " + IntToStr(q.aneisDoAparelho) +
                "; anéis calibrados: " + IntToStr(static_cast<int>(q.aneis.size())));
  out.push_back("Resíduo = raio dado pelos coeficientes - raio conhecido da esfera");
  out.push_back("");
  out.push_back("Anel Esfera  Raio (mm)  Calculado (mm)  Resíduo (mm)  Resíduo (D)");
  for (const QualidadeAnel& anel : q.aneis) {
    for (int s = 0; s < 4; ++s) {
      const ResiduoEsfera& r = anel.esferas[s];
      out.push_back(Coluna(IntToStr(anel.anel), 4) + Coluna(IntToStr(s + 1), 7) +
                    Coluna(Num(r.raioConhecido, "0.0000"), 11) +
                    Coluna(Num(r.raioCalculado, "0.0000"), 16) +
                    Coluna(Num(r.residuoMm, "0.0000"), 14) + Coluna(Num(r.residuoD, "0.0000"), 13));
    }
  }
  out.push_back("");
  out.push_back(ResumoQualidade(q));
  return out;
}

}  // namespace zv
