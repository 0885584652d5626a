#pragma once

#include <cstdint>

#include "model/memory_stream.h"

// One undo or redo step: the kind of edit that began it, the number of
// entries written and the stream that holds them.
struct TECUndoStep {
  std::uint8_t Kind = 0;
  std::uint32_t EntryCount = 0;
  TMemoryStream Stream;
};
