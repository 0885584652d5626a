#include "widgets/logic/tick_clock.h"

#include <chrono>

namespace nv::widgets {

namespace {

class SteadyTickClock final : public TickClock {
 public:
  std::int64_t NowMs() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace

const TickClock& TickClock::Steady() {
  static const SteadyTickClock clock;
  return clock;
}

}  // namespace nv::widgets
