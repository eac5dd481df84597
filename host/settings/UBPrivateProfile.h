// Private-profile (INI) files as the workstation keeps its settings: "[Section]" headers and
// "Key=Value" lines in Windows-1252.  Sections and keys match without regard to case.  Each
// call opens, reads or rewrites, and closes the file; nothing is cached.
#pragma once
#include <optional>
#include <string>

namespace zv {

// The value of `key` in `section` (UTF-8, surrounding blanks removed, one pair of enclosing
// quotes removed), or nothing when the file, the section or the key is missing.  Lines without
// "=", lines before the first section and undecodable bytes never stop the read.
std::optional<std::string> ReadProfileString(const std::string& file, const std::string& section,
                                             const std::string& key);

// Sets `key` in `section` to `value`: only that key's line changes; a missing key is added at the
// end of its section, a missing section at the end of the file, a missing file is created.  The
// file is rewritten through a temporary file, or in place when its directory admits no new
// file.  A line break in the value is written as a space.  Throws IoError, and leaves the file
// as it was, when the file is there but cannot be read whole or cannot be written.
void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace zv
