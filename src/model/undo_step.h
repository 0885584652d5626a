#pragma once

#include <cstdint>
#include <vector>

#include "model/memory_stream.h"

// An instrument as a step found it when it began. The layout pass only
// ever adds pages and per-measure layout records, which a file keeps, so the
// step gives their counts back. The measure count of each row tells the
// empty measures the row already had from those that the edit appended.
struct TECUndoLayoutState {
  std::int32_t PageCount = 1;
  std::int32_t LayoutCount = 0;
  std::vector<std::int32_t> RowMeasures;
};

// One undo or redo step: the kind of edit that began it, the number of
// entries written and the stream that holds them (an optional kind header,
// then the entries), and the layout state of every instrument when it
// began.
struct TECUndoStep {
  std::uint8_t Kind = 0;
  std::uint32_t EntryCount = 0;
  MemoryStream Stream;
  std::vector<TECUndoLayoutState> Layouts;
  // Set when the edit saved each measure just before changing it, so that
  // a measure saved later names the notes of one saved earlier as the edit
  // left them, not as they are stored.
  bool SavedWhileChanging = false;
};

// The kinds of undo step that have rules of their own; every other kind
// puts the stored measures, symbols-row entries and page objects back.
namespace undo_kind {
inline constexpr std::uint8_t PageText = 6;
inline constexpr std::uint8_t PagePicture = 9;
inline constexpr std::uint8_t PageGraphic = 10;
inline constexpr std::uint8_t DeleteSelection = 16;
inline constexpr std::uint8_t Erase = 17;
inline constexpr std::uint8_t Paste = 25;
inline constexpr std::uint8_t TimeSignature = 35;
// The pickup word changed: the previous word, then the first measures.
inline constexpr std::uint8_t Pickup = 36;
inline constexpr std::uint8_t AddInstrument = 40;
inline constexpr std::uint8_t DeleteInstrument = 41;
inline constexpr std::uint8_t AddRow = 50;
inline constexpr std::uint8_t DeleteRow = 51;
inline constexpr std::uint8_t InsertMeasures = 60;
inline constexpr std::uint8_t DeleteMeasures = 61;
}  // namespace undo_kind
