// The exported entry points of the backup module.  The medium's drive letter is always "Z"
// (the medium itself is the directory its settings name, see MotorBackup.h).  Failures are
// told to the operator here and returned as -1; no C++ exception reaches the host.
#include <dlfcn.h>

#include <QWidget>
#include <type_traits>

#include "ModuleApplication.h"
#include "MotorBackup.h"
#include "Streams.h"
#include "TextFile.h"
#include "UBConstantes.h"

#define BACKUP_EXPORT extern "C" __attribute__((visibility("default")))

namespace backup {
namespace {

constexpr char kModulo[] = "Backup";

// The directory this module file lies in: its settings are beside it.
std::string DiretorioDoModulo() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&DiretorioDoModulo), &info) == 0 || !info.dli_fname)
    return zv::ProgramDirectory();
  return zv::ParentDirectory(info.dli_fname);
}

std::vector<std::string> Linhas(TZVStream* stream) {
  if (!stream) return {};
  zv::StreamRewind(stream);
  std::vector<std::string> linhas = zv::StreamReadLines(stream);
  std::erase_if(linhas, [](const std::string& l) { return l.empty(); });
  return linhas;
}

void Escreve(TZVStream* stream, const std::vector<std::string>& linhas) {
  if (!stream || linhas.empty()) return;
  stream->SetSize(stream->context, 0);
  zv::StreamRewind(stream);
  zv::StreamWriteLines(stream, linhas);
}

int32_t Falha(void* handle, const std::string& texto) {
  zv::ReportModuleFailure(static_cast<QWidget*>(handle), kModulo, texto);
  return -1;
}

}  // namespace
}  // namespace backup

using namespace backup;

BACKUP_EXPORT int32_t InfoBackup(void*, TZVStream* Saida, int32_t) {
  try {
    Escreve(Saida, Descricao(LeConfiguracao(DiretorioDoModulo())));
  } catch (...) {
  }
  return kLetraMidia;
}

BACKUP_EXPORT int32_t CriarBackup(void* Handle, TZVStream* ListaExames, TZVStream* ResultadoExames,
                                  TZVStream* ListaLaudos, TZVStream* ResultadoLaudos, int32_t,
                                  const char* DirExames, const char* DirLaudos) {
  try {
    const std::vector<std::string> exames = Linhas(ListaExames), laudos = Linhas(ListaLaudos);
    if (exames.empty() && laudos.empty()) return 0;
    if (!DirExames || !DirLaudos)
      return Falha(Handle, "Diretórios de exames e laudos não informados.");
    const ResultadoBackup r = CriaBackup(LeConfiguracao(DiretorioDoModulo()), exames, laudos,
                                         DirExames, DirLaudos, zv::DateTime::Now());
    Escreve(ResultadoExames, r.marcasExames);
    Escreve(ResultadoLaudos, r.marcasLaudos);
    if (r.itensCopiados == 0)
      return Falha(Handle, "Nenhum exame ou laudo pôde ser copiado para o meio de backup.\n" +
                               r.primeiraFalha);
    if (r.itensFalhos > 0)
      Falha(Handle, std::to_string(r.itensFalhos) +
                        " item(ns) não foram copiados e continuam sem backup.\n" + r.primeiraFalha);
    return r.numero;
  } catch (const std::exception& e) {
    return Falha(Handle, std::string("Não foi possível fazer o backup.\n") + e.what());
  } catch (...) {
    return Falha(Handle, "Não foi possível fazer o backup.");
  }
}

BACKUP_EXPORT int32_t RestaurarBackup(void* Handle, const char* DirExames, const char* DirLaudos) {
  try {
    if (!DirExames || !DirLaudos)
      return Falha(Handle, "Diretórios de exames e laudos não informados.");
    const ResultadoRestauracao r =
        RestauraBackup(LeConfiguracao(DiretorioDoModulo()), DirExames, DirLaudos);
    if (r.falhas > 0)
      return Falha(Handle, std::to_string(r.falhas) +
                               " arquivo(s) do backup não puderam ser restaurados.\n" +
                               r.primeiraFalha);
    return r.restaurados;
  } catch (const std::exception& e) {
    return Falha(Handle, std::string("Não foi possível restaurar o backup.\n") + e.what());
  } catch (...) {
    return Falha(Handle, "Não foi possível restaurar o backup.");
  }
}

static_assert(std::is_same_v<decltype(&InfoBackup), TInfoBackup>);
static_assert(std::is_same_v<decltype(&CriarBackup), TCriarBackup>);
static_assert(std::is_same_v<decltype(&RestaurarBackup), TRestaurarBackup>);
