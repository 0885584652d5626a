#pragma once

#include <cstdint>
#include <vector>

#include "model/memory_stream.h"
#include "model/note_records.h"

// An instrument as a step found it when it began. The layout pass only
// ever adds pages and per-measure layout records, which a file keeps, so the
// step gives their counts back. The measure count of each row tells the
// empty measures the row already had from those that the edit appended.
struct TECUndoLayoutState {
  std::int32_t PageCount = 1;
  std::int32_t LayoutCount = 0;
  std::vector<std::int32_t> RowMeasures;
};

// The attribute order of a note outside a saved measure that holds links on
// the measure's notes. Putting the measure back makes those links anew on
// the note, and they take back their places in this order.
struct TECUndoAttributeOrder {
  int Instrument = 0;
  TECNotePath Note;
  std::vector<std::uint8_t> Kinds;
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
  // Names the state the edit left (a number no other edit of the process
  // has) and the state it started from; undo and redo carry both over into
  // the step they make, so a window can tell whether the music stands at a
  // state it saw before.
  std::uint64_t Serial = 0;
  std::uint64_t Before = 0;
  std::vector<TECUndoAttributeOrder> AttributeOrders;
};

class TECMusicScore;

// The state the score's music stands at in its undo history: the newest
// undo step's serial, else the state the first step to redo starts from,
// else 0 (the state the lists were last emptied at).
std::uint64_t UndoHistoryState(const TECMusicScore& score);

// The kinds of undo step, one per kind of edit. Those of the page objects,
// selection deletion, erasing, pasting, time signature, pickup, instruments,
// rows and measures have restoring rules of their own; every other kind puts
// the stored measures, symbols-row entries and page objects back.
namespace undo_kind {
inline constexpr std::uint8_t InsertNote = 1;
inline constexpr std::uint8_t Rest = 2;
inline constexpr std::uint8_t Symbol = 3;
inline constexpr std::uint8_t Link = 4;
inline constexpr std::uint8_t ChordSymbol = 5;
inline constexpr std::uint8_t PageText = 6;
inline constexpr std::uint8_t Text = 7;
inline constexpr std::uint8_t Effect = 8;
inline constexpr std::uint8_t PagePicture = 9;
inline constexpr std::uint8_t PageGraphic = 10;
inline constexpr std::uint8_t DeleteAtCursor = 15;
inline constexpr std::uint8_t DeleteSelection = 16;
inline constexpr std::uint8_t Erase = 17;
inline constexpr std::uint8_t Stem = 19;
inline constexpr std::uint8_t Move = 20;
inline constexpr std::uint8_t Pitch = 21;
inline constexpr std::uint8_t Size = 22;
inline constexpr std::uint8_t Reshape = 23;
inline constexpr std::uint8_t Drop = 24;
inline constexpr std::uint8_t Paste = 25;
inline constexpr std::uint8_t Align = 26;
inline constexpr std::uint8_t Split = 27;
inline constexpr std::uint8_t Union = 28;
inline constexpr std::uint8_t Beam = 29;
inline constexpr std::uint8_t Clef = 30;
inline constexpr std::uint8_t Key = 31;
inline constexpr std::uint8_t TimeSignature = 35;
// The pickup word changed: the previous word, then the first measures.
inline constexpr std::uint8_t Pickup = 36;
inline constexpr std::uint8_t AddInstrument = 40;
inline constexpr std::uint8_t DeleteInstrument = 41;
// A staff's or a row's name and MIDI settings (stave_settings.h).
inline constexpr std::uint8_t StaveSettings = 42;
inline constexpr std::uint8_t AddRow = 50;
inline constexpr std::uint8_t DeleteRow = 51;
inline constexpr std::uint8_t InsertMeasures = 60;
inline constexpr std::uint8_t DeleteMeasures = 61;
// The values a property dialog set on the selected elements.
inline constexpr std::uint8_t Properties = 62;
// The look or the order of the selected objects (the design page).
inline constexpr std::uint8_t Format = 70;
}  // namespace undo_kind
