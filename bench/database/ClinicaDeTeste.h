// A clinic-sized database for the benchmarks: 10 doctors, 10 000 patients and 100 000 exams
// (10 a patient), nine in ten exams already backed up.  Exam e (0..9) of patient p is dated
// 2016 + e / 1 + p % 12 / 1 + p % 28 at 8 + e : p % 60, right eye for even e, by doctor
// 1 + (p + e) % 10.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "FbDatabase.h"

namespace zv::bench {

using zv::DateTime;
using zv::fb::Dataset;
using zv::fb::SqlDate;
using zv::fb::SqlTime;

inline constexpr int kDoctors = 10, kPatients = 10000, kExamsPerPatient = 10;

inline const char* const kFirst[] = {"Ana",    "Bruno",    "Carla",   "Daniel",  "Eduarda",
                                     "Fábio",  "Gabriela", "Heitor",  "Isabela", "João",
                                     "Karina", "Lucas",    "Mariana", "Nelson",  "Otávio",
                                     "Paula",  "Renato",   "Sílvia",  "Tiago",   "Vânia"};
inline const char* const kLast[] = {"Silva",   "Souza",     "Oliveira", "Santos",    "Pereira",
                                    "Lima",    "Carvalho",  "Ferreira", "Rodrigues", "Almeida",
                                    "Costa",   "Gomes",     "Martins",  "Araújo",    "Barbosa",
                                    "Ribeiro", "Conceição", "Rocha"};

// A directory of its own for one benchmark run: the database's name in it and the embedded
// engine's lock directory (unless FIREBIRD_LOCK is set); removed at the end unless ZV_BENCH_KEEP
// is set.
class BenchDirectory {
 public:
  explicit BenchDirectory(const std::string& prefix)
      : dir_(std::filesystem::temp_directory_path() / (prefix + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
    if (!std::getenv("FIREBIRD_LOCK")) setenv("FIREBIRD_LOCK", (dir_ / "lock").c_str(), 1);
  }
  ~BenchDirectory() {
    if (std::getenv("ZV_BENCH_KEEP"))
      std::fprintf(stderr, "database kept: %s\n", DatabaseName().c_str());
    else
      std::filesystem::remove_all(dir_);
  }
  BenchDirectory(const BenchDirectory&) = delete;
  BenchDirectory& operator=(const BenchDirectory&) = delete;
  std::string DatabaseName() const { return (dir_ / "DATABASE.GDB").string(); }

 private:
  std::filesystem::path dir_;
};

inline void Fill(zv::fb::Attachment& a) {
  std::mt19937 rng(42);
  auto pick = [&](const auto& list) { return std::string(list[rng() % std::size(list)]); };
  a.StartTransaction();
  Dataset medico(a,
                 "Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,"
                 ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,"
                 ":Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular");
  for (int i = 1; i <= kDoctors; ++i) {
    medico.SetParam("Nome", "Dr. " + pick(kFirst) + " " + pick(kLast) + " " + std::to_string(i));
    medico.ExecSQL();
  }
  Dataset paciente(a,
                   "Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,"
                   ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,"
                   ":Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular,:Convenio,"
                   ":Profissao,:TipoSang,:DtCadastro,:TotalExames");
  Dataset exame(a,
                "Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,"
                ":IndConf,:TipoExame,:Backup,:Diag,:Observacao,:NumAneis,:TipoCone");
  for (int p = 1; p <= kPatients; ++p) {
    paciente.SetParam("Nome", pick(kFirst) + " " + pick(kLast) + " " + pick(kLast));
    paciente.SetParam("Rg", std::to_string(10000000 + p));
    paciente.SetParam("Convenio", "Particular");
    paciente.SetParam("DtCadastro", SqlDate{DateTime{2015 + p % 10, 1 + p % 12, 1 + p % 28}});
    paciente.SetParam("TotalExames", kExamsPerPatient);
    paciente.ExecSQL();
    for (int e = 0; e < kExamsPerPatient; ++e) {
      exame.SetParam("CodPaciente", p);
      exame.SetParam("CodResp", 1 + (p + e) % kDoctors);
      exame.SetParam("Data", SqlDate{DateTime{2016 + e, 1 + p % 12, 1 + p % 28}});
      exame.SetParam("Hora", SqlTime{DateTime{1899, 12, 30, 8 + e, p % 60, 0}});
      exame.SetParam("Olho", e % 2 ? "OS" : "OD");
      exame.SetParam("IndConf", 90.0 + e);
      exame.SetParam("TipoExame", "T");
      exame.SetParam("Backup", e == kExamsPerPatient - 1 ? "" : "BK0001");
      exame.SetParam("Diag", "Astigmatismo regular");
      exame.SetParam("NumAneis", 32);
      exame.SetParam("TipoCone", "2");
      exame.ExecSQL();
    }
  }
  a.Commit();
}

}  // namespace zv::bench
