#include "render/layout_dump.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"

namespace nv::render {

namespace {

template <typename Values>
void Runs(std::ostream& out, const Values& values) {
  for (std::size_t i = 0; i < values.size();) {
    std::size_t j = i;
    while (j < values.size() && values[j] == values[i]) ++j;
    out << (i ? " " : "") << values[i];
    if (j - i > 1) out << '*' << (j - i);
    i = j;
  }
}

void Carried(std::ostream& out, const char* name, const std::vector<std::vector<TECCarryRef>>& list) {
  for (std::size_t p = 0; p < list.size(); ++p) {
    if (list[p].empty()) continue;
    out << name << " page " << p << ':';
    for (const TECCarryRef& ref : list[p]) {
      static const char* const kinds[] = {"link", "spanner", "volta"};
      out << ' ' << kinds[static_cast<int>(ref.Kind)] << '(' << ref.Row << ',' << ref.Measure << ',' << ref.Element
          << ',' << ref.Attribute << ')';
    }
    out << '\n';
  }
}

}  // namespace

std::string DumpMeasureLayout(const TECMeasureLayout& r, int index) {
  std::ostringstream out;
  out << 'm' << index << " sys=" << r.SystemIndex << " page=" << r.Page << " bar=" << r.BarNumber
      << " head=" << r.HeaderWidth << " extra=" << r.ExtraWidth << " content=" << r.ContentWidth
      << " close=" << r.ClosingWidth << " after=" << r.SpaceAfterBar << " len=" << r.MeasureLength
      << " start=" << r.StartTick << " just=" << r.JustificationPixels;
  if (r.SystemStart) out << " S";
  if (r.SystemEnd) out << " E";
  if (r.PageBreak) out << " break";
  out << " x=";
  Runs(out, r.Positions);
  return out.str();
}

std::string DumpLayout(const TECMusicScore& score) {
  std::ostringstream out;
  const TECInstrument* instrument = score.CurrentInstrument();
  if (!instrument) return "no instrument\n";
  const TECPageLayout& pages = score.PageLayout;
  out << "pages=" << instrument->PageCount() << " starts=";
  Runs(out, score.PageStarts());
  out << " last bars=";
  Runs(out, score.PageBars());
  out << '\n';
  char interval[32];
  std::snprintf(interval, sizeof interval, "%.3f", pages.Interval);
  out << "active page " << score.GetActivePage() << ": first system=" << pages.FirstSystem
      << " systems=" << pages.SystemCount << " interval=" << interval << " bars=";
  Runs(out, pages.BarNumbers);
  out << '\n';
  for (std::size_t s = 0; s < instrument->Systems.size(); ++s) {
    const TECRowInfo& system = instrument->Systems[s];
    out << "system " << s << ": page=" << system.Page << " indent=" << system.LeftIndent << ',' << system.RightIndent;
    if (system.OwnSettings)
      out << " own density=" << int(system.Density) << " mode=" << int(system.SpacingMode)
          << " count=" << int(system.MeasureCount) << " align=" << int(system.HorzAlign);
    out << " offsets=";
    Runs(out, system.RowOffsets);
    out << '\n';
  }
  for (std::size_t m = 0; m < instrument->Layouts().size(); ++m)
    out << DumpMeasureLayout(*instrument->Layouts()[m], static_cast<int>(m)) << '\n';
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    out << "row " << r << " places:";
    for (const TECMeasurePlace& place : instrument->GetRow(r)->Placement)
      out << " (" << place.X << ',' << place.Y << ',' << place.System << ')';
    out << '\n';
  }
  Carried(out, "links", pages.SystemObjects);
  Carried(out, "spanners", pages.SystemSymbols);
  return out.str();
}

std::string DumpLaidOutModel(const TECMusicScore& score) {
  std::ostringstream out;
  const TECInstrument* instrument = score.CurrentInstrument();
  if (!instrument) return {};
  out << "laid out rows=" << instrument->LaidOutRows << " all=" << instrument->LaidOutAll
      << " clamped=" << instrument->LaidOutClamped << '\n';
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    for (const auto& measure : instrument->GetRow(r)->Measures()) {
      out << "row " << r << " m" << measure->Index << " page=" << measure->Page << " clef=" << int(measure->ClefInForce)
          << " key=" << int(measure->KeyInForce) << " clefs=";
      Runs(out, std::vector<int>(measure->ClefPerTick.begin(), measure->ClefPerTick.end()));
      out << " notes:";
      for (const auto& note : measure->Notes) {
        out << ' ' << int(note->Flags);
        for (const auto& attribute : note->Attributes) {
          out << '/' << attribute->SpacingOffset;
          if (const auto* grace = dynamic_cast<const TECGraceGroup*>(attribute.get())) out << 'g' << grace->XOffset;
        }
      }
      out << " items:";
      for (const auto& item : measure->Items) out << ' ' << item->SpacingOffset;
      out << '\n';
    }
  }
  return out.str();
}

}  // namespace nv::render
