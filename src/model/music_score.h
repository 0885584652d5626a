#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/chord_entry.h"
#include "model/decoded_picture.h"
#include "model/drum_tables.h"
#include "model/element.h"
#include "model/input_state.h"
#include "model/measure_items.h"
#include "model/measure_layout.h"
#include "model/model_object.h"
#include "model/music_setting.h"
#include "model/score_host.h"
#include "model/print_settings.h"
#include "model/score_page.h"
#include "model/score_selection.h"
#include "model/undo_step.h"

class IECPlayback;
class TECInstrument;
class TECRow;
class TECMeasure;
class TECPageObject;
class TECPageText;
class TECPagePicture;
struct TECPicture;
class TECGraceGroup;
class TECNote;
class TECSymbolEntry;
class TECSymbolItem;
namespace nv::platform {
class BackBuffer;
class Canvas;
class PagedTarget;
struct Rect;
}
namespace nv::render {
struct PaintSelection;
}

enum class TScoreStyle : std::uint8_t { ssPages, ssAllInstruments, ssPreviewPages };
enum class TECCursorType : std::uint8_t { ctRow, ctInstrument };
enum class TECUnionStyle : std::uint8_t { usFull, usHalf, usQuarter, usNone, usDenominator };
enum class TECNumberStyle : std::uint8_t { nsBar, nsRow, nsPage };
enum class TECStaveOperation : int { soAdded = 0, soDestroyed = 1, soChanged = 2, soActiveChanged = 3, soMoved = 4 };

// The score: root of the document model (instruments, settings, page tables,
// undo lists, drum tables), its cursor and the events through which windows
// follow it. A plain object; a window shows it through IECScoreHost.
class TECMusicScore : public TECModelObject, public IECMusicSetting, public IScorePageOwner {
 public:
  TECMusicScore();
  ~TECMusicScore() override;
  TECMusicScore(const TECMusicScore&) = delete;
  TECMusicScore& operator=(const TECMusicScore&) = delete;

  // Copies the music and the score settings (not the page setup, zoom,
  // tempo, cursor or undo lists) from another score.
  void Assign(const TECMusicScore& source);
  // The time signature, pickup and beam grouping of `source`, as they are.
  void AssignTimeSettings(const TECMusicScore& source);
  // Takes the instruments of `source` in place of its own, as they are: a
  // score read elsewhere becomes this one's without a copy.
  void AdoptInstruments(TECMusicScore& source);

  // --- score files -------------------------------------------------------------
  // The score stream and ".sfd" files; a stream or file that cannot be read
  // raises and leaves the score as it was.
  void LoadFromStream(ByteStream& stream);
  void SaveToStream(ByteStream& stream) const;
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name) const;

  void SetHost(IECScoreHost* host) { host_ = host; }
  IECScoreHost* Host() const { return host_; }
  bool Destroying() const { return destroying_; }

  // --- page setup ------------------------------------------------------------
  TECScorePage& Page() { return *page_; }
  const TECScorePage& Page() const { return *page_; }
  // Copies the given page setup.
  void SetPage(const TECScorePage& page) { page_->Assign(page); }
  // Page geometry read in a given unit.
  double PageUsableHeight(TECMetrix unit) const;
  double PageLeft(TECMetrix unit) const;
  double PageTop(TECMetrix unit) const;
  double PageRightEdge(TECMetrix unit) const;
  double PageBottomEdge(TECMetrix unit) const;
  double PageInterval(TECMetrix unit) const;
  // True while pages are printed.
  bool Printing() const override { return printing_; }
  void SetPrinting(bool v) { printing_ = v; }

  // --- instruments -------------------------------------------------------
  int InstrumentCount() const { return static_cast<int>(instruments_.size()); }
  TECInstrument* GetInstrumentAt(int i) const;
  TECInstrument* CurrentInstrument() const { return GetInstrumentAt(activeInstrument_); }
  TECRow* CurrentRow() const;
  int IndexOfInstrument(const TECInstrument* instrument) const;
  // Appends a new empty instrument with no events or undo; for loading,
  // copying and the add-instrument command.
  TECInstrument* AppendInstrument();
  // Inserts a new empty instrument at `index` (clamped) with no events.
  TECInstrument* InsertInstrument(int index);
  // Frees instrument i and removes it from the list.
  void DeleteInstrumentAt(int i);
  // Moves instrument `from` to index `to`, with no events or undo.
  void MoveInstrumentInList(int from, int to);
  void ClearInstruments();

  int GetActiveInstrument() const { return activeInstrument_; }
  void SetActiveInstrument(int i);
  int GetActivePage() const { return activePage_; }
  void SetActivePage(int p);
  // Lays out instrument i, which is not the active one, from its first page,
  // for the code that reads every instrument's layout records (playback).
  // The view stays as it is: no active instrument or page change, no cursor,
  // selection, scroll or caret follow-up and no page-count event. The pass
  // shares the page records with the active instrument, so the caller lays
  // that out again afterwards.
  void LayoutInactiveInstrument(int i);

  // --- cursor --------------------------------------------------------------
  int CursorMeasure() const { return cursorMeasure_; }
  int CursorTick() const { return cursorTick_; }
  int CursorVoice() const { return cursorVoice_; }
  int CursorPitch() const { return cursorPitch_; }
  void GoToMeasure(int m);
  void GoToMeasureExtending(int m);
  void ShowCursorPage();
  void SetCursorPosition(int tick);
  // Voices 0..15; anything else is ignored.
  void SetCursorVoice(int voice);
  void SetCursorPitch(int line);
  int GetAbsolutePosition() const;
  void SetAbsolutePosition(int ticks);

  // --- page tables (filled by the layout pass) ---------------------------
  int PageFirstMeasure(int p) const;
  int PageLastMeasure(int p) const;
  void SetNextPageStart(int p, int m);
  int PageLastBarNumber(int p) const;
  void SetPageLastBarNumber(int p, int n);
  const std::vector<int>& PageStarts() const { return pageStarts_; }
  const std::vector<int>& PageBars() const { return pageBars_; }
  // Measures that the latest page drawing drew; stands in for a missing
  // page table entry when the cursor looks for its page.
  int DrawnMeasureCount = 0;

  // --- time signature and pickup ----------------------------------------
  int GetNumerator() const { return timeWord_ >> 8; }
  int GetDenominator() const { return timeWord_ & 0xFF; }
  std::uint16_t TimeWord() const { return timeWord_; }
  std::uint8_t GetSizeStyle() const { return sizeStyle_; }
  int DefaultMeasureLength() const { return defaultMeasureLength_; }
  // Accepts numerator 1..(4 x denominator - 1), denominator 1..16 except 6.
  void SetTimeSignature(int numerator, int denominator, std::uint8_t sizeStyle, bool wholeScore);
  std::uint16_t AufTaktWord() const { return aufTakt_; }
  // Length of measure 0: the pickup's when one is set, else the default.
  int PickupLength() const { return GetMeasureLengthForPickup(aufTakt_); }
  int GetAufTaktNotes() const { return aufTakt_ >> 8; }
  int GetAufTaktSize() const { return aufTakt_ & 0xFF; }
  void SetAufTakt(int notes, int value);
  int UnionLength() const { return unionLength_; }
  void UpdateUnionLength();

  // --- measure timing and layout-setting commands -------------------------
  int GetMeasureLength(int i) const;
  int MeasureAtPosition(int first, int ticks) const;
  int SumMeasureLengths(int first, int last) const;
  void ChangeAllMeasureLengths(int length, int fromMeasure);
  void RebuildAllUnions(int fromMeasure, bool rebuildRests, bool noBeams);
  void ChangeColumnSpace(bool before, int delta);
  void MoveRowInSystem(int delta);
  void ShiftSystemLeftIndent(int delta);
  void ShiftSystemRightIndent(int delta);
  void SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density);
  void ChangeSpaceAfterBar(int delta);
  void SetPageBreak(bool add);
  int PageCount() const;
  void SetPageCount(int n);
  int ClefOffsetAtCursor() const;
  int KeyAccidentalForStep(int step) const;
  void GoToBegin();
  void GoToEnd();
  void MoveActiveRow(int delta);
  // Moves the cursor on the active row: -1/+1 to the event before/after
  // (selecting on the way with `select`), -2/+2 to the row above/below,
  // -3/+3 to the system's start/end, -4/+4 (and beyond) to the page's.
  void NavigateCursor(int code, bool select);

  // --- settings ------------------------------------------------------------
  TScoreStyle GetStyle() const { return style_; }
  void SetStyle(TScoreStyle v);
  TECMetrix GetMetrix() const override { return metrix_; }
  void SetMetrix(TECMetrix v);
  int GetResolution() const override { return resolution_; }
  void SetResolution(int dpi) { resolution_ = dpi; }
  // Zoom and Scale are percentages kept within these bounds; outside values
  // are ignored, so their product, the zoom factor, cannot overflow.
  static constexpr int kLowestZoom = 10;
  static constexpr int kHighestZoom = 1000;
  int GetZoom() const override { return zoom_; }
  void SetZoom(int v);
  int GetScale() const override { return scale_; }
  void SetScale(int v);
  int ZoomFactor() const { return zoomFactor_; }
  bool GetPageSwitching() const override { return pageSwitching_; }
  bool GetMeasureNumeration() const { return measureNumeration_; }
  void SetMeasureNumeration(bool v);
  int GetMaxUndo() const { return maxUndo_; }
  void SetMaxUndo(int v);
  int GetTempoScale() const { return tempoScale_; }
  // A percentage > 0; 100 plays as written.
  void SetTempoScale(int v);
  int GetTempo() const { return tempo_; }
  // Quarter notes per minute, 8..512.
  void SetTempo(int v);
  TECCursorType GetCursorType() const { return cursorType_; }
  void SetCursorType(TECCursorType v);
  std::int32_t GetCursorColor() const { return cursorColor_; }
  void SetCursorColor(std::int32_t v);
  TECUnionStyle GetUnionStyle() const { return unionStyle_; }
  void SetUnionStyle(TECUnionStyle v);
  int GetUnionCount() const { return unionCount_; }
  void SetUnionCount(int v);
  bool GetPrintEmpty() const { return printEmpty_; }
  void SetPrintEmpty(bool v) { printEmpty_ = v; }
  bool GetPrintLines() const { return printLines_; }
  void SetPrintLines(bool v) { printLines_ = v; }
  bool GetPrintNumber() const { return printNumber_; }
  void SetPrintNumber(bool v) { printNumber_ = v; }
  int GetStartBarNumber() const { return startBarNumber_; }
  void SetStartBarNumber(int v);
  TECNumberStyle GetNumberStyle() const { return numberStyle_; }
  void SetNumberStyle(TECNumberStyle v);
  bool GetRules() const { return rules_; }
  void SetRules(bool v);
  bool GetVertAlign() const { return vertAlign_; }
  void SetVertAlign(bool v);
  bool GetHorzAlign() const { return horzAlign_; }
  void SetHorzAlign(bool v);
  int GetCursor() const { return cursor_; }
  void SetCursor(int v);
  bool GetDensity() const { return density_; }
  void SetDensity(bool v);
  bool ReadOnly = false;
  bool Reverce = false;
  // The budget that the decoded pixels of the score's pictures share.
  std::shared_ptr<DecodedPixelBudget> DecodedPixels = std::make_shared<DecodedPixelBudget>(kDecodedPixelsPerScore);
  // A nesting counter: true adds one, false takes one away.
  bool GetLockUndo() const { return undoLock_ > 0; }
  // An unlock beyond the last lock is ignored.
  void SetLockUndo(bool v) { undoLock_ = v ? undoLock_ + 1 : std::max(0, undoLock_ - 1); }
  std::uint8_t NoteInterval() const { return noteInterval_; }
  void SetNoteInterval(std::uint8_t mode);
  int MeasureCount() const { return measureCount_; }
  void SetMeasureCount(int n);
  std::uint8_t VelocityMode() const { return velocityMode_; }
  void SetVelocityMode(std::uint8_t mode);
  const std::vector<std::string>& Description() const { return description_; }
  void SetDescription(const std::vector<std::string>& lines) { description_ = lines; }
  std::string Composer;
  std::string Rights;
  std::uint16_t FileVersion = 880;
  int MidiImportGrid = 8;
  // MIDI import: one instrument per track instead of one row per track;
  // set by the import dialog before the load.
  bool MidiSeparateSheets = false;
  // Set by a MIDI import that met damage or a size limit and kept what it
  // read before; the window shows it.
  bool MidiImportDamaged = false;
  int RulerWidth = 24;
  bool HasFocus = false;
  // Set while loading, importing MIDI or changing the zoom: DoChanged is
  // silent meanwhile.
  bool SuppressChanged = false;
  // Set while a MIDI file is imported: time signatures act on every
  // instrument, and beams are rebuilt at the end instead of on the way.
  bool ImportingMidi = false;
  bool DeferUnions = false;
  // Set while the layout must not run (loading, import, bulk edits).
  bool LayoutSuspended = false;

  // --- undo lists ----------------------------------------------------------
  bool CanUndo() const { return !undoList_.empty(); }
  bool CanRedo() const { return !redoList_.empty(); }
  int UndoCount() const { return static_cast<int>(undoList_.size()); }
  int RedoCount() const { return static_cast<int>(redoList_.size()); }
  TECUndoStep* GetUndoStep(int i) const;
  TECUndoStep* GetRedoStep(int i) const;
  TECUndoStep* BeginUndoStep(std::uint8_t kind);
  // Takes back the newest undo step when it is `step` and holds no entry
  // (an edit whose saves all failed changed nothing).
  void DropEmptyUndoStep(TECUndoStep* step);
  TECUndoStep* BeginRedoStep(std::uint8_t kind);
  void SaveUndoInstrument(TECUndoStep* step, TECInstrument* instrument);
  void SaveUndoRow(TECUndoStep* step, TECRow* row);
  void SaveUndoMeasure(TECUndoStep* step, TECMeasure* measure, int index);
  void SaveUndoAttachment(TECUndoStep* step, TECSymbolEntry* entry, int index);
  void SaveUndoPageObject(TECUndoStep* step, TECPageObject* object);
  // The time-signature step's entry (kind 35): the active instrument's index,
  // every symbols-row entry and every measure of every row.
  void SaveUndoInstrumentMusic(TECUndoStep* step);
  // The same entries for steps of the redo list.
  void SaveRedoInstrument(TECUndoStep* step, TECInstrument* instrument);
  void SaveRedoRow(TECUndoStep* step, TECRow* row);
  void SaveRedoMeasure(TECUndoStep* step, TECMeasure* measure, int index);
  void SaveRedoAttachment(TECUndoStep* step, TECSymbolEntry* entry, int index);
  void SaveRedoPageObject(TECUndoStep* step, TECPageObject* object);
  void Undo(int count);
  void Redo(int count);
  // Empties both lists and reports it: their steps name places by index,
  // which mean nothing once the instruments are replaced.
  void ClearUndoLists();
  // Told by a row before it appends a measure. Edits append the measures
  // they reach before they begin their step; the next step notes the count
  // the row had before, so that undo drops those measures again.
  void NoteMeasureAppended(const TECRow* row, int countBefore);

  // --- drum tables ---------------------------------------------------------
  std::vector<std::unique_ptr<TECDrumHead>>& DrumHeads() { return drumHeads_; }
  std::vector<TECDrumMapEntry>& DrumMap() { return drumMap_; }
  void ClearDrumHeads() { drumHeads_.clear(); }
  void AssignDrumHeads(const TECMusicScore& source);

  // Carry-over lists and the active page's systems, kept by the layout pass.
  TECPageLayout PageLayout;

  // --- layout and page drawing ----------------------------------------------
  // Draws the active page of the active instrument at the given zoom
  // (percent) with the given selection, else the score's own, shown red. This, LayoutScore and
  // AddSystemSymbol go to the installed layout engine (score_layout_engine.h)
  // and do nothing without one.
  void DrawPage(nv::platform::Canvas& canvas, int hzoom, int vzoom,
                const nv::render::PaintSelection* selection = nullptr);
  void LayoutScore(int page, bool twoPages) override;
  // Hands a volta symbol met while laying out a page to the pages after it.
  void AddSystemSymbol(TECSymbolItem* item);
  void BeginRulesUpdate();
  void EndRulesUpdate();

  // --- selection and drag state --------------------------------------------
  // The selection: element records of one owner row of the active instrument
  // (a TECRow, its TECSymbolsRow or its TECTextsRow), grouped by measure. The
  // operations on it are defined in the editing layer.
  TECModelObject* SelectedRow = nullptr;
  std::vector<TECSelected> Selection;
  // Row whose group bracket is selected, -1 when none.
  int SelectedRowGroup = -1;
  // Record of the last hit, none when the last hit test found nothing.
  TECElement* ClickedElement = nullptr;
  // Staff step under the last click; the cursor pitch line is this + 35.
  int ClickedPitchLine = 0;
  // Selection notices held back by an open batch: 0 no batch, 1 open, more
  // when changes were counted.
  int SelectionBatch = 0;
  // Drag state: press point, last point handled (document pixels), handle
  // of the dragged page object (0 none, 1..8 edges, 9/10 angle points).
  TECPoint DragStart;
  TECPoint LastMouse;
  int DragHandle = 0;
  bool NoteCursor = false;
  bool NoteCursorRequested = false;
  // Staff step of the last pitch hint, to skip repeating it.
  int HintedStep = 0x7FFFFFFF;
  // Set while an edit keeps the selection across its undo step; see
  // ReleaseSelection.
  int KeepSelection = 0;

  // Empties the selection without reading its records and clears
  // ClickedElement and the bracket: called before records are freed or
  // renumbered (an edit's undo step, undo, redo, loading, instrument
  // changes). Invalidates the score and notifies when anything was selected.
  void ReleaseSelection();

  // Selection, hit testing and drop (defined in the editing layer).
  void ClearSelection();
  bool SelectElement(TECElement* element, int part);
  void InvalidateElement(TECElement* element);
  void ToggleMeasureSelection(TECMeasure* measure);
  bool SelectAtPoint(TECPoint point, bool add, bool clear);
  bool SelectInRect(const TECRect& rect, bool clear);
  bool DeleteSelection();
  void ClientToDocument(int& x, int& y) const;
  void NotifySelectedChanged();
  void EndSelectionBatch();
  int HandleAtPoint(TECPoint point);
  void DropAtPoint(TECPoint point, TECElement* element);
  // Switching on with the mouse's client point puts LastMouse on it, in
  // document pixels (ClientToDocument).
  bool SetNoteCursor(bool on, std::optional<TECPoint> clientMouse = std::nullopt);

  // Edit commands on the selection or the notes at the cursor (defined in
  // the editing layer); each is one undo step of its kind.
  void MoveSelectionHorz(int delta);
  void NudgeSelection(int delta);
  void ExtendSpanners(int delta);
  void AlignSelection();
  void ResizeSelection(int delta);
  void OffsetNote();
  void SplitUnionNotes(bool split);
  void JoinNotes(bool unjoin);
  void SetMeasureUnionStyle(std::uint8_t style, std::int32_t count);
  void MoveSelectionVert(int delta);
  void MoveSelectionByPitch(int delta);
  void SetStemDirection(int direction);
  void SetBeamDirection(int delta);
  void ReshapeSelection(int delta);
  void ChangeSelectionVelocity(int delta);

  // --- mouse and keyboard (defined in the editing layer) --------------------
  // The window turns its input into these calls: client pixels, the button
  // and the shift state.
  void MouseDown(TECMouseButton button, TECShiftState shift, int x, int y);
  void MouseMove(TECShiftState shift, int x, int y);
  void MouseUp(TECMouseButton button, TECShiftState shift, int x, int y);
  // True when the wheel was handled.
  bool DoMouseWheel(TECShiftState shift, int wheelDelta, TECPoint mousePos);
  // Runs the key table; a handled key is set to 0, others go to OnKeyDown.
  void KeyDown(std::uint16_t& key, TECShiftState shift);
  // One step of the held page-tab arrow (the window's 150 ms timer).
  void TabTimerStep();
  // Draws the drag feedback over the painted client area, as the window
  // paints: the back buffer first, then this. `canvas` covers the client
  // area with its origin at the client's top-left; the feedback lives in
  // the score's state, and every change of it repaints its old and new
  // places.
  void DrawOverlay(nv::platform::Canvas& canvas);
  // Shows the letter of the ghost note's pitch as the hint at once; only
  // while NoteCursor is on.
  void UpdatePitchHint();

  // Mouse state besides the drag state above. The press may start a drag
  // (element, handle or hand pan); the first move of it happened; the press
  // hit an element; a rubber band is drawn; the main window's insert tool is
  // on (a press does no hit test).
  bool DragArmed = false;
  bool Dragging = false;
  bool PressedOnElement = false;
  bool RubberBandActive = false;
  bool InsertToolActive = false;
  // The left press pans the view by hand (Shift held, or preview pages).
  bool HandPanning = false;
  // The left press began in the score area and was neither a hand pan, a
  // ruler drag nor a tab press: only such a press ends in click events.
  bool PressInScore = false;
  // Where the dragged ruler marker stood at the press (client pixels; its
  // left edge, the top edge for the row offset).
  int RulerMarkerStart = 0;

  // The page-tab strip as the latest painting laid it out (client pixels),
  // for the mouse: the arrows (empty when not shown) and the tabs shown.
  struct PageTabPlace {
    int Page = 0;
    TECRect Box;
  };
  TECRect PageTabLeftArrow;
  TECRect PageTabRightArrow;
  std::vector<PageTabPlace> PageTabPlaces;

  // The window's mouse and key input passed on: first thing on a press and
  // a release, last thing on a move (not during a hand pan or a ruler
  // drag), and the keys the key table does not take.
  std::function<void(TECModelObject*, TECMouseButton, TECShiftState, int x, int y)> OnMouseDown;
  std::function<void(TECModelObject*, TECShiftState, int x, int y)> OnMouseMove;
  std::function<void(TECModelObject*, TECMouseButton, TECShiftState, int x, int y)> OnMouseUp;
  std::function<void(TECModelObject*, std::uint16_t& key, TECShiftState)> OnKeyDown;

  // --- view state (score_view.cpp) ------------------------------------------
  // What the window shows: scroll bars, rulers, caret, invalidation, page
  // following. Without a host the calls keep the state and repaint nothing.
  // Scroll bars; the positions are the document pixel at the view's top-left.
  TECScrollBar HorzScrollBar;
  TECScrollBar VertScrollBar;
  // Thickness of the rulers in the client area: RulerWidth while Rules is on.
  int RulerSize() const { return rules_ ? RulerWidth : 0; }
  // Ranges from the page's pixel size and the client size, positions clamped;
  // lays out from page 0; OnChanged when `notify`.
  void UpdateScrollBars(bool notify) override;
  // Clamps the position to the bar's range and scrolls the window contents.
  void ScrollTo(TECScrollBarKind bar, int position);
  // A document rectangle (element boxes, drag feedback) to repaint where
  // the view shows it: less the scroll positions, plus the rulers.
  void InvalidateArea(const TECRect& area);
  // The score area: the client less the scroll bars and the rulers.
  void InvalidateScore() override;
  // The whole client area, rulers and tab strip included.
  void InvalidateClientArea() override;
  void InvalidatePageTabs();
  // A client rectangle (rulers included) to repaint, under the lock.
  void InvalidateClientRect(const TECRect& area);
  // The score area's right and bottom edges in the client (the scroll bars
  // stand beyond them while the control is enabled); needs a host.
  int ClientScoreRight() const;
  int ClientScoreBottom() const;
  // While set, InvalidateArea and InvalidateScore only count; see
  // ScopedInvalidationLock.
  bool InvalidationLocked = false;
  int InvalidationCount = 0;
  void SetScoreSize(int width, int height) override;
  ScoreViewport Viewport() const override;
  // The caret: a nesting counter (9999 before it was first shown, 0 shown).
  // The window draws it with DrawCaret when told it shows or hides.
  void ShowCaret(bool show);
  int CaretHideCount() const { return caretHideCount_; }
  // Draws the caret with an XOR pen, so drawing it again erases it; `show`
  // says whether it is drawn or taken off (the same strokes either way).
  void DrawCaret(nv::platform::Canvas& canvas, bool show);
  void ScrollToCursor();
  // After a page switch the cursor keeps its measure offset from the page start.
  void FitCursorToPage(int oldPage);
  // Moves the active page forward to the page that holds the cursor measure.
  void FollowActivePage();
  // Places the cursor at a document point; with `voiceByHeight` the voice
  // follows the height in a two- or three-voice row.
  void SetCursorFromPoint(int x, int y, bool voiceByHeight);
  // Set when the last point placed the cursor (ClickedPitchLine is its line).
  bool ScoreClicked = false;
  // One ruler marker with its corner at (x, y): kind 1 points up, 2 down,
  // 3 left, 4 right; grey while dragged. Nothing while Rules is off.
  void DrawRulerMarks(nv::platform::Canvas& canvas, int x, int y, bool grey, int kind);
  // A ruler marker's top-left corner in client pixels, where the rulers
  // draw it and the mouse takes it (marker 1 left indent, 2 right indent,
  // 3 row offset, 4 space after the bar); none while Rules is off and for
  // markers 3 and 4 without a cursor row or system.
  std::optional<TECPoint> RulerMarkerCorner(int marker) const;
  // The navigator: the whole instrument as a strip of measures, painted on
  // the panel's canvas while it paints. The panel is remembered for the
  // cursor marker, which is XOR-drawn on it later.
  void PaintNavigator(IECNavigatorPanel& panel, nv::platform::Canvas& canvas);
  void DrawNavigatorFrame(bool show);
  void NavigatorClick(int x);
  double NavigatorScale() const { return navigatorScale_; }
  // Forgets the panel (it went away).
  void ReleaseNavigator() { navigatorPanel_ = nullptr; }
  // Zoom so that the page's width (height) fills the client area.
  void ZoomToPageWidth();
  void ZoomToPageHeight();
  // The marker being dragged on a ruler: 0 none, 1 left indent, 2 right
  // indent, 3 row offset, 4 space after the bar.
  int RulerDrag = 0;
  // The page-tab strip: the first tab shown (its scroll position), the last
  // tab that fits (-1 when all fit), and the arrows held down.
  int FirstPageTab = 0;
  int LastPageTab = -1;
  bool TabArrowLeft = false;
  bool TabArrowRight = false;

  // --- screen painting and printing (render/score_paint.cpp, score_print.cpp) --
  // Paints the client area within the canvas's clip: rulers, page tabs and
  // the active page, the page through `buffer` when one is given (the
  // window's double buffer), else straight onto the canvas. The window draws
  // the caret and its overlays after it. Nothing without a host.
  void Paint(nv::platform::Canvas& canvas, nv::platform::BackBuffer* buffer,
             const nv::render::PaintSelection* selection = nullptr);
  // Both rulers; with `clip` limited to `area` (client pixels).
  void DrawRulers(nv::platform::Canvas& canvas, bool clip, const nv::platform::Rect& area);
  // Prints the chosen pages and copies onto the target at its resolution.
  // Throws EPrintError when the target cannot start; Zoom, the zoom factor
  // and the printing flag are restored on every exit.
  void Print(nv::platform::PagedTarget& target, const TECPrintSettings& settings);

  // --- note clipboard --------------------------------------------------------
  // The selection as a clipboard payload (written in the formats layer), and
  // its paste at the cursor as one undo step (editing layer): a payload that
  // cannot be read whole pastes nothing. True when anything was pasted.
  void SaveSelectionToStream(ByteStream& stream) const;
  bool LoadSelectionFromStream(ByteStream& stream);
  // Cut, copy and paste through the installed clipboard; nothing in
  // ssPreviewPages or with ReadOnly. True when the command did something.
  bool CutToClipboard();
  bool CopyToClipboard();
  bool PasteFromClipboard();
  bool CanCopy() const;
  bool CanPaste() const;
  bool CanArrange() const;
  // Edits at the cursor of the active row (defined in the editing layer).
  // They pass the row's, instrument's and page code's own arguments on; each
  // does nothing without an active instrument and row.
  TECNote* InsertNote(int step, int octave, bool accidentalRule, std::uint8_t lastSpare, std::uint8_t thirdSpare,
                      std::uint8_t optionBits, const std::array<std::uint8_t, 7>& options, int duration);
  // Step and octave from the cursor pitch line.
  TECNote* InsertNoteAtCursorPitch(bool accidentalRule, std::uint8_t lastSpare, std::uint8_t thirdSpare,
                                   std::uint8_t optionBits, const std::array<std::uint8_t, 7>& options, int duration);
  TECNote* InsertRepeatSign(int kind, int variant);
  void InsertRest(int value, std::uint8_t dots);
  // The notes of the cursor voice under [cursor, cursor + duration) give way
  // to the entries, entered as one chord (one undo step of the row's).
  void ReplaceWithChordNotes(const std::vector<TECChordEntry>& entries, bool spell, int duration);
  void ReflowNote(TECNote* note, int duration, std::uint8_t startOffset, std::uint8_t velocity);
  void AddMeasureSymbol(int kind, std::uint8_t param, std::uint16_t value, std::uint8_t param2, std::uint8_t param3);
  void AddInstrumentSymbol(std::uint8_t kind, int value1, int value2);
  void AddTempoMark(int value, int tempo);
  void LinkNotes(TECNote* first, TECNote* second, int kind);
  void DeleteAtCursor(bool backward);
  void SetChordSymbol(const std::vector<std::uint8_t>* code, const std::vector<TECChordPiece>* pieces, bool flag);
  void RemoveChordSymbol(int n);
  const std::vector<std::uint8_t>* ChordSymbolAtCursor() const;
  void AddBarre(const std::array<std::uint8_t, 4>& params, std::uint16_t value, std::uint8_t voice);
  void AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, std::uint8_t param, std::uint8_t param2);
  void AddTextItems(const std::vector<std::string>& lines, const std::string& fontName,
                    const std::array<std::uint8_t, 5>& style, std::int32_t value, std::uint8_t options);
  // For a row new to its instrument (MIDI import): the time signatures of
  // the instrument's first row, or of the score's first instrument.
  void CopyTimeSignatures(TECRow* row);
  void SetClefAtCursor(int clef);
  void SetKeySignatureAtCursor(int key);
  // Measures at the cursor index in every row that reaches it (undo kinds
  // 60 and 61).
  void AddMeasures(int count);
  void DeleteMeasures(int count);
  // Instruments (undo kinds 40 and 41). DeleteInstrument answers count - 1
  // when it refuses for want of a second instrument, else the new count.
  TECInstrument* AddInstrument();
  int DeleteInstrument(int index);
  void MoveInstrument(int delta);
  void SetAllMuted(bool mute);
  void UnionSplitRow(bool unite);
  // Page objects on the active page; points and extents in document pixels.
  TECPageText* AddPageText(int x, int y, std::int32_t color, int style, int size, const std::string& fontName,
                           const std::vector<std::string>& lines);
  TECPagePicture* AddPagePicture(int x, int y, bool stretch, bool naturalSize, const TECPicture& picture, int height,
                                 int width);
  TECPageLine* AddPageLine(int x1, int y1, int penWidth, std::int32_t penColor, int penStyle, int x2, int y2);
  // Rectangle or ellipse; arc, pie or chord segment. A negative extent is
  // taken as positive.
  void AddPageShape(std::uint8_t kind, int x, int y, int penWidth, std::int32_t penColor, int penStyle,
                    std::int32_t brushColor, int brushStyle, int width, int height);
  void AddArcObject(std::uint8_t kind, int x, int y, int penWidth, std::int32_t penColor, int penStyle,
                    std::int32_t brushColor, int brushStyle, int width, int height);
  // Starts drawing a page shape (kinds 63..68) at a client point: the kind
  // and the point become the drag's state; the view draws the outline.
  void BeginShape(int kind, int x, int y);
  int ShapeKind = 0;
  // The pen and brush a shape drawn with the mouse is made with; the main
  // window sets them from its line and brush tools.
  struct ShapeSettings {
    int PenWidth = 1;
    std::int32_t PenColor = 0;
    int PenStyle = 0;
    std::int32_t BrushColor = 0xFFFFFF;
    int BrushStyle = 1;  // clear
    int EndShapes = 0;   // a line's ends (the arrow tool's)
  };
  ShapeSettings ShapeStyle;

  // The erase tool, note effects and grace notes (editing layer).
  void EraseElement(TECElement* element);
  void AddNoteEffect(TECElement* element, int code, int a, int b);
  // One grace note: step 1..7, octave and an accidental code (0 none).
  struct GraceEntry {
    std::uint8_t Step = 1;
    std::uint8_t Octave = 5;
    std::uint8_t Accidental = 0;
  };
  void SetGraceNotes(TECNote* note, std::uint8_t style, int count, const std::vector<GraceEntry>& entries,
                     std::uint8_t value);
  TECGraceGroup* GetGraceNotesOfClicked() const;

  // Properties of the selected objects and the formatting commands
  // (editing layer); none records an undo step.
  bool SelectionHasKind(int kind, int kind2) const;
  bool SelectionIsChord() const;
  bool SelectionHasPageObject() const;
  // Kind 61 (page text) or 240 (text box). Align is 0..3.
  struct TextProperties {
    std::vector<std::string> Lines;
    int Align = 0;
    std::int32_t Color = 0;
    int Style = 0;
    int Size = 0;
    std::string FontName;
  };
  bool GetSelectedText(int kind, TextProperties& properties) const;
  void SetSelectedText(int kind, const TextProperties& properties);
  // The per-note instrument byte of the selected notes.
  bool GetSelectedNoteInstrument(int& value) const;
  void SetSelectedNoteInstrument(int value);
  // Tempo marks: their note-value byte and tempo.
  bool GetSelectedTempo(int& kind, int& tempo) const;
  void SetSelectedTempo(int kind, int tempo);
  // Chord symbols of a row: the text pieces of the first are appended to
  // `pieces`; the setter gives every one a copy of the list.
  bool GetSelectedChord(std::vector<TECChordPiece>& pieces) const;
  void SetSelectedChord(const std::vector<TECChordPiece>& pieces);
  // Barres: the fret shown and the extent (the style byte).
  void SetSelectedBarre(int fret, int extent);
  // Pictures: size, the stretch and natural-size bits and the image. With
  // several pictures the last one's values are read and no image.
  bool GetSelectedImage(TECPicture& picture, int& width, bool& stretch, bool& naturalSize, int& height) const;
  // The image is replaced only by one that holds data.
  void SetSelectedImage(const TECPicture& picture, int width, bool stretch, bool naturalSize, int height);
  void SetSelectedPointStyle(int style);
  // Select-all commands: one selection notice each.
  void SelectActiveRow();
  void SelectAllChords();
  void SelectAllTexts();
  void SetSelectedTextColor(std::int32_t color);
  void SetSelectedBrushColor(std::int32_t color);
  void SetSelectedLineColor(std::int32_t color);
  void SetSelectedFontName(const std::string& name);
  void SetSelectedFontSize(int size);
  void SetSelectedFontStyle(int style);
  void SetSelectedBrushStyle(int style);
  void SetSelectedLineWidth(int width);
  void SetSelectedLineStyle(int style);
  void SetSelectedRotation(int rotation);
  void SetSelectedTextAlign(int align);
  void SetSelectedObjectsPage(bool onePage);
  void ReorderSelectedObjects(bool front);

  // --- change notices ------------------------------------------------------
  // Fires OnChanged unless change notices are suppressed; the sender is the
  // score unless another is given.
  void DoChanged(TECModelObject* sender = nullptr);
  void FireChanged(TECModelObject* sender);
  void FireStaveChanged(TECModelObject* sender, TECStaveOperation op, TECModelObject* stave);
  void FirePlayShort(TECModelObject* sender, std::uint8_t message, std::uint8_t data1, std::uint8_t data2);
  // True while playback runs (set by the play code, read on any thread).
  std::atomic<bool> Playing{false};

  // --- playback ------------------------------------------------------------
  // Filled in by the playback code; without it Play does nothing. The score
  // owns it, so playback stops before the music goes.
  std::unique_ptr<IECPlayback> Playback;
  void Play();
  void Stop();
  void FollowPlayback();
  // Sends the program of the current row (the instrument's when the row has
  // none) to `channel`.
  void SendProgramChange(std::uint8_t channel);

  // --- playback preparation ------------------------------------------------
  // The auto-effect and auto-velocity switches: after a new symbol item,
  // re-expand the ornaments at its tick, recompute velocities from it (and
  // from new notes).
  bool AutoEffect = false;
  bool AutoVelocity = false;
  // The follow-up after a new item of `kind` at `tick` of `measure`.
  void FollowNewSymbolItem(TECMeasure& measure, int tick, int kind);
  // The follow-up after new notes from `tick` of measure `measure` on (note
  // entry, chords, paste, recording): velocities recomputed from there.
  void FollowNewNotes(int measure, int tick);

  // --- events --------------------------------------------------------------
  std::function<void(TECModelObject*, TECElement* note, int line)> OnNoteClick;
  std::function<void(TECModelObject*, TECElement* symbol)> OnSetCursor;
  std::function<void(TECModelObject*, int line)> OnScoreClick;
  std::function<void(TECModelObject*, int x, int y)> OnPageClick;
  TECNotifyEvent OnActivePageChanged;
  TECNotifyEvent OnPageCountChanged;
  // After a layout pass that leaves pages whose system runs past the usable
  // height (PageLayout.OverfullPages), and after the pass that clears them:
  // the pages marked, in order; empty when none is left.
  std::function<void(TECModelObject*, const std::vector<std::int32_t>& pages)> OnOverfullPages;
  TECNotifyEvent OnSelectedChanged;
  TECNotifyEvent OnPositionChanged;
  TECNotifyEvent OnUndoChanged;
  TECNotifyEvent OnRedoChanged;
  std::function<void(TECModelObject*, TECStaveOperation, TECModelObject* stave)> OnStaveChanged;
  TECNotifyEvent OnChanged;
  std::function<void(TECModelObject*, bool& aContinue)> OnTestEmptyMeasure;
  std::function<void(TECModelObject*, const std::vector<const TECMeasure*>& measures)> OnPlayError;
  std::function<void(TECModelObject*, std::uint8_t message, std::uint8_t data1, std::uint8_t data2)> OnPlayShort;
  std::function<void(TECModelObject*, const std::uint8_t* sysex, std::uint16_t length)> OnPlayLong;
  std::function<void(TECModelObject*, const std::vector<std::uint8_t>& code, std::vector<TECChordPiece>& pieces)>
      GetAccordText;
  std::function<int(TECModelObject*, int symbol)> OnGetDinamics;
  std::function<bool(TECModelObject*, int kind, const std::string& text, int& value1, int& value2)> OnGetTerms;
  std::function<bool(TECModelObject*)> OnGetShowHint;

 private:
  // The page that holds measure m, searched from the active page; -1 when it
  // lies past the last page and `extend` is off (with it, pages are added).
  int FindPageOf(int m, bool extend);
  // `fromGoTo` adds the navigator mark and the voice clamp of GoToMeasure.
  void SwitchToPage(int p, bool fromGoTo);
  // GoToMeasure without its position event; false when nothing moved.
  bool MoveCursorToMeasure(int m);
  int GetMeasureLengthForPickup(std::uint16_t word) const;
  void RebuildEveryUnion();
  struct RulerMarkers {
    int X1 = 0, X2 = 0, X3 = 0, Y = 0;
  };
  RulerMarkers ComputeRulerMarkers() const;

  // Undo and redo run through the player, which reaches the lists and the
  // time-signature fields it restores.
  friend class UndoPlayer;
  using UndoList = std::vector<std::unique_ptr<TECUndoStep>>;
  // Appends a step to a list, dropping the oldest when the list is full.
  TECUndoStep* AppendStep(UndoList& list, std::uint8_t kind);
  // Page, layout-record and measure counts of every instrument now.
  std::vector<TECUndoLayoutState> LayoutStates() const;
  // Rows that grew since the last step began, with their count before.
  std::vector<std::pair<const TECRow*, int>> appendedRows_;
  bool Holds(const UndoList& list, const TECUndoStep* step) const;
  void WriteInstrumentEntry(const UndoList& list, TECUndoStep* step, TECInstrument* instrument);
  void WriteRowEntry(const UndoList& list, TECUndoStep* step, TECRow* row);
  void WriteMeasureEntry(const UndoList& list, TECUndoStep* step, TECMeasure* measure, int index);
  void WriteAttachmentEntry(const UndoList& list, TECUndoStep* step, TECSymbolEntry* entry, int index);
  void WritePageObjectEntry(const UndoList& list, TECUndoStep* step, TECPageObject* object);

  // Reads the page setup in `unit` for the duration of `read`.
  template <typename Read>
  double ReadPageIn(TECMetrix unit, Read read) const;

  IECScoreHost* host_ = nullptr;
  std::unique_ptr<TECScorePage> page_;
  bool printing_ = false;
  bool destroying_ = false;
  std::vector<std::unique_ptr<TECInstrument>> instruments_;
  int activeInstrument_ = 0;
  int cursorMeasure_ = 0;
  int cursorTick_ = 0;
  int cursorVoice_ = 0;
  int cursorPitch_ = 35;
  int activePage_ = 0;
  std::vector<std::string> description_;
  std::uint16_t timeWord_ = 257;
  std::uint8_t sizeStyle_ = 0;
  int defaultMeasureLength_ = 128;
  std::uint16_t aufTakt_ = 0;
  int unionLength_ = 64;
  std::vector<int> pageStarts_;
  std::vector<int> pageBars_;
  std::vector<std::unique_ptr<TECUndoStep>> undoList_;
  std::vector<std::unique_ptr<TECUndoStep>> redoList_;
  int undoLock_ = 1;
  std::vector<std::unique_ptr<TECDrumHead>> drumHeads_;
  std::vector<TECDrumMapEntry> drumMap_;
  std::uint8_t noteInterval_ = 0;
  int measureCount_ = 3;
  std::uint8_t velocityMode_ = 0;
  int resolution_ = 96;
  int zoom_ = 100;
  int scale_ = 100;
  int zoomFactor_ = 10000;
  RulerMarkers rulerMarkers_;
  int caretHideCount_ = 9999;
  bool zoomChanging_ = false;
  bool placingCursor_ = false;
  bool updatingScrollBars_ = false;
  IECNavigatorPanel* navigatorPanel_ = nullptr;
  void DrawNavigatorMarker(nv::platform::Canvas& canvas) const;
  bool CursorPlace(int& x, int& staffTop) const;
  double navigatorScale_ = 0;
  bool navigatorMarkShown_ = false;
  void ZoomToPageLength(int client, double tenths);
  int rulesNesting_ = 0;
  bool pageSwitching_ = false;
  TScoreStyle style_ = TScoreStyle::ssPages;
  TECMetrix metrix_ = TECMetrix::rmMM;
  bool measureNumeration_ = true;
  int maxUndo_ = 10;
  int tempoScale_ = 100;
  int tempo_ = 60;
  TECCursorType cursorType_ = TECCursorType::ctRow;
  std::int32_t cursorColor_ = 0;
  TECUnionStyle unionStyle_ = TECUnionStyle::usFull;
  int unionCount_ = -1;
  bool printEmpty_ = false;
  bool printLines_ = false;
  bool printNumber_ = false;
  int startBarNumber_ = 0;
  TECNumberStyle numberStyle_ = TECNumberStyle::nsBar;
  bool rules_ = false;
  bool vertAlign_ = true;
  bool horzAlign_ = true;
  int cursor_ = 0;
  bool density_ = false;
};

// Holds the score's invalidation lock for its lifetime (unless it was held
// already) and then invalidates the whole score once.
class ScopedInvalidationLock {
 public:
  explicit ScopedInvalidationLock(TECMusicScore& score) : score_(score), took_(!score.InvalidationLocked) {
    score_.InvalidationLocked = true;
  }
  ~ScopedInvalidationLock() {
    if (!took_) return;
    score_.InvalidationLocked = false;
    score_.InvalidateScore();
  }
  ScopedInvalidationLock(const ScopedInvalidationLock&) = delete;
  ScopedInvalidationLock& operator=(const ScopedInvalidationLock&) = delete;

 private:
  TECMusicScore& score_;
  bool took_;
};

// Suspends the layout for its lifetime and gives LayoutSuspended back as it
// found it.
class ScopedLayoutSuspension {
 public:
  explicit ScopedLayoutSuspension(TECMusicScore& score) : score_(score), was_(score.LayoutSuspended) {
    score_.LayoutSuspended = true;
  }
  ~ScopedLayoutSuspension() { score_.LayoutSuspended = was_; }
  ScopedLayoutSuspension(const ScopedLayoutSuspension&) = delete;
  ScopedLayoutSuspension& operator=(const ScopedLayoutSuspension&) = delete;

 private:
  TECMusicScore& score_;
  bool was_;
};

// Raises LockUndo for its lifetime.
class ScopedUndoLock {
 public:
  explicit ScopedUndoLock(TECMusicScore& score) : score_(score) { score_.SetLockUndo(true); }
  ~ScopedUndoLock() { score_.SetLockUndo(false); }
  ScopedUndoLock(const ScopedUndoLock&) = delete;
  ScopedUndoLock& operator=(const ScopedUndoLock&) = delete;

 private:
  TECMusicScore& score_;
};
