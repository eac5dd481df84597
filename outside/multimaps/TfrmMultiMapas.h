// The window of the multi-map modules: the chosen exams' maps side by side on one common colour
// scale, each with its header, its simulated keratometry and the reading under the pointer
// (the pointer over any map reads the same spot on every map).  The dual map labels the nasal
// and temporal side of each eye; the differential map adds the map of the change (after minus
// before) on a scale centred on 0 D, its central change and the treatment-zone diameter.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "MapaCurvatura.h"
#include "MapaDiferencial.h"
#include "PinturaMapa.h"
#include "SelecaoExames.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace multimapas {

struct ExameMapa {
  std::vector<std::string> cabecalho;  // the exam-header lines
  mapas::GradePotencia axial, tangencial;
  mapas::Ceratometria ceratometria;  // of the axial map
  int aneis = 0;                     // rings the exam reached (most of any meridian)
  char tipo = 0;                     // 'O' orthokeratology, 'T' standard, 0 not told
  const mapas::GradePotencia& Grade(mapas::TipoMapa t) const {
    return t == mapas::TipoMapa::Axial ? axial : tangencial;
  }
  bool OlhoEsquerdo() const { return cabecalho.size() > 3 && cabecalho[3] == "Olho Esquerdo"; }
};

struct DadosMultiMapas {
  ModuloMultiMapa modulo = ModuloMultiMapa::Comparativo;
  std::vector<ExameMapa> exames;
};

// Caption of each module's window, also its description.
const char* TituloDe(ModuloMultiMapa modulo);

class TfrmMultiMapas : public QDialog {
 public:
  TfrmMultiMapas(QWidget* pai, DadosMultiMapas dados);

  // The readings of every map at a point of a map picture (picture coordinates).
  void MostraLeitura(QPointF ponto);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  mapas::TipoMapa Tipo() const;
  bool Diferencial() const { return dados_.modulo == ModuloMultiMapa::Diferencial; }
  QWidget* Painel(size_t i);
  QWidget* PainelDiferenca();
  QWidget* Controles();
  void Redesenha();
  void AtualizaDiferenca();

  DadosMultiMapas dados_;
  mapas::Enquadramento enquadramento_;
  std::vector<QLabel*> imgMapas_, lblLeituras_;
  QLabel* imgEscala_ = nullptr;
  QRadioButton *rbtAxial_ = nullptr, *rbtNormalizada_ = nullptr;
  QComboBox* cbxPasso_ = nullptr;
  // The differential map only.
  mapas::GradePotencia difAxial_, difTangencial_;
  ZonaTratamento zona_;
  QLabel *imgDiferenca_ = nullptr, *imgEscalaDiferenca_ = nullptr, *lblLeituraDiferenca_ = nullptr,
         *lblVariacao_ = nullptr;
  QComboBox* cbxPassoDiferenca_ = nullptr;
};

}  // namespace multimapas
