#include "UBArquivosExame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "Errors.h"
#include "NumberFormat.h"
#include "Text1252.h"
#include "TextFile.h"

namespace zv {
namespace {

std::string DiretorioPaciente(const std::string& root, const std::string& paciente) {
  return JoinPath(root, paciente);
}

// The lines of a ring-table file.  A value whose text the reader refuses (no number, or out of
// range once rounded) would make the exam impossible to open again: such a table is refused
// before anything is written.
std::vector<std::string> LinhasTabela(const std::string& path, const TMatrizAngAnel& tabela,
                                      int numAneis) {
  const int last = std::clamp(numAneis, 0, kColunasTabela - 1);
  for (size_t row = 0; row < kMeridianos; ++row)
    for (int column = 0; column <= last; ++column) {
      const std::string texto = FormatFloat("00.00", tabela[row][column]);
      try {
        LeValorTabela(texto);
      } catch (const ConvertError&) {
        throw ConvertError("\"" + path + "\": valor inválido no meridiano " +
                           IntToStr(static_cast<long long>(row + 1)) + ", anel " +
                           IntToStr(column) + ": " + texto);
      }
    }
  std::vector<std::string> lines;
  lines.reserve(kMeridianos);
  for (const auto& linha : tabela) lines.push_back(LinhaTabelaAneis(linha, numAneis));
  return lines;
}

// The header's lines.  A centre that is no number or a ring count outside the table's 0..32
// would be written as text the exam loader refuses, and the exam could never be opened again:
// such a header is refused before anything is written.
std::vector<std::string> LinhasCabecalho(const TMatrizAng& aneis, double centroX, double centroY,
                                         const TPupila& pupila) {
  if (!std::isfinite(centroX) || !std::isfinite(centroY))
    throw ConvertError("Centro inválido no cabeçalho do exame: " + FloatToStr(centroX) + ", " +
                       FloatToStr(centroY));
  for (int meridian = 0; meridian < kMeridianos; ++meridian)
    if (aneis[meridian] < 0 || aneis[meridian] > kColunasTabela - 1)
      throw ConvertError("Número de anéis inválido no meridiano " + IntToStr(meridian + 1) + ": " +
                         IntToStr(aneis[meridian]));
  std::vector<std::string> lines = {FormatFloat("0", centroX), FormatFloat("0", centroY), "@"};
  for (int32_t value : pupila) lines.push_back(IntToStr(value));
  for (int32_t count : aneis) lines.push_back(FormatFloat("0", count));
  return lines;
}

// Lines [first, first + 360) of a module text table.
std::vector<std::string> Bloco(const std::vector<std::string>& tabela, size_t first,
                               const char* nome) {
  if (tabela.size() < first + kMeridianos)
    throw IoError(std::string("A tabela de ") + nome + " tem apenas " +
                  IntToStr(static_cast<long long>(tabela.size())) + " linhas");
  return std::vector<std::string>(
      tabela.begin() + static_cast<std::ptrdiff_t>(first),
      tabela.begin() + static_cast<std::ptrdiff_t>(first) + kMeridianos);
}

// A report section as written: its own line breaks become CR LF.
std::string SecaoLaudo(std::string_view texto) {
  std::string out;
  for (size_t i = 0; i < texto.size(); ++i) {
    if (texto[i] == '\r' || texto[i] == '\n') {
      if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += texto[i];
    }
  }
  return Utf8ToCp1252(out);
}

// Characters, not bytes, of a UTF-8 text.
size_t Caracteres(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool SoDigitos(std::string_view code) {
  return !code.empty() &&
         std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string PrefixoArquivosExame(const std::string& dirExames, int paciente, int exame) {
  return JoinPath(DiretorioPaciente(dirExames, IntToStr(paciente)), IntToStr(exame));
}

std::string CaminhoArquivoExame(const std::string& dirExames, int paciente, int exame, char letra) {
  return PrefixoArquivosExame(dirExames, paciente, exame) + letra + ".txt";
}

std::string CaminhoArquivoLaudo(const std::string& dirLaudos, const std::string& paciente,
                                const std::string& laudo) {
  return JoinPath(DiretorioPaciente(dirLaudos, paciente), laudo + "l.txt");
}

std::string LinhaTabelaAneis(const double (&linha)[kColunasTabela], int numAneis) {
  const int last = std::clamp(numAneis, 0, kColunasTabela - 1);
  std::string out;
  for (int column = 0; column <= last; ++column) {
    out += FormatFloat("00.00", linha[column]);
    out += ' ';
  }
  return out;
}

void GravaTabelaD(const std::string& dirExames, int paciente, int exame,
                  const TMatrizAngAnel& tabela, int numAneis) {
  const std::string path = CaminhoArquivoExame(dirExames, paciente, exame, 'd');
  WriteTextLines(path, LinhasTabela(path, tabela, numAneis));
}

void GravaTabelaM(const std::string& dirExames, int paciente, int exame,
                  const TMatrizAngAnel& tabela, int numAneis) {
  const std::string path = CaminhoArquivoExame(dirExames, paciente, exame, 'm');
  WriteTextLines(path, LinhasTabela(path, tabela, numAneis));
}

void GravaCabecalho(const std::string& dirExames, int paciente, int exame, const TMatrizAng& aneis,
                    double centroX, double centroY, const TPupila& pupila) {
  const auto lines = LinhasCabecalho(aneis, centroX, centroY, pupila);
  WriteTextLines(CaminhoArquivoExame(dirExames, paciente, exame, 'a'), lines);
}

void GravaArquivosExame(const std::string& prefixo, const TMatrizAngAnel& dioptrias,
                        const TMatrizAngAnel& pixels, const TMatrizAng& aneis, double centroX,
                        double centroY, const TPupila& pupila, int numAneis) {
  const auto linhasD = LinhasTabela(prefixo + "d.txt", dioptrias, numAneis);
  const auto linhasM = LinhasTabela(prefixo + "m.txt", pixels, numAneis);
  const auto cabecalho = LinhasCabecalho(aneis, centroX, centroY, pupila);
  ForceDirectories(std::filesystem::path(prefixo).parent_path().string());
  WriteTextLines(prefixo + "d.txt", linhasD);
  WriteTextLines(prefixo + "m.txt", linhasM);
  WriteTextLines(prefixo + "a.txt", cabecalho);
}

void GravaExameOrto(const std::string& dirExames, int paciente, int exame, int imagem,
                    const std::vector<std::string>& tabelaPixels,
                    const std::vector<std::string>& tabelaDioptrias, int numAneis) {
  if (imagem < 1 || imagem > 4) throw IoError("Imagem " + IntToStr(imagem) + " inexistente");
  const size_t first = static_cast<size_t>(imagem - 1) * kMeridianos;
  // Both blocks are checked before anything is written.
  const auto dioptrias = Bloco(tabelaDioptrias, first, "dioptrias");
  const auto pixels = Bloco(tabelaPixels, first, "pixels");
  TMatrizAng aneis;
  std::fill(std::begin(aneis), std::end(aneis), numAneis);
  const TPupila pupila = {0, 0, 0, 0};
  const auto cabecalho = LinhasCabecalho(aneis, 320, 240, pupila);
  WriteTextLines(CaminhoArquivoExame(dirExames, paciente, exame, 'd'), dioptrias);
  WriteTextLines(CaminhoArquivoExame(dirExames, paciente, exame, 'm'), pixels);
  WriteTextLines(CaminhoArquivoExame(dirExames, paciente, exame, 'a'), cabecalho);
}

bool GravaLaudo(const std::string& dirLaudos, const std::string& paciente, const std::string& laudo,
                const std::string& condicoes, const std::string& olhoDireito,
                const std::string& olhoEsquerdo, const std::string& conclusao,
                const std::string& comentarios, Dialogs& dialogs) {
  const std::string path = CaminhoArquivoLaudo(dirLaudos, paciente, laudo);
  std::string bytes;
  for (const std::string* secao : {&condicoes, &olhoDireito, &olhoEsquerdo, &conclusao}) {
    bytes += SecaoLaudo(PreparaTextoLaudo(*secao)) + "\r\n@\r\n";
  }
  bytes += SecaoLaudo(PreparaTextoLaudo(comentarios)) + "\r\n*";
  bool gravado = false;
  try {
    WriteFileAtomic(path, bytes);
    gravado = FileExists(path);
  } catch (const IoError&) {
    // An older report file may still be there: the new text was not saved all the same.
  }
  dialogs.Message(
      gravado ? "Laudo gravado com sucesso." : "Não foi possível gravar o arquivo de laudo.",
      "Informação", MsgIcon::Information);
  return gravado;
}

double LeValorTabela(std::string_view texto) {
  const double valor = ToFloat(texto);
  if (!(std::fabs(valor) < kLimiteValorTabela))
    throw ConvertError("'" + std::string(texto) + "' está fora da faixa de uma tabela de anéis");
  return valor;
}

void LeLinhaTabelaAneis(std::string_view texto, double (&linha)[kColunasTabela]) {
  int column = 0;
  size_t start = 0;
  while (start < texto.size() && column < kColunasTabela) {
    size_t end = texto.find(' ', start);
    if (end == std::string_view::npos) end = texto.size();
    // Runs of spaces separate like one space.
    if (end > start) linha[column++] = LeValorTabela(texto.substr(start, end - start));
    start = end + 1;
  }
}

void LeTabelaAneis(const std::vector<std::string>& linhas, int inicio, TMatrizAngAnel& tabela) {
  TMatrizAngAnel lida = {};
  for (int row = 0; row < kMeridianos; ++row) {
    const long long index = static_cast<long long>(inicio) + 1 + row;
    if (index < 0 || index >= static_cast<long long>(linhas.size()))
      throw ConvertError("Linha " + IntToStr(index + 1) + " da tabela de anéis inexistente");
    try {
      LeLinhaTabelaAneis(linhas[static_cast<size_t>(index)], lida[row]);
    } catch (const ConvertError& e) {
      throw ConvertError("Linha " + IntToStr(index + 1) + " da tabela de anéis: " + e.what());
    }
  }
  std::memcpy(tabela, lida, sizeof lida);
}

std::string AjustaDecimal(std::string_view texto, char separador) {
  std::string out(texto);
  if (out.find(separador) != std::string::npos) return out;
  const char other = separador == ',' ? '.' : ',';
  const auto at = out.find(other);
  if (at != std::string::npos) out[at] = separador;
  return out;
}

double ToFloat(std::string_view texto) {
  return StrToFloat(AjustaDecimal(texto));
}

std::string MaiusculaAcentos(std::string_view texto) {
  // The accented small letters and their capitals, position for position (UTF-8).
  static const std::string_view minusculas[] = {"á", "à", "ã", "â", "ä", "é", "è", "ê",
                                                "ë", "í", "ì", "î", "ï", "ó", "ò", "õ",
                                                "ô", "ö", "ú", "ù", "ü", "û", "ç"};
  static const std::string_view maiusculas[] = {"Á", "À", "Ã", "Â", "Ä", "É", "È", "Ê",
                                                "Ë", "Í", "Ì", "Î", "Ï", "Ó", "Ò", "Õ",
                                                "Ô", "Ö", "Ú", "Ù", "Ü", "Û", "Ç"};
  std::string out;
  out.reserve(texto.size());
  for (size_t i = 0; i < texto.size();) {
    const char c = texto[i];
    if (c >= 'a' && c <= 'z') {
      out += static_cast<char>(c - 'a' + 'A');
      ++i;
      continue;
    }
    bool mapped = false;
    for (size_t k = 0; k < std::size(minusculas) && !mapped; ++k) {
      if (texto.substr(i, minusculas[k].size()) == minusculas[k]) {
        out += maiusculas[k];
        i += minusculas[k].size();
        mapped = true;
      }
    }
    if (!mapped) out += texto[i++];
  }
  return out;
}

std::string PreparaTextoLaudo(std::string_view texto) {
  std::string out;
  size_t i = 0;
  while (i < texto.size()) {
    if (texto[i] != '#') {
      out += texto[i++];
      continue;
    }
    const size_t close = texto.find('#', i + 1);
    if (close == std::string_view::npos) {
      out += texto.substr(i);  // no closing "#": the rest is plain text
      break;
    }
    const std::string_view code = texto.substr(i + 1, close - i - 1);
    const size_t dash = code.find('-');
    const bool longo = Caracteres(code) > 2;
    if (longo && dash != std::string_view::npos) {
      out += code.substr(dash + 1);
    } else if (longo && !SoDigitos(code)) {
      out += texto.substr(i, close - i + 1);  // not a marker: kept as typed
    }
    i = close + 1;
  }
  return out;
}

}  // namespace zv
