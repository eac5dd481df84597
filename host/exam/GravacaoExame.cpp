#include "GravacaoExame.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <thread>

#include "Errors.h"
#include "NumberFormat.h"
#include "Streams.h"
#include "UBArquivosExame.h"
#include "UDArquivos.h"
#include "UDExames.h"
#include "UDPacientes.h"

namespace zv::exam {
namespace {

constexpr int kTentativas = 200;

// Another workstation holds a row this save needs (engine codes lock_conflict, deadlock,
// update_conflict).
bool ConflitoDeBloqueio(const fb::DatabaseError& e) {
  return e.SqlCode() == -913 || e.GdsCode() == 335544345L || e.GdsCode() == 335544336L ||
         e.GdsCode() == 335544451L;
}

int CodigoDoMedico(data::TDMPrincipal& dm, const std::string& nome) {
  auto& q = dm.Operation("SELECT * FROM Medicos WHERE Nome=:NomeMedico");
  q.SetParam("NomeMedico", nome);
  q.Open();
  const int codigo = q.Eof() ? 0 : static_cast<int>(q.FieldByName("Codigo").AsInteger());
  q.Close();
  if (codigo == 0) throw std::runtime_error("Médico não cadastrado: " + nome);
  return codigo;
}

// Locks the patient's row until the transaction ends and reads its count of exams.
int TotalExamesBloqueado(data::TDMPrincipal& dm, int paciente) {
  auto& q = dm.Operation("SELECT TotalExames FROM Pacientes WHERE Codigo = :Codigo WITH LOCK");
  q.SetParam("Codigo", paciente);
  q.Open();
  if (q.Eof()) throw std::runtime_error("Paciente não cadastrado: " + std::to_string(paciente));
  const auto& total = q.FieldByName("TotalExames");
  const int valor = total.IsNull() ? 0 : static_cast<int>(total.AsInteger());
  q.Close();
  return valor;
}

// The code of the exam row this transaction has just inserted.  The row version names the
// transaction that wrote it, so a row of the same patient, doctor and second stored by
// another workstation can never match.
int CodigoDoExameInserido(data::TDMPrincipal& dm, int paciente, int medico,
                          const DateTime& quando) {
  auto& q = dm.Operation(
      "SELECT Codigo FROM Exames WHERE Exames.CodPaciente = :CodPac AND Exames.CodResp = "
      ":CodMed AND Exames.Data = :Data AND Exames.Hora = :Hora AND RDB$RECORD_VERSION = "
      "CURRENT_TRANSACTION ORDER BY Codigo DESC");
  q.SetParam("CodPac", paciente);
  q.SetParam("CodMed", medico);
  q.SetParam("Data", fb::SqlDate{quando});
  q.SetParam("Hora", fb::SqlTime{quando});
  q.Open();
  if (q.Eof()) throw std::runtime_error("O exame inserido não foi encontrado.");
  const int codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
  q.Close();
  return codigo;
}

double Arredonda4(double valor) {
  return StrToFloat(FormatFloat("#0.0000", valor));
}

ResultadoGravacao UmaTentativa(data::TDMPrincipal& dm, const DadosGravacao& dados,
                               const std::vector<ExameGravar>& exames,
                               const std::function<void()>& pausa, std::vector<int>& escritos) {
  data::TransacaoUnica transacao(dm);
  data::TDExames tabelaExames(dm);
  ResultadoGravacao resultado;
  const int medico = CodigoDoMedico(dm, dados.medico);
  const int total = TotalExamesBloqueado(dm, dados.codPaciente);
  for (std::size_t i = 0; i < exames.size(); ++i) {
    if (i > 0 && pausa) pausa();
    const ExameGravar& exame = exames[i];
    DateTime quando = dados.agora();
    quando.msec = 0;
    tabelaExames.InsereExame(dados.codPaciente, medico, quando, quando, dados.olho,
                             exame.indiceConfianca, dados.tipoExame, "", dados.diagnostico,
                             dados.observacoes, dados.numAneis, dados.tipoCone);
    const int codigo = CodigoDoExameInserido(dm, dados.codPaciente, medico, quando);
    if (exame.valoresOrto) {
      const auto& [div, raio, sag] = *exame.valoresOrto;
      tabelaExames.InsereExameOrto(codigo, Arredonda4(div), 0, Arredonda4(raio), Arredonda4(sag));
    }
    escritos.push_back(codigo);
    if (exame.gravaArquivos) exame.gravaArquivos(codigo);
    if (exame.imagens) {
      try {
        MemoryStream central(exame.imagens->first), lateral(exame.imagens->second);
        data::TDArquivos(dm).InsereImagens(codigo, central.Handle(), lateral.Handle());
      } catch (const fb::DatabaseError& e) {
        if (ConflitoDeBloqueio(e)) throw;
        resultado.imagensGravadas = false;  // the exam is whole without its pictures
      }
    }
    resultado.codigos.push_back(codigo);
    resultado.ultimo = quando;
  }
  data::TDPacientes(dm).AtualizaExamesPaciente(dados.codPaciente,
                                               TextoUltimoExame(dados.olho, resultado.ultimo),
                                               total + static_cast<int>(exames.size()));
  transacao.Confirma();
  return resultado;
}

}  // namespace

std::string TextoUltimoExame(const std::string& olho, const DateTime& quando) {
  return olho + " " + FormatDateTime("dd/MM/yyyy", quando) + " " +
         FormatDateTime("HH:mm:ss", quando);
}

void RemoveArquivosExame(const std::string& dirExames, int paciente, int codigo) {
  std::error_code ignorado;
  for (char letra : {'d', 'm', 'a'})
    std::filesystem::remove(CaminhoArquivoExame(dirExames, paciente, codigo, letra), ignorado);
}

std::vector<ExameGravar> ExamesOrto(const DadosGravacao& dados, const ResultadoOrto& resultado) {
  const auto& valores = resultado.valores;
  if (valores.size() < 16) throw IoError("Valores de ortoceratologia incompletos.");
  std::vector<ExameGravar> exames(4);
  for (int i = 0; i < 4; ++i) {
    const double sag = ToFloat(valores[4 * i]), div = ToFloat(valores[4 * i + 1]),
                 r0 = ToFloat(valores[4 * i + 2]);
    exames[i].indiceConfianca = resultado.indices[i];
    exames[i].valoresOrto = std::array<double, 3>{div, r0, sag};
    exames[i].gravaArquivos = [&resultado, dir = dados.dirExames, paciente = dados.codPaciente,
                               aneis = dados.numAneis, i](int codigo) {
      std::filesystem::create_directories(std::filesystem::path(dir) / std::to_string(paciente));
      GravaExameOrto(dir, paciente, codigo, i + 1, resultado.pixels, resultado.dioptrias, aneis);
    };
  }
  return exames;
}

ResultadoGravacao GravaExames(data::TDMPrincipal& dm, const DadosGravacao& dados,
                              const std::vector<ExameGravar>& exames,
                              const std::function<void()>& pausa) {
  std::minstd_rand sorteio(std::random_device{}());
  for (int tentativa = 1;; ++tentativa) {
    std::vector<int> escritos;
    try {
      return UmaTentativa(dm, dados, exames, pausa, escritos);
    } catch (const fb::DatabaseError& e) {
      for (int codigo : escritos) RemoveArquivosExame(dados.dirExames, dados.codPaciente, codigo);
      if (!ConflitoDeBloqueio(e) || tentativa == kTentativas) throw;
    } catch (...) {
      for (int codigo : escritos) RemoveArquivosExame(dados.dirExames, dados.codPaciente, codigo);
      throw;
    }
    // The other workstation's save takes a few milliseconds: wait a little and repeat.
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + sorteio() % 40));
  }
}

}  // namespace zv::exam
