// The login of the server mode.  Through a server the host never logs in as the server's
// administrator: it uses a user of its own, whose password only the workstation's account can
// read, either from an environment variable (services) or from a file beside the INI that no
// other account may read.  The connection also requires wire encryption.
#pragma once
#include <stdexcept>
#include <string>

namespace zv::data {

inline constexpr const char* kServerUser = "ZARVIK";
inline constexpr const char* kServerPasswordVariable = "ZARVIK_DB_PASSWORD";
inline constexpr const char* kServerPasswordFileName = "zarvik-bd.senha";

// A password that cannot be used; the text is for the operator.
class LoginError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first line of `path` (without its line end).  Raises LoginError when the file is
// missing, empty, not a regular file, or open to the group or to others.
std::string ReadPasswordFile(const std::string& path);

// The variable kServerPasswordVariable when set and not empty, else ReadPasswordFile(`path`).
std::string ServerPassword(const std::string& passwordFile);

}  // namespace zv::data
