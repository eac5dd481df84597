// TBRegConfig: the number and date formats forced for the run.  This platform has no per-user
// registry of regional settings, so nothing outside the program is changed: the class keeps
// its four operations, saves the process's own numeric locale, forces the "C" numeric locale
// (point as decimal separator) for the run and gives the saved locale back at exit.  The
// system's own formatting (common/NumberFormat.h, DateFormat.h) never depends on the locale.
#pragma once
#include <string>

namespace zv {

struct RegionalFormats {
  std::string decimalSeparator, shortDateFormat, thousandSeparator, timeFormat, morningSuffix,
      afternoonSuffix;
};

class TBRegConfig {
 public:
  // Saves the current values; true when they could be read.
  bool ReadCurrent();
  void SetForced(const std::string& decimalSeparator, const std::string& shortDateFormat,
                 const std::string& thousandSeparator, const std::string& timeFormat,
                 const std::string& morningSuffix, const std::string& afternoonSuffix);
  void ApplyForced();
  void RestoreCurrent();

  const RegionalFormats& Saved() const { return saved_; }
  const RegionalFormats& Forced() const { return forced_; }

 private:
  RegionalFormats saved_, forced_;
  std::string savedNumericLocale_;
  bool read_ = false, applied_ = false;
};

}  // namespace zv
