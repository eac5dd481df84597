// The ring clean-up and the conversion on arbitrary tables of radii, as they would enter from
// outside detection: a table that TabelaAceitavel refuses goes no further; every other table
// runs through the clean-up after a detection, the finishing passes, the conversion, the
// profile and the sagitta.
#include <memory>

#include "Conversao.h"
#include "FuzzInput.h"
#include "LimpezaAneis.h"
#include "UnattendedDialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessik;
  zv::fuzz::Leitor leitor(data, size);
  const int numAneis = leitor.Le<uint8_t>() % 2 ? 16 : 32;
  // A few cells may take any double at all (NaN, infinities, huge values).
  const uint8_t livres = leitor.Le<uint8_t>() % 4;
  static auto bruta = std::make_unique<TabelaAneis>();
  static auto trabalho = std::make_unique<TabelaAneis>();
  static auto potencias = std::make_unique<TabelaAneis>();
  ContagemAneis contagens;
  for (int& c : contagens) c = leitor.Le<int8_t>();
  for (int i = 0; i < livres; ++i) {
    const uint16_t celula = leitor.Le<uint16_t>() % (kAngulos * kColunas);
    (*bruta)[celula / kColunas][celula % kColunas] = leitor.Le<double>();
  }
  for (auto& linha : *bruta)
    for (double& v : linha) v = leitor.Le<int16_t>() / 32.768;  // within +-1000 pixels
  if (!TabelaAceitavel(*bruta)) return 0;

  FiltrosAneis filtros(*trabalho, *bruta, contagens, numAneis);
  filtros.LimpezaAposDeteccao();
  filtros.Retoque();
  filtros.Interpola();
  Coeficientes coef;
  for (int j = 1; j <= kAneisMax; ++j) coef.a[j] = 0.5, coef.b[j] = 0.04;
  coef.pares = numAneis;
  zv::UnattendedDialogs dialogs;
  if (!ConverteAneis(*trabalho, contagens, coef, numAneis, *potencias, dialogs)) return 0;
  SuavizaPotencias(*trabalho, contagens, numAneis, *potencias);
  ArredondaDuasCasas(*potencias, numAneis);
  ArredondaDuasCasas(*trabalho, numAneis);
  TabelaPerfil perfil;
  MontaPerfil(*trabalho, *potencias, contagens, perfil);
  CalculaSAG(perfil, 0.024);
  return 0;
}
