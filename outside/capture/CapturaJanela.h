// What both capture modules do around their window: the mode from the host's eye argument, the
// window run modally over the host's window, and the captured pictures written into the host's
// streams.  A cancelled capture leaves every stream empty.
#pragma once
#include <QWidget>
#include <cstdint>

#include "UBConstantes.h"

namespace captura {

// Runs the capture of `quantas` central and lateral pictures (1, or 4 for a follow-up).
// `olho` 0 left, 1 right, 2 calibration sphere (the radius taken from the caption).
// Returns 1 when the pictures were written, 0 otherwise.
int32_t ExecutaCaptura(QWidget* pai, TZVStream* const* centrais, TZVStream* const* laterais,
                       int quantas, int32_t olho, const char* titulo);

}  // namespace captura
