// UBProcOrtoDLL: binding of the orthokeratology processing module (TPathsZV.ModProcOrto, normally
// Vessik). Process-wide state of the user-interface thread: the library loaded last and its entry
// points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBProcOrtoDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaImagemOrto ProcessaImagem;

// Loads the module file and binds its entry points.  True when the library loaded and
// ProcessaImagem exists.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBProcOrtoDLL
