#include "UfrmLauRelat.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace zv {
namespace {

constexpr int kEsquerda = Qt::AlignLeft | Qt::AlignTop;
constexpr int kDireita = Qt::AlignRight | Qt::AlignTop;
constexpr int kCentro = Qt::AlignHCenter | Qt::AlignVCenter;

// The fixed mark at the top right: concentric rings with the product line under them.
void DesenhaMarca(QPainter& p, double f) {
  p.save();
  const QRectF caixa(558 * f, 22 * f, 148 * f, 56 * f);
  const QPointF centro(caixa.left() + caixa.height() / 2, caixa.center().y());
  p.setPen(Qt::NoPen);
  for (int anel = 6; anel >= 1; --anel) {
    p.setBrush(anel % 2 ? QColor(30, 70, 150) : QColor(Qt::white));
    const double raio = caixa.height() / 2 * anel / 6.0;
    p.drawEllipse(centro, raio, raio);
  }
  QFont fonte(QStringLiteral("Arial"));
  fonte.setPointSizeF(16);
  fonte.setBold(true);
  p.setFont(fonte);
  p.setPen(QColor(30, 70, 150));
  p.drawText(
      QRectF(caixa.left() + caixa.height() * 1.2, caixa.top(), caixa.width(), caixa.height()),
      Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zarvik"));
  p.restore();
}

}  // namespace

TfrmLauRelat::TfrmLauRelat(const DadosRelatorio& d) : logo_(d.logo) {
  const bool semComentario = d.cm.find_first_not_of(" \r\n") == std::string::npos;
  elementos_ = {
      {"lblNomeCli", 127, 13, 260, 25, d.nomeClinica, 14, true, kEsquerda, false},
      {"lblEnderecoCli", 127, 39, 137, 17, d.enderecoClinica, 10, false, kEsquerda, false},
      {"lblCidadeEst", 127, 57, 87, 17, d.cidadeEstado, 10, false, kEsquerda, false},
      {"lblFone", 127, 75, 80, 17, d.telefone, 10, false, kEsquerda, false},
      {"lblMarca", 567, 75, 140, 17, "Topografia Corneana", 8, true, kEsquerda, false},
      {"lblNomePac", 14, 126, 246, 23, d.paciente, 14, true, kEsquerda, false},
      {"lblResponsavel", 14, 148, 100, 17, "Responsável:", 10, false, kEsquerda, false},
      {"lblNomeMed", 114, 147, 133, 20, d.medico, 12, true, kEsquerda, false},
      {"lblEmissao", 464, 144, 125, 17, "Data/Hora Emissão:", 10, false, kEsquerda, false},
      {"qrDataEmissao", 589, 143, 119, 20, d.dataEmissao, 10, true, kDireita, false},
      {"lblExames", 14, 170, 65, 17, "Exame(s):", 10, false, kEsquerda, false},
      {"qrExames", 79, 170, 314, 19, d.exames, 10, false, kEsquerda, false},
      {"qrTipoMapa", 14, 192, 91, 19, d.tipoMapa, 10, false, kEsquerda, false},
      {"lblTitulo", 10, 227, 705, 30, "Laudo", 18, true, kCentro, false},
      {"lblCE", 15, 264, 300, 20, "Condições do Exame", 12, true, kEsquerda, false},
      {"qrCE", 16, 287, 681, 89, d.ce, 10, false, kEsquerda, true},
      {"lblOD", 15, 384, 300, 20, "Olho Direito", 12, true, kEsquerda, false},
      {"qrOD", 16, 406, 681, 119, d.od, 10, false, kEsquerda, true},
      {"lblOS", 15, 533, 300, 20, "Olho Esquerdo", 12, true, kEsquerda, false},
      {"qrOS", 16, 553, 681, 119, d.os, 10, false, kEsquerda, true},
      {"lblCO", 15, 685, 300, 20, "Conclusão", 12, true, kEsquerda, false},
      {"qrCO", 16, 705, 681, 89, d.co, 10, false, kEsquerda, true},
      {"QRLabel9", 15, 789, 300, 20, semComentario ? "" : "Comentários", 12, true, kEsquerda,
       false},
      {"qrCM", 16, 833, 681, 89, semComentario ? "" : d.cm, 10, false, kEsquerda, true},
      {"lblAtenciosamente", 591, 941, 130, 20, "Atenciosamente", 12, false, kEsquerda, false},
      {"lblNomeMed2", 572, 993, 133, 20, d.medico, 12, true, kDireita, false},
  };
}

const TfrmLauRelat::Elemento* TfrmLauRelat::Busca(const std::string& nome) const {
  for (const Elemento& e : elementos_)
    if (e.nome == nome) return &e;
  return nullptr;
}

void TfrmLauRelat::ConfiguraImpressora(QPrinter& impressora) {
  impressora.setPageSize(QPageSize(QPageSize::A4));
  impressora.setPageOrientation(QPageLayout::Portrait);
  impressora.setFullPage(false);
  impressora.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  impressora.setCopyCount(1);
}

void TfrmLauRelat::DesenhaPagina(QPainter& p, double dpi) const {
  const double f = dpi / 96.0;
  p.save();
  if (!logo_.isNull()) {
    // Centred in its 100 x 100 box, not distorted.
    const QSizeF tamanho = QSizeF(logo_.size()).scaled(100 * f, 100 * f, Qt::KeepAspectRatio);
    const QPointF canto((14 + 50) * f - tamanho.width() / 2, (8 + 50) * f - tamanho.height() / 2);
    p.drawImage(QRectF(canto, tamanho), logo_);
  }
  DesenhaMarca(p, f);
  p.fillRect(QRectF(9 * f, 112 * f, 705 * f, 2 * f), Qt::black);
  p.fillRect(QRectF(10 * f, 227 * f, 705 * f, 30 * f), QColor(220, 220, 220));

  for (const Elemento& e : elementos_) {
    if (e.texto.empty()) continue;
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSizeF(e.pontos);
    fonte.setBold(e.negrito);
    const QRectF caixa(e.x * f, e.y * f, e.largura * f, e.altura * f);
    const QString texto = QString::fromStdString(e.texto);
    if (e.corrido) {
      // A report box: wrapped within its width; a long text goes on below the box rather than
      // being cut.
      QTextDocument doc;
      doc.setDefaultFont(fonte);
      doc.documentLayout()->setPaintDevice(p.device());
      doc.setPlainText(texto.trimmed());
      doc.setTextWidth(caixa.width());
      doc.setDocumentMargin(0);
      p.save();
      p.translate(caixa.topLeft());
      doc.drawContents(&p);
      p.restore();
    } else {
      p.setFont(fonte);
      p.setPen(Qt::black);
      // Single lines keep their left (or right) edge and may run past a narrow box.
      QRectF livre = caixa;
      if (e.alinhamento & Qt::AlignLeft) livre.setRight(caixa.left() + 720 * f);
      if (e.alinhamento & Qt::AlignRight) livre.setLeft(caixa.right() - 500 * f);
      p.drawText(livre, e.alinhamento, texto);
    }
  }
  p.restore();
}

bool TfrmLauRelat::Imprime(QPrinter& impressora) const {
  QPainter p;
  if (!p.begin(&impressora)) return false;
  DesenhaPagina(p, impressora.resolution());
  return p.end() && impressora.printerState() != QPrinter::Error;
}

bool TfrmLauRelat::ImprimePdf(const std::string& caminho) const {
  QPrinter impressora(QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(QString::fromStdString(caminho));
  return Imprime(impressora);
}

bool TfrmLauRelat::ImprimeAvisando(QPrinter& impressora, Dialogs& dialogs) const {
  if (Imprime(impressora)) return true;
  const QString arquivo = impressora.outputFileName();
  const QString destino = arquivo.isEmpty() ? "na impressora \"" + impressora.printerName() + "\""
                                            : "no arquivo \"" + arquivo + "\"";
  dialogs.Message(("Não foi possível imprimir o laudo " + destino + ".").toStdString(), "Erro",
                  MsgIcon::Error);
  return false;
}

bool TfrmLauRelat::ImprimeNaPadrao(Dialogs& dialogs) const {
  const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
  if (padrao.isNull()) {
    dialogs.Message("Nenhuma impressora está instalada. Use \"Exportar PDF\" para gravar o laudo.",
                    "Erro", MsgIcon::Error);
    return false;
  }
  QPrinter impressora(padrao, QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  return ImprimeAvisando(impressora, dialogs);
}

void TfrmLauRelat::ExportaPdf(Dialogs& dialogs) const {
  const auto caminho = dialogs.SaveFileName("Exportar laudo em PDF", "PDF (*.pdf)", "");
  if (!caminho) return;
  std::string arquivo = *caminho;
  if (arquivo.size() < 4 || arquivo.substr(arquivo.size() - 4) != ".pdf") arquivo += ".pdf";
  QPrinter impressora(QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(QString::fromStdString(arquivo));
  if (ImprimeAvisando(impressora, dialogs))
    dialogs.Message("Laudo exportado para \"" + arquivo + "\".", "Informação",
                    MsgIcon::Information);
}

void TfrmLauRelat::Visualiza(QWidget* pai, Dialogs& dialogs) const {
  QPrinter impressora(QPrinter::HighResolution);
  ConfiguraImpressora(impressora);
  QPrintPreviewDialog previa(&impressora, pai);
  previa.setWindowTitle(QStringLiteral("Visualizar impressão"));
  QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa,
                   [this, &dialogs](QPrinter* destino) { ImprimeAvisando(*destino, dialogs); });
  previa.resize(900, 1000);
  previa.exec();
}

TfrmLauRelat PreparaRelat(const TfrmLaudo& editor, Dialogs& dialogs) {
  const DadosRelatorio dados = editor.PreparaRelat();
  if (dados.logoComErro)
    dialogs.Message(
        "O logotipo da clínica (LogoClinica.bmp) não pôde ser lido; o laudo sai sem "
        "ele.",
        "Atenção", MsgIcon::Warning);
  return TfrmLauRelat(dados);
}

}  // namespace zv
