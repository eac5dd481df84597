#include "SqlText.h"

#include <cctype>

namespace zv::fb {
namespace {

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Length of the quoted text or comment starting at `i`, or 0 when none starts there.
size_t SkipLiteral(std::string_view s, size_t i) {
  const char c = s[i];
  if (c == '\'' || c == '"') {
    size_t j = i + 1;
    while (j < s.size()) {
      if (s[j] == c) {
        if (j + 1 < s.size() && s[j + 1] == c) {  // doubled quote inside the text
          j += 2;
          continue;
        }
        return j + 1 - i;
      }
      ++j;
    }
    return s.size() - i;  // unterminated: the rest is text
  }
  if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
    const size_t end = s.find('\n', i);
    return (end == std::string_view::npos ? s.size() : end) - i;
  }
  if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
    const size_t end = s.find("*/", i + 2);
    return (end == std::string_view::npos ? s.size() : end + 2) - i;
  }
  return 0;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

PositionalSql ToPositional(std::string_view sql) {
  PositionalSql out;
  size_t i = 0;
  while (i < sql.size()) {
    if (const size_t n = SkipLiteral(sql, i)) {
      out.sql.append(sql.substr(i, n));
      i += n;
      continue;
    }
    if (sql[i] == ':' && i + 1 < sql.size() && IsNameChar(sql[i + 1])) {
      size_t j = i + 1;
      while (j < sql.size() && IsNameChar(sql[j])) ++j;
      out.names.push_back(Upper(sql.substr(i + 1, j - i - 1)));
      out.sql.push_back('?');
      i = j;
      continue;
    }
    out.sql.push_back(sql[i++]);
  }
  return out;
}

std::vector<std::string> SplitScript(std::string_view script) {
  std::vector<std::string> statements;
  std::string terminator = ";";
  size_t start = 0, i = 0;
  auto flush = [&](size_t end) {
    const std::string_view text = Trim(script.substr(start, end - start));
    if (!text.empty()) statements.emplace_back(text);
  };
  while (i < script.size()) {
    // "SET TERM" is recognised at the start of a statement only.
    if (Trim(script.substr(start, i - start)).empty()) {
      const std::string head = Upper(script.substr(i, 8));
      if (head == "SET TERM" && i + 8 < script.size() &&
          std::isspace(static_cast<unsigned char>(script[i + 8]))) {
        size_t j = i + 8;
        while (j < script.size() && std::isspace(static_cast<unsigned char>(script[j]))) ++j;
        size_t k = j;
        while (k < script.size() && !std::isspace(static_cast<unsigned char>(script[k]))) ++k;
        const std::string next(script.substr(j, k - j));
        const size_t end = script.find(terminator, k);
        i = end == std::string_view::npos ? script.size() : end + terminator.size();
        terminator = next;
        start = i;
        continue;
      }
    }
    if (const size_t n = SkipLiteral(script, i)) {
      i += n;
      continue;
    }
    if (script.compare(i, terminator.size(), terminator) == 0) {
      flush(i);
      i += terminator.size();
      start = i;
      continue;
    }
    ++i;
  }
  flush(script.size());
  // A statement made only of comments is dropped too.
  std::vector<std::string> kept;
  for (auto& s : statements) {
    size_t p = 0;
    bool onlyComments = true;
    while (p < s.size()) {
      if (std::isspace(static_cast<unsigned char>(s[p]))) {
        ++p;
      } else if (const size_t n = SkipLiteral(s, p); n && s[p] != '\'' && s[p] != '"') {
        p += n;
      } else {
        onlyComments = false;
        break;
      }
    }
    if (!onlyComments) kept.push_back(std::move(s));
  }
  return kept;
}

std::string EscapeQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
  return out;
}

bool IsDdl(std::string_view statement) {
  size_t i = 0;
  while (i < statement.size()) {  // skip leading blanks and comments
    if (std::isspace(static_cast<unsigned char>(statement[i]))) {
      ++i;
    } else if (const size_t n = SkipLiteral(statement, i);
               n && statement[i] != '\'' && statement[i] != '"') {
      i += n;
    } else {
      break;
    }
  }
  size_t j = i;
  while (j < statement.size() && IsNameChar(statement[j])) ++j;
  const std::string word = Upper(statement.substr(i, j - i));
  return word == "CREATE" || word == "ALTER" || word == "DROP" || word == "RECREATE" ||
         word == "DECLARE" || word == "GRANT" || word == "REVOKE" || word == "COMMENT";
}

}  // namespace zv::fb
