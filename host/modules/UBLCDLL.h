// UBLCDLL: binding of the contact-lens module (Bexley in TPathsZV.DirMapas).
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "ModuleLibrary.h"
#include "UBConstantes.h"

namespace zv::UBLCDLL {

// File name of the contact-lens module, looked for in TPathsZV.DirMapas.
inline const std::string kArquivo = ModuleFileName("Bexley");

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaLente ProcessaLente;

// Loads the module file and binds its entry points.  True when the library loaded and
// ProcessaLente exists.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBLCDLL
