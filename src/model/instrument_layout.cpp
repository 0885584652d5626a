// The instrument's layout records and settings, its symbols row and the time
// of its measures.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {
// Minimum usable width between a system's indents, base pixels.
constexpr int kMinimumSystemWidth = 112;
constexpr int kGrowSystems = 10;
}  // namespace

// --- layout records ------------------------------------------------------------------

TECMeasureLayout* TECInstrument::LayoutAt(int i) const {
  return i >= 0 && i < static_cast<int>(layouts_.size()) ? layouts_[i].get() : nullptr;
}

TECMeasureLayout* TECInstrument::EnsureLayout(int i) {
  if (i < 0) return nullptr;
  while (static_cast<int>(layouts_.size()) <= i) layouts_.push_back(std::make_unique<TECMeasureLayout>());
  return layouts_[i].get();
}

TECRowInfo& TECInstrument::SystemOfCursor(int growBy) {
  int index = 0;
  if (score_) {
    const int onPage = score_->CursorMeasure() - score_->PageFirstMeasure(score_->GetActivePage());
    const TECRow* row = GetActiveRow();
    if (row && onPage >= 0 && onPage < static_cast<int>(row->Placement.size()))
      index = std::max(0, row->Placement[onPage].System);
    else if (const TECMeasureLayout* layout = LayoutAt(score_->CursorMeasure()))
      index = static_cast<int>(layout->SystemIndex);
  }
  if (static_cast<int>(Systems.size()) <= index) Systems.resize(index + growBy);
  return Systems[index];
}

void TECInstrument::MoveRowInSystem(int delta) {
  TECRowInfo& system = SystemOfCursor(kGrowSystems);
  const std::size_t row = static_cast<std::size_t>(std::max(activeRow_, 0));
  if (system.RowOffsets.size() <= row) system.RowOffsets.resize(row + 1, 0);
  system.RowOffsets[row] += delta;
  if (!score_) return;
  score_->LayoutScore(score_->GetActivePage(), false);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

void TECInstrument::ShiftSystemLeftIndent(int delta) { ShiftSystemIndent(true, delta); }

void TECInstrument::ShiftSystemRightIndent(int delta) { ShiftSystemIndent(false, delta); }

void TECInstrument::ShiftSystemIndent(bool left, int delta) {
  if (!score_) return;
  const bool existed = [&] {
    const std::size_t before = Systems.size();
    SystemOfCursor(kGrowSystems);
    return Systems.size() == before;
  }();
  TECRowInfo& system = SystemOfCursor(kGrowSystems);
  if (existed) {
    // Limits in base pixels: the page read at Zoom 100 and Scale 100.
    const int zoom = std::max(1, score_->GetZoom());
    const int scale = std::max(1, score_->GetScale());
    const double pageLeft = score_->PageLeft(TECMetrix::rmPixels) * 100.0 / zoom * 100.0 / scale;
    const double pageRight = score_->PageRightEdge(TECMetrix::rmPixels) * 100.0 / zoom * 100.0 / scale;
    const int room = static_cast<int>(pageRight - pageLeft) - kMinimumSystemWidth;
    const int used = system.LeftIndent + system.RightIndent;
    if (used + delta > room) delta = room - used;
    if (delta == 0) return;
  }
  score_->BeginRulesUpdate();
  (left ? system.LeftIndent : system.RightIndent) += delta;
  score_->ShowCaret(false);
  score_->LayoutScore(score_->GetActivePage(), false);
  score_->ShowCaret(true);
  score_->InvalidateScore();
  score_->EndRulesUpdate();
  score_->FireChanged(this);
}

void TECInstrument::SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density) {
  TECRowInfo& system = SystemOfCursor(kGrowSystems);
  system.OwnSettings = own ? 1 : 0;
  system.SpacingMode = static_cast<std::uint8_t>(spacingMode);
  system.HorzAlign = horzAlign ? 1 : 0;
  system.MeasureCount = static_cast<std::uint8_t>(measureCount);
  system.Density = density ? 1 : 0;
  if (!score_) return;
  const TECMeasureLayout* layout = LayoutAt(score_->CursorMeasure());
  const int page = layout ? static_cast<int>(layout->Page) : score_->GetActivePage();
  score_->LayoutScore(std::min(page, score_->GetActivePage()), false);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

TECMeasureLayout* TECInstrument::LayoutForCursorSetting(bool withHeader) {
  if (!score_) return nullptr;
  const int cursor = score_->CursorMeasure();
  while (static_cast<int>(layouts_.size()) <= cursor) {
    const int index = static_cast<int>(layouts_.size());
    const int length = std::max(1, score_->GetMeasureLength(index));
    auto layout = std::make_unique<TECMeasureLayout>();
    layout->ContentWidth = 56;
    layout->Positions.assign(length + 1, 0);
    layout->Positions[0] = 10;
    layout->MeasureLength = static_cast<std::uint16_t>(length);
    layout->Numerator = 4;
    layout->Denominator = 4;
    if (withHeader && index == 0) layout->HeaderWidth = 38;
    layouts_.push_back(std::move(layout));
  }
  return layouts_[cursor].get();
}

void TECInstrument::TrimTrailingLayouts() {
  // Records that hold no user setting go again from the end.
  while (static_cast<int>(layouts_.size()) > std::max(LaidOutAll, 0) && layouts_.back()->SpaceAfterBar == 0 &&
         layouts_.back()->PageBreak == 0) {
    layouts_.pop_back();
    LaidOutRows = std::min(LaidOutRows, static_cast<int>(layouts_.size()));
  }
}

void TECInstrument::ChangeSpaceAfterBar(int delta) {
  TECMeasureLayout* layout = LayoutForCursorSetting(true);
  if (!layout) return;
  int space = layout->SpaceAfterBar + delta;
  if (space < 0) {
    if (layout->SpaceAfterBar == 0) return;
    space = 0;
  }
  if (space >= 1000 || space == layout->SpaceAfterBar) return;
  layout->SpaceAfterBar = static_cast<std::uint16_t>(space);
  LaidOutRows = score_->CursorMeasure() + 1;
  if (space == 0) TrimTrailingLayouts();
  score_->LayoutScore(0, false);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

void TECInstrument::SetPageBreak(bool flag) {
  TECMeasureLayout* layout = LayoutForCursorSetting(false);
  if (!layout || layout->PageBreak == (flag ? 1 : 0)) return;
  layout->PageBreak = flag ? 1 : 0;
  if (!flag) TrimTrailingLayouts();
  score_->LayoutScore(0, false);
  score_->InvalidateScore();
  score_->FireChanged(this);
}

int TECInstrument::LaidOutBarNumber(int i) const {
  const TECMeasureLayout* layout = LayoutAt(i);
  return layout && i < LaidOutAll ? static_cast<int>(layout->BarNumber) : 1;
}

// --- symbols row ----------------------------------------------------------------------

TECSymbolEntry* TECInstrument::GetSymbolMeasure(int i, bool clear) {
  if (i < 0) return nullptr;
  while (symbols_.Count() <= i) {
    auto entry = std::make_unique<TECSymbolEntry>();
    entry->Owner = this;
    entry->MeasureIndex = symbols_.Count();
    symbols_.Entries.push_back(std::move(entry));
  }
  TECSymbolEntry* entry = symbols_.Entries[i].get();
  if (clear) entry->Items.clear();
  return entry;
}

void TECInstrument::TrimSymbolMeasures() {
  while (!symbols_.Entries.empty() && symbols_.Entries.back()->Items.empty()) symbols_.Entries.pop_back();
}

bool TECInstrument::IsSymbolMeasureEmpty(int i) const {
  const TECSymbolEntry* entry = symbols_.At(i);
  return !entry || entry->Items.empty();
}

void TECInstrument::FreeSymbolEntry(TECSymbolEntry* entry) {
  const int index = symbols_.IndexOf(entry);
  if (index >= 0) symbols_.Entries.erase(symbols_.Entries.begin() + index);
}

void TECInstrument::AddSymbol(std::uint8_t kind, int value1, int value2) {
  if (!score_) return;
  const int measure = score_->CursorMeasure();
  if (measure < 0) return;
  const auto v1 = static_cast<std::uint8_t>(value1);
  const auto v2 = static_cast<std::uint8_t>(value2);
  // An item changed in place is recorded as a new one is.
  auto record = [&](TECSymbolEntry* entry) {
    if (TECUndoStep* step = score_->BeginUndoStep(8)) score_->SaveUndoAttachment(step, entry, measure);
  };
  // The entry is made only for a new item, so that a refused one leaves
  // the symbols row as it was.
  TECSymbolEntry* existing = symbols_.At(measure);
  static const std::vector<std::unique_ptr<TECSymbolItem>> kNoItems;
  for (const auto& item : existing ? existing->Items : kNoItems) {
    if (item->Kind == kind) {
      if (kind == ek::SymbolMultiRest || kind == ek::SymbolBarNumber || kind == ek::SymbolVolta ||
          kind == ek::SymbolRehearsal)
        record(existing);
      switch (kind) {
        case ek::SymbolMultiRest:
        case ek::SymbolBarNumber:
          item->SetByte(1, v1);
          score_->LayoutScore(0, false);
          break;
        case ek::SymbolVolta:
          item->SetByte(2, v1);
          item->SetByte(1, v2);
          break;
        case ek::SymbolRehearsal:
          item->SetByte(3, v1);
          item->SetByte(4, v2);
          score_->LayoutScore(score_->GetActivePage(), false);
          break;
        default:
          return;
      }
      score_->InvalidateScore();
      score_->DoChanged(this);
      return;
    }
    const bool barlineSwap = (item->Kind == ek::SymbolEndRepeat &&
                              (kind == ek::SymbolFinalBarline || kind == ek::SymbolDoubleBarline)) ||
                             (item->Kind == ek::SymbolDoubleBarline &&
                              (kind == ek::SymbolFinalBarline || kind == ek::SymbolEndRepeat));
    if (barlineSwap) {
      record(existing);
      item->Kind = kind;
      score_->InvalidateScore();
      score_->DoChanged(this);
      return;
    }
  }
  if (kind == ek::SymbolMultiRest) {
    for (const auto& row : rows_) {
      const TECMeasure* m = row->GetMeasure(measure);
      if (m && (!m->Notes.empty() || !m->Rests.empty())) return;
    }
  }
  TECSymbolEntry* entry = GetSymbolMeasure(measure, false);
  auto item = std::make_unique<TECSymbolItem>(kind, entry);
  switch (kind) {
    case ek::SymbolRehearsal:
      item->SetByte(3, v1);
      item->SetByte(4, v2);
      break;
    case ek::SymbolBarNumber:
      item->SetByte(1, v1);
      break;
    case ek::SymbolVolta:
      item->SetByte(2, v1);
      item->SetByte(1, v2);
      break;
    case ek::SymbolMultiRest:
      item->SetByte(1, v1);
      entry->Flag = 1;
      break;
    default:
      break;
  }
  record(entry);
  entry->Items.push_back(std::move(item));
  score_->LayoutScore(score_->GetActivePage(), false);
  score_->InvalidateScore();
  score_->DoChanged(this);
}

void TECInstrument::AddTempoMark(int value, int tempo) {
  if (!score_) return;
  const int measure = score_->CursorMeasure();
  TECSymbolEntry* entry = GetSymbolMeasure(measure, false);
  if (!entry) return;
  auto item = std::make_unique<TECSymbolItem>(ek::TempoMark, entry);
  item->SetTick(static_cast<std::uint16_t>(score_->CursorTick()));
  item->SetByte(3, static_cast<std::uint8_t>(value));
  item->SetTempo(static_cast<std::uint16_t>(tempo));
  if (TECUndoStep* step = score_->BeginUndoStep(8)) score_->SaveUndoAttachment(step, entry, measure);
  entry->Items.push_back(std::move(item));
  score_->DoChanged(this);
  score_->LayoutScore(score_->GetActivePage(), false);
}

void TECInstrument::LayoutMeasureSymbols(int i) {
  TECSymbolEntry* entry = symbols_.At(i);
  TECMeasureLayout* layout = LayoutAt(i);
  if (!entry || !layout) return;
  int leftExtra = 0;
  int rightExtra = 0;
  for (const auto& item : entry->Items) {
    switch (item->Kind) {
      case ek::SymbolRehearsal:
        layout->RehearsalCounter =
            item->Byte(4) != 0 ? static_cast<std::uint16_t>(item->Byte(3) + 1) : layout->RehearsalCounter + 1;
        layout->RehearsalStyle = item->Byte(3);
        break;
      case ek::SymbolBarNumber:
        RunningBarNumber = item->Byte(1);
        layout->BarNumberItem = item.get();
        break;
      case ek::SymbolFinalBarline:
      case ek::SymbolDoubleBarline:
        rightExtra = std::max(rightExtra, 4);
        break;
      case ek::SymbolEndRepeat:
        rightExtra = std::max(rightExtra, 8);
        break;
      case 85:
        leftExtra = std::max(leftExtra, 8);
        break;
      case ek::SymbolVolta:
        if (score_) score_->AddSystemSymbol(item.get());
        break;
      default:
        break;
    }
  }
  int sum = 0;
  for (std::size_t t = 0; t < layout->Positions.size(); ++t) {
    if (t % 8 == 0 && layout->Positions[t] == 0) layout->Positions[t] = 1;
    sum += layout->Positions[t];
  }
  layout->ContentWidth = std::max(layout->ContentWidth, sum + 1 + rightExtra);
  layout->ExtraWidth = std::max(layout->ExtraWidth, leftExtra);
}

// --- time ------------------------------------------------------------------------------

int TECInstrument::MaxMeasureCount() const {
  int count = 0;
  for (const auto& row : rows_) count = std::max(count, row->MeasureCount());
  return count;
}

int TECInstrument::MeasureLength(int i) {
  const int fallback = score_ ? score_->DefaultMeasureLength() : 128;
  if (i == 0 && score_ && score_->AufTaktWord() >= 256) return score_->PickupLength();
  if (!LayoutValid) UpdateMeasureTimes();
  const int n = static_cast<int>(layouts_.size());
  int length = fallback;
  if (i >= 0 && i < n)
    length = layouts_[i]->MeasureLength;
  else if (i >= n && n >= 2)
    length = layouts_[n - 1]->MeasureLength;
  return length > 0 ? length : fallback;
}

int TECInstrument::MeasureNumerator(int i) {
  const int fallback = score_ ? score_->GetNumerator() : 4;
  if (i == 0 && score_ && score_->AufTaktWord() >= 256) return score_->GetAufTaktNotes();
  if (!LayoutValid) UpdateMeasureTimes();
  const int n = static_cast<int>(layouts_.size());
  int numerator = fallback;
  if (i >= 0 && i < n)
    numerator = layouts_[i]->Numerator;
  else if (i >= n && n >= 2)
    numerator = layouts_[n - 1]->Numerator;
  return numerator > 0 ? numerator : fallback;
}

int TECInstrument::MaxKeyAccidentals(int i, bool inForce) const {
  int most = 0;
  for (const auto& row : rows_) {
    int count = 0;
    if (inForce) {
      const TECMeasure* measure = row->GetMeasure(i);
      if (!measure && row->MeasureCount() > 0) measure = row->GetMeasure(row->MeasureCount() - 1);
      if (measure) count = measure->KeyInForce <= 10 ? measure->KeyInForce : measure->KeyInForce - 10;
    } else if (const TECMeasure* measure = row->GetMeasure(i); measure && measure->KeySignature) {
      const int code = measure->KeySignature->Code();
      count = code > 40 ? code - 40 : (code >= 30 ? code - 30 : 0);
    }
    most = std::max(most, count);
  }
  return most;
}

int TECInstrument::MeasureWidth(int page, int i) const {
  if (const TECMeasureLayout* layout = LayoutAt(i))
    return layout->HeaderWidth + layout->ExtraWidth + layout->ContentWidth + layout->SpaceAfterBar;
  // Not laid out: an estimate, with room for clef and key when the measure
  // opens the page's first system.
  const bool opensSystem = i == 0 || (score_ && i == score_->PageFirstMeasure(page));
  if (!opensSystem) return 56;
  const TECRow* row = GetActiveRow();
  if (!row || row->MeasureCount() == 0) return i == 0 ? 94 : 76;
  const int key = row->GetMeasure(row->MeasureCount() - 1)->KeyInForce;
  return 78 + 6 * (key <= 10 ? key : key - 10);
}

void TECInstrument::UpdateMeasureTimes() {
  const int defaultLength = score_ ? score_->DefaultMeasureLength() : 128;
  const int numerator = score_ ? score_->GetNumerator() : 4;
  const int denominator = score_ ? score_->GetDenominator() : 4;
  const bool pickup = score_ && score_->AufTaktWord() >= 256;
  while (static_cast<int>(layouts_.size()) < MaxMeasureCount()) {
    auto layout = std::make_unique<TECMeasureLayout>();
    layout->MeasureLength = static_cast<std::uint16_t>(
        layouts_.empty() && pickup ? score_->PickupLength() : defaultLength);
    layout->Numerator = static_cast<std::uint8_t>(numerator);
    layout->Denominator = static_cast<std::uint8_t>(denominator);
    layouts_.push_back(std::move(layout));
  }
  const TECRow* first = GetRow(0);
  int inForce = defaultLength;
  // The beats of the time in force: beams and rests are rebuilt by them
  // before the layout pass runs.
  int numeratorInForce = numerator;
  int denominatorInForce = denominator;
  std::uint32_t start = 0;
  for (int m = 0; m < static_cast<int>(layouts_.size()); ++m) {
    const TECMeasure* measure = first ? first->GetMeasure(m) : nullptr;
    if (measure && measure->TimeSignature) {
      // A word that gives no ticks (damaged file) keeps the time in force.
      if (const int length = TimeWordTicks(measure->TimeSignature->Word); length > 0) {
        inForce = length;
        numeratorInForce = measure->TimeSignature->Numerator();
        denominatorInForce = measure->TimeSignature->Denominator();
      }
    }
    TECMeasureLayout& layout = *layouts_[m];
    layout.MeasureLength = static_cast<std::uint16_t>(m == 0 && pickup ? score_->PickupLength() : inForce);
    layout.Numerator = static_cast<std::uint8_t>(numeratorInForce);
    layout.Denominator = static_cast<std::uint8_t>(denominatorInForce);
    layout.StartTick = start;
    start += layout.MeasureLength;
  }
  LayoutValid = true;
}

void TECInstrument::ChangeMeasureLength(int length, int fromMeasure) {
  if (length <= 0) return;
  fromMeasure = std::max(0, fromMeasure);
  for (const auto& row : rows_) row->RebarNotes(length, fromMeasure);

  const bool pickup = score_ && score_->AufTaktWord() >= 256;
  const int pickupLength = pickup ? score_->PickupLength() : 0;
  const TECRow* first = GetRow(0);
  auto oldLength = [&](int m) { return MeasureLength(m); };
  // New lengths: unchanged before `fromMeasure`, then `length`, replaced by
  // the first row's later time signatures.
  std::vector<int> newLengths;
  auto newLength = [&](int m) {
    if (m == 0 && pickup) return pickupLength;
    if (m < fromMeasure) return oldLength(m);
    while (static_cast<int>(newLengths.size()) <= m - fromMeasure) {
      const int k = fromMeasure + static_cast<int>(newLengths.size());
      int value = newLengths.empty() ? length : newLengths.back();
      const TECMeasure* measure = first ? first->GetMeasure(k) : nullptr;
      if (k > fromMeasure && measure && measure->TimeSignature) {
        if (const int l = TimeWordTicks(measure->TimeSignature->Word); l > 0) value = l;
      }
      newLengths.push_back(value);
    }
    return newLengths[m - fromMeasure];
  };

  std::vector<std::unique_ptr<TECSymbolEntry>> old;
  old.swap(symbols_.Entries);
  const int keep = std::max(fromMeasure, pickup ? 1 : 0);
  long long oldStart = 0;
  for (int m = 0; m < static_cast<int>(old.size()); ++m) {
    auto& entry = old[m];
    const int lengthBefore = oldLength(m);
    if (m < keep) {
      GetSymbolMeasure(m, false);
      symbols_.Entries[m] = std::move(entry);
      oldStart += lengthBefore;
      continue;
    }
    for (auto& item : entry->Items) {
      const int offset = item->Kind == ek::TempoMark ? item->Tick() : 0;
      long long absolute = oldStart + offset;
      // Find the new measure that holds the item's tick.
      int target = 0;
      long long newStart = 0;
      while (newStart + newLength(target) <= absolute) newStart += newLength(target++);
      const int lengthAfter = newLength(target);
      if (item->Kind == ek::SymbolVolta || item->Kind == ek::SymbolMultiRest) {
        // The count keeps covering the same music.
        const long long count = static_cast<long long>(item->Byte(1)) * lengthBefore / lengthAfter;
        item->SetByte(1, static_cast<std::uint8_t>(std::clamp<long long>(count, 1, 255)));
      }
      if (item->Kind == ek::TempoMark) item->SetTick(static_cast<std::uint16_t>(absolute - newStart));
      TECSymbolEntry* destination = GetSymbolMeasure(target, false);
      item->Entry = destination;
      if (item->Kind == ek::SymbolMultiRest) destination->Flag = 1;
      destination->Items.push_back(std::move(item));
    }
    oldStart += lengthBefore;
  }
  for (int m = 0; m < symbols_.Count(); ++m) {
    if (!symbols_.Entries[m]) GetSymbolMeasure(m, false);
    symbols_.Entries[m]->MeasureIndex = m;
  }
}

void TECInstrument::FitFirstMeasure() {
  if (!score_) return;
  const int length = score_->PickupLength();
  if (TECSymbolEntry* entry = symbols_.At(0))
    for (const auto& item : entry->Items)
      if (item->Kind == ek::TempoMark && item->Tick() >= length)
        item->SetTick(static_cast<std::uint16_t>(length - 1));
  for (const auto& row : rows_) {
    TECMeasure* measure = row->GetMeasure(0);
    if (!measure) continue;
    std::vector<TECNote*> past;
    for (const auto& note : measure->Notes)
      if (note->Start + note->Length > length) past.push_back(note.get());
    for (TECNote* note : past) row->DeleteNote(note);
    row->RebuildUnions(measure, true, false);
    for (const auto& item : measure->Items)
      if (item->Position >= length) item->Position = static_cast<std::uint16_t>(length - 1);
  }
}

void TECInstrument::RebuildUnionsFrom(int i, bool rebuildRests, bool noBeams) {
  if (score_ && score_->DeferUnions) return;
  for (const auto& row : rows_) row->RebuildUnionsFrom(i, rebuildRests, noBeams);
}

void TECInstrument::SnapCursor() {
  if (!score_) return;
  const int tick = score_->CursorTick();
  int best = 999;
  for (const auto& row : rows_) {
    const TECMeasure* measure = row->GetMeasure(score_->CursorMeasure());
    if (!measure) continue;
    for (const auto& note : measure->Notes)
      if (std::abs(note->Start - tick) < std::abs(best - tick)) best = note->Start;
    for (const auto& rest : measure->Rests)
      if (std::abs(rest->Start - tick) < std::abs(best - tick)) best = rest->Start;
  }
  if (best > score_->GetMeasureLength(score_->CursorMeasure())) best = 0;
  score_->SetCursorPosition(best);
}
