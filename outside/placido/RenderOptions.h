// Command line of placido-render: the scene and the output file.
#pragma once

#include <string>
#include <vector>

#include "PlacidoRenderer.h"

namespace placido {

struct RenderOptions {
  Scene scene;
  std::string outPath;
  bool help = false;
};

// Reads the arguments (without the program name). On a bad flag or value returns false and sets
// `error` to a one-line reason.
bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error);

std::string RenderUsage();

}  // namespace placido
