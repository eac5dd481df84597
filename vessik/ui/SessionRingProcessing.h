// The review window's view of the ring processing, served by the module's per-call processing
// session.
#pragma once
#include "ProcessingSession.h"
#include "RingProcessing.h"

namespace zv {

class SessionRingProcessing : public RingProcessing {
 public:
  explicit SessionRingProcessing(vessik::ProcessingSession& session) : session_(session) {}

  void ProcessImage(int index, const QImage& image, int x, int y, int rings,
                    uint8_t scanStart) override;
  double ConfidenceIndex() const override;
  double CentreX() const override { return session_.xc; }
  double CentreY() const override { return session_.yc; }
  double Radius(int row, int ring) const override { return session_.trabalho[row - 1][ring]; }
  void SetRadius(int row, int ring, double radius) override {
    session_.trabalho[row - 1][ring] = radius;
  }
  void SetRingCount(int row, int count) override { session_.contagens[row - 1] = count; }
  void Retouch() override { session_.Retocar(); }
  void Interpolate() override { session_.Interpolar(); }
  bool FinishImage(int image, bool inEditing) override;
  ValoresOrtoImagens Valores() override {
    return {session_.ValoresSAG, session_.ValoresDIV, session_.ValoresR0};
  }

 private:
  vessik::ProcessingSession& session_;
};

}  // namespace zv
