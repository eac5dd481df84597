#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "Errors.h"
#include "Text1252.h"

namespace zv {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
  throw IoError(what + " \"" + path + "\": " + std::strerror(err));
}

// The new file takes the old one's owner.  Only a privileged process may give a file away, so
// an owner that cannot be kept is no error; the group is still kept when this user belongs to
// it.
void KeepOwner(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

// Writes all the bytes from the descriptor's position; 0 or the error number.
int WriteAll(int fd, std::string_view bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    written += static_cast<size_t>(n);
  }
  return 0;
}

// Gives a new file its content and the replaced file's owner and permissions (`old`, null for a
// file that is new), on disk; 0 or the error number.
int Fill(int fd, std::string_view bytes, const struct stat* old) {
  if (const int err = WriteAll(fd, bytes)) return err;
  if (old) {
    KeepOwner(fd, *old);
    if (::fchmod(fd, old->st_mode & 07777) != 0) return errno;
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

// A name beside `target` that no other writer uses at this moment; the caller creates it
// exclusively and asks again when it exists after all.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".tmp~" + std::to_string(::getpid()) + "." +
         std::to_string(counter.fetch_add(1)) + "." +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
}

constexpr int kNameAttempts = 100;

// Writes the content into a file without a name in the target's directory and names it only
// once it is whole and on disk, so a process killed while writing leaves nothing behind.
// False, with nothing written, where the system offers no such files; `temp` is the name.
bool WriteUnnamed(const std::string& target, const std::string& path, std::string_view bytes,
                  const struct stat* old, std::string& temp) {
  const int fd = ::open(ParentDirectory(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (const int err = Fill(fd, bytes, old)) {
    ::close(fd);
    Fail("Cannot write", path, err);
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temp = TemporaryName(target);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      ::close(fd);
      return true;
    }
    if (errno != EEXIST) break;
  }
  ::close(fd);
  return false;
}

// Writes the content into a new file named `temp` beside the target.
void WriteNamed(const std::string& target, const std::string& path, std::string_view bytes,
                const struct stat* old, std::string& temp) {
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < kNameAttempts; ++attempt) {
    temp = TemporaryName(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) Fail("Cannot create", path, errno);
  }
  if (fd < 0) Fail("Cannot create", path, EEXIST);
  int err = Fill(fd, bytes, old);
  if (::close(fd) != 0 && !err) err = errno;
  if (err) {
    ::unlink(temp.c_str());
    Fail("Cannot write", path, err);
  }
}

// A rename lasts only once the directory holding it is on disk.
void SyncDirectory(const std::string& dir, const std::string& path) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail("Cannot sync the directory of", path, errno);
  if (::fsync(fd) != 0 && errno != EINVAL) {  // EINVAL: a file system that syncs by itself
    const int err = errno;
    ::close(fd);
    Fail("Cannot sync the directory of", path, err);
  }
  ::close(fd);
}

}  // namespace

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  // Bounded like the kernel's own lookup: a loop of links ends at a link that no one can open.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return current;
    target.resize(static_cast<size_t>(n));
    if (target.front() != kPathDelim) target = JoinPath(ParentDirectory(current), target);
    current = target;
  }
  return current;
}

std::string ParentDirectory(const std::string& path) {
  const size_t slash = path.find_last_of(kPathDelim);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return std::string(1, kPathDelim);
  return path.substr(0, slash);
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  // A link stays a link: the file it names is the one rewritten.
  const std::string target = FollowLinks(path);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (!replacing && errno != ENOENT) Fail("Cannot open", path, errno);  // a loop of links, say

  std::string temp;
  if (!WriteUnnamed(target, path, bytes, replacing ? &old : nullptr, temp))
    WriteNamed(target, path, bytes, replacing ? &old : nullptr, temp);
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    Fail("Cannot replace", path, err);
  }
  SyncDirectory(ParentDirectory(target), path);
}

void WriteFileInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) Fail("Cannot open", path, errno);
  int err = WriteAll(fd, bytes);
  if (!err && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) err = errno;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (err) Fail("Cannot write", path, err);
}

bool CanCreateFilesIn(const std::string& dir) {
  return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("Cannot open", path, errno);
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      Fail("Cannot read", path, err);
    }
    content.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return content;
}

std::string ProgramDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
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
