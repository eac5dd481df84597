// TfrmCalib "Calibração": the operator captures the four reference spheres one by one, each
// measured by the processing module into its sphere file, then "Salvar Calibração" fits the
// rings, writes "Coef.txt" and shows how well the new coefficients give the spheres back.
// Calibrator 1 holds the spheres side by side; calibrator 2 is a turret turned by hand, guided
// by an animation between spheres.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "CalibracaoEsferas.h"
#include "DateFormat.h"
#include "DesenhoCalibrador.h"
#include "Dialogs.h"
#include "FormView.h"
#include "ModulosCalibracao.h"
#include "UBIniSettings.h"
#include "UBRecords.h"

namespace zv {

class TfrmCalib {
 public:
  static constexpr int kIntervaloTimer = 1200;
  static constexpr const char* kTopicoAjuda = "calibracao";
  static constexpr const char* kArquivoQualidade = "Qualidade.txt";

  // `handle` is the window handed to the modules; `ajuda` opens the help at a topic;
  // `separador` is the decimal separator in force.
  TfrmCalib(FormView& view, Dialogs& dialogs, TBIniSettings& settings, TZVRecords& records,
            ModulosCalibracao& modulos, void* handle, std::function<void(const std::string&)> ajuda,
            char separador = '.');

  // The clock of the last-calibration time (tests fix it).
  std::function<DateTime()> Agora = &DateTime::Now;

  void FormCreate();
  void FormShow();
  void sbtProcEsfClick();
  void sbtPrevClick();
  void sbtNextClick();
  void TimerTimer();
  // One frame of the turret animation.
  void tmrAnimacaoTimer();
  void rgpTpCalibClick(int index);
  void sbtFecharClick();
  void SpeedButton3Click();
  void FormKeyF1() { SpeedButton3Click(); }
  void FormClose();

  int Esfera() const { return esfera_; }
  int Anterior() const { return anterior_; }
  bool Feita(int esfera) const { return feitas_[esfera - 1]; }
  int Tipo() const { return tipo_; }
  // The animation file played last (empty when none) and whether it is still running.
  const std::string& AnimacaoTocada() const { return animacaoArquivo_; }
  bool AnimacaoTocando() const { return quadro_ < quadros_.size(); }
  const std::string& DirCalibracao() const { return dirCalibracao_; }

 private:
  void SelecionaEsfera(int k);
  void ProcessaEsferaAtual();
  void SalvaCalibracao();
  void MostraQualidade(const QualidadeCalibracao& q, const DateTime& quando);
  void ErroFatal(int codigo);
  void MostraEsferas(bool visiveis);
  void AtualizaDesenho();
  void MostraCalibrador();
  void TocaAnimacao(const std::string& nome);
  void ParaAnimacao();
  void MostraUltimaCalib();
  std::vector<std::string> LinhasCoef(const std::vector<RingCoefficients>& fit, int aneis) const;

  FormView& view_;
  Dialogs& dialogs_;
  TBIniSettings& settings_;
  TZVRecords& records_;
  ModulosCalibracao& modulos_;
  void* handle_;
  std::function<void(const std::string&)> ajuda_;
  char separador_;
  std::string dirCalibracao_;

  int esfera_ = 1, anterior_ = 0, tipo_ = kCalibrador2;
  std::array<bool, 4> feitas_{};
  bool esferasVisiveis_ = true;
  std::string ultimaCalib_;
  std::string animacaoArquivo_;
  std::vector<QImage> quadros_;
  size_t quadro_ = 0;
};

}  // namespace zv
