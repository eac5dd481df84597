// Reading one column of the first row of a query, as every look-up of the access classes does.
#pragma once
#include <string>

#include "FbDatabase.h"

namespace zv::data {

// Opens the query and reads `column` of its first row: 0 or the empty text when there is none.
inline int FirstRowInt(fb::Dataset& q, const std::string& column) {
  q.Open();
  return static_cast<int>(q.FieldByName(column).AsInteger());
}

inline std::string FirstRowText(fb::Dataset& q, const std::string& column) {
  q.Open();
  return q.FieldByName(column).AsString();
}

}  // namespace zv::data
