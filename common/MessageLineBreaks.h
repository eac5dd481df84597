// Message texts carry their line breaks as written: a carriage return alone, a line feed alone,
// or the two together in either order.  Qt labels break lines only at a line feed, so a
// message box shows each of those forms as one line feed.
#pragma once
#include <string>
#include <string_view>

namespace zv {

inline std::string ShownLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    // "\r\n" and "\n\r" are one break.
    if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
      ++i;
  }
  return out;
}

}  // namespace zv
