// The walk over the rows of one table by one field's value that the backup uses: a flag that
// must be set first, a query rebuilt on each search, and First/Next/Prior over its rows.
#pragma once
#include <string>

#include "FbDatabase.h"

namespace zv::data {

class TableCursor {
 public:
  // `searchPrefix` is e.g. "SELECT * FROM Exames WHERE Exames."; the field name and
  // "=:Content" follow it.
  TableCursor(fb::Dataset& query, std::string searchPrefix)
      : query_(query), prefix_(std::move(searchPrefix)) {}

  void AbreCursor() { open_ = true; }
  void FechaCursor();
  // Nothing while the cursor is closed.  An empty movement runs a new search for `value` (as
  // text) in `field`; "First", "Next" and "Prior" move over its rows.
  void Localiza(const std::string& field, const std::string& value, const std::string& movement);
  int CodigoAtual() const;    // Codigo of the current row; 0 while closed or past the end
  int PacienteAtual() const;  // CodPaciente of the current row
  bool Aberto() const { return open_; }
  bool Eof() const { return query_.Eof(); }

 private:
  int Field(const char* name) const;
  fb::Dataset& query_;
  std::string prefix_;
  bool open_ = false;
};

}  // namespace zv::data
