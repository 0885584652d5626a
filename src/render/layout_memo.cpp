#include "render/layout_memo.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

// A running 64-bit hash; stamps are never 0, which stands for none.
class Stamp {
 public:
  Stamp& operator<<(std::uint64_t value) {
    hash_ = (hash_ ^ value) * 0x9E3779B97F4A7C15ULL;
    hash_ ^= hash_ >> 29;
    return *this;
  }
  Stamp& operator<<(double value) { return *this << std::bit_cast<std::uint64_t>(value); }
  Stamp& operator<<(std::int64_t value) { return *this << static_cast<std::uint64_t>(value); }
  Stamp& operator<<(int value) { return *this << static_cast<std::uint64_t>(static_cast<std::int64_t>(value)); }
  std::uint64_t Value() const { return hash_ | 1; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

TECLayoutMemo& MemoOf(const LayoutContext& context) { return context.Score.PageLayout.Memo; }

// Everything besides the measures that the pass reads.
std::uint64_t SettingsStamp(const LayoutContext& context) {
  const TECMusicScore& score = context.Score;
  const TECInstrument& instrument = context.Instrument;
  Stamp stamp;
  stamp << context.ZoomFactor << context.Dpi << context.VisibleRows << context.UsableHeight << context.PageTop
        << context.Left << context.RightEdge << context.MeasureEnd;
  stamp << score.GetZoom() << score.GetScale() << score.GetResolution() << score.GetStartBarNumber()
        << score.GetMeasureLength(0) << score.DefaultMeasureLength() << score.GetNumerator() << score.GetDenominator()
        << int{score.AufTaktWord()} << score.PickupLength() << int{score.NoteInterval()} << int{score.GetDensity()}
        << score.MeasureCount() << int{score.GetHorzAlign()} << int{score.GetVertAlign()}
        << score.PageInterval(TECMetrix::rmMM) << int{instrument.AsMusicScore()} << RowNameRoom(instrument);
  stamp << instrument.GetRowCount();
  for (int r = 0; r < instrument.GetRowCount(); ++r) stamp << int{instrument.GetRow(r)->United()};
  stamp << static_cast<std::uint64_t>(instrument.Systems.size());
  for (const TECRowInfo& system : instrument.Systems) {
    stamp << system.LeftIndent << system.RightIndent << int{system.OwnSettings} << int{system.Density}
          << int{system.SpacingMode} << int{system.MeasureCount} << int{system.HorzAlign};
    stamp << static_cast<std::uint64_t>(system.RowOffsets.size());
    for (std::int32_t offset : system.RowOffsets) stamp << offset;
  }
  return stamp.Value();
}

// What measure index m is laid out from besides its rows' measures: its
// symbols entry (by revision) and the user settings of its record.
std::uint64_t MeasureStamp(const TECInstrument& instrument, int m) {
  Stamp stamp;
  const TECSymbolEntry* entry = instrument.SymbolsRow().At(m);
  stamp << (entry ? entry->Revision : 0);
  if (const TECMeasureLayout* record = instrument.LayoutAt(m)) {
    stamp << int{record->SpaceAfterBar} << int{record->PageBreak} << int{record->FirstLeftExtra};
    stamp << static_cast<std::uint64_t>(record->Extents.size());
    for (const TECExtentPair& pair : record->Extents) stamp << (pair.Before << 8 | pair.After);
  }
  return stamp.Value();
}

std::uint64_t RevisionAt(const TECRow& row, int m) {
  const TECMeasure* measure = row.GetMeasure(m);
  return measure ? measure->Revision : 0;
}

// The highest index below LaidOutEnd where row r holds a measure other than
// the one laid out (-1 none). Its measures are read again only after the
// row changed, so an edit costs a reading of the rows it touched.
int RowChangedUpTo(TECLayoutMemo& memo, const TECRow& row, int r) {
  if (memo.RowSeen[r] == row.Revision) return memo.RowChangedUpTo[r];
  const std::vector<std::uint64_t>& laid = memo.RowMeasures[r];
  int high = memo.LaidOutEnd - 1;
  while (high >= 0 && RevisionAt(row, high) == (high < static_cast<int>(laid.size()) ? laid[high] : 0)) --high;
  memo.RowSeen[r] = row.Revision;
  memo.RowChangedUpTo[r] = high;
  return high;
}

// The running state page `page` begins with.
std::uint64_t PageStartStamp(const LayoutContext& context, int page) {
  const TECInstrument& instrument = context.Instrument;
  Stamp stamp;
  stamp << context.Score.PageFirstMeasure(page) << context.BarNumber << context.StartTick << context.MeasureLength
        << context.Numerator << context.Denominator << context.Rehearsal << context.System;
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    const TECRow& row = *instrument.GetRow(r);
    stamp << int{row.LayoutClef} << int{row.LayoutKey};
  }
  const auto& carried = context.Score.PageLayout.SystemSymbols;
  if (page < static_cast<int>(carried.size()))
    for (const TECCarryRef& ref : carried[page])
      stamp << static_cast<int>(ref.Kind) << ref.Row << ref.Measure << ref.Element << ref.Attribute;
  return stamp.Value();
}

// True when the links of page `page` that reach back before its first
// measure are those its carry-over entry holds, in the order the pass adds
// them (measure by measure, row by row, note and attribute in order).
bool LinksCarriedAsKept(const LayoutContext& context, int page, int first) {
  const TECInstrument& instrument = context.Instrument;
  const auto& lists = context.Score.PageLayout.SystemObjects;
  static const std::vector<TECCarryRef> none;
  const std::vector<TECCarryRef>& kept = page - 1 < static_cast<int>(lists.size()) ? lists[page - 1] : none;
  const int end = context.Score.PageFirstMeasure(page + 1);
  std::size_t at = 0;
  for (int m = first; m < end; ++m)
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      const TECMeasure* measure = instrument.GetRow(r)->GetMeasure(m);
      const TECMeasureLayout* record = instrument.LayoutAt(m);
      if (!measure || !record || record->Positions.size() < 2) continue;
      const int length = static_cast<int>(record->Positions.size()) - 1;
      for (std::size_t n = 0; n < measure->Notes.size(); ++n) {
        const TECNote& note = *measure->Notes[n];
        if (!ek::IsNoteStep(note.Kind) || note.Start >= length) continue;
        for (std::size_t a = 0; a < note.Attributes.size(); ++a) {
          const auto* link = dynamic_cast<const TECLinkAttribute*>(note.Attributes[a].get());
          if (!link || !ek::IsLink(link->Kind) || !link->Partner || !link->Partner->Owner ||
              link->Partner->Owner->Index >= first)
            continue;
          const TECCarryRef ref{TECCarryRef::RefKind::Link, r, measure->Index, static_cast<std::int32_t>(n),
                                static_cast<std::int32_t>(a)};
          if (at >= kept.size() || !(kept[at] == ref)) return false;
          ++at;
        }
      }
    }
  return at == kept.size();
}

void Put(std::vector<std::uint64_t>& list, int index, std::uint64_t value) {
  if (index < 0) return;
  if (static_cast<int>(list.size()) <= index) list.resize(index + 1, 0);
  list[index] = value;
}

}  // namespace

void BeginMemo(const LayoutContext& context) {
  TECLayoutMemo& memo = MemoOf(context);
  const std::uint64_t settings = SettingsStamp(context);
  if (memo.Instrument == &context.Instrument && memo.InstrumentSerial == context.Instrument.Serial &&
      memo.Settings == settings)
    return;
  memo = TECLayoutMemo{};
  memo.Instrument = &context.Instrument;
  memo.InstrumentSerial = context.Instrument.Serial;
  memo.Settings = settings;
  // Unknown until a pass reaches the end under these settings.
  memo.LaidOutEnd = -1;
  const auto rows = static_cast<std::size_t>(context.Instrument.GetRowCount());
  memo.RowMeasures.resize(rows);
  memo.RowSeen.resize(rows, 0);
  memo.RowChangedUpTo.resize(rows, -1);
}

void RememberPageStart(LayoutContext& context) {
  Put(MemoOf(context).Pages, context.Page, PageStartStamp(context, context.Page));
  context.PageRows = -1;
  context.PageAll = -1;
}

void RememberPageEnd(const LayoutContext& context) {
  TECLayoutMemo& memo = MemoOf(context);
  const std::size_t size = std::max<std::size_t>(memo.Pages.size(), context.Page + 1);
  memo.PageRows.resize(size, -1);
  memo.PageAll.resize(size, -1);
  memo.PageRows[context.Page] = context.PageRows;
  memo.PageAll[context.Page] = context.PageAll;
}

void RememberMeasure(const LayoutContext& context, int m) {
  TECLayoutMemo& memo = MemoOf(context);
  const TECInstrument& instrument = context.Instrument;
  Put(memo.Measures, m, MeasureStamp(instrument, m));
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    std::vector<std::uint64_t>& laid = memo.RowMeasures[r];
    // What was found changed may be this measure, and a list that grows
    // has indices no comparison covered: read the row again.
    if (memo.RowChangedUpTo[r] >= m || m >= static_cast<int>(laid.size())) memo.RowSeen[r] = 0;
    Put(laid, m, RevisionAt(*instrument.GetRow(r), m));
  }
}

bool PagesAheadUnchanged(LayoutContext& context) {
  TECLayoutMemo& memo = MemoOf(context);
  const int page = context.Page;
  if (memo.LaidOutEnd < 0 || memo.PageCount != context.Instrument.PageCount()) return false;
  if (page >= static_cast<int>(memo.Pages.size()) || memo.Pages[page] == 0) return false;
  // The active page's measure places are made by a pass over it.
  if (context.ActivePage >= page) return false;
  if (memo.Pages[page] != PageStartStamp(context, page)) return false;
  // The records kept are those of the pass remembered: the page's first
  // one opens its system there, and none is missing.
  const int first = context.Score.PageFirstMeasure(page);
  const TECMeasureLayout* opening = context.Instrument.LayoutAt(first);
  if (static_cast<int>(context.Instrument.Layouts().size()) < memo.RecordCount || first >= memo.LaidOutEnd ||
      !opening || !opening->SystemStart || static_cast<int>(opening->Page) != page ||
      static_cast<int>(opening->SystemIndex) != context.System)
    return false;
  if (static_cast<int>(memo.PageRows.size()) < context.Instrument.PageCount()) return false;
  // The highest index found changed is remembered for the pages after.
  if (first <= context.Mismatch) return false;
  for (int r = 0; r < context.Instrument.GetRowCount(); ++r) {
    const int changed = RowChangedUpTo(memo, *context.Instrument.GetRow(r), r);
    if (changed >= first) {
      context.Mismatch = changed;
      return false;
    }
  }
  // Stamps are compared from the end back, each once a pass: [MatchFrom,
  // end) matched.
  if (context.MatchFrom < 0) context.MatchFrom = memo.LaidOutEnd;
  for (int m = context.MatchFrom - 1; m >= first; --m) {
    const bool same = m < static_cast<int>(memo.Measures.size()) && memo.Measures[m] == MeasureStamp(context.Instrument, m);
    if (!same) {
      context.Mismatch = m;
      context.MatchFrom = m + 1;
      return false;
    }
  }
  context.MatchFrom = std::min(context.MatchFrom, first);
  // Links on the page that reach back to an earlier one are carried with
  // the page before; an edit there may have moved their other ends.
  return LinksCarriedAsKept(context, page, first);
}

bool LaidOutAsTheyAre(const TECMusicScore& score, int end) {
  const TECLayoutMemo& memo = score.PageLayout.Memo;
  const TECInstrument* instrument = score.CurrentInstrument();
  if (!instrument || memo.Instrument != instrument || memo.InstrumentSerial != instrument->Serial) return false;
  if (static_cast<int>(memo.RowMeasures.size()) != instrument->GetRowCount()) return false;
  for (int m = 0; m < end; ++m)
    if (m >= static_cast<int>(memo.Measures.size()) || memo.Measures[m] != MeasureStamp(*instrument, m)) return false;
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    const std::vector<std::uint64_t>& laid = memo.RowMeasures[r];
    for (int m = 0; m < end; ++m)
      if (m >= static_cast<int>(laid.size()) || laid[m] != RevisionAt(*instrument->GetRow(r), m)) return false;
  }
  return true;
}

void EndTwoPageMemo(const LayoutContext& context) {
  TECLayoutMemo& memo = MemoOf(context);
  const int next = context.Page + 1;
  if (next < static_cast<int>(memo.Pages.size()) && memo.Pages[next] != PageStartStamp(context, next))
    memo.Pages.resize(next);
}

void EndMemo(const LayoutContext& context, bool stopped) {
  TECLayoutMemo& memo = MemoOf(context);
  TECInstrument& instrument = context.Instrument;
  if (stopped) {
    // The pages kept raise the counters as they did.
    for (int p = context.Page; p < instrument.PageCount(); ++p) {
      instrument.LaidOutRows = std::max(instrument.LaidOutRows, memo.PageRows[p]);
      instrument.LaidOutAll = std::max(instrument.LaidOutAll, memo.PageAll[p]);
    }
    return;
  }
  // The rows' changes were looked for below the end laid out before.
  if (memo.LaidOutEnd != context.NextMeasure) std::fill(memo.RowSeen.begin(), memo.RowSeen.end(), 0);
  memo.LaidOutEnd = context.NextMeasure;
  memo.PageCount = instrument.PageCount();
  memo.RecordCount = static_cast<std::int32_t>(instrument.Layouts().size());
  if (static_cast<int>(memo.Measures.size()) > memo.LaidOutEnd) memo.Measures.resize(memo.LaidOutEnd);
  for (std::vector<std::uint64_t>& laid : memo.RowMeasures)
    if (static_cast<int>(laid.size()) > memo.LaidOutEnd) laid.resize(memo.LaidOutEnd);
  if (static_cast<int>(memo.Pages.size()) > instrument.PageCount()) memo.Pages.resize(instrument.PageCount());
  memo.PageRows.resize(instrument.PageCount(), -1);
  memo.PageAll.resize(instrument.PageCount(), -1);
}

}  // namespace nv::render
