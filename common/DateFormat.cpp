#include "DateFormat.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace zv {
namespace {

std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

int Folded(char c) {
  return std::tolower(static_cast<unsigned char>(c));
}

// Letters repeated from position i on, in any case (at least 1, so every byte is consumed).
int RunLength(std::string_view p, size_t i) {
  size_t j = i + 1;
  while (j < p.size() && Folded(p[j]) == Folded(p[i])) ++j;
  return static_cast<int>(j - i);
}

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

}  // namespace

DateTime DateTime::Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  DateTime d;
  d.year = tm.tm_year + 1900;
  d.month = tm.tm_mon + 1;
  d.day = tm.tm_mday;
  d.hour = tm.tm_hour;
  d.minute = tm.tm_min;
  d.second = tm.tm_sec;
  d.msec = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  return d;
}

std::string FormatDateTime(std::string_view pattern, const DateTime& w) {
  std::string out;
  bool lastWasHour = false;
  for (size_t i = 0; i < pattern.size();) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    const int n = RunLength(pattern, i);
    switch (c) {
      case 'd':
        out += n >= 2 ? Pad(w.day, 2) : std::to_string(w.day);
        break;
      case 'm':
        if (lastWasHour) {
          out += n >= 2 ? Pad(w.minute, 2) : std::to_string(w.minute);
        } else {
          out += n >= 2 ? Pad(w.month, 2) : std::to_string(w.month);
        }
        break;
      case 'y':
        out += n >= 3 ? Pad(w.year, 4) : Pad(w.year % 100, 2);
        break;
      case 'h':
        out += n >= 2 ? Pad(w.hour, 2) : std::to_string(w.hour);
        break;
      case 'n':
        out += n >= 2 ? Pad(w.minute, 2) : std::to_string(w.minute);
        break;
      case 's':
        out += n >= 2 ? Pad(w.second, 2) : std::to_string(w.second);
        break;
      case 'z':
        out += n >= 3 ? Pad(w.msec, 3) : std::to_string(w.msec);
        break;
      default:
        out.append(pattern.substr(i, n));
        break;
    }
    if (c == 'h') {
      lastWasHour = true;
    } else if (c != ':' && c != ' ' && c != 'm') {
      lastWasHour = false;
    } else if (c == 'm') {
      lastWasHour = false;
    }
    i += n;
  }
  return out;
}

bool ParseDate(std::string_view text, DateTime& date) {
  int d = 0, m = 0, y = 0;
  char extra = 0;
  const std::string t(text);
  if (std::sscanf(t.c_str(), "%d/%d/%d%c", &d, &m, &y, &extra) != 3) return false;
  if (y < 100) y += y < 50 ? 2000 : 1900;
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12 || d < 1) return false;
  if (d > days[m - 1] + (m == 2 && IsLeap(y) ? 1 : 0)) return false;
  date = DateTime{};
  date.year = y;
  date.month = m;
  date.day = d;
  return true;
}

}  // namespace zv
