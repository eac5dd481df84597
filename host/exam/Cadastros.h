// Entry points that open the registration windows and the new exam, for the main window and the
// exam browser.
#pragma once
#include <QWidget>
#include <functional>
#include <string>

#include "NavegadorExames.h"
#include "UfrmDataModule.h"
#include "UfrmNovoExame.h"

namespace zv::exam {

// The doctors form, positioned on the active doctor (`medicoAtivo`) when there is one.
void AbreCadastroMedicos(QWidget* pai, data::TDMPrincipal& dm, const std::string& medicoAtivo);
// The patient dialog; when it asks for a new exam (AutoExame), `novoExame` runs after it closed
// with the name of the patient picked or registered.
void AbreNovoPaciente(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                      bool autoExame, const std::function<void(const std::string&)>& novoExame);
// The patient form in mode "Atualiza" for the patient of `codigo`; true when it was saved.
bool AbreEdicaoPaciente(QWidget* pai, data::TDMPrincipal& dm, int codigo);
// What the new-exam assistant needs for the patient of `codPaciente`: name and identity read
// from the database, the settings records, the browser's doctor, the mode.
ContextoNovoExame ContextoDoPaciente(data::TDMPrincipal& dm, const TInfosZV& infos,
                                     const TPathsZV& paths, int codPaciente,
                                     const std::string& medico, bool orto);
// The new-exam assistant for the patient and doctor of `contexto`.
void AbreNovoExame(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                   ContextoNovoExame contexto);

}  // namespace zv::exam
