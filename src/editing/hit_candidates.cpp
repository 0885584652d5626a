#include "editing/hit_candidates.h"

#include "editing/element_places.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/symbols_row.h"

namespace nv::editing {
namespace {

bool MarkTried(std::uint8_t k) { return (k >= ek::Dot && k <= 119) || (k >= ek::GlissandoUp && k <= ek::Lift); }

void AddNoteAttributes(std::vector<HitCandidate>& out, TECNote& note) {
  for (const auto& attribute : note.Attributes) {
    const std::uint8_t k = attribute->Kind;
    if (k == ek::GraceNotes) {
      auto& group = static_cast<TECGraceGroup&>(*attribute);
      for (const auto& grace : group.Notes) out.push_back({&group, grace.get(), 0, RectOf(grace->Box)});
      out.push_back({&group, &group, 0, RectOf(group.Box)});
    } else if (k == ek::LinkAbove || k == ek::LinkBelow) {
      auto& link = static_cast<TECLinkAttribute&>(*attribute);
      out.push_back({&link, &link, 1, RectOf(link.PartBoxes[0])});
      out.push_back({&link, &link, 2, RectOf(link.PartBoxes[1])});
    } else if (MarkTried(k)) {
      out.push_back({attribute.get(), attribute.get(), 0, RectOf(attribute->Box)});
    }
  }
}

}  // namespace

std::vector<HitCandidate> MeasureCandidates(const TECMusicScore& score, TECMeasure& measure) {
  std::vector<HitCandidate> out;
  auto add = [&out](TECElement* element) {
    if (element != nullptr) out.push_back({element, element, 0, RectOf(element->Box)});
  };
  add(measure.Clef.get());
  add(measure.KeySignature.get());
  add(measure.TimeSignature.get());
  // The velocity display writes its figure right of a note; a click there
  // takes the note.
  const int velocityWidth = score.VelocityMode() == 1 ? 30 : score.VelocityMode() == 2 ? 200 : 0;
  for (const auto& note : measure.Notes) {
    TECRect box = BoxOf(score, *note, 0);
    box.Right += Zoomed(score, velocityWidth);
    out.push_back({note.get(), note.get(), 0, box});
    AddNoteAttributes(out, *note);
  }
  for (const auto& rest : measure.Rests) {
    add(rest.get());
    for (const auto& dot : rest->Attributes)
      if (dot->Kind == ek::Dot || dot->Kind == ek::DoubleDot) add(dot.get());
  }
  for (auto it = measure.Items.rbegin(); it != measure.Items.rend(); ++it) {
    TECMeasureItem* item = it->get();
    if (!ek::IsSpanner(item->Kind)) {
      add(item);
      continue;
    }
    // A spanner is tried system by system: its overall box also spans the
    // gap between a system's end and the next one's start.
    for (std::size_t k = 0; k < item->SegmentBoxes.size(); ++k)
      out.push_back({item, item, 0, RectOf(item->SegmentBoxes[k]), static_cast<int>(k)});
  }
  return out;
}

std::vector<HitCandidate> SymbolCandidates(const TECMusicScore& score, TECSymbolEntry& entry) {
  std::vector<HitCandidate> out;
  const TECInstrument* instrument = score.CurrentInstrument();
  const int rows = instrument != nullptr ? std::max(1, instrument->GetRowCount()) : 1;
  const int staffHeight = 4 * StaffSpacePixels(score);
  for (auto it = entry.Items.rbegin(); it != entry.Items.rend(); ++it) {
    TECSymbolItem* item = it->get();
    const TECRect box = RectOf(item->Box);
    if (item->Kind != ek::SymbolMultiRest) {
      out.push_back({item, item, 0, box});
      continue;
    }
    for (int r = 0; r < rows; ++r)
      out.push_back({item, item, 0, {box.Left, box.Top - r * staffHeight, box.Right, box.Bottom - r * staffHeight}});
  }
  return out;
}

bool OnActivePage(const TECMusicScore& score, const TECPageObject& object) {
  return (object.Flags & TECPageObject::OnEveryPage) != 0 || object.Page == score.GetActivePage();
}

// A record never drawn keeps an empty box, which nothing hits.
bool Drawn(const TECRect& box) { return box.Right > box.Left && box.Bottom > box.Top; }

bool Contains(const TECRect& box, TECPoint p) {
  return Drawn(box) && p.X >= box.Left && p.X <= box.Right && p.Y >= box.Top && p.Y <= box.Bottom;
}

bool Intersects(const TECRect& a, const TECRect& b) {
  return Drawn(a) && Drawn(b) && a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

}  // namespace nv::editing
