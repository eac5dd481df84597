// The report editor on a real database, real exam files and the built map modules: the new
// report's sentences, the phrase tree, filling and colouring, the save question, the saved
// row and file, and opening it again.
#include <gtest/gtest.h>

#include <filesystem>

#include "LaudoFixture.h"
#include "Streams.h"
#include "Text1252.h"
#include "TextFile.h"
#include "TextoLaudo.h"
#include "UBArquivosExame.h"
#include "UBMapOperation.h"
#include "UBMapaDLL.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UnattendedDialogs.h"

namespace zv::test {
namespace {

class Laudo : public ::testing::Test, public LaudoFixture {
 protected:
  // What the module itself returns for an exam, called directly.
  std::array<double, 9> IndicesDoModulo(int exame, const char* modulo) {
    UnattendedDialogs d;
    TBMapOperation mapa(d);
    EXPECT_TRUE(mapa.LoadExam(
        dirs / ("Exames/" + std::to_string(navegador.paciente) + "/" + std::to_string(exame))));
    static TMatrizAngAnel pix, dio;
    TMatrizAng aneis;
    TPupila pupila{};
    mapa.GetPixelTable(pix);
    mapa.GetDioptreTable(dio);
    mapa.GetRingCounts(aneis);
    EXPECT_TRUE(UBMapaDLL::CarregaModulo(dirs / ("Mapas/" + std::string(modulo) + ".so")));
    MemoryStream figura;
    TIndicesMapa v{};
    UBMapaDLL::Visualizar(janela, figura.Handle(), nullptr, 0, 320, 240, &pix, &aneis, &dio,
                          &pupila, &v, 0, Ambiente().infos);
    UBMapaDLL::LiberaModulo();
    std::array<double, 9> out;
    std::copy(std::begin(v), std::end(v), out.begin());
    return out;
  }
  int ContaLaudos() {
    auto& q = m.dm->Operation("SELECT COUNT(*) FROM Laudos");
    q.Open();
    return static_cast<int>(q.FieldByName("COUNT").AsInteger());
  }
};

TEST_F(Laudo, NewReportQuotesEachEyesKeratometryFromItsOwnExam) {
  for (bool tangencial : {false, true}) {
    auto e = NovoEditor();
    ASSERT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, legendaOS, tangencial));
    const char* modulo = tangencial ? "Rusk" : "Pelmo";
    const auto od = IndicesDoModulo(exameOD, modulo);
    const auto os = IndicesDoModulo(exameOS, modulo);
    // The toric's meridians: 44.41 D and 42.19 D, at 30 degrees right and 150 left.
    EXPECT_NEAR(od[0], 44.41, 0.3) << modulo;
    EXPECT_NEAR(od[6], 30, 3) << modulo;
    EXPECT_NEAR(os[6], 150, 3) << modulo;
    EXPECT_EQ(e->view["reOD"].text,
              laudo::FraseOlho(*reinterpret_cast<const TIndicesMapa*>(od.data()), tangencial))
        << modulo;
    EXPECT_EQ(e->view["reOS"].text,
              laudo::FraseOlho(*reinterpret_cast<const TIndicesMapa*>(os.data()), tangencial))
        << modulo;
    EXPECT_EQ(e->view["reCE"].text,
              "Exames realizado em excelentes condições de centralização e focalização.\n"
              "Sem uso de lentes de contato #1# #2# #3#");
    EXPECT_EQ(laudo::Marcadores(e->view["reCO"].text).size(), 16u);
    EXPECT_EQ(e->modelo->ExameOD(), exameOD);
    EXPECT_EQ(e->modelo->ExameOS(), exameOS);
    // Every box is coloured once filled: seven blue placeholders in an eye box.
    ASSERT_EQ(e->tela.cores["reOD"].realces.size(), 7u);
    EXPECT_EQ(e->tela.cores["reOD"].realces[0].cor, TfrmLaudo::kMarcador);
  }
}

TEST_F(Laudo, BothEyesNoneCallsNoModuleAndDisablesTheEyeBoxes) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo("Nenhum", "Nenhum", false));
  EXPECT_TRUE(navegador.selecionados.empty());
  for (const char* c : {"reOD", "reOS", "chkMesmoLau", "lblOlhoDireito", "lblOlhoEsquerdo"})
    EXPECT_FALSE(e->view[c].enabled) << c;
  EXPECT_EQ(e->view["reOD"].text, "");
  EXPECT_EQ(laudo::Marcadores(e->view["reCO"].text).size(), 16u);
  EXPECT_EQ(e->modelo->ExameOD(), -1);
  EXPECT_EQ(e->modelo->ExameOS(), -1);
}

TEST_F(Laudo, NewReportFailures) {
  {  // A label left empty: the editor is not shown.
    auto e = NovoEditor();
    EXPECT_FALSE(e->modelo->GerarNovoLaudo(legendaOD, "", false));
    EXPECT_EQ(m.dialogs.shown.back().text,
              "Por favor, verifique se umas das caixas está vazia. Se não desejar um dos olhos, "
              "escolha a opção \"Nenhum\".");
  }
  {  // The browser cannot select the exam: boxes stay empty, the editor still opens.
    auto e = NovoEditor();
    EXPECT_TRUE(e->modelo->GerarNovoLaudo("OD - 01/01/2000 00:00:00", "Nenhum", false));
    EXPECT_EQ(m.dialogs.shown.back().text, "Não foi possivel selecionar o exame.");
    EXPECT_EQ(m.dialogs.shown.back().caption, "Erro");
    EXPECT_EQ(e->view["reCO"].text, "");
  }
  {  // The exam's files are gone.
    std::filesystem::remove(dirs / ("Exames/" + std::to_string(navegador.paciente) + "/" +
                                    std::to_string(exameOS) + "d.txt"));
    auto e = NovoEditor();
    EXPECT_TRUE(e->modelo->GerarNovoLaudo("Nenhum", legendaOS, false));
    EXPECT_EQ(m.dialogs.shown.back().text,
              "Não foi possível processar o mapa selecionado. ERROMAP03");
    EXPECT_EQ(e->view["reOS"].text, "");
  }
  {  // Without the map module the eye quotes no numbers (none of an earlier exam either).
    auto antes = NovoEditor();
    ASSERT_TRUE(antes->modelo->GerarNovoLaudo(legendaOD, "Nenhum", false));
    std::filesystem::remove(dirs / "Mapas/Pelmo.so");
    auto e = NovoEditor();
    EXPECT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, "Nenhum", false));
    EXPECT_NE(m.dialogs.shown.back().text.find("Pelmo.so"), std::string::npos);
    EXPECT_EQ(e->view["reOD"].text, "");
    EXPECT_EQ(e->modelo->ExameOD(), -1);
    EXPECT_FALSE(e->view["reCO"].text.empty());
  }
}

TEST_F(Laudo, PhraseTreeFillsAndColoursTheCurrentBox) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, legendaOS, false));
  e->modelo->reODMouseDown();
  EXPECT_EQ(e->modelo->CaixaAtual(), "reOD");
  EXPECT_EQ(e->view["lblCaixaSelec"].text, "Textos para o Olho Direito");
  EXPECT_EQ(e->tela.cores["reOD"].fundo, TfrmLaudo::kFundoAtual);
  EXPECT_EQ(e->tela.cores["reOS"].fundo, QColor(Qt::white));
  ASSERT_EQ(e->tela.arvore.size(), 7u);
  EXPECT_EQ(e->tela.arvore[3].legenda, "4");
  // The catalogue's phrases of the eye boxes, position 4, with the empty one shown as such.
  auto& q = m.dm->Operation("SELECT COUNT(*) FROM LaudosTexto WHERE Local = 'DS' AND PosCaixa = 4");
  q.Open();
  const auto& frases = e->tela.arvore[3].frases;
  EXPECT_EQ(static_cast<int64_t>(frases.size()), q.FieldByName("COUNT").AsInteger());
  int vazia = -1, cheia = -1;
  for (int i = 0; i < static_cast<int>(frases.size()); ++i)
    (frases[i].texto.empty() ? vazia : cheia) = i;
  ASSERT_GE(vazia, 0);
  ASSERT_GE(cheia, 0);
  EXPECT_EQ(frases[vazia].legenda, "\"Em Branco\"");

  // Selecting position 4 turns its placeholder red, the others stay blue.
  e->view["chkMesmoLau"].checked = true;
  e->modelo->trwLaudoChange(3, cheia);
  e->modelo->trwLaudoDblClick();
  const std::string frase = frases[cheia].texto;
  for (const char* caixa : {"reOD", "reOS"}) {  // the same report for both eyes
    EXPECT_NE(e->view[caixa].text.find("#4-" + frase + "#"), std::string::npos) << caixa;
    const auto& realces = e->tela.cores[caixa].realces;
    ASSERT_EQ(realces.size(), 7u);
    for (const Realce& r : realces)
      EXPECT_EQ(r.cor, &r == &realces[3] ? TfrmLaudo::kSelecionado : TfrmLaudo::kMarcador);
  }
  // The empty phrase restores the empty placeholder; the save question then lists 4.
  e->modelo->trwLaudoChange(3, vazia);
  e->modelo->trwLaudoDblClick();
  EXPECT_NE(e->view["reOD"].text.find("#4#"), std::string::npos);
  EXPECT_EQ(e->modelo->VerificarObrigatorios("reOD").second, "2 4 5 ");

  // A phrase with "#" would renumber the box: it is refused and the box is unchanged.
  const std::string antes = e->view["reOD"].text;
  e->modelo->PreencherMarcador(2, "a # b");
  EXPECT_EQ(e->view["reOD"].text, antes);
  EXPECT_EQ(m.dialogs.shown.back().caption, "Atenção");
}

TEST_F(Laudo, SaveQuestionListsOnlyTheBoxesWithUnfilledPositions) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, legendaOS, false));
  auto preenche = [&](const char* caixa, std::initializer_list<int> ks) {
    std::string& t = e->view[caixa].text;
    for (int k : ks) t = laudo::PreencheMarcador(t, k, "frase");
  };
  preenche("reOD", {2, 4, 5});
  preenche("reOS", {2});
  preenche("reCO", {2, 4, 5, 8, 10, 11});
  m.dialogs.answers = {MsgResult::Yes};
  e->modelo->sbtSalvarClick();
  EXPECT_EQ(m.dialogs.shown.back().text,
            "Algumas caixas obrigatórias estão sem preencher. Deseja alterá-las?\n\r"
            "Caixa Olho Esquerdo: 4 5 ");
  EXPECT_EQ(m.dialogs.shown.back().buttons, MsgButtons::YesNo);
  EXPECT_EQ(ContaLaudos(), 0);  // Yes: back to editing, nothing saved

  // With the same report for both eyes the left-eye check reads the right-eye box.
  e->view["chkMesmoLau"].checked = true;
  const size_t mostradas = m.dialogs.shown.size();
  e->modelo->sbtSalvarClick();
  EXPECT_EQ(m.dialogs.shown[mostradas].text, "Laudo gravado com sucesso.");
  EXPECT_EQ(ContaLaudos(), 1);
}

TEST_F(Laudo, SavedReportIsReadOnlyAndReopensWithTheSameTexts) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, "Nenhum", false));
  e->modelo->reCEMouseDown();
  e->modelo->PreencherMarcador(1, "nem de óculos");
  e->view["reCM"].text = "Retorno em\nseis meses";
  m.dialogs.answers = {MsgResult::No};  // unfilled positions: save all the same
  e->modelo->sbtSalvarClick();
  const int codigo = e->modelo->CodigoLaudo();
  ASSERT_GT(codigo, 0);
  EXPECT_TRUE(e->modelo->SomenteLeitura());
  for (const char* c : {"trwLaudo", "sbtSalvar", "reCE", "reOD", "reCM", "chkMesmoLau"})
    EXPECT_FALSE(e->view[c].enabled) << c;
  EXPECT_TRUE(e->tela.arvore.empty());
  auto& q = m.dm->Operation("SELECT * FROM Laudos WHERE Codigo = " + std::to_string(codigo));
  q.Open();
  EXPECT_EQ(q.FieldByName("MedidaOD").AsInteger(), exameOD);
  EXPECT_EQ(q.FieldByName("MedidaOS").AsInteger(), -1);
  EXPECT_EQ(q.FieldByName("CodPaciente").AsInteger(), navegador.paciente);
  q.Close();

  const std::string bytes = ReadFileBytes(ArquivoLaudo(codigo));
  auto aberto = NovoEditor();
  ASSERT_TRUE(
      aberto->modelo->AbrirLaudo(laudo::ItemLaudo(codigo, {2025, 1, 1}, {1899, 12, 30}), false));
  const std::string ce = aberto->view["reCE"].text;
  EXPECT_EQ(ce,
            " Exames realizado em excelentes condições de centralização e focalização. Sem uso "
            "de lentes de contato nem de óculos  ");
  EXPECT_EQ(aberto->view["reOD"].text, " " + PreparaTextoLaudo(e->view["reOD"].text));
  EXPECT_EQ(aberto->view["reOS"].text, " ");
  EXPECT_EQ(aberto->view["reCM"].text, " Retorno em seis meses");
  EXPECT_FALSE(aberto->view["reCO"].enabled);
  EXPECT_EQ(ReadFileBytes(ArquivoLaudo(codigo)), bytes);  // opening never writes
  // The printed page names the exam's doctor and the saved date.
  const DadosRelatorio d = aberto->modelo->PreparaRelat();
  EXPECT_EQ(d.medico, "Dra. Helena Prado");
  EXPECT_EQ(d.exames, legendaOD + "  ");
}

TEST_F(Laudo, FailedFileWriteLeavesNoRowAndTheEditorOpen) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo("Nenhum", legendaOS, false));
  // The patient's report directory cannot be made: a file stands in its place.
  WriteFileAtomic(dirs / ("Laudos/" + std::to_string(navegador.paciente)), "x");
  m.dialogs.answers = {MsgResult::No};
  e->modelo->sbtSalvarClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Não foi possível gravar o arquivo de laudo.");
  EXPECT_EQ(ContaLaudos(), 0);
  EXPECT_FALSE(e->modelo->SomenteLeitura());
  EXPECT_TRUE(e->view["sbtSalvar"].enabled);
}

TEST_F(Laudo, OpeningReportsWithMissingPieces) {
  data::TDLaudos laudos(*m.dm);
  const int semArquivo =
      laudos.InsereLaudo(navegador.paciente, exameOD, -1, "", {2025, 1, 2}, {1899, 12, 30, 9});
  auto e = NovoEditor();
  EXPECT_FALSE(e->modelo->AbrirLaudo(laudo::ItemLaudo(semArquivo, {}, {}), false));
  EXPECT_EQ(m.dialogs.shown.back().text, "Arquivo de laudo não encontrado.");
  EXPECT_EQ(m.dialogs.shown.back().icon, MsgIcon::Error);

  // A report whose right-eye exam was deleted, with a truncated file.
  const int codigo =
      laudos.InsereLaudo(navegador.paciente, exameOD, exameOS, "", {2025, 1, 3}, {1899, 12, 30, 9});
  ForceDirectories(dirs / ("Laudos/" + std::to_string(navegador.paciente)));
  WriteFileAtomic(ArquivoLaudo(codigo), Utf8ToCp1252("condições\r\n@\r\nolho direito"));
  data::TDExames(*m.dm).ExcluiExame(exameOD);
  const size_t antes = m.dialogs.shown.size();
  auto aberto = NovoEditor();
  ASSERT_TRUE(aberto->modelo->AbrirLaudo(laudo::ItemLaudo(codigo, {}, {}), false));
  const auto textos = m.dialogs.Texts();
  ASSERT_EQ(textos.size(), antes + 2);
  EXPECT_EQ(textos[antes], "Este laudo possui dados de exames já excluídos!");
  EXPECT_NE(textos[antes + 1].find("incompleto"), std::string::npos);
  EXPECT_EQ(aberto->view["reCE"].text, " condições");
  EXPECT_EQ(aberto->view["reOD"].text, " olho direito");
  // The left eye's doctor signs when the right eye's exam is gone.
  const DadosRelatorio d = aberto->modelo->PreparaRelat();
  EXPECT_EQ(d.exames, "  " + legendaOS);
  EXPECT_EQ(d.medico, "Dra. Helena Prado");
}

}  // namespace
}  // namespace zv::test
