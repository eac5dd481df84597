// placido-render: writes one simulated Placido camera picture from command-line flags.
#include <QImage>
#include <iostream>
#include <string>
#include <vector>

#include "PlacidoRenderer.h"
#include "RenderOptions.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  placido::RenderOptions options;
  std::string error;
  if (!placido::ParseRenderOptions(args, options, error)) {
    std::cerr << "placido-render: " << error << '\n';
    return 2;
  }
  if (options.help) {
    std::cout << placido::RenderUsage() << '\n';
    return 0;
  }
  const QImage image = placido::Render(options.scene);
  const std::string& path = options.outPath;
  const bool png = path.size() >= 4 && (path.ends_with(".png") || path.ends_with(".PNG"));
  const bool written =
      png ? image.save(QString::fromStdString(path), "PNG") : placido::SaveBmp(image, path);
  if (!written) {
    std::cerr << "placido-render: cannot write '" << path << "'\n";
    return 1;
  }
  return 0;
}
