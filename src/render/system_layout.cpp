// One system: the measures that fit on one line of staves.
#include "render/system_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/units.h"
#include "render/header_metrics.h"
#include "render/layout_memo.h"
#include "render/measure_spacing.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

// Accidentals of a key in force: 1..7 sharps, 11..17 flats; 0, 10 ("none")
// and anything a damaged file may hold count as none.
int KeyCount(int key) {
  if (key >= 1 && key <= 7) return key;
  if (key >= 11 && key <= 17) return key - 10;
  return 0;
}

int ClefWidth(int code) {
  if (code == 12) return 26;
  if (code == 13 || code == 15 || code == 16) return 16;
  return 20;
}

// Ticks of a time-signature record; 0 for one that gives none (damaged).
int LengthOf(const TECTimeSignature& time) {
  const int numerator = time.Numerator();
  const int denominator = time.Denominator();
  if (numerator < 1 || denominator < 1) return 0;
  return std::min(numerator * 128 / denominator, 0xFFFF);
}

// The settings one system is laid out with.
// Positions are summed in 64 bits: indents, page edges and measure widths
// come from the file and together may pass the 32-bit range.
struct SystemSettings {
  std::int64_t LeftStart = 0;
  std::int64_t RightIndent = 0;
  SpacingMode Mode = SpacingMode::Evenly;
  int Density = 0;
  int MeasureCount = 0;
  bool HorzAlign = false;
};

SpacingMode ModeOf(int value) {
  return value == 1 ? SpacingMode::Proportional : (value == 2 ? SpacingMode::Positional : SpacingMode::Evenly);
}

SystemSettings SettingsOf(LayoutContext& context) {
  const TECMusicScore& score = context.Score;
  TECInstrument& instrument = context.Instrument;
  SystemSettings settings;
  settings.LeftStart = context.Left + (context.VisibleRows > 0 && instrument.GetRowCount() > 1 ? 10 : 0);
  settings.Mode = ModeOf(score.NoteInterval());
  settings.Density = score.GetDensity() ? 1 : 0;
  settings.MeasureCount = score.MeasureCount();
  settings.HorzAlign = score.GetHorzAlign();
  settings.LeftStart += SystemLeftIndent(instrument, context.System);
  if (context.System >= 0 && context.System < static_cast<int>(instrument.Systems.size())) {
    TECRowInfo& system = instrument.Systems[context.System];
    settings.RightIndent = system.RightIndent;
    if (system.OwnSettings) {
      settings.Density = system.Density;
      settings.Mode = ModeOf(system.SpacingMode);
      settings.MeasureCount = system.MeasureCount;
      settings.HorzAlign = system.HorzAlign != 0;
    }
    system.Page = static_cast<std::uint32_t>(context.Page);
  }
  return settings;
}

class SystemLayout {
 public:
  explicit SystemLayout(LayoutContext& context)
      : context_(context),
        instrument_(context.Instrument),
        settings_(SettingsOf(context)),
        active_(context.Page == context.ActivePage) {}

  void Run();

 private:
  // What laying out one measure changes beyond its own system, taken back
  // when the measure moves on to the next system.
  struct Undo {
    std::size_t Links = 0;
    std::size_t Spanners = 0;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> Clefs;
    std::vector<std::int32_t> Pages;
    std::int64_t BarNumber = 0;
    int Rehearsal = 0;
    int MeasureLength = 0;
    int Numerator = 0;
    int Denominator = 0;
    bool HadRecord = false;
    TECMeasureLayout Record;
  };

  TECMeasureLayout& GetMeasureLayout(int m, int length, bool firstInSystem);
  void Space(int m, TECMeasureLayout& record);
  bool TakeSpacing(int m, TECMeasureLayout& record);
  int HeaderWidth(TECRow& row, TECMeasure* measure, int m, bool firstInSystem);
  void Place(int m, std::int64_t x);
  void MakeCumulative(TECMeasureLayout& record);
  void Advance(int m, const TECMeasureLayout& record);
  void Remember(Undo& undo, int m);
  void TakeBack(const Undo& undo, int m);
  void Justify(std::int64_t used);
  void RowTops();

  LayoutContext& context_;
  TECInstrument& instrument_;
  SystemSettings settings_;
  bool active_;
  std::vector<int> measures_;
  std::vector<std::int32_t> rowTops_;
};

void SystemLayout::Run() {
  TECMusicScore& score = context_.Score;
  if (active_) RowTops();
  const bool pickup = score.AufTaktWord() >= 256;
  std::int64_t used = 0;
  bool firstInSystem = true;
  bool justify = false;
  Undo undo;
  int m = context_.NextMeasure;
  for (;; ++m) {
    // Beyond the music a measure still takes its place: the system goes on
    // with empty measures until it is full.
    const bool empty = m >= context_.MeasureEnd;
    if (empty && context_.EmptyMeasures >= LayoutContext::kMostEmptyMeasures) break;
    const std::int64_t usedBefore = used;
    Remember(undo, m);
    if (m == 0) {
      context_.MeasureLength = score.DefaultMeasureLength();
      context_.Numerator = score.GetNumerator();
      context_.Denominator = score.GetDenominator();
    }
    for (int r = 0; r < instrument_.GetRowCount(); ++r) {
      const TECMeasure* measure = instrument_.GetRow(r)->GetMeasure(m);
      if (!measure || !measure->TimeSignature) continue;
      if (const int length = LengthOf(*measure->TimeSignature); length > 0) {
        context_.MeasureLength = length;
        context_.Numerator = measure->TimeSignature->Numerator();
        context_.Denominator = measure->TimeSignature->Denominator();
      }
    }
    // The pickup is measure 0's own length; the length in force goes on.
    const int length = m == 0 && pickup ? score.PickupLength() : context_.MeasureLength;
    TECMeasureLayout& record = GetMeasureLayout(m, length, firstInSystem);

    int headerMax = 0;
    for (int r = 0; r < instrument_.GetRowCount(); ++r) {
      TECRow& row = *instrument_.GetRow(r);
      TECMeasure* measure = row.GetMeasure(m);
      if (measure) {
        measure->Page = context_.Page;
        instrument_.LaidOutRows = std::max(instrument_.LaidOutRows, m + 1);
        instrument_.LaidOutAll = std::max(instrument_.LaidOutAll, m + 1);
        context_.PageRows = std::max(context_.PageRows, m + 1);
        context_.PageAll = std::max(context_.PageAll, m + 1);
      }
      const int header = HeaderWidth(row, measure, m, firstInSystem);
      record.HeaderWidth = std::max(record.HeaderWidth, header);
      row.SystemStartClef = row.LayoutClef;
      headerMax = std::max(headerMax, header);
    }
    Space(m, record);

    if (TECSymbolEntry* entry = instrument_.SymbolsRow().At(m)) {
      instrument_.LaidOutAll = std::max(instrument_.LaidOutAll, m + 1);
      context_.PageAll = std::max(context_.PageAll, m + 1);
      record.HeaderWidth = std::max(record.HeaderWidth, headerMax);
      instrument_.RunningBarNumber = static_cast<int>(context_.BarNumber);
      instrument_.LayoutMeasureSymbols(m);
      context_.BarNumber = instrument_.RunningBarNumber;
      entry->MeasureIndex = m;
      entry->Page = context_.Page;
      context_.Rehearsal = record.RehearsalCounter;
      record.BarNumber = static_cast<std::uint32_t>(context_.BarNumber);
    }

    if (active_) Place(m, settings_.LeftStart + used);
    MakeCumulative(record);
    used += std::int64_t{record.HeaderWidth} + record.ExtraWidth +
            std::max<std::int64_t>(std::int64_t{record.ContentWidth} + record.SpaceAfterBar, 1);

    const bool tooMany =
        settings_.Mode == SpacingMode::Positional && static_cast<int>(measures_.size()) + 1 > settings_.MeasureCount;
    const bool tooWide = settings_.LeftStart + used + settings_.RightIndent > context_.RightEdge;
    if ((tooMany || tooWide) && !measures_.empty()) {
      // This measure opens the next system: what laying it out here changed
      // is taken back.
      TakeBack(undo, m);
      used = usedBefore;
      justify = true;
      break;
    }
    measures_.push_back(m);
    RememberMeasure(context_, m);
    if (empty) ++context_.EmptyMeasures;
    Advance(m, record);
    firstInSystem = false;
    if (tooMany || tooWide) {
      // A measure wider than the system gets the system to itself.
      ++m;
      break;
    }
    if (record.PageBreak) {
      context_.PageBreak = true;
      justify = true;
      ++m;
      break;
    }
  }
  context_.NextMeasure = m;
  if (measures_.empty()) return;
  if (justify) Justify(used);
  instrument_.LayoutAt(measures_.back())->SystemEnd = 1;
  context_.SystemY += SystemHeight(context_, context_.System, context_.Interval);
  ++context_.System;
}

TECMeasureLayout& SystemLayout::GetMeasureLayout(int m, int length, bool firstInSystem) {
  TECMeasureLayout& record = *instrument_.EnsureLayout(m);
  record.ExtraWidth = 0;
  record.HeaderWidth = 0;
  record.ClosingWidth = 0;
  record.JustificationPixels = 0;
  record.BarNumber = static_cast<std::uint32_t>(context_.BarNumber);
  record.Positions.assign(static_cast<std::size_t>(length) + 1, 0);
  record.Positions[0] = 10;
  record.ContentWidth = settings_.Mode == SpacingMode::Positional ? 4 : 56;
  record.RehearsalCounter = static_cast<std::uint16_t>(context_.Rehearsal);
  record.MeasureLength = static_cast<std::uint16_t>(length);
  record.Numerator = static_cast<std::uint8_t>(context_.Numerator);
  record.Denominator = static_cast<std::uint8_t>(context_.Denominator);
  record.StartTick = static_cast<std::uint32_t>(context_.StartTick);
  record.SystemStart = firstInSystem ? 1 : 0;
  record.SystemEnd = 0;
  record.BarNumberItem = nullptr;
  record.SystemIndex = static_cast<std::uint32_t>(context_.System);
  record.Page = static_cast<std::uint32_t>(context_.Page);
  return record;
}

// Spaces measure m of every row into its record, and keeps the spacing for
// the next system in case this one gives the measure back.
void SystemLayout::Space(int m, TECMeasureLayout& record) {
  if (TakeSpacing(m, record)) return;
  LastSpacing& spaced = context_.Spaced;
  spaced.LastPageStart = std::numeric_limits<int>::max();
  for (int r = 0; r < instrument_.GetRowCount(); ++r)
    spaced.LastPageStart = std::min(spaced.LastPageStart, CalcMeasureSpacing(context_, *instrument_.GetRow(r), m,
                                                                             settings_.Mode, settings_.Density));
  spaced.Measure = m;
  spaced.Mode = settings_.Mode;
  spaced.Density = settings_.Density;
  spaced.ClefsAfter.clear();
  for (int r = 0; r < instrument_.GetRowCount(); ++r) spaced.ClefsAfter.push_back(instrument_.GetRow(r)->LayoutClef);
  spaced.Positions.assign(record.Positions.begin(), record.Positions.end());
  spaced.ClosingWidth = record.ClosingWidth;
  spaced.ContentWidth = record.ContentWidth;
}

// The measure the system before gave back takes the spacing made of it
// there, when this system spaces in the same mode and density and the page
// changes nothing: the gaps, widths and clefs the rows left. The rest it
// was spaced from is as it was: the take-back put the rows' clefs back, the
// record's widths start afresh, and nothing between the two systems changes
// the measure.
bool SystemLayout::TakeSpacing(int m, TECMeasureLayout& record) {
  const LastSpacing& spaced = context_.Spaced;
  if (!context_.ReuseSpacing || spaced.Measure != m || spaced.Mode != settings_.Mode ||
      spaced.Density != settings_.Density || context_.PageFirstMeasure > spaced.LastPageStart ||
      spaced.Positions.size() != record.Positions.size())
    return false;
  std::copy(spaced.Positions.begin(), spaced.Positions.end(), record.Positions.begin());
  record.ClosingWidth = spaced.ClosingWidth;
  record.ContentWidth = spaced.ContentWidth;
  for (int r = 0; r < instrument_.GetRowCount(); ++r) {
    TECRow& row = *instrument_.GetRow(r);
    row.LayoutClef = spaced.ClefsAfter[r];
    if (TECMeasure* measure = row.GetMeasure(m)) measure->ClefInForce = row.LayoutClef;
  }
  return true;
}

int SystemLayout::HeaderWidth(TECRow& row, TECMeasure* measure, int m, bool firstInSystem) {
  const int time = m == 0 || (measure && measure->TimeSignature) ? 18 : 0;
  if (!measure) {
    if (!firstInSystem) return 0;
    const TECMeasure* last = row.MeasureCount() > 0 ? row.GetMeasure(row.MeasureCount() - 1) : nullptr;
    return 20 + KeyCount(last ? last->KeyInForce : 0) * 6 + 2 + time;
  }
  int width = 0;
  const bool header = firstInSystem || measure->Clef || measure->KeySignature || measure->TimeSignature;
  if (header && (firstInSystem || measure->Clef)) {
    if (measure->Clef) row.LayoutClef = measure->Clef->Code();
    width += ClefWidth(measure->Clef ? measure->Clef->Code() : 0);
    if (!firstInSystem) width += kClefChangeGap - kSystemClefGap;
  }
  measure->ClefInForce = row.LayoutClef;
  if (measure->KeySignature) {
    const int code = measure->KeySignature->Code();
    row.LayoutKey = static_cast<std::uint8_t>(code >= 30 ? code - 30 : 0);
    width += KeyCount(row.LayoutKey) * 6 + 2;
  } else if (firstInSystem) {
    width += KeyCount(row.LayoutKey) * 6 + 2;
  }
  measure->KeyInForce = row.LayoutKey;
  return header ? width + time : 0;
}

// Where every row's staff of the active page shows measure m.
void SystemLayout::Place(int m, std::int64_t x) {
  const int index = m - context_.PageFirstMeasure;
  if (index < 0) return;
  const std::int32_t deviceX = context_.ToDevice(x);
  for (int r = 0; r < instrument_.GetRowCount(); ++r) {
    auto& placement = instrument_.GetRow(r)->Placement;
    if (static_cast<int>(placement.size()) <= index) placement.resize(index + 1);
    placement[index] = {deviceX, rowTops_[r], context_.System};
  }
  auto& bars = context_.Score.PageLayout.BarNumbers;
  if (static_cast<int>(bars.size()) <= index) bars.resize(index + 1);
  bars[index] = static_cast<std::uint32_t>(context_.BarNumber);
}

void SystemLayout::RowTops() {
  const TECRowInfo* system = context_.System >= 0 && context_.System < static_cast<int>(instrument_.Systems.size())
                                 ? &instrument_.Systems[context_.System]
                                 : nullptr;
  double y = context_.SystemY;
  rowTops_.assign(instrument_.GetRowCount(), 0);
  for (int r = 0; r < instrument_.GetRowCount(); ++r) {
    const bool startsStaff = r == 0 || !instrument_.GetRow(r - 1)->United();
    if (startsStaff && system && r < static_cast<int>(system->RowOffsets.size()))
      y += system->RowOffsets[r] * 25.4 / context_.Dpi;
    const double pixels = MillimetresToDisplayUnits(&context_.Score, TECMetrix::rmPixels, true, y);
    rowTops_[r] = static_cast<std::int32_t>(std::clamp<double>(std::lround(pixels), INT32_MIN, INT32_MAX));
    if (!instrument_.GetRow(r)->United()) y += LayoutContext::kStaffHeight + context_.Interval;
  }
}

void SystemLayout::MakeCumulative(TECMeasureLayout& record) {
  std::int64_t sum = 0;
  for (std::int32_t& position : record.Positions) {
    sum += position;
    position = context_.ToDevice(sum);
  }
}

void SystemLayout::Advance(int m, const TECMeasureLayout& record) {
  context_.StartTick += record.MeasureLength;
  context_.BarNumber += 1;
  if (const TECSymbolEntry* entry = instrument_.SymbolsRow().At(m)) {
    for (const auto& item : entry->Items)
      if (item->Kind == ek::SymbolMultiRest && item->Byte(1) > 1) context_.BarNumber += item->Byte(1) - 1;
  }
}

void SystemLayout::Remember(Undo& undo, int m) {
  const TECPageLayout& layout = context_.Score.PageLayout;
  const int page = layout.BasePage;
  undo.Links =
      page >= 1 && page - 1 < static_cast<int>(layout.SystemObjects.size()) ? layout.SystemObjects[page - 1].size() : 0;
  undo.Spanners = page + 1 < static_cast<int>(layout.SystemSymbols.size()) ? layout.SystemSymbols[page + 1].size() : 0;
  undo.Clefs.clear();
  undo.Pages.clear();
  for (int r = 0; r < instrument_.GetRowCount(); ++r) {
    const TECRow& row = *instrument_.GetRow(r);
    undo.Clefs.emplace_back(row.LayoutClef, row.LayoutKey);
    const TECMeasure* measure = row.GetMeasure(m);
    undo.Pages.push_back(measure ? measure->Page : 0);
  }
  undo.BarNumber = context_.BarNumber;
  undo.Rehearsal = context_.Rehearsal;
  undo.MeasureLength = context_.MeasureLength;
  undo.Numerator = context_.Numerator;
  undo.Denominator = context_.Denominator;
  const TECMeasureLayout* record = instrument_.LayoutAt(m);
  undo.HadRecord = record != nullptr;
  if (record) undo.Record = *record;
}

void SystemLayout::TakeBack(const Undo& undo, int m) {
  TECPageLayout& layout = context_.Score.PageLayout;
  const int page = layout.BasePage;
  if (page >= 1 && page - 1 < static_cast<int>(layout.SystemObjects.size()))
    layout.SystemObjects[page - 1].resize(undo.Links);
  if (page + 1 < static_cast<int>(layout.SystemSymbols.size())) layout.SystemSymbols[page + 1].resize(undo.Spanners);
  for (int r = 0; r < instrument_.GetRowCount(); ++r) {
    TECRow& row = *instrument_.GetRow(r);
    row.LayoutClef = undo.Clefs[r].first;
    row.LayoutKey = undo.Clefs[r].second;
    if (TECMeasure* measure = row.GetMeasure(m)) measure->Page = undo.Pages[r];
    if (active_) row.Placement.resize(std::min<std::size_t>(row.Placement.size(), m - context_.PageFirstMeasure));
  }
  // A record made for this measure stays: the pass never shrinks the list.
  if (undo.HadRecord) *instrument_.LayoutAt(m) = undo.Record;
  context_.BarNumber = undo.BarNumber;
  context_.Rehearsal = undo.Rehearsal;
  context_.MeasureLength = undo.MeasureLength;
  context_.Numerator = undo.Numerator;
  context_.Denominator = undo.Denominator;
  if (active_) {
    auto& bars = layout.BarNumbers;
    bars.resize(std::min<std::size_t>(bars.size(), m - context_.PageFirstMeasure));
  }
}

// Spreads the spare width of the system over its measures, last measure
// first, into the gaps before ticks. The pixels are handed out in rounds of
// one pixel per slot (a tick of a measure, in a fixed order) until none is
// left; the rounds are counted rather than walked, so the cost follows the
// ticks of the system, not its spare width.
void SystemLayout::Justify(std::int64_t used) {
  const std::int64_t base = context_.RightEdge - settings_.RightIndent - settings_.LeftStart - used - 5;
  const std::int64_t spare = base * context_.ZoomFactor / 10000;
  if (spare <= 0) return;
  const bool positional = settings_.Mode == SpacingMode::Positional;
  if (!positional && !settings_.HorzAlign) return;

  std::vector<TECMeasureLayout*> records;
  int longest = 0;
  for (int m : measures_) {
    records.push_back(instrument_.LayoutAt(m));
    longest = std::max<int>(longest, records.back()->MeasureLength);
  }
  // One round's slots in order: the positional mode fills the halves of the
  // longest measure, then the quarters and so on; otherwise ticks go from
  // the last to the first.
  auto eachSlot = [&](auto&& visit) {
    auto at = [&](int tick) {
      for (std::size_t k = records.size(); k-- > 0;)
        if (tick < records[k]->MeasureLength) visit(k, tick);
    };
    if (positional) {
      for (int step = longest / 2; step >= 1; step /= 2)
        for (int d = step; d < longest; d += 2 * step) at(d);
    } else {
      for (int i = longest - 1; i >= 1; --i) at(i);
    }
  };
  std::int64_t slots = 0;
  eachSlot([&](std::size_t, int) { ++slots; });
  if (slots == 0) return;
  // Every slot gets the full rounds; the last, partial round reaches the
  // first slots only.
  const std::int64_t rounds = spare / slots;
  std::int64_t partial = spare % slots;
  // Pixels added at each tick; every later tick of the measure moves too.
  std::vector<std::vector<std::int64_t>> added(records.size());
  for (std::size_t k = 0; k < records.size(); ++k) added[k].assign(records[k]->Positions.size(), 0);
  eachSlot([&](std::size_t k, int tick) {
    added[k][tick] += rounds + (partial > 0 ? 1 : 0);
    if (partial > 0) --partial;
  });
  std::int64_t shift = 0;
  for (std::size_t k = 0; k < records.size(); ++k) {
    std::int64_t running = 0;
    auto& positions = records[k]->Positions;
    for (std::size_t t = 0; t < positions.size(); ++t) {
      running += added[k][t];
      positions[t] = static_cast<std::int32_t>(std::min<std::int64_t>(positions[t] + running, INT32_MAX));
    }
    records[k]->JustificationPixels =
        static_cast<std::uint32_t>(std::min<std::int64_t>(records[k]->JustificationPixels + running, UINT32_MAX));
    if (active_ && shift > 0) {
      const int index = measures_[k] - context_.PageFirstMeasure;
      for (int r = 0; r < instrument_.GetRowCount(); ++r) {
        auto& placement = instrument_.GetRow(r)->Placement;
        if (index >= 0 && index < static_cast<int>(placement.size()))
          placement[index].X = static_cast<std::int32_t>(std::min<std::int64_t>(placement[index].X + shift, INT32_MAX));
      }
    }
    shift += records[k]->JustificationPixels;
  }
}

}  // namespace

void LayoutSystem(LayoutContext& context) { SystemLayout(context).Run(); }

double SystemHeight(const LayoutContext& context, int system, double interval) {
  const TECInstrument& instrument = context.Instrument;
  double height = context.VisibleRows * (interval + LayoutContext::kStaffHeight);
  if (system >= 0 && system < static_cast<int>(instrument.Systems.size())) {
    const auto& offsets = instrument.Systems[system].RowOffsets;
    for (int r = 0; r < instrument.GetRowCount() && r < static_cast<int>(offsets.size()); ++r)
      if (r == 0 || !instrument.GetRow(r - 1)->United()) height += offsets[r] * 25.4 / context.Dpi;
  }
  return std::max(height, LayoutContext::kStaffHeight);
}

}  // namespace nv::render
