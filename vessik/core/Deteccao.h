// Ring edge detection on one captured image: the centre of the central reflex, 360 rays from
// it, a one-dimensional Marr-Hildreth zero-crossing detector whose crossings are classified by
// a one-dimensional Canny response, ring assignment by alternation and maximum gap, smoothing
// across angles, and the confidence index of the centre.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FonteImagem.h"
#include "TabelaAneis.h"

namespace zv {
class Dialogs;
}

namespace vessik {

inline constexpr int kAmostras = 300;

// A profile of 300 samples along a ray and a kernel array used by the two filter classes.
class Vetor_real {
 public:
  double perfil[kAmostras];
  double nucleo[kAmostras];
  int32_t n = kAmostras;

  Vetor_real();
  void Limpa();
  // perfil += outro.perfil; profiles of different lengths are refused with a message.
  bool Soma(const Vetor_real& outro, zv::Dialogs& dialogs);
  // Circular correlation of the input profile with this kernel, as direct sums:
  // perfil[i] = sum over j = 0..299 of nucleo[(j - i) mod 300] * entrada[j].
  void Correlaciona(const double* entrada);
  // The same sums, term for term in the same order, restricted to the kernel's non-zero
  // support and evaluated four outputs at a time.  Gives the direct sums' values exactly.
  void CorrelacionaRapida(const double* entrada);

  // Edge marking on a vector used as the edge vector (0 none, 255 edge, 100 darkening,
  // 150 brightening).
  void MarcaCruzamentos(const Vetor_real& marr);
  void Classifica(const Vetor_real& canny, int inicio);

 protected:
  // Fills nucleo from a kernel function of the offset d (-151..150) and records its support.
  template <class F>
  void MontaNucleo(F k);

 private:
  int suporteNeg_ = 0, suportePos_ = 0;    // largest |d| with a non-zero entry, each side
  double nucleoEstendido_[2 * kAmostras];  // nucleo[u mod 300] for u = 0..599
};

// First derivative of a Gaussian.
class Canny_1d : public Vetor_real {
 public:
  explicit Canny_1d(double sigma);
};

// Second derivative of a Gaussian.
class Marr_Hildret_1d : public Vetor_real {
 public:
  explicit Marr_Hildret_1d(double sigma);
};

// The rings found on one ray: radius in pixels of rings 1..32, 0 = not found.
class Vetor_aneis {
 public:
  double raio[kAneisMax + 1] = {};  // index 1..32
  int32_t n = kAneisMax;

  void Limpa();
  // Walks the classified edges from sample `inicio` outwards, accepting alternately a
  // brightening and a darkening edge, each within `lacuna` samples of the previous ring.
  void AtribuiAneis(const Vetor_real& bordas, const double* raios, int inicio, int numAneis,
                    int lacuna);
};

// The grey-value image and the ring centre.
class Matriz_real {
 public:
  Matriz_real();
  void Cria(const FonteImagem& img, double xc, double yc);
  double Cinza(int x, int y) const { return cinza_[static_cast<std::size_t>(y) * kLarguraMax + x]; }
  // Samples the ray at angle `graus`: grey value and distance from the centre of samples
  // 0..299; samples outside the image are 0.
  void AmostraRaio(int graus, double* perfil, double* raios) const;

  int largura = 0, altura = 0;
  double xc = 0, yc = 0;

 private:
  std::vector<double> cinza_;
};

// One detection's rays: row m - 1 holds ray m, column 0 the ray number, columns 1..32 radii.
class Matriz_ang_anel {
 public:
  double m[kAngulos][kColunas] = {};
  int32_t colunas = kColunas, linhas = kAngulos;
  double xc = 0, yc = 0;

  void ArmazenaRaio(int linha, const Vetor_aneis& aneis);
  void SuavizaAngulos();
  void CopiaPara(TabelaAneis& bruta, ContagemAneis& contagens) const;
};

enum class Correlacao { Rapida, Direta };

// Filter width and maximum gap between consecutive edges for a ring count.
double SigmaDeteccao(int numAneis);
int LacunaMaxima(int numAneis);

// Fills the raw ring table and its counts from the image of `img` around (img.xc, img.yc).
void Detecta(const Matriz_real& img, int numAneis, int inicio, TabelaAneis& bruta,
             ContagemAneis& contagens, Correlacao modo = Correlacao::Rapida);

// One pass of the centre search around (x, y): the centroid of the pixels brighter than the
// middle of the 15 x 15 square's range.  Leaves (x, y) when no pixel is brighter.
void RefinaCentro(const FonteImagem& img, double& x, double& y);

// Confidence of a centre in percent (at most 100) and its text ("37.50%").
double IndiceConfianca(double xc, double yc, double fatorCorrecao);
std::string TextoConfianca(double indice);

}  // namespace vessik
