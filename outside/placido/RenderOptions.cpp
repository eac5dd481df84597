#include "RenderOptions.h"

#include <cmath>

#include "NumberFormat.h"

namespace placido {

namespace {

class ArgumentReader {
 public:
  ArgumentReader(const std::vector<std::string>& args, std::string& error)
      : args_(args), error_(error) {}

  bool Done() const { return next_ >= args_.size(); }
  std::string Flag() { return args_[next_++]; }

  bool Number(const std::string& flag, double& value) {
    if (Done()) return Fail(flag + " needs a value");
    const std::string& text = args_[next_++];
    if (!zv::TryStrToFloat(text, value) || !std::isfinite(value))
      return Fail(flag + " needs a number, not '" + text + "'");
    return true;
  }

  bool Integer(const std::string& flag, int& value) {
    if (Done()) return Fail(flag + " needs a value");
    const std::string& text = args_[next_++];
    if (!zv::TryStrToInt(text, value))
      return Fail(flag + " needs a whole number, not '" + text + "'");
    return true;
  }

  bool Text(const std::string& flag, std::string& value) {
    if (Done()) return Fail(flag + " needs a value");
    value = args_[next_++];
    return true;
  }

  bool Fail(const std::string& reason) {
    error_ = reason;
    return false;
  }

 private:
  const std::vector<std::string>& args_;
  std::string& error_;
  size_t next_ = 0;
};

}  // namespace

std::string RenderUsage() {
  return "usage: placido-render [--radius MM] [--q Q] [--toric FLAT STEEP AXIS]\n"
         "                      [--cone X Y WIDTH HEIGHT] [--rings 16|32] [--decentre DX DY]\n"
         "                      [--noise SIGMA] [--seed N] [--supersample N] --out FILE\n"
         "FILE ending in .png is written as PNG, anything else as a 640 x 480 BMP.";
}

bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
  ArgumentReader reader(args, error);
  Cornea& cornea = options.scene.cornea;
  bool conicoid = false, toric = false, cone = false;
  while (!reader.Done()) {
    const std::string flag = reader.Flag();
    bool ok = true;
    if (flag == "--help" || flag == "-h") {
      options.help = true;
    } else if (flag == "--radius") {
      ok = reader.Number(flag, cornea.apicalRadiusMm);
    } else if (flag == "--q") {
      ok = reader.Number(flag, cornea.asphericityQ);
      conicoid = true;
    } else if (flag == "--toric") {
      ok = reader.Number(flag, cornea.flatRadiusMm) && reader.Number(flag, cornea.steepRadiusMm) &&
           reader.Number(flag, cornea.steepAxisDeg);
      toric = true;
    } else if (flag == "--cone") {
      ok = reader.Number(flag, cornea.coneCentreXmm) && reader.Number(flag, cornea.coneCentreYmm) &&
           reader.Number(flag, cornea.coneRadiusMm) && reader.Number(flag, cornea.coneSteepeningMm);
      cone = true;
    } else if (flag == "--rings") {
      ok = reader.Integer(flag, options.scene.rings);
    } else if (flag == "--decentre") {
      ok = reader.Number(flag, options.scene.decentreXPx) &&
           reader.Number(flag, options.scene.decentreYPx);
    } else if (flag == "--noise") {
      ok = reader.Number(flag, options.scene.noiseSigma);
    } else if (flag == "--seed") {
      int seed = 0;
      ok = reader.Integer(flag, seed) && (seed >= 0 || reader.Fail("--seed must not be negative"));
      options.scene.seed = static_cast<unsigned>(seed);
    } else if (flag == "--supersample") {
      ok = reader.Integer(flag, options.scene.supersample);
    } else if (flag == "--out") {
      ok = reader.Text(flag, options.outPath);
    } else {
      return reader.Fail("unknown option '" + flag + "'");
    }
    if (!ok) return false;
  }
  if (options.help) return true;
  if (toric && (cone || conicoid))
    return reader.Fail("--toric cannot be combined with --q or --cone");
  cornea.kind = toric      ? SurfaceKind::Toric
                : cone     ? SurfaceKind::Keratoconus
                : conicoid ? SurfaceKind::Conicoid
                           : SurfaceKind::Sphere;
  if (options.outPath.empty()) return reader.Fail("--out FILE is required");
  if (const std::string reason = ValidateScene(options.scene); !reason.empty())
    return reader.Fail(reason);
  return true;
}

}  // namespace placido
