#include "UfrmWizardLaudo.h"

#include <filesystem>
#include <vector>

#include "NumberFormat.h"
#include "TextFile.h"
#include "TextoLaudo.h"
#include "UBArquivosExame.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UfrmLaudo.h"

namespace zv {

TfrmWizLaudo::TfrmWizLaudo(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                           NavegadorExames& navegador, AmbienteLaudo ambiente,
                           CriaJanelaLaudo criaEditor)
    : view_(view),
      dialogs_(dialogs),
      dm_(dm),
      navegador_(navegador),
      amb_(std::move(ambiente)),
      criaEditor_(std::move(criaEditor)) {}

void TfrmWizLaudo::FormShow() {
  std::vector<std::string> od, os;
  for (const std::string& legenda : navegador_.LegendasExames())
    (legenda.compare(0, 2, "OD") == 0 ? od : os).push_back(legenda);
  od.push_back("Nenhum");
  os.push_back("Nenhum");
  view_.SetItems("cmbOD", od);
  view_.SetItems("cmbOS", os);

  // The patient's reports whose right-eye (or else left-eye) exam is the filter doctor's.
  struct Linha {
    int codigo, od, os;
    DateTime data, hora;
  };
  std::vector<Linha> linhas;
  auto& q = dm_.Operation(
      "SELECT Codigo, MedidaOD, MedidaOS, Data, Hora FROM Laudos WHERE CodPaciente = "
      ":CodPaciente ORDER BY Codigo");
  q.SetParam("CodPaciente", navegador_.CodigoPaciente());
  for (q.Open(); !q.Eof(); q.Next())
    linhas.push_back({static_cast<int>(q.FieldByName("Codigo").AsInteger()),
                      static_cast<int>(q.FieldByName("MedidaOD").AsInteger()),
                      static_cast<int>(q.FieldByName("MedidaOS").AsInteger()),
                      q.FieldByName("Data").AsDateTime(), q.FieldByName("Hora").AsDateTime()});
  q.Close();
  data::TDExames exames(dm_);
  const int medico = data::TDMedicos(dm_).CodigoDoMedico(navegador_.MedicoDoFiltro());
  std::vector<std::string> itens;
  for (const Linha& l : linhas) {
    // An unknown filter doctor (code 0) matches nothing, not the exams without a doctor.
    const bool doMedico =
        medico > 0 && ((l.od != -1 && exames.ResponsavelDoExame(l.od) == medico) ||
                       (l.os != -1 && exames.ResponsavelDoExame(l.os) == medico));
    if (doMedico) itens.push_back(laudo::ItemLaudo(l.codigo, l.data, l.hora));
  }
  view_.SetItems("cmbEscLaudo", itens);
  view_.SetItems("cmbExcLaudo", itens);
  view_.SetEnabled("rbLauExist", !itens.empty());
  view_.SetEnabled("rbExcLaudo", !itens.empty());
  view_.SetChecked("rgNovoLau", true);
  rgNovoLauClick();
}

void TfrmWizLaudo::rgNovoLauClick() {
  for (const char* c : {"cmbOD", "cmbOS", "lblOD", "lblOS"}) view_.SetEnabled(c, true);
  view_.SetEnabled("cmbEscLaudo", false);
  view_.SetEnabled("cmbExcLaudo", false);
}

void TfrmWizLaudo::rbLauExistClick() {
  for (const char* c : {"cmbOD", "cmbOS", "lblOD", "lblOS"}) view_.SetEnabled(c, false);
  view_.SetEnabled("cmbEscLaudo", true);
  view_.SetEnabled("cmbExcLaudo", false);
}

void TfrmWizLaudo::rbExcLaudoClick() {
  for (const char* c : {"cmbOD", "cmbOS", "lblOD", "lblOS"}) view_.SetEnabled(c, false);
  view_.SetEnabled("cmbEscLaudo", false);
  view_.SetEnabled("cmbExcLaudo", true);
}

std::string TfrmWizLaudo::Escolhido(const std::string& combo) const {
  const int i = view_.ItemIndex(combo);
  const auto itens = view_.Items(combo);
  return i >= 0 && i < static_cast<int>(itens.size()) ? itens[i] : std::string();
}

void TfrmWizLaudo::btnOKClick() {
  const bool tangencial = view_.ItemIndex("rgTipoMapa") == 1;
  if (view_.Checked("rbExcLaudo")) return Exclui();
  std::unique_ptr<JanelaLaudo> editor;
  if (view_.Checked("rbLauExist")) {
    const std::string item = Escolhido("cmbEscLaudo");
    if (item.empty()) {
      dialogs_.Message("Por favor, selecione um laudo para ser aberto.", "Informação",
                       MsgIcon::Information);
      return;
    }
    editor = criaEditor_();
    if (!editor->Modelo().AbrirLaudo(item, tangencial)) return;
  } else {
    editor = criaEditor_();
    if (!editor->Modelo().GerarNovoLaudo(Escolhido("cmbOD"), Escolhido("cmbOS"), tangencial))
      return;
  }
  editor->MostraModal();
  view_.Close(1);  // closing the editor closes the wizard too
}

void TfrmWizLaudo::Exclui() {
  const int indice = view_.ItemIndex("cmbExcLaudo");
  const std::string item = Escolhido("cmbExcLaudo");
  if (item.empty()) {
    dialogs_.Message("Por favor, selecione um laudo para ser excluído.", "Informação",
                     MsgIcon::Information);
    return;
  }
  if (dialogs_.Message("Confirma exclusão do " + item + "?", "Informação", MsgIcon::Question,
                       MsgButtons::YesNo) != MsgResult::Yes)
    return;
  const int codigo = laudo::CodigoDoItem(item);
  data::TDLaudos(dm_).ExcluiLaudo(codigo);
  const std::string arquivo =
      CaminhoArquivoLaudo(amb_.dirLaudos, IntToStr(navegador_.CodigoPaciente()), IntToStr(codigo));
  if (FileExists(arquivo)) {
    std::error_code erro;
    std::filesystem::remove(arquivo, erro);
    if (erro) {
      dialogs_.Message(
          "O laudo foi excluído do banco de dados, mas não foi possível apagar o "
          "arquivo \"" +
              arquivo + "\": " + erro.message(),
          "Erro", MsgIcon::Error);
    } else {
      for (const char* combo : {"cmbEscLaudo", "cmbExcLaudo"}) {
        auto itens = view_.Items(combo);
        if (indice < static_cast<int>(itens.size())) itens.erase(itens.begin() + indice);
        view_.SetItems(combo, itens);
      }
      view_.SetText("cmbEscLaudo", "");
      dialogs_.Message(item + " excluído com sucesso.", "Informação", MsgIcon::Information);
    }
  } else {
    dialogs_.Message(item + " não encontrado.", "Informação", MsgIcon::Information);
  }
  view_.Close(0);
}

}  // namespace zv
