#include "widgets/qt_one_shot_timer.h"

#include <utility>

namespace nv::widgets {

QtOneShotTimer::QtOneShotTimer() {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (fire_) fire_();
  });
}

void QtOneShotTimer::Start(int ms, std::function<void()> fire) {
  fire_ = std::move(fire);
  timer_.start(ms);
}

void QtOneShotTimer::Stop() { timer_.stop(); }

}  // namespace nv::widgets
