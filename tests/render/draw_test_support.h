#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "layout_test_support.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/note_records.h"
#include "model/page_objects.h"
#include "platform/recording_canvas.h"
#include "render/painter_context.h"

namespace draw_test {

// Lays the score out from page 0 and draws the active page on a recording
// canvas; returns the canvas's lines.
inline std::vector<std::string> Draw(TECMusicScore& score, const nv::render::PaintSelection* selection = nullptr) {
  nv::render::LayoutScore(score, 0, false);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  score.DrawPage(canvas, score.GetZoom(), score.GetZoom(), selection);
  return canvas.lines();
}

// The lines that contain `part`.
inline std::vector<std::string> With(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) found.push_back(line);
  return found;
}

// The top-left corners of the TextOut lines that draw `text` (quoted as the
// canvas writes it), in order.
struct Placed {
  int x;
  int y;
};
inline std::vector<Placed> TextsOf(const std::vector<std::string>& lines, const std::string& text) {
  std::vector<Placed> found;
  const std::string quoted = "\"" + text + "\"";
  for (const std::string& line : lines) {
    if (line.rfind("TextOut (", 0) != 0 || line.find(") " + quoted + " ") == std::string::npos) continue;
    Placed p{};
    std::sscanf(line.c_str(), "TextOut (%d,%d)", &p.x, &p.y);
    found.push_back(p);
  }
  return found;
}

inline std::string Box(const TECElementBox& b) {
  return std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
         std::to_string(b.Bottom);
}

// A row of eight measures, two to a system, two systems to a page, with a
// quarter G at the start of every measure. At 100 % u is 1 pixel and the
// staff space 6.
inline std::unique_ptr<TECMusicScore> EightMeasures() {
  auto score = layout_test::MakeScore(1, 8);
  score->SetNoteInterval(2);
  score->SetMeasureCount(2);
  TECRow& row = *score->CurrentInstrument()->GetRow(0);
  for (int m = 0; m < 8; ++m) score_builder::AddNote(*row.GetMeasure(m), 5, 5, 32, 0);
  return score;
}

// Where the column of a tick of measure m was drawn (row 0), and the staff's
// bottom line there.
inline int ColumnX(TECMusicScore& score, int m, int tick) {
  return score.PageLayout.Drawn(0, m)->OriginX + score.CurrentInstrument()->LayoutAt(m)->Positions[tick];
}
inline int BottomLine(TECMusicScore& score, int m) { return score.PageLayout.Drawn(0, m)->StaffTop + 24; }

// A measure item of `kind`, as the record type the kind has, at a tick with
// its second tick (length or end) and its vertical place (step, octave).
template <typename Item = TECMeasureItem>
Item& AddItem(TECMeasure& measure, std::uint8_t kind, int position, int second = 0, int step = 0, int octave = 0) {
  measure.Items.push_back(MakeMeasureItem(kind, &measure));
  Item& item = dynamic_cast<Item&>(*measure.Items.back());
  item.Position = static_cast<std::uint16_t>(position);
  item.Second = static_cast<std::uint16_t>(second);
  item.Voice = static_cast<std::uint8_t>(step);
  item.Params[0] = static_cast<std::uint8_t>(octave);
  return item;
}

// A chord symbol's piece: after piece `anchor`, raised by `raise` (signed),
// of `size` points (0: the painter's default).
inline TECChordPiece ChordPiece(const std::string& text, int anchor, int raise, int size = 0) {
  TECChordPiece p;
  p.Format = {static_cast<std::uint8_t>(size), 0, static_cast<std::uint8_t>(anchor),
              static_cast<std::uint8_t>(raise & 0xFF), static_cast<std::uint8_t>((raise >> 8) & 0xFF)};
  p.Text = text;
  return p;
}

struct Small {
  int step;
  int octave;
  int accidental = 0;
};

// A group of small notes on `note`: grace value and flag byte as stored.
inline TECGraceGroup& AddGraceGroup(TECNote& note, int value, int flags, const std::vector<Small>& notes) {
  auto group = std::make_unique<TECGraceGroup>(&note);
  group->Data[0] = static_cast<std::uint8_t>(value);
  group->Data[1] = static_cast<std::uint8_t>(flags);
  for (const Small& s : notes) {
    auto grace = std::make_unique<TECGraceNote>(group.get());
    grace->Step = static_cast<std::uint8_t>(s.step);
    grace->Octave = static_cast<std::uint8_t>(s.octave);
    if (s.accidental)
      grace->Attributes.push_back(MakeNoteAttribute(static_cast<std::uint8_t>(s.accidental), grace.get()));
    group->Notes.push_back(std::move(grace));
  }
  note.Attributes.push_back(std::move(group));
  return static_cast<TECGraceGroup&>(*note.Attributes.back());
}

// A drawing object's line from (x1, y1) to (x2, y2), one unit wide.
inline std::unique_ptr<TECPageLine> PageLine(int x1, int y1, int x2, int y2) {
  auto line = std::make_unique<TECPageLine>();
  line->X1 = static_cast<std::int16_t>(x1);
  line->Y1 = static_cast<std::int16_t>(y1);
  line->X2 = static_cast<std::int16_t>(x2);
  line->Y2 = static_cast<std::int16_t>(y2);
  line->PenWidth = 1;
  return line;
}

}  // namespace draw_test
