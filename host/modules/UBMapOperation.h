// TBMapOperation: loads the three files of one stored exam ("m.txt" pixel table, "d.txt"
// dioptre table, "a.txt" header) and hands out copies of its tables, centre and pupil.  One
// instance serves the whole run; each user loads an exam and takes its copies at once.
#pragma once
#include <string>

#include "Dialogs.h"
#include "UBConstantes.h"

namespace zv {

class TBMapOperation {
 public:
  explicit TBMapOperation(Dialogs& dialogs);

  // Reads prefix + "m.txt", prefix + "d.txt" and prefix + "a.txt" in that order (the prefix is
  // the patient directory joined with the exam code).  The state is cleared first, so cells a
  // file does not supply are zero.  The first missing file is reported ("Arquivo m.txt não
  // encontrado!", ...) and gives false without opening the files after it.  A value that does
  // not convert throws ConvertError naming the file and the line.
  bool LoadExam(const std::string& prefix);

  void GetRingCounts(TMatrizAng& out) const;
  void GetDioptreTable(TMatrizAngAnel& out) const;
  void GetPixelTable(TMatrizAngAnel& out) const;
  double GetCenterX() const { return centroX_; }
  double GetCenterY() const { return centroY_; }
  void GetPupil(TPupila& out) const;
  const std::string& FileA() const { return fileA_; }
  const std::string& FileD() const { return fileD_; }
  const std::string& FileM() const { return fileM_; }

 private:
  bool ReadPixelFile();
  bool ReadDioptreFile();
  bool ReadHeaderFile();
  bool ReadTableFile(const std::string& path, const char* name, TMatrizAngAnel& table);
  void Clear();

  Dialogs& dialogs_;
  std::string fileA_, fileD_, fileM_;
  TMatrizAng ringCounts_ = {};
  TMatrizAngAnel dioptres_ = {};
  TMatrizAngAnel pixels_ = {};
  double centroX_ = 0, centroY_ = 0;
  TPupila pupil_ = {};
};

}  // namespace zv
