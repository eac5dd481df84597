// Number formatting and parsing with the system's patterns.  The decimal separator is always
// "." whatever the machine's locale; parsing accepts "." or ",".
#pragma once
#include <string>
#include <string_view>

namespace zv {

// Formats with a picture pattern: "0" mandatory digit, "#" optional digit, "." decimal point,
// "," thousands grouping, other characters copied, up to three ";"-separated sections
// (positive;negative;zero).  Halves round away from zero on the value's 15-digit decimal form,
// so 7.856 with "00.00" gives "07.86" and 2.675 with "0.00" gives "2.68".
std::string FormatFloat(std::string_view pattern, double value);

// Shortest general form with up to 15 significant digits: 0.0734, 7.85, 0, 1E-6.
std::string FloatToStr(double value);

// Parses a decimal number with "." or "," as separator; surrounding blanks are allowed.
// Throws ConvertError for anything else.
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);

// Parses a 32-bit integer, decimal or hexadecimal with a "0x" or "$" prefix; surrounding
// blanks are allowed.  Throws ConvertError for anything else.
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int& value);

// Plain decimal text of an integer.
std::string IntToStr(long long value);

}  // namespace zv
