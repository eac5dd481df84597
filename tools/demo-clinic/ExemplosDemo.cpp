#include "ExemplosDemo.h"

#include "OlhoSimulado.h"
#include "TextFile.h"
#include "UBArquivosExame.h"

namespace zv::demo {
namespace {

using captura::ModeloOlho;

// The same feature seen on the other eye: mirrored about the vertical meridian.
ModeloOlho Espelhado(ModeloOlho olho) {
  olho.coneX = -olho.coneX;
  olho.eixoCurvo =
      olho.eixoCurvo == 0 || olho.eixoCurvo == 180 ? olho.eixoCurvo : 180 - olho.eixoCurvo;
  return olho;
}

// Six eyes of a group: the four right eyes given, then the mirrors of the first two as left eyes.
void Grupo(std::vector<Exemplo>& exemplos, const std::string& nome,
           const std::array<ModeloOlho, 4>& direitos) {
  for (int i = 0; i < 6; ++i) {
    const ModeloOlho olho =
        i < 4 ? direitos[static_cast<size_t>(i)] : Espelhado(direitos[static_cast<size_t>(i - 4)]);
    exemplos.push_back({nome + "0" + std::to_string(i + 1), olho});
  }
}

bool ExemploCompleto(const std::string& prefixo) {
  for (const char* letra : {"d.txt", "m.txt", "a.txt"})
    if (!FileExists(prefixo + letra)) return false;
  return true;
}

}  // namespace

std::vector<Exemplo> Exemplos() {
  std::vector<Exemplo> exemplos;
  // Cones at the centre, from a forme fruste to an advanced one.
  Grupo(exemplos, "Central",
        {OlhoCeratocone(7.6, 0.2, -0.3, 1.4, 0.010), OlhoCeratocone(7.5, 0.3, -0.4, 1.5, 0.016),
         OlhoCeratocone(7.4, 0.1, -0.5, 1.5, 0.022), OlhoCeratocone(7.2, 0.3, -0.2, 1.6, 0.028)});
  // Cones low in the periphery, below the pupil.
  Grupo(exemplos, "Periférico",
        {OlhoCeratocone(7.7, 0.8, -2.0, 1.5, 0.050), OlhoCeratocone(7.6, 1.1, -1.9, 1.6, 0.060),
         OlhoCeratocone(7.7, -0.6, -2.2, 1.4, 0.055), OlhoCeratocone(7.5, 0.4, -2.3, 1.7, 0.070)});
  // Regular astigmatism: with the rule (steep vertical meridian), then against it.
  Grupo(exemplos, "Regular",
        {OlhoTorico(7.95, 7.60, 90), OlhoTorico(7.90, 7.45, 95), OlhoTorico(7.80, 7.55, 180),
         OlhoTorico(7.85, 7.45, 5)});
  // Irregular astigmatism: a broad, low steepening away from the centre, so that the two
  // halves of the steep meridian differ and the bow tie is neither symmetric nor straight.
  Grupo(exemplos, "Irregular",
        {OlhoCeratocone(7.8, 1.4, 0.9, 2.4, 0.020), OlhoCeratocone(7.7, -1.5, -0.6, 2.2, 0.022),
         OlhoCeratocone(7.9, 1.0, -1.4, 2.6, 0.024), OlhoCeratocone(7.75, -0.9, 1.5, 2.3, 0.021)});
  Grupo(exemplos, "Normal",
        {OlhoNormal(7.80, -0.25), OlhoNormal(7.65, -0.20), OlhoNormal(7.95, -0.30),
         OlhoNormal(7.55, -0.15)});
  // One eye before the reverse-geometry lens and after three nights of wear.
  const auto serie = captura::SerieOrto(OlhoNormal(7.80, -0.22));
  for (int i = 0; i < 4; ++i)
    exemplos.push_back({"Orto0" + std::to_string(i + 1), serie[static_cast<size_t>(i)]});
  return exemplos;
}

std::vector<Exemplo> ExemplosFaltando(const std::string& dirExemplos) {
  std::vector<Exemplo> faltando;
  for (Exemplo& e : Exemplos())
    if (!ExemploCompleto(JoinPath(dirExemplos, e.nome))) faltando.push_back(std::move(e));
  return faltando;
}

void GravaExemplos(const std::string& dirExemplos, const std::vector<Exemplo>& exemplos,
                   const std::string& coef16) {
  for (const Exemplo& e : exemplos) {
    const auto exame = Examina(e.olho, kAneisExemplos, coef16);
    GravaArquivosExame(JoinPath(dirExemplos, e.nome), exame->dioptrias, exame->pixels, exame->aneis,
                       exame->centroX, exame->centroY, exame->pupila, kAneisExemplos);
  }
}

}  // namespace zv::demo
