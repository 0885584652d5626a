#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "document/note_preview.h"

// A one-shot timer the test fires by hand, with a clock in milliseconds it moves.
struct HandTimer final : nv::document::OneShotTimer {
  void Start(int ms, std::function<void()> fire) override {
    due = now + ms;
    fire_ = std::move(fire);
  }
  void Stop() override { fire_ = nullptr; }
  bool Running() const { return static_cast<bool>(fire_); }
  // Moves the clock to the due time and fires.
  void Fire() {
    ASSERT_TRUE(Running());
    now = due;
    auto fire = std::move(fire_);
    fire_ = nullptr;
    fire();
  }
  // Moves the clock on by `ms`, firing every time that falls due on the way.
  void Advance(std::int64_t ms) {
    const std::int64_t end = now + ms;
    while (Running() && due <= end) Fire();
    now = end;
  }
  std::int64_t now = 0;
  std::int64_t due = 0;

 private:
  std::function<void()> fire_;
};
