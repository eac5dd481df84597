// UBInfoDLL: binding of the information entry point of any module file, used by the module
// scan, the start-up probes and the about box.  The kind chooses the entry point:
// 1 InfoMapa (map modules), 2 Info of the processing module, 3 Info of the capture module.
// Process-wide state of the user-interface thread.
#pragma once
#include <string>
#include <vector>

#include "Dialogs.h"
#include "UBConstantes.h"

namespace zv::UBInfoDLL {

enum TipoInfo { kInfoMapa = 1, kInfoProcessamento = 2, kInfoDigitalizacao = 3 };

// Entry points of the module loaded last; only the one of the kind asked for is bound.
extern TInfoMapa InfoMapa;
extern TInfo InfoProcessamento;
extern TInfo InfoDigitalizacao;

// Loads the module file and binds the entry point of `kind`.  A file that cannot be loaded
// shows the loader's error text alone in a plain message box and gives false; an unknown kind
// binds nothing and gives false.  The library stays loaded until LiberaModulo also when the
// entry point is missing.
bool CarregaInfo(const std::string& path, int kind, Dialogs& dialogs);
void LiberaModulo();

// The text lines the module's information entry point writes into a new memory stream.  Only
// valid after CarregaInfo bound that kind.
std::vector<std::string> LeInfo(int kind);

}  // namespace zv::UBInfoDLL
