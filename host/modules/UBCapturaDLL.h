// UBCapturaDLL: binding of the standard capture module (TPathsZV.ModDigitalizacao).
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBCapturaDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TDigitalizar Digitalizar;

// Loads the module file and binds its entry points.  True when the library loaded and
// Digitalizar exists.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBCapturaDLL
