#include "CadastroCampos.h"
#include "UBArquivosExame.h"
#include "UfrmConsultaMedicos.h"

namespace zv::exam {
namespace {

// The radio buttons of "Consultar por" and the column each searches.
struct Criterio {
  const char* controle;
  const char* coluna;
};
const Criterio kCriterios[] = {
    {"rbtNome", "nome"}, {"rbtRG", "rg"}, {"rbtCPF", "cpf"}, {"rbtCRM", "crm"}};

}  // namespace

void TfrmConsultaMedicos::FormShow() {
  view_.SetChecked("rbtNome", true);
  view_.SetValue("lswResultado", 0);
  edtPesquisaChange();
}

void TfrmConsultaMedicos::edtPesquisaChange() {
  view_.SetEnabled("btnConsultar", !view_.Text("edtPesquisa").empty());
}

void TfrmConsultaMedicos::btnConsultarClick() {
  codigos_.clear();
  view_.SetValue("lswResultado", 0);
  std::string coluna = "nome";
  for (const auto& c : kCriterios)
    if (view_.Checked(c.controle)) coluna = c.coluna;
  // The typed text is a bound parameter, matched literally anywhere in the column.
  auto& q = dm_.Operation("SELECT Codigo,Nome FROM Medicos WHERE Upper(" + coluna +
                          ") like :Padrao ESCAPE '\\' ORDER BY Nome ASC");
  q.SetParam("Padrao", "%" + PadraoLike(MaiusculaAcentos(view_.Text("edtPesquisa"))) + "%");
  q.Open();
  for (; !q.Eof(); q.Next()) {
    const int linha = static_cast<int>(codigos_.size());
    codigos_.push_back(static_cast<int>(q.FieldByName("Codigo").AsInteger()));
    view_.SetCell("lswResultado", 0, linha, std::to_string(codigos_.back()));
    view_.SetCell("lswResultado", 1, linha, q.FieldByName("Nome").AsString());
  }
  q.Close();
  view_.SetValue("lswResultado", static_cast<int>(codigos_.size()));
}

void TfrmConsultaMedicos::lswResultadoDblClick(int linha) {
  if (linha < 0 || linha >= static_cast<int>(codigos_.size())) return;
  localiza_(codigos_[linha]);
  view_.Close(QDialog::Accepted);
}

void TfrmConsultaMedicos::btnFecharClick() {
  view_.Close(QDialog::Rejected);
}

}  // namespace zv::exam
