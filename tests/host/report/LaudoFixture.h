// A real database with a doctor, a patient and two exams (one per eye) whose files hold a
// toric cornea, the built map modules, and fakes of the browser and the editor's screen.
#pragma once
#include <map>
#include <memory>

#include "FakeFormView.h"
#include "TestDatabase.h"
#include "UfrmLaudo.h"
#include "UfrmWizardLaudo.h"

namespace zv::test {

class FakeNavegador : public NavegadorExames {
 public:
  int paciente = 0;
  std::string nome, medico;
  std::vector<std::pair<std::string, int>> exames;  // caption, code
  std::vector<std::string> selecionados;
  int CodigoPaciente() const override { return paciente; }
  std::string NomePaciente() const override { return nome; }
  std::string MedicoDoFiltro() const override { return medico; }
  std::vector<std::string> LegendasExames() const override {
    std::vector<std::string> out;
    for (const auto& e : exames) out.push_back(e.first);
    return out;
  }
  int SelecionaLegenda(const std::string& legenda) override {
    selecionados.push_back(legenda);
    for (const auto& e : exames)
      if (e.first == legenda) return e.second;
    return -1;
  }
};

class FakeTela : public TelaLaudo {
 public:
  std::vector<PosicaoArvore> arvore;
  struct Cores {
    QColor fundo;
    std::vector<Realce> realces;
  };
  std::map<std::string, Cores> cores;
  void MostraArvore(const std::vector<PosicaoArvore>& a) override { arvore = a; }
  void ColoreCaixa(const std::string& caixa, const QColor& fundo,
                   const std::vector<Realce>& realces) override {
    cores[caixa] = {fundo, realces};
  }
};

// The editor as the wizard sees it, on fakes.
struct EditorDeTeste : JanelaLaudo {
  FakeFormView view;
  FakeTela tela;
  std::unique_ptr<TfrmLaudo> modelo;
  int mostrado = 0;
  TfrmLaudo& Modelo() override { return *modelo; }
  void MostraModal() override { ++mostrado; }
};

class LaudoFixture {
 public:
  LaudoFixture();
  ~LaudoFixture();

  // Toric exam: steep 44.41 D (7.6 mm) at `eixo` degrees, flat 42.19 D (8.0 mm) across.
  int NovoExame(const std::string& olho, const DateTime& hora, int eixo, int medico);
  std::unique_ptr<EditorDeTeste> NovoEditor();
  AmbienteLaudo Ambiente() const;
  std::string ArquivoLaudo(int codigo) const;

  ConnectedModule m;
  TempDir dirs;
  FakeNavegador navegador;
  int codMed = 0, codOutroMed = 0;
  std::string legendaOD, legendaOS;
  int exameOD = 0, exameOS = 0;
  QWidget* janela;
};

}  // namespace zv::test
