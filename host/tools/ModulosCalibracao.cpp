#include "ModulosCalibracao.h"

#include "ModuleLibrary.h"
#include "UBCapturaDLL.h"
#include "UBInfoDLL.h"
#include "UBProcDLL.h"
#include "UBVersionInfo.h"

namespace zv {

bool ModulosCalibracaoDLL::CarregaCaptura(const std::string& path) {
  return UBCapturaDLL::CarregaModulo(path);
}
void ModulosCalibracaoDLL::Digitalizar(void* handle, TZVStream* central, TZVStream* lateral,
                                       int modo, const std::string& titulo) {
  UBCapturaDLL::Digitalizar(handle, central, lateral, modo, titulo.c_str());
}
void ModulosCalibracaoDLL::LiberaCaptura() {
  UBCapturaDLL::LiberaModulo();
}
bool ModulosCalibracaoDLL::CarregaProcessamento(const std::string& path) {
  return UBProcDLL::CarregaModulo(path);
}
int ModulosCalibracaoDLL::ProcessaEsfera(void* handle, TZVStream* imagem, const std::string& raio,
                                         TZVStream* resultado, const TInfosZV& infos) {
  return UBProcDLL::ProcessaEsfera(handle, imagem, raio.c_str(), resultado, infos);
}
void ModulosCalibracaoDLL::LiberaProcessamento() {
  UBProcDLL::LiberaModulo();
}

std::optional<std::vector<std::string>> InfoModulosDLL::Descricao(const std::string& path) {
  LiberaAoSair libera(&UBInfoDLL::LiberaModulo);
  if (!UBInfoDLL::CarregaInfo(path, UBInfoDLL::kInfoProcessamento, dialogs_)) return std::nullopt;
  return UBInfoDLL::LeInfo(UBInfoDLL::kInfoProcessamento);
}

std::string InfoModulosDLL::Versao(const std::string& path) {
  return TBVersionInfo::FileVersionOf(path);
}

}  // namespace zv
