// The engine's master interface, a status wrapper and the translation of an engine error into
// DatabaseError, shared by the statement layer and the services (backup and restore).
#pragma once
#include <firebird/Interface.h>

namespace zv::fb {

inline Firebird::IMaster* Master() {
  return Firebird::fb_get_master_interface();
}

// A status wrapper that throws FbException and disposes its status at scope end.
class Status : public Firebird::ThrowStatusWrapper {
 public:
  Status() : Firebird::ThrowStatusWrapper(Master()->getStatus()) {}
  ~Status() { dispose(); }
};

// Throws the engine error `e` as a DatabaseError with its text, GDS code and SQL code.
[[noreturn]] void RaiseDatabaseError(const Firebird::FbException& e);

}  // namespace zv::fb
