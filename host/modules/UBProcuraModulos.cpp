#include "UBProcuraModulos.h"

#include <algorithm>
#include <filesystem>

#include "ModuleLibrary.h"
#include "ModulePicture.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "UBInfoDLL.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

// Names of the module files of a directory: regular files and directories (which then fail
// to load) whose name ends in the module suffix; an unreadable directory lists nothing.
std::vector<std::string> ArquivosDeModulo(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    const fs::file_status status = it->status(typeError);
    if (!fs::is_regular_file(status) && !fs::is_directory(status)) continue;
    std::string name = it->path().filename().string();
    if (HasModuleSuffix(name)) names.push_back(std::move(name));
  }
  return names;
}

// Kind column of the module list.  A kind code other than 1 or 2 keeps an empty kind line, so
// that every module keeps its four lines.
std::string TextoTipo(const std::string& codigo) {
  int tipo = 0;
  if (!TryStrToInt(codigo, tipo)) return {};
  return tipo == 1 ? "Simples" : tipo == 2 ? "Wizard" : "";
}

std::string PictureFile(const std::string& directory, const std::string& caption) {
  for (const char* extension : {".bmp", ".BMP", ".Bmp"}) {
    const std::string path = JoinPath(directory, caption + extension);
    if (FileExists(path)) return path;
  }
  return {};
}

}  // namespace

TBProcuraModulos::TBProcuraModulos(Dialogs& dialogs, LeitorVersao leitorVersao)
    : dialogs_(dialogs), leitorVersao_(std::move(leitorVersao)) {}

void TBProcuraModulos::ProcuraModulos(const std::string& directory,
                                      const AvancaProgresso& progresso) {
  Procura(directory, progresso, progresso, true);
}

void TBProcuraModulos::ProcuraModulosSemBotoes(const std::string& directory,
                                               const AvancaProgresso& progresso) {
  Procura(directory, progresso, {}, false);
}

void TBProcuraModulos::Procura(const std::string& directory, const AvancaProgresso& porArquivo,
                               const AvancaProgresso& porRegistro, bool comBotoes) {
  listaModulos_.clear();
  botoes_.clear();
  figurasAdicionadas_ = 0;

  std::vector<std::string> files = ArquivosDeModulo(directory);
  if (porArquivo) {
    for (size_t i = 0; i < files.size(); ++i) porArquivo(kPassoProgresso);
  }
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  // The later name is registered first: its button and list lines come first.
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    RegistraModulo(directory, *it, comBotoes);
    if (porRegistro) porRegistro(kPassoProgresso);
  }
}

void TBProcuraModulos::RegistraModulo(const std::string& directory, const std::string& file,
                                      bool comBotoes) {
  const std::string path = JoinPath(directory, file);
  std::vector<std::string> info;
  {
    // A library without InfoMapa is released too, rather than staying loaded for the run.
    LiberaAoSair libera(&UBInfoDLL::LiberaModulo);
    if (!UBInfoDLL::CarregaInfo(path, UBInfoDLL::kInfoMapa, dialogs_)) return;
    info = UBInfoDLL::LeInfo(UBInfoDLL::kInfoMapa);
  }
  if (info.size() > 2) {
    listaModulos_.push_back(info[0]);
    listaModulos_.push_back(TextoTipo(info[1]));
    listaModulos_.push_back(info[2]);
    listaModulos_.push_back(VersaoDe(path));
  }
  // The button needs the kind line: a module that writes less than two lines gets none.
  if (!comBotoes || info.size() < 2) return;

  TBBotaoModulo botao;
  botao.caption = ModuleCaption(file);
  botao.hint = info[0];
  botao.clique = info[1] == "1" ? TipoClique::MapaClick : TipoClique::MapasClick;
  const std::string picturePath = PictureFile(directory, botao.caption);
  if (!picturePath.empty()) {
    if (auto picture = LoadModulePicture(picturePath)) {
      botao.normal = std::move(picture->normal);
      botao.highlighted = std::move(picture->highlighted);
      botao.imageIndex = ++figurasAdicionadas_ + 1;
    }
  }
  botoes_.push_back(std::move(botao));
}

std::string TBProcuraModulos::VersaoDe(const std::string& path) const {
  if (!leitorVersao_) return {};
  try {
    return leitorVersao_(path);
  } catch (const std::exception&) {
    return {};  // a module without a readable version still gets its list entry
  }
}

}  // namespace zv
