// Text files of the system: Windows-1252 on disk, CR LF line ends, UTF-8 in memory.  Every
// write goes to a temporary file beside the target and is renamed over it, so a crash or a
// full disk never leaves half a file.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Writes the bytes as the whole new content of `path`: into a temporary file of its own in the
// same directory, synced, renamed over the file, then the directory synced.  A reader or a
// second writer sees the old content or a new one, never part of one.  A symbolic link is
// kept and the file it names rewritten; a rewritten file keeps its permissions and, where this
// process may keep it, its owner.  On failure the old file and no temporary file remain.
// Throws IoError naming the file.
void WriteFileAtomic(const std::string& path, std::string_view bytes);
// Rewrites an existing file through the file itself, for a file that may be written in a
// directory where no file may be created (no temporary file, no rename).  Not atomic: a crash
// part-way leaves part of the content, so it is only for where WriteFileAtomic cannot work.
// Throws IoError naming the file.
void WriteFileInPlace(const std::string& path, std::string_view bytes);
// True when this process may create and rename files in `dir`.
bool CanCreateFilesIn(const std::string& dir);
// Reads a whole file.  Throws IoError naming the file (a missing file, a directory, a read
// error).
std::string ReadFileBytes(const std::string& path);
// The file a chain of symbolic links ends at (`path` itself when it is no link).
std::string FollowLinks(const std::string& path);
// The directory part of a path ("." for a bare name).
std::string ParentDirectory(const std::string& path);
// The directory of the running program.
std::string ProgramDirectory();

// Joins UTF-8 lines into Windows-1252 text, each line followed by CR LF (the last one too,
// unless `endLastLine` is false).
std::string EncodeLines(const std::vector<std::string>& lines, bool endLastLine = true);
// Splits Windows-1252 text at CR LF, LF or a lone CR into UTF-8 lines; a final line end does
// not start an empty line.
std::vector<std::string> DecodeLines(std::string_view cp1252);

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    bool endLastLine = true);
std::vector<std::string> ReadTextLines(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the directory and its missing parents.  Throws IoError.
void ForceDirectories(const std::string& path);
// The platform's path separator.
constexpr char kPathDelim = '/';
// Joins two path pieces with exactly one separator.
std::string JoinPath(std::string_view dir, std::string_view name);

}  // namespace zv
