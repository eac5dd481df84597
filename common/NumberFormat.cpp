#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "Errors.h"

namespace zv {
namespace {

// Decimal digits of |value| rounded to 15 significant digits: digits "d1d2...d15" and the
// power of ten of d1 (value = 0.d1d2... * 10^pointPos).
struct DecimalDigits {
  std::string digits;
  int pointPos = 0;
};

DecimalDigits ToDecimal(double value) {
  DecimalDigits d;
  if (value == 0) {
    d.digits = "0";
    d.pointPos = 1;
    return d;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string s(buf);
  const auto e = s.find('e');
  d.digits = s.substr(0, 1) + s.substr(2, e - 2);
  d.pointPos = std::stoi(s.substr(e + 1)) + 1;
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Rounds the decimal form to `decimals` fraction digits, half away from zero, and returns the
// integer digits (without leading zeros, possibly empty) and exactly `decimals` fraction digits.
void RoundDecimal(const DecimalDigits& d, int decimals, std::string& intPart,
                  std::string& fracPart) {
  // Place all digits on a fixed grid: integer digits, then fraction digits.
  std::string all;
  int intDigits = d.pointPos > 0 ? d.pointPos : 0;
  if (d.pointPos <= 0) all.assign(static_cast<size_t>(-d.pointPos), '0');
  all += d.digits;
  const size_t wanted = static_cast<size_t>(intDigits + decimals);
  if (intDigits > static_cast<int>(all.size())) all.append(intDigits - all.size(), '0');
  bool roundUp = all.size() > wanted && all[wanted] >= '5';
  if (all.size() > wanted) all.resize(wanted);
  if (all.size() < wanted) all.append(wanted - all.size(), '0');
  if (roundUp) {
    int i = static_cast<int>(all.size()) - 1;
    for (; i >= 0; --i) {
      if (all[i] == '9') {
        all[i] = '0';
      } else {
        ++all[i];
        break;
      }
    }
    if (i < 0) {
      all.insert(all.begin(), '1');
      ++intDigits;
    }
  }
  intPart = all.substr(0, intDigits);
  fracPart = all.substr(intDigits);
  size_t firstNonZero = intPart.find_first_not_of('0');
  intPart = firstNonZero == std::string::npos ? std::string() : intPart.substr(firstNonZero);
}

struct Section {
  std::string prefix, suffix;
  int minInt = 0;  // '0' placeholders before the point
  int minDec = 0;  // '0' placeholders after the point
  int maxDec = 0;  // all placeholders after the point
  bool thousands = false;
};

Section ParseSection(std::string_view p) {
  Section s;
  size_t first = p.find_first_of("0#.,");
  size_t last = p.find_last_of("0#.,");
  if (first == std::string_view::npos) {
    s.prefix = std::string(p);
    return s;
  }
  s.prefix = std::string(p.substr(0, first));
  s.suffix = std::string(p.substr(last + 1));
  bool afterPoint = false;
  for (size_t i = first; i <= last; ++i) {
    const char c = p[i];
    if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      if (!afterPoint) s.thousands = true;
    } else if (c == '0') {
      if (afterPoint) {
        ++s.maxDec;
        s.minDec = s.maxDec;
      } else {
        ++s.minInt;
      }
    } else if (c == '#') {
      if (afterPoint) ++s.maxDec;
    }
  }
  return s;
}

std::string Render(const Section& s, double absValue, bool& isZero) {
  std::string intPart, fracPart;
  RoundDecimal(ToDecimal(absValue), s.maxDec, intPart, fracPart);
  isZero = intPart.empty() && fracPart.find_first_not_of('0') == std::string::npos;
  while (static_cast<int>(fracPart.size()) > s.minDec && fracPart.back() == '0')
    fracPart.pop_back();
  if (static_cast<int>(intPart.size()) < s.minInt)
    intPart.insert(0, static_cast<size_t>(s.minInt) - intPart.size(), '0');
  if (s.thousands) {
    for (int i = static_cast<int>(intPart.size()) - 3; i > 0; i -= 3) intPart.insert(i, ",");
  }
  std::string out = s.prefix + intPart;
  if (!fracPart.empty()) out += "." + fracPart;
  return out + s.suffix;
}

bool IsSign(char c) {
  return c == '+' || c == '-';
}

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() &&
         (t.back() == ' ' || t.back() == '\t' || t.back() == '\r' || t.back() == '\n'))
    t.remove_suffix(1);
  return t;
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  for (size_t i = 0; i <= pattern.size(); ++i) {
    if (i == pattern.size() || pattern[i] == ';') {
      sections.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  bool isZero = false;
  const Section positive = ParseSection(sections[0]);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    std::string text = Render(ParseSection(sections[1]), -value, isZero);
    if (!isZero) return text;
  } else {
    std::string text = Render(positive, std::fabs(value), isZero);
    if (!isZero) return value < 0 ? "-" + text : text;
  }
  if (sections.size() >= 3 && !sections[2].empty())
    return Render(ParseSection(sections[2]), 0, isZero);
  return Render(positive, 0, isZero);
}

std::string FloatToStr(double value) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  const DecimalDigits d = ToDecimal(value);
  const std::string sign = value < 0 ? "-" : "";
  const int exponent = d.pointPos - 1;
  if (exponent < -5 || exponent >= 15) {
    std::string mantissa = d.digits.substr(0, 1);
    if (d.digits.size() > 1) mantissa += "." + d.digits.substr(1);
    return sign + mantissa + "E" + (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
  }
  std::string out;
  if (d.pointPos <= 0) {
    out = "0." + std::string(static_cast<size_t>(-d.pointPos), '0') + d.digits;
  } else if (d.pointPos >= static_cast<int>(d.digits.size())) {
    out = d.digits + std::string(d.pointPos - d.digits.size(), '0');
  } else {
    out = d.digits.substr(0, d.pointPos) + "." + d.digits.substr(d.pointPos);
  }
  return sign + out;
}

bool TryStrToFloat(std::string_view text, double& value) {
  std::string t(Trim(text));
  if (t.empty()) return false;
  if (t.find('.') == std::string::npos) {
    const auto comma = t.find(',');
    if (comma != std::string::npos) t[comma] = '.';
  }
  size_t begin = 0;
  if (t[0] == '+') {
    // One sign at most: the converter below would take a second one after the "+".
    if (t.size() > 1 && IsSign(t[1])) return false;
    begin = 1;
  }
  if (begin < t.size() && (t[begin] == '.')) t.insert(begin, "0");
  const char* first = t.data() + begin;
  const char* last = t.data() + t.size();
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  return ec == std::errc() && ptr == last && std::isfinite(value);
}

double StrToFloat(std::string_view text) {
  double v = 0;
  if (!TryStrToFloat(text, v))
    throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return v;
}

bool TryStrToInt(std::string_view text, int& value) {
  std::string_view t = Trim(text);
  bool negative = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    t.remove_prefix(2);
  } else if (!t.empty() && t[0] == '$') {
    base = 16;
    t.remove_prefix(1);
  }
  // The digits follow: a sign after the first one or after a hexadecimal prefix ("--5",
  // "0x-5", "$-5") would otherwise be taken by the converter below.
  if (t.empty() || IsSign(t[0])) return false;
  long long v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
  if (ec != std::errc() || ptr != t.data() + t.size()) return false;
  if (negative) v = -v;
  if (base == 16 && v > 0x7FFFFFFFLL && v <= 0xFFFFFFFFLL) v -= 0x100000000LL;
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(std::string_view text) {
  int v = 0;
  if (!TryStrToInt(text, v))
    throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
  return v;
}

std::string IntToStr(long long value) {
  return std::to_string(value);
}

}  // namespace zv
