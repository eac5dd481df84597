// Conversion between UTF-8 (text in memory) and Windows-1252 (text on disk and in streams).
#pragma once
#include <string>
#include <string_view>

namespace zv {

// Characters that Windows-1252 cannot hold become "?"; so do bytes that are not valid UTF-8.
std::string Utf8ToCp1252(std::string_view utf8);
// Every byte maps to one character (the five unassigned bytes map to the C1 controls).
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace zv
