// A browser over a fresh database, real exam files and recording modules installed under the
// map modules' file names.  What a module received is read back from its record file.
#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <map>
#include <memory>

#include "FakeFormView.h"
#include "ModuleLibrary.h"
#include "Streams.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UBPrivateProfile.h"
#include "UDArquivos.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmExames.h"

namespace zv::browser::test {

using zv::test::FakeFormView;

// Which recording module a file name gets.
enum Gravador { kSimples = 1, kMultiplo = 2, kMultiploOrto = 3, kMultiploFlag = 4 };

inline std::string RecordingModule(int variant) {
  static const char* const paths[] = {"", ZV_RECORDER_1, ZV_RECORDER_2, ZV_RECORDER_3,
                                      ZV_RECORDER_4};
  return paths[variant];
}

class BrowserFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    for (const char* d : {"exames", "exemplos", "laudos", "mapas", "Calibração"})
      fs::create_directories(root / d);
    std::string ini = ReadFileBytes(zv::test::SourceDir() + "/assets/Zarvik.ini");
    for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;)
      ini.replace(at, 6, root.path());
    WriteFileAtomic(root / "Zarvik.ini", ini);
    ASSERT_TRUE(settings.LoadAll(1));
    records.SetText(records.Paths.DirRaiz, root.path());
    records.SetText(records.Paths.DirExames, root / "exames");
    records.SetText(records.Paths.DirExemplos, root / "exemplos");
    records.SetText(records.Paths.DirLaudos, root / "laudos");
    records.SetText(records.Paths.DirMapas, root / "mapas");
    records.SetText(records.Infos.TipoCone, "4");
    records.Infos.NumAneis = 16;
    for (auto [nome, variante] : std::map<std::string, int>{{"Pelmo", kSimples},
                                                            {"Rusk", kSimples},
                                                            {"Gavrel", kSimples},
                                                            {"Sennet", kMultiplo},
                                                            {"Quillon", kMultiplo},
                                                            {"Horvat", kMultiploFlag},
                                                            {"Kandor", kMultiploOrto}})
      fs::copy_file(RecordingModule(variante), root / ("mapas/" + ModuleFileName(nome)));
    setenv("ZV_RECORD_FILE", (root / "record.txt").c_str(), 1);
    unsetenv("ZV_WIZARD_PICK");
    unsetenv("ZV_WIZARD_KEEP_PREFIX");

    medicos.InsereMedico({.nome = "Dra. Helena Prado"});
    medicos.InsereMedico({.nome = "Dr. Otávio Lins"});
    helena = medicos.CodigoDoMedico("Dra. Helena Prado");
    otavio = medicos.CodigoDoMedico("Dr. Otávio Lins");
  }

  int NovoPaciente(const std::string& nome, const std::string& rg = "") {
    pacientes.InserePaciente({.nome = nome, .rg = rg, .convenio = "Unimed"}, DateTime{2024, 1, 2},
                             0);
    return pacientes.CodigoDoPaciente(nome);
  }

  // An exam with its three files; the dioptre table's ring 1 holds `marca` so a test can tell
  // which exam's tables reached a module.
  int NovoExame(int pac, int med, const std::string& olho, const std::string& tipo,
                const DateTime& data, const DateTime& hora, double marca = 43.5, int numAneis = 32,
                const std::string& cone = "3") {
    exames.InsereExame(pac, med, data, hora, olho, 97.25, tipo, "", "", "", numAneis, cone);
    auto& q = m.dm->Operation(
        "SELECT Codigo FROM Exames WHERE CodPaciente=:P AND Data=:D AND Hora=:H AND Olho=:O");
    q.SetParam("P", pac);
    q.SetParam("D", fb::SqlDate{data});
    q.SetParam("H", fb::SqlTime{hora});
    q.SetParam("O", olho);
    q.Open();
    const int codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
    q.Close();
    std::filesystem::create_directories(root / ("exames/" + std::to_string(pac)));
    auto tabelaBox = std::make_unique<std::array<TMatrizAngAnel, 1>>();
    auto* tabela = &(*tabelaBox)[0];
    for (auto& linha : *tabela) linha[1] = marca;
    GravaTabelaD(root / "exames", pac, codigo, *tabela, numAneis);
    for (auto& linha : *tabela) linha[1] = 100 + marca;
    GravaTabelaM(root / "exames", pac, codigo, *tabela, numAneis);
    TMatrizAng aneis;
    for (auto& a : aneis) a = numAneis;
    const TPupila pupila = {1, 2, 3, 4};
    GravaCabecalho(root / "exames", pac, codigo, aneis, 320, 240, pupila);
    if (tipo == "O") exames.InsereExameOrto(codigo, 9.5, 0.1, 7.75, 0.55);
    pacientes.AtualizaExamesPaciente(pac, olho, pacientes.TotalExamesDoPaciente(pac) + 1);
    return codigo;
  }

  std::unique_ptr<TfrmExames> Abre() {
    auto b = std::make_unique<TfrmExames>(
        view,
        AmbienteNavegador{&m.dialogs, *m.dm, settings, records, mapOperation, {}, nullptr, nullptr});
    b->FormShow();
    return b;
  }

  void Filtro(TfrmExames& b, const std::string& item) {
    const auto itens = view["CBMedicos"].items;
    const auto it = std::find(itens.begin(), itens.end(), item);
    ASSERT_NE(it, itens.end()) << item;
    view["CBMedicos"].itemIndex = static_cast<int>(it - itens.begin());
    b.CBMedicosChange();
  }

  std::string FiltroMostrado() {
    const auto& c = view["CBMedicos"];
    return c.itemIndex >= 0 && c.itemIndex < static_cast<int>(c.items.size())
               ? c.items[static_cast<size_t>(c.itemIndex)]
               : "";
  }

  void Paciente(TfrmExames& b, const std::string& nome) {
    const auto& lista = b.PacientesListados();
    for (size_t i = 0; i < lista.size(); ++i)
      if (lista[i].nome == nome) return b.DBGridPacientesSelect(static_cast<int>(i));
    FAIL() << nome << " not listed";
  }

  // Selects the exam whose caption begins with `inicio`.
  void Exame(TfrmExames& b, const std::string& inicio) {
    const auto itens = view["lswPrincipal"].items;
    for (size_t i = 0; i < itens.size(); ++i)
      if (itens[i].rfind(inicio, 0) == 0) return b.lswPrincipalSelectItem(static_cast<int>(i));
    FAIL() << inicio << " not listed";
  }

  // The record lines of every module call so far, "key=value".
  std::vector<std::string> Gravado() const {
    std::vector<std::string> lines;
    if (!std::filesystem::exists(root / "record.txt")) return lines;
    for (const auto& l : DecodeLines(ReadFileBytes(root / "record.txt"))) lines.push_back(l);
    return lines;
  }
  // The value of the last line with that key.
  std::string Valor(const std::string& key) const {
    std::string valor = "<none>";
    for (const auto& l : Gravado())
      if (l.rfind(key + "=", 0) == 0) valor = l.substr(key.size() + 1);
    return valor;
  }

  zv::test::TempDir root;
  zv::test::ConnectedModule m;
  TBIniSettings settings{m.dialogs, root.path(), root / "fixed"};
  TZVRecords records;
  TBMapOperation mapOperation{m.dialogs};
  FakeFormView view;
  data::TDMedicos medicos{*m.dm};
  data::TDPacientes pacientes{*m.dm};
  data::TDExames exames{*m.dm};
  data::TDLaudos laudos{*m.dm};
  int helena = 0, otavio = 0;
};

}  // namespace zv::browser::test
