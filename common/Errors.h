// Exceptions raised by the common helpers.
#pragma once
#include <stdexcept>
#include <string>

namespace zv {

// A text that does not convert to the number asked for.
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file or stream that cannot be read or written; the message names the file.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zv
