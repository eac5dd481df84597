// What the calibration tests share: an installation in a temporary directory (settings file,
// records), sphere files made from known coefficients, and fake capture and processing modules
// that log their calls.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "FakeFormView.h"
#include "ModulosCalibracao.h"
#include "NumberFormat.h"
#include "ScriptedDialogs.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBRecords.h"

namespace zv::test {

// Ring j (1-based) sees radius a_j + b_j·ρ: the line the sphere files are made from.
inline double LinhaA(int j) {
  return 1.0 + 0.01 * j;
}
inline double LinhaB(int j) {
  return 0.02 + 0.0005 * j;
}
// The ring radii in pixels of a sphere of radius `raio`, exactly on the lines above.
inline std::vector<double> AneisSobreALinha(double raio, int aneis) {
  std::vector<double> rho;
  for (int j = 1; j <= aneis; ++j) rho.push_back((raio - LinhaA(j)) / LinhaB(j));
  return rho;
}
inline std::string TextoEsfera(const std::string& raio, const std::vector<double>& rho,
                               char separador = '.') {
  std::vector<std::string> linhas{raio};
  for (double r : rho) linhas.push_back(FormatFloat("0.000000", r));
  for (auto& l : linhas)
    for (char& c : l)
      if (c == '.' || c == ',') c = separador;
  return EncodeLines(linhas);
}

class FakeModulos : public ModulosCalibracao {
 public:
  bool capturaCarrega = true, processamentoCarrega = true;
  std::string imagem = "BM-a-sphere-picture";
  int resultado = 1;
  int aneis = 32;
  // The sphere file the processing module returns for a radius text.
  std::function<std::string(const std::string&)> mede = [this](const std::string& raio) {
    // The module writes its numbers with the separator of the radius text it was given.
    return TextoEsfera(raio, AneisSobreALinha(StrToFloat(raio), aneis),
                       raio.find(',') != std::string::npos ? ',' : '.');
  };
  std::vector<std::string> chamadas;

  bool CarregaCaptura(const std::string&) override {
    chamadas.push_back("CarregaCaptura");
    return capturaCarrega;
  }
  void Digitalizar(void*, TZVStream* central, TZVStream*, int modo,
                   const std::string& titulo) override {
    chamadas.push_back("Digitalizar " + IntToStr(modo) + " " + titulo);
    StreamWrite(central, imagem);
  }
  void LiberaCaptura() override { chamadas.push_back("LiberaCaptura"); }
  bool CarregaProcessamento(const std::string&) override {
    chamadas.push_back("CarregaProcessamento");
    return processamentoCarrega;
  }
  int ProcessaEsfera(void*, TZVStream* img, const std::string& raio, TZVStream* out,
                     const TInfosZV&) override {
    chamadas.push_back("ProcessaEsfera " + raio);
    EXPECT_EQ(StreamReadRest(img), imagem);
    if (resultado == 1) StreamWrite(out, mede(raio));
    return resultado;
  }
  void LiberaProcessamento() override { chamadas.push_back("LiberaProcessamento"); }
};

// A demo installation's settings in a temporary directory, loaded, and the records made from
// them for a device of `aneis` rings.
class Instalacao {
 public:
  explicit Instalacao(int aneis = 32, const std::string& tipoCalibrador = "1") {
    std::string ini = ReadFileBytes(SourceDir() + "/assets/Zarvik.ini");
    for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, dir.path());
    const std::string chave = "TIPOCALIBRADOR=1";
    ini.replace(ini.find(chave), chave.size(), "TIPOCALIBRADOR=" + tipoCalibrador);
    WriteFileAtomic(dir / "Zarvik.ini", ini);
    EXPECT_TRUE(settings.LoadAll(1));
    CopySettingsToRecords(settings, records);
    records.Infos.Modelo = 1;
    records.Infos.NumAneis = static_cast<uint8_t>(aneis);
    ForceDirectories(Calib());
  }
  std::string Calib() const { return dir / "Calibração"; }
  std::string Calib(const std::string& nome) const { return Calib() + "/" + nome; }

  TempDir dir;
  ScriptedDialogs settingsDialogs;
  TBIniSettings settings{settingsDialogs, dir.path(), dir / "no-fixed-location"};
  TZVRecords records;
};

}  // namespace zv::test
