// The orthokeratology report: fields filled from the window, the logo, and a printed A4 page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <fstream>

#include "EstadoTeste.h"
#include "FakeFormView.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "TfrmMapa.h"
#include "TfrmRelatOrto.h"

namespace kandor {
namespace {

struct Relatorio : ::testing::Test {
  std::unique_ptr<EstadoMapas> estado = test::EstadoDeQuatroExames();
  zv::test::FakeFormView view;
  zv::test::TempDir dir;
  TfrmRelatOrto relatorio;
  TfrmMapa mapa{view, *estado, relatorio, [] {}};

  void SetUp() override {
    relatorio.DefineDiretorioPrograma(dir.path());
    mapa.FormShow();
  }
};

TEST_F(Relatorio, FieldsComeFromTheWindowAndTheValues) {
  relatorio.PreparaRelatorioOrto(mapa);
  const struct {
    const char* campo;
    const char* texto;
  } casos[] = {
      {"lblnomeCli", "Clínica Visão Clara"},
      {"lblfonecli", "(19) 3232-0000"},
      {"lblKandor", "Quillon Orto"},
      {"qrPaciente", "Maria da Conceição"},
      {"qrRg", "12.345.678-9"},
      {"qrOlho", "Olho Direito"},
      {"qrMedico", "Dr. Álvaro Reis"},
      {"lblImg1", "Imagem1 - 01/03/2026 10:21:00"},
      {"lblimg4", "Imagem4 - 04/03/2026 10:24:00"},
      {"qrlblSag1", "1.0000"},
      {"qrlblSag4", "4.0000"},
      {"qrlblSagMedio", "2.5000"},
      {"qrlblDesvioSag", "1.2910"},
      {"qrlblDivPadrao", "0.0000"},
      {"qrlblRaioMedio", "7.9500"},
  };
  for (const auto& c : casos) EXPECT_EQ(relatorio.Texto(c.campo), c.texto) << c.campo;
  EXPECT_TRUE(relatorio.Imagem("imglogo").isNull());

  // Each map is a coloured disc on white.
  const QImage mapa1 = relatorio.Imagem("img01");
  ASSERT_EQ(mapa1.size(), QSize(280, 210));
  EXPECT_EQ(mapa1.pixel(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(mapa1.pixel(146, 110), NivelCor(estado->Escala, 337.5 / 7.8).Argb());
  EXPECT_EQ(mapa1.pixel(145 + 102, 109), 0xFFFFFFFFu);  // past the outermost ring
}

TEST_F(Relatorio, ClinicLogoIsLoadedWhenPresent) {
  QImage logo(100, 100, QImage::Format_RGB32);
  logo.fill(Qt::blue);
  ASSERT_TRUE(logo.save(QString::fromStdString(dir / "LogoClinica.bmp"), "BMP"));
  relatorio.PreparaRelatorioOrto(mapa);
  EXPECT_EQ(relatorio.Imagem("imglogo").size(), QSize(100, 100));
}

std::string Roda(const QString& programa, const QStringList& args) {
  QProcess p;
  p.start(programa, args);
  p.waitForFinished(30000);
  return p.readAllStandardOutput().toStdString();
}

TEST_F(Relatorio, PrintsOneA4PageWithItsTexts) {
  relatorio.PreparaRelatorioOrto(mapa);
  const std::string pdf = dir / "relatorio.pdf";
  ASSERT_TRUE(relatorio.ImprimePdf(pdf));
  const std::string info = Roda("pdfinfo", {QString::fromStdString(pdf)});
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
  EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
  const std::string texto = Roda("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
  for (const char* esperado :
       {"Clínica Visão Clara", "Maria da Conceição", "Dr. Álvaro Reis", "Quillon Orto",
        "Dados da Ortoceratologia", "Desvio Padrão", "2.5000", "1.2910", "1.0000", "4.0000",
        "Imagem1 - 01/03/2026 10:21:00", "54.00", "6.25", "30.00", "11.25", "Responsável"})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
}

// A page that does not reach its file is reported to the operator, whether printed directly or
// from the print preview.
TEST_F(Relatorio, AFailedPrintIsReportedToTheOperator) {
  relatorio.PreparaRelatorioOrto(mapa);
  zv::test::ScriptedDialogs dialogos;
  const std::string semPasta = zv::JoinPath(dir / "sem-pasta", "relatorio.pdf");
  const std::string mensagem =
      "Não foi possível imprimir o relatório no arquivo \"" + semPasta + "\".";
  const auto paraArquivo = [](QPrinter& impressora, const std::string& caminho) {
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(QString::fromStdString(caminho));
  };

  QPrinter impressora(QPrinter::HighResolution);
  TfrmRelatOrto::ConfiguraImpressora(impressora);
  paraArquivo(impressora, dir / "relatorio.pdf");
  EXPECT_TRUE(relatorio.ImprimeAvisando(impressora, dialogos));
  EXPECT_TRUE(dialogos.shown.empty());
  paraArquivo(impressora, semPasta);
  EXPECT_FALSE(relatorio.ImprimeAvisando(impressora, dialogos));
  ASSERT_EQ(dialogos.shown.size(), 1u);
  EXPECT_EQ(dialogos.shown[0].text, mensagem);
  EXPECT_EQ(dialogos.shown[0].caption, "Erro");
  EXPECT_EQ(dialogos.shown[0].icon, zv::MsgIcon::Error);

  // The preview's own print step, as its print button runs it once a file is chosen.
  dialogos.shown.clear();
  QTimer::singleShot(0, [&] {
    QWidget* janela = QApplication::activeModalWidget();
    if (auto* previa = qobject_cast<QPrintPreviewDialog*>(janela)) {
      paraArquivo(*previa->printer(), semPasta);
      if (auto* folha = previa->findChild<QPrintPreviewWidget*>()) folha->print();
    }
    if (janela) janela->close();
  });
  relatorio.Visualiza(nullptr, dialogos);
  ASSERT_EQ(dialogos.shown.size(), 1u);
  EXPECT_EQ(dialogos.shown[0].text, mensagem);
}

TEST_F(Relatorio, FieldPositionsFollowThePrinterResolution) {
  relatorio.PreparaRelatorioOrto(mapa);
  // At 96 dpi the first map's centre is at (130 + 145, 256 + 109); at 192 dpi at twice that.
  for (int dpi : {96, 192}) {
    const double f = dpi / 96.0;
    QImage pagina(int(794 * f), int(971 * f), QImage::Format_RGB32);
    pagina.fill(Qt::gray);
    QPainter p(&pagina);
    relatorio.DesenhaPagina(p, dpi);
    p.end();
    EXPECT_EQ(pagina.pixel(int(276 * f), int(366 * f)),
              NivelCor(estado->Escala, 337.5 / 7.8).Argb())
        << dpi;
    EXPECT_EQ(pagina.pixel(int(700 * f), int(950 * f)), 0xFFFFFFFFu) << dpi;
    EXPECT_EQ(pagina.pixel(int(400 * f), int(103 * f)), 0xFF000000u) << dpi;  // header line
  }
}

}  // namespace
}  // namespace kandor
