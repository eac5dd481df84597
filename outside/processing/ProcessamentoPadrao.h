// The standard processing of one captured image with the ring-processing core: the automatic
// ring detection around the image centre finished with the calibration, the pupil, and the
// measurement of a calibration sphere's rings.
#pragma once
#include <QImage>
#include <array>
#include <string>
#include <vector>

#include "FonteImagem.h"
#include "ProcessingSession.h"
#include "UBConstantes.h"

namespace processamento {

// The detector's view of a picture, read in place.
class FonteQImage : public vessik::FonteImagem {
 public:
  explicit FonteQImage(const QImage& imagem)
      : imagem_(imagem.convertToFormat(QImage::Format_RGB32)) {}
  int Largura() const override { return imagem_.width(); }
  int Altura() const override { return imagem_.height(); }
  uint32_t Cor(int x, int y) const override;

 private:
  QImage imagem_;
};

// Ring count of the device (16 or 32; anything else is taken as 32).
int NumeroDeAneis(const TInfosZV& infos);

// Centre refined three times around the image centre, detection from the scan start of the
// device's tolerances, clean-up and the counts: the state a calibration or a finishing starts
// from.
void DetectaAneis(vessik::ProcessingSession& sessao, const vessik::FonteImagem& imagem,
                  const TInfosZV& infos);

// Pupil box (left, top, right, bottom, image pixels): the dark disc around the centre, past the
// bright fixation reflex, measured along 72 rays; all zero when no dark disc closes around it.
std::array<int32_t, 4> EncontraPupila(const vessik::FonteImagem& imagem, double xc, double yc);

// True when every ring 1..N was found on at least nine meridians in ten after the clean-up.
bool TodosAneisEncontrados(const vessik::ProcessingSession& sessao);

// The sphere file: the radius text as given, then the mean radius in pixels of rings 1..N.
std::vector<std::string> LinhasEsfera(const std::string& raioTexto,
                                      const std::vector<double>& raiosMedios);

}  // namespace processamento
