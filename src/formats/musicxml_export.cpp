#include "formats/musicxml_export.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "formats/musicxml_parts.h"
#include "formats/musicxml_pitch.h"
#include "formats/musicxml_voices.h"
#include "model/tied_notes.h"
#include "formats/xml_text.h"
#include "model/clef_codes.h"
#include "model/instrument.h"

namespace {

// Divisions of a quarter without tuplets: a tick each.
constexpr int kDivisions = 32;
constexpr std::size_t kFlushSize = 1 << 16;

// Lines indented by tabs and ended by CR LF, written to the stream in
// large pieces.
class LineWriter {
 public:
  explicit LineWriter(ByteStream& stream) : stream_(stream) {}

  void Line(int level, std::string_view text) {
    buffer_.append(static_cast<std::size_t>(level), '\t');
    buffer_ += text;
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushSize) Flush();
  }
  // <tag>value</tag>, the value escaped.
  void Element(int level, std::string_view tag, std::string_view value) {
    Line(level, "<" + std::string(tag) + ">" + XmlEscapedText(value) + "</" + std::string(tag) + ">");
  }
  void Element(int level, std::string_view tag, int value) { Element(level, tag, std::to_string(value)); }
  void Flush() {
    stream_.WriteBuffer(buffer_.data(), buffer_.size());
    buffer_.clear();
  }

 private:
  ByteStream& stream_;
  std::string buffer_;
};

void WriteHeader(LineWriter& out, const TECMusicScore& score) {
  out.Line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>");
  out.Line(0,
           "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 0.9 Partwise//EN\" "
           "\"http://www.musicxml.org/dtds/partwise.dtd\">");
  out.Line(0, "<score-partwise>");
  out.Line(1, "<identification>");
  out.Line(2, "<creator type=\"composer\">" + XmlEscapedText(score.Composer) + "</creator>");
  out.Element(2, "rights", score.Rights);
  out.Line(2, "<encoding>");
  out.Element(3, "software", "Notavistra");
  out.Line(2, "</encoding>");
  out.Line(1, "</identification>");
}

void WritePartList(LineWriter& out, const std::vector<MusicXmlPart>& parts) {
  out.Line(1, "<part-list>");
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const MusicXmlPart& part = parts[k];
    const std::string id = "P" + std::to_string(k + 1);
    // The MIDI instrument names the part's one score instrument.
    const std::string instrument = id + "-I1";
    const std::string name = MusicXmlPartName(part);
    out.Line(2, "<score-part id=\"" + id + "\">");
    out.Element(3, "part-name", name);
    out.Line(3, "<score-instrument id=\"" + instrument + "\">");
    out.Element(4, "instrument-name", name);
    out.Line(3, "</score-instrument>");
    out.Line(3, "<midi-instrument id=\"" + instrument + "\">");
    // MusicXML counts channels 1..16 as the model does, programs 1..128
    // where the model has 0..127; other values (percussion) are left out.
    if (part.Channel >= 1 && part.Channel <= 16) out.Element(4, "midi-channel", part.Channel);
    if (part.Program >= 0 && part.Program <= 127) out.Element(4, "midi-program", part.Program + 1);
    out.Line(3, "</midi-instrument>");
    out.Line(2, "</score-part>");
  }
  out.Line(1, "</part-list>");
}

// The clef in MusicXML's terms: sign, line (0 for none) and octave change.
struct XmlClef {
  const char* Sign;
  int Line;
  int Octave;
};

XmlClef ClefOf(int code) {
  switch (code) {
    case clef_code::Bass: return {"F", 4, 0};
    case clef_code::Alto: return {"C", 3, 0};
    case clef_code::ViolinOctava: return {"G", 2, 1};
    case clef_code::ViolinOctavaBasso: return {"G", 2, -1};
    case clef_code::BassOctavaBasso: return {"F", 4, -1};
    case clef_code::BaritoneF: return {"F", 3, 0};
    case clef_code::Tenor: return {"C", 4, 0};
    case clef_code::Soprano: return {"C", 1, 0};
    case clef_code::MezzoSoprano: return {"C", 2, 0};
    case clef_code::BaritoneC: return {"C", 5, 0};
    case clef_code::Tablature: return {"TAB", 5, 0};
    case clef_code::Percussion1:
    case clef_code::Percussion2: return {"percussion", 0, 0};
    default: return {"G", 2, 0};
  }
}

void WriteClef(LineWriter& out, int level, int staff, int code) {
  const XmlClef clef = ClefOf(code);
  out.Line(level, "<clef number=\"" + std::to_string(staff) + "\">");
  out.Element(level + 1, "sign", clef.Sign);
  if (clef.Line > 0) out.Element(level + 1, "line", clef.Line);
  if (clef.Octave != 0) out.Element(level + 1, "clef-octave-change", clef.Octave);
  out.Line(level, "</clef>");
}

// The note type of a value in ticks, or none.
const char* TypeOf(int value) {
  switch (value) {
    case 256: return "breve";
    case 128: return "whole";
    case 64: return "half";
    case 32: return "quarter";
    case 16: return "eighth";
    case 8: return "16th";
    case 4: return "32nd";
    case 2: return "64th";
    case 1: return "128th";
    default: return nullptr;
  }
}

void WriteType(LineWriter& out, int value, int dots) {
  if (const char* type = TypeOf(value)) out.Element(4, "type", type);
  for (int d = 0; d < dots; ++d) out.Line(4, "<dot/>");
}

void WritePitch(LineWriter& out, int step, int octave, int alter) {
  // A grace note's step is a stored byte: one outside C..B counts on from
  // the octave's C, so every byte names a line.
  const int line = octave * 7 + step - 1;
  const int floorOctave = line >= 0 ? line / 7 : (line - 6) / 7;
  out.Line(4, "<pitch>");
  out.Element(5, "step", std::string(1, "CDEFGAB"[line - floorOctave * 7]));
  if (alter != 0) out.Element(5, "alter", alter);
  // Middle C is octave 5 in the model and 4 in MusicXML, which knows
  // octaves 0..9 only.
  out.Element(5, "octave", std::clamp(floorOctave - 1, 0, 9));
  out.Line(4, "</pitch>");
}

// <attributes> of measure m: divisions, key and time from the first row that
// has the measure (`first`, none when no row has it), the staves, and the
// clef of every staff whose row sets one here (every staff in measure 1).
void WriteAttributes(LineWriter& out, const TECMusicScore& score, const TECMeasure* first, int m, int divisions,
                     const std::vector<std::pair<int, int>>& clefs, int staves) {
  out.Line(3, "<attributes>");
  out.Element(4, "divisions", divisions);
  int fifths = 0;
  if (first && first->KeySignature && KeyFifths(*first->KeySignature, fifths)) {
    out.Line(4, "<key>");
    out.Element(5, "fifths", fifths);
    out.Line(4, "</key>");
  }
  // The first measure always states its time: without a record the score's
  // own time signature is in force there.
  int beats = 0;
  int beatType = 0;
  if (first && first->TimeSignature) {
    beats = first->TimeSignature->Numerator();
    beatType = first->TimeSignature->Denominator();
  } else if (m == 0) {
    beats = score.GetNumerator();
    beatType = score.GetDenominator();
  }
  if (beats > 0 && beatType > 0) {
    out.Line(4, "<time>");
    out.Element(5, "beats", beats);
    out.Element(5, "beat-type", beatType);
    out.Line(4, "</time>");
  }
  out.Element(4, "staves", staves);
  for (const auto& [staff, code] : clefs) WriteClef(out, 4, staff, code);
  out.Line(3, "</attributes>");
}

// What the notes of one part need beyond their own record.
struct PartContext {
  std::unordered_set<const TECNote*> TieStarts;
  std::unordered_set<const TECNote*> TieStops;
  // Voice numbers of staff s start at (s - 1) × stride + 1, so that no two
  // staves share one.
  int VoiceStride = 4;
};

PartContext ReadPart(const MusicXmlPart& part) {
  PartContext context;
  for (TECRow* row : part.Rows) {
    for (const auto& measure : row->Measures()) {
      const int previous = measure->Index > 0 ? row->Owner()->MeasureLength(measure->Index - 1) : 0;
      for (const auto& note : measure->Notes) {
        if (note->Voice >= 4) context.VoiceStride = 16;
        if (const TECNote* from = TiedFrom(*note, previous)) {
          context.TieStops.insert(note.get());
          context.TieStarts.insert(from);
        }
      }
      for (const auto& rest : measure->Rests)
        if (rest->Voice >= 4) context.VoiceStride = 16;
    }
  }
  return context;
}

struct StaffPlace {
  int Voice = 1;
  int Staff = 1;
};

void WriteGraces(LineWriter& out, const TECNote& note, bool after, const MusicXmlAlterationTable& alterations,
                 StaffPlace place) {
  for (const auto& attribute : note.Attributes) {
    if (attribute->Kind != ek::GraceNotes) continue;
    const auto& group = static_cast<const TECGraceGroup&>(*attribute);
    if (static_cast<bool>(group.Flags() & 0x80) != after) continue;
    for (const auto& grace : group.Notes) {
      out.Line(3, "<note>");
      out.Line(4, group.Flags() & 0x40 ? "<grace slash=\"yes\"/>" : "<grace/>");
      WritePitch(out, grace->Step, grace->Octave, alterations.OfGrace(*grace));
      out.Element(4, "voice", place.Voice);
      const char* type = TypeOf(group.GraceValue());
      out.Element(4, "type", type ? type : "eighth");
      out.Element(4, "staff", place.Staff);
      out.Line(3, "</note>");
    }
  }
}

void WriteEvent(LineWriter& out, const MusicXmlEvent& event, const MusicXmlAlterationTable& alterations,
                const PartContext& context, StaffPlace place, int measureLength) {
  const bool forward = event.Kind == MusicXmlEvent::RefKind::Forward;
  // A rest that fills the measure with a value that does not say so is a
  // measure rest, of no type.
  const TECRest* rest = event.Kind == MusicXmlEvent::RefKind::Rest ? event.Rest : nullptr;
  const int restDots = rest ? MusicXmlDots(rest->Attributes) : 0;
  const bool measureRest = rest && rest->Start == 0 && rest->Length == measureLength &&
                           DottedLength(rest->Value, restDots) != rest->Length;
  out.Line(3, forward ? "<forward>" : "<note>");
  bool stop = false;
  bool start = false;
  if (event.Kind == MusicXmlEvent::RefKind::Note) {
    const TECNote& note = *event.Note;
    if (event.Chord) out.Line(4, "<chord/>");
    WritePitch(out, note.Kind - ek::NoteC + 1, note.Octave, alterations.Of(note));
    stop = context.TieStops.contains(&note);
    start = context.TieStarts.contains(&note);
  } else if (event.Kind == MusicXmlEvent::RefKind::Rest) {
    out.Line(4, measureRest ? "<rest measure=\"yes\"/>" : "<rest/>");
  }
  out.Element(4, "duration", event.Duration);
  if (stop) out.Line(4, "<tie type=\"stop\"/>");
  if (start) out.Line(4, "<tie type=\"start\"/>");
  out.Element(4, "voice", place.Voice);
  if (event.Kind == MusicXmlEvent::RefKind::Note) {
    WriteType(out, event.Note->Value, MusicXmlDots(event.Note->Attributes));
  } else if (rest && !measureRest) {
    WriteType(out, rest->Value, restDots);
  }
  if (event.Actual > 0) {
    out.Line(4, "<time-modification>");
    out.Element(5, "actual-notes", event.Actual);
    out.Element(5, "normal-notes", event.Normal);
    out.Line(4, "</time-modification>");
  }
  out.Element(4, "staff", place.Staff);
  if (stop || start) {
    out.Line(4, "<notations>");
    if (stop) out.Line(5, "<tied type=\"stop\"/>");
    if (start) out.Line(5, "<tied type=\"start\"/>");
    out.Line(4, "</notations>");
  }
  out.Line(3, forward ? "</forward>" : "</note>");
}

// The events of one segment, the grace notes of each chord before or after
// it, and the staff's clef changes (`changes`, by tick) where they fall.
void WriteSegment(LineWriter& out, const MusicXmlSegment& segment, const MusicXmlAlterationTable& alterations,
                  const PartContext& context, StaffPlace place, int measureLength,
                  std::vector<std::pair<int, int>>* changes) {
  auto clefsUpTo = [&](int tick) {
    if (!changes) return;
    while (!changes->empty() && changes->front().first <= tick) {
      out.Line(3, "<attributes>");
      WriteClef(out, 4, place.Staff, changes->front().second);
      out.Line(3, "</attributes>");
      changes->erase(changes->begin());
    }
  };
  const auto& events = segment.Events;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const MusicXmlEvent& event = events[i];
    const bool note = event.Kind == MusicXmlEvent::RefKind::Note;
    if (!event.Chord) {
      clefsUpTo(event.Start);
      for (std::size_t j = i; note && j < events.size() && (j == i || events[j].Chord); ++j)
        WriteGraces(out, *events[j].Note, false, alterations, place);
    }
    WriteEvent(out, event, alterations, context, place, measureLength);
    if (note && (i + 1 == events.size() || !events[i + 1].Chord)) {
      std::size_t first = i;
      while (first > 0 && events[first].Chord) --first;
      for (std::size_t j = first; j <= i; ++j) WriteGraces(out, *events[j].Note, true, alterations, place);
    }
  }
  clefsUpTo(measureLength);
}

void WritePart(LineWriter& out, const TECMusicScore& score, const MusicXmlPart& part, std::size_t k, int factor) {
  out.Line(1, "<part id=\"P" + std::to_string(k + 1) + "\">");
  const PartContext context = ReadPart(part);
  int measures = 1;  // a part holds at least one measure
  for (const TECRow* row : part.Rows) measures = std::max(measures, row->MeasureCount());
  std::vector<MusicXmlAlterationTable> alterations(part.Rows.size());
  // The clef in force on each staff at the start of the measure.
  std::vector<int> clefs(part.Rows.size(), clef_code::Violin);
  for (int m = 0; m < measures; ++m) {
    // The measure is as long as the longest of its rows' instruments say,
    // or as its content reaches where that is longer.
    const TECMeasure* first = nullptr;
    int length = 0;
    std::vector<std::pair<int, int>> opening;  // staff, clef code
    std::vector<std::vector<std::pair<int, int>>> changes(part.Rows.size());  // tick, clef code
    for (std::size_t s = 0; s < part.Rows.size(); ++s) {
      TECRow* row = part.Rows[s];
      const TECMeasure* measure = row->GetMeasure(m);
      if (measure && measure->Clef) clefs[s] = measure->Clef->Code();
      if (m == 0 || (measure && measure->Clef)) opening.emplace_back(static_cast<int>(s + 1), clefs[s]);
      if (!measure) continue;
      if (!first) first = measure;
      length = std::max({length, row->Owner()->MeasureLength(m), MusicXmlContentEnd(*measure)});
      for (const auto& item : measure->Items)
        if (item->Kind == ek::ClefChange) changes[s].emplace_back(item->Position, item->Second);
      std::stable_sort(changes[s].begin(), changes[s].end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      if (!changes[s].empty()) clefs[s] = changes[s].back().second;
    }
    if (!first) length = part.Rows.front()->Owner()->MeasureLength(m);

    out.Line(2, "<measure number=\"" + std::to_string(m + 1) + "\">");
    WriteAttributes(out, score, first, m, kDivisions * factor, opening, static_cast<int>(part.Rows.size()));
    bool written = false;
    for (std::size_t s = 0; s < part.Rows.size(); ++s) {
      const TECMeasure* measure = part.Rows[s]->GetMeasure(m);
      if (!measure) continue;
      alterations[s].ReadMeasure(*measure);
      bool firstOfStaff = true;
      for (const MusicXmlSegment& segment : BuildMusicXmlSegments(*measure, length, factor)) {
        if (written) {
          out.Line(3, "<backup>");
          out.Element(4, "duration", length * factor);
          out.Line(3, "</backup>");
        }
        written = true;
        const StaffPlace place{static_cast<int>(s) * context.VoiceStride + segment.Voice + 1, static_cast<int>(s + 1)};
        WriteSegment(out, segment, alterations[s], context, place, length, firstOfStaff ? &changes[s] : nullptr);
        firstOfStaff = false;
      }
    }
    if (!written)
      WriteEvent(out, {MusicXmlEvent::RefKind::Forward, nullptr, nullptr, false, 0, length * factor}, alterations[0],
                 context, {}, length);
    out.Line(2, "</measure>");
  }
  out.Line(1, "</part>");
}

}  // namespace

void ExportMusicXml(const TECMusicScore& score, ByteStream& stream) {
  const std::vector<MusicXmlPart> parts = BuildMusicXmlParts(score);
  if (parts.empty()) throw EWriteError("The score has no staff to export");
  LineWriter out(stream);
  WriteHeader(out, score);
  WritePartList(out, parts);
  const int factor = MusicXmlDivisionFactor(score);
  for (std::size_t k = 0; k < parts.size(); ++k) WritePart(out, score, parts[k], k, factor);
  out.Line(0, "</score-partwise>");
  out.Flush();
}
