// "Dados da Ortoceratologia": the SAG, DIV and R0 of the four images with their means and
// standard deviations, opened from the ring review window.
#pragma once
#include <QDialog>
#include <array>
#include <memory>

#include "FormView.h"

namespace zv {

// The three orthokeratology values per image, held by the ring processing: elements 0..3 are
// images 1..4, element 4 is the mean over the four images.
struct ValoresOrtoImagens {
  std::array<double, 5>& SAG;
  std::array<double, 5>& DIV;
  std::array<double, 5>& R0;
};

// Element 4 := mean of elements 0..3, rounded to four decimals.
void CalculaMedia(std::array<double, 5>& valores);
// Sample standard deviation of elements 0..3 about element 4, rounded to four decimals.
double DesvioPadrao(const std::array<double, 5>& valores);

// Model: fills the grid stgOrto; the window changes nothing but the stored means.
class TfrmDadosOrto {
 public:
  TfrmDadosOrto(FormView& view, ValoresOrtoImagens valores) : view_(view), valores_(valores) {}
  // Computes the three means (done when the window is opened).
  void CalculaMedias();
  void FormShow();
  void BitBtn1Click();

 private:
  FormView& view_;
  ValoresOrtoImagens valores_;
};

// Qt view: a small modal window with the 4 x 7 grid and the "Sair" button.
class TfrmDadosOrtoView : public QDialog {
  Q_OBJECT
 public:
  TfrmDadosOrtoView(ValoresOrtoImagens valores, QWidget* parent = nullptr);
  ~TfrmDadosOrtoView() override;
  TfrmDadosOrto& Model() { return *model_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmDadosOrto> model_;
};

}  // namespace zv
