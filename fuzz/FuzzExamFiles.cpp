// A stored exam's three files ("m.txt", "d.txt", "a.txt") loaded as the exam browser and the
// report editor load them.
#include "Errors.h"
#include "FuzzInput.h"
#include "UBMapOperation.h"
#include "UnattendedDialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv;
  const auto partes = fuzz::Partes(data, size, 3);
  fuzz::Arquivo("1m.txt", partes[0]);
  fuzz::Arquivo("1d.txt", partes[1]);
  fuzz::Arquivo("1a.txt", partes[2]);
  UnattendedDialogs dialogs;
  TBMapOperation exame(dialogs);
  try {
    exame.LoadExam(JoinPath(fuzz::Diretorio(), "1"));
  } catch (const ConvertError&) {
  }
  return 0;
}
