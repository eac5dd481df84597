// One value read from or bound to a statement: null, integer, floating-point, text (UTF-8 in
// memory, WIN1252 in the database), date, time, timestamp or a byte blob.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

#include "DateFormat.h"

namespace zv::fb {

struct SqlDate {
  DateTime value;  // year, month, day
};
struct SqlTime {
  DateTime value;  // hour, minute, second, msec
};
struct SqlTimestamp {
  DateTime value;
};
struct SqlBlob {
  std::string bytes;
};

class Value {
 public:
  using Storage = std::variant<std::monostate, int64_t, double, std::string, SqlDate, SqlTime,
                               SqlTimestamp, SqlBlob>;
  Value() = default;
  Value(int v) : v_(int64_t{v}) {}
  Value(int64_t v) : v_(v) {}
  Value(double v) : v_(v) {}
  Value(std::string v) : v_(std::move(v)) {}
  Value(const char* v) : v_(std::string(v)) {}
  Value(SqlDate v) : v_(v) {}
  Value(SqlTime v) : v_(v) {}
  Value(SqlTimestamp v) : v_(v) {}
  Value(SqlBlob v) : v_(std::move(v)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  const Storage& Raw() const { return v_; }

  // Conversions in the manner of a dataset field: null gives 0 or the empty text; a text that
  // is no number raises ConvertError.
  int64_t AsInteger() const;
  double AsFloat() const;
  std::string AsString() const;  // dates "dd/MM/yyyy", times "HH:mm:ss", blobs as their bytes
  DateTime AsDateTime() const;
  const std::string& AsBytes() const;  // blob or text bytes; empty for anything else

 private:
  Storage v_;
};

// An error reported by the database engine; what() is the engine's own text.
class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(const std::string& text, long gdsCode = 0, int sqlCode = 0)
      : std::runtime_error(text), gdsCode_(gdsCode), sqlCode_(sqlCode) {}
  long GdsCode() const { return gdsCode_; }  // first engine error code, e.g. 335544336
  int SqlCode() const { return sqlCode_; }   // e.g. -913 for a lock conflict

 private:
  long gdsCode_;
  int sqlCode_;
};

}  // namespace zv::fb
