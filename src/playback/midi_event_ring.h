#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

// The fixed ring between an input port's thread (the only producer) and the
// GUI thread (the only consumer). Separate put and get counters mean neither
// side waits or allocates.
class MidiEventRing {
 public:
  struct Slot {
    std::uint32_t Time = 0;
    // Short message: status in the low byte, then the data bytes.
    std::uint32_t Packed = 0;
    // Block: the buffer the port filled and the bytes it wrote; none for a
    // short message.
    std::uint8_t* Buffer = nullptr;
    std::uint32_t Bytes = 0;
  };

  explicit MidiEventRing(std::size_t capacity) : capacity_(capacity), slots_(new Slot[capacity == 0 ? 1 : capacity]) {}

  // Producer only; false when the ring is full.
  bool Push(const Slot& slot) {
    const std::size_t put = put_.load(std::memory_order_relaxed);
    if (put - get_.load(std::memory_order_acquire) >= capacity_) return false;
    slots_[put % capacity_] = slot;
    put_.store(put + 1, std::memory_order_release);
    return true;
  }
  // Consumer only.
  bool Peek(Slot& slot) const {
    const std::size_t get = get_.load(std::memory_order_relaxed);
    if (put_.load(std::memory_order_acquire) == get) return false;
    slot = slots_[get % capacity_];
    return true;
  }
  void Drop() {
    const std::size_t get = get_.load(std::memory_order_relaxed);
    if (put_.load(std::memory_order_acquire) != get) get_.store(get + 1, std::memory_order_release);
  }
  std::size_t Count() const { return put_.load(std::memory_order_acquire) - get_.load(std::memory_order_acquire); }

 private:
  std::size_t capacity_;
  std::unique_ptr<Slot[]> slots_;
  std::atomic<std::size_t> put_{0};
  std::atomic<std::size_t> get_{0};
};
