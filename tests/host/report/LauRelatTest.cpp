// The printed report of a demo exam: exported to PDF on the offscreen platform and read back
// with poppler's tools (page size, the texts, and where the patient's name sits), plus the
// failures the operator is told about.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include "LaudoFixture.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "TextoLaudo.h"
#include "UfrmLauRelat.h"

namespace zv::test {
namespace {

QString Executa(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  EXPECT_TRUE(p.waitForFinished(30000)) << programa.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << programa.toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

class LauRelat : public ::testing::Test, public LaudoFixture {};

TEST_F(LauRelat, PdfOfADemoExamHoldsThePatientTheDoctorAndTheKeratometry) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo(legendaOD, legendaOS, false));
  e->view["reCM"].text = "Retorno em seis meses.";
  const TfrmLauRelat pagina = PreparaRelat(*e->modelo, m.dialogs);
  const std::string pdf = dirs / "laudo.pdf";
  ASSERT_TRUE(pagina.ImprimePdf(pdf));

  const QString info = Executa("pdfinfo", {QString::fromStdString(pdf)});
  EXPECT_TRUE(info.contains(
      QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")))
      << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\b")));

  const std::string texto =
      Executa("pdftotext", {"-layout", QString::fromStdString(pdf), "-"}).toStdString();
  for (const std::string& s :
       {std::string("Carlos Mendes"), std::string("Dra. Helena Prado"), legendaOD, legendaOS,
        std::string("Clínica Visão Clara"), std::string("Mapa Tipo Axial"),
        std::string("Retorno em seis meses."), std::string("Comentários")})
    EXPECT_NE(texto.find(s), std::string::npos) << s << "\n" << texto;
  // The keratometry numbers the module gave, as the eye sentence writes them.
  const std::string od = e->view["reOD"].text;
  const size_t de = od.find("meridianos de ");
  ASSERT_NE(de, std::string::npos);
  const std::string k1 = od.substr(de + 14, od.find(' ', de + 14) - de - 14);
  EXPECT_TRUE(k1.find('.') == 2 && k1.size() == 5) << k1;
  EXPECT_NE(texto.find(k1), std::string::npos) << k1;
  EXPECT_EQ(texto.find("#"), std::string::npos);  // placeholders resolved on the page

  // The patient's name at its place: 10 mm margin plus 14 x 126 pixels of a 96-dpi page.
  const QString caixas = Executa("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  const QRegularExpression palavra(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Carlos</word>");
  const auto achou = palavra.match(caixas);
  ASSERT_TRUE(achou.hasMatch());
  const double mm10 = 10 / 25.4 * 72;
  EXPECT_NEAR(achou.captured(1).toDouble(), mm10 + 14 * 0.75, 2.0);
  EXPECT_NEAR(achou.captured(2).toDouble(), mm10 + 126 * 0.75, 4.0);
}

TEST_F(LauRelat, EmptyCommentsDropTheirHeadingAndALogoIsCentred) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo("Nenhum", "Nenhum", true));
  QImage logo(200, 100, QImage::Format_RGB32);  // wide: 100 x 50 once fitted
  logo.fill(Qt::red);
  ASSERT_TRUE(logo.save(QString::fromStdString(dirs / "LogoClinica.bmp"), "BMP"));
  const TfrmLauRelat pagina = PreparaRelat(*e->modelo, m.dialogs);
  EXPECT_EQ(pagina.Busca("QRLabel9")->texto, "");
  EXPECT_EQ(pagina.Busca("qrTipoMapa")->texto, "Mapa Tipo Tangencial");

  QImage folha(794, 1123, QImage::Format_RGB32);
  folha.fill(Qt::white);
  QPainter p(&folha);
  pagina.DesenhaPagina(p, 96);
  p.end();
  EXPECT_EQ(folha.pixelColor(14 + 50, 8 + 50), QColor(Qt::red));
  EXPECT_EQ(folha.pixelColor(14 + 50, 8 + 20), QColor(Qt::white));  // above the fitted logo
}

TEST_F(LauRelat, FailuresAreReportedToTheOperator) {
  auto e = NovoEditor();
  ASSERT_TRUE(e->modelo->GerarNovoLaudo("Nenhum", "Nenhum", false));
  // A logo file that is no picture: the page goes out without it, and the operator is told.
  WriteFileAtomic(dirs / "LogoClinica.bmp", "not a bitmap");
  const TfrmLauRelat pagina = PreparaRelat(*e->modelo, m.dialogs);
  EXPECT_NE(m.dialogs.shown.back().text.find("LogoClinica.bmp"), std::string::npos);

  // A PDF that cannot be written.
  m.dialogs.fileAnswers = {dirs / "nao/existe/laudo.pdf"};
  pagina.ExportaPdf(m.dialogs);
  EXPECT_EQ(m.dialogs.shown.back().caption, "Erro");
  EXPECT_NE(m.dialogs.shown.back().text.find("Não foi possível imprimir o laudo no arquivo"),
            std::string::npos);

  m.dialogs.fileAnswers = {dirs / "saida"};
  pagina.ExportaPdf(m.dialogs);
  EXPECT_TRUE(FileExists(dirs / "saida.pdf"));
  EXPECT_EQ(m.dialogs.shown.back().caption, "Informação");
}

}  // namespace
}  // namespace zv::test
