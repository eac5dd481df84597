// What the ring review window asks of the module's ring processing during one call: detection
// and clean-up from a starting point, the working ring table the operator edits, the clean-up
// sequences behind "Retocar" and "Interpolar", and finishing an image into the tables returned
// to the host.  The review window is written against this, and the processing core provides it.
#pragma once
#include <QImage>
#include <cstdint>

#include "UfrmDadosOrto.h"

namespace zv {

class RingProcessing {
 public:
  virtual ~RingProcessing() = default;

  // Image `index` (1..4): resets the centre to (x, y), refines it three times on `image`, detects
  // `rings` ring edges with scan start `scanStart` and runs the clean-up after a detection.
  virtual void ProcessImage(int index, const QImage& image, int x, int y, int rings,
                            uint8_t scanStart) = 0;
  // Confidence index (percent) of the current centre.
  virtual double ConfidenceIndex() const = 0;
  virtual double CentreX() const = 0;
  virtual double CentreY() const = 0;

  // Working ring table: row 1..360 (direction in degrees), ring 1..32, radius in pixels from the
  // centre, 0 meaning no point.
  virtual double Radius(int row, int ring) const = 0;
  virtual void SetRadius(int row, int ring, double radius) = 0;
  virtual void SetRingCount(int row, int count) = 0;

  // One retouch sequence ("Retocar").
  virtual void Retouch() = 0;
  // Ring completion and five retouch sequences ("Interpolar").
  virtual void Interpolate() = 0;
  // Finishes image 1..4 into the tables returned to the host; true when the image was stored.
  // An image still being edited (`inEditing`), a coefficient file with more rings than the
  // exam, or a calibration that cannot convert every ring shows its message and stores nothing:
  // false, and the operation that asked stops, so that the operator is never moved past (or
  // the host handed) an image whose tables were not computed.  A missing or unreadable
  // coefficient file raises an exception (nothing of the image is stored).  Whenever nothing is
  // stored, the working ring table is left exactly as it was before the call.
  virtual bool FinishImage(int image, bool inEditing) = 0;

  // SAG, DIV and R0 of the four images and their means.
  virtual ValoresOrtoImagens Valores() = 0;
};

}  // namespace zv
