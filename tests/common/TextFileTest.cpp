#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "Errors.h"
#include "Streams.h"
#include "TestPaths.h"
#include "Text1252.h"
#include "TextFile.h"

namespace zv {
namespace {

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
  EXPECT_FALSE(FileExists(path + ".tmp~"));
  EXPECT_THROW(WriteTextLines(dir / "d.txt/inner.txt", {"x"}), IoError);
  EXPECT_THROW(ReadFileBytes(dir / "missing.txt"), IoError);
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

TEST(Paths, JoinAndCreate) {
  test::TempDir dir;
  EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  ForceDirectories(dir / "x/y/Calibração");
  EXPECT_TRUE(DirectoryExists(dir / "x/y/Calibração"));
}

}  // namespace
}  // namespace zv
