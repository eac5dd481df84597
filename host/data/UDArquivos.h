// The two capture images of an exam (table Arquivos), stored as byte blobs.
#pragma once
#include "UBConstantes.h"
#include "UfrmDataModule.h"

namespace zv::data {

class TDArquivos {
 public:
  explicit TDArquivos(TDMPrincipal& dm) : dm_(dm) {}
  // Stores the whole content of both streams (whatever their positions); commits.
  void InsereImagens(int codigoExame, TZVStream* central, TZVStream* lateral);
  // Replaces the content of each stream by the image of the exam's first row (empty when
  // there is none) and rewinds both.
  void LeImagens(int codigoExame, TZVStream* central, TZVStream* lateral);

 private:
  TDMPrincipal& dm_;
};

}  // namespace zv::data
