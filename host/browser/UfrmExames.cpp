#include "UfrmExames.h"

#include <QDate>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "CabecalhoExame.h"
#include "Errors.h"
#include "ExportaExame.h"
#include "GanchosNavegador.h"
#include "LancamentoMapas.h"
#include "ModuleLibrary.h"
#include "NumberFormat.h"
#include "Streams.h"
#include "TextFile.h"
#include "UBAberrometriaDLL.h"
#include "UBArquivosExame.h"
#include "UBJpeg.h"
#include "UBLCDLL.h"
#include "UBMapaDLL.h"
#include "UBMapasDLL.h"
#include "UDArquivos.h"
#include "UDExames.h"

namespace zv::browser {
namespace {

const char* const kErroMapa = "Não foi possível processar o mapa selecionado. ";

// TInfosZV.NumAneis and TipoCone set for one module call and given back afterwards.
class InfosDaChamada {
 public:
  InfosDaChamada(TZVRecords& r, int numAneis, const std::string& cone)
      : r_(r), aneis_(r.Infos.NumAneis), cone_(r.Infos.TipoCone), texto_(cone) {
    r.Infos.NumAneis = static_cast<uint8_t>(numAneis);
    r.Infos.TipoCone = texto_.c_str();
  }
  ~InfosDaChamada() {
    r_.Infos.NumAneis = aneis_;
    r_.Infos.TipoCone = cone_;
  }

 private:
  TZVRecords& r_;
  uint8_t aneis_;
  const char* cone_;
  std::string texto_;
};

// The tables of one loaded exam, copied out of the map operation.
struct TabelasExame {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double cx = 0, cy = 0;
  void CopiaDe(const TBMapOperation& op) {
    op.GetPixelTable(pixels);
    op.GetDioptreTable(dioptrias);
    op.GetRingCounts(aneis);
    op.GetPupil(pupila);
    cx = op.GetCenterX();
    cy = op.GetCenterY();
  }
};

std::string Texto(const char* s) {
  return s ? s : "";
}

// The tables of the exams of one multi-map call, one entry per chosen exam; orthokeratology
// values default to zeros, at least four entries as the module reads four.
struct TabelasMultiMapa {
  explicit TabelasMultiMapa(size_t n)
      : pixels(n), dioptrias(n), aneis(n), pupilas(n), valores(std::max<size_t>(n, 4)) {}
  std::vector<TMatrizAngAnel> pixels, dioptrias;
  std::vector<TMatrizAng> aneis;
  std::vector<TPupila> pupilas;
  std::vector<TValoresOrto> valores;
  void CopiaDe(size_t k, const TBMapOperation& op) {
    op.GetDioptreTable(dioptrias[k]);
    op.GetPixelTable(pixels[k]);
    op.GetRingCounts(aneis[k]);
    op.GetPupil(pupilas[k]);
  }
};

// Runs the loaded multi-map module's wizard on the candidate lines: Horvat's Wizard takes the
// argument list with the orthokeratology flag (its lines carry the type prefix), every other
// module the standard one.
int32_t ChamaWizard(bool horvat, void* janela, const std::vector<std::string>& candidatos,
                    MemoryStream& selecionados, MemoryStream& extra, TInfosZV infos) {
  MemoryStream lista;
  StreamWriteLines(lista.Handle(), candidatos);
  StreamRewind(lista.Handle());
  if (horvat && UBMapasDLL::WizardOrto)
    return UBMapasDLL::WizardOrto(janela, lista.Handle(), selecionados.Handle(), extra.Handle(),
                                  1, infos);
  return UBMapasDLL::Wizard(janela, lista.Handle(), selecionados.Handle(), extra.Handle(), infos);
}

// Calls the loaded multi-map module: Kandor's ProcessaMapas takes the orthokeratology argument
// list, every other module the standard one.  Calling Kandor with the standard list would hand
// it tables where it reads values.
void ChamaProcessaMapas(bool kandor, void* janela, std::vector<TZVStream*>& cabecalhos,
                        TabelasMultiMapa& t, TZVStream* extra, TInfosZV infos) {
  const int32_t count = static_cast<int32_t>(cabecalhos.size());
  const TDadosPac dados{cabecalhos.data(), count};
  if (kandor && UBMapasDLL::ProcessaMapasOrto) {
    UBMapasDLL::ProcessaMapasOrto(janela, dados, {t.pixels.data(), count},
                                  {t.dioptrias.data(), count}, t.valores.data(), infos);
  } else if (!kandor) {
    StreamRewind(extra);
    UBMapasDLL::ProcessaMapas(janela, dados, {t.pixels.data(), count}, {t.aneis.data(), count},
                              {t.dioptrias.data(), count}, {t.pupilas.data(), count}, count,
                              extra, infos);
  }
}

}  // namespace

const std::vector<std::string> kGruposExemplos = {"Ceratocone - Central",
                                                  "Ceratocone - Periférico",
                                                  "Astigmatismo - Regular",
                                                  "Astigmatismo - Iregular",
                                                  "Normal",
                                                  "Ortoceratologia"};

std::vector<std::string> ItensExemplo(int grupo) {
  static const char* const nomes[] = {"Central0", "Periférico0", "Regular0", "Irregular0",
                                      "Normal0"};
  std::vector<std::string> itens;
  if (grupo == 5) {
    for (int i = 1; i <= 4; ++i) itens.push_back("Orto0" + std::to_string(i));
    return itens;
  }
  if (grupo < 0 || grupo > 4) return itens;
  for (int i = 1; i <= 6; ++i)
    itens.push_back((i <= 4 ? "OD - " : "OS - ") + std::string(nomes[grupo]) + std::to_string(i));
  return itens;
}

bool ExemploOrto(const std::string& item) { return item.rfind("Orto", 0) == 0; }

std::string NomeExemplo(const std::string& item) {
  return ExemploOrto(item) || item.size() < 5 ? item : item.substr(5);
}

ProporcaoGrade ProporcaoPorTela(double largura, double altura) {
  const double razao = altura > 0 ? largura / altura : 0;
  if (razao < 1.3) return {0.79, 0.855};
  if (razao < 1.4) return {0.63, 0.75};
  return {0.70, 0.80};
}

TfrmExames::TfrmExames(FormView& view, AmbienteNavegador ambiente)
    : view_(view), amb_(std::move(ambiente)), db_(amb_.dm) {}

// ------------------------------------------------------------------ patients and doctors

void TfrmExames::FormShow() {
  view_.SetVisible("tbExameOrto1", true);
  view_.SetVisible("tbExameOrto2", true);
  view_.SetChecked("cBoxMiniMapa", amb_.settings.AutoMiniMapa());
  codPaciente_ = 0;
  LimpaExame();
  exemplos_ = false;
  PreencheMedicos();
  ListaPacientes(true);
  view_.SetItemIndex("pcExames", 0);
  view_.SetVisible("pnlFindPac", false);
}

void TfrmExames::PreencheMedicos() {
  medicos_ = db_.NomesMedicos();
  std::vector<std::string> itens = medicos_;
  if (db_.HaPacientesSemExames()) itens.push_back(kFiltroSemExames);
  if (!itens.empty()) itens.push_back(kFiltroTodos);
  view_.SetItems("CBMedicos", itens);
  const std::string ativo = amb_.settings.MedicoAtivo();
  int indice = static_cast<int>(itens.size()) - 1;
  for (size_t i = 0; i < itens.size(); ++i)
    if (!ativo.empty() && itens[i] == ativo) indice = static_cast<int>(i);
  view_.SetItemIndex("CBMedicos", indice);
}

void TfrmExames::RecarregaMedicos() {
  const std::string filtro = TextoFiltro();
  PreencheMedicos();
  SelecionaFiltro(filtro);
}

// Selects the doctor filter entry `texto`; false when it is not offered.
bool TfrmExames::SelecionaFiltro(const std::string& texto) {
  const auto itens = view_.Items("CBMedicos");
  const auto it = std::find(itens.begin(), itens.end(), texto);
  if (it == itens.end()) return false;
  view_.SetItemIndex("CBMedicos", static_cast<int>(it - itens.begin()));
  return true;
}

void TfrmExames::SelecionaPaciente(const std::string& nome, const std::string& filtroMedico) {
  if (!SelecionaFiltro(filtroMedico)) SelecionaFiltro(kFiltroTodos);
  if (NomePaciente() != nome) {
    codPaciente_ = 0;
    for (const PacienteLinha& p : db_.Pacientes(FiltroAtual(), porNome_))
      if (p.nome == nome) {
        codPaciente_ = p.codigo;
        break;
      }
  }
  ListaPacientes(porNome_);
}

std::string TfrmExames::TextoFiltro() const {
  const auto itens = view_.Items("CBMedicos");
  const int i = view_.ItemIndex("CBMedicos");
  return i >= 0 && i < static_cast<int>(itens.size()) ? itens[static_cast<size_t>(i)] : "";
}

FiltroPacientes TfrmExames::FiltroAtual() {
  const std::string f = TextoFiltro();
  if (f.empty() || f == kFiltroTodos) return {};
  if (f == kFiltroSemExames) return {FiltroPacientes::Tipo::SemExames, 0};
  return {FiltroPacientes::Tipo::Medico, db_.CodigoMedico(f)};
}

void TfrmExames::ListaPacientes(bool porNome) {
  porNome_ = porNome;
  pacientes_ = db_.Pacientes(FiltroAtual(), porNome);
  std::vector<std::string> nomes;
  nomes.reserve(pacientes_.size());
  for (const auto& p : pacientes_) nomes.push_back(p.nome);
  view_.SetItems("DBGridPacientes", nomes);
  // The current patient stays selected; with the filter of the active doctor the active
  // patient is found again.
  int linha = pacientes_.empty() ? -1 : 0;
  const bool filtroAtivo = TextoFiltro() == amb_.settings.MedicoAtivo();
  const std::string ativo = amb_.settings.PacienteAtivo();
  for (size_t i = 0; i < pacientes_.size(); ++i) {
    if (codPaciente_ ? pacientes_[i].codigo == codPaciente_
                     : filtroAtivo && pacientes_[i].nome == ativo) {
      linha = static_cast<int>(i);
      break;
    }
  }
  DBGridPacientesSelect(linha);
}

void TfrmExames::CBMedicosChange() {
  ListaPacientes(porNome_);
}
void TfrmExames::tbOrdemAlfaClick() {
  ListaPacientes(true);
}
void TfrmExames::tbOrdemCriacaoClick() {
  ListaPacientes(false);
}

void TfrmExames::DBGridPacientesSelect(int linha) {
  view_.SetItemIndex("DBGridPacientes", linha);
  codPaciente_ = linha >= 0 && linha < static_cast<int>(pacientes_.size())
                     ? pacientes_[static_cast<size_t>(linha)].codigo
                     : 0;
  DBEditControleChange();
}

void TfrmExames::MostraPaciente() {
  const PacienteLinha* p = nullptr;
  for (const auto& q : pacientes_)
    if (q.codigo == codPaciente_) p = &q;
  view_.SetText("lblPacienteID", p ? FormatFloat("0000", p->codigo) : "");
  view_.SetText("lblConvenio", p ? p->convenio : "");
  view_.SetText("lblUltExame", p ? p->ultimoExame : "");
  view_.SetText("lblTotalExames", p ? std::to_string(p->totalExames) : "");
}

void TfrmExames::DBEditControleChange() {
  MostraPaciente();
  ListaExames();
}

void TfrmExames::CBoxExamesClick() {
  ListaExames();
}

void TfrmExames::edtFindGridChange() {
  // Moves the grid to the first listed patient whose name begins with the typed text.
  const std::string texto = MaiusculaAcentos(view_.Text("edtFindGrid"));
  if (texto.empty()) return;
  for (size_t i = 0; i < pacientes_.size(); ++i) {
    if (MaiusculaAcentos(pacientes_[i].nome).rfind(texto, 0) == 0) {
      DBGridPacientesSelect(static_cast<int>(i));
      return;
    }
  }
}

// ------------------------------------------------------------------------------ exams

void TfrmExames::LimpaExame() {
  exame_.reset();
  orto_ = {};
  view_.SetEnabled("tbtExcluirExame", false);
  view_.SetEnabled("tbLaudo", false);
}

void TfrmExames::ListaExames() {
  LimpaExame();
  exames_.clear();
  figuras_.clear();
  if (codPaciente_) {
    const FiltroPacientes f = FiltroAtual();
    const bool todos = f.tipo != FiltroPacientes::Tipo::Medico || view_.Checked("CBoxExames");
    exames_ = db_.Exames(codPaciente_, todos ? 0 : f.codigoMedico);
  }
  std::vector<std::string> legendas;
  for (const auto& e : exames_) {
    legendas.push_back(LegendaExame(e));
    figuras_.push_back(e.Orto() ? 3 : 1);
  }
  view_.SetItems("lswPrincipal", legendas);
  int total = 0;
  for (const auto& p : pacientes_)
    if (p.codigo == codPaciente_) total = p.totalExames;
  view_.SetVisible("CBoxExames",
                   static_cast<int>(exames_.size()) < total || view_.Checked("CBoxExames"));
  AtualizaPainel();
}

std::string TfrmExames::NomePaciente() const {
  for (const PacienteLinha& p : pacientes_)
    if (p.codigo == codPaciente_) return p.nome;
  return {};
}

std::string TfrmExames::MedicoDoFiltro() const {
  const auto itens = view_.Items("CBMedicos");
  const int i = view_.ItemIndex("CBMedicos");
  return i >= 0 && i < static_cast<int>(itens.size()) ? itens[static_cast<size_t>(i)] : "";
}

bool TfrmExames::SelecionaExame(const std::string& legenda) {
  auto e = db_.SelecionaExame(codPaciente_, legenda);
  if (!e) return false;
  exame_ = e;
  orto_ = e->Orto() ? db_.ValoresOrto(e->codigo) : ValoresOrtoExame{};
  return true;
}

void TfrmExames::lswPrincipalSelectItem(int indice) {
  view_.SetItemIndex("lswPrincipal", indice);
  const auto itens = view_.Items("lswPrincipal");
  if (exemplos_ || indice < 0 || indice >= static_cast<int>(itens.size())) return;
  if (!SelecionaExame(itens[static_cast<size_t>(indice)])) {
    LimpaExame();
    amb_.dialogs->Message("Erro ao selecionar o exame.", "Erro", MsgIcon::Error);
    return;
  }
  view_.SetEnabled("tbtExcluirExame", true);
  const FiltroPacientes f = FiltroAtual();
  view_.SetEnabled("tbLaudo",
                   f.tipo == FiltroPacientes::Tipo::Medico && exame_->codResp == f.codigoMedico);
  if (view_.Visible("pnlInfoExame")) AtualizaPainel();
}

void TfrmExames::lswPrincipalDblClick() {
  view_.SetVisible("pnlInfoExame", !view_.Visible("pnlInfoExame"));
  AtualizaPainel();
}

void TfrmExames::AtualizaPainel() {
  if (!exame_) {
    for (const char* c : {"lblData", "lblHora", "lblOlho", "lblResponsavel", "lblExameID",
                          "lblIndiceConf", "dbDiag", "dbObs"})
      view_.SetText(c, "");
    view_.SetItemIndex("rgTipoCone", -1);
    view_.SetVisible("pnlOrto", false);
    view_.SetImage("imgVisualizar", QImage());
    miniMapaDe_ = 0;
    return;
  }
  const ExameLinha& e = *exame_;
  view_.SetText("lblData", FormatDateTime("dd/mm/yyyy", e.data));
  view_.SetText("lblHora", FormatDateTime("HH:nn:ss", e.hora));
  view_.SetText("lblOlho", TextoOlho(e.olho == "OD"));
  view_.SetText("lblResponsavel", db_.NomeMedico(e.codResp));
  const FiltroPacientes f = FiltroAtual();
  const bool doFiltro = f.tipo == FiltroPacientes::Tipo::Medico && e.codResp == f.codigoMedico;
  corResponsavel_ = doFiltro ? "navy" : "red";
  view_.SetText("lblExameID", FormatFloat("0000", e.codigo));
  view_.SetText("lblIndiceConf", FormatFloat("0.00", e.indConf) + "%");
  view_.SetText("dbDiag", e.diag);
  view_.SetText("dbObs", e.observacao);
  view_.SetEnabled("dbDiag", false);
  view_.SetEnabled("dbObs", false);
  const int cone = e.tipoCone.empty() ? 0 : std::atoi(e.tipoCone.c_str());
  view_.SetItemIndex("rgTipoCone", cone >= 1 && cone <= 4 ? cone - 1 : -1);
  view_.SetVisible("pnlOrto", e.Orto());
  if (e.Orto()) {
    view_.SetText("lblDIV", FormatFloat("0.00", orto_.div));
    view_.SetText("lblR0", FormatFloat("0.00", orto_.r0));
    view_.SetText("lblSAG", FormatFloat("0.00", orto_.sag));
  }
  if (view_.Checked("cBoxMiniMapa") && view_.Visible("pnlInfoExame")) {
    DesenhaMiniMapa();
  } else {
    view_.SetImage("imgVisualizar", QImage());
    miniMapaDe_ = 0;
  }
}

std::string TfrmExames::DirPaciente() const {
  return Texto(amb_.records.Paths.DirExames) + "/" + std::to_string(codPaciente_);
}

void TfrmExames::DesenhaMiniMapa() {
  if (!exame_) {
    amb_.dialogs->Message("Selecione um exame.", "Erro", MsgIcon::Error);
    return;
  }
  if (exame_->codigo == miniMapaDe_) return;
  if (!amb_.mapOperation.LoadExam(DirPaciente() + "/" + std::to_string(exame_->codigo))) {
    amb_.dialogs->Message(std::string(kErroMapa) + "1", "Erro", MsgIcon::Error);
    return;
  }
  auto tabelas = std::make_unique<TabelasExame>();
  tabelas->CopiaDe(amb_.mapOperation);
  const std::string modulo = Texto(amb_.records.Paths.DirMapas) + "/" + ModuleFileName("Pelmo");
  UBMapaDLL::CarregaModulo(modulo);
  LiberaAoSair libera(&UBMapaDLL::LiberaModulo);
  if (!UBMapaDLL::Visualizar) {
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
    return;
  }
  MemoryStream bitmap;
  TIndicesMapa indices{};
  InfosDaChamada infos(amb_.records, exame_->numAnel, exame_->tipoCone);
  UBMapaDLL::Visualizar(amb_.handle, bitmap.Handle(), nullptr, 0, tabelas->cx, tabelas->cy,
                        &tabelas->pixels, &tabelas->aneis, &tabelas->dioptrias, &tabelas->pupila,
                        &indices, 0, amb_.records.Infos);
  const std::string& bytes = bitmap.Bytes();
  view_.SetImage("imgVisualizar", QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                                   static_cast<int>(bytes.size()), "BMP"));
  miniMapaDe_ = exame_->codigo;
}

void TfrmExames::imgVisualizarClick() {
  if (!exame_) {
    amb_.dialogs->Message("Selecione um exame.", "Erro", MsgIcon::Error);
    return;
  }
  miniMapaDe_ = 0;
  DesenhaMiniMapa();
}

void TfrmExames::cBoxMiniMapaClick() {
  const bool marcado = view_.Checked("cBoxMiniMapa");
  if (marcado != amb_.settings.AutoMiniMapa())
    amb_.settings.WriteSetting("Bool", "OPCOES", "AUTOMINIMAPA", "", marcado);
  if (marcado && exame_) DesenhaMiniMapa();
  if (!marcado) {
    view_.SetImage("imgVisualizar", QImage());
    miniMapaDe_ = 0;
  }
}

void TfrmExames::SpeedButton2Click() {
  view_.SetEnabled("dbDiag", true);
}
void TfrmExames::SpeedButton3Click() {
  view_.SetEnabled("dbObs", true);
}

void TfrmExames::SpeedButton1Click() {
  if (!exame_) return;
  data::TDExames(amb_.dm).AtualizaDiagnostico(exame_->codigo, view_.Text("dbDiag"));
  exame_->diag = view_.Text("dbDiag");
  view_.SetEnabled("dbDiag", false);
}

void TfrmExames::SpeedButton4Click() {
  if (!exame_) return;
  data::TDExames(amb_.dm).AtualizaObservacao(exame_->codigo, view_.Text("dbObs"));
  exame_->observacao = view_.Text("dbObs");
  view_.SetEnabled("dbObs", false);
}

void TfrmExames::rgTipoConeClick() {
  const int indice = view_.ItemIndex("rgTipoCone");
  if (!exame_ || indice < 0) return;
  data::TDExames(amb_.dm).AtualizaTipoCone(exame_->codigo, indice + 1);
  exame_->tipoCone = std::to_string(indice + 1);
}

// ------------------------------------------------------------------------- single map

void TfrmExames::MostraAviso() {
  if (amb_.aviso) amb_.aviso->Mostra();
  view_.SetTimer("Timer1", true, 1000);
}

void TfrmExames::Timer1Timer() {
  if (amb_.aviso) amb_.aviso->Esconde();
  view_.SetTimer("Timer1", false, 1000);
}

void TfrmExames::MapaClick(const std::string& caption) {
  const std::string arquivo = ModuleFileName(caption);
  const auto itens = view_.Items("lswPrincipal");
  const int indice = view_.ItemIndex("lswPrincipal");
  if (indice < 0 || indice >= static_cast<int>(itens.size())) {
    amb_.dialogs->Message("Por favor, selecione um exame para que o mapa possa ser exibido.",
                          "Atenção", MsgIcon::Warning);
    return;
  }
  if (exemplos_)
    MapaExemplo(arquivo, NomeExemplo(itens[static_cast<size_t>(indice)]));
  else
    MapaExame(arquivo);
}

void TfrmExames::MapaExemplo(const std::string& arquivo, const std::string& nome) {
  if (!amb_.mapOperation.LoadExam(Texto(amb_.records.Paths.DirExemplos) + "/" + nome)) {
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
    return;
  }
  auto t = std::make_unique<TabelasExame>();
  t->CopiaDe(amb_.mapOperation);
  MemoryStream cabecalho;
  StreamWriteLines(cabecalho.Handle(), CabecalhoExemplo(nome));
  StreamRewind(cabecalho.Handle());
  const std::string caminho = Texto(amb_.records.Paths.DirMapas) + "/" + arquivo;
  UBMapaDLL::CarregaModulo(caminho);
  LiberaAoSair libera(&UBMapaDLL::LiberaModulo);
  InfosDaChamada infos(amb_.records, 16, "2");
  // Orthokeratology examples carry no SAG, DIV or R0 of their own: zeros.
  const double valores[3] = {0, 0, 0};
  if (ExemploOrto(nome) && UBMapaDLL::ProcessaMapaOrto) {
    UBMapaDLL::ProcessaMapaOrto(amb_.handle, nullptr, nullptr, t->cx, t->cy, cabecalho.Handle(),
                                &t->pixels, &t->aneis, &t->dioptrias, &t->pupila, valores,
                                amb_.records.Infos);
  } else if (UBMapaDLL::ProcessaMapa) {
    UBMapaDLL::ProcessaMapa(amb_.handle, nullptr, nullptr, t->cx, t->cy, cabecalho.Handle(),
                            &t->pixels, &t->aneis, &t->dioptrias, &t->pupila, amb_.records.Infos);
  } else {
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
  }
}

void TfrmExames::MapaExame(const std::string& arquivo) {
  if (!exame_) {
    amb_.dialogs->Message("Por favor, selecione um exame para que o mapa possa ser exibido.",
                          "Atenção", MsgIcon::Warning);
    return;
  }
  const ExameLinha e = *exame_;
  const std::string dir = DirPaciente() + "/" + std::to_string(e.codigo);
  MostraAviso();
  auto t = std::make_unique<TabelasExame>();
  MemoryStream central, lateral, cabecalho;
  bool comCentral = false, comLateral = false;
  try {
    if (!amb_.mapOperation.LoadExam(dir)) {
      Timer1Timer();
      amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP03\n\nDiretorio: " + DirPaciente(),
                            "Erro", MsgIcon::Error);
      return;
    }
    t->CopiaDe(amb_.mapOperation);
    data::TDArquivos(amb_.dm).LeImagens(e.codigo, central.Handle(), lateral.Handle());
    // An image that does not decode is handed over as none.
    comCentral = data::TBJpeg::DescomprimeJpeg(central.Handle());
    comLateral = data::TBJpeg::DescomprimeJpeg(lateral.Handle());
    const auto paciente = db_.Paciente(codPaciente_);
    ExameArmazenado armazenado{paciente ? paciente->nome : "",
                               codPaciente_,
                               paciente ? paciente->rg : "",
                               e.olho,
                               FormatDateTime("dd/mm/yyyy", e.data),
                               FormatDateTime("HH:nn:ss", e.hora),
                               db_.NomeMedico(e.codResp),
                               e.codigo,
                               e.indConf};
    StreamWriteLines(cabecalho.Handle(), CabecalhoMapaSimples(armazenado));
    StreamRewind(cabecalho.Handle());
  } catch (const std::exception&) {
    Timer1Timer();
    amb_.dialogs->Message("Não foi possivel abrir o exame selecionado.", "Erro", MsgIcon::Error);
    return;
  }
  TZVStream* pc = comCentral ? central.Handle() : nullptr;
  TZVStream* pl = comLateral ? lateral.Handle() : nullptr;
  InfosDaChamada infos(amb_.records, e.numAnel, e.tipoCone);
  const std::string caminho = Texto(amb_.records.Paths.DirMapas) + "/" + arquivo;
  if (IsModuleFile(arquivo, "Bexley")) {
    if (!UBLCDLL::CarregaModulo(caminho)) {
      UBLCDLL::LiberaModulo();
      Timer1Timer();
      amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP04", "Erro", MsgIcon::Error);
      return;
    }
    LiberaAoSair libera(&UBLCDLL::LiberaModulo);
    UBLCDLL::ProcessaLente(amb_.handle, pc, cabecalho.Handle(), t->cx, t->cy, &t->pixels, &t->aneis,
                           &t->dioptrias, amb_.records.Infos, amb_.records.Paths);
    return;
  }
  if (IsModuleFile(arquivo, "Wendel")) {
    if (!UBAberrometriaDLL::CarregaModulo(caminho)) {
      Timer1Timer();
      amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
      return;
    }
    const std::vector<std::string> clinica = {
        Texto(amb_.records.Infos.ClinicaNome), Texto(amb_.records.Infos.ClinicaEndereco),
        Texto(amb_.records.Infos.ClinicaCidadeEst), Texto(amb_.records.Infos.ClinicaTelefone)};
    std::vector<const char*> linhas;
    for (const auto& l : clinica) linhas.push_back(l.c_str());
    const TZVTextList dados{linhas.data(), static_cast<int32_t>(linhas.size())};
    const auto& in = amb_.records.Infos;
    UBAberrometriaDLL::ProcessaAberrometria(
        amb_.handle, &t->pixels, &t->dioptrias, &t->aneis, in.TipoCone, in.NumAneis, in.Modelo, 3.0,
        in.FatorCorrecao, in.Z0, 640, 480, 1, cabecalho.Handle(), &dados);
    return;
  }
  const bool carregado = UBMapaDLL::CarregaModulo(caminho);
  LiberaAoSair libera(&UBMapaDLL::LiberaModulo);
  const bool orto = e.Orto() && (IsModuleFile(arquivo, "Pelmo") || IsModuleFile(arquivo, "Rusk"));
  if (!carregado || (orto ? !UBMapaDLL::ProcessaMapaOrto : !UBMapaDLL::ProcessaMapa)) {
    Timer1Timer();
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
    return;
  }
  if (orto) {
    const double valores[3] = {orto_.sag, orto_.div, orto_.r0};
    UBMapaDLL::ProcessaMapaOrto(amb_.handle, pc, pl, t->cx, t->cy, cabecalho.Handle(), &t->pixels,
                                &t->aneis, &t->dioptrias, &t->pupila, valores, amb_.records.Infos);
  } else {
    UBMapaDLL::ProcessaMapa(amb_.handle, pc, pl, t->cx, t->cy, cabecalho.Handle(), &t->pixels,
                            &t->aneis, &t->dioptrias, &t->pupila, amb_.records.Infos);
  }
}

// -------------------------------------------------------------------------- multi map

void TfrmExames::MapasClick(const std::string& caption) {
  const std::string arquivo = ModuleFileName(caption);
  const ModuloMultiplo modulo = ClassificaModulo(arquivo);
  const auto itens = view_.Items("lswPrincipal");
  if (itens.size() < 2) {
    amb_.dialogs->Message("Não há número suficiente de exames para gerar o mapa desejado.",
                          "Atenção", MsgIcon::Warning);
    return;
  }
  if (exemplos_) return MapasExemplos(arquivo);

  std::vector<std::string> candidatos;
  int direitos = 0, esquerdos = 0;
  for (const auto& legenda : itens) {
    if (!SelecionaExame(legenda)) {
      amb_.dialogs->Message("Erro ao processar exames para a visualização do mapa!", "Erro",
                            MsgIcon::Error);
      return;
    }
    const Candidato c = LinhaCandidata(modulo, exame_->tipoExame, exame_->olho, legenda.substr(2));
    if (c.tipoIncorreto) {
      amb_.dialogs->Message("Tipo de exame incorreto!\rEntre em contato com a assistência técnica",
                            "Erro", MsgIcon::Error);
      return;
    }
    if (!c.linha) continue;
    candidatos.push_back(*c.linha);
    (exame_->olho == "OD" ? direitos : esquerdos)++;
  }
  if (!MinimoAtendido(modulo, direitos, esquerdos)) {
    amb_.dialogs->Message("Número insuficiente de exames para gerar o mapa desejado", "Atenção",
                          MsgIcon::Warning);
    return;
  }

  const std::string caminho = Texto(amb_.records.Paths.DirMapas) + "/" + arquivo;
  if (!UBMapasDLL::CarregaModulo(caminho)) {
    UBMapasDLL::LiberaModulo();
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
    return;
  }
  LiberaAoSair libera(&UBMapasDLL::LiberaModulo);
  MemoryStream selecionados, extra;
  if (ChamaWizard(modulo == ModuloMultiplo::Horvat, amb_.handle, candidatos, selecionados,
                  extra, amb_.records.Infos) != 1)
    return;
  MostraAviso();

  StreamRewind(selecionados.Handle());
  const auto linhas = StreamReadLines(selecionados.Handle());
  const size_t n = linhas.size();
  TabelasMultiMapa tabelas(n);
  std::vector<std::unique_ptr<MemoryStream>> cabecalhos;
  std::vector<TZVStream*> handles;
  const auto paciente = db_.Paciente(codPaciente_);
  for (size_t k = 0; k < n; ++k) {
    cabecalhos.push_back(std::make_unique<MemoryStream>());
    handles.push_back(cabecalhos.back()->Handle());
    if (!SelecionaExame(LegendaDaLinha(linhas[k]))) {
      amb_.dialogs->Message("Erro ao selecionar o exame!", "Erro", MsgIcon::Error);
      continue;
    }
    const ExameLinha& e = *exame_;
    if (e.Orto()) {
      tabelas.valores[k][0] = orto_.sag;
      tabelas.valores[k][1] = orto_.div;
      tabelas.valores[k][2] = orto_.r0;
    }
    if (!amb_.mapOperation.LoadExam(DirPaciente() + "/" + std::to_string(e.codigo))) {
      Timer1Timer();
      amb_.dialogs->Message("Não foi encontrado um dos exames. Não é possível continuar.",
                            "Atenção", MsgIcon::Warning);
      return;
    }
    tabelas.CopiaDe(k, amb_.mapOperation);
    ExameArmazenado armazenado{paciente ? paciente->nome : "",
                               codPaciente_,
                               paciente ? paciente->rg : "",
                               e.olho,
                               FormatDateTime("dd/mm/yyyy", e.data),
                               FormatDateTime("HH:nn:ss", e.hora),
                               db_.NomeMedico(e.codResp),
                               e.codigo,
                               e.indConf};
    StreamWriteLines(handles.back(), CabecalhoMultiMapa(armazenado));
    StreamRewind(handles.back());
  }
  ChamaProcessaMapas(modulo == ModuloMultiplo::Kandor, amb_.handle, handles, tabelas,
                     extra.Handle(), amb_.records.Infos);
}

void TfrmExames::MapasExemplos(const std::string& arquivo) {
  const ModuloMultiplo modulo = ClassificaModulo(arquivo);
  const auto itens = view_.Items("lswPrincipal");
  std::vector<std::string> candidatos;
  DateTime data{2001, 1, 10};
  for (const auto& item : itens) {
    const bool direito = item.rfind("OS", 0) != 0;
    const bool orto = ExemploOrto(item);
    std::string prefixo;
    if (modulo == ModuloMultiplo::Horvat || modulo == ModuloMultiplo::Kandor)
      prefixo = orto ? "O" : "T";
    candidatos.push_back(prefixo + (direito ? "Olho Direito - " : "Olho Esquerdo - ") +
                         FormatDateTime("dd/mm/yy", data) + " 00:00:00");
    // Two days later for the next item.
    QDate d(data.year, data.month, data.day);
    d = d.addDays(2);
    data = DateTime{d.year(), d.month(), d.day()};
  }
  const std::string caminho = Texto(amb_.records.Paths.DirMapas) + "/" + arquivo;
  if (!UBMapasDLL::CarregaModulo(caminho)) {
    UBMapasDLL::LiberaModulo();
    amb_.dialogs->Message(std::string(kErroMapa) + "ERROMAP02", "Erro", MsgIcon::Error);
    return;
  }
  LiberaAoSair libera(&UBMapasDLL::LiberaModulo);
  InfosDaChamada infos(amb_.records, 16, Texto(amb_.records.Infos.TipoCone));
  MemoryStream selecionados, extra;
  if (ChamaWizard(modulo == ModuloMultiplo::Horvat, amb_.handle, candidatos, selecionados,
                  extra, amb_.records.Infos) != 1)
    return;
  MostraAviso();
  StreamRewind(selecionados.Handle());
  const auto linhas = StreamReadLines(selecionados.Handle());
  const size_t n = linhas.size();
  TabelasMultiMapa tabelas(n);
  std::vector<std::unique_ptr<MemoryStream>> cabecalhos;
  std::vector<TZVStream*> handles;
  for (size_t k = 0; k < n; ++k) {
    cabecalhos.push_back(std::make_unique<MemoryStream>());
    handles.push_back(cabecalhos.back()->Handle());
    // A wizard may hand the lines back without their type prefix: match by legend.
    const std::string legenda = LegendaDaLinha(linhas[k]);
    const size_t pos = static_cast<size_t>(
        std::find_if(candidatos.begin(), candidatos.end(),
                     [&](const std::string& c) { return LegendaDaLinha(c) == legenda; }) -
        candidatos.begin());
    if (pos >= itens.size() ||
        !amb_.mapOperation.LoadExam(Texto(amb_.records.Paths.DirExemplos) + "/" +
                                    NomeExemplo(itens[pos]))) {
      Timer1Timer();
      amb_.dialogs->Message("Não foi encontrado um dos exames. Não é possível continuar.",
                            "Atenção", MsgIcon::Warning);
      return;
    }
    tabelas.CopiaDe(k, amb_.mapOperation);
    StreamWriteLines(handles.back(), {"Exemplo", "00", "00", legenda.substr(0, 2),
                                      legenda.size() >= 13 ? legenda.substr(5, 8) : "",
                                      "00:00:00", "Dr. Brondell"});
    StreamRewind(handles.back());
  }
  // The examples carry no orthokeratology values of their own: Kandor gets zeros.
  ChamaProcessaMapas(modulo == ModuloMultiplo::Kandor, amb_.handle, handles, tabelas,
                     extra.Handle(), amb_.records.Infos);
}

// ---------------------------------------------------------------------------- deletion

void TfrmExames::tbtExcluirExameClick() {
  const auto itens = view_.Items("lswPrincipal");
  const int indice = view_.ItemIndex("lswPrincipal");
  if (indice < 0 || indice >= static_cast<int>(itens.size())) return;
  const std::string legenda = itens[static_cast<size_t>(indice)];
  if (amb_.dialogs->Message("Confirma a exclusão do exame '" + legenda + "' ?", "Atenção",
                            MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return;
  if (!SelecionaExame(legenda)) {
    amb_.dialogs->Message("Erro ao selecionar o registro!!!", "Erro", MsgIcon::Error);
    return;
  }
  const ExameLinha e = *exame_;
  const std::vector<int> laudos = db_.LaudosDoExame(e);
  if (!laudos.empty() &&
      amb_.dialogs->Message("Existe(m)  " + std::to_string(laudos.size()) +
                                "  Laudo(s) vinculado(s).\rConfirma a exclusão do(s) Laudos(s)?",
                            "Atenção", MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes) {
    amb_.dialogs->Message("Exclusão cancelada!!!", "Informação", MsgIcon::Information);
    return;
  }
  // The rows go first, in one transaction: until it commits the exam is whole, and after it
  // no row points at a missing file.  Files left by a failed removal below are only clutter.
  db_.ExcluiExame(e, laudos);
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string dirLaudos =
      Texto(amb_.records.Paths.DirLaudos) + "/" + std::to_string(e.codPaciente);
  for (int laudo : laudos) fs::remove(dirLaudos + "/" + std::to_string(laudo) + "l.txt", ec);
  if (fs::is_directory(dirLaudos, ec) && fs::is_empty(dirLaudos, ec)) fs::remove(dirLaudos, ec);
  const std::string dirExames = Texto(amb_.records.Paths.DirExames);
  for (char letra : {'a', 'd', 'm'})
    fs::remove(CaminhoArquivoExame(dirExames, e.codPaciente, e.codigo, letra), ec);
  const std::string dirPac = dirExames + "/" + std::to_string(e.codPaciente);
  if (fs::is_directory(dirPac, ec) && fs::is_empty(dirPac, ec)) fs::remove(dirPac, ec);

  LimpaExame();
  if (!db_.PacienteTemExames(e.codPaciente)) {
    PreencheMedicos();
    SelecionaFiltro(kFiltroSemExames);
  }
  ListaPacientes(porNome_);
}

void TfrmExames::tbtExcluirPacienteClick() {
  if (!codPaciente_) return;
  std::string nome;
  for (const auto& p : pacientes_)
    if (p.codigo == codPaciente_) nome = p.nome;
  if (db_.PacienteTemExames(codPaciente_)) {
    amb_.dialogs->Message("Não é possivel excluir o paciente " + nome +
                              "! \n\nPara excluir este paciente é preciso excluir todos os exames.",
                          "Atenção", MsgIcon::Warning);
    return;
  }
  if (amb_.dialogs->Message("Confirma a exclusão do paciente '" + nome + "'?", "Atenção",
                            MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return;
  db_.ExcluiPaciente(codPaciente_);
  codPaciente_ = 0;
  ListaPacientes(porNome_);
}

// ------------------------------------------------------------------------------ export

void TfrmExames::tbExportadorClick() {
  Exporta(false);
}
void TfrmExames::tbExportadorAbertoClick() {
  Exporta(true);
}

void TfrmExames::Exporta(bool aberto) {
  if (!exame_) {
    amb_.dialogs->Message("Por favor, selecione o exame que deseja exportar.", "Exportação",
                          MsgIcon::Information);
    return;
  }
  const ExameLinha& e = *exame_;
  const auto paciente = db_.Paciente(codPaciente_);
  DadosExportacao d;
  d.nomePaciente = paciente ? paciente->nome : "";
  d.codigoPaciente = std::to_string(codPaciente_);
  d.rg = paciente ? paciente->rg : "";
  d.olho = TextoOlho(e.olho == "OD");
  d.data = FormatDateTime("dd/mm/yyyy", e.data);
  d.hora = FormatDateTime("HH:nn:ss", e.hora);
  d.medico = db_.NomeMedico(e.codResp);
  const std::string dirExames = Texto(amb_.records.Paths.DirExames);
  d.arquivoD = CaminhoArquivoExame(dirExames, codPaciente_, e.codigo, 'd');
  d.arquivoM = CaminhoArquivoExame(dirExames, codPaciente_, e.codigo, 'm');
  d.arquivoA = CaminhoArquivoExame(dirExames, codPaciente_, e.codigo, 'a');
  d.dirCalibracao = Texto(amb_.records.Paths.DirRaiz) + "/Calibração";
  std::vector<std::string> lista;
  try {
    lista = MontaListaExportacao(d);
  } catch (const IoError& erro) {
    amb_.dialogs->Message(erro.what(), "Erro", MsgIcon::Error);
    return;
  }
  const auto nome = amb_.dialogs->SaveFileName(
      "Exportação de Exame", aberto ? "CSV (*.csv)" : "Exame exportado (*.exp)", "");
  if (!nome) return;
  try {
    if (aberto)
      WriteFileAtomic(*nome + ".csv", MontaCsv(lista));
    else
      GravaExp(*nome + ".exp", lista);
    amb_.dialogs->Message("Arquivo exportado com sucesso.", "Exportação", MsgIcon::Information);
  } catch (const std::exception&) {
    amb_.dialogs->Message("Erro ao exportar o exame.", "Exportação", MsgIcon::Error);
  }
}

// --------------------------------------------------------- other windows and searching

void TfrmExames::tbNovoExameClick() {
  AbreNovoExame(false);
}

void TfrmExames::tbExameOrtoClick() {
  AbreNovoExame(true);
}

// The new-exam window of the standard or the orthokeratology kind for the selected patient.
void TfrmExames::AbreNovoExame(bool orto) {
  if (!codPaciente_) {
    amb_.dialogs->Message("Selecione um Paciente para efetuar o exame!", "Informação",
                          MsgIcon::Error);
    return;
  }
  if (!Ganchos().novoExame) {
    amb_.dialogs->Message("A janela de novo exame não está disponível nesta instalação.",
                          "Informação", MsgIcon::Information);
    return;
  }
  Ganchos().novoExame(*this, codPaciente_, orto);
  ListaPacientes(porNome_);
}

void TfrmExames::tbLaudoClick() {
  if (view_.Items("lswPrincipal").empty()) {
    amb_.dialogs->Message("Não há exames para gerar laudo!", "Informação", MsgIcon::Information);
    return;
  }
  if (!Ganchos().laudo) {
    amb_.dialogs->Message("O assistente de laudo não está disponível nesta instalação.",
                          "Informação", MsgIcon::Information);
    return;
  }
  Ganchos().laudo(*this);
}

void TfrmExames::tbtCadPacienteClick() {
  if (!Ganchos().cadastraPaciente) {
    amb_.dialogs->Message("O cadastro de pacientes não está disponível nesta instalação.",
                          "Informação", MsgIcon::Information);
    return;
  }
  // The registration reloads the doctor filter and selects the patient it added or picked.
  Ganchos().cadastraPaciente(*this);
  ListaPacientes(porNome_);
}

void TfrmExames::tbtAlterarPacienteClick() {
  if (!codPaciente_) return;
  if (!Ganchos().alteraPaciente) {
    amb_.dialogs->Message("O cadastro de pacientes não está disponível nesta instalação.",
                          "Informação", MsgIcon::Information);
    return;
  }
  Ganchos().alteraPaciente(codPaciente_);
  ListaPacientes(porNome_);
}

void TfrmExames::tbLocPacExamClick() {
  bbtnBuscaAvClick();
}

void TfrmExames::bbtnBuscaAvClick() {
  view_.SetVisible("pnlFindPac", true);
  view_.SetText("edtFind", "");
  if (view_.ItemIndex("rgConsultarPor") < 0) view_.SetItemIndex("rgConsultarPor", 1);
}

void TfrmExames::btnFecharBuscaClick() {
  view_.SetVisible("pnlFindPac", false);
}

void TfrmExames::btnLocPacClick() {
  const int tipo = view_.ItemIndex("rgConsultarPor");
  const auto achados =
      db_.Busca(static_cast<TipoBusca>(tipo < 0 || tipo > 6 ? 1 : tipo), view_.Text("edtFind"));
  for (const auto& p : achados) {
    const auto resposta =
        amb_.dialogs->Message("O sistema localizou: " + p.nome + "\nDeseja continuar procurando?",
                              "Informação", MsgIcon::Question, MsgButtons::YesNo);
    if (resposta == MsgResult::Yes) continue;
    // Shows the patient found under every patient, wherever the filter was.
    SelecionaFiltro(kFiltroTodos);
    codPaciente_ = p.codigo;
    ListaPacientes(porNome_);
    view_.SetVisible("pnlFindPac", false);
    return;
  }
  if (achados.empty())
    amb_.dialogs->Message("Paciente não encontrado! \n Deseja realizar outra busca?", "Informação",
                          MsgIcon::Question, MsgButtons::YesNo);
}

// ---------------------------------------------------------------------------- examples

void TfrmExames::pcExamesChange() {
  exemplos_ = view_.ItemIndex("pcExames") == 1;
  for (const char* c :
       {"tbNovoExame1", "tbNovoExame2", "tbExameOrto1", "tbExameOrto2", "tbLaudo", "tbExportador",
        "tbExportadorAberto", "tbtExcluirExame", "tbOrdemCriacao", "tbOrdemAlfa"})
    view_.SetEnabled(c, !exemplos_);
  LimpaExame();
  if (exemplos_) {
    GridExemplosSelectCell(0);
  } else {
    view_.SetEnabled("tbLaudo", false);
    view_.SetEnabled("tbtExcluirExame", false);
    ListaExames();
  }
}

void TfrmExames::GridExemplosSelectCell(int grupo) {
  grupoExemplo_ = grupo;
  view_.SetItemIndex("GridExemplos", grupo);
  const auto itens = ItensExemplo(grupo);
  view_.SetItems("lswPrincipal", itens);
  figuras_.assign(itens.size(), grupo == 5 ? 3 : 1);
}

// ------------------------------------------------------------------------------- close

void TfrmExames::btnFecharClick() {
  exemplos_ = false;
  LimpaExame();
  view_.Close(0);  // the window's close runs FormClose
}

void TfrmExames::FormClose() {
  const std::string medico = TextoFiltro();
  std::string paciente;
  for (const auto& p : pacientes_)
    if (p.codigo == codPaciente_) paciente = p.nome;
  amb_.settings.WriteSetting("Str", "CLINICA", "MEDICOATIVO", medico, false);
  amb_.settings.WriteSetting("Str", "CLINICA", "PACIENTEATIVO", paciente, false);
  amb_.settings.WriteSetting("Bool", "OPCOES", "AUTOMINIMAPA", "", view_.Checked("cBoxMiniMapa"));
  if (amb_.aviso) amb_.aviso->Esconde();
}

}  // namespace zv::browser
