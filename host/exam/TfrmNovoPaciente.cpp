#include "CadastroCampos.h"
#include "UBArquivosExame.h"
#include "UDPacientes.h"
#include "UfrmNovoPaciente.h"

namespace zv::exam {

TfrmNovoPaciente::TfrmNovoPaciente(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                                   NavegadorExames& navegador, bool autoExame,
                                   std::function<std::string(const std::string&)> abreCadastro)
    : view_(view),
      dialogs_(dialogs),
      dm_(dm),
      navegador_(navegador),
      autoExame_(autoExame),
      abreCadastro_(std::move(abreCadastro)) {}

void TfrmNovoPaciente::FormShow() {
  Busca("");
}

void TfrmNovoPaciente::edtNomePacKeyUp() {
  Busca(view_.Text("edtNomePac"));
}

// Names that begin with the typed text, compared in upper case; the text is a bound
// parameter taken literally, so quotes and wildcards in a name are simply letters.
void TfrmNovoPaciente::Busca(const std::string& texto) {
  auto& q = dm_.IBQueryBuscaPac;
  q.Close();
  if (texto.empty()) {
    q.SetSQL("SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes ORDER BY Nome ASC");
  } else {
    q.SetSQL(
        "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes WHERE Upper(nome) like :Padrao "
        "ESCAPE '\\' ORDER BY Nome ASC");
    q.SetParam("Padrao", PadraoLike(MaiusculaAcentos(texto)) + "%");
  }
  q.Open();
  linhas_.clear();
  view_.SetValue("DBGrid1", 0);
  for (; !q.Eof(); q.Next()) {
    const int linha = static_cast<int>(linhas_.size());
    linhas_.push_back(
        {static_cast<int>(q.FieldByName("Codigo").AsInteger()), q.FieldByName("Nome").AsString()});
    view_.SetCell("DBGrid1", 0, linha, std::to_string(linhas_.back().codigo));
    view_.SetCell("DBGrid1", 1, linha, linhas_.back().nome);
    view_.SetCell("DBGrid1", 2, linha, q.FieldByName("Rg").AsString());
    view_.SetCell("DBGrid1", 3, linha, q.FieldByName("TotalExames").AsString());
  }
  view_.SetValue("DBGrid1", static_cast<int>(linhas_.size()));
}

void TfrmNovoPaciente::DBGrid1CellClick(int linha) {
  if (linha >= 0 && linha < static_cast<int>(linhas_.size()))
    view_.SetText("edtNomePac", linhas_[linha].nome);
}

void TfrmNovoPaciente::DBGrid1DblClick(int linha) {
  if (linha < 0 || linha >= static_cast<int>(linhas_.size())) return;
  navegador_.SelecionaPaciente(linhas_[linha].nome, kTodos);
  escolhido_ = linhas_[linha].nome;
  abreNovoExame_ = autoExame_;
  view_.Close(QDialog::Accepted);
}

void TfrmNovoPaciente::Button1Click() {
  const std::string nome = view_.Text("edtNomePac");
  if (nome.empty()) {
    dialogs_.Message("Digite o nome do Paciente!!!", "Informação", MsgIcon::Information);
    return;
  }
  data::TDPacientes pacientes(dm_);
  bool adicionado = false;
  if (pacientes.CodigoDoPaciente(nome) != 0) {
    navegador_.SelecionaPaciente(
        nome, navegador_.QuantidadeMedicos() < 2 ? navegador_.MedicoAtual() : kTodos);
  } else {
    const int antes = pacientes.ContaPacientes();
    const std::string gravado = abreCadastro_ ? abreCadastro_(nome) : std::string();
    if (pacientes.ContaPacientes() > antes) {
      adicionado = true;
      escolhido_ = gravado;
      navegador_.RecarregaMedicos();
      navegador_.SelecionaPaciente(gravado, kSemExames);
    }
  }
  abreNovoExame_ = autoExame_ && adicionado;
  view_.Close(QDialog::Accepted);
}

void TfrmNovoPaciente::KeyPress(int key) {
  if (key == 27) view_.Close(QDialog::Rejected);
}

}  // namespace zv::exam
