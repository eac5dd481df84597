#include "UBMapOperation.h"

#include <cstring>
#include <vector>

#include "Errors.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "UBArquivosExame.h"

namespace zv {
namespace {

// Decimal integer with an optional sign (surrounding blanks allowed).
int32_t DecimalInteger(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  const size_t last = text.find_last_not_of(" \t");
  const std::string_view t = first == std::string::npos
                                 ? std::string_view()
                                 : std::string_view(text).substr(first, last - first + 1);
  const size_t digits = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (digits == t.size() || t.find_first_not_of("0123456789", digits) != std::string_view::npos)
    throw ConvertError("'" + text + "' is not a valid integer value");
  return StrToInt(t);
}

// A meridian's ring count: a map module indexes the 33-column tables with it, so a count outside
// 0..32 (a damaged file) is refused rather than handed on.
int32_t RingCount(const std::string& text) {
  const int32_t count = DecimalInteger(text);
  if (count < 0 || count > 32) throw ConvertError("'" + text + "' is not a ring count (0..32)");
  return count;
}

// The file's lines, each read through `read`; a conversion error names the file and line.
class LinhasArquivo {
 public:
  explicit LinhasArquivo(const std::string& path) : path_(path), lines_(ReadTextLines(path)) {}
  size_t Count() const { return lines_.size(); }
  // Line n (1-based); past the end of the file, an empty line.
  const std::string& Line(size_t n) const {
    static const std::string empty;
    return n >= 1 && n <= lines_.size() ? lines_[n - 1] : empty;
  }
  template <class Read>
  auto Convert(size_t n, Read read) const {
    try {
      return read(Line(n));
    } catch (const ConvertError& e) {
      throw ConvertError("Arquivo \"" + path_ + "\", linha " + IntToStr(static_cast<long long>(n)) +
                         ": " + e.what());
    }
  }

 private:
  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace

TBMapOperation::TBMapOperation(Dialogs& dialogs) : dialogs_(dialogs) {}

bool TBMapOperation::LoadExam(const std::string& prefix) {
  fileM_ = prefix + "m.txt";
  fileD_ = prefix + "d.txt";
  fileA_ = prefix + "a.txt";
  // Rows past the end of a short file and columns past a line's last value must not show an
  // earlier exam's values.
  Clear();
  if (!ReadPixelFile()) return false;
  if (!ReadDioptreFile()) return false;
  return ReadHeaderFile();
}

void TBMapOperation::Clear() {
  std::memset(ringCounts_, 0, sizeof ringCounts_);
  std::memset(dioptres_, 0, sizeof dioptres_);
  std::memset(pixels_, 0, sizeof pixels_);
  std::memset(pupil_, 0, sizeof pupil_);
  centroX_ = centroY_ = 0;
}

bool TBMapOperation::ReadPixelFile() {
  return ReadTableFile(fileM_, "m.txt", pixels_);
}

bool TBMapOperation::ReadDioptreFile() {
  return ReadTableFile(fileD_, "d.txt", dioptres_);
}

bool TBMapOperation::ReadTableFile(const std::string& path, const char* name,
                                   TMatrizAngAnel& table) {
  if (!FileExists(path)) {
    dialogs_.Message(std::string("Arquivo ") + name + " não encontrado!", "Erro", MsgIcon::Error);
    return false;
  }
  const LinhasArquivo file(path);
  for (size_t row = 0; row < kMeridianos; ++row) {
    file.Convert(row + 1, [&](const std::string& line) {
      LeLinhaTabelaAneis(line, table[row]);
      return 0;
    });
  }
  return true;
}

bool TBMapOperation::ReadHeaderFile() {
  if (!FileExists(fileA_)) {
    dialogs_.Message("Arquivo a.txt não encontrado!", "Erro", MsgIcon::Error);
    return false;
  }
  const LinhasArquivo file(fileA_);
  centroX_ = file.Convert(1, [](const std::string& line) { return ToFloat(line); });
  centroY_ = file.Convert(2, [](const std::string& line) { return ToFloat(line); });
  size_t firstCount = 3;
  if (file.Line(3) == "@") {
    for (size_t i = 0; i < 4; ++i) pupil_[i] = file.Convert(4 + i, DecimalInteger);
    firstCount = 8;
  } else {
    // Older header without pupil: the ring counts follow the centre directly.
    std::memset(pupil_, 0, sizeof pupil_);
  }
  for (size_t meridian = 0; meridian < kMeridianos; ++meridian)
    ringCounts_[meridian] = file.Convert(firstCount + meridian, RingCount);
  return true;
}

void TBMapOperation::GetRingCounts(TMatrizAng& out) const {
  std::memcpy(out, ringCounts_, sizeof ringCounts_);
}

void TBMapOperation::GetDioptreTable(TMatrizAngAnel& out) const {
  std::memcpy(out, dioptres_, sizeof dioptres_);
}

void TBMapOperation::GetPixelTable(TMatrizAngAnel& out) const {
  std::memcpy(out, pixels_, sizeof pixels_);
}

void TBMapOperation::GetPupil(TPupila& out) const {
  std::memcpy(out, pupil_, sizeof pupil_);
}

}  // namespace zv
