#include "UBPrivateProfile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "Text1252.h"
#include "TextFile.h"

namespace zv {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The raw lines of the file (Windows-1252 bytes, without their line ends).
std::vector<std::string> SplitRaw(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || bytes[i] == '\r') {
      lines.push_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// The section name of a "[Name]" line, or nothing.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a "Key=Value" line, or nothing.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, eq));
}

std::string ValueOf(std::string_view line) {
  std::string_view v = Trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 &&
      ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// A value stays on its key's line: each line break in it is written as a space, so typed text
// can never add a key or a section of its own.
std::string OneLine(std::string value) {
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return value;
}

// The whole current content for a rewrite: empty for a missing file, an IoError for a file
// that is there but cannot be read (rewriting it from nothing would lose every other key).
std::string ContentToRewrite(const std::string& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0 && errno == ENOENT) return {};
  return ReadFileBytes(file);
}

// Replaces the file's content.  An installation directory may be closed to this user while
// the settings file in it is not: then the file is rewritten where it is.
void Rewrite(const std::string& file, const std::string& bytes) {
  const std::string target = FollowLinks(file);
  if (FileExists(target) && !CanCreateFilesIn(ParentDirectory(target))) {
    WriteFileInPlace(target, bytes);
  } else {
    WriteFileAtomic(target, bytes);
  }
}

std::optional<std::string> ReadBytes(const std::string& file) {
  if (!FileExists(file)) return std::nullopt;
  try {
    return ReadFileBytes(file);
  } catch (const IoError&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& file, const std::string& section,
                                             const std::string& key) {
  const auto bytes = ReadBytes(file);
  if (!bytes) return std::nullopt;
  const std::string sectionCp = Utf8ToCp1252(section), keyCp = Utf8ToCp1252(key);
  bool inSection = false;
  for (const std::string& line : SplitRaw(*bytes)) {
    if (auto name = SectionOf(line)) {
      inSection = SameName(*name, sectionCp);
      continue;
    }
    if (!inSection) continue;
    if (auto k = KeyOf(line); k && SameName(*k, keyCp)) return Cp1252ToUtf8(ValueOf(line));
  }
  return std::nullopt;
}

void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
  std::vector<std::string> lines = SplitRaw(ContentToRewrite(file));
  const std::string sectionCp = Utf8ToCp1252(section), keyCp = Utf8ToCp1252(key);
  const std::string valueCp = Utf8ToCp1252(OneLine(value));
  const std::string newLine = keyCp + "=" + valueCp;
  bool inSection = false, sectionFound = false, written = false;
  size_t insertAt = lines.size();
  for (size_t i = 0; i < lines.size() && !written; ++i) {
    if (auto name = SectionOf(lines[i])) {
      if (inSection) break;  // end of our section: the key is missing there
      inSection = SameName(*name, sectionCp);
      if (inSection) {
        sectionFound = true;
        insertAt = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (auto k = KeyOf(lines[i])) {
      if (SameName(*k, keyCp)) {
        // Keep the key as it is spelt in the file; only the value changes.
        lines[i] = lines[i].substr(0, lines[i].find('=') + 1) + valueCp;
        written = true;
      } else {
        insertAt = i + 1;
      }
    }
  }
  if (!written) {
    if (sectionFound) {
      lines.insert(lines.begin() + static_cast<long>(insertAt), newLine);
    } else {
      lines.push_back("[" + sectionCp + "]");
      lines.push_back(newLine);
    }
  }
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  Rewrite(file, out);
}

}  // namespace zv
