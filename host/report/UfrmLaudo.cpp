#include "UfrmLaudo.h"

#include <cstring>
#include <memory>

#include "Errors.h"
#include "ModuleLibrary.h"
#include "NumberFormat.h"
#include "Streams.h"
#include "TextFile.h"
#include "TextoLaudo.h"
#include "UBArquivosExame.h"
#include "UBMapOperation.h"
#include "UBMapaDLL.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"

namespace zv {
namespace {

struct Caixa {
  const char* nome;
  const char* local;
  int posicoes;
  const char* legenda;
};
constexpr Caixa kComFrases[] = {
    {"reCE", "CE", 3, "Textos para Condições do Exame"},
    {"reOD", "DS", 7, "Textos para o Olho Direito"},
    {"reOS", "DS", 7, "Textos para o Olho Esquerdo"},
    {"reCO", "CO", 16, "Textos para a Conclusão"},
};

const Caixa* CaixaDeNome(const std::string& nome) {
  for (const Caixa& c : kComFrases)
    if (nome == c.nome) return &c;
  return nullptr;
}

bool ComecaCom(const std::string& s, std::string_view prefixo) {
  return s.compare(0, prefixo.size(), prefixo) == 0;
}

constexpr const char* kConclusao =
    "Videoceratografia compatível com astigmatismo #1# #2# e #3# #4#, #5#, #6# em OD e "
    "compatível com astigmatismo #7# #8# e #9# #10#, #11#, #12# em OS. #13# #14##15# #16#.";

}  // namespace

const char* const TfrmLaudo::kCaixas[5] = {"reCE", "reOD", "reOS", "reCO", "reCM"};

TfrmLaudo::TfrmLaudo(FormView& view, TelaLaudo& tela, Dialogs& dialogs, data::TDMPrincipal& dm,
                     NavegadorExames& navegador, AmbienteLaudo ambiente, void* janela)
    : view_(view),
      tela_(tela),
      dialogs_(dialogs),
      dm_(dm),
      navegador_(navegador),
      amb_(std::move(ambiente)),
      janela_(janela) {
  view_.SetText("lblNome", navegador_.NomePaciente());
}

bool TfrmLaudo::GerarNovoLaudo(const std::string& rotuloOD, const std::string& rotuloOS,
                               bool tangencial) {
  if (rotuloOD.empty() || rotuloOS.empty()) {
    dialogs_.Message(
        "Por favor, verifique se umas das caixas está vazia. Se não desejar um dos olhos, "
        "escolha a opção \"Nenhum\".",
        "Informação", MsgIcon::Error);
    return false;
  }
  rotuloOD_ = rotuloOD;
  rotuloOS_ = rotuloOS;
  tangencial_ = tangencial;
  exameOD_ = exameOS_ = -1;
  arvore_.clear();
  tela_.MostraArvore(arvore_);

  // Each eye quotes only what the module computed for its own exam in this report.
  bool calculadoOD = false, calculadoOS = false;
  for (const std::string* rotulo : {&rotuloOD_, &rotuloOS_}) {
    if (*rotulo == "Nenhum") continue;
    bool& calculado = ComecaCom(*rotulo, "OD") ? calculadoOD : calculadoOS;
    if (!CalculaIndices(*rotulo, tangencial, calculado)) return true;  // boxes stay empty
  }

  view_.SetText("reCE",
                "Exames realizado em excelentes condições de centralização e focalização.\n"
                "Sem uso de lentes de contato #1# #2# #3#");
  const struct {
    const std::string& rotulo;
    const char *caixa, *legenda;
    const TIndicesMapa& indices;
    bool calculado;
  } olhos[] = {{rotuloOS_, "reOS", "lblOlhoEsquerdo", indicesOS_, calculadoOS},
               {rotuloOD_, "reOD", "lblOlhoDireito", indicesOD_, calculadoOD}};
  for (const auto& o : olhos) {
    if (o.rotulo == "Nenhum") {
      view_.SetEnabled(o.caixa, false);
      view_.SetEnabled(o.legenda, false);
      view_.SetEnabled("chkMesmoLau", false);
    } else if (o.calculado) {
      view_.SetText(o.caixa, laudo::FraseOlho(o.indices, tangencial));
    }
  }
  view_.SetText("reCO", kConclusao);
  for (const char* c : {"reCE", "reOS", "reOD", "reCO"}) RealcarMarcadores(c);
  return true;
}

bool TfrmLaudo::CalculaIndices(const std::string& rotulo, bool tangencial, bool& calculado) {
  const int exame = navegador_.SelecionaLegenda(rotulo);
  if (exame < 0) {
    dialogs_.Message("Não foi possivel selecionar o exame.", "Erro", MsgIcon::Error);
    return false;
  }
  const std::string prefixo =
      JoinPath(JoinPath(amb_.dirExames, IntToStr(navegador_.CodigoPaciente())), IntToStr(exame));
  TBMapOperation mapa(dialogs_);
  bool carregado = false;
  try {
    carregado = mapa.LoadExam(prefixo);
  } catch (const ConvertError&) {
    carregado = false;
  }
  if (!carregado) {
    dialogs_.Message("Não foi possível processar o mapa selecionado. ERROMAP03", "Informação",
                     MsgIcon::Information);
    return false;
  }

  const std::string modulo = JoinPath(amb_.dirMapas, ModuleFileName(tangencial ? "Rusk" : "Pelmo"));
  if (!UBMapaDLL::CarregaModulo(modulo) || !UBMapaDLL::Visualizar) {
    UBMapaDLL::LiberaModulo();
    // Without the module this eye gets no sentence: numbers of another exam are never quoted.
    dialogs_.Message("O módulo de mapa \"" + modulo +
                         "\" não pôde ser carregado; a ceratometria do exame " + rotulo +
                         " não foi incluída no laudo.",
                     "Informação", MsgIcon::Warning);
    return true;
  }
  struct Tabelas {
    TMatrizAngAnel pixels, dioptrias;
  };
  auto tabelas = std::make_unique<Tabelas>();  // 190 KB: not on the stack
  TMatrizAngAnel* pixels = &tabelas->pixels;
  TMatrizAngAnel* dioptrias = &tabelas->dioptrias;
  TMatrizAng aneis{};
  TPupila pupila{};
  mapa.GetPixelTable(*pixels);
  mapa.GetDioptreTable(*dioptrias);
  mapa.GetRingCounts(aneis);
  mapa.GetPupil(pupila);
  MemoryStream figura;
  TIndicesMapa indices{};
  UBMapaDLL::Visualizar(janela_, figura.Handle(), nullptr, 0, mapa.GetCenterX(), mapa.GetCenterY(),
                        pixels, &aneis, dioptrias, &pupila, &indices, 0, amb_.infos);
  UBMapaDLL::LiberaModulo();
  const bool direito = ComecaCom(rotulo, "OD");
  std::memcpy(direito ? indicesOD_ : indicesOS_, indices, sizeof indices);
  (direito ? exameOD_ : exameOS_) = exame;
  calculado = true;
  return true;
}

void TfrmLaudo::SelecionaCaixa(const std::string& caixa) {
  const Caixa* c = CaixaDeNome(caixa);
  if (!c || somenteLeitura_) return;
  caixaAtual_ = caixa;
  view_.SetText("lblCaixaSelec", c->legenda);
  CarregarArvore(c->local, c->posicoes);
  for (const Caixa& outra : kComFrases) Recolore(outra.nome);
}

void TfrmLaudo::reCMMouseDown() {
  caixaAtual_.clear();
  for (const Caixa& c : kComFrases) Recolore(c.nome);
}

void TfrmLaudo::CarregarArvore(const std::string& local, int posicoes) {
  arvore_.clear();
  selPosicao_ = selFrase_ = -1;
  auto& q = dm_.Operation(
      "SELECT Codigo, Texto FROM LaudosTexto WHERE Local = :Local AND PosCaixa = :Pos "
      "ORDER BY Codigo");
  for (int k = 1; k <= posicoes; ++k) {
    PosicaoArvore posicao{IntToStr(k), {}};
    q.SetParam("Local", local);
    q.SetParam("Pos", k);
    for (q.Open(); !q.Eof(); q.Next()) {
      const std::string texto = q.FieldByName("Texto").AsString();
      posicao.frases.push_back({texto.empty() ? "\"Em Branco\"" : texto, texto,
                                static_cast<int>(q.FieldByName("Codigo").AsInteger())});
    }
    arvore_.push_back(std::move(posicao));
  }
  q.Close();
  tela_.MostraArvore(arvore_);
}

void TfrmLaudo::trwLaudoChange(int posicao, int frase) {
  const bool valida = posicao >= 0 && posicao < static_cast<int>(arvore_.size()) &&
                      frase < static_cast<int>(arvore_[posicao].frases.size());
  selPosicao_ = valida ? posicao : -1;
  selFrase_ = valida ? frase : -1;
  if (!caixaAtual_.empty()) Recolore(caixaAtual_);
}

void TfrmLaudo::trwLaudoDblClick() {
  if (selPosicao_ < 0 || selFrase_ < 0) return;
  PreencherMarcador(selPosicao_ + 1, arvore_[selPosicao_].frases[selFrase_].texto);
}

void TfrmLaudo::PreencherMarcador(int k, const std::string& frase) {
  if (caixaAtual_.empty() || somenteLeitura_) return;
  if (frase.find('#') != std::string::npos) {
    // A "#" inside a phrase would renumber every later placeholder of the box.
    dialogs_.Message("A frase escolhida contém o caractere \"#\" e não pode ser inserida.",
                     "Atenção", MsgIcon::Warning);
    return;
  }
  view_.SetText(caixaAtual_, laudo::PreencheMarcador(view_.Text(caixaAtual_), k, frase));
  Recolore(caixaAtual_);
  if (view_.Checked("chkMesmoLau") && (caixaAtual_ == "reOD" || caixaAtual_ == "reOS")) {
    const std::string outra = caixaAtual_ == "reOD" ? "reOS" : "reOD";
    view_.SetText(outra, laudo::PreencheMarcador(view_.Text(outra), k, frase));
    Recolore(outra);
  }
}

int TfrmLaudo::PosicaoSelecionada() const {
  return selPosicao_ + 1;  // 0 without a selection
}

void TfrmLaudo::RealcarMarcadores(const std::string& caixa) {
  const int s = PosicaoSelecionada();
  std::vector<Realce> realces;
  for (const laudo::Marcador& m : laudo::Marcadores(view_.Text(caixa)))
    realces.push_back({m.abre, m.fecha, m.numero == s ? kSelecionado : kMarcador});
  tela_.ColoreCaixa(caixa, caixa == caixaAtual_ ? kFundoAtual : QColor(Qt::white), realces);
}

void TfrmLaudo::Recolore(const std::string& caixa) {
  RealcarMarcadores(caixa);
}

std::pair<bool, std::string> TfrmLaudo::VerificarObrigatorios(const std::string& caixa) const {
  std::string vazios = laudo::ObrigatoriosVazios(view_.Text(caixa));
  return {vazios.empty(), vazios};
}

void TfrmLaudo::sbtSalvarClick() {
  if (somenteLeitura_) return;
  const auto od = VerificarObrigatorios("reOD");
  const auto os = VerificarObrigatorios(view_.Checked("chkMesmoLau") ? "reOD" : "reOS");
  const auto co = VerificarObrigatorios("reCO");
  if (!od.first || !os.first || !co.first) {
    std::string texto = "Algumas caixas obrigatórias estão sem preencher. Deseja alterá-las?\n\r";
    if (!od.first) texto += "Caixa Olho Direito: " + od.second + " ";
    if (!os.first) texto += "Caixa Olho Esquerdo: " + os.second;
    if (!co.first) texto += "Caixa Conclusão: " + co.second;
    if (dialogs_.Message(texto, "Informação", MsgIcon::Question, MsgButtons::YesNo) ==
        MsgResult::Yes)
      return;
  }
  GravarLaudo();
}

void TfrmLaudo::GravarLaudo() {
  const DateTime agora = DateTime::Now();
  const int paciente = navegador_.CodigoPaciente();
  data::TDLaudos laudos(dm_);
  const int codigo = laudos.InsereLaudo(paciente, exameOD_, exameOS_, "", agora, agora);
  bool gravado = false;
  try {
    ForceDirectories(JoinPath(amb_.dirLaudos, IntToStr(paciente)));
    gravado = GravaLaudo(amb_.dirLaudos, IntToStr(paciente), IntToStr(codigo), view_.Text("reCE"),
                         view_.Text("reOD"), view_.Text("reOS"), view_.Text("reCO"),
                         view_.Text("reCM"), dialogs_);
  } catch (const IoError&) {
    dialogs_.Message("Não foi possível gravar o arquivo de laudo.", "Informação",
                     MsgIcon::Information);
  }
  if (!gravado) {
    // A row without its file would be a report nobody can open: the operator saves again.
    laudos.ExcluiLaudo(codigo);
    return;
  }
  codigoLaudo_ = codigo;
  dataLaudo_ = FormatDateTime("dd/MM/yyyy", agora);
  horaLaudo_ = FormatDateTime("HH:mm:ss", agora);
  TravaEdicao();
}

void TfrmLaudo::TravaEdicao() {
  somenteLeitura_ = true;
  arvore_.clear();
  selPosicao_ = selFrase_ = -1;
  tela_.MostraArvore(arvore_);
  for (const char* c : {"trwLaudo", "lblCaixaSelec", "chkMesmoLau", "sbtSalvar"})
    view_.SetEnabled(c, false);
  for (const char* c : kCaixas) view_.SetEnabled(c, false);
}

bool TfrmLaudo::AbrirLaudo(const std::string& item, bool tangencial) {
  TravaEdicao();
  tangencial_ = tangencial;
  const int codigo = laudo::CodigoDoItem(item);
  auto& q = dm_.Operation("SELECT * FROM Laudos WHERE Codigo = :Codigo");
  q.SetParam("Codigo", codigo);
  q.Open();
  if (q.Eof()) {
    q.Close();
    dialogs_.Message("Laudo não encontrado.", "Informação", MsgIcon::Error);
    return false;
  }
  const int paciente = static_cast<int>(q.FieldByName("CodPaciente").AsInteger());
  exameOD_ = static_cast<int>(q.FieldByName("MedidaOD").AsInteger());
  exameOS_ = static_cast<int>(q.FieldByName("MedidaOS").AsInteger());
  dataLaudo_ = q.FieldByName("Data").AsString();
  horaLaudo_ = q.FieldByName("Hora").AsString();
  q.Close();

  bool todos = true;
  auto rotulo = [&](int exame, const char* olho) -> std::string {
    if (exame == -1) return {};
    auto& e = dm_.Operation("SELECT Data, Hora FROM Exames WHERE Codigo = :Codigo");
    e.SetParam("Codigo", exame);
    e.Open();
    std::string r;
    if (e.Eof())
      todos = false;
    else
      r = std::string(olho) + " - " + e.FieldByName("Data").AsString() + " " +
          e.FieldByName("Hora").AsString();
    e.Close();
    return r;
  };
  rotuloOD_ = rotulo(exameOD_, "OD");
  rotuloOS_ = rotulo(exameOS_, "OS");
  codigoLaudo_ = codigo;

  const std::string arquivo =
      CaminhoArquivoLaudo(amb_.dirLaudos, IntToStr(paciente), IntToStr(codigo));
  if (!FileExists(arquivo)) {
    dialogs_.Message("Arquivo de laudo não encontrado.", "Informação", MsgIcon::Error);
    return false;
  }
  laudo::ArquivoLaudo lido;
  try {
    lido = laudo::LeArquivoLaudo(ReadTextLines(arquivo));
  } catch (const IoError&) {
    dialogs_.Message("Não foi possível ler o arquivo de laudo.", "Informação", MsgIcon::Error);
    return false;
  }
  for (int i = 0; i < 5; ++i) view_.SetText(kCaixas[i], lido.caixas[i]);
  if (!todos)
    dialogs_.Message("Este laudo possui dados de exames já excluídos!", "Informação",
                     MsgIcon::Information);
  if (!lido.completo)
    dialogs_.Message(
        "O arquivo de laudo está incompleto ou danificado: o texto mostrado pode "
        "estar incompleto.",
        "Informação", MsgIcon::Warning);
  return true;
}

std::string TfrmLaudo::MedicoDoLaudo() const {
  if (!somenteLeitura_) return navegador_.MedicoDoFiltro();
  // The doctor of the right-eye exam, or of the left one when the report has no right-eye
  // exam or it was deleted since.
  data::TDExames exames(dm_);
  for (int exame : {exameOD_, exameOS_}) {
    const int medico = exame == -1 ? 0 : exames.ResponsavelDoExame(exame);
    if (medico > 0) return data::TDMedicos(dm_).NomeDoMedico(medico);
  }
  return {};
}

DadosRelatorio TfrmLaudo::PreparaRelat() const {
  DadosRelatorio d;
  const std::string logo = JoinPath(amb_.dirPrograma, "LogoClinica.bmp");
  if (FileExists(logo)) {
    d.logo = QImage(QString::fromStdString(logo));
    d.logoComErro = d.logo.isNull();
  }
  auto texto = [](const char* s) { return s ? std::string(s) : std::string(); };
  d.nomeClinica = texto(amb_.infos.ClinicaNome);
  d.enderecoClinica = texto(amb_.infos.ClinicaEndereco);
  d.cidadeEstado = texto(amb_.infos.ClinicaCidadeEst);
  d.telefone = texto(amb_.infos.ClinicaTelefone);
  d.paciente = navegador_.NomePaciente();
  d.medico = MedicoDoLaudo();
  d.exames = rotuloOD_ + "  " + rotuloOS_;
  if (!somenteLeitura_) {
    const DateTime agora = DateTime::Now();
    d.dataEmissao = FormatDateTime("dd/mm/yy", agora) + " " + FormatDateTime("hh:nn:ss", agora);
  } else {
    d.dataEmissao = dataLaudo_ + " " + horaLaudo_;
  }
  d.tipoMapa = tangencial_ ? "Mapa Tipo Tangencial" : "Mapa Tipo Axial";
  d.ce = PreparaTextoLaudo(view_.Text("reCE"));
  d.od = PreparaTextoLaudo(view_.Text("reOD"));
  d.os = PreparaTextoLaudo(view_.Text("reOS"));
  d.co = PreparaTextoLaudo(view_.Text("reCO"));
  d.cm = PreparaTextoLaudo(view_.Text("reCM"));
  return d;
}

}  // namespace zv
