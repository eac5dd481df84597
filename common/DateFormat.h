// Date and time formatting with the system's patterns ("dd/MM/yyyy", "HH:mm:ss", "dd/mm/yy",
// "hh:nn:ss").  Letters are case-insensitive: d/dd day, m/mm month (minutes right after an
// hour), yy/yyyy year, h/hh hour, n/nn minutes, s/ss seconds, z/zzz milliseconds.
#pragma once
#include <string>
#include <string_view>

namespace zv {

struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, msec = 0;

  static DateTime Now();
};

std::string FormatDateTime(std::string_view pattern, const DateTime& when);

// Parses "dd/MM/yyyy" (two-digit years count from 2000 below 50, else from 1900).  Returns false
// for anything that is no valid calendar date.
bool ParseDate(std::string_view text, DateTime& date);

}  // namespace zv
