#pragma once

#include <QTimer>

#include <functional>

#include "document/note_preview.h"

namespace nv::widgets {

// The document layer's one-shot timer on a QTimer of the GUI thread.
class QtOneShotTimer final : public nv::document::OneShotTimer {
 public:
  QtOneShotTimer();
  void Start(int ms, std::function<void()> fire) override;
  void Stop() override;

 private:
  QTimer timer_;
  std::function<void()> fire_;
};

}  // namespace nv::widgets
