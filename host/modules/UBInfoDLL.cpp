#include "UBInfoDLL.h"

#include "ModuleLibrary.h"
#include "Streams.h"

namespace zv::UBInfoDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TInfoMapa InfoMapa = nullptr;
TInfo InfoProcessamento = nullptr;
TInfo InfoDigitalizacao = nullptr;

bool CarregaInfo(const std::string& path, int kind, Dialogs& dialogs) {
  InfoMapa = nullptr;
  InfoProcessamento = nullptr;
  InfoDigitalizacao = nullptr;
  if (!modulo.Load(path)) {
    dialogs.Message(modulo.LastError());
    return false;
  }
  switch (kind) {
    case kInfoMapa:
      modulo.Bind(InfoMapa, "InfoMapa");
      return InfoMapa != nullptr;
    case kInfoProcessamento:
      modulo.Bind(InfoProcessamento, "Info");
      return InfoProcessamento != nullptr;
    case kInfoDigitalizacao:
      modulo.Bind(InfoDigitalizacao, "Info");
      return InfoDigitalizacao != nullptr;
    default:
      return false;
  }
}

void LiberaModulo() {
  modulo.Release();
  InfoMapa = nullptr;
  InfoProcessamento = nullptr;
  InfoDigitalizacao = nullptr;
}

std::vector<std::string> LeInfo(int kind) {
  void (*entry)(TZVStream*) = kind == kInfoMapa            ? InfoMapa
                              : kind == kInfoProcessamento ? InfoProcessamento
                              : kind == kInfoDigitalizacao ? InfoDigitalizacao
                                                           : nullptr;
  if (!entry) return {};
  MemoryStream saida;
  entry(saida.Handle());
  StreamRewind(saida.Handle());
  return StreamReadLines(saida.Handle());
}

}  // namespace zv::UBInfoDLL
