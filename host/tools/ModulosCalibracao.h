// The outside modules the calibration and the about box call, behind small interfaces so the
// windows' models can be driven by fakes; the real ones go through the host's bindings.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "UBConstantes.h"

namespace zv {

// Capture (mode 2, a calibration sphere) and sphere processing, each loaded for one call.
class ModulosCalibracao {
 public:
  virtual ~ModulosCalibracao() = default;
  virtual bool CarregaCaptura(const std::string& path) = 0;
  virtual void Digitalizar(void* handle, TZVStream* central, TZVStream* lateral, int modo,
                           const std::string& titulo) = 0;
  virtual void LiberaCaptura() = 0;
  virtual bool CarregaProcessamento(const std::string& path) = 0;
  virtual int ProcessaEsfera(void* handle, TZVStream* imagem, const std::string& raio,
                             TZVStream* resultado, const TInfosZV& infos) = 0;
  virtual void LiberaProcessamento() = 0;
};

// Through UBCapturaDLL and UBProcDLL.
class ModulosCalibracaoDLL : public ModulosCalibracao {
 public:
  bool CarregaCaptura(const std::string& path) override;
  void Digitalizar(void* handle, TZVStream* central, TZVStream* lateral, int modo,
                   const std::string& titulo) override;
  void LiberaCaptura() override;
  bool CarregaProcessamento(const std::string& path) override;
  int ProcessaEsfera(void* handle, TZVStream* imagem, const std::string& raio, TZVStream* resultado,
                     const TInfosZV& infos) override;
  void LiberaProcessamento() override;
};

// The description and file version of a capture or processing module.
class InfoModulos {
 public:
  virtual ~InfoModulos() = default;
  // The lines the module's Info entry point writes; nothing when the module does not bind.
  virtual std::optional<std::vector<std::string>> Descricao(const std::string& path) = 0;
  // "%d.%d.%d.%d", empty when the file has no version.
  virtual std::string Versao(const std::string& path) = 0;
};

// Through UBInfoDLL (kind 2) and TBVersionInfo.  A file that cannot be loaded shows the
// loader's error, as every information probe does.
class InfoModulosDLL : public InfoModulos {
 public:
  explicit InfoModulosDLL(Dialogs& dialogs) : dialogs_(dialogs) {}
  std::optional<std::vector<std::string>> Descricao(const std::string& path) override;
  std::string Versao(const std::string& path) override;

 private:
  Dialogs& dialogs_;
};

}  // namespace zv
