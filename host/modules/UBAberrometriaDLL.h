// UBAberrometriaDLL: binding of the aberrometry module (Wendel in TPathsZV.DirMapas).  It has no
// release: the module stays loaded until the host ends, since the module keeps the copies of the
// tables it was given.
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "ModuleLibrary.h"
#include "UBConstantes.h"

namespace zv::UBAberrometriaDLL {

// File name of the aberrometry module, looked for in TPathsZV.DirMapas.
inline const std::string kArquivo = ModuleFileName("Wendel");

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaAberrometria ProcessaAberrometria;

// Loads the module file and binds its entry points.  True when the library loaded and
// ProcessaAberrometria exists.
bool CarregaModulo(const std::string& path);

}  // namespace zv::UBAberrometriaDLL
