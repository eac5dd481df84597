#include "TextoLaudo.h"

#include "NumberFormat.h"

namespace zv::laudo {
namespace {

bool Continuacao(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int Caracteres(std::string_view s) {
  int n = 0;
  for (char c : s) n += !Continuacao(c);
  return n;
}

// Byte offsets of every "#" of the text.
std::vector<size_t> Cerquilhas(std::string_view texto) {
  std::vector<size_t> posicoes;
  for (size_t i = 0; i < texto.size(); ++i)
    if (texto[i] == '#') posicoes.push_back(i);
  return posicoes;
}

std::string F(double v) {
  return FormatFloat("#,##0.00;(#,##0.00)", v);
}

}  // namespace

std::vector<Marcador> Marcadores(std::string_view texto, int maximo) {
  const std::vector<size_t> h = Cerquilhas(texto);
  std::vector<Marcador> out;
  for (int k = 1; k <= maximo && static_cast<size_t>(2 * k) <= h.size(); ++k) {
    const size_t abre = h[2 * k - 2], fecha = h[2 * k - 1];
    out.push_back({k, Caracteres(texto.substr(0, abre)), Caracteres(texto.substr(0, fecha))});
  }
  return out;
}

std::string PreencheMarcador(std::string_view texto, int k, std::string_view frase) {
  const std::vector<size_t> h = Cerquilhas(texto);
  if (k < 1 || static_cast<size_t>(2 * k) > h.size()) return std::string(texto);
  std::string novo(texto.substr(0, h[2 * k - 2] + 1));
  novo += std::to_string(k);
  if (!frase.empty()) novo.append("-").append(frase);
  novo += texto.substr(h[2 * k - 1]);
  return novo;
}

std::string ObrigatoriosVazios(std::string_view texto) {
  const std::vector<size_t> h = Cerquilhas(texto);
  std::string lista;
  for (int k : {2, 4, 5, 8, 10, 11}) {
    if (static_cast<size_t>(2 * k) > h.size()) continue;
    // The phrase is what follows "k-"; an empty placeholder has none.
    std::string_view dentro = texto.substr(h[2 * k - 2] + 1, h[2 * k - 1] - h[2 * k - 2] - 1);
    const size_t hifen = dentro.find('-');
    dentro = hifen == std::string_view::npos ? std::string_view() : dentro.substr(hifen + 1);
    if (Caracteres(dentro) <= 2) lista += std::to_string(k) + " ";
  }
  return lista;
}

std::string FraseOlho(const TIndicesMapa& v, bool tangencial) {
  const char* meio =
      tangencial
          ? " D, #6# no mapa de construção Tangencial. A Ceratometria Simulada Ortogonalmente "
            "Corrigida dos 3 mm centrais da córnea, segundo o mapa de construção tangencial, "
            "revela #7# astigmatismo corneano de "
          : " D, #6# no mapa de construção Axial (ou Sagital, com eixo passando pelo ápice "
            "corneano). A Ceratometria Simulada Ortogonalmente Corrigida dos 3 mm centrais da "
            "córnea, segundo o mapa de construção axial, revela #7# astigmatismo corneano de ";
  return "Astigmatismo #1# #2# e #3# #4#, #5#, com curvatura máxima observada de " + F(v[8]) +
         meio + F(v[4]) + " D @ " + FloatToStr(v[6]) + "º com meridianos de " + F(v[0]) + " D @ " +
         FloatToStr(v[6]) + "º e " + F(v[1]) + " D @ " + FloatToStr(v[7]) + "º.";
}

std::string ItemLaudo(int codigo, const DateTime& data, const DateTime& hora) {
  return "Laudo " + std::to_string(codigo) + " - " + FormatDateTime("dd/MM/yyyy", data) + " " +
         FormatDateTime("HH:mm:ss", hora);
}

int CodigoDoItem(std::string_view item) {
  // From the 7th character up to the space before the first "-".
  const size_t hifen = item.find('-');
  if (item.size() < 7 || hifen == std::string_view::npos || hifen < 8) return -1;
  int codigo = -1;
  if (!TryStrToInt(item.substr(6, hifen - 7), codigo)) return -1;
  return codigo;
}

ArquivoLaudo LeArquivoLaudo(const std::vector<std::string>& linhas) {
  ArquivoLaudo a;
  size_t i = 0;
  for (int caixa = 0; caixa < 5; ++caixa) {
    bool fechou = false;
    for (; i < linhas.size(); ++i) {
      const std::string& l = linhas[i];
      if (l == "@" || (caixa == 4 && l == "*")) {
        fechou = true;
        ++i;
        break;
      }
      a.caixas[caixa] += " " + l;
    }
    if (!fechou) a.completo = false;
    if (caixa == 4 && fechou && linhas[i - 1] == "@") a.completo = false;
  }
  if (i < linhas.size()) a.completo = false;  // sections past the comments
  return a;
}

}  // namespace zv::laudo
