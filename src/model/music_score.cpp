#include "model/music_score.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/playback.h"
#include "model/row.h"
#include "model/scoped_flag.h"
#include "model/undo_recorder.h"
#include "model/undo_step.h"
#include "model/units.h"

TECMusicScore::TECMusicScore() : page_(std::make_unique<TECScorePage>(this, this)) {}

TECMusicScore::~TECMusicScore() {
  // The play thread reads nothing of the score, but its handlers may.
  Playback.reset();
  // Instruments and rows raise no destroyed events while the score goes.
  destroying_ = true;
  instruments_.clear();
}

void TECMusicScore::Assign(const TECMusicScore& source) {
  if (&source == this) return;
  ClearInstruments();
  AssignTimeSettings(source);
  vertAlign_ = source.vertAlign_;
  horzAlign_ = source.horzAlign_;
  printEmpty_ = source.printEmpty_;
  printLines_ = source.printLines_;
  printNumber_ = source.printNumber_;
  noteInterval_ = source.noteInterval_;
  measureCount_ = source.measureCount_;
  density_ = source.density_;
  scale_ = source.scale_;
  zoomFactor_ = scale_ * zoom_;
  for (const auto& from : source.instruments_) {
    TECInstrument* instrument = AppendInstrument();
    FireStaveChanged(this, TECStaveOperation::soAdded, instrument);
    instrument->Assign(*from);
  }
  AssignDrumHeads(source);
  activeInstrument_ = source.activeInstrument_;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::AssignTimeSettings(const TECMusicScore& source) {
  timeWord_ = source.timeWord_;
  sizeStyle_ = source.sizeStyle_;
  defaultMeasureLength_ = source.defaultMeasureLength_;
  unionStyle_ = source.unionStyle_;
  unionCount_ = source.unionCount_;
  unionLength_ = source.unionLength_;
  aufTakt_ = source.aufTakt_;
}

void TECMusicScore::AdoptInstruments(TECMusicScore& source) {
  if (&source == this) return;
  ClearInstruments();
  instruments_ = std::move(source.instruments_);
  source.instruments_.clear();
  for (const auto& instrument : instruments_) instrument->score_ = this;
}

void TECMusicScore::AssignDrumHeads(const TECMusicScore& source) {
  drumHeads_.clear();
  for (const auto& head : source.drumHeads_) {
    auto copy = std::make_unique<TECDrumHead>();
    copy->Name = head->Name;
    copy->First = head->First;
    copy->Second = head->Second;
    copy->Third = head->Third;
    for (const auto& shape : head->Shapes) copy->Shapes.push_back(shape->Clone());
    drumHeads_.push_back(std::move(copy));
  }
}

// --- page geometry -------------------------------------------------------------

// Reads the page in `unit` through a passing override; the page's own unit
// override, which the page block stores, is given back as it was.
template <typename Read>
double TECMusicScore::ReadPageIn(TECMetrix unit, Read read) const {
  struct Restore {
    TECScorePage& page;
    TECMetrix unit;
    bool overridden;
    ~Restore() {
      page.SetUnitOverride(unit);
      if (!overridden) page.ClearUnitOverride();
    }
  } restore{*page_, page_->OverrideUnit(), page_->HasUnitOverride()};
  page_->SetUnitOverride(unit);
  return read(*page_);
}

double TECMusicScore::PageUsableHeight(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.Height() - p.TopMargin() - p.BottomMargin(); });
}

double TECMusicScore::PageLeft(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.LeftMargin(); });
}

double TECMusicScore::PageTop(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.TopMargin(); });
}

double TECMusicScore::PageRightEdge(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.Width() - p.RightMargin(); });
}

double TECMusicScore::PageBottomEdge(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.Height() - p.BottomMargin(); });
}

double TECMusicScore::PageInterval(TECMetrix unit) const {
  return ReadPageIn(unit, [](const TECScorePage& p) { return p.Interval(); });
}

// --- instruments ---------------------------------------------------------------

TECInstrument* TECMusicScore::GetInstrumentAt(int i) const {
  return i >= 0 && i < InstrumentCount() ? instruments_[i].get() : nullptr;
}

TECRow* TECMusicScore::CurrentRow() const {
  TECInstrument* instrument = CurrentInstrument();
  return instrument ? instrument->GetActiveRow() : nullptr;
}

int TECMusicScore::IndexOfInstrument(const TECInstrument* instrument) const {
  for (int i = 0; i < InstrumentCount(); ++i)
    if (instruments_[i].get() == instrument) return i;
  return -1;
}

TECInstrument* TECMusicScore::AppendInstrument() { return InsertInstrument(InstrumentCount()); }

TECInstrument* TECMusicScore::InsertInstrument(int index) {
  index = std::clamp(index, 0, InstrumentCount());
  auto it = instruments_.insert(instruments_.begin() + index, std::make_unique<TECInstrument>(this));
  return it->get();
}

void TECMusicScore::MoveInstrumentInList(int from, int to) {
  if (from < 0 || from >= InstrumentCount() || to < 0 || to >= InstrumentCount() || from == to) return;
  std::unique_ptr<TECInstrument> moving = std::move(instruments_[from]);
  instruments_.erase(instruments_.begin() + from);
  instruments_.insert(instruments_.begin() + to, std::move(moving));
}

void TECMusicScore::DeleteInstrumentAt(int i) {
  if (i < 0 || i >= InstrumentCount()) return;
  ReleaseSelection();
  // Detach first so that handlers of the destroyed event see a consistent
  // instrument list.
  std::unique_ptr<TECInstrument> gone = std::move(instruments_[i]);
  instruments_.erase(instruments_.begin() + i);
}

void TECMusicScore::ClearInstruments() {
  Stop();
  while (!instruments_.empty()) DeleteInstrumentAt(InstrumentCount() - 1);
  ClearUndoLists();
}

void TECMusicScore::SetActiveInstrument(int i) {
  if (i == activeInstrument_ || i < 0 || i >= InstrumentCount()) return;
  // The selection belongs to the active instrument.
  ReleaseSelection();
  ShowCaret(false);
  BeginRulesUpdate();
  activeInstrument_ = i;
  TECInstrument* instrument = CurrentInstrument();
  if (instrument->PageCount() < activePage_ + 1) {
    const int oldPage = activePage_;
    activePage_ = instrument->PageCount() - 1;
    LayoutScore(0, false);
    FitCursorToPage(oldPage);
    ScrollToCursor();
    if (OnActivePageChanged) OnActivePageChanged(this);
  } else {
    LayoutScore(0, false);
    ScrollToCursor();
    InvalidateScore();
  }
  if (PageLastMeasure(activePage_) < cursorMeasure_ || cursorMeasure_ < PageFirstMeasure(activePage_))
    GoToMeasure(PageFirstMeasure(activePage_));
  InvalidatePageTabs();
  EndRulesUpdate();
  ShowCaret(true);
  FireStaveChanged(this, TECStaveOperation::soActiveChanged, instrument);
  if (OnPositionChanged) OnPositionChanged(this);
}

void TECMusicScore::LayoutInactiveInstrument(int i) {
  if (i == activeInstrument_ || i < 0 || i >= InstrumentCount()) return;
  // The layout pass lays out the active instrument around the active page;
  // both are lent to instrument i for the one pass.
  struct Lend {
    TECMusicScore& score;
    int instrument = score.activeInstrument_;
    int page = score.activePage_;
    TECNotifyEvent pageCountChanged = std::move(score.OnPageCountChanged);
    ~Lend() {
      score.activeInstrument_ = instrument;
      score.activePage_ = page;
      score.OnPageCountChanged = std::move(pageCountChanged);
    }
  } lend{*this};
  OnPageCountChanged = nullptr;
  activeInstrument_ = i;
  activePage_ = 0;
  LayoutScore(0, false);
}

void TECMusicScore::SetActivePage(int p) {
  TECInstrument* instrument = CurrentInstrument();
  if (!instrument || p == activePage_ || p < 0 || p >= instrument->PageCount()) return;
  const ScopedFlag switching(pageSwitching_);
  ShowCaret(false);
  BeginRulesUpdate();
  {
    // One repaint of the score when the switch is done.
    ScopedInvalidationLock lock(*this);
    const int oldPage = activePage_;
    activePage_ = p;
    FitCursorToPage(oldPage);
    // Every edit lays out from its page to the end, so the pages are laid
    // out already: the page shown (and the next) only takes the active
    // page's own state. Laying out to the end made stepping through a long
    // score quadratic.
    LayoutScore(p, true);
    ScrollToCursor();
  }
  EndRulesUpdate();
  InvalidatePageTabs();
  ShowCaret(true);
  if (OnActivePageChanged) OnActivePageChanged(this);
}

// --- cursor -------------------------------------------------------------------------

int TECMusicScore::FindPageOf(int m, bool extend) {
  TECInstrument* instrument = CurrentInstrument();
  int p = activePage_;
  // A page holds at least one measure, so the page of m is at most m.
  while (p < m) {
    int last = PageLastMeasure(p);
    if (last == 0) last = DrawnMeasureCount;
    if (!(last >= 1 && last < m)) break;
    ++p;
    if (p >= instrument->PageCount()) {
      if (!extend) return -1;
      instrument->SetPageCount(instrument->PageCount() + 1);
    }
  }
  while (p > 0 && m < PageFirstMeasure(p)) --p;
  return p;
}

void TECMusicScore::SwitchToPage(int p, bool fromGoTo) {
  if (p == activePage_) return;
  ShowCaret(false);
  if (fromGoTo) DrawNavigatorFrame(false);
  const int oldPage = activePage_;
  activePage_ = p;
  TECRow* row = CurrentRow();
  if (!row) return;
  ShowCaret(true);
  if (fromGoTo) DrawNavigatorFrame(true);
  LayoutScore(std::min(oldPage, p), false);
  if (fromGoTo && row->VoiceMode() < cursorVoice_) SetCursorVoice(row->VoiceMode());
  row->SnapCursor();
  InvalidateScore();
  InvalidatePageTabs();
  if (OnActivePageChanged) OnActivePageChanged(this);
}

bool TECMusicScore::MoveCursorToMeasure(int m) {
  if (!CurrentInstrument() || m == cursorMeasure_ || m < 0) return false;
  const int p = FindPageOf(m, false);
  if (p < 0) return false;
  ShowCaret(false);
  DrawNavigatorFrame(false);
  BeginRulesUpdate();
  cursorMeasure_ = m;
  SwitchToPage(p, true);
  ScrollToCursor();
  EndRulesUpdate();
  ShowCaret(true);
  DrawNavigatorFrame(true);
  return true;
}

void TECMusicScore::GoToMeasure(int m) {
  if (MoveCursorToMeasure(m) && !SuppressChanged && OnPositionChanged) OnPositionChanged(this);
}

void TECMusicScore::GoToMeasureExtending(int m) {
  if (!CurrentInstrument() || m == cursorMeasure_ || m < 0) return;
  const int p = FindPageOf(m, true);
  ShowCaret(false);
  cursorMeasure_ = m;
  SwitchToPage(p, false);
  ScrollToCursor();
  ShowCaret(true);
  if (OnPositionChanged) OnPositionChanged(this);
}

void TECMusicScore::ShowCursorPage() {
  if (!CurrentInstrument()) return;
  const int p = FindPageOf(cursorMeasure_, false);
  if (p < 0) return;
  ShowCaret(false);
  SwitchToPage(p, false);
  ScrollToCursor();
  ShowCaret(true);
}

void TECMusicScore::SetCursorPosition(int tick) {
  if (tick == cursorTick_ || tick < 0) return;
  ShowCaret(false);
  if (tick < GetMeasureLength(cursorMeasure_)) {
    cursorTick_ = tick;
  } else {
    // Past the end: the start of the next measure. Its move reports no
    // position of its own; the one notice below covers both changes.
    cursorTick_ = 0;
    MoveCursorToMeasure(cursorMeasure_ + 1);
  }
  ScrollToCursor();
  ShowCaret(true);
  if (OnPositionChanged) OnPositionChanged(this);
}

void TECMusicScore::SetCursorVoice(int voice) {
  if (voice < 0 || voice > 15 || voice == cursorVoice_) return;
  ShowCaret(false);
  cursorVoice_ = voice;
  if (TECRow* row = CurrentRow()) row->SnapCursor();
  ShowCaret(true);
}

void TECMusicScore::SetCursorPitch(int line) {
  line = std::clamp(line, 0, 127);
  if (line == cursorPitch_) return;
  ShowCaret(false);
  cursorPitch_ = line;
  ShowCaret(true);
}

int TECMusicScore::GetAbsolutePosition() const { return SumMeasureLengths(0, cursorMeasure_ - 1) + cursorTick_; }

void TECMusicScore::SetAbsolutePosition(int ticks) {
  // Walk the real lengths so that a pickup and local time signatures count,
  // as GetAbsolutePosition does.
  int measure = 0;
  for (int length = GetMeasureLength(0); length > 0 && ticks >= length; length = GetMeasureLength(++measure))
    ticks -= length;
  GoToMeasureExtending(measure);
  SetCursorPosition(ticks);
}

// --- page tables --------------------------------------------------------------------

int TECMusicScore::PageFirstMeasure(int p) const {
  return p >= 0 && p < static_cast<int>(pageStarts_.size()) ? pageStarts_[p] : 0;
}

int TECMusicScore::PageLastMeasure(int p) const {
  if (p + 1 >= 0 && p + 1 < static_cast<int>(pageStarts_.size()) && pageStarts_[p + 1] > 0)
    return pageStarts_[p + 1] - 1;
  return 0;
}

void TECMusicScore::SetNextPageStart(int p, int m) {
  if (p < -1) return;
  if (static_cast<int>(pageStarts_.size()) < p + 2) pageStarts_.resize(p + 2, 0);
  pageStarts_[p + 1] = m;
}

int TECMusicScore::PageLastBarNumber(int p) const {
  return p >= 0 && p < static_cast<int>(pageBars_.size()) ? pageBars_[p] : 0;
}

void TECMusicScore::SetPageLastBarNumber(int p, int n) {
  if (p < 0) return;
  if (static_cast<int>(pageBars_.size()) < p + 1) pageBars_.resize(p + 1, 0);
  pageBars_[p] = n;
}

// --- time signature and pickup ------------------------------------------------------

void TECMusicScore::SetTimeSignature(int numerator, int denominator, std::uint8_t sizeStyle, bool wholeScore) {
  // A zero numerator would make every measure 0 ticks long.
  if (!ValidTimeSignature(numerator, denominator)) return;
  const int length = numerator * 128 / denominator;
  if (wholeScore) {
    const std::uint16_t oldWord = timeWord_;
    const std::uint8_t oldSizeStyle = sizeStyle_;
    timeWord_ = static_cast<std::uint16_t>(numerator << 8 | denominator);
    sizeStyle_ = sizeStyle;
    const bool relength = length != defaultMeasureLength_;
    // A new word of the same length (2/4 to 4/8) is a change of its own,
    // recorded by the header alone.
    TECUndoStep* step = nullptr;
    if (relength || timeWord_ != oldWord || sizeStyle_ != oldSizeStyle) step = BeginUndoStep(35);
    if (step) {
      step->Stream.WriteU8(ek::ScoreStream);
      step->Stream.WriteU16(oldWord);
      // The size style goes with the word, so that undo gives both back.
      step->Stream.WriteU8(oldSizeStyle);
    }
    if (relength) {
      if (step) {
        for (const auto& instrument : instruments_) {
          for (int e = 0; e < instrument->SymbolsRow().Count(); ++e) SaveUndoAttachment(step, instrument->SymbolsRow().At(e), e);
          for (int r = 0; r < instrument->GetRowCount(); ++r)
            for (const auto& measure : instrument->GetRow(r)->Measures())
              SaveUndoMeasure(step, measure.get(), measure->Index);
        }
      }
      ScopedUndoLock lock(*this);
      ChangeAllMeasureLengths(length, 0);
      defaultMeasureLength_ = length;
      UpdateUnionLength();
      for (const auto& instrument : instruments_) instrument->UpdateMeasureTimes();
      RebuildAllUnions(0, true, false);
    }
    // A new word of the same length still changes what measure 0 shows.
    if (relength || timeWord_ != oldWord || sizeStyle_ != oldSizeStyle) LayoutScore(0, false);
    InvalidateScore();
    FireChanged(this);
    return;
  }
  if (ImportingMidi) {
    ScopedUndoLock lock(*this);
    ChangeAllMeasureLengths(length, cursorMeasure_);
    for (const auto& instrument : instruments_) {
      for (int r = 0; r < instrument->GetRowCount(); ++r)
        instrument->GetRow(r)->SetTimeSignature(cursorMeasure_, numerator, denominator, 0);
      instrument->UpdateMeasureTimes();
    }
    RebuildAllUnions(cursorMeasure_, true, false);
  } else {
    TECInstrument* instrument = CurrentInstrument();
    if (!instrument) return;
    if (TECUndoStep* step = BeginUndoStep(35)) SaveUndoInstrumentMusic(step);
    ScopedUndoLock lock(*this);
    instrument->ChangeMeasureLength(length, cursorMeasure_);
    for (int r = 0; r < instrument->GetRowCount(); ++r)
      instrument->GetRow(r)->SetTimeSignature(cursorMeasure_, numerator, denominator, sizeStyle);
    instrument->UpdateMeasureTimes();
    instrument->RebuildUnionsFrom(cursorMeasure_, true, false);
  }
  LayoutScore(activePage_, false);
  InvalidateScore();
  FireChanged(this);
}

void TECMusicScore::SaveUndoInstrumentMusic(TECUndoStep* step) {
  TECInstrument* instrument = CurrentInstrument();
  if (!step || !instrument) return;
  step->Stream.WriteU8(ek::InstrumentBlock);
  step->Stream.WriteU32(static_cast<std::uint32_t>(activeInstrument_));
  for (int e = 0; e < instrument->SymbolsRow().Count(); ++e) SaveUndoAttachment(step, instrument->SymbolsRow().At(e), e);
  for (int r = 0; r < instrument->GetRowCount(); ++r)
    for (const auto& measure : instrument->GetRow(r)->Measures()) SaveUndoMeasure(step, measure.get(), measure->Index);
}

void TECMusicScore::SetAufTakt(int notes, int value) {
  if (notes < 0 || value < 1 || value > 16 || value == 6 || notes * 128 / value > 192) return;
  const auto word = static_cast<std::uint16_t>(notes << 8 | value);
  if (word == aufTakt_) return;
  // Every change of the word is a step, whether or not it deletes notes:
  // later steps hold measures cut to this length, and undo must give the
  // word back before it gives them back.
  UndoRecorder recorder(this, undo_kind::Pickup);
  if (recorder.Begin()) {
    // The word first: undo gives it back with the notes.
    recorder.Step()->Stream.WriteU16(aufTakt_);
    for (const auto& instrument : instruments_) {
      // Tempo marks past the new end move back.
      recorder.SaveAttachment(instrument->SymbolsRow().At(0), 0);
      for (int r = 0; r < instrument->GetRowCount(); ++r) {
        TECMeasure* first = instrument->GetRow(r)->GetMeasure(0);
        if (!first) continue;
        recorder.Save(first);
        // Notes cut off take their ties and slurs off later notes.
        for (const auto& note : first->Notes) recorder.SaveLinked(*note);
      }
    }
  }
  aufTakt_ = word;
  for (const auto& instrument : instruments_) instrument->FitFirstMeasure();
  LayoutScore(0, false);
  InvalidateScore();
  DoChanged();
}

void TECMusicScore::UpdateUnionLength() {
  switch (unionStyle_) {
    case TECUnionStyle::usFull:
      unionLength_ = defaultMeasureLength_;
      break;
    case TECUnionStyle::usHalf:
      unionLength_ = defaultMeasureLength_ >> 1;
      break;
    case TECUnionStyle::usQuarter:
      unionLength_ = defaultMeasureLength_ >> 2;
      break;
    default:
      break;
  }
}

void TECMusicScore::RebuildEveryUnion() {
  for (const auto& instrument : instruments_)
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      TECRow* row = instrument->GetRow(r);
      for (const auto& measure : row->Measures()) row->RebuildUnions(measure.get(), true, false);
    }
}

// --- settings -------------------------------------------------------------------------

void TECMusicScore::SetStyle(TScoreStyle v) {
  if (v == style_) return;
  style_ = v;
  InvalidateScore();
}

void TECMusicScore::SetScale(int v) {
  if (v < kLowestZoom || v > kHighestZoom || v == scale_) return;
  ShowCaret(false);
  BeginRulesUpdate();
  scale_ = v;
  zoomFactor_ = zoom_ * scale_;
  LayoutScore(0, false);
  InvalidateScore();
  ShowCaret(true);
  EndRulesUpdate();
}

void TECMusicScore::SetMeasureNumeration(bool v) {
  if (v == measureNumeration_) return;
  measureNumeration_ = v;
  InvalidateScore();
}

void TECMusicScore::SetMaxUndo(int v) {
  if (v < 1 || v > 99) return;
  maxUndo_ = v;
}

void TECMusicScore::SetCursorType(TECCursorType v) {
  if (v == cursorType_) return;
  ShowCaret(false);
  cursorType_ = v;
  ShowCaret(true);
}

void TECMusicScore::SetCursorColor(std::int32_t v) {
  if (v == cursorColor_) return;
  ShowCaret(false);
  DrawNavigatorFrame(false);
  cursorColor_ = v;
  ShowCaret(true);
  DrawNavigatorFrame(true);
}

void TECMusicScore::SetUnionStyle(TECUnionStyle v) {
  if (v == unionStyle_) return;
  unionStyle_ = v;
  UpdateUnionLength();
  RebuildEveryUnion();
  InvalidateScore();
}

void TECMusicScore::SetUnionCount(int v) {
  if (v == unionCount_) return;
  unionCount_ = v;
  UpdateUnionLength();
  RebuildEveryUnion();
  InvalidateScore();
}

void TECMusicScore::SetStartBarNumber(int v) {
  if (v == startBarNumber_) return;
  startBarNumber_ = v;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetNumberStyle(TECNumberStyle v) {
  if (v == numberStyle_) return;
  numberStyle_ = v;
  InvalidateScore();
}

void TECMusicScore::SetRules(bool v) {
  if (v == rules_) return;
  rules_ = v;
  // The rulers take their strips of the client and the page moves.
  InvalidateClientArea();
}

void TECMusicScore::SetVertAlign(bool v) {
  if (v == vertAlign_) return;
  vertAlign_ = v;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetHorzAlign(bool v) {
  if (v == horzAlign_) return;
  horzAlign_ = v;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetCursor(int v) {
  if (v == cursor_) return;
  cursor_ = v;
  if (host_) host_->SetMouseCursor(v);
}

void TECMusicScore::SetDensity(bool v) {
  if (v == density_) return;
  density_ = v;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetNoteInterval(std::uint8_t mode) {
  noteInterval_ = mode;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetMeasureCount(int n) {
  measureCount_ = n;
  LayoutScore(0, false);
  InvalidateScore();
}

void TECMusicScore::SetVelocityMode(std::uint8_t mode) {
  velocityMode_ = mode;
  InvalidateScore();
}

// --- ruler markers -------------------------------------------------------------------

// Where the rulers mark the cursor's system and measure; all 0 without rulers
// or before the active row is laid out.
TECMusicScore::RulerMarkers TECMusicScore::ComputeRulerMarkers() const {
  RulerMarkers markers;
  const TECInstrument* instrument = CurrentInstrument();
  const TECRow* row = CurrentRow();
  if (!rules_ || !row) return markers;
  const int onPage = cursorMeasure_ - PageFirstMeasure(activePage_);
  if (onPage < 0 || onPage >= static_cast<int>(row->Placement.size())) return markers;
  const TECMeasurePlace& place = row->Placement[onPage];
  int leftIndent = 0;
  int rightIndent = 0;
  if (place.System >= 0 && place.System < static_cast<int>(instrument->Systems.size())) {
    leftIndent = instrument->Systems[place.System].LeftIndent;
    rightIndent = instrument->Systems[place.System].RightIndent;
  }
  // Indents and widths times the zoom factor, and the sums, can pass 32 bits.
  const auto held = [](std::int64_t x) { return static_cast<int>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)); };
  const auto left = static_cast<std::int64_t>(PageLeft(TECMetrix::rmPixels));
  const auto right = static_cast<std::int64_t>(PageRightEdge(TECMetrix::rmPixels));
  markers.X1 = held(left + ByZoomFactor(leftIndent, zoomFactor_));
  markers.X2 = held(right - ByZoomFactor(rightIndent, zoomFactor_));
  markers.Y = place.Y;
  const int width = instrument->MeasureWidth(activePage_, cursorMeasure_);
  markers.X3 = held(place.X + std::int64_t{ByZoomFactor(width, zoomFactor_)});
  return markers;
}

void TECMusicScore::BeginRulesUpdate() {
  if (rulesNesting_++ == 0) rulerMarkers_ = ComputeRulerMarkers();
}

void TECMusicScore::EndRulesUpdate() {
  if (rulesNesting_ == 0 || --rulesNesting_ > 0) return;
  const RulerMarkers now = ComputeRulerMarkers();
  auto horizontal = [&](int value, int top, int bottom) {
    const int x = RulerWidth + value - HorzScrollBar.Position;
    InvalidateClientRect({x - 4, top, x + 7, bottom});
  };
  auto vertical = [&](int value) {
    const int y = RulerWidth + value - VertScrollBar.Position;
    InvalidateClientRect({3, y - 4, 12, y + 7});
  };
  const RulerMarkers was = rulerMarkers_;
  if (now.X1 != was.X1) horizontal(was.X1, 3, 12), horizontal(now.X1, 3, 12);
  if (now.X2 != was.X2) horizontal(was.X2, 3, 12), horizontal(now.X2, 3, 12);
  if (now.X3 != was.X3) horizontal(was.X3, 12, 21), horizontal(now.X3, 12, 21);
  if (now.Y != was.Y) vertical(was.Y), vertical(now.Y);
  rulerMarkers_ = now;
}

// --- change notices ------------------------------------------------------------------

void TECMusicScore::DoChanged(TECModelObject* sender) {
  if (!SuppressChanged && OnChanged) OnChanged(sender ? sender : this);
}

void TECMusicScore::FireChanged(TECModelObject* sender) {
  if (OnChanged) OnChanged(sender);
}

void TECMusicScore::FireStaveChanged(TECModelObject* sender, TECStaveOperation op, TECModelObject* stave) {
  if (OnStaveChanged) OnStaveChanged(sender, op, stave);
}

void TECMusicScore::SetTempo(int v) {
  if (v == tempo_ || v < 8 || v > 512) return;
  tempo_ = v;
  if (Playback) Playback->TempoChanged();
  DoChanged();
}

void TECMusicScore::SetTempoScale(int v) {
  if (v == tempoScale_ || v <= 0) return;
  tempoScale_ = v;
  if (Playback) Playback->TempoChanged();
  DoChanged();
}

void TECMusicScore::Play() {
  if (Playback) Playback->Play();
}

void TECMusicScore::Stop() {
  if (Playback) Playback->Stop();
}

void TECMusicScore::FollowPlayback() {
  if (Playback) Playback->FollowPlayback();
}

void TECMusicScore::SendProgramChange(std::uint8_t channel) {
  const TECInstrument* instrument = CurrentInstrument();
  if (!instrument || !OnPlayShort) return;
  const TECRow* row = CurrentRow();
  const int program = row && row->MidiInstrument() >= 0 ? row->MidiInstrument() : instrument->MidiInstrument();
  if (program < 0 || program > 127) return;
  FirePlayShort(this, static_cast<std::uint8_t>(0xC0 + (channel & 15)), static_cast<std::uint8_t>(program), 0);
}

void TECMusicScore::FirePlayShort(TECModelObject* sender, std::uint8_t message, std::uint8_t data1,
                                  std::uint8_t data2) {
  if (OnPlayShort) OnPlayShort(sender, message, data1, data2);
}
