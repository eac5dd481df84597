#include <algorithm>

#include "UBArquivosExame.h"
#include "UDExames.h"
#include "UfrmCadastroMedicos.h"

namespace zv::exam {

TfrmCadastroMedicos::TfrmCadastroMedicos(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                                         std::string medicoAtivo)
    : view_(view),
      dialogs_(dialogs),
      dm_(dm),
      medicos_db_(dm),
      medicoAtivo_(std::move(medicoAtivo)) {}

void TfrmCadastroMedicos::FormShow() {
  view_.SetItems("dbcEstadoNaturalidade", EstadosNaturalidade());
  view_.SetItems("dbcEstado", EstadosResidenciaMedico());
  medicos_db_.AbreMedicos(true);
  Recarrega();
  atual_ = medicos_.empty() ? -1 : 0;
  AplicaEstado(Estado::Navegando);
  LocalizaNome(medicoAtivo_);
  MostraAtual();
  DesabilitaEdicao();
}

void TfrmCadastroMedicos::sbtAddClick() {
  modo_ = "Add";
  AplicaEstado(Estado::Adicionando);
  MostraCodigo(false, "Adcionando um novo médico");
  LimparCampos();
}

void TfrmCadastroMedicos::sbtAlterarClick() {
  if (atual_ < 0) return;
  modo_ = "Atualiza";
  AplicaEstado(Estado::Editando);
  HabilitaEdicao();
}

void TfrmCadastroMedicos::sbtAtualizarClick() {
  const data::DadosMedico medico = LeMedico(view_);
  if (modo_ == "Add") {
    if (medico.nome.empty()) {
      dialogs_.Message("Campo NOME é obrigatório!!!", "Informação", MsgIcon::Information);
      return;
    }
    medicos_db_.InsereMedico(medico);
    Recarrega();
    LocalizaNome(medico.nome);
  } else {
    const int codigo = CodigoAtual();
    medicos_db_.AtualizaMedico(codigo, medico);
    Recarrega();
    Localiza(codigo);
  }
  view_.SetItemIndex("pgcDados", 0);
  AplicaEstado(Estado::Navegando);
  DesabilitaEdicao();
  MostraAtual();
}

void TfrmCadastroMedicos::sbtDelClick() {
  if (estado_ != Estado::Navegando) {  // the button reads "Cancelar": drop the typing
    AplicaEstado(Estado::Navegando);
    DesabilitaEdicao();
    MostraAtual();
    return;
  }
  if (atual_ < 0) return;
  const int codigo = CodigoAtual();
  const std::string nome = medicos_[atual_]["NOME"];
  if (data::TDExames(dm_).ContaExamesDoMedico(codigo) > 0) {
    dialogs_.Message("Não é possivel excluir o Dr(a) " + nome + ".\n" +
                         "Para excluir é preciso excluir todos os pacientes vinculados.",
                     "Infomração", MsgIcon::Question);
    return;
  }
  if (dialogs_.Message("Deseja excluir o médico " + nome + " ?", "Informação", MsgIcon::Error,
                       MsgButtons::YesNo) == MsgResult::Yes)
    medicos_db_.ExcluiMedico(codigo);
  DesabilitaEdicao();
  Recarrega();
  atual_ = medicos_.empty() ? -1 : 0;
  AplicaEstado(Estado::Navegando);
  MostraAtual();
}

void TfrmCadastroMedicos::sbtFindClick() {
  if (abreConsulta) abreConsulta();
  MostraAtual();
}

void TfrmCadastroMedicos::btnFecharClick() {
  view_.Close(QDialog::Rejected);
}

void TfrmCadastroMedicos::FormClose() {
  if (estado_ != Estado::Navegando &&
      dialogs_.Message("Deseja salvar as alterações?", "Informação", MsgIcon::Question,
                       MsgButtons::YesNo) == MsgResult::Yes)
    sbtAtualizarClick();
  medicos_db_.AbreMedicos(false);
}

void TfrmCadastroMedicos::Localiza(int codigo) {
  for (std::size_t i = 0; i < medicos_.size(); ++i)
    if (medicos_[i]["CODIGO"] == std::to_string(codigo)) atual_ = static_cast<int>(i);
  if (estado_ == Estado::Navegando) MostraAtual();
}

int TfrmCadastroMedicos::CodigoAtual() const {
  return atual_ < 0 ? 0 : std::stoi(medicos_.at(atual_).at("CODIGO"));
}

void TfrmCadastroMedicos::Recarrega() {
  dm_.IBMedicos.Close();
  medicos_ = LeRegistros(dm_.IBMedicos);
  if (atual_ >= static_cast<int>(medicos_.size())) atual_ = static_cast<int>(medicos_.size()) - 1;
}

// Of several doctors of the same name the newest (highest code) is taken, so a doctor just
// added becomes the current row even when an older one shares the name.
void TfrmCadastroMedicos::LocalizaNome(const std::string& nome) {
  const std::string procurado = MaiusculaAcentos(nome);
  int melhor = -1;
  for (std::size_t i = 0; i < medicos_.size(); ++i)
    if (MaiusculaAcentos(medicos_[i]["NOME"]) == procurado &&
        (melhor < 0 || std::stoi(medicos_[i]["CODIGO"]) > std::stoi(medicos_[melhor]["CODIGO"])))
      melhor = static_cast<int>(i);
  if (melhor >= 0) atual_ = melhor;
}

void TfrmCadastroMedicos::Move(int linha) {
  if (medicos_.empty() || estado_ != Estado::Navegando) return;
  atual_ = std::clamp(linha, 0, static_cast<int>(medicos_.size()) - 1);
  MostraAtual();
}

void TfrmCadastroMedicos::MostraAtual() {
  const Registro* linha = atual_ < 0 ? nullptr : &medicos_[atual_];
  MostraCampos(view_, kCamposMedico, linha);
  MarcaEscolha(view_, kSexos, linha ? linha->at("SEXO") : "");
  MarcaEscolha(view_, kEstadosCivis, linha ? linha->at("ESTADOCIVIL") : "");
  view_.SetText("dbtCodigo", linha ? linha->at("CODIGO") : "");
}

void TfrmCadastroMedicos::AplicaEstado(Estado estado) {
  estado_ = estado;
  const bool editando = estado != Estado::Navegando;
  const bool existem = !medicos_.empty();
  view_.SetEnabled("sbtAdd", !editando);
  view_.SetEnabled("sbtAlterar", !editando && existem);
  view_.SetText("sbtDel", editando ? "Cancelar" : "Excluir");
  view_.SetEnabled("sbtDel", editando || existem);
  view_.SetEnabled("sbtAtualizar", editando);
  view_.SetEnabled("sbtFind", !editando && existem);
  for (const char* nb : {"nbFirst", "nbPrior", "nbNext", "nbLast"}) view_.SetEnabled(nb, !editando);
  if (!editando) {
    if (existem)
      MostraCodigo(true, "Código:");
    else
      MostraCodigo(false, "Nenhum médico cadastrado!!!");
  }
}

void TfrmCadastroMedicos::LimparCampos() {
  MostraCampos(view_, kCamposMedico, nullptr);
  MarcaEscolha(view_, kSexos, "M");
  MarcaEscolha(view_, kEstadosCivis, "S");
  HabilitaEdicao();
}

void TfrmCadastroMedicos::MostraCodigo(bool visivel, const std::string& rotulo) {
  view_.SetText("lblCodigo", rotulo);
  view_.SetVisible("dbtCodigo", visivel);
}

}  // namespace zv::exam
