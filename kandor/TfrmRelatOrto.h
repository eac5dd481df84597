// The one-page orthokeratology report: clinic header, patient data, the four maps with their
// colour scale and the table of SAG, DIV and R0 values.  Field positions are pixels of a
// 96-dpi page (the band is 794 x 971); drawing converts them to the printer's resolution.
#pragma once
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "EstadoMapas.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kandor {

class TfrmMapa;

class TfrmRelatOrto {
 public:
  TfrmRelatOrto();

  // Fills every field from the map window's texts and the module state.
  void PreparaRelatorioOrto(const TfrmMapa& mapa);

  // Where "LogoClinica.bmp" is looked for: the host program's directory by default.
  void DefineDiretorioPrograma(std::string dir) { diretorioPrograma_ = std::move(dir); }

  std::string Texto(const std::string& campo) const;
  // imglogo, img01, Img02, img03, img04 (null when empty).
  QImage Imagem(const std::string& campo) const;

  // A4 portrait, no margins, one copy.
  static void ConfiguraImpressora(QPrinter& impressora);
  // Draws the page on a painter whose device has `dpi` dots per inch.
  void DesenhaPagina(QPainter& p, double dpi) const;
  // Prints the page on a configured printer.  False when the printer or the file could not be
  // opened, or the printer ended in error.
  bool Imprime(QPrinter& impressora) const;
  bool ImprimePdf(const std::string& caminho) const;
  // Prints, and tells the operator when the page did not reach the printer or the file.
  bool ImprimeAvisando(QPrinter& impressora, zv::Dialogs& dialogos) const;
  // Qt's print preview, modal over `pai`; printing (and printing to a file) is offered there,
  // and a print that fails is reported through `dialogos`.
  void Visualiza(QWidget* pai, zv::Dialogs& dialogos) const;

 private:
  struct CampoTexto {
    int x, y;
    double pontos;
    bool negrito;
    std::string texto;
  };
  void DefineTexto(const std::string& campo, const std::string& texto);
  void DesenhaMapaNaPagina(QPainter& p, double f, int imagem) const;

  std::map<std::string, CampoTexto> textos_;
  std::map<std::string, QImage> imagens_;
  EscalaCores escala_ = PreparaEscala();
  std::string diretorioPrograma_;
};

}  // namespace kandor
