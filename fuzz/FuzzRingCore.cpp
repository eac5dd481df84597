// The ring clean-up and the conversion on arbitrary tables of radii, as they would enter from
// outside detection: a table that TabelaAceitavel refuses goes no further.  Every other table
// runs through up to four clean-up passes chosen by the input (with the windows and thresholds
// the sequences use), now and then through the whole clean-up after a detection, and then
// through the conversion, the profile and the sagitta.
#include <memory>

#include "Conversao.h"
#include "FuzzInput.h"
#include "LimpezaAneis.h"
#include "UnattendedDialogs.h"

namespace {

using namespace vessik;

void Passo(FiltrosAneis& f, uint8_t escolha) {
  static const int janelas[] = {5, 10, 12, 15, 20, 30, 45, 60};
  static const double limiares[] = {5, 8, 10};
  const int L = janelas[(escolha >> 5) % 8];
  const double T = limiares[(escolha >> 5) % 3];
  switch (escolha % 21) {
    case 0:
      return f.SuavizaJanelas(L, T);
    case 1:
      return f.RemoveForaDaMedia(L, T);
    case 2:
      return f.RemoveIsolados();
    case 3:
      return f.CompletaAnel1();
    case 4:
      return f.PreencheComModa(L);
    case 5:
      return f.PreencheComMedia(L);
    case 6:
      return f.RestauraBruto(L);
    case 7:
      return f.RestauraEntreVizinhos();
    case 8:
      return f.RemoveSaltos();
    case 9:
      return f.RemoveEspacamento();
    case 10:
      return f.RemoveSemBruto();
    case 11:
      return f.RemoveJanelasVazias(L);
    case 12:
      return f.AjustaModa(L, 12);
    case 13:
      return f.PreencheLacunas();
    case 14:
      return f.CorrigeAnel1();
    case 15:
      return f.CortaAposFalha();
    case 16:
      return f.CompletaAneis();
    case 17:
      return f.LimpezaA();
    case 18:
      return f.LimpezaB(L);
    case 19:
      return f.Retoque();
    case 20:
      return f.SuavizaAnel(1 + escolha % kAneisMax, 1 + escolha, L);
    default:
      return f.Retoque();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zv::fuzz::Leitor leitor(data, size);
  const uint8_t etapa = leitor.Le<uint8_t>();
  const int numAneis = etapa & 0x80 ? 16 : 32;
  uint8_t passos[4];
  for (uint8_t& p : passos) p = leitor.Le<uint8_t>();
  // A few cells may take any double at all (NaN, infinities, huge values).
  const uint8_t livres = leitor.Le<uint8_t>() % 4;
  static auto bruta = std::make_unique<TabelaAneis>();
  static auto trabalho = std::make_unique<TabelaAneis>();
  static auto potencias = std::make_unique<TabelaAneis>();
  ContagemAneis contagens;
  for (int& c : contagens) c = leitor.Le<int8_t>();
  for (auto& linha : *bruta)
    for (double& v : linha) v = leitor.Le<int16_t>() / 32.768;  // within +-1000 pixels
  for (int i = 0; i < livres; ++i) {
    const uint16_t celula = leitor.Le<uint16_t>() % (kAngulos * kColunas);
    (*bruta)[celula / kColunas][celula % kColunas] = leitor.Le<double>();
  }
  if (!TabelaAceitavel(*bruta)) return 0;

  *trabalho = *bruta;
  FiltrosAneis filtros(*trabalho, *bruta, contagens, numAneis);
  if ((etapa & 0x3F) == 0) {
    filtros.LimpezaAposDeteccao();  // the whole sequence is slow under the sanitizers
  } else {
    for (uint8_t p : passos) Passo(filtros, p);
  }
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
