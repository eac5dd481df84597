#include "CabecalhoExame.h"

#include "NumberFormat.h"

namespace zv {
namespace {

std::string Arredondado(double value) {
  return FormatFloat("0", value);
}

// Lines 0..6 of a stored exam; the patient code is written by the caller's layout.
std::vector<std::string> LinhasPaciente(const ExameArmazenado& exame, std::string codigo) {
  return {exame.nomePaciente, std::move(codigo), exame.rg,    TextoOlho(exame.olho == "OD"),
          exame.data,         exame.hora,        exame.medico};
}

// Lines 0..6 of a new exam: code through "0000", the identity document followed by a space.
std::vector<std::string> LinhasNovoExame(const NovoExame& exame) {
  return {exame.nomePaciente,
          FormatFloat("0000", exame.codigoPaciente),
          exame.rg + " ",
          TextoOlho(exame.olho != 0),
          FormatDateTime("dd/MM/yyyy", exame.quando),
          FormatDateTime("HH:mm:ss", exame.quando),
          exame.medico};
}

}  // namespace

std::string TextoOlho(bool direito) {
  return direito ? "Olho Direito" : "Olho Esquerdo";
}

std::vector<std::string> CabecalhoMapaSimples(const ExameArmazenado& exame) {
  auto lines = LinhasPaciente(exame, FormatFloat("0000", exame.codigoPaciente));
  lines.push_back(FormatFloat("0000", exame.codigoExame));
  lines.push_back(Arredondado(exame.indiceConfianca));
  return lines;
}

std::vector<std::string> CabecalhoMultiMapa(const ExameArmazenado& exame) {
  auto lines = LinhasPaciente(exame, IntToStr(exame.codigoPaciente));
  lines.push_back(FloatToStr(exame.indiceConfianca));
  return lines;
}

std::vector<std::string> CabecalhoExemplo(const std::string& nomeExemplo) {
  return {nomeExemplo, "0", "0", "Exemplo", "01/01/01", "00:00:00", "Médico Teste"};
}

std::vector<std::string> CabecalhoNovoExame(const NovoExame& exame, double indiceConfianca) {
  auto lines = LinhasNovoExame(exame);
  const std::string indice = Arredondado(indiceConfianca);
  lines.insert(lines.end(), {"0", indice, exame.dirBancoDados, indice, exame.dirBancoDados});
  return lines;
}

std::array<std::vector<std::string>, 4> CabecalhosNovoExameOrto(
    const NovoExame& exame, const std::array<double, 4>& indicesConfianca) {
  std::array<std::vector<std::string>, 4> headers;
  for (size_t i = 0; i < headers.size(); ++i) {
    headers[i] = LinhasNovoExame(exame);
    headers[i].push_back(Arredondado(indicesConfianca[i]));
    headers[i].push_back(exame.dirBancoDados);
  }
  return headers;
}

}  // namespace zv
