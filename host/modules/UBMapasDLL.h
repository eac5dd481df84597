// UBMapasDLL: binding of a multi-map module of TPathsZV.DirMapas.  ProcessaMapas and Wizard are
// each bound twice to the same exported name, once per argument list: the standard list and the
// orthokeratology list (ProcessaMapasOrto for Kandor, WizardOrto for Horvat); the call site
// picks the list by the module's file name.
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBMapasDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TProcessaMapas ProcessaMapas;
extern TProcessaMapasOrto ProcessaMapasOrto;
extern TWizard Wizard;
extern TWizardOrto WizardOrto;
extern TInfoMapa InfoMapa;

// Loads the module file and binds its entry points.  True when the library loaded and
// ProcessaMapas and Wizard and InfoMapa exist.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBMapasDLL
