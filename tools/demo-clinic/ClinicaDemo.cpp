#include "ClinicaDemo.h"

#include <QDate>
#include <algorithm>
#include <vector>

#include "Errors.h"
#include "GravacaoExame.h"
#include "ImagemStream.h"
#include "OlhoSimulado.h"
#include "Streams.h"
#include "UBArquivosExame.h"
#include "UBJpeg.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::demo {
namespace {

using captura::ModeloOlho;

constexpr int kAneis = 32;
constexpr const char* kMarilia = "Dra. Marília Conceição Araújo";
constexpr const char* kJoao = "Dr. João Sebastião Falcão";

const std::vector<data::DadosMedico>& Medicos() {
  static const std::vector<data::DadosMedico> medicos = {
      {.nome = kMarilia,
       .rg = "23.456.789-0",
       .cpf = "12345678909",
       .crm = "CRM-SP 104233",
       .sexo = "F",
       .estadoCivil = "C",
       .dataNascimento = "14/03/1971",
       .naturalidade = "Campinas",
       .naturalidadeEstado = "SP",
       .rua = "Rua das Acácias, 100",
       .complemento = "Sala 12",
       .bairro = "Jardim Paulista",
       .cidade = "São Paulo",
       .estado = "SP",
       .cep = "01409-000",
       .fone = "1155550101",
       .celular = "11955550101"},
      {.nome = kJoao,
       .rg = "12.345.678-9",
       .cpf = "98765432100",
       .crm = "CRM-SP 87514",
       .sexo = "M",
       .estadoCivil = "S",
       .dataNascimento = "02/09/1980",
       .naturalidade = "Recife",
       .naturalidadeEstado = "PE",
       .rua = "Rua das Acácias, 100",
       .complemento = "Sala 14",
       .bairro = "Jardim Paulista",
       .cidade = "São Paulo",
       .estado = "SP",
       .cep = "01409-000",
       .fone = "1155550102",
       .celular = "11955550102"},
  };
  return medicos;
}

data::DadosPaciente Paciente(const char* nome, const char* sexo, const char* nascimento,
                             const char* rg, const char* convenio, const char* profissao) {
  return {.nome = nome,
          .rg = rg,
          .sexo = sexo,
          .estadoCivil = "S",
          .dataNascimento = nascimento,
          .naturalidade = "São Paulo",
          .naturalidadeEstado = "SP",
          .rua = "Av. Paulista, 1500",
          .bairro = "Bela Vista",
          .cidade = "São Paulo",
          .estado = "SP",
          .cep = "01310-200",
          .fone = "1155550150",
          .convenio = convenio,
          .profissao = profissao};
}

const std::vector<data::DadosPaciente>& Pacientes() {
  static const std::vector<data::DadosPaciente> pacientes = {
      Paciente("Ana Luíza Gonçalves", "F", "21/07/1988", "34.567.890-1", "Unimed", "Arquiteta"),
      Paciente("José D'Ávila Júnior", "M", "05/11/1975", "45.678.901-2", "Bradesco Saúde",
               "Engenheiro"),
      Paciente("Márcia Regina Conceição", "F", "30/01/1999", "56.789.012-3", "SulAmérica",
               "Estudante"),
      Paciente("Luís Otávio Brandão", "M", "12/04/2011", "67.890.123-4", "Particular", "Estudante"),
      Paciente("Beatriz Helena Magalhães", "F", "08/08/1962", "78.901.234-5", "Amil", "Professora"),
      Paciente("Sérgio Antônio Ribeiro", "M", "17/12/1954", "89.012.345-6", "Unimed", "Aposentado"),
  };
  return pacientes;
}

// The patient's keratoconus: a cone low and to the side of the centre, of the given height.
ModeloOlho Cone(double x, double y, double altura) {
  return OlhoCeratocone(7.55, x, y, 1.5, altura);
}

// One eye examined at one visit; an orthokeratology visit stores the four exams of its series.
struct Visita {
  int paciente;  // index into Pacientes()
  const char* medico;
  int diasAtras, hora, minuto;
  const char* olho;  // "OD" or "OS"
  ModeloOlho modelo;
  bool orto = false;
  const char* diagnostico = "";
  const char* observacoes = "";
};

// The visits in the order they happened, so that each patient's latest exam is stored last.
std::vector<Visita> Visitas() {
  return {
      {0, kMarilia, 210, 9, 10, "OD", OlhoNormal(7.78, -0.22), false, "Córnea normal.",
       "Consulta de rotina."},
      {0, kMarilia, 210, 9, 14, "OS", OlhoNormal(7.82, -0.25), false, "Córnea normal."},
      {2, kJoao, 185, 14, 30, "OD", Cone(0.5, -0.9, 0.018), false,
       "Ceratocone inferior, estágio inicial.", "Encaminhada para avaliação de crosslinking."},
      {2, kJoao, 185, 14, 35, "OS", Cone(-0.4, -0.8, 0.012), false, "Suspeita de ceratocone."},
      {1, kMarilia, 150, 10, 45, "OD", OlhoTorico(7.98, 7.62, 90), false,
       "Astigmatismo regular a favor da regra."},
      {1, kMarilia, 150, 10, 50, "OS", OlhoTorico(7.95, 7.65, 85), false,
       "Astigmatismo regular a favor da regra."},
      {3, kJoao, 120, 16, 0, "OD", OlhoNormal(7.75, -0.2), false, "Miopia baixa.",
       "Candidato a ortoceratologia."},
      {4, kMarilia, 95, 11, 20, "OD", OlhoTorico(7.72, 7.48, 180), false,
       "Astigmatismo contra a regra."},
      {4, kMarilia, 95, 11, 24, "OS", OlhoTorico(7.70, 7.50, 175), false,
       "Astigmatismo contra a regra."},
      {3, kJoao, 60, 16, 15, "OD", OlhoNormal(7.75, -0.2), true, "Ortoceratologia: acompanhamento.",
       "Lente de geometria reversa, uso noturno."},
      {2, kJoao, 35, 15, 5, "OD", Cone(0.5, -0.9, 0.024), false,
       "Ceratocone inferior em progressão.", "Comparar com o exame anterior."},
      {0, kMarilia, 21, 8, 40, "OD", OlhoNormal(7.79, -0.22), false, "Córnea normal."},
      {0, kMarilia, 21, 8, 44, "OS", OlhoNormal(7.82, -0.24), false, "Córnea normal."},
      {5, kJoao, 9, 13, 30, "OD", OlhoNormal(7.65, -0.12), false, "Pré-operatório de catarata."},
      {5, kJoao, 9, 13, 34, "OS", OlhoNormal(7.70, -0.15), false, "Pré-operatório de catarata."},
  };
}

DateTime DiasAntes(const DateTime& hoje, int dias, int hora, int minuto) {
  const QDate d = QDate(hoje.year, hoje.month, hoje.day).addDays(-dias);
  return {d.year(), d.month(), d.day(), hora, minuto, 0, 0};
}

std::string Jpeg(const QImage& imagem, int qualidade) {
  MemoryStream bitmap;
  if (!GravaBitmap(bitmap.Handle(), imagem)) throw IoError("Imagem não codificada.");
  return data::TBJpeg::ComprimeJpeg(bitmap.Handle(), qualidade);
}

void GravaVisita(data::TDMPrincipal& dm, const DestinoClinica& destino, const Visita& v,
                 int codPaciente) {
  exam::DadosGravacao dados;
  dados.codPaciente = codPaciente;
  dados.medico = v.medico;
  dados.olho = v.olho;
  dados.diagnostico = v.diagnostico;
  dados.observacoes = v.observacoes;
  dados.numAneis = kAneis;
  dados.tipoCone = destino.tipoCone;
  dados.dirExames = destino.dirExames;
  // The exams of one save a second apart, as the window stores them.
  dados.agora = [quando = DiasAntes(destino.hoje, v.diasAtras, v.hora, v.minuto)]() mutable {
    DateTime agora = quando;
    ++quando.second;
    return agora;
  };
  if (v.orto) {
    dados.tipoExame = "O";
    const exam::ResultadoOrto resultado = ExaminaSerieOrto(v.modelo, kAneis, destino.coef);
    exam::GravaExames(dm, dados, exam::ExamesOrto(dados, resultado));
    return;
  }
  const auto exame = Examina(v.modelo, kAneis, destino.coef);
  exam::ExameGravar gravar;
  gravar.indiceConfianca = exame->indice;
  gravar.gravaArquivos = [&](int codigo) {
    GravaArquivosExame(PrefixoArquivosExame(dados.dirExames, codPaciente, codigo), exame->dioptrias,
                       exame->pixels, exame->aneis, exame->centroX, exame->centroY, exame->pupila,
                       kAneis);
  };
  gravar.imagens = std::pair{Jpeg(exame->central, destino.qualidadeJpeg),
                             Jpeg(exame->lateral, destino.qualidadeJpeg)};
  exam::GravaExames(dm, dados, {gravar});
}

// The day a patient was registered: the day of the first visit.
DateTime Cadastro(const DestinoClinica& destino, int paciente) {
  int dias = 0;
  for (const Visita& v : Visitas())
    if (v.paciente == paciente) dias = std::max(dias, v.diasAtras);
  return DiasAntes(destino.hoje, dias, 0, 0);
}

}  // namespace

bool PreencheClinica(data::TDMPrincipal& dm, const DestinoClinica& destino) {
  data::TDPacientes pacientes(dm);
  if (pacientes.ContaPacientes() > 0) return false;
  data::TDMedicos medicos(dm);
  for (const auto& m : Medicos())
    if (medicos.CodigoDoMedico(m.nome) == 0) medicos.InsereMedico(m);
  std::vector<int> codigos;
  for (std::size_t i = 0; i < Pacientes().size(); ++i) {
    const auto& p = Pacientes()[i];
    pacientes.InserePaciente(p, Cadastro(destino, static_cast<int>(i)), 0);
    codigos.push_back(pacientes.CodigoDoPaciente(p.nome));
  }
  for (const Visita& v : Visitas())
    GravaVisita(dm, destino, v, codigos[static_cast<std::size_t>(v.paciente)]);
  return true;
}

}  // namespace zv::demo
