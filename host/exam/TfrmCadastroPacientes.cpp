#include "UDPacientes.h"
#include "UfrmCadastroPacientes.h"

namespace zv::exam {
namespace {

bool NomeVazio(const std::string& nome) {
  return nome.empty() || nome == " ";
}

}  // namespace

TfrmCadastroPacientes::TfrmCadastroPacientes(FormView& view, Dialogs& dialogs,
                                             data::TDMPrincipal& dm, std::string modo)
    : view_(view), dialogs_(dialogs), dm_(dm), modo_(std::move(modo)) {
  view_.SetItems("dbcEstadoNaturalidade", EstadosNaturalidade());
  view_.SetItems("dbcEstado", EstadosNaturalidade());
  view_.SetItems("dbcTipoSang", TiposSanguineos());
}

void TfrmCadastroPacientes::PreparaInclusao(const std::string& nome) {
  HabilitaEdicao();
  view_.SetText("lblCodigo", "Adcionando um novo paciente");
  view_.SetVisible("dbtCodigo", false);
  MostraCampos(view_, kCamposPaciente, nullptr);
  MarcaEscolha(view_, kSexos, "M");
  MarcaEscolha(view_, kEstadosCivis, "S");
  view_.SetText("dbeNome", nome);
}

void TfrmCadastroPacientes::PreparaEdicao(int codigo) {
  codigo_ = codigo;
  auto& q = dm_.Operation("SELECT * FROM Pacientes WHERE Codigo = :Codigo");
  q.SetParam("Codigo", codigo);
  const auto linhas = LeRegistros(q);
  q.Close();
  const Registro* linha = linhas.empty() ? nullptr : &linhas.front();
  MostraCampos(view_, kCamposPaciente, linha);
  MarcaEscolha(view_, kSexos, linha ? linha->at("SEXO") : "");
  MarcaEscolha(view_, kEstadosCivis, linha ? linha->at("ESTADOCIVIL") : "");
  nomeArmazenado_ = linha ? linha->at("NOME") : "";
  view_.SetText("lblCodigo", "Código:");
  view_.SetText("dbtCodigo", std::to_string(codigo));
  view_.SetVisible("dbtCodigo", true);
  HabilitaEdicao();
}

void TfrmCadastroPacientes::FormShow() {
  view_.SetText("frmCadastroPacientes", "Cadastro de Pacientes");
}

void TfrmCadastroPacientes::sbtOkClick() {
  data::DadosPaciente paciente = LePaciente(view_);
  data::TDPacientes pacientes(dm_);
  if (modo_ == "Add") {
    if (NomeVazio(paciente.nome)) {
      dialogs_.Message("Digite o nome do paciente ...", "Atenção", MsgIcon::Information);
      return;
    }
    pacientes.InserePaciente(paciente, DateTime::Now(), 0);
    nomeGravado_ = paciente.nome;
    view_.SetText("lblCodigo", "Código:");
    view_.SetVisible("dbtCodigo", true);
  } else {
    if (NomeVazio(paciente.nome)) paciente.nome = nomeArmazenado_;
    pacientes.AtualizaPaciente(codigo_, paciente);
  }
  DesabilitaEdicao();
  view_.Close(QDialog::Accepted);
}

void TfrmCadastroPacientes::sbtCancelarClick() {
  view_.Close(QDialog::Rejected);
}

}  // namespace zv::exam
