#include "UfrmBackup.h"

#include <filesystem>
#include <system_error>

#include "Errors.h"
#include "FbValue.h"
#include "NumberFormat.h"
#include "Streams.h"
#include "TextFile.h"
#include "UBBackupDLL.h"
#include "UBPrivateProfile.h"
#include "UDExames.h"
#include "UDLaudos.h"

namespace fs = std::filesystem;

namespace zv {
namespace {

constexpr char kSecao[] = "BACKUP";
constexpr char kCaption[] = "Backup";
constexpr char kPrefixoMidia[] = "Diretório do meio: ";
constexpr char kAviso[] =
    "Alguns exames/laudos não foram encontrados no HD e foram automaticamente excluídos da "
    "tabela.";

std::string Texto(const char* s) {
  return s ? s : "";
}

std::string Junta(const std::vector<std::string>& linhas) {
  std::string out;
  for (const auto& l : linhas) out += (out.empty() ? "" : "\n") + l;
  return out;
}

std::vector<std::string> LinhasDe(MemoryStream& stream) {
  StreamRewind(stream.Handle());
  return StreamReadLines(stream.Handle());
}

MemoryStream ListaEmStream(const std::vector<std::string>& nomes) {
  return MemoryStream(nomes.empty() ? std::string() : EncodeLines(nomes));
}

// Bytes of every file directly in `dir`; 0 when it is not there.
uintmax_t TamanhoDosArquivos(const std::string& dir) {
  uintmax_t total = 0;
  std::error_code erro;
  for (const auto& e : fs::directory_iterator(dir, erro))
    if (e.is_regular_file(erro)) total += e.file_size(erro);
  return total;
}

// Copies a file through a temporary one beside the target, so a failed copy never leaves half
// a file where a good one was.
void CopiaArquivo(const std::string& origem, const std::string& destino) {
  WriteFileAtomic(destino, ReadFileBytes(origem));
}

// Loads the backup module for one call and releases it after, whatever happens.
class ModuloBackup {
 public:
  explicit ModuloBackup(const std::string& caminho)
      : carregado_(UBBackupDLL::CarregaModulo(caminho)) {}
  ~ModuloBackup() { UBBackupDLL::LiberaModulo(); }
  explicit operator bool() const { return carregado_; }

 private:
  bool carregado_;
};

}  // namespace

uintmax_t EspacoLivre(const std::string& dir) {
  std::error_code erro;
  const fs::space_info espaco = fs::space(dir, erro);
  return erro ? UINTMAX_MAX : espaco.available;  // unknown: let the copy tell
}

TfrmBackup::TfrmBackup(FormView& view, Dialogs& dialogs, ContextoBackup contexto)
    : view_(view), dialogs_(dialogs), ctx_(std::move(contexto)) {}

std::string TfrmBackup::RotuloMidia(int numero) {
  return "ZVBK" + FormatFloat("0000", std::clamp(numero, 0, 9999));
}

std::string TfrmBackup::Ini(const char* key, const std::string& padrao) const {
  return ReadProfileString(ctx_.arquivoBackupIni, kSecao, key).value_or(padrao);
}

std::string TfrmBackup::ArquivoRaiz(const char* nome) const {
  return JoinPath(Texto(ctx_.records.Paths.DirRaiz), nome);
}

void TfrmBackup::FormCreate() {
  view_.SetText("frmBackup", "Backup");
  view_.SetVisible("lblAvisoBackup", false);
  view_.SetItems("cbxPeriodo", {"Dias", "Meses"});
}

void TfrmBackup::FormShow() {
  const TInfosZV& i = ctx_.records.Infos;
  view_.SetChecked("rbtPeriodo", i.BackupAuto == 1);
  view_.SetChecked("rbtExames", i.BackupAuto == 2);
  view_.SetChecked("rbtNunca", i.BackupAuto != 1 && i.BackupAuto != 2);
  view_.SetValue("UpDown1", std::clamp(i.BackupPeriodo > 0 ? i.BackupPeriodo : 5, 1, 30));
  view_.SetItemIndex("cbxPeriodo", i.BackupUnidade == 1 ? 1 : 0);
  view_.SetValue("UpDown2", std::clamp(i.BackupExames > 0 ? i.BackupExames : 200, 1, 10000));
  Atualiza();
  if (automatico_) btnIniciarBkpClick();
}

void TfrmBackup::Atualiza() {
  detalhes_.clear();
  dirMidia_.clear();
  {
    ModuloBackup modulo(Texto(ctx_.records.Paths.ModBackup));
    if (modulo) {
      MemoryStream saida;
      const int letra = UBBackupDLL::InfoBackup(ctx_.handle, saida.Handle(), 3);
      detalhes_ = LinhasDe(saida);
      drive_ = std::string(1, static_cast<char>(letra)) + ":\\";
      detalhes_.push_back("Drive: " + drive_);
      for (const auto& l : detalhes_)
        if (l.rfind(kPrefixoMidia, 0) == 0) dirMidia_ = l.substr(std::string(kPrefixoMidia).size());
    }
  }
  view_.SetText("memDetalhes", Junta(detalhes_));
  examesSemBackup_ = data::TDExames(ctx_.dm).ContaExamesSemBackup();
  laudosSemBackup_ = data::TDLaudos(ctx_.dm).ContaLaudosSemBackup();
  view_.SetText("Label2", IntToStr(examesSemBackup_));
  view_.SetText("Label4", IntToStr(laudosSemBackup_));
  view_.SetEnabled("btnIniciarBkp", examesSemBackup_ > 0 || laudosSemBackup_ > 0);
}

bool TfrmBackup::PerguntaBackupAutomatico() {
  return dialogs_.Message("Backup automático inicializado... deseja continuar?", "Informação",
                          MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}

void TfrmBackup::sbtFecharClick() {
  TInfosZV& i = ctx_.records.Infos;
  i.BackupAuto = view_.Checked("rbtPeriodo") ? 1 : view_.Checked("rbtExames") ? 2 : 0;
  i.BackupPeriodo = view_.Value("UpDown1");
  i.BackupUnidade = std::max(0, view_.ItemIndex("cbxPeriodo"));
  i.BackupExames = view_.Value("UpDown2");
  try {
    ctx_.settings.WriteSetting("Str", kSecao, "AUTO", IntToStr(i.BackupAuto), false);
    ctx_.settings.WriteSetting("Str", kSecao, "AUTO_OP1_1", IntToStr(i.BackupPeriodo), false);
    ctx_.settings.WriteSetting("Str", kSecao, "AUTO_OP1_2", IntToStr(i.BackupUnidade), false);
    ctx_.settings.WriteSetting("Str", kSecao, "AUTO_OP2", IntToStr(i.BackupExames), false);
  } catch (const IoError& e) {
    dialogs_.Message(std::string("O agendamento do backup não pôde ser gravado.\n") + e.what(),
                     "ERRO", MsgIcon::Error);
  }
  view_.Close(1);
}

// Every unmarked exam with at least one of its files, in query order.  An exam without any
// file is logged and deleted, and the walk starts again from the first unmarked exam.
TfrmBackup::Lista TfrmBackup::ListaExames(std::vector<std::string>& log) {
  data::TDExames exames(ctx_.dm);
  const std::string dir = Texto(ctx_.records.Paths.DirExames);
  exames.AbreCursor();
  Lista lista;
  for (bool recomeca = true; recomeca;) {
    recomeca = false;
    lista = {};
    exames.Localiza("Backup", "", "");
    for (int codigo; (codigo = exames.CodigoAtual()) != 0; exames.Localiza("Backup", "", "Next")) {
      const std::string pac = IntToStr(exames.PacienteAtual()), cod = IntToStr(codigo);
      bool algum = false;
      for (const char* sufixo : {"a.txt", "d.txt", "m.txt"})
        algum = algum || FileExists(JoinPath(JoinPath(dir, pac), cod + sufixo));
      if (!algum) {
        log.push_back("Exame não encontrado: " + pac + "\\" + cod);
        exames.ExcluiExame(codigo);
        recomeca = true;
        break;
      }
      for (const char* sufixo : {"a.txt", "d.txt", "m.txt"})
        lista.nomes.push_back(pac + "\\" + cod + sufixo);
      lista.codigos.push_back(codigo);
    }
  }
  exames.FechaCursor();
  return lista;
}

TfrmBackup::Lista TfrmBackup::ListaLaudos(std::vector<std::string>& log) {
  data::TDLaudos laudos(ctx_.dm);
  const std::string dir = Texto(ctx_.records.Paths.DirLaudos);
  laudos.AbreCursor();
  Lista lista;
  for (bool recomeca = true; recomeca;) {
    recomeca = false;
    lista = {};
    laudos.Localiza("Backup", "", "");
    for (int codigo; (codigo = laudos.CodigoAtual()) != 0; laudos.Localiza("Backup", "", "Next")) {
      const std::string pac = IntToStr(laudos.PacienteAtual()), nome = IntToStr(codigo) + "l.txt";
      if (!FileExists(JoinPath(JoinPath(dir, pac), nome))) {
        log.push_back("Laudo não encontrado: " + pac + "\\" + nome);
        laudos.ExcluiLaudo(codigo);
        recomeca = true;
        break;
      }
      lista.nomes.push_back(pac + "\\" + nome);
      lista.codigos.push_back(codigo);
    }
  }
  laudos.FechaCursor();
  return lista;
}

void TfrmBackup::GravaLog(const std::vector<std::string>& log, const char* arquivo) {
  if (log.empty()) return;
  const std::string caminho = JoinPath(ParentDirectory(ctx_.arquivoBackupIni), arquivo);
  view_.SetText("lblAvisoBackup", kAviso);
  view_.SetVisible("lblAvisoBackup", true);
  try {
    WriteTextLines(caminho, log);
  } catch (const IoError& e) {
    dialogs_.Message(
        "O registro dos itens excluídos não pôde ser gravado em \"" + caminho + "\".\n" + e.what(),
        "Atenção", MsgIcon::Warning);
  }
}

// Each item gets the mark of its own line; an item the module did not copy (an empty line, or
// no line) keeps no mark.  The items are addressed by their codes, so a row added meanwhile by
// another workstation is never marked in place of one that was copied.
void TfrmBackup::MarcaItens(const Lista& exames, const std::vector<std::string>& marcasExames,
                            const Lista& laudos, const std::vector<std::string>& marcasLaudos) {
  data::TDExames tdExames(ctx_.dm);
  for (size_t k = 0; k < exames.codigos.size() && k < marcasExames.size(); ++k)
    if (!marcasExames[k].empty()) tdExames.MarcaBackupExame(exames.codigos[k], marcasExames[k]);
  ctx_.dm.PCommitDataBase();
  data::TDLaudos tdLaudos(ctx_.dm);
  for (size_t k = 0; k < laudos.codigos.size() && k < marcasLaudos.size(); ++k)
    if (!marcasLaudos[k].empty()) tdLaudos.MarcaBackupLaudo(laudos.codigos[k], marcasLaudos[k]);
  ctx_.dm.PCommitDataBase();
}

void TfrmBackup::btnIniciarBkpClick() {
  std::vector<std::string> logExames, logLaudos;
  const Lista exames = ListaExames(logExames);
  GravaLog(logExames, "LogBackupExame.txt");
  const Lista laudos = ListaLaudos(logLaudos);
  GravaLog(logLaudos, "LogBackupLaudo.txt");

  MemoryStream listaExames = ListaEmStream(exames.nomes), listaLaudos = ListaEmStream(laudos.nomes);
  MemoryStream resultadoExames, resultadoLaudos;
  {
    ModuloBackup modulo(Texto(ctx_.records.Paths.ModBackup));
    if (!modulo) return;
    const int r = UBBackupDLL::CriarBackup(
        ctx_.handle, listaExames.Handle(), resultadoExames.Handle(), listaLaudos.Handle(),
        resultadoLaudos.Handle(), 3, Texto(ctx_.records.Paths.DirExames).c_str(),
        Texto(ctx_.records.Paths.DirLaudos).c_str());
    if (r == -1) return;
  }
  MarcaItens(exames, LinhasDe(resultadoExames), laudos, LinhasDe(resultadoLaudos));
  Atualiza();
  if (!VerificaEspaco()) return;
  if (!CopiaBanco()) return;
  dialogs_.Message("Backup dos Exames e Laudos concluído com êxito", kCaption,
                   MsgIcon::Information);
}

bool TfrmBackup::VerificaEspaco() {
  if (dirMidia_.empty()) return true;  // CopiaBanco tells the operator
  const uintmax_t necessario =
      (TamanhoDosArquivos(Texto(ctx_.records.Paths.DirBancoDados)) +
       (FileExists(ArquivoRaiz("BackUp.ini")) ? fs::file_size(ArquivoRaiz("BackUp.ini")) : 0)) /
      1024;
  if (ctx_.espacoLivre(dirMidia_) / 1024 >= necessario) return true;
  return NovaMidia();
}

// Asks for a new medium until one is there or the operator cancels; "formatting" empties the
// medium directory after the operator's consent.  False when the backup must end.
bool TfrmBackup::NovaMidia() {
  int novo = 0;
  for (;;) {
    if (dialogs_.Message("Insira um NOVO disco no drive e pressione OK.", kCaption, MsgIcon::None,
                         MsgButtons::OkCancel) == MsgResult::Cancel)
      return true;
    int disco = 0;
    if (!TryStrToInt(Ini("DiscoAtual", "0"), disco)) disco = 0;
    novo = disco + 1;
    if (!DirectoryExists(dirMidia_)) continue;  // no medium: ask again
    if (dialogs_.Message(
            "Será necessário um disco formatado, ou seja, que não contenha nenhum arquivo.\r\n"
            "Com a formatação todos os dados serão apagados! Deseja formatar o disco atual "
            "agora? ",
            kCaption, MsgIcon::None, MsgButtons::YesNo) == MsgResult::Yes) {
      std::error_code erro;
      for (const auto& e : fs::directory_iterator(dirMidia_, erro)) fs::remove_all(e.path(), erro);
    }
    const std::string rotulo = JoinPath(dirMidia_, "zip.dat");
    try {
      WriteFileAtomic(rotulo, RotuloMidia(novo));
    } catch (const IoError&) {
    }
    if (!FileExists(rotulo)) {
      dialogs_.Message("Erro ao gravar o arquivo .dat no CD. O BackUp será encerrado.", "BackUp",
                       MsgIcon::Error);
      return false;
    }
    break;
  }
  try {
    auto escreve = [&](const char* key, const std::string& v) {
      WriteProfileString(ctx_.arquivoBackupIni, kSecao, key, v);
    };
    escreve("DiscoAtual", IntToStr(novo));
    escreve("ArquivoAtual", "1");
    for (const char* key : {"NumArquivos", "NumArquivosLau", "NumExamDisco", "NumLauDisco"})
      escreve(key, "0");
  } catch (const IoError& e) {
    dialogs_.Message(std::string("Os contadores do backup não puderam ser gravados.\n") + e.what(),
                     "ERRO", MsgIcon::Error);
  }
  return true;
}

// The database through the engine's backup service (a consistent copy even while other
// workstations write), into a temporary file that replaces the medium's copy only when whole;
// then BackUp.ini.
bool TfrmBackup::CopiaBanco() {
  if (dirMidia_.empty() || !DirectoryExists(dirMidia_)) {
    dialogs_.Message("Meio de backup não encontrado: o banco de dados não foi copiado.", "ERRO",
                     MsgIcon::Error);
    return false;
  }
  const std::string dir = JoinPath(dirMidia_, kDirBanco);
  const std::string destino = JoinPath(dir, kArquivoBanco), temporario = destino + ".tmp";
  try {
    ForceDirectories(dir);
    std::error_code erro;
    fs::remove(temporario, erro);
    fb::BackupBanco(ctx_.dm.DatabaseName(), temporario, ctx_.login);
    fs::rename(temporario, destino);
    if (FileExists(ArquivoRaiz("BackUp.ini")))
      CopiaArquivo(ArquivoRaiz("BackUp.ini"), JoinPath(dirMidia_, "BackUp.ini"));
  } catch (const std::exception& e) {
    std::error_code erro;
    fs::remove(temporario, erro);
    dialogs_.Message(
        std::string("O banco de dados não pôde ser copiado para o meio de backup.\n") + e.what(),
        "ERRO", MsgIcon::Error);
    return false;
  }
  return true;
}

int TfrmBackup::OutrasConexoes() {
  ctx_.dm.PCommitDataBase();  // a fresh view of the monitoring tables
  auto& q = ctx_.dm.Operation(
      "SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND "
      "MON$SYSTEM_FLAG = 0");
  q.Open();
  const int n = q.Eof() ? 0 : static_cast<int>(q.FieldByName("COUNT").AsInteger());
  q.Close();
  return n;
}

void TfrmBackup::btnRestaurarClick() {
  if (dialogs_.Message("Atenção!!! Esta operação irá substituir todos os exames\r\n"
                       "atuais pelos exames armazenados no último backup realizado.\r\r\n"
                       "Qualquer dúvida entrar em contato com o nosso suporte técnico.",
                       "Informação", MsgIcon::None, MsgButtons::OkCancel) == MsgResult::Cancel)
    return;
  if (dirMidia_.empty()) Atualiza();
  const std::string copia = JoinPath(JoinPath(dirMidia_, kDirBanco), kArquivoBanco);
  if (dirMidia_.empty() || !FileExists(copia)) {
    dialogs_.Message("O meio de backup não contém a cópia do banco de dados (\"" + copia +
                         "\"). Nada foi restaurado.",
                     "ERRO", MsgIcon::Error);
    return;
  }
  if (const int n = OutrasConexoes(); n > 0) {
    dialogs_.Message("O banco de dados está aberto em " + IntToStr(n) +
                         " outra(s) conexão(ões). Feche o programa nas outras estações e tente "
                         "novamente. Nada foi restaurado.",
                     "Atenção", MsgIcon::Warning);
    return;
  }
  {
    ModuloBackup modulo(Texto(ctx_.records.Paths.ModBackup));
    if (!modulo) return;
    if (UBBackupDLL::RestaurarBackup(ctx_.handle, Texto(ctx_.records.Paths.DirExames).c_str(),
                                     Texto(ctx_.records.Paths.DirLaudos).c_str()) == -1)
      return;
  }
  if (!RestauraBancoDeDados(copia)) return;
  const std::string ini = JoinPath(dirMidia_, "BackUp.ini");
  try {
    if (FileExists(ini)) CopiaArquivo(ini, ArquivoRaiz("BackUp.ini"));
  } catch (const IoError& e) {
    dialogs_.Message(std::string("BackUp.ini não pôde ser restaurado.\n") + e.what(), "ERRO",
                     MsgIcon::Error);
  }
  dialogs_.Message("Restauração concluída com êxito", kCaption);
}

// Restores the copy into a new file beside the database and puts it in the database's place
// only when the restore succeeded and no other connection is open; otherwise the database in
// use stays exactly as it was.  The replaced database is kept as "<name>.anterior".
bool TfrmBackup::RestauraBancoDeDados(const std::string& copia) {
  const std::string nome = ctx_.dm.DatabaseName();
  const fb::NomeBanco banco = fb::DivideNome(nome);
  const std::string local = banco.caminho;
  if (!FileExists(local)) {
    dialogs_.Message("O arquivo do banco de dados \"" + local +
                         "\" não está nesta estação: a restauração deve ser feita na estação "
                         "onde ele está. O banco de dados não foi restaurado.",
                     "ERRO", MsgIcon::Error);
    return false;
  }
  const std::string novo = local + ".restaurado", anterior = local + ".anterior";
  std::error_code erro;
  fs::remove(novo, erro);  // what a failed restore may have left
  try {
    fb::RestauraBanco(copia, banco.servidor.empty() ? novo : banco.servidor + ":" + novo,
                      ctx_.login);
  } catch (const std::exception& e) {
    fs::remove(novo, erro);
    dialogs_.Message(std::string("A cópia do banco de dados não pôde ser restaurada. O banco de "
                                 "dados atual foi mantido.\n") +
                         e.what(),
                     "ERRO", MsgIcon::Error);
    return false;
  }
  if (const int n = OutrasConexoes(); n > 0) {
    fs::remove(novo, erro);
    dialogs_.Message("O banco de dados está aberto em " + IntToStr(n) +
                         " outra(s) conexão(ões). Feche o programa nas outras estações e tente "
                         "novamente. O banco de dados atual foi mantido.",
                     "Atenção", MsgIcon::Warning);
    return false;
  }
  ctx_.dm.PDesconectionDataBase();
  fs::rename(local, anterior, erro);
  if (!erro) fs::rename(novo, local, erro);
  if (erro) {
    fs::rename(anterior, local, erro);
    ctx_.dm.PConnectDataBase();
    dialogs_.Message("O banco de dados restaurado não pôde substituir o atual, que foi mantido.",
                     "ERRO", MsgIcon::Error);
    return false;
  }
  ctx_.dm.PConnectDataBase();
  return true;
}

}  // namespace zv
