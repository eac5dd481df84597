// TfrmLauRelat: the printed page of a clinical report.  An A4 portrait page with 10 mm
// margins; every element sits at its position in pixels of a 96-dpi page, measured from the
// top left of the printable area, and is scaled to the device's resolution when drawn.  Used
// for printing, print preview and the PDF export.
#pragma once
#include <QImage>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "UfrmLaudo.h"

class QPainter;
class QPrinter;
class QWidget;

namespace zv {

class TfrmLauRelat {
 public:
  // One element of the page: a text in a box (left, top, width, height at 96 dpi).
  struct Elemento {
    std::string nome;
    int x, y, largura, altura;
    std::string texto;
    double pontos;
    bool negrito;
    int alinhamento;  // Qt::Alignment
    bool corrido;     // wrapped text of a report box
  };

  explicit TfrmLauRelat(const DadosRelatorio& dados);

  const std::vector<Elemento>& Elementos() const { return elementos_; }
  const Elemento* Busca(const std::string& nome) const;

  // A4 portrait, 10 mm margins, one copy.
  static void ConfiguraImpressora(QPrinter& impressora);
  // Draws the page on a painter whose origin is the printable area's top left.
  void DesenhaPagina(QPainter& p, double dpi) const;
  // False when the printer or file could not be opened or the printer ended in error.
  bool Imprime(QPrinter& impressora) const;
  bool ImprimePdf(const std::string& caminho) const;
  // Prints and tells the operator when the page did not reach the printer or the file.
  bool ImprimeAvisando(QPrinter& impressora, Dialogs& dialogs) const;
  // Prints on the system's default printer; without one the operator is told so.
  bool ImprimeNaPadrao(Dialogs& dialogs) const;
  // Asks for a file name and exports the page as PDF (selectable text).
  void ExportaPdf(Dialogs& dialogs) const;
  // Qt's print preview, modal over `pai`.
  void Visualiza(QWidget* pai, Dialogs& dialogs) const;

 private:
  std::vector<Elemento> elementos_;
  QImage logo_;
};

// Prepares the page from the editor and warns when the clinic's logo file cannot be read.
TfrmLauRelat PreparaRelat(const TfrmLaudo& editor, Dialogs& dialogs);

}  // namespace zv
