#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/content_revision.h"
#include "model/measure_layout.h"
#include "model/model_object.h"
#include "model/page_objects.h"
#include "model/symbols_row.h"

class TECMusicScore;
class TECRow;

// One part of the score: its staff rows, symbols row, texts row (free page
// objects), per-measure layout records, systems, page count and MIDI
// settings.
class TECInstrument : public TECModelObject {
 public:
  explicit TECInstrument(TECMusicScore* score);
  ~TECInstrument() override;
  TECInstrument(const TECInstrument&) = delete;
  TECInstrument& operator=(const TECInstrument&) = delete;

  // Copies rows, layout and system records, symbols and page objects, name,
  // page count and MIDI settings (not volume and pan).
  void Assign(const TECInstrument& source);

  TECMusicScore* Score() const { return score_; }
  int GetIndex() const;

  // --- rows ----------------------------------------------------------------------
  int GetRowCount() const { return static_cast<int>(rows_.size()); }
  TECRow* GetRow(int i) const { return i >= 0 && i < GetRowCount() ? rows_[i].get() : nullptr; }
  int IndexOfRow(const TECRow* row) const;
  int GetActiveRowIndex() const { return activeRow_; }
  TECRow* GetActiveRow() const { return GetRow(activeRow_); }
  void SetActiveRow(int i);
  void SetActiveRowIndex(int i) { SetActiveRow(i); }
  int VisibleRowCount() const;
  // Plain list edits without events or undo (loading, copying, undo).
  TECRow* AppendRow();
  TECRow* InsertRow(int index);
  void RemoveRow(int index);
  // The commands.
  TECRow* AddRow(bool copyHeaders);
  TECRow* DuplicateRow(int i);
  void DeleteRow(int i);
  void MoveActiveRow(int delta);

  // --- settings -------------------------------------------------------------------
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int MidiInstrument() const { return program_; }
  void SetMidiInstrument(int program);
  int Channel() const { return channel_; }
  void SetChannel(int channel);
  int Volume() const { return volume_; }
  void SetVolume(int volume);
  int Pan() const { return pan_; }
  void SetPan(int pan);
  int Accolade() const { return accolade_; }
  void SetAccolade(int style);
  bool Mute() const { return mute_ != 0; }
  void SetMute(bool v);
  bool AsMusicScore() const { return asMusicScore_ != 0; }
  void SetAsMusicScore(bool v);
  int PageCount() const { return pageCount_; }
  void SetPageCount(int n);
  // One more page, without events: the layout pass reports it when done.
  void AppendLaidOutPage() { ++pageCount_; }

  // --- layout settings at the cursor ------------------------------------------------
  void MoveRowInSystem(int delta);
  void ShiftSystemLeftIndent(int delta);
  void ShiftSystemRightIndent(int delta);
  void SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density);
  void ChangeSpaceAfterBar(int delta);
  void SetPageBreak(bool flag);
  int LaidOutBarNumber(int i) const;

  // --- symbols row -------------------------------------------------------------------
  TECSymbolsRow& SymbolsRow() { return symbols_; }
  const TECSymbolsRow& SymbolsRow() const { return symbols_; }
  TECSymbolEntry* GetSymbolMeasure(int i, bool clear);
  void TrimSymbolMeasures();
  bool IsSymbolMeasureEmpty(int i) const;
  // Removes the entry from the symbols row and frees it with its items.
  void FreeSymbolEntry(TECSymbolEntry* entry);
  void AddSymbol(std::uint8_t kind, int value1, int value2);
  void AddTempoMark(int value, int tempo);
  void LayoutMeasureSymbols(int i);

  // --- page objects ----------------------------------------------------------------
  TECTextsRow& TextsRow() { return texts_; }
  const TECTextsRow& TextsRow() const { return texts_; }
  TECPageText* AddPageText(int x, int y, const std::vector<std::string>& lines, const std::string& fontName,
                           int fontSize, int fontStyle, std::int32_t color);
  TECPagePicture* AddPagePicture(int x, int y, int width, int height, TECPicture picture);
  TECPageLine* AddPageLine(int x1, int y1, int x2, int y2, int penWidth, std::int32_t penColor, int penStyle);
  TECPageShape* AddPageShape(std::uint8_t kind, int x, int y, int width, int height, int penWidth,
                             std::int32_t penColor, int penStyle, std::int32_t brushColor, int brushStyle);
  TECPageArc* AddArcObject(std::uint8_t kind, int x, int y, int width, int height, int penWidth,
                           std::int32_t penColor, int penStyle, std::int32_t brushColor, int brushStyle);

  // --- time --------------------------------------------------------------------------
  int MeasureLength(int i);
  int MeasureNumerator(int i);
  int MaxKeyAccidentals(int i, bool inForce) const;
  int MeasureWidth(int page, int i) const;
  // Longest row's measure count.
  int MaxMeasureCount() const;
  void UpdateMeasureTimes();
  void ChangeMeasureLength(int length, int fromMeasure);
  void FitFirstMeasure();
  void RebuildUnionsFrom(int i, bool rebuildRests, bool noBeams);
  void SnapCursor();

  // --- layout records ---------------------------------------------------------------
  std::vector<std::unique_ptr<TECMeasureLayout>>& Layouts() { return layouts_; }
  const std::vector<std::unique_ptr<TECMeasureLayout>>& Layouts() const { return layouts_; }
  TECMeasureLayout* LayoutAt(int i) const;
  // Creates zero-filled records until index i exists.
  TECMeasureLayout* EnsureLayout(int i);
  std::vector<TECRowInfo> Systems;
  std::vector<std::array<std::int32_t, 2>> Pairs;
  // Measures laid out of the rows, and of rows or symbols, and a clamped
  // copy of the first; maintained by the layout pass.
  int LaidOutRows = 0;
  int LaidOutAll = 0;
  int LaidOutClamped = 0;
  // One past the last measure that holds anything, as the last pass to the
  // end of the score found it (-1 before one): a pass over two pages, which
  // follows no edit, takes it instead of walking every record again.
  int LaidOutMeasureEnd = -1;
  bool LayoutValid = false;
  int RunningBarNumber = 0;
  // No other instrument has had it: what the layout pass remembers of an
  // instrument is never taken for another made at the same address.
  std::uint64_t Serial = NewContentRevision();

 private:
  // The system record of the cursor measure; the array grows when short.
  TECRowInfo& SystemOfCursor(int growBy);
  void ShiftSystemIndent(bool left, int delta);
  void InsertPageObject(std::unique_ptr<TECPageObject> object, std::uint8_t undoKind);
  void TrimTrailingLayouts();
  TECMeasureLayout* LayoutForCursorSetting(bool withHeader);
  TECRow* ReportAddedRow(TECRow* row);
  void SetControllerSetting(int& setting, int value, int controller);

  // A score adopting the instrument re-points it.
  friend class TECMusicScore;
  TECMusicScore* score_;
  std::vector<std::unique_ptr<TECRow>> rows_;
  TECSymbolsRow symbols_;
  TECTextsRow texts_;
  int activeRow_ = 0;
  int pageCount_ = 1;
  int program_ = 0;
  int channel_ = 1;
  int volume_ = -1;
  int pan_ = -1;
  std::string name_;
  std::uint8_t mute_ = 0;
  int accolade_ = 0;
  std::uint8_t asMusicScore_ = 0;
  std::vector<std::unique_ptr<TECMeasureLayout>> layouts_;
};
