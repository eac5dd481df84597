// The host's two global records as handed to the modules, with the texts they point to.  The
// records hold `const char*`; this object owns the strings behind them, so a text field stays
// valid until it is set again.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "UBConstantes.h"

namespace zv {

class TBIniSettings;

class TZVRecords {
 public:
  TZVRecords();
  TZVRecords(const TZVRecords&) = delete;
  TZVRecords& operator=(const TZVRecords&) = delete;

  TInfosZV Infos{};
  TPathsZV Paths{};

  // Points `field` (a text field of Infos or Paths) at a copy of `value`.
  void SetText(const char*& field, const std::string& value);

 private:
  std::map<const char**, std::unique_ptr<std::string>> texts_;
};

// The start-up copy: every value of the settings into its record field (numbers through the
// accessors, so a key that does not convert raises ConvertError).  DirCalibracao is DIRZV
// followed by the separator, "Calibração" and the separator.  Modelo and NumAneis are not
// settings and are left as they are.
void CopySettingsToRecords(const TBIniSettings& settings, TZVRecords& records);

}  // namespace zv
