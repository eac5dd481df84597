// Whether the start-up should offer the automatic backup: by period since the last backup, or
// by the number of exams not yet backed up.
#pragma once
#include <string>
#include <vector>

#include "DateFormat.h"

namespace zv {

struct AgendaBackup {
  int modo = 0;     // 0 never, 1 by period, 2 by number of exams
  int periodo = 0;  // days or months
  int unidade = 0;  // 0 days, 1 months
  int exames = 0;   // exams without backup that make a backup due
};

// The date of the last backup in the backup module's description: line 6, the ten characters
// from character 26, "\" read as "/".  False when the description holds no such date.
bool DataUltimoBackup(const std::vector<std::string>& descricao, DateTime& data);

// True when the backup is due on `hoje`.  By period the time is counted in whole days or whole
// calendar months since the last backup, across month and year ends; a description without a
// readable date counts as never backed up.  Without a description (no backup module) nothing
// is due.
bool BackupDevido(const AgendaBackup& agenda, const std::vector<std::string>& descricao,
                  int examesSemBackup, const DateTime& hoje);

}  // namespace zv
