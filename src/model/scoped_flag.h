#pragma once

// Raises a flag for its lifetime and lowers it on the way out, also when the
// scope is left by an exception: a guard against re-entry, or a state that
// the calls made meanwhile read.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};
