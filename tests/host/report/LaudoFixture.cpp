#include "LaudoFixture.h"

#include <QWidget>
#include <cmath>

#include "ModuleLibrary.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::test {

LaudoFixture::LaudoFixture() : janela(new QWidget) {
  data::TDMedicos medicos(*m.dm);
  medicos.InsereMedico({.nome = "Dra. Helena Prado", .crm = "12345-SP"});
  medicos.InsereMedico({.nome = "Dr. Otavio Lins", .crm = "54321-SP"});
  codMed = medicos.CodigoDoMedico("Dra. Helena Prado");
  codOutroMed = medicos.CodigoDoMedico("Dr. Otavio Lins");
  data::TDPacientes pacientes(*m.dm);
  pacientes.InserePaciente({.nome = "Carlos Mendes"}, DateTime{2024, 3, 14}, 0);
  navegador.paciente = pacientes.CodigoDoPaciente("Carlos Mendes");
  navegador.nome = "Carlos Mendes";
  navegador.medico = "Dra. Helena Prado";
  ForceDirectories(dirs / "Exames");
  ForceDirectories(dirs / "Laudos");
  ForceDirectories(dirs / "Mapas");
  for (const char* modulo : {"Pelmo", "Rusk"}) {
    const std::string nome = ModuleFileName(modulo);
    WriteFileAtomic(dirs / ("Mapas/" + nome), ReadFileBytes(BinDir() + "/" + nome));
  }
  exameOD = NovoExame("OD", {1899, 12, 30, 10, 0, 0}, 30, codMed);
  exameOS = NovoExame("OS", {1899, 12, 30, 10, 5, 0}, 150, codMed);
  legendaOD = "OD - 03/04/2025 10:00:00";
  legendaOS = "OS - 03/04/2025 10:05:00";
  navegador.exames = {{legendaOD, exameOD}, {legendaOS, exameOS}};
}

LaudoFixture::~LaudoFixture() {
  delete janela;
}

int LaudoFixture::NovoExame(const std::string& olho, const DateTime& hora, int eixo, int medico) {
  data::TDExames exames(*m.dm);
  exames.InsereExame(navegador.paciente, medico, {2025, 4, 3}, hora, olho, 97.5, "T", "", "", "",
                     32, "2");
  auto& q = m.dm->Operation("SELECT MAX(Codigo) AS C FROM Exames");
  q.Open();
  const int codigo = static_cast<int>(q.FieldByName("C").AsInteger());
  q.Close();

  // Ring j at 2.2 j pixels (0.024 mm each); the power varies as a toric's with the meridian.
  auto pixels = std::make_unique<double[]>(360 * 33);
  auto tab = [](double* p) { return reinterpret_cast<TMatrizAngAnel*>(p); };
  auto dioptrias = std::make_unique<double[]>(360 * 33);
  TMatrizAng aneis;
  const double forte = 337.5 / 7.6, fraca = 337.5 / 8.0;
  for (int linha = 0; linha < 360; ++linha) {
    aneis[linha] = 32;
    const double meridiano = (linha + 1) * M_PI / 180;
    // Table meridians run clockwise on the screen: meridian m shows at 360 - m degrees.
    const double c = std::cos(2 * (-meridiano - eixo * M_PI / 180));
    for (int j = 0; j <= 32; ++j) {
      (*tab(pixels.get()))[linha][j] = 2.2 * j;
      (*tab(dioptrias.get()))[linha][j] =
          j == 0 ? 0 : (forte + fraca) / 2 + (forte - fraca) / 2 * c;
    }
  }
  const std::string dir = dirs / "Exames";
  ForceDirectories(JoinPath(dir, std::to_string(navegador.paciente)));
  GravaTabelaD(dir, navegador.paciente, codigo, *tab(dioptrias.get()), 32);
  GravaTabelaM(dir, navegador.paciente, codigo, *tab(pixels.get()), 32);
  GravaCabecalho(dir, navegador.paciente, codigo, aneis, 320, 240, TPupila{});
  return codigo;
}

AmbienteLaudo LaudoFixture::Ambiente() const {
  AmbienteLaudo a;
  a.dirExames = dirs / "Exames";
  a.dirLaudos = dirs / "Laudos";
  a.dirMapas = dirs / "Mapas";
  a.dirPrograma = dirs.path();
  a.infos.NumAneis = 32;
  a.infos.FatorCorrecao = 0.024;
  a.infos.ClinicaNome = "Clínica Visão Clara";
  a.infos.ClinicaEndereco = "Rua das Acácias, 120";
  a.infos.ClinicaCidadeEst = "Campinas - SP";
  a.infos.ClinicaTelefone = "(19) 3232-0000";
  return a;
}

std::unique_ptr<EditorDeTeste> LaudoFixture::NovoEditor() {
  auto e = std::make_unique<EditorDeTeste>();
  e->modelo = std::make_unique<TfrmLaudo>(e->view, e->tela, m.dialogs, *m.dm, navegador, Ambiente(),
                                          janela);
  return e;
}

std::string LaudoFixture::ArquivoLaudo(int codigo) const {
  return CaminhoArquivoLaudo(dirs / "Laudos", std::to_string(navegador.paciente),
                             std::to_string(codigo));
}

}  // namespace zv::test
