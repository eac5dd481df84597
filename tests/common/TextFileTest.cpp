#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

#include "Errors.h"
#include "Streams.h"
#include "TestPaths.h"
#include "Text1252.h"
#include "TextFile.h"

namespace zv {
namespace {

// The names in a directory.
std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A whole content of one letter, as each writer of the races below writes it.
bool IsWholeContent(const std::string& bytes, size_t size) {
  return bytes.size() == size && (bytes.find_first_not_of(bytes.front()) == std::string::npos);
}

TEST(Text1252, RoundTripsPortugueseAndTheHighRange) {
  const std::string utf8 = "Calibração ÁÇÕ ü € “aspas” – fim";
  const std::string cp = Utf8ToCp1252(utf8);
  EXPECT_EQ(cp.size(), 32u);
  EXPECT_EQ(static_cast<unsigned char>(cp[7]), 0xE7);  // ç
  EXPECT_EQ(Cp1252ToUtf8(cp), utf8);
  EXPECT_EQ(Utf8ToCp1252("日本"), "??");
  EXPECT_EQ(Utf8ToCp1252(std::string("a\xC3", 2)), "a?");  // truncated sequence
}

TEST(TextFile, WritesCrLfWindows1252AndReadsAnyLineEnd) {
  test::TempDir dir;
  const std::string path = dir / "a.txt";
  WriteTextLines(path, {"Olho Direito", "ação"});
  EXPECT_EQ(ReadFileBytes(path), "Olho Direito\r\na\xE7\xE3o\r\n");
  WriteTextLines(path, {"x", "*"}, false);
  EXPECT_EQ(ReadFileBytes(path), "x\r\n*");
  EXPECT_EQ(DecodeLines("a\nb\r\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(DecodeLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(TextFile, AFailedWriteKeepsTheOldContentAndNamesTheFile) {
  test::TempDir dir;
  const std::string path = dir / "d.txt";
  WriteTextLines(path, {"old"});
  // A file-size limit makes the write fail part-way, as a full disk would (also for root).
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string message;
  try {
    WriteTextLines(path, std::vector<std::string>(100, "00.00 00.00 00.00"));
  } catch (const IoError& e) {
    message = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(ReadFileBytes(path), "old\r\n");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"d.txt"});  // no temporary file left
  EXPECT_THROW(WriteTextLines(dir / "d.txt/inner.txt", {"x"}), IoError);
  EXPECT_THROW(ReadFileBytes(dir / "missing.txt"), IoError);
}

TEST(TextFile, ARewriteKeepsModeOwnerAndSymbolicLinks) {
  test::TempDir dir;
  const std::string path = dir / "Zarvik.ini";
  WriteTextLines(path, {"old"});
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  WriteTextLines(path, {"new"});
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(st.st_uid, 65534u);  // only a privileged writer can keep another owner
  }

  // A link is kept; the file it names, here through a relative link, is rewritten.
  ForceDirectories(dir / "real");
  WriteTextLines(dir / "real/a.txt", {"old"});
  ASSERT_EQ(::symlink("real/a.txt", (dir / "link.txt").c_str()), 0);
  WriteTextLines(dir / "link.txt", {"new"});
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFileBytes(dir / "real/a.txt"), "new\r\n");
  EXPECT_EQ(Entries(dir / "real"), std::vector<std::string>{"a.txt"});
}

// Two processes rewrite one file while this one reads it: every read sees one writer's whole
// content, no write fails, and no temporary file is left behind.
TEST(TextFile, ConcurrentWritersNeverShowAPartOfAFile) {
  test::TempDir dir;
  const std::string path = dir / "BackUp.ini";
  constexpr size_t kSize = 256 * 1024;
  WriteFileAtomic(path, std::string(kSize, 'A'));
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  std::vector<pid_t> writers;
  for (char letter : {'B', 'C'}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const std::string content(kSize, letter);
      int failures = 0;
      while (std::chrono::steady_clock::now() < until) {
        try {
          WriteFileAtomic(path, content);
        } catch (const IoError&) {
          ++failures;
        }
      }
      ::_exit(std::min(failures, 255));
    }
    writers.push_back(pid);
  }
  int reads = 0, partial = 0;
  while (std::chrono::steady_clock::now() < until) {
    ++reads;
    if (!IsWholeContent(ReadFileBytes(path), kSize)) ++partial;
  }
  for (pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed writes: " << status;
  }
  EXPECT_EQ(partial, 0) << "of " << reads << " reads";
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"BackUp.ini"});
}

// A writer killed at any moment leaves the old content or the new one, whole.
TEST(TextFile, AWriterKilledAtAnyMomentLeavesAWholeFile) {
  test::TempDir dir;
  const std::string path = dir / "a.txt";
  constexpr size_t kSize = 512 * 1024;
  WriteFileAtomic(path, std::string(kSize, 'A'));
  for (int trial = 0; trial < 20; ++trial) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (char letter = 'B';; letter = letter == 'B' ? 'C' : 'B')
        WriteFileAtomic(path, std::string(kSize, letter));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + 997 * trial % 9000));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_TRUE(IsWholeContent(ReadFileBytes(path), kSize)) << "trial " << trial;
  }
}

TEST(Streams, MemoryStreamReadsWritesAndSeeks) {
  MemoryStream s("abc");
  TZVStream* h = s.Handle();
  h->Seek(h->context, 0, ZV_SEEK_END);
  StreamWriteLines(h, {"Processamento ç"});
  EXPECT_EQ(s.Bytes(), "abcProcessamento \xE7\r\n");
  StreamRewind(h);
  EXPECT_EQ(StreamReadLines(h), (std::vector<std::string>{"abcProcessamento ç"}));
  h->SetSize(h->context, 2);
  EXPECT_EQ(StreamReadAll(h), "ab");
  EXPECT_EQ(h->Size(h->context), 2);
}

// A module may call the stream's functions with anything: the stream stays whole and only ever
// holds what was written to it.
TEST(Streams, EveryCallAModuleCanMakeIsSafe) {
  MemoryStream s("abc");
  TZVStream* h = s.Handle();
  char buffer[8] = {};

  h->SetSize(h->context, -5);  // a negative size empties the stream, position at the start
  EXPECT_EQ(h->Size(h->context), 0);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(h->Write(h->context, "xy", 2), 2);
  EXPECT_EQ(s.Bytes(), "xy");

  // Past the end a write fills the gap with zeros; before the start is the start.
  EXPECT_EQ(h->Seek(h->context, 2, ZV_SEEK_END), 4);
  EXPECT_EQ(h->Write(h->context, "z", 1), 1);
  EXPECT_EQ(s.Bytes(), std::string("xy\0\0z", 5));
  EXPECT_EQ(h->Seek(h->context, -100, ZV_SEEK_CURRENT), 0);
  EXPECT_EQ(h->Seek(h->context, INT64_MIN, ZV_SEEK_END), 0);
  EXPECT_EQ(h->Read(h->context, buffer, -1), 0);
  EXPECT_EQ(h->Read(h->context, nullptr, 3), 0);

  // Positions and sizes no memory could hold are refused and change nothing.
  h->Seek(h->context, INT64_MAX, ZV_SEEK_BEGIN);
  h->Seek(h->context, INT64_MAX, ZV_SEEK_CURRENT);
  EXPECT_EQ(h->Write(h->context, "w", 1), 0);
  EXPECT_EQ(h->Read(h->context, buffer, sizeof buffer), 0);
  h->SetSize(h->context, INT64_MAX);
  h->Seek(h->context, 0, ZV_SEEK_BEGIN);
  EXPECT_EQ(h->Write(h->context, "w", INT64_MAX), 0);
  EXPECT_EQ(h->Write(h->context, nullptr, 4), 0);
  EXPECT_EQ(s.Bytes(), std::string("xy\0\0z", 5));

  h->SetSize(h->context, 2);  // shrinking below the position brings the position back
  EXPECT_EQ(h->Seek(h->context, 0, ZV_SEEK_END), 2);
  h->Seek(h->context, 5, ZV_SEEK_BEGIN);
  h->SetSize(h->context, 1);
  EXPECT_EQ(s.Position(), 1);
  EXPECT_EQ(h->Read(h->context, buffer, sizeof buffer), 0);
}

TEST(Paths, JoinAndCreate) {
  test::TempDir dir;
  EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  ForceDirectories(dir / "x/y/Calibração");
  EXPECT_TRUE(DirectoryExists(dir / "x/y/Calibração"));
}

}  // namespace
}  // namespace zv
