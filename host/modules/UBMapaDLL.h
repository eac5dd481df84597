// UBMapaDLL: binding of a single-map module of TPathsZV.DirMapas.
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBMapaDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaMapa ProcessaMapa;
extern TProcessaMapaOrto ProcessaMapaOrto;
extern TVisualizar Visualizar;
extern TInfoMapa InfoMapa;

// Loads the module file and binds its entry points.  True when the library loaded and
// (ProcessaMapa or ProcessaMapaOrto) and InfoMapa exist.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBMapaDLL
