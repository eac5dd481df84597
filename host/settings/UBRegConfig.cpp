#include "UBRegConfig.h"

#include <clocale>

namespace zv {

bool TBRegConfig::ReadCurrent() {
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  if (!current) return false;
  savedNumericLocale_ = current;
  const std::lconv* conv = std::localeconv();
  saved_.decimalSeparator = conv->decimal_point;
  saved_.thousandSeparator = conv->thousands_sep;
  read_ = true;
  return true;
}

void TBRegConfig::SetForced(const std::string& decimalSeparator, const std::string& shortDateFormat,
                            const std::string& thousandSeparator, const std::string& timeFormat,
                            const std::string& morningSuffix, const std::string& afternoonSuffix) {
  forced_ = {decimalSeparator, shortDateFormat, thousandSeparator,
             timeFormat,       morningSuffix,   afternoonSuffix};
}

void TBRegConfig::ApplyForced() {
  if (!read_) return;
  // The only process-wide setting that can change number text is the C numeric locale.
  if (forced_.decimalSeparator == ".") std::setlocale(LC_NUMERIC, "C");
  applied_ = true;
}

void TBRegConfig::RestoreCurrent() {
  if (!read_ || !applied_) return;
  std::setlocale(LC_NUMERIC, savedNumericLocale_.c_str());
  applied_ = false;
}

}  // namespace zv
