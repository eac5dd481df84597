#include "UfrmFerramentas.h"

#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <filesystem>

#include "Errors.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "UBPrivateProfile.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv {
namespace {

constexpr char kSecaoBackup[] = "BACKUP";
constexpr char kDataSemBackup[] = "01/01/2007 00:00:00";

const std::vector<std::string> kMapasPadrao = {"Axial", "Tangencial"};
const std::vector<std::string> kTiposCeratometria = {"Simulada", "Convencional"};
const std::vector<std::string> kCoresCeratometria = {"Amarela", "Azul",     "Branca",
                                                     "Preta",   "Vermelha", ""};

std::string Quatro(int n) {
  return FormatFloat("0000", n);
}

}  // namespace

bool IniciaProgramaDoSistema(const std::vector<std::string>& comando) {
  if (comando.empty()) return false;
  const QString programa = QStandardPaths::findExecutable(QString::fromStdString(comando[0]));
  if (programa.isEmpty()) return false;
  QStringList argumentos;
  for (size_t i = 1; i < comando.size(); ++i) argumentos << QString::fromStdString(comando[i]);
  return QProcess::startDetached(programa, argumentos);
}

const std::vector<AplicativoSistema>& TfrmFerramentas::Aplicativos() {
  // The configuration programs of the common desktops, the first one installed wins.
  static const std::vector<AplicativoSistema> lista = {
      {"Sistema",
       {{"gnome-control-center"}, {"systemsettings"}, {"xfce4-settings-manager"}, {"lxqt-config"}}},
      {"Gerenciador de Arquivos",
       {{"nautilus"}, {"dolphin"}, {"thunar"}, {"pcmanfm"}, {"caja"}, {"nemo"}}},
      {"Impressoras",
       {{"system-config-printer"},
        {"gnome-control-center", "printers"},
        {"kcmshell5", "kcm_printer_manager"}}},
      {"Data e Hora",
       {{"gnome-control-center", "datetime"}, {"kcmshell5", "clock"}, {"time-admin"}}},
      {"Configurações Regionais",
       {{"gnome-control-center", "region"},
        {"kcmshell5", "kcm_regionandlang"},
        {"kcmshell5", "formats"}}},
  };
  return lista;
}

TfrmFerramentas::TfrmFerramentas(FormView& view, Dialogs& dialogs, ContextoFerramentas contexto)
    : view_(view), dialogs_(dialogs), ctx_(std::move(contexto)) {}

std::string TfrmFerramentas::CaminhoLogo(const std::string& dirRaiz) {
  return JoinPath(dirRaiz, "LogoClinica.bmp");
}

void TfrmFerramentas::FormCreate() {
  view_.SetText("frmFerramentas", "Ferramentas");
  logo_ = QImage(kLadoLogo, kLadoLogo, QImage::Format_ARGB32);
  logo_.fill(Qt::white);
  const std::string caminho = CaminhoLogo(ctx_.records.Paths.DirRaiz);
  if (FileExists(caminho)) {
    QImage guardado(QString::fromStdString(caminho));
    if (!guardado.isNull()) logo_ = guardado;
  }
  view_.SetImage("LogoClinica", logo_);

  std::vector<std::string> nomes;
  for (const auto& a : Aplicativos()) nomes.push_back(a.caption);
  view_.SetItems("tlvAplicativos", nomes);

  MostraPreferencias();
  view_.SetText(
      "lblReiniciaBackup",
      ReadProfileString(ctx_.arquivoBackupIni, kSecaoBackup, "BackupZerado").value_or("0"));
  chkAutoPCapturaClick();
  const bool personalizado = view_.Checked("rbtDisable");
  view_.SetEnabled("lblValIncremento", personalizado);
  view_.SetEnabled("EdtIncMap", personalizado);
  chkExibeCeratPontualClick();
  MostraTamanhoBanco();
  view_.SetVisible("TabSheet4", false);
  view_.SetVisible("tshLinguagem", false);
}

void TfrmFerramentas::MostraPreferencias() {
  const TInfosZV& i = ctx_.records.Infos;
  auto texto = [](const char* s) { return std::string(s ? s : ""); };
  view_.SetText("edtNome", texto(i.ClinicaNome));
  view_.SetText("edtEndereco", texto(i.ClinicaEndereco));
  view_.SetText("edtCidadeEstado", texto(i.ClinicaCidadeEst));
  view_.SetText("edtFone", texto(i.ClinicaTelefone));
  view_.SetChecked("chkDadosClinica", i.MostrarDadosClinica);
  view_.SetChecked("chkNomeMedico", i.MostrarNomeMedico);
  view_.SetChecked("chkLogoClinica", i.MostrarLogoClinica);
  view_.SetText("EdtIncMap", FormatFloat("0.00", i.IncMap));
  view_.SetChecked("rbtDisable", i.AutoIncMap);
  view_.SetChecked("rbtEnable", !i.AutoIncMap);
  view_.SetChecked("chkAneisAuto", i.AutoAneis);
  view_.SetValue("edtValIndConf", static_cast<int>(std::lround(i.IndiceConf)));
  view_.SetChecked("chkAutoExame", i.AutoExame);
  view_.SetChecked("chkSalvarCaptura", i.SalvarImagemCaptura);
  view_.SetItems("rgrMapaPadrao", kMapasPadrao);
  SelecionaTexto("rgrMapaPadrao", texto(i.MapaPadraoNovoExame));
  view_.SetChecked("chkImgCentral", i.SalvarImagemCentral);
  view_.SetChecked("chkImgLateral", i.SalvarImagemLateral);
  view_.SetItems("cbTipoCeratometria", kTiposCeratometria);
  SelecionaTexto("cbTipoCeratometria", texto(i.TipoCeratometria));
  view_.SetValue("SpinEditQualidadeImagem", i.QualidadeImagem);
  view_.SetItems("cbxIdioma", {});
  view_.SetText("edtTVlCentral", IntToStr(i.TvlCentral));
  view_.SetText("edtTIncremento", IntToStr(i.TIncremento));
  view_.SetChecked("chkAutoPCaptura", i.AutoPCaptura);
  view_.SetText("edtDelayAutoPCaptura", IntToStr(i.DelayAutoPCaptura));
  view_.SetChecked("chkExibeGrade", i.ExibeGrade);
  view_.SetChecked("chkExibeCeratPontual", i.ExibeCeratometriaPontual);
  view_.SetItems("cbCorCeratPontual", kCoresCeratometria);
  SelecionaTexto("cbCorCeratPontual", texto(i.CorCeratometriaPontual));
  view_.SetText("lblNotaTolerancia",
                "Cone com 16 anéis:\n         Valor central: 16\n\nCone com 32 anéis:\n"
                "         Valor central: 8");
}

void TfrmFerramentas::SelecionaTexto(const std::string& control, const std::string& text) {
  const auto items = view_.Items(control);
  int index = -1;
  for (size_t k = 0; k < items.size(); ++k)
    if (items[k] == text) index = static_cast<int>(k);
  view_.SetItemIndex(control, index);
}

std::string TfrmFerramentas::TextoSelecionado(const std::string& control,
                                              const std::string& guardado) const {
  const auto items = view_.Items(control);
  const int index = view_.ItemIndex(control);
  // With nothing selected the stored value stays, rather than being erased.
  if (index < 0 || index >= static_cast<int>(items.size())) return guardado;
  return items[index];
}

void TfrmFerramentas::MostraTamanhoBanco() {
  const std::string dir = ctx_.records.Paths.DirBancoDados ? ctx_.records.Paths.DirBancoDados : "";
  const std::string caminho = JoinPath(dir, "DATABASE.GDB");
  std::error_code erro;
  const auto bytes = std::filesystem::file_size(caminho, erro);
  view_.SetText("lblTamanhoBD", erro ? std::string("0000 MBytes")
                                     : FormatFloat("0.000", bytes / 1024.0 / 1024.0) + " MBytes");
  view_.SetText("lblDiretorioBD", caminho);
}

void TfrmFerramentas::FormShow() {
  int row = 0;
  for (size_t k = 0; k + 4 <= ctx_.modulos.size(); k += 4, ++row)
    for (int c = 0; c < 4; ++c) view_.SetCell("tlvMapas", c, row, ctx_.modulos[k + c]);
  StatusBD();
  if (view_.Text("lblBDBackupExames") == "0000") view_.SetEnabled("btnZerarBackup", false);
  view_.SetVisible("tshModulos", true);
}

void TfrmFerramentas::StatusBD() {
  data::TDMedicos medicos(ctx_.dm);
  data::TDPacientes pacientes(ctx_.dm);
  data::TDExames exames(ctx_.dm);
  data::TDLaudos laudos(ctx_.dm);
  view_.SetText("lblBDMedicos", Quatro(medicos.ContaMedicos()));
  view_.SetText("lblBDIndiceMedicos", Quatro(medicos.IndiceMedicos()));
  view_.SetText("lblBDPacientes", Quatro(pacientes.ContaPacientes()));
  view_.SetText("lblBDIndicePaciente", Quatro(pacientes.IndicePacientes()));
  const int contaExames = exames.ContaExames(), contaLaudos = laudos.ContaLaudos();
  view_.SetText("lblBDExames", Quatro(contaExames));
  view_.SetText("lblBDIndiceExames", Quatro(exames.IndiceExames()));
  view_.SetText("lblBDLaudos", Quatro(contaLaudos));
  view_.SetText("lblBDIndiceLaudos", Quatro(laudos.IndiceLaudos()));
  view_.SetText("lblBDBackupExames", Quatro(contaExames - exames.ContaExamesSemBackup()));
  view_.SetText("lblBDBackupLaudos", Quatro(contaLaudos - laudos.ContaLaudosSemBackup()));
}

void TfrmFerramentas::btnZerarBackupClick() {
  int zerado = 0;
  if (!TryStrToInt(
          ReadProfileString(ctx_.arquivoBackupIni, kSecaoBackup, "BackupZerado").value_or("0"),
          zerado))
    zerado = 0;
  data::TDExames exames(ctx_.dm);
  data::TDLaudos laudos(ctx_.dm);
  if (!exames.ZeraBackupExames() || !laudos.ZeraBackupLaudos()) {
    dialogs_.Message("Erro - as marcas de backup do banco de dados não foram zeradas.", "ERRO",
                     MsgIcon::Error);
    return;
  }
  try {
    auto escreve = [&](const char* key, const std::string& value) {
      WriteProfileString(ctx_.arquivoBackupIni, kSecaoBackup, key, value);
    };
    escreve("DiscoAtual", "1");
    for (const char* key : {"ArquivoAtual", "NumArquivos", "NumArquivosLau", "ArquivosGeral",
                            "NumExamDisco", "NumExamGeral", "NumLauDisco"})
      escreve(key, "0");
    escreve("UltDsk", kDataSemBackup);
    escreve("UltBkp", kDataSemBackup);
    escreve("BackupZerado", IntToStr(zerado + 1));
  } catch (const IoError&) {
    dialogs_.Message("Erro - arquivo de backup não foi zerado.", "ERRO", MsgIcon::Error);
    return;
  }
  view_.SetText("lblBDBackupExames", "0000");
  view_.SetText("lblReiniciaBackup",
                "Reinicialização do backup " + IntToStr(zerado + 1) + " vez(es)");
  view_.SetEnabled("btnZerarBackup", false);
  dialogs_.Message("Arquivo de backup zerado com sucesso.", "Informação", MsgIcon::Information);
}

void TfrmFerramentas::tlvAplicativosDblClick() {
  const int index = view_.ItemIndex("tlvAplicativos");
  if (index < 0 || index >= static_cast<int>(Aplicativos().size())) return;
  const AplicativoSistema& app = Aplicativos()[index];
  for (const auto& comando : app.comandos)
    if (ctx_.inicia(comando)) return;
  dialogs_.Message(
      "O aplicativo \"" + app.caption + "\" não está disponível nesta estação de trabalho.",
      "Atenção", MsgIcon::Warning);
}

void TfrmFerramentas::LogoClinicaDblClick() {
  const auto arquivo = dialogs_.OpenFileName(
      "Abrir Logotipo da Clínica", "Imagens (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf)",
      ctx_.records.Paths.DirRaiz ? ctx_.records.Paths.DirRaiz : "");
  if (!arquivo) return;
  QImage imagem(QString::fromStdString(*arquivo));
  if (imagem.isNull()) {
    dialogs_.Message("O arquivo \"" + *arquivo + "\" não é uma imagem que possa ser lida.",
                     "Atenção", MsgIcon::Warning);
    return;
  }
  if (imagem.width() > kLadoLogo || imagem.height() > kLadoLogo) {
    const std::string pergunta =
        "A imagem tem " + IntToStr(imagem.width()) + " x " + IntToStr(imagem.height()) +
        " pixels, maior que o logotipo (100 x 100).\nDeseja reduzi-la para 100 x 100 pixels?";
    if (dialogs_.Message(pergunta, "Informação", MsgIcon::Question, MsgButtons::YesNo) !=
        MsgResult::Yes)
      return;
    imagem = imagem.scaled(kLadoLogo, kLadoLogo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (!SalvaLogo(imagem)) return;
  logo_ = imagem;
  view_.SetImage("LogoClinica", logo_);
  view_.Repaint("LogoClinica");
}

bool TfrmFerramentas::SalvaLogo(const QImage& logo) {
  const std::string caminho = CaminhoLogo(ctx_.records.Paths.DirRaiz);
  QSaveFile arquivo(QString::fromStdString(caminho));
  if (arquivo.open(QIODevice::WriteOnly)) {
    QImageWriter writer(&arquivo, "BMP");
    if (writer.write(logo.convertToFormat(QImage::Format_RGB32)) && arquivo.commit()) return true;
  }
  dialogs_.Message("Não foi possível gravar o logotipo em \"" + caminho + "\".", "ERRO",
                   MsgIcon::Error);
  return false;
}

void TfrmFerramentas::rbtEnableClick() {
  view_.SetEnabled("lblValIncremento", false);
  view_.SetEnabled("EdtIncMap", false);
}

void TfrmFerramentas::rbtDisableClick() {
  view_.SetEnabled("lblValIncremento", true);
  view_.SetEnabled("EdtIncMap", true);
}

void TfrmFerramentas::chkAutoPCapturaClick() {
  const bool on = view_.Checked("chkAutoPCaptura");
  view_.SetEnabled("lblDelayAutoPCaptura", on);
  view_.SetEnabled("edtDelayAutoPCaptura", on);
}

void TfrmFerramentas::chkExibeCeratPontualClick() {
  const bool on = view_.Checked("chkExibeCeratPontual");
  view_.SetEnabled("lblCor", on);
  view_.SetEnabled("cbCorCeratPontual", on);
}

void TfrmFerramentas::cbxIdiomaClick() {
  ctx_.records.SetText(ctx_.records.Infos.Idioma, view_.Text("cbxIdioma"));
}

void TfrmFerramentas::btnFecharClick() {
  view_.Close(1);
}

void TfrmFerramentas::EscrevePreferencias() {
  TBIniSettings& s = ctx_.settings;
  const TInfosZV& i = ctx_.records.Infos;
  auto str = [&](const char* section, const char* key, const std::string& text) {
    s.WriteSetting("Str", section, key, text, false);
  };
  auto flag = [&](const char* section, const char* key, const std::string& control) {
    s.WriteSetting("Bool", section, key, {}, view_.Checked(control));
  };
  str("CLINICA", "Nome", view_.Text("edtNome"));
  str("CLINICA", "Endereco", view_.Text("edtEndereco"));
  str("CLINICA", "CidadeEst", view_.Text("edtCidadeEstado"));
  str("CLINICA", "TELEFONE", view_.Text("edtFone"));
  flag("CLINICA", "Opt1", "chkDadosClinica");
  flag("CLINICA", "Opt2", "chkNomeMedico");
  flag("CLINICA", "Opt3", "chkLogoClinica");
  if (view_.Text("EdtIncMap").empty()) view_.SetText("EdtIncMap", "0.50");
  const std::string incMap = view_.Text("EdtIncMap");
  double valor = 0;
  // A fixed increment that is not a number would leave the settings unreadable at the next
  // start: the stored one is kept and the operator told.
  if (TryStrToFloat(incMap, valor))
    str("OPCOES", "INCMAP", incMap);
  else
    dialogs_.Message("O incremento fixo \"" + incMap +
                         "\" não é um número (use o ponto como separador decimal). O valor "
                         "anterior foi mantido.",
                     "Atenção", MsgIcon::Warning);
  flag("OPCOES", "AUTOINCMAP", "rbtDisable");
  flag("OPCOES", "AUTOANEIS", "chkAneisAuto");
  str("OPCOES", "INDICECONF", IntToStr(view_.Value("edtValIndConf")));
  flag("OPCOES", "AUTOEXAME", "chkAutoExame");
  flag("OPCOES", "SalvarImagemCaptura", "chkSalvarCaptura");
  str("OPCOES", "MapaPadraoNovoExame",
      TextoSelecionado("rgrMapaPadrao", i.MapaPadraoNovoExame ? i.MapaPadraoNovoExame : ""));
  flag("OPCOES", "sImagemCentral", "chkImgCentral");
  flag("OPCOES", "sImagemLateral", "chkImgLateral");
  str("OPCOES", "TIPOCERATOMETRIA",
      TextoSelecionado("cbTipoCeratometria", i.TipoCeratometria ? i.TipoCeratometria : ""));
  str("OPCOES", "QualidadeImagem", IntToStr(view_.Value("SpinEditQualidadeImagem")));
  str("OPCOES", "IDIOMA", view_.Text("cbxIdioma"));
  str("OPCOES", "TVLCENTRAL", view_.Text("edtTVlCentral"));
  str("OPCOES", "TINCREMENTO", view_.Text("edtTIncremento"));
  flag("OPCOES", "AUTOPCAPTURA", "chkAutoPCaptura");
  str("OPCOES", "DELAYAUTOPCAPTURA", view_.Text("edtDelayAutoPCaptura"));
  flag("MAPA", "EXIBEGRADE", "chkExibeGrade");
  flag("MAPA", "EXIBECERATOMETRIAPONTUAL", "chkExibeCeratPontual");
  str("MAPA", "CORCERATOMETRIAPONTUAL",
      TextoSelecionado("cbCorCeratPontual",
                       i.CorCeratometriaPontual ? i.CorCeratometriaPontual : ""));
}

void TfrmFerramentas::AtualizaRegistro() {
  const TBIniSettings& s = ctx_.settings;
  TZVRecords& r = ctx_.records;
  TInfosZV& i = r.Infos;
  // Convert everything first, so a value that does not convert leaves the record whole.
  const int indiceConf = s.IndiceConf(), qualidade = s.QualidadeImagem();
  const double incMap = s.IncMap();
  i.IndiceConf = indiceConf;
  i.IncMap = incMap;
  i.QualidadeImagem = qualidade;
  i.AutoAneis = s.AutoAneis();
  i.AutoIncMap = s.AutoIncMap();
  i.AutoExame = s.AutoExame();
  r.SetText(i.ClinicaNome, s.ClinicaNome());
  r.SetText(i.ClinicaEndereco, s.ClinicaEndereco());
  r.SetText(i.ClinicaCidadeEst, s.ClinicaCidadeEst());
  r.SetText(i.ClinicaTelefone, s.ClinicaTelefone());
  i.SalvarImagemCaptura = s.SalvarImagemCaptura();
  r.SetText(i.MapaPadraoNovoExame, s.MapaPadraoNovoExame());
  i.SalvarImagemCentral = s.SalvarImagemCentral();
  i.SalvarImagemLateral = s.SalvarImagemLateral();
  r.SetText(i.TipoCeratometria, s.TipoCeratometria());
  r.SetText(i.Idioma, s.Idioma());
  i.ExibeGrade = s.ExibeGrade();
  i.ExibeCeratometriaPontual = s.ExibeCeratometriaPontual();
  r.SetText(i.CorCeratometriaPontual, s.CorCeratometriaPontual());
  i.TvlCentral = s.TvlCentral();
  i.TIncremento = s.TIncremento();
  i.AutoPCaptura = s.AutoPCaptura();
  i.DelayAutoPCaptura = s.DelayAutoPCaptura();
}

void TfrmFerramentas::FormClose() {
  if (fechado_) return;
  fechado_ = true;
  try {
    EscrevePreferencias();
  } catch (const IoError& e) {
    dialogs_.Message(std::string("As preferências não puderam ser gravadas.\n") + e.what(), "ERRO",
                     MsgIcon::Error);
    return;
  }
  if (!ctx_.settings.LoadToolsSubset(ctx_.records.Infos.Modelo)) return;
  try {
    AtualizaRegistro();
  } catch (const ConvertError& e) {
    dialogs_.Message(std::string("Uma preferência gravada não pôde ser lida.\n") + e.what(), "ERRO",
                     MsgIcon::Error);
  }
  view_.SetVisible("tshModulos", true);
}

}  // namespace zv
