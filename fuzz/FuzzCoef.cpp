// "Coef.txt", the calibration file, read and applied to a table of radii.
#include <memory>

#include "Conversao.h"
#include "Errors.h"
#include "FuzzInput.h"
#include "UnattendedDialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessik;
  const std::string path =
      zv::fuzz::Arquivo("Coef.txt", {reinterpret_cast<const char*>(data), size});
  zv::UnattendedDialogs dialogs;
  try {
    const auto coef = LeCoeficientes(path, kAneisMax, dialogs);
    if (!coef) return 0;
    static auto raios = std::make_unique<TabelaAneis>();
    static auto potencias = std::make_unique<TabelaAneis>();
    ContagemAneis contagens;
    contagens.fill(kAneisMax);
    for (auto& linha : *raios)
      for (int j = 0; j < kColunas; ++j) linha[j] = 8.0 * j;
    if (ConverteAneis(*raios, contagens, *coef, kAneisMax, *potencias, dialogs)) {
      SuavizaPotencias(*raios, contagens, kAneisMax, *potencias);
      ArredondaDuasCasas(*potencias, kAneisMax);
      TabelaPerfil perfil;
      MontaPerfil(*raios, *potencias, contagens, perfil);
      CalculaSAG(perfil, 0.024);
    }
  } catch (const zv::ConvertError&) {
  }
  return 0;
}
