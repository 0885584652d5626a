#include "model/content_revision.h"

#include <atomic>

std::uint64_t NewContentRevision() {
  // Records are made on more than one thread (a file loads off the GUI thread).
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}
