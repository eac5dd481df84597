// Text files of the system: Windows-1252 on disk, CR LF line ends, UTF-8 in memory.  Every
// write goes to a temporary file beside the target and is renamed over it, so a crash or a
// full disk never leaves half a file.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Writes the bytes as the whole new content of `path`.  Throws IoError naming the file.
void WriteFileAtomic(const std::string& path, std::string_view bytes);
// Reads a whole file.  Throws IoError naming the file.
std::string ReadFileBytes(const std::string& path);

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
