// Clean-up passes of the ring tables: windowed smoothing along each ring, removal of outliers
// against window means and modes, refilling of gaps, removal of jumps and of inconsistent ring
// spacing, truncation of a row after its first missing ring, extension of every row to the full
// ring count, and the fixed sequences in which the review window applies them.
//
// Every pass reads and writes the working table in place, row by row in increasing order, so a
// value changed earlier in a pass is seen by later rows of the same pass.  Rows and rings are
// numbered from 1 as the operator sees them; a window (r, s, L) is ring r over rows s to
// min(s + L, 360) and never wraps.
//
// Smoothing along a ring moves only the values that are no longer the detector's own (filled
// gaps, estimates, points added by hand): a measurement that no pass rejected keeps its raw
// value through every sequence, so the clean-up keeps the shape of the cornea along each ring.
#pragma once
#include <optional>

#include "TabelaAneis.h"

namespace vessik {

struct EstatisticaJanela {
  int maximo = 0, minimo = 30000;
  int zeros = 0;
  int modaValor = 0, modaContagem = 0;
  std::optional<double> media;  // absent when no value of the window is above 1
};

struct PontoAnel {
  double valor;
  int linha;
};

class FiltrosAneis {
 public:
  // `trabalho` is the table being cleaned, `bruta` the detector's table consulted by some passes
  // (they only ever zero its values below 1), `contagens` the ring count of every row.
  FiltrosAneis(TabelaAneis& trabalho, TabelaAneis& bruta, ContagemAneis& contagens, int numAneis);
  virtual ~FiltrosAneis() = default;

  EstatisticaJanela EstatisticaAnel(int r, int s, int L);
  EstatisticaJanela EstatisticaAnelBruto(int r, int s, int L);
  std::optional<PontoAnel> BuscaAnterior(int k, int r) const;
  std::optional<PontoAnel> BuscaPosterior(int k, int r) const;

  // Passes and sequences are virtual so that a test can watch the order a sequence runs them in.
  virtual void SuavizaAnel(int r, int s, int L);
  virtual void SuavizaJanelas(int L, double T);
  virtual void RemoveForaDaMedia(int L, double T);
  virtual void RemoveIsolados();
  virtual void CompletaAnel1();
  virtual void PreencheComModa(int L);
  virtual void PreencheComMedia(int L);
  virtual void RestauraBruto(int L);
  virtual void RestauraEntreVizinhos();
  virtual void RemoveSaltos();
  virtual void RemoveEspacamento();
  virtual void RemoveSemBruto();
  virtual void RemoveJanelasVazias(int L);
  virtual void AjustaModa(int L, int R);
  virtual void PreencheLacunas();
  virtual void CorrigeAnel1();
  virtual void CortaAposFalha();
  virtual void CompletaAneis();

  virtual void LimpezaA();
  virtual void LimpezaB(int L);
  // The retouch sequence ("Retocar").
  virtual void Retoque();
  // Copies the raw table into the working table and runs the clean-up after a detection.
  void LimpezaAposDeteccao();
  // "Interpolar", also the start of finishing an image: CompletaAneis and five retouches.
  void Interpola();

 private:
  double& W(int k, int r) { return w_[k - 1][r]; }
  double W(int k, int r) const { return w_[k - 1][r]; }
  double& D(int k, int r) { return d_[k - 1][r]; }
  double D(int k, int r) const { return d_[k - 1][r]; }
  // Whether the working value is still the raw table's positive value.
  bool Medido(int k, int r) const;
  int FimJanela(int s, int L) const { return s + L < kAngulos ? s + L : kAngulos; }
  EstatisticaJanela Estatistica(TabelaAneis& t, int r, int s, int L, int ultimoBinModa,
                                bool mediaInteira);
  void Preenche(int L, bool comMedia);

  TabelaAneis& w_;
  TabelaAneis& d_;
  ContagemAneis& contagens_;
  int n_;
};

}  // namespace vessik
