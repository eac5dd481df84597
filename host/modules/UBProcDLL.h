// UBProcDLL: binding of the standard processing module (TPathsZV.ModProcessamento): one image of an
// eye, or a calibration sphere. Process-wide state of the user-interface thread: the library loaded
// last and its entry points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBProcDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaImagem ProcessaImagem;
extern TProcessaEsfera ProcessaEsfera;

// Loads the module file and binds its entry points.  True when the library loaded and
// ProcessaImagem and ProcessaEsfera exist.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBProcDLL
