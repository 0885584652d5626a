// Pages: how many systems fit, and the systems laid out on each.
#include "render/page_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/scoped_flag.h"
#include "model/units.h"
#include "render/carry_over.h"
#include "render/layout_context.h"
#include "render/layout_dump.h"
#include "render/layout_memo.h"
#include "render/system_layout.h"

namespace nv::render {

namespace {

// However tall a page, no more systems than this are looked for on it.
constexpr int kMostSystemsPerPage = 1000;

// One past the last measure that holds anything: a row's measure, a symbol,
// or a layout record with a user setting (space after the bar, page break).
int MeasureEnd(const TECInstrument& instrument) {
  int end = instrument.MaxMeasureCount();
  const auto& entries = instrument.SymbolsRow().Entries;
  for (int m = static_cast<int>(entries.size()); m > end; --m)
    if (entries[m - 1] && !entries[m - 1]->Items.empty()) end = m;
  const auto& layouts = instrument.Layouts();
  for (int m = static_cast<int>(layouts.size()); m > end; --m)
    if (layouts[m - 1]->SpaceAfterBar != 0 || layouts[m - 1]->PageBreak != 0) end = m;
  return end;
}

// The page a pass asked to begin at page `page` begins at.
int FirstPage(const TECMusicScore& score, const TECInstrument& instrument, int page, bool twoPages) {
  // A page past the end (after the page count was cut, by undo or by hand)
  // lays out from the last one, which may have to append pages again for
  // the music after it.
  page = std::clamp(page, 0, instrument.PageCount());
  if (twoPages) return page;
  // So does a page past those the last pass to the end left: pages added
  // while the layout was suspended (the cursor stepping into new measures
  // during chord entry) have page tables of no pass.
  const TECLayoutMemo& memo = score.PageLayout.Memo;
  const bool known = memo.Instrument == &instrument && memo.InstrumentSerial == instrument.Serial;
  page = std::min(page, known ? static_cast<int>(memo.PageCount) : 0);
  // The last system of the page before may take the first measure of this
  // one when an edit made it narrower: the pass to the end starts there.
  return std::max(page - 1, 0);
}

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// Sets up the context of a pass that starts at page `page`: geometry at
// Zoom 100 and Scale 100, and the state carried over from the page before.
void Prepare(LayoutContext& context, int page, bool twoPages) {
  TECMusicScore& score = context.Score;
  TECInstrument& instrument = context.Instrument;
  const TECScorePage& setup = score.Page();
  const int scale = std::max(1, score.GetScale());
  context.ZoomFactor = score.ZoomFactor();
  context.Dpi = ResolutionOrDefault(score.GetResolution());
  context.VisibleRows = instrument.VisibleRowCount();
  context.UsableHeight = Finite(score.PageUsableHeight(TECMetrix::rmMM)) * 100 / scale;
  context.PageTop = Finite(score.PageTop(TECMetrix::rmMM));
  // Pixels at the screen resolution with Zoom 100, then without the scale.
  auto pixels = [&](double tenths) {
    return static_cast<int>(std::clamp(std::trunc(Finite(tenths) * context.Dpi / 254.0), -1e6, 1e6));
  };
  context.Left = pixels(setup.StoredValue(TECScorePage::viLeftMargin)) * 100 / scale;
  context.RightEdge =
      pixels(setup.StoredValue(TECScorePage::viWidth) - setup.StoredValue(TECScorePage::viRightMargin)) * 100 / scale;
  context.ActivePage = score.GetActivePage();
  const bool known = twoPages && instrument.LaidOutMeasureEnd >= 0;
  context.MeasureEnd = known ? instrument.LaidOutMeasureEnd : MeasureEnd(instrument);
  if (!twoPages) instrument.LaidOutMeasureEnd = context.MeasureEnd;

  context.BarNumber = page == 0 ? score.GetStartBarNumber() : score.PageLastBarNumber(page - 1) + 1;
  while (context.System < static_cast<int>(instrument.Systems.size()) &&
         static_cast<int>(instrument.Systems[context.System].Page) < page)
    ++context.System;

  if (page == 0) {
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      instrument.GetRow(r)->LayoutKey = 0;
      instrument.GetRow(r)->LayoutClef = 1;
    }
    context.MeasureLength = score.GetMeasureLength(0);
    return;
  }
  const int last = score.PageLastMeasure(page - 1);
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    TECRow& row = *instrument.GetRow(r);
    const TECMeasure* measure =
        row.MeasureCount() == 0 ? nullptr : row.GetMeasure(std::min(last, row.MeasureCount() - 1));
    row.LayoutKey = measure ? measure->KeyInForce : 0;
    row.LayoutClef = measure ? measure->ClefInForce : 1;
  }
  if (const TECMeasureLayout* record = instrument.LayoutAt(last)) {
    context.Rehearsal = record->RehearsalCounter;
    context.StartTick = std::int64_t{record->StartTick} + record->MeasureLength;
    context.Numerator = record->Numerator;
    context.Denominator = record->Denominator;
    context.System = static_cast<int>(record->SystemIndex) + 1;
    // After a pickup the length in force is the one measure 1 would have.
    const bool pickup = last == 0 && score.AufTaktWord() >= 256;
    context.MeasureLength = pickup ? score.DefaultMeasureLength() : record->MeasureLength;
    if (pickup) {
      for (int r = 0; r < instrument.GetRowCount(); ++r) {
        const TECMeasure* measure = instrument.GetRow(r)->GetMeasure(0);
        if (measure && measure->TimeSignature && measure->TimeSignature->Numerator() >= 1 &&
            measure->TimeSignature->Denominator() >= 1)
          context.MeasureLength = measure->TimeSignature->Numerator() * 128 / measure->TimeSignature->Denominator();
      }
    }
  }
}

// How many systems fit on the page, and the interval between staves that
// spreads the spare height over them when vertical alignment is on. 0 when
// not even one system fits: the page still gets one, which runs past its
// usable height.
int FitSystems(LayoutContext& context) {
  const TECMusicScore& score = context.Score;
  double interval = std::max(0.0, Finite(score.PageInterval(TECMetrix::rmMM)));
  double y = interval;
  int n = 0;
  while (y < context.UsableHeight && n < kMostSystemsPerPage) {
    const double top = y;
    y += SystemHeight(context, context.System + n, interval);
    if (y > context.UsableHeight) {
      if (score.GetVertAlign() && n > 0) interval += (context.UsableHeight - top) / n / context.VisibleRows;
      break;
    }
    ++n;
    if (context.Instrument.AsMusicScore()) break;
  }
  context.Interval = interval;
  return n;
}

// Marks page `page` as one whose system runs past the usable height, or
// takes the mark away; the marks stay sorted.
void MarkOverfull(std::vector<std::int32_t>& pages, int page, bool overfull) {
  const auto at = std::lower_bound(pages.begin(), pages.end(), page);
  const bool marked = at != pages.end() && *at == page;
  if (overfull && !marked) pages.insert(at, page);
  if (!overfull && marked) pages.erase(at);
}

}  // namespace

namespace {

struct PassOutcome {
  bool Ran = false;
  int FirstPage = 0;
  bool Stopped = false;
  bool Appended = false;
};

// How far a pass from page `page` goes (see LayoutScore): it ends at the
// first page from which the records would come out as they are, or it goes
// to the end; the reference pass of the layout check goes to the end and
// spaces each measure every time it lays it out.
enum class PassKind { MayStop, ToTheEnd, Reference };

PassOutcome RunPass(TECMusicScore& score, int page, bool twoPages, PassKind kind) {
  const bool mayStop = kind == PassKind::MayStop;
  PassOutcome outcome;
  if (score.LayoutSuspended || score.PageLayout.Running) return outcome;
  if (score.GetStyle() == TScoreStyle::ssAllInstruments) return outcome;
  TECInstrument* instrument = score.CurrentInstrument();
  if (!instrument) return outcome;
  instrument->LayoutValid = true;
  if (instrument->VisibleRowCount() == 0) return outcome;
  page = FirstPage(score, *instrument, page, twoPages);
  outcome.Ran = true;
  outcome.FirstPage = page;

  {
    ScopedFlag running(score.PageLayout.Running);
    LayoutContext context{score, *instrument};
    context.ReuseSpacing = kind != PassKind::Reference;
    Prepare(context, page, twoPages);
    BeginMemo(context);
    score.BeginRulesUpdate();
    // Measures before page `page` stay laid out from earlier passes, and
    // those after the two pages too when only two are laid out.
    if (!twoPages) {
      const int before = page == 0 ? -1 : score.PageFirstMeasure(page);
      instrument->LaidOutRows = std::min(instrument->LaidOutRows, before);
      instrument->LaidOutAll = std::min(instrument->LaidOutAll, before);
    }
    TECPageLayout& pages = score.PageLayout;
    for (int s = page; s < instrument->PageCount(); ++s) {
      context.Page = s;
      // The pages from here on are as an edit before them left them.
      if (mayStop && !twoPages && s > page && PagesAheadUnchanged(context)) {
        outcome.Stopped = true;
        break;
      }
      const bool active = s == context.ActivePage;
      if (active) {
        pages.FirstSystem = context.System;
        pages.BarNumbers.clear();
        for (int r = 0; r < instrument->GetRowCount(); ++r) instrument->GetRow(r)->Placement.clear();
      }
      const int fitting = FitSystems(context);
      MarkOverfull(pages.OverfullPages, s, fitting == 0);
      const int systems = std::max(fitting, 1);
      context.SystemY = context.PageTop + context.Interval;
      if (active) {
        pages.Interval = context.Interval;
        pages.SystemCount = systems;
      }
      PrepareCarryOver(pages, s);
      RememberPageStart(context);
      context.PageFirstMeasure = score.PageFirstMeasure(s);
      context.NextMeasure = context.PageFirstMeasure;
      context.PageBreak = false;
      context.EmptyMeasures = 0;
      // Every system of the page is laid out; after the music they hold
      // empty measures, so the page's last measure is its last system's.
      for (int k = 0; k < systems && !context.PageBreak; ++k) {
        const bool full = context.NextMeasure >= context.MeasureEnd &&
                          context.EmptyMeasures >= LayoutContext::kMostEmptyMeasures;
        if (full) break;
        LayoutSystem(context);
      }
      RememberPageEnd(context);
      score.SetNextPageStart(s, context.NextMeasure);
      score.SetPageLastBarNumber(s, static_cast<int>(context.BarNumber - 1));
      PruneCarryOver(context, s);
      const bool carried = s + 1 < static_cast<int>(pages.SystemSymbols.size()) && !pages.SystemSymbols[s + 1].empty();
      if (s + 1 == instrument->PageCount() && (context.NextMeasure < context.MeasureEnd || carried)) {
        instrument->AppendLaidOutPage();
        outcome.Appended = true;
      }
      if (twoPages && s >= page + 1) break;
    }
    if (twoPages)
      EndTwoPageMemo(context);
    else
      EndMemo(context, outcome.Stopped);
    // Pages taken away since an earlier pass keep no mark.
    auto& overfull = pages.OverfullPages;
    overfull.erase(std::lower_bound(overfull.begin(), overfull.end(), instrument->PageCount()), overfull.end());
    const int records = static_cast<int>(instrument->Layouts().size());
    instrument->LaidOutClamped = std::clamp(instrument->LaidOutRows, 0, records);
    instrument->LaidOutAll = std::min(instrument->LaidOutAll, instrument->LaidOutRows);
    instrument->LaidOutRows = std::min(instrument->LaidOutRows, records);
  }
  score.EndRulesUpdate();
  return outcome;
}

#ifdef NOTAVISTRA_LAYOUT_CHECK
// Everything a pass leaves that a later pass, the drawing or the events read.
std::string LaidOut(const TECMusicScore& score) {
  std::string overfull = "overfull pages:";
  for (const std::int32_t page : score.PageLayout.OverfullPages) overfull += ' ' + std::to_string(page);
  return DumpLayout(score) + DumpLaidOutModel(score) + overfull + '\n';
}

// The check of the test build: a pass leaves exactly what a full pass from
// page 0 leaves that spaces each measure every time it lays it out, or the
// program stops here. The full pass runs on the same score, so it leaves
// the records as they were; what the passes only remember for the next one
// goes back to what the checked pass left, so that the next pass stops
// where it would without the check.
void CheckAgainstFullPass(TECMusicScore& score) {
  const std::string relaid = LaidOut(score);
  const TECLayoutMemo memo = score.PageLayout.Memo;
  const int measureEnd = score.CurrentInstrument()->LaidOutMeasureEnd;
  RunPass(score, 0, false, PassKind::Reference);
  score.PageLayout.Memo = memo;
  score.CurrentInstrument()->LaidOutMeasureEnd = measureEnd;
  const std::string full = LaidOut(score);
  if (relaid == full) return;
  std::istringstream a(relaid);
  std::istringstream b(full);
  std::string lineA;
  std::string lineB;
  while (std::getline(a, lineA) && std::getline(b, lineB) && lineA == lineB) {
  }
  std::fprintf(stderr, "layout check: the pass differs from a full pass from page 0\n  pass:      %s\n  full pass: %s\n",
               lineA.c_str(), lineB.c_str());
  std::abort();
}
#endif

}  // namespace

void LayoutScoreInFull(TECMusicScore& score) {
  [[maybe_unused]] const PassOutcome outcome = RunPass(score, 0, false, PassKind::ToTheEnd);
#ifdef NOTAVISTRA_LAYOUT_CHECK
  if (outcome.Ran) CheckAgainstFullPass(score);
#endif
}

void LayoutScore(TECMusicScore& score, int page, bool twoPages) {
  const std::vector<std::int32_t> overfullBefore = score.PageLayout.OverfullPages;
#ifdef NOTAVISTRA_LAYOUT_CHECK
  // A pass from a later page can only leave what a full pass leaves when
  // the pages before it were laid out from the measures as they are: not so
  // for a pass in the middle of an edit (a page appended as the cursor moves
  // to a new measure), before the edit's own pass. A pass from page 0 has
  // no pages before it.
  const TECInstrument* shown = score.CurrentInstrument();
  const int first = shown ? FirstPage(score, *shown, page, twoPages) : 0;
  const bool judged =
      !twoPages && shown && (first == 0 || LaidOutAsTheyAre(score, score.PageFirstMeasure(first)));
#endif
  const PassOutcome outcome = RunPass(score, page, twoPages, PassKind::MayStop);
  if (!outcome.Ran) return;
#ifdef NOTAVISTRA_LAYOUT_CHECK
  // A pass over two pages is not checked: printing lays out only the pages
  // it prints, at the printer's resolution, and leaves the others as they
  // are.
  if (judged) CheckAgainstFullPass(score);
#endif
  // Reported once the records are whole.
  if (outcome.Appended) {
    if (score.OnPageCountChanged) score.OnPageCountChanged(&score);
    score.InvalidatePageTabs();
  }
  // Every pass that leaves pages cutting staves says so, and so does the
  // pass that takes the last mark away.
  const auto& overfull = score.PageLayout.OverfullPages;
  if ((!overfull.empty() || overfull != overfullBefore) && score.OnOverfullPages)
    score.OnOverfullPages(&score, overfull);
}

}  // namespace nv::render
