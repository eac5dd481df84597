// A backup module for the backup window's tests, steered by environment variables:
//   ZV_FAKE_MIDIA   the medium directory it names in its description
//   ZV_FAKE_FALHA   "1": CriarBackup and RestaurarBackup fail (-1)
//   ZV_FAKE_PULA    1-based index of an exam it leaves without a mark
// It keeps the lists it received in the medium ("exames.lst", "laudos.lst") and marks item k
// with "M" followed by k; RestaurarBackup leaves "restaurado" in the medium.
#include <cstdlib>
#include <string>
#include <vector>

#include "Streams.h"
#include "TextFile.h"
#include "UBConstantes.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::vector<std::string> Linhas(TZVStream* s) {
  zv::StreamRewind(s);
  return zv::StreamReadLines(s);
}

}  // namespace

FAKE_EXPORT int32_t InfoBackup(void*, TZVStream* saida, int32_t) {
  zv::StreamWriteLines(
      saida, {"Backup de teste", "Diretório do meio: " + Env("ZV_FAKE_MIDIA"),
              "Rótulo do meio: ZVBK0001", "", "", "Backup mais recente em:  05/03/2026 10:00:00"});
  return 'Z';
}

FAKE_EXPORT int32_t CriarBackup(void*, TZVStream* listaExames, TZVStream* resultadoExames,
                                TZVStream* listaLaudos, TZVStream* resultadoLaudos, int32_t,
                                const char*, const char*) {
  const std::string midia = Env("ZV_FAKE_MIDIA");
  const auto exames = Linhas(listaExames), laudos = Linhas(listaLaudos);
  zv::WriteTextLines(zv::JoinPath(midia, "exames.lst"), exames);
  zv::WriteTextLines(zv::JoinPath(midia, "laudos.lst"), laudos);
  if (Env("ZV_FAKE_FALHA") == "1") return -1;
  const std::string pula = Env("ZV_FAKE_PULA");
  std::vector<std::string> marcas;
  for (size_t k = 1; k <= exames.size() / 3; ++k)
    marcas.push_back(std::to_string(k) == pula ? "" : "M" + std::to_string(k));
  zv::StreamWriteLines(resultadoExames, marcas);
  marcas.clear();
  for (size_t k = 1; k <= laudos.size(); ++k) marcas.push_back("L" + std::to_string(k));
  zv::StreamWriteLines(resultadoLaudos, marcas);
  return 1;
}

FAKE_EXPORT int32_t RestaurarBackup(void*, const char*, const char*) {
  if (Env("ZV_FAKE_FALHA") == "1") return -1;
  zv::WriteTextLines(zv::JoinPath(Env("ZV_FAKE_MIDIA"), "restaurado"), {"1"});
  return 1;
}
