#include "Cadastros.h"

#include "UfrmCadastroMedicos.h"
#include "UfrmCadastroPacientes.h"
#include "UfrmNovoPaciente.h"

namespace zv::exam {

void AbreCadastroMedicos(QWidget* pai, data::TDMPrincipal& dm, const std::string& medicoAtivo) {
  TfrmCadastroMedicosView form(dm, medicoAtivo, pai);
  form.exec();
}

void AbreNovoPaciente(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                      bool autoExame, const std::function<void()>& novoExame) {
  TfrmNovoPacienteView dialogo(dm, navegador, autoExame, pai);
  dialogo.exec();
  if (dialogo.Model().AbreNovoExame() && novoExame) novoExame();
}

bool AbreEdicaoPaciente(QWidget* pai, data::TDMPrincipal& dm, int codigo) {
  TfrmCadastroPacientesView form(dm, "Atualiza", pai);
  form.Model().PreparaEdicao(codigo);
  return form.exec() == QDialog::Accepted;
}

void AbreNovoExame(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                   ContextoNovoExame contexto) {
  TfrmNovoExameView janela(dm, navegador, std::move(contexto), pai);
  janela.exec();
}

}  // namespace zv::exam
