#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace nv::document {

// Ends a listener's subscription when it is destroyed or reset. It may
// outlive the notice it came from.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  ~Subscription() { Reset(); }
  Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      Reset();
      cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;

  void Reset() {
    if (auto cancel = std::exchange(cancel_, nullptr)) cancel();
  }

 private:
  std::function<void()> cancel_;
};

// One event fanned out to any number of listeners, called in the order they
// subscribed. A listener removed while the notice is delivered is not called
// afterwards; one added meanwhile hears from the next delivery on. GUI
// thread only.
template <typename... Args>
class Notice {
 public:
  using Listener = std::function<void(Args...)>;

  Notice() = default;
  Notice(const Notice&) = delete;
  Notice& operator=(const Notice&) = delete;

  [[nodiscard]] Subscription Subscribe(Listener listener) {
    auto slot = std::make_shared<Slot>(Slot{std::move(listener), true});
    state_->Slots.push_back(slot);
    return Subscription([weak = std::weak_ptr<State>(state_), slot] {
      slot->Live = false;
      if (auto state = weak.lock()) std::erase(state->Slots, slot);
    });
  }

  void operator()(Args... args) const {
    // Delivered from a copy, so listeners may subscribe and unsubscribe.
    const std::vector<std::shared_ptr<Slot>> slots = state_->Slots;
    for (const auto& slot : slots)
      if (slot->Live) slot->Call(args...);
  }

  std::size_t ListenerCount() const { return state_->Slots.size(); }

 private:
  struct Slot {
    Listener Call;
    bool Live;
  };
  struct State {
    std::vector<std::shared_ptr<Slot>> Slots;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace nv::document
