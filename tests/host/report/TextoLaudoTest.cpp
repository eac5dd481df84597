// The report's text rules on small texts: placeholders by counting "#", colouring spans,
// mandatory positions, the eye sentence's numbers, list items and the report file read back.
#include <gtest/gtest.h>

#include "TextoLaudo.h"

namespace zv::laudo {
namespace {

TEST(TextoLaudo, FillsThePlaceholderFoundByCountingHashes) {
  struct Caso {
    const char* texto;
    int k;
    const char* frase;
    const char* esperado;
  };
  const Caso casos[] = {
      {"a #1# b #2# c", 2, "leve", "a #1# b #2-leve# c"},
      {"a #1# b #2-leve# c", 2, "grave", "a #1# b #2-grave# c"},
      // An empty phrase restores the empty placeholder.
      {"a #1# b #2-leve# c", 2, "", "a #1# b #2# c"},
      // The number inside is never read: the second pair is position 2 whatever it says.
      {"#9# x #7# y", 2, "ok", "#9# x #2-ok# y"},
      // A phrase with "#" typed earlier moves every later position.
      {"#1-a#b# #2#", 2, "z", "#1-a#b#2-z#2#"},
      // Position beyond the text, or without its closing "#": nothing changes.
      {"#1# #2#", 3, "x", "#1# #2#"},
      {"#1# #2", 2, "x", "#1# #2"},
      {"#1#", 0, "x", "#1#"},
      {"Astigmatismo #1# #2# e", 1, "ã", "Astigmatismo #1-ã# #2# e"},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(PreencheMarcador(c.texto, c.k, c.frase), c.esperado) << c.texto << " k=" << c.k;
}

TEST(TextoLaudo, MarkersAreCountedInCharactersAndStopAtEighteen) {
  // "ção " is 4 characters but 6 bytes: the spans count characters, as the box does.
  const auto m = Marcadores("ção #1# é #2-ok# #3");
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].numero, 1);
  EXPECT_EQ(m[0].abre, 4);
  EXPECT_EQ(m[0].fecha, 6);
  EXPECT_EQ(m[1].abre, 10);
  EXPECT_EQ(m[1].fecha, 15);

  std::string longo;
  for (int k = 1; k <= 20; ++k) longo += "#" + std::to_string(k) + "# ";
  const auto todos = Marcadores(longo);
  ASSERT_EQ(todos.size(), 18u);  // 19 and 20 are never coloured
  EXPECT_EQ(todos.back().numero, 18);
}

TEST(TextoLaudo, MandatoryPositionsWithoutARealPhrase) {
  std::string texto;
  for (int k = 1; k <= 12; ++k) texto += "#" + std::to_string(k) + "# ";
  EXPECT_EQ(ObrigatoriosVazios(texto), "2 4 5 8 10 11 ");
  struct Caso {
    int k;
    const char* frase;
    bool preenchido;
  };
  auto lista = [&](int k, const char* frase) {
    return " " + ObrigatoriosVazios(PreencheMarcador(texto, k, frase));
  };
  for (const Caso& c : {Caso{4, "leve", true}, Caso{4, "ab", false}, Caso{4, "a", false},
                        Caso{10, "abc", true}, Caso{11, "", false}}) {
    const bool listado =
        lista(c.k, c.frase).find(" " + std::to_string(c.k) + " ") != std::string::npos;
    EXPECT_EQ(listado, !c.preenchido) << c.k << " " << c.frase;
  }
  // Positions the box does not have are not asked for (an eye without exam).
  EXPECT_EQ(ObrigatoriosVazios(""), "");
  EXPECT_EQ(ObrigatoriosVazios("#1# #2-bom# #3#"), "");
}

TEST(TextoLaudo, EyeSentenceQuotesTheIndicesWithTheirFormats) {
  //                   0      1      2  3  4      5  6     7    8
  const TIndicesMapa v{44.415, 42.19, 0, 0, -2.225, 0, 30, 120.5, 1234.5};
  const std::string axial = FraseOlho(v, false);
  EXPECT_EQ(axial,
            "Astigmatismo #1# #2# e #3# #4#, #5#, com curvatura máxima observada de 1,234.50 "
            "D, #6# no mapa de construção Axial (ou Sagital, com eixo passando pelo ápice "
            "corneano). A Ceratometria Simulada Ortogonalmente Corrigida dos 3 mm centrais da "
            "córnea, segundo o mapa de construção axial, revela #7# astigmatismo corneano de "
            "(2.23) D @ 30º com meridianos de 44.42 D @ 30º e 42.19 D @ 120.5º.");
  const std::string tangencial = FraseOlho(v, true);
  EXPECT_NE(tangencial.find("D, #6# no mapa de construção Tangencial. A Ceratometria Simulada "
                            "Ortogonalmente Corrigida dos 3 mm centrais da córnea, segundo o "
                            "mapa de construção tangencial, revela #7# astigmatismo corneano de "
                            "(2.23) D @ 30º"),
            std::string::npos);
  EXPECT_EQ(Marcadores(axial).size(), 7u);
}

TEST(TextoLaudo, ListItemGivesBackItsCode) {
  for (int codigo : {1, 12, 40321})
    EXPECT_EQ(CodigoDoItem(ItemLaudo(codigo, {2025, 4, 3}, {1899, 12, 30, 9, 5, 7})), codigo);
  EXPECT_EQ(ItemLaudo(12, {2025, 4, 3}, {1899, 12, 30, 9, 5, 7}), "Laudo 12 - 03/04/2025 09:05:07");
  for (const char* ruim : {"", "Laudo", "Laudo - x", "Laudo ab - 01/01/2020"})
    EXPECT_EQ(CodigoDoItem(ruim), -1) << ruim;
}

TEST(TextoLaudo, ReportFileReadBack) {
  const auto a = LeArquivoLaudo({"ce", "@", "od 1", "od 2", "@", "os", "@", "co", "@", "cm", "*"});
  EXPECT_TRUE(a.completo);
  const std::array<std::string, 5> esperado = {" ce", " od 1 od 2", " os", " co", " cm"};
  EXPECT_EQ(a.caixas, esperado);
  // Empty boxes are empty lines.
  EXPECT_EQ(LeArquivoLaudo({"", "@", "", "@", "", "@", "", "@", "", "*"}).caixas[4], " ");

  const auto truncado = LeArquivoLaudo({"ce", "@", "od"});
  EXPECT_FALSE(truncado.completo);
  EXPECT_EQ(truncado.caixas[1], " od");
  EXPECT_EQ(truncado.caixas[2], "");

  const auto aMais = LeArquivoLaudo({"a", "@", "b", "@", "c", "@", "d", "@", "e", "@", "f", "*"});
  EXPECT_FALSE(aMais.completo);
  EXPECT_EQ(aMais.caixas[4], " e");
}

}  // namespace
}  // namespace zv::laudo
