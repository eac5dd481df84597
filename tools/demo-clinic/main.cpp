// zarvik-demo-data: the clinic data of a demo installation, made by photographing model eyes
// with the simulated camera and processing them as the workstation does.
//   zarvik-demo-data clinica DIR    two doctors, six patients and their exams into the database
//                                   and exam directory of DIR/Zarvik.ini; a database that
//                                   already holds a patient is left as it is
//   zarvik-demo-data exemplos DIR   the example groups missing from the examples directory
// DIR is the installation: its own settings file is read, never a machine-wide one.
#include <unistd.h>

#include <QDate>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "ClinicaDemo.h"
#include "ExemplosDemo.h"
#include "SimulatedCalibration.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBRecords.h"
#include "UfrmDataModule.h"
#include "UnattendedDialogs.h"

namespace {

int Uso() {
  std::fprintf(stderr, "uso: zarvik-demo-data clinica|exemplos DIRETORIO_DA_INSTALACAO\n");
  return 2;
}

std::string Texto(const char* s) {
  return s ? s : "";
}

struct Falha {
  std::string texto;
};

// The settings of the installation in `dir`, as the workstation copies them at start-up.
void LeConfiguracao(const std::string& dir, zv::TZVRecords& records) {
  zv::UnattendedDialogs dialogos;
  // The installation's directory serves as the fixed location too, so that the settings of
  // an installed workstation never stand in for the demo's.
  zv::TBIniSettings settings(dialogos, dir, dir);
  if (!settings.LoadAll(1)) throw Falha{dir + ": Zarvik.ini não encontrado"};
  zv::CopySettingsToRecords(settings, records);
  for (const char* d : {records.Paths.DirExames, records.Paths.DirExemplos})
    if (!std::filesystem::path(Texto(d)).is_absolute())
      throw Falha{dir + "/Zarvik.ini: diretório inválido \"" + Texto(d) + "\""};
}

int Clinica(const zv::TZVRecords& r) {
  const std::string coef = Texto(r.Paths.DirCalibracao) + "Coef.txt";
  if (!zv::FileExists(coef)) throw Falha{coef + ": calibração não encontrada"};
  zv::UnattendedDialogs dialogos;
  zv::data::TDMPrincipal dm(dialogos);
  const std::string banco = zv::JoinPath(Texto(r.Paths.DirBancoDados), "DATABASE.GDB");
  if (!dm.PSetDataBaseName(banco)) throw Falha{banco + ": " + dialogos.Last()};
  const QDate hoje = QDate::currentDate();
  const zv::demo::DestinoClinica destino{.dirExames = Texto(r.Paths.DirExames),
                                         .coef = coef,
                                         .tipoCone = Texto(r.Infos.TipoCone),
                                         .qualidadeJpeg = r.Infos.QualidadeImagem,
                                         .hoje = {hoje.year(), hoje.month(), hoje.day()}};
  const bool preenchida = zv::demo::PreencheClinica(dm, destino);
  dm.PDesconectionDataBase();
  std::printf(preenchida ? "Clínica de demonstração gravada em %s\n"
                         : "%s já tem pacientes: nada foi alterado\n",
              banco.c_str());
  return 0;
}

int Exemplos(const zv::TZVRecords& r) {
  const std::string dir = Texto(r.Paths.DirExemplos);
  const auto faltando = zv::demo::ExemplosFaltando(dir);
  if (!faltando.empty()) {
    // The examples are 16-ring exams: a calibration of the 16-ring target, made for them alone.
    zv::ForceDirectories(dir);
    const std::filesystem::path temporario =
        std::filesystem::temp_directory_path() / ("zarvik-demo-coef16-" + std::to_string(getpid()));
    std::filesystem::create_directories(temporario);
    try {
      const std::string coef16 = (temporario / "Coef.txt").string();
      zv::WriteSimulatedCalibration(coef16, zv::demo::kAneisExemplos);
      zv::demo::GravaExemplos(dir, faltando, coef16);
    } catch (...) {
      std::filesystem::remove_all(temporario);
      throw;
    }
    std::filesystem::remove_all(temporario);
  }
  std::printf("%zu exemplos gravados em %s\n", faltando.size(), dir.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Uso();
  const std::string modo = argv[1];
  if (modo != "clinica" && modo != "exemplos") return Uso();
  try {
    zv::TZVRecords records;
    LeConfiguracao(std::filesystem::absolute(argv[2]).string(), records);
    return modo == "clinica" ? Clinica(records) : Exemplos(records);
  } catch (const Falha& f) {
    std::fprintf(stderr, "zarvik-demo-data: %s\n", f.texto.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarvik-demo-data: %s\n", e.what());
  }
  return 1;
}
