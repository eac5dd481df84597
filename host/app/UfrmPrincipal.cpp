#include "UfrmPrincipal.h"

#include "ModuleLibrary.h"
#include "TextFile.h"
#include "UBImagens.h"
#include "UBInfoDLL.h"
#include "UDMedicos.h"

namespace zv {
namespace {

const char* const kSuporte = "\rSuporte técnico: 0800 555 0100.";

std::string Texto(const char* text) {
  return text ? text : "";
}

}  // namespace

TfrmPrincipal::TfrmPrincipal(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                             JanelasPrincipal& janelas, TZVRecords& records,
                             ProgramaZarvik programa)
    : view_(view),
      dialogs_(dialogs),
      dm_(dm),
      janelas_(janelas),
      records_(records),
      programa_(std::move(programa)),
      modulos_(std::make_unique<TBProcuraModulos>(dialogs)),
      botoes_{TBtnImage(view, "BtnImage0"), TBtnImage(view, "BtnImage1"),
              TBtnImage(view, "BtnImage2"), TBtnImage(view, "BtnImage3"),
              TBtnImage(view, "BtnImage4"), TBtnImage(view, "BtnImage5"),
              TBtnImage(view, "BtnImage6")} {}

TfrmPrincipal::~TfrmPrincipal() = default;

void TfrmPrincipal::FormCreate() {
  iniciado_ = false;
  // Our own number and date texts never depend on the locale; what can, the C numeric
  // locale, is forced to the point for the run and given back at close.
  if (!regConfig_.ReadCurrent()) dialogs_.Message("Problemas ao ler registro", "ERRO");
  regConfig_.SetForced(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
  regConfig_.ApplyForced();
  mapOperation_ = std::make_unique<TBMapOperation>(dialogs_);
  screen_ = std::make_unique<TBScreenResolution>();
  view_.SetCursor("Image3", Cursor::Hand);
}

void TfrmPrincipal::ApplicationEvents1Activate() {
  // A message box of the start-up activates the application again: the running start-up is
  // not begun a second time.
  if (iniciado_ || iniciando_ || encerrando_) return;
  iniciando_ = true;
  try {
    IniciaSistema();
  } catch (...) {
    iniciando_ = false;
    throw;
  }
  iniciando_ = false;
}

void TfrmPrincipal::IniciaSistema() {
  if (!versionInfo_) {
    versionInfo_ = std::make_unique<TBVersionInfo>();
    versionInfo_->LoadFrom(programa_.file);
  }
  settings_ = std::make_unique<TBIniSettings>(dialogs_, programa_.dir, programa_.fixedSettingsRoot);
  records_.Infos.Modelo = 1;
  if (!settings_->LoadAll(1)) {
    dialogs_.Message("Erro ao carregar o arquivo de configuração", "Informação", MsgIcon::Warning);
    Encerra();
    return;
  }
  settings_->WriteSetting("Str", "ZV", "TIPO", std::to_string(records_.Infos.Modelo), false);
  records_.Infos.NumAneis = 32;
  CopySettingsToRecords(*settings_, records_);

  if (!CarregaImagens(records_.Infos.Modelo, records_.Infos.NumAneis)) return;
  view_.Repaint("frmPrincipal");

  janelas_.Iniciando();
  try {
    if (IniciaBancoDados()) {
      LocalizaModulos();
      IniciaModulos();
      iniciado_ = true;
    } else {
      Encerra();
    }
  } catch (...) {
    AoFimDaPartida();
    throw;
  }
  AoFimDaPartida();
}

void TfrmPrincipal::AoFimDaPartida() {
  janelas_.FechaIniciando();
  if (!encerrando_) janelas_.LembreteBackup(records_.Infos);
}

bool TfrmPrincipal::CarregaImagens(int modelo, int aneis) {
  const std::string raiz = Texto(records_.Paths.DirRaiz);
  try {
    const QImage fundo = LeImagemJpeg(JoinPath(raiz, ArquivoFundo(modelo)));
    const QImage faixa = LeImagemJpeg(JoinPath(raiz, ArquivoFaixa(modelo, aneis)));
    std::array<QImage, 7> normais, realces;
    for (int i = 0; i < kBotoes; ++i) {
      normais[i] = LeImagemJpeg(JoinPath(raiz, ArquivoBotao(NomeLista(modelo, false), i)));
      realces[i] = LeImagemJpeg(JoinPath(raiz, ArquivoBotao(NomeLista(modelo, true), i)));
    }
    view_.SetImage("Image1", fundo);
    view_.SetImage("Image2", faixa);
    for (int i = 0; i < kBotoes; ++i)
      botoes_[i].SetPictures(normais[i], realces[i], normais[i], normais[i]);
    return true;
  } catch (const std::exception&) {
    dialogs_.Message("Não foi possivel inicializar o sistema - Erro IMG001", "ERRO",
                     MsgIcon::Error);
    Encerra();
    return false;
  }
}

bool TfrmPrincipal::IniciaBancoDados() {
  TfrmIniciando& splash = janelas_.Iniciando();
  splash.MostraEtapa(1);
  splash.Progresso(0);
  const std::string arquivo = JoinPath(Texto(records_.Paths.DirBancoDados), "DATABASE.GDB");
  bool conectado = false;
  if (FileExists(arquivo)) {
    conectado = dm_.PSetDataBaseName(arquivo);
    if (!conectado)
      dialogs_.Message(
          std::string("Não foi possível conectar com o banco de dados, entre em contato com o "
                      "nosso suporte técnico. ") +
              kSuporte,
          "Informação", MsgIcon::Warning);
    splash.Progresso(50);
  } else {
    dialogs_.Message(
        std::string("Caminho do diretório do Banco de dados incorreto, entre em contato com o "
                    "nosso suporte técnico. ") +
            kSuporte,
        "Informação", MsgIcon::Warning);
  }
  splash.MostraEtapa(2);
  splash.Progresso(100);
  return conectado;
}

void TfrmPrincipal::LocalizaModulos() {
  TfrmIniciando& splash = janelas_.Iniciando();
  const std::string dirMapas = Texto(records_.Paths.DirMapas);
  // Each scan gives a new module list; the previous one goes.
  modulos_ = std::make_unique<TBProcuraModulos>(dialogs_);
  if (DirectoryExists(dirMapas)) {
    splash.MostraEtapa(3);
    splash.Progresso(0);
    modulos_->ProcuraModulos(dirMapas, [&splash](int amount) { splash.AvancaProgresso(amount); });
  }
  splash.Progresso(100);
}

void TfrmPrincipal::IniciaModulos() {
  TfrmIniciando& splash = janelas_.Iniciando();
  splash.Progresso(0);
  splash.MostraEtapa(4);
  const struct {
    const char* path;
    int kind;
  } sondas[] = {{records_.Paths.ModProcessamento, UBInfoDLL::kInfoProcessamento},
                {records_.Paths.ModDigitalizacao, UBInfoDLL::kInfoDigitalizacao}};
  int posicao = 0;
  for (const auto& sonda : sondas) {
    {
      LiberaAoSair libera(&UBInfoDLL::LiberaModulo);
      // The description lines are only read, to see that the module answers.
      if (UBInfoDLL::CarregaInfo(Texto(sonda.path), sonda.kind, dialogs_))
        UBInfoDLL::LeInfo(sonda.kind);
    }
    splash.Progresso(posicao += 50);
  }
}

void TfrmPrincipal::BtnImage0Click() {
  if (data::TDMedicos(dm_).ContaMedicos() == 0) {
    dialogs_.Message("Será necessário cadastrar um médico antes de utilizar o navegador.",
                     "Informação", MsgIcon::Information);
    return;
  }
  // The browser is created anew for each opening, and with it the module scan (no progress).
  modulos_ = std::make_unique<TBProcuraModulos>(dialogs_);
  modulos_->ProcuraModulos(Texto(records_.Paths.DirMapas));
  janelas_.Navegador(*modulos_);
}

void TfrmPrincipal::BtnImage1Click() {
  janelas_.Abre(JanelasPrincipal::Janela::CadastroMedicos, *modulos_);
}
void TfrmPrincipal::BtnImage2Click() {
  janelas_.Abre(JanelasPrincipal::Janela::Calibracao, *modulos_);
}
void TfrmPrincipal::BtnImage3Click() {
  janelas_.Abre(JanelasPrincipal::Janela::Ferramentas, *modulos_);
}
void TfrmPrincipal::BtnImage4Click() {
  janelas_.Abre(JanelasPrincipal::Janela::Backup, *modulos_);
}
void TfrmPrincipal::BtnImage5Click() {
  janelas_.Ajuda({});
}
void TfrmPrincipal::BtnImage6Click() {
  view_.Close(0);
}
void TfrmPrincipal::Image2Click() {
  janelas_.Abre(JanelasPrincipal::Janela::Sobre, *modulos_);
}
void TfrmPrincipal::Image3Click() {
  janelas_.AbreEndereco(EnderecoFabricante());
}

std::string TfrmPrincipal::EnderecoFabricante() const {
  if (!settings_ || settings_->IniFileName().empty()) return kEnderecoPadrao;
  const std::string site =
      settings_->ReadSetting(settings_->IniFileName(), "Str", "FABRICANTE", "SITE");
  if (site.empty() || site == TBIniSettings::MarkerText("FABRICANTE", "SITE"))
    return kEnderecoPadrao;
  return site;
}

void TfrmPrincipal::Encerra() {
  encerrando_ = true;
  janelas_.FechaIniciando();
  view_.Close(0);
}

void TfrmPrincipal::FormClose() {
  regConfig_.RestoreCurrent();
  modulos_ = std::make_unique<TBProcuraModulos>(dialogs_);
  settings_.reset();
  versionInfo_.reset();
}

}  // namespace zv
