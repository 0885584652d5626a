#pragma once

#include <cstdint>
#include <functional>

// Common base of the objects that raise score events (the score, its
// instruments and rows), so that one handler type can receive any of them as
// sender and tell them apart with dynamic_cast.
class TECModelObject {
 public:
  virtual ~TECModelObject() = default;
};

// Event callables; the sender always comes first.
using TECNotifyEvent = std::function<void(TECModelObject* sender)>;
