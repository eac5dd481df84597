#include "FbValue.h"

#include <cmath>

#include "Errors.h"
#include "NumberFormat.h"

namespace zv::fb {

int64_t Value::AsInteger() const {
  if (auto p = std::get_if<int64_t>(&v_)) return *p;
  if (auto p = std::get_if<double>(&v_)) return static_cast<int64_t>(std::llround(*p));
  if (auto p = std::get_if<std::string>(&v_)) return StrToInt(*p);
  if (IsNull()) return 0;
  throw ConvertError("valor não é um número inteiro");
}

double Value::AsFloat() const {
  if (auto p = std::get_if<double>(&v_)) return *p;
  if (auto p = std::get_if<int64_t>(&v_)) return static_cast<double>(*p);
  if (auto p = std::get_if<std::string>(&v_)) return StrToFloat(*p);
  if (IsNull()) return 0.0;
  throw ConvertError("valor não é um número");
}

std::string Value::AsString() const {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return FloatToStr(v); }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(const SqlDate& v) const { return FormatDateTime("dd/MM/yyyy", v.value); }
    std::string operator()(const SqlTime& v) const { return FormatDateTime("HH:mm:ss", v.value); }
    std::string operator()(const SqlTimestamp& v) const {
      return FormatDateTime("dd/MM/yyyy HH:mm:ss", v.value);
    }
    std::string operator()(const SqlBlob& v) const { return v.bytes; }
  };
  return std::visit(Visitor{}, v_);
}

DateTime Value::AsDateTime() const {
  if (auto p = std::get_if<SqlDate>(&v_)) return p->value;
  if (auto p = std::get_if<SqlTime>(&v_)) return p->value;
  if (auto p = std::get_if<SqlTimestamp>(&v_)) return p->value;
  if (IsNull()) return DateTime{};
  throw ConvertError("valor não é uma data ou hora");
}

const std::string& Value::AsBytes() const {
  static const std::string empty;
  if (auto p = std::get_if<SqlBlob>(&v_)) return p->bytes;
  if (auto p = std::get_if<std::string>(&v_)) return *p;
  return empty;
}

}  // namespace zv::fb
