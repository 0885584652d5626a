#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/measure_stream.h"

class TECMusicScore;
class TECInstrument;
class TECRow;
class TECMeasure;
struct TECUndoStep;
class TECSymbolEntry;
struct TECUndoLayoutState;
class ByteStream;
struct UndoRowHeader;

// Takes steps back from the undo list (or does them again from the redo
// list). For every place an entry names it first writes the present state
// into a mirror step of the other list, then puts the stored state back, so
// that the mirror step can reverse it again. Each step taken gets its own
// mirror step.
class UndoPlayer {
 public:
  UndoPlayer(TECMusicScore& score, bool redo) : score_(score), redo_(redo) {}
  UndoPlayer(const UndoPlayer&) = delete;
  UndoPlayer& operator=(const UndoPlayer&) = delete;

  void Run(int count);

 private:
  // Applies one step; true when the request ends with it.
  bool Apply(TECUndoStep& step);
  // Gives the instruments back the page and layout-record counts that a
  // step found when it began; the layout pass only ever adds to them.
  void RestoreLayoutState(const std::vector<TECUndoLayoutState>& states);
  bool RemoveRow(TECUndoStep& step);
  bool RemoveInstrument(TECUndoStep& step);
  // Inserted measures go again, deleted ones come back (empty first, then
  // filled from the entries).
  void RemoveMeasures(TECUndoStep& step);
  void InsertMeasures(TECUndoStep& step);
  void RecreateInstrument(TECUndoStep& step);
  void ApplyTimeSignature(TECUndoStep& step);
  // Each entry's staff or row gets its stored settings back.
  void ApplyStaveSettings(TECUndoStep& step);
  // The pickup word, then the first measures as the generic kinds do.
  void ApplyPickup(TECUndoStep& step);
  void ApplyEntries(TECUndoStep& step, bool recreatesRow);
  // The entries are walked twice: first to note the present states in the
  // mirror step, then to put the stored ones back.
  enum class Pass { Mirror, Restore };
  void WalkEntries(TECUndoStep& step, Pass pass, const UndoRowHeader& header);
  // Notes the measures that the entries from `entry` on (starting at stream
  // position `from`) put back, for a step that makes its row again and so
  // writes no mirror of them.
  void NoteMeasuresToRestore(TECUndoStep& step, std::int64_t from, std::uint32_t entry);
  // The restoring walk; the measures put back so far are finished also when
  // a damaged entry stops it.
  void RestoreEntries(TECUndoStep& step, const UndoRowHeader& header);
  void ApplyPageObject(ByteStream& stream, TECInstrument& instrument, std::uint8_t kind, Pass pass);
  void ApplyAttachment(ByteStream& stream, TECInstrument& instrument, std::uint8_t kind, Pass pass);
  void ApplyMeasure(ByteStream& stream, TECRow& row, std::uint8_t kind, Pass pass);
  // Resolves the links of the measures put back, rebuilds their beams and
  // drops the empty measures (of rows not made again) and symbols-row
  // entries left at the ends.
  void FinishRestored(const TECUndoStep& step, bool rebuildBeams);
  void TrimRow(TECRow& row, const TECUndoStep& step) const;

  // The mirror step of the step being applied, begun at its first use; none
  // while undo is locked and the mirror goes into the undo list.
  TECUndoStep* Mirror(std::uint8_t kind);
  void MirrorMeasure(std::uint8_t kind, TECMeasure* measure, int index);
  void MirrorRow(std::uint8_t kind, TECRow* row);
  void MirrorAttachment(std::uint8_t kind, TECSymbolEntry* entry, int index);

  TECMusicScore& score_;
  bool redo_;
  TECUndoStep* mirror_ = nullptr;
  bool mirrorBegun_ = false;
  // The index of the instrument the step being applied removed, -1 none.
  int removedInstrument_ = -1;
  // A measure put back, in the order of the step's entries, with the links
  // that notes of later measures held on it.
  // Gives the notes named by the step's attribute orders their order back.
  void RestoreAttributeOrders(const TECUndoStep& step);
  struct Restored {
    TECRow* Row;
    int Index;
    TECMeasure* Measure;
    std::vector<IncomingLink> Incoming;
    // The pitch and start of each note of the measure it replaced: the
    // state that the paths of measures saved after it point into.
    std::vector<int> Replaced;
  };
  // Connects the links of the measures put back. Between two of them, the
  // one saved first tells the truth: the edit may have changed it before it
  // saved the other, whose note paths then point into the changed state.
  void ConnectLinks(bool savedWhileChanging);
  // Before a measure is replaced: links that notes of measures this step
  // leaves alone hold on its notes are kept in their place, unconnected,
  // for the restored measure's incoming links to fill.
  void KeepLinksInPlace(TECMeasure& leaving);
  // The place in restored_ of the measure put back at a row and index, or
  // -1.
  int RestoredAt(const TECRow* row, int index) const;
  // False for a measure that a later entry of the step put back again.
  static bool Live(const Restored& m) { return m.Row->GetMeasure(m.Index) == m.Measure; }
  std::vector<Restored> restored_;
  // A link kept in its place until the incoming links of the measure put
  // back at restored_[Into] connect it; dropped when none does.
  struct PlaceholderEntry {
    TECNote* Later;
    TECLinkAttribute* Link;
    int Into;
    // The pitch and start of the note it reached, when known: among several
    // links of one note the one to the same note is filled first, then the
    // one whose second guess names it.
    int Partner = -1;
    int SecondGuess = -1;
  };
  std::vector<PlaceholderEntry> placeholders_;
  // The measures the step puts back, noted while its mirror is written.
  std::vector<std::pair<const TECRow*, int>> toRestore_;
  std::vector<TECInstrument*> touchedSymbols_;
  // Page objects an undone edit added (or a redone one deleted), by texts-row
  // index, removed at the end of the walk.
  std::vector<std::pair<TECInstrument*, std::uint32_t>> addedObjects_;
  void RemoveAddedObjects();
  // A row the step made again; its measures are kept as they were stored.
  TECRow* untrimmed_ = nullptr;
};
