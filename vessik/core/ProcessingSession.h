// The state of one processing call of the module and its operations: centre refinement,
// detection with the clean-up after it, "Retocar", "Interpolar" and finishing an image with the
// calibration.  The review window and the batch tool each hold one for the length of a call;
// everything starts at zero.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Conversao.h"
#include "Deteccao.h"
#include "FonteImagem.h"
#include "TabelaAneis.h"

namespace zv {
class Dialogs;
}

namespace vessik {

inline constexpr int kImagens = 4;

enum class ResultadoFinalizacao {
  Armazenada,             // converted and stored
  EmEdicao,               // the rings are still being edited: nothing stored
  CoeficientesRecusados,  // the calibration has more rings than the exam: nothing stored
  FalhaConversao,         // a ring could not be converted (calibration too short): nothing stored
};

class ProcessingSession {
 public:
  ProcessingSession(int numAneis, double fatorCorrecao, std::string dirCalibracao,
                    zv::Dialogs& dialogs);

  // Scan start of the detector from the tolerance settings and the slider position (0..4),
  // using the lowest byte of each setting, wrapping at 256.
  static int InicioVarredura(int tvlCentral, int tIncremento, int posicao);

  int NumAneis() const { return numAneis_; }
  // The coefficient file: "Coef.txt" of the calibration directory unless set otherwise.
  const std::string& ArquivoCoeficientes() const { return arquivoCoef_; }
  void DefineArquivoCoeficientes(std::string arquivo) { arquivoCoef_ = std::move(arquivo); }
  int ImagemAtual() const { return imagemAtual_; }
  void SelecionaImagem(int imagem);  // 1..4

  // Centre := (x, y), then three passes of the centre search.
  void RefinaCentro(const FonteImagem& img, double x, double y);
  // Detection at the current centre into the raw table and counts.
  void Detecta(const FonteImagem& img, int inicio, Correlacao modo = Correlacao::Rapida);
  // Working table := raw table, then the clean-up after a detection.
  void LimpaAposDeteccao();
  // Ring counts as the drawing of the rings recomputes them: rings with 0 < radius <= 300.
  // The review window calls it whenever it draws the rings.
  void ContaAneis();
  // Processing of the image clicked at (x, y): centre, detection, clean-up, counts and the
  // confidence index of the current image.
  void ProcessaAneis(const FonteImagem& img, double x, double y, int inicio,
                     Correlacao modo = Correlacao::Rapida);

  // Mean radius in pixels of rings 1..NumAneis over the 360 rows of the working table (the
  // figure a calibration on reference spheres fits).
  std::vector<double> RaiosMedios() const;

  void Retocar();
  void Interpolar();
  // Finishes the current image with the coefficient file and, when it
  // converts, stores its matrices, SAG and R0.  A coefficient file that cannot be read or holds
  // a non-number throws (zv::IoError, zv::ConvertError) before anything is converted.
  ResultadoFinalizacao FinalizaImagem(bool emEdicao = false);

  // Per-call state.
  TabelaAneis bruta{}, trabalho{}, potencias{};
  ContagemAneis contagens{};
  double xc = 0, yc = 0;
  TabelaPerfil perfil;
  std::array<TabelaAneis, kImagens> MatrizesPixels{}, MatrizesDioptrias{};
  // Elements 0..3 for images 1..4, element 4 for the mean over the four images.
  std::array<double, kImagens + 1> ValoresSAG{}, ValoresDIV{}, ValoresR0{};
  std::array<double, kImagens> ConfImagem{};

 private:
  int numAneis_;
  double fatorCorrecao_;
  std::string arquivoCoef_;
  zv::Dialogs& dialogs_;
  int imagemAtual_ = 1;
  std::unique_ptr<Matriz_real> imagem_;
};

}  // namespace vessik
