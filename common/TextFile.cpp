#include "TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Errors.h"
#include "Text1252.h"

namespace zv {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
  throw IoError(what + " \"" + path + "\": " + std::strerror(err));
}

}  // namespace

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp~";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail("Cannot create", path, errno);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      Fail("Cannot write", path, err);
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    Fail("Cannot write", path, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    Fail("Cannot replace", path, err);
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("Cannot open", path, errno ? errno : ENOENT);
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) Fail("Cannot read", path, errno);
  return content.str();
}

std::string EncodeLines(const std::vector<std::string>& lines, bool endLastLine) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    out += Utf8ToCp1252(lines[i]);
    if (i + 1 < lines.size() || endLastLine) out += "\r\n";
  }
  return out;
}

std::vector<std::string> DecodeLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(Cp1252ToUtf8(text.substr(start, i - start)));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(Cp1252ToUtf8(text.substr(start)));
  return lines;
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    bool endLastLine) {
  WriteFileAtomic(path, EncodeLines(lines, endLastLine));
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return DecodeLines(ReadFileBytes(path));
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

void ForceDirectories(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec && !DirectoryExists(path)) Fail("Cannot create directory", path, ec.value());
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string out(dir);
  if (!out.empty() && out.back() != kPathDelim) out += kPathDelim;
  while (!name.empty() && name.front() == kPathDelim) name.remove_prefix(1);
  out += name;
  return out;
}

}  // namespace zv
