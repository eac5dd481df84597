#include "Cadastros.h"

#include <chrono>
#include <thread>

#include "UfrmCadastroMedicos.h"
#include "UfrmCadastroPacientes.h"
#include "UfrmNovoPaciente.h"

namespace zv::exam {

void AbreCadastroMedicos(QWidget* pai, data::TDMPrincipal& dm, const std::string& medicoAtivo) {
  TfrmCadastroMedicosView form(dm, medicoAtivo, pai);
  form.exec();
}

void AbreNovoPaciente(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                      bool autoExame, const std::function<void(const std::string&)>& novoExame) {
  TfrmNovoPacienteView dialogo(dm, navegador, autoExame, pai);
  dialogo.exec();
  if (dialogo.Model().AbreNovoExame() && novoExame) novoExame(dialogo.Model().PacienteEscolhido());
}

bool AbreEdicaoPaciente(QWidget* pai, data::TDMPrincipal& dm, int codigo) {
  TfrmCadastroPacientesView form(dm, "Atualiza", pai);
  form.Model().PreparaEdicao(codigo);
  return form.exec() == QDialog::Accepted;
}

ContextoNovoExame ContextoDoPaciente(data::TDMPrincipal& dm, const TInfosZV& infos,
                                     const TPathsZV& paths, int codPaciente,
                                     const std::string& medico, bool orto) {
  ContextoNovoExame c;
  c.infos = infos;
  c.paths = paths;
  c.codPaciente = codPaciente;
  c.medicoNavegador = medico;
  c.modoOrto = orto;
  auto& q = dm.Operation("SELECT Nome, Rg FROM Pacientes WHERE Codigo = :Codigo");
  q.SetParam("Codigo", codPaciente);
  q.Open();
  if (!q.Eof()) {
    c.nomePaciente = q.FieldByName("Nome").AsString();
    c.rg = q.FieldByName("Rg").AsString();
  }
  q.Close();
  c.pausaOrto = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1100)); };
  return c;
}

void AbreNovoExame(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                   ContextoNovoExame contexto) {
  TfrmNovoExameView janela(dm, navegador, std::move(contexto), pai);
  janela.exec();
}

}  // namespace zv::exam
