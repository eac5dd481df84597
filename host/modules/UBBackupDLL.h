// UBBackupDLL: binding of the backup module (TPathsZV.ModBackup).
// Process-wide state of the user-interface thread: the library loaded last and its entry points.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::UBBackupDLL {

// Entry points of the module loaded last; null when that module does not export them.
extern TInfoBackup InfoBackup;
extern TCriarBackup CriarBackup;
extern TRestaurarBackup RestaurarBackup;

// Loads the module file and binds its entry points.  True when the library loaded and
// InfoBackup and CriarBackup and RestaurarBackup exist.
bool CarregaModulo(const std::string& path);
// Releases the module loaded last.
void LiberaModulo();

}  // namespace zv::UBBackupDLL
