// zarvik-exam-shots OUTDIR: photographs the new-exam assistant (small and large layout, the
// orthokeratology mode), the patient dialog and form, the doctors form and the doctor search,
// each filled from a fresh database with a few doctors and patients.  Runs on any platform
// plugin; offscreen works:  QT_QPA_PLATFORM=offscreen build/bin/zarvik-exam-shots docs/screenshots
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "DatabaseFile.h"
#include "QtDialogs.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmCadastroMedicos.h"
#include "UfrmCadastroPacientes.h"
#include "UfrmConsultaMedicos.h"
#include "UfrmNovoExame.h"
#include "UfrmNovoPaciente.h"

namespace {

using namespace zv;

struct SemNavegador : exam::NavegadorExames {
  void RecarregaMedicos() override {}
  void SelecionaPaciente(const std::string&, const std::string&) override {}
  std::string MedicoAtual() const override { return ""; }
  int QuantidadeMedicos() const override { return 0; }
};

bool Foto(QWidget& w, const QDir& out, const char* nome) {
  w.show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const bool ok = w.grab().save(out.filePath(nome));
  std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(out.filePath(nome)));
  w.hide();
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zarvik-exam-shots OUTDIR\n");
    return 2;
  }
  QDir out(argv[1]);
  QTemporaryDir dir;
  if (!std::getenv("FIREBIRD_LOCK")) qputenv("FIREBIRD_LOCK", dir.filePath("lock").toUtf8());
  const std::string banco = dir.filePath("DATABASE.GDB").toStdString();
  data::CreateDatabase(banco);
  QtDialogs dialogs;
  data::TDMPrincipal dm(dialogs);
  if (!dm.PSetDataBaseName(banco)) return 1;
  data::TDMedicos medicos(dm);
  for (const char* n : {"Dra. Inês Moraes", "Dr. Abel Souza", "Dr. João Pedro Lima"})
    medicos.InsereMedico({.nome = n,
                          .rg = "12.345.678-9",
                          .cpf = "12345678901",
                          .crm = "54321",
                          .sexo = "F",
                          .estadoCivil = "C",
                          .cidade = "Recife",
                          .estado = "PE"});
  data::TDPacientes pacientes(dm);
  for (const char* n : {"Joana d'Arc Silva", "José Carlos Nunes", "Jorge Amado Reis", "Ana Luz"})
    pacientes.InserePaciente({.nome = n, .rg = "1234567"}, DateTime::Now(), 0);

  bool ok = true;
  SemNavegador navegador;
  {
    exam::TfrmCadastroMedicosView w(dm, "Dra. Inês Moraes");
    ok = Foto(w, out, "cadastro-medicos.png") && ok;
  }
  {
    exam::TfrmConsultaMedicosView w(dm, [](int) {});
    w.findChild<QLineEdit*>("edtPesquisa")->setText("jo");
    w.Model().btnConsultarClick();
    ok = Foto(w, out, "consulta-medicos.png") && ok;
  }
  {
    exam::TfrmNovoPacienteView w(dm, navegador, false);
    w.findChild<QLineEdit*>("edtNomePac")->setText("jo");
    w.Model().edtNomePacKeyUp();
    ok = Foto(w, out, "novo-paciente.png") && ok;
  }
  {
    exam::TfrmCadastroPacientesView w(dm, "Atualiza");
    w.Model().PreparaEdicao(pacientes.CodigoDoPaciente("Joana d'Arc Silva"));
    ok = Foto(w, out, "cadastro-pacientes.png") && ok;
  }
  for (bool orto : {false, true}) {
    exam::ContextoNovoExame c;
    c.codPaciente = 1;
    c.nomePaciente = "Joana d'Arc Silva";
    c.medicoNavegador = "Dra. Inês Moraes";
    c.modoOrto = orto;
    c.infos.MapaPadraoNovoExame = "Axial";
    exam::TfrmNovoExameView w(dm, navegador, c);
    if (orto) {
      ok = Foto(w, out, "novo-exame-orto.png") && ok;
    } else {
      ok = Foto(w, out, "novo-exame.png") && ok;
      w.Model().AumentaForm();
      ok = Foto(w, out, "novo-exame-grande.png") && ok;
    }
  }
  return ok ? 0 : 1;
}
