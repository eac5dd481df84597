// Number and date formatting and parsing: every pattern and text ends with a result or a
// ConvertError.
#include "DateFormat.h"
#include "Errors.h"
#include "FuzzInput.h"
#include "NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv;
  fuzz::Leitor leitor(data, size);
  const double valor = leitor.Le<double>();
  DateTime quando;
  quando.year = leitor.Le<int16_t>();
  quando.month = leitor.Le<int8_t>();
  quando.day = leitor.Le<int8_t>();
  quando.hour = leitor.Le<int8_t>();
  quando.minute = leitor.Le<int8_t>();
  quando.second = leitor.Le<int8_t>();
  quando.msec = leitor.Le<int16_t>();
  const std::string_view texto = leitor.Resto();
  FormatFloat(texto, valor);
  FloatToStr(valor);
  FormatDateTime(texto, quando);
  double d;
  int i;
  TryStrToFloat(texto, d);
  TryStrToInt(texto, i);
  DateTime data_;
  ParseDate(texto, data_);
  return 0;
}
