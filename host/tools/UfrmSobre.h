// TfrmSobre, the about box: the program's version, the description and version of the capture
// and processing modules in use (standard and orthokeratology), and the device's cone.
#pragma once
#include <string>

#include "FormView.h"
#include "ModulosCalibracao.h"
#include "UBConstantes.h"

namespace zv {

// The running program's version as its version reader gives it.
struct VersaoPrograma {
  std::string fileVersion;  // "4.3.12.0"
  int buildNumber = 0;      // the fourth part
};

class TfrmSobre {
 public:
  static constexpr const char* kVazio = "- - -";

  TfrmSobre(FormView& view, const TInfosZV& infos, const TPathsZV& paths, VersaoPrograma versao,
            InfoModulos& modulos)
      : view_(view), infos_(infos), paths_(paths), versao_(std::move(versao)), modulos_(modulos) {}

  void FormShow();
  void Button1Click() { view_.Close(0); }

  // Every value label of the window, in the order of its sections.
  static const char* const kRotulosValor[13];

 private:
  void MostraModulo(const char* path, const char* rotuloDescricao, const char* rotuloVersao);

  FormView& view_;
  const TInfosZV& infos_;
  const TPathsZV& paths_;
  VersaoPrograma versao_;
  InfoModulos& modulos_;
};

}  // namespace zv
