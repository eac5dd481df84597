#include "ExportaExame.h"

#include "Errors.h"
#include "TextFile.h"

namespace zv::browser {
namespace {

void AnexaArquivo(std::vector<std::string>& lista, const std::string& caminho) {
  lista.push_back("#");
  for (auto& linha : DecodeLines(ReadFileBytes(caminho))) lista.push_back(std::move(linha));
}

std::string CampoCsv(const std::string& valor) {
  if (valor.find_first_of(",\"\r\n") == std::string::npos) return valor;
  std::string out = "\"";
  for (char c : valor) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::vector<std::string> MontaListaExportacao(const DadosExportacao& d) {
  std::vector<std::string> lista = {d.nomePaciente, d.codigoPaciente, d.rg,    d.olho,
                                    d.data,         d.hora,           d.medico};
  AnexaArquivo(lista, d.arquivoD);
  AnexaArquivo(lista, d.arquivoM);
  AnexaArquivo(lista, d.arquivoA);
  for (int n = 1; n <= 4; ++n)
    AnexaArquivo(lista, d.dirCalibracao + "/" + std::to_string(n) + ".txt");
  AnexaArquivo(lista, d.dirCalibracao + "/Coef.txt");
  return lista;
}

std::string EmbaralhaLinha(const std::string& linha) {
  std::string out = linha.substr(0, kLinhaMaxima);
  for (char& c : out) c = static_cast<char>(static_cast<unsigned char>(c) ^ kChaveExportacao);
  return out;
}

void GravaExp(const std::string& caminho, const std::vector<std::string>& lista) {
  std::string bytes;
  // The lines are cut and scrambled as Windows-1252 bytes, the file's own encoding.
  for (const auto& linha : lista) bytes += EmbaralhaLinha(EncodeLines({linha}, false)) + "\r\n";
  WriteFileAtomic(caminho, bytes);
}

std::vector<std::string> LeExp(const std::string& caminho) {
  const std::string bytes = ReadFileBytes(caminho);
  std::vector<std::string> linhas;
  size_t inicio = 0;
  while (inicio < bytes.size()) {
    size_t fim = bytes.find("\r\n", inicio);
    if (fim == std::string::npos) fim = bytes.size();
    // Scrambling is its own inverse.
    const std::string claro = EmbaralhaLinha(bytes.substr(inicio, fim - inicio));
    auto decod = DecodeLines(claro);
    linhas.push_back(decod.empty() ? std::string() : decod.front());
    inicio = fim + 2;
  }
  return linhas;
}

std::string MontaCsv(const std::vector<std::string>& lista) {
  static const char* const secoes[] = {"d",           "m",           "a",           "calibracao1",
                                       "calibracao2", "calibracao3", "calibracao4", "coef"};
  static const char* const cabecalho[] = {"nome_paciente", "codigo_paciente", "rg", "olho", "data",
                                          "hora",          "medico"};
  std::string csv = "secao,linha,valores\r\n";
  int secao = -1, numero = 0;
  for (size_t i = 0; i < lista.size(); ++i) {
    if (i < 7) {
      csv += std::string("cabecalho,") + cabecalho[i] + "," + CampoCsv(lista[i]) + "\r\n";
      continue;
    }
    if (lista[i] == "#" && secao + 1 < 8) {
      ++secao;
      numero = 0;
      continue;
    }
    csv += std::string(secoes[secao < 0 ? 0 : secao]) + "," + std::to_string(++numero);
    std::string valor;
    for (char c : lista[i] + " ") {
      if (c == ' ' || c == '\t') {
        if (!valor.empty()) csv += "," + CampoCsv(valor);
        valor.clear();
      } else {
        valor += c;
      }
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zv::browser
