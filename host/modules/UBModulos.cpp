#include "UBModulos.h"

#include <exception>

#include "ModuleLibrary.h"
#include "TextFile.h"
#include "UBInfoDLL.h"

namespace zv {
namespace {

const char* const kSuporte = "Suporte técnico: 0800 555 0100.";

std::string Texto(const char* text) {
  return text ? text : "";
}

}  // namespace

TBModulos::TBModulos(const TPathsZV& paths, Dialogs& dialogs, LeitorVersao leitorVersao,
                     TBModulosAmbiente ambiente)
    : paths_(paths),
      dialogs_(dialogs),
      ambiente_(std::move(ambiente)),
      procura_(dialogs, std::move(leitorVersao)) {}

bool TBModulos::Inicia() {
  try {
    Etapa(1);
    Progresso(0);
    AbreBancoDados();
    Progresso(50);
    Etapa(2);
    Progresso(100);
    ProcuraModulos();
    SondaModulos();
    return true;
  } catch (const std::exception&) {
    dialogs_.Message(
        "Não foi possivel inicializar o aplicativo. \rEntre em contato com a assistência "
        "técnica: 0800 555 0100",
        "ERRO", MsgIcon::Error);
    if (ambiente_.encerraAplicativo) ambiente_.encerraAplicativo();
    return false;
  }
}

void TBModulos::AbreBancoDados() {
  const std::string path = JoinPath(Texto(paths_.DirBancoDados), "DATABASE.GDB");
  std::string erro;
  if (!FileExists(path)) {
    erro =
        "Caminho do diretório do Banco de dados incorreto, entre em contato com o nosso "
        "suporte técnico. ";
  } else {
    bool aberto = false;
    try {
      aberto = ambiente_.abreBancoDados && ambiente_.abreBancoDados(path);
    } catch (const std::exception&) {
      aberto = false;
    }
    if (!aberto)
      erro =
          "Não foi possível connectar com o banco de dados, entre em contato com o nosso "
          "suporte técnico. ";
  }
  if (!erro.empty()) dialogs_.Message(erro + "\r" + kSuporte, "ERRO", MsgIcon::Error);
}

void TBModulos::ProcuraModulos() {
  const std::string dirMapas = Texto(paths_.DirMapas);
  if (DirectoryExists(dirMapas)) {
    Etapa(3);
    Progresso(0);
    procura_.ProcuraModulosSemBotoes(dirMapas, ambiente_.avancaProgresso);
  }
  Progresso(100);
}

void TBModulos::SondaModulos() {
  Etapa(4);
  Progresso(0);
  const struct {
    const char* path;
    int kind;
  } sondas[] = {{paths_.ModProcessamento, UBInfoDLL::kInfoProcessamento},
                {paths_.ModDigitalizacao, UBInfoDLL::kInfoDigitalizacao}};
  int position = 0;
  for (const auto& sonda : sondas) {
    {
      LiberaAoSair libera(&UBInfoDLL::LiberaModulo);
      if (UBInfoDLL::CarregaInfo(Texto(sonda.path), sonda.kind, dialogs_))
        UBInfoDLL::LeInfo(sonda.kind);
    }
    Progresso(position += 50);
  }
}

void TBModulos::Etapa(int step) {
  if (ambiente_.marcaEtapa) ambiente_.marcaEtapa(step);
}

void TBModulos::Progresso(int position) {
  if (ambiente_.progresso) ambiente_.progresso(position);
}

}  // namespace zv
