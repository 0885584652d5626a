#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "document/note_preview.h"

namespace nv::test {

// A one-shot timer on a clock the test moves: Advance fires every start
// that falls due on the way, in time order, as a GUI timer would.
class SteppedTimer final : public nv::document::OneShotTimer {
 public:
  void Start(int ms, std::function<void()> fire) override {
    due_ = now_ + ms;
    fire_ = std::move(fire);
  }
  void Stop() override { due_.reset(); }
  bool Running() const { return due_.has_value(); }

  void Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (due_ && *due_ <= end) {
      now_ = *due_;
      due_.reset();
      // The handler may start the timer again.
      const std::function<void()> fire = fire_;
      fire();
    }
    now_ = end;
  }

 private:
  std::int64_t now_ = 0;
  std::optional<std::int64_t> due_;
  std::function<void()> fire_;
};

}  // namespace nv::test
