// TfrmExames, the exam browser ("Navegador do Zarvik"): patients filtered by doctor, the exams
// of the selected patient, the exam panel with its mini map, and the launching of the map
// modules on one exam or several.  The model reaches the window through FormView by component
// name; the Qt view is UfrmExamesView.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ConsultasNavegador.h"
#include "Dialogs.h"
#include "FormView.h"
#include "NavegadorExames.h"
#include "UBIniSettings.h"
#include "UBMapOperation.h"
#include "UBProcuraModulos.h"
#include "UBRecords.h"

namespace zv::browser {

// The wait notice as the browser drives it.
class AvisoEspera {
 public:
  virtual ~AvisoEspera() = default;
  virtual void Mostra() = 0;
  virtual void Esconde() = 0;
};

// What the browser works with, handed over by the window that creates it.
struct AmbienteNavegador {
  Dialogs* dialogs;  // the browser's message boxes and file dialogs
  data::TDMPrincipal& dm;
  TBIniSettings& settings;
  TZVRecords& records;
  TBMapOperation& mapOperation;
  std::vector<TBBotaoModulo> botoesMapas;  // the module scan's buttons, in toolbar order
  AvisoEspera* aviso = nullptr;
  void* handle = nullptr;  // the window handle passed to the modules
};

// The example groups of the "Exemplos" page.
extern const std::vector<std::string> kGruposExemplos;
// Items of example group `grupo` (0..5).
std::vector<std::string> ItensExemplo(int grupo);
// Whether an item of that list is an orthokeratology example ("Orto01".."Orto04").
bool ExemploOrto(const std::string& item);
// The example an item of that list names, whose files are the name + "m.txt", "d.txt", "a.txt"
// in the examples directory: the caption from its 6th character ("OD - Central01" names
// Central01), an orthokeratology item its whole caption ("Orto01").
std::string NomeExemplo(const std::string& item);
// Grid height and summary position as fractions of the page height, by screen width/height.
struct ProporcaoGrade {
  double grade, resumo;
};
ProporcaoGrade ProporcaoPorTela(double largura, double altura);

// The browser is also what the report wizard reads its patient, doctor and exams from.
class TfrmExames : public NavegadorExames {
 public:
  TfrmExames(FormView& view, AmbienteNavegador ambiente);

  void FormShow();
  void FormClose();
  void CBMedicosChange();
  void tbOrdemAlfaClick();
  void tbOrdemCriacaoClick();
  // Selection of the patient at `linha` of the grid (the grid's patient change).
  void DBGridPacientesSelect(int linha);
  void DBEditControleChange();
  void CBoxExamesClick();
  void edtFindGridChange();
  void lswPrincipalSelectItem(int indice);
  void lswPrincipalDblClick();
  void MapaClick(const std::string& caption);
  void MapasClick(const std::string& caption);
  void imgVisualizarClick();
  void cBoxMiniMapaClick();
  void SpeedButton2Click();  // edit the diagnosis
  void SpeedButton1Click();  // save the diagnosis
  void SpeedButton3Click();  // edit the observation
  void SpeedButton4Click();  // save the observation
  void rgTipoConeClick();
  void tbtExcluirExameClick();
  void tbtExcluirPacienteClick();
  void tbExportadorClick();
  void tbExportadorAbertoClick();
  void tbNovoExameClick();
  void tbExameOrtoClick();
  void tbLaudoClick();
  void tbtCadPacienteClick();
  void tbtAlterarPacienteClick();
  void tbLocPacExamClick();
  void bbtnBuscaAvClick();
  void btnLocPacClick();
  void btnFecharBuscaClick();
  void pcExamesChange();
  void GridExemplosSelectCell(int grupo);
  void btnFecharClick();
  void Timer1Timer();

  // The report wizard's view of the browser.
  int CodigoPaciente() const override { return codPaciente_; }
  std::string NomePaciente() const override;
  std::string MedicoDoFiltro() const override;
  std::vector<std::string> LegendasExames() const override { return view_.Items("lswPrincipal"); }
  int SelecionaLegenda(const std::string& legenda) override {
    return SelecionaExame(legenda) ? exame_->codigo : -1;
  }

  // What the registration and the new exam ask of the browser after they wrote: the doctor
  // filter filled again (its choice kept while still listed), and a patient selected by name
  // under the filter `filtroMedico` ("*** Todos", "*** Sem Exames" or a doctor's name; the
  // whole list when that filter is not offered).  The patient already shown stays when it has
  // that name, since names may repeat.
  void RecarregaMedicos();
  void SelecionaPaciente(const std::string& nome, const std::string& filtroMedico);
  int QuantidadeMedicos() const { return static_cast<int>(view_.Items("CBMedicos").size()); }

  // State the view and the tests read.
  const std::vector<PacienteLinha>& PacientesListados() const { return pacientes_; }
  int PacienteAtual() const { return codPaciente_; }
  const std::optional<ExameLinha>& ExameSelecionado() const { return exame_; }
  // Picture of each exam item: 1 standard, 3 orthokeratology.
  const std::vector<int>& FigurasExames() const { return figuras_; }
  bool ModoExemplos() const { return exemplos_; }
  // Colour of the exam doctor's name: "navy" when the exam is the filter doctor's, else "red".
  const std::string& CorResponsavel() const { return corResponsavel_; }

 private:
  std::string TextoFiltro() const;
  bool SelecionaFiltro(const std::string& texto);
  FiltroPacientes FiltroAtual();
  void ListaPacientes(bool porNome);
  void AbreNovoExame(bool orto);
  void PreencheMedicos();
  void MostraPaciente();
  void ListaExames();
  bool SelecionaExame(const std::string& legenda);
  void AtualizaPainel();
  void DesenhaMiniMapa();
  void LimpaExame();
  std::string DirPaciente() const;
  void MapaExemplo(const std::string& arquivo, const std::string& nome);
  void MapaExame(const std::string& arquivo);
  void Exporta(bool aberto);
  void MapasExemplos(const std::string& arquivo);
  void MostraAviso();

  FormView& view_;
  AmbienteNavegador amb_;
  ConsultasNavegador db_;
  std::vector<PacienteLinha> pacientes_;
  std::vector<ExameLinha> exames_;
  std::vector<int> figuras_;
  std::vector<std::string> medicos_;
  int codPaciente_ = 0;
  std::optional<ExameLinha> exame_;
  ValoresOrtoExame orto_;
  bool porNome_ = true;
  bool exemplos_ = false;
  int grupoExemplo_ = 0;
  int miniMapaDe_ = 0;
  std::string corResponsavel_ = "navy";  // exam code drawn last in the mini map
};

}  // namespace zv::browser
