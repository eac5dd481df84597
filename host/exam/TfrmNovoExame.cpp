#include <QImage>
#include <algorithm>
#include <filesystem>

#include "CabecalhoExame.h"
#include "CadastroCampos.h"
#include "DateFormat.h"
#include "Errors.h"
#include "GravacaoExame.h"
#include "ModuleLibrary.h"
#include "NumberFormat.h"
#include "UBArquivosExame.h"
#include "UBCapturaDLL.h"
#include "UBCapturaOrtoDLL.h"
#include "UBJpeg.h"
#include "UBMapaDLL.h"
#include "UBMapasDLL.h"
#include "UBProcDLL.h"
#include "UBProcOrtoDLL.h"
#include "UfrmNovoExame.h"

namespace zv::exam {
namespace {

const char* const kRotulos[4] = {"lblDigit", "lblDetect", "lblMapa", "lblGrava"};
constexpr const char* kTitulo = "Digitalizando Imagem do Olho";
constexpr const char* kMensagemFalha =
    "Não foi possivel salvar o exame, verifique se o disco rigido\restá cheio ou entre em "
    "contato com a nossa assistência técnica.";

std::unique_ptr<MemoryStream> NovoStream() {
  return std::make_unique<MemoryStream>();
}

std::string ModuloEmMapas(const TPathsZV& paths, const char* nome) {
  return (std::filesystem::path(paths.DirMapas ? paths.DirMapas : "") / ModuleFileName(nome))
      .string();
}

// The lines `inicio` .. `inicio + 359` of a module's text table.
std::vector<std::string> Bloco(const std::vector<std::string>& linhas, int imagem) {
  const std::size_t inicio = static_cast<std::size_t>(imagem) * kMeridianos;
  if (linhas.size() < inicio + kMeridianos)
    throw IoError("A tabela do exame " + std::to_string(imagem + 1) + " está incompleta.");
  return {linhas.begin() + inicio, linhas.begin() + inicio + kMeridianos};
}

void LeTabela(const std::vector<std::string>& linhas, int imagem, TMatrizAngAnel& tabela) {
  const auto bloco = Bloco(linhas, imagem);
  for (int m = 0; m < kMeridianos; ++m) {
    std::fill(std::begin(tabela[m]), std::end(tabela[m]), 0.0);
    LeLinhaTabelaAneis(bloco[m], tabela[m]);
  }
}

}  // namespace

TfrmNovoExame::TfrmNovoExame(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                             NavegadorExames& navegador, ContextoNovoExame contexto)
    : view_(view), dialogs_(dialogs), dm_(dm), navegador_(navegador), ctx_(std::move(contexto)) {
  for (auto& o : olhos_) {
    o.pixels = std::make_unique<TMatrizAngAnel[]>(1);
    o.dioptrias = std::make_unique<TMatrizAngAnel[]>(1);
    o.pixelsOrto = std::make_unique<TMatrizAngAnel[]>(4);
    o.dioptriasOrto = std::make_unique<TMatrizAngAnel[]>(4);
  }
}

void TfrmNovoExame::FormShow() {
  if (ctx_.modoOrto)
    view_.SetText("frmNovoExame", "Assistente para criação do exame - Ortoceratologia");
  DefinePassoS(1);
  DefinePassoD(1);
  view_.SetEnabled("sbtExecutarD", true);
  view_.SetEnabled("sbtExecutarS", true);
  QImage preto(640, 480, QImage::Format_ARGB32);
  preto.fill(Qt::black);
  view_.SetImage("Olho1", preto);
  view_.SetImage("Olho0", preto);
  DiminuiForm();
  const DateTime agora = DateTime::Now();
  view_.SetText("lblData", FormatDateTime("dd/mm/yy", agora));
  view_.SetText("lblHora", FormatDateTime("hh:nn:ss", agora));
  // CarregaMedicos: an empty first item, then every doctor by name.
  std::vector<std::string> medicos{""};
  auto& q = dm_.Operation("SELECT Nome FROM Medicos ORDER BY Nome ASC");
  for (q.Open(); !q.Eof(); q.Next()) medicos.push_back(q.FieldByName("Nome").AsString());
  q.Close();
  view_.SetItems("ComboMedicos", medicos);
  int escolhido = 0;
  for (std::size_t i = 1; i < medicos.size(); ++i)
    if (medicos[i] == ctx_.medicoNavegador) escolhido = static_cast<int>(i);
  view_.SetItemIndex("ComboMedicos", escolhido);
  view_.SetEnabled("rbtAxial", true);
  view_.SetEnabled("rbtTangencial", true);
  if (ctx_.modoOrto) {
    for (auto& o : olhos_) {
      o.tabelaPixels = NovoStream();
      o.tabelaDioptrias = NovoStream();
      o.valoresOrto = NovoStream();
    }
    view_.SetChecked("rbtKandor", true);
    view_.SetVisible("rbtKandor", true);
    view_.SetVisible("rbtAxial", false);
    view_.SetVisible("rbtTangencial", false);
  } else {
    view_.SetVisible("rbtKandor", false);
    const bool axial = std::string(ctx_.infos.MapaPadraoNovoExame ? ctx_.infos.MapaPadraoNovoExame
                                                                  : "") == "Axial";
    view_.SetChecked("rbtAxial", axial);
    view_.SetChecked("rbtTangencial", !axial);
  }
  view_.SetText("sbtFechar", "&Fechar");
}

void TfrmNovoExame::DefinePasso(int olho, int passo) {
  passo = std::clamp(passo, 1, 5);
  olhos_[olho].passo = passo;
  const std::string s = Sufixo(olho);
  for (int linha = 1; linha <= 4; ++linha)
    view_.SetVisible("ImgStep" + std::to_string(linha) + s, passo == 5 || linha < passo);
  view_.SetVisible("ImgSeta" + s, passo < 5);
  if (passo == 5) view_.SetEnabled("sbtExecutar" + s, false);
  aoMudar();
}

bool TfrmNovoExame::Azul(int olho, int linha) const {
  const int passo = olhos_[olho].passo;
  return passo < 5 && linha <= passo;
}

int TfrmNovoExame::LinhaSeta(int olho) const {
  return olhos_[olho].passo < 5 ? olhos_[olho].passo : 0;
}

void TfrmNovoExame::lblPassoClick(int olho, int tag) {
  if (!Azul(olho, tag)) return;
  DefinePasso(olho, tag);
  ExecutaPasso(olho);
}

void TfrmNovoExame::ExecutaPasso(int olho) {
  const std::string executar = "sbtExecutar" + Sufixo(olho);
  view_.SetEnabled(executar, false);
  Olho& o = olhos_[olho];
  bool ok = false;
  switch (o.passo) {
    case 1:
      if (view_.Text("ComboMedicos").empty()) {
        dialogs_.Message("Selecione um médico responsável pelo exame.", "Erro", MsgIcon::Error);
        break;
      }
      ok = Digitaliza(olho);
      if (ok) {
        view_.SetText("sbtFechar", "Cancelar");
        view_.SetEnabled("ComboMedicos", false);
      }
      break;
    case 2:
      ok = DetectaAneis(olho);
      break;
    case 3:
      ok = VisualizaMapa(olho);
      break;
    case 4:
      ok = ctx_.modoOrto ? GravaExameOrto(olho) : GravaExame(olho);
      break;
    default:
      break;
  }
  if (ok) DefinePasso(olho, o.passo + 1);
  view_.SetEnabled(executar, o.passo < 5);
  AtualizaFechar();
}

void TfrmNovoExame::AtualizaFechar() {
  const auto emCurso = [&](int olho) { return olhos_[olho].passo >= 2 && olhos_[olho].passo <= 4; };
  if (!emCurso(kDireito) && !emCurso(kEsquerdo)) view_.SetText("sbtFechar", "Fechar");
}

bool TfrmNovoExame::Digitaliza(int olho) {
  Olho& o = olhos_[olho];
  MemoryStream* primeiro = nullptr;
  if (ctx_.modoOrto) {
    std::array<TZVStream*, 4> c{}, l{};
    for (int i = 0; i < 4; ++i) {
      o.centrais[i] = NovoStream();
      o.laterais[i] = NovoStream();
      c[i] = o.centrais[i]->Handle();
      l[i] = o.laterais[i]->Handle();
    }
    if (!UBCapturaOrtoDLL::CarregaModulo(
            ctx_.paths.ModDigitalizacaoOrto ? ctx_.paths.ModDigitalizacaoOrto : ""))
      return false;
    UBCapturaOrtoDLL::Digitalizar(ctx_.handle, c.data(), l.data(), olho, kTitulo);
    UBCapturaOrtoDLL::LiberaModulo();
    primeiro = o.centrais[0].get();
  } else {
    o.central = NovoStream();
    o.lateral = NovoStream();
    if (!UBCapturaDLL::CarregaModulo(ctx_.paths.ModDigitalizacao ? ctx_.paths.ModDigitalizacao
                                                                 : ""))
      return false;
    UBCapturaDLL::Digitalizar(ctx_.handle, o.central->Handle(), o.lateral->Handle(), olho, kTitulo);
    UBCapturaDLL::LiberaModulo();
    primeiro = o.central.get();
  }
  StreamRewind(primeiro->Handle());
  const std::string& bytes = primeiro->Bytes();
  if (!bytes.empty()) {
    QImage imagem;
    if (imagem.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(bytes.size())))
      view_.SetImage(olho == kDireito ? "Olho1" : "Olho0",
                     imagem.convertToFormat(QImage::Format_ARGB32));
  }
  return bytes.size() >= 10;
}

bool TfrmNovoExame::DetectaAneis(int olho) {
  Olho& o = olhos_[olho];
  if (ctx_.modoOrto) {
    if (!UBProcOrtoDLL::CarregaModulo(ctx_.paths.ModProcOrto ? ctx_.paths.ModProcOrto : ""))
      return false;
    std::array<TZVStream*, 4> imagens{};
    for (int i = 0; i < 4; ++i) {
      if (!o.centrais[i]) o.centrais[i] = NovoStream();
      StreamRewind(o.centrais[i]->Handle());
      imagens[i] = o.centrais[i]->Handle();
    }
    for (auto* s : {o.tabelaPixels.get(), o.tabelaDioptrias.get(), o.valoresOrto.get()}) {
      s->Handle()->SetSize(s->Handle()->context, 0);
      StreamRewind(s->Handle());
    }
    const int resultado = UBProcOrtoDLL::ProcessaImagem(
        ctx_.handle, imagens.data(), o.tabelaPixels->Handle(), o.tabelaDioptrias->Handle(),
        o.valoresOrto->Handle(), o.indices.data(), ctx_.infos, ctx_.paths);
    UBProcOrtoDLL::LiberaModulo();
    if (resultado != 1) return false;
    try {
      for (auto* s : {o.tabelaPixels.get(), o.tabelaDioptrias.get(), o.valoresOrto.get()})
        StreamRewind(s->Handle());
      const auto pixels = StreamReadLines(o.tabelaPixels->Handle());
      const auto dioptrias = StreamReadLines(o.tabelaDioptrias->Handle());
      const auto valores = StreamReadLines(o.valoresOrto->Handle());
      if (valores.size() < 16) throw IoError("Valores de ortoceratologia incompletos.");
      for (int i = 0; i < 4; ++i) {
        LeTabela(pixels, i, o.pixelsOrto[i]);
        LeTabela(dioptrias, i, o.dioptriasOrto[i]);
        for (int k = 0; k < 4; ++k) o.valores[i][k] = ToFloat(valores[4 * i + k]);
      }
    } catch (const std::exception& e) {
      // A result the module called good but that cannot be read is no result.
      dialogs_.Message(e.what(), "Erro", MsgIcon::Error);
      return false;
    }
    return true;
  }
  if (!UBProcDLL::CarregaModulo(ctx_.paths.ModProcessamento ? ctx_.paths.ModProcessamento : ""))
    return false;
  if (!o.central) o.central = NovoStream();
  StreamRewind(o.central->Handle());
  o.pupila[0] = o.pupila[1] = o.pupila[2] = o.pupila[3] = 0;
  const int resultado = UBProcDLL::ProcessaImagem(
      ctx_.handle, o.central->Handle(), &o.centroX, &o.centroY, o.pixels.get(), &o.aneis,
      o.dioptrias.get(), &o.pupila, &o.indice, ctx_.infos, ctx_.paths);
  UBProcDLL::LiberaModulo();
  return resultado == 1;
}

bool TfrmNovoExame::VisualizaMapa(int olho) {
  Olho& o = olhos_[olho];
  ctx_.aguarde(true);
  NovoExame exame{.nomePaciente = ctx_.nomePaciente,
                  .codigoPaciente = ctx_.codPaciente,
                  .rg = ctx_.rg,
                  .olho = olho,
                  .quando = DateTime::Now(),
                  .medico = view_.Text("ComboMedicos"),
                  .dirBancoDados = ctx_.paths.DirBancoDados ? ctx_.paths.DirBancoDados : ""};
  bool ok = false;
  if (ctx_.modoOrto) {
    const auto listas = CabecalhosNovoExameOrto(exame, o.indices);
    std::array<MemoryStream, 4> cabecalhos;
    std::array<TZVStream*, 4> itens{};
    for (int i = 0; i < 4; ++i) {
      StreamWriteLines(cabecalhos[i].Handle(), listas[i]);
      StreamRewind(cabecalhos[i].Handle());
      itens[i] = cabecalhos[i].Handle();
    }
    if (UBMapasDLL::CarregaModulo(ModuloEmMapas(ctx_.paths, "Kandor")) &&
        UBMapasDLL::ProcessaMapasOrto) {
      UBMapasDLL::ProcessaMapasOrto(
          ctx_.handle, TDadosPac{itens.data(), 4}, TMatrizesAngAnel{o.pixelsOrto.get(), 4},
          TMatrizesAngAnel{o.dioptriasOrto.get(), 4}, o.valores.data(), ctx_.infos);
      ok = true;
    }
    UBMapasDLL::LiberaModulo();
  } else {
    MemoryStream cabecalho;
    StreamWriteLines(cabecalho.Handle(), CabecalhoNovoExame(exame, o.indice));
    StreamRewind(cabecalho.Handle());
    const char* modulo = view_.Checked("rbtAxial") ? "Pelmo" : "Rusk";
    if (UBMapaDLL::CarregaModulo(ModuloEmMapas(ctx_.paths, modulo)) && UBMapaDLL::ProcessaMapa) {
      if (!o.central) o.central = NovoStream();
      if (!o.lateral) o.lateral = NovoStream();
      StreamRewind(o.central->Handle());
      StreamRewind(o.lateral->Handle());
      UBMapaDLL::ProcessaMapa(ctx_.handle, o.central->Handle(), o.lateral->Handle(), o.centroX,
                              o.centroY, cabecalho.Handle(), o.pixels.get(), &o.aneis,
                              o.dioptrias.get(), &o.pupila, ctx_.infos);
      ok = true;
    }
    UBMapaDLL::LiberaModulo();
  }
  ctx_.aguarde(false);
  AumentaForm();
  return ok;
}

// Texts of the eye's memos (disabled from now on) and the eye's text "OD" / "OS".
static DadosGravacao Dados(FormView& view, const ContextoNovoExame& ctx, int olho) {
  const bool direito = olho == TfrmNovoExame::kDireito;
  const std::string diag = direito ? "Memo3" : "Memo1", obs = direito ? "Memo4" : "Memo2";
  DadosGravacao d;
  d.codPaciente = ctx.codPaciente;
  d.medico = view.Text("ComboMedicos");
  d.olho = direito ? "OD" : "OS";
  d.diagnostico = Corta(view.Text(diag), 240);
  d.observacoes = Corta(view.Text(obs), 240);
  view.SetEnabled(diag, false);
  view.SetEnabled(obs, false);
  d.numAneis = ctx.infos.NumAneis;
  d.tipoCone = ctx.infos.TipoCone ? ctx.infos.TipoCone : "";
  d.dirExames = ctx.paths.DirExames ? ctx.paths.DirExames : "";
  return d;
}

bool TfrmNovoExame::GravaExame(int olho) {
  Olho& o = olhos_[olho];
  ctx_.aguarde(true);
  bool gravado = false;
  try {
    DadosGravacao dados = Dados(view_, ctx_, olho);
    ExameGravar exame;
    exame.indiceConfianca = o.indice;
    exame.gravaArquivos = [&](int codigo) {
      GravaArquivosExame(PrefixoArquivosExame(dados.dirExames, dados.codPaciente, codigo),
                         o.dioptrias[0], o.pixels[0], o.aneis, o.centroX, o.centroY, o.pupila,
                         dados.numAneis);
    };
    const auto jpeg = [&](bool salvar, MemoryStream* s) {
      return salvar && s ? data::TBJpeg::ComprimeJpeg(s->Handle(), ctx_.infos.QualidadeImagem)
                         : std::string();
    };
    exame.imagens = std::pair{jpeg(ctx_.infos.SalvarImagemCentral, o.central.get()),
                              jpeg(ctx_.infos.SalvarImagemLateral, o.lateral.get())};
    const ResultadoGravacao r = GravaExames(dm_, dados, {exame});
    gravado = true;
    if (!r.imagensGravadas)
      dialogs_.Message("Não Foi possivel salvar as imagens", "Informação", MsgIcon::Warning);
    AvisaGravado(dados.medico);
  } catch (const std::exception&) {
    dialogs_.Message(kMensagemFalha, "Informação", MsgIcon::Warning);
  }
  ctx_.aguarde(false);
  DepoisDeGravar();
  return gravado;
}

bool TfrmNovoExame::GravaExameOrto(int olho) {
  Olho& o = olhos_[olho];
  ctx_.aguarde(true);
  bool gravado = false;
  try {
    DadosGravacao dados = Dados(view_, ctx_, olho);
    dados.tipoExame = "O";
    for (auto* s : {o.tabelaPixels.get(), o.tabelaDioptrias.get(), o.valoresOrto.get()})
      StreamRewind(s->Handle());
    const ResultadoOrto resultado{StreamReadLines(o.tabelaPixels->Handle()),
                                  StreamReadLines(o.tabelaDioptrias->Handle()),
                                  StreamReadLines(o.valoresOrto->Handle()), o.indices};
    const std::vector<ExameGravar> exames = ExamesOrto(dados, resultado);
    GravaExames(dm_, dados, exames, ctx_.pausaOrto);
    gravado = true;
    AvisaGravado(dados.medico);
  } catch (const std::exception& e) {
    // The four exams are stored together or not at all: say so with the error's own text.
    dialogs_.Message(std::string(e.what()) + "\nNenhum dos quatro exames foi gravado.", "Erro",
                     MsgIcon::Error);
  }
  ctx_.aguarde(false);
  DepoisDeGravar();
  return gravado;
}

// After a save: the browser shows the patient and doctor again, the window the new moment.
void TfrmNovoExame::AvisaGravado(const std::string& medico) {
  navegador_.RecarregaMedicos();
  navegador_.SelecionaPaciente(ctx_.nomePaciente, medico);
  const DateTime agora = DateTime::Now();
  view_.SetText("lblData", FormatDateTime("dd/mm/yy", agora));
  view_.SetText("lblHora", FormatDateTime("hh:nn:ss", agora));
  dialogs_.Message("Exame gravado com sucesso", "Informação", MsgIcon::Information);
}

void TfrmNovoExame::DepoisDeGravar() {
  const auto emCurso = [&](int olho) { return olhos_[olho].passo >= 2 && olhos_[olho].passo <= 4; };
  if (!emCurso(kDireito) || !emCurso(kEsquerdo)) DiminuiForm();
}

void TfrmNovoExame::sbtFecharClick() {
  if (view_.Text("sbtFechar") == "Cancelar" &&
      dialogs_.Message("Tem ceteza que deseja cancelar o exame?", "Informação", MsgIcon::Question,
                       MsgButtons::YesNo) != MsgResult::Yes)
    return;
  view_.Close(QDialog::Rejected);
}

void TfrmNovoExame::KeyPress(int key) {
  if (key == 27) view_.Close(QDialog::Rejected);
}

void TfrmNovoExame::AumentaForm() {
  grande_ = true;
  view_.SetVisible("pnlDireito", true);
  view_.SetVisible("pnlEsquerdo", true);
  aoMudar();
}

void TfrmNovoExame::DiminuiForm() {
  grande_ = false;
  view_.SetVisible("pnlDireito", false);
  view_.SetVisible("pnlEsquerdo", false);
  aoMudar();
}

}  // namespace zv::exam
