#include "formats/musicxml_export.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "formats/musicxml_parts.h"
#include "formats/musicxml_pitch.h"
#include "formats/musicxml_voices.h"
#include "formats/xml_text.h"
#include "model/instrument.h"

namespace {

// A duration of one tick: a quarter is 32.
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

// <attributes> of measure m, from the first row that has it (`first`, none
// when no row has it).
void WriteAttributes(LineWriter& out, const TECMusicScore& score, const TECMeasure* first, int m, int staves) {
  out.Line(3, "<attributes>");
  out.Element(4, "divisions", kDivisions);
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
  out.Line(3, "</attributes>");
}

void WriteEvent(LineWriter& out, const MusicXmlEvent& event, const MusicXmlAlterationTable& alterations, int voice,
                int staff) {
  const bool forward = event.Kind == MusicXmlEvent::RefKind::Forward;
  out.Line(3, forward ? "<forward>" : "<note>");
  if (event.Kind == MusicXmlEvent::RefKind::Note) {
    const TECNote& note = *event.Note;
    if (event.Chord) out.Line(4, "<chord/>");
    out.Line(4, "<pitch>");
    out.Element(5, "step", std::string(1, "CDEFGAB"[note.Kind - ek::NoteC]));
    if (const int alter = alterations.Of(note); alter != 0) out.Element(5, "alter", alter);
    // Middle C is octave 5 in the model and 4 in MusicXML, which knows
    // octaves 0..9 only.
    out.Element(5, "octave", std::clamp(note.Octave - 1, 0, 9));
    out.Line(4, "</pitch>");
  } else if (event.Kind == MusicXmlEvent::RefKind::Rest) {
    out.Line(4, "<rest/>");
  }
  out.Element(4, "duration", event.Duration);
  out.Element(4, "voice", voice + 1);
  out.Element(4, "staff", staff);
  out.Line(3, forward ? "</forward>" : "</note>");
}

void WritePart(LineWriter& out, const TECMusicScore& score, const MusicXmlPart& part, std::size_t k) {
  out.Line(1, "<part id=\"P" + std::to_string(k + 1) + "\">");
  int measures = 1;  // a part holds at least one measure
  for (const TECRow* row : part.Rows) measures = std::max(measures, row->MeasureCount());
  std::vector<MusicXmlAlterationTable> alterations(part.Rows.size());
  for (int m = 0; m < measures; ++m) {
    // The measure is as long as the longest of its rows' instruments say,
    // or as its content reaches where that is longer.
    const TECMeasure* first = nullptr;
    int length = 0;
    for (TECRow* row : part.Rows) {
      const TECMeasure* measure = row->GetMeasure(m);
      if (!measure) continue;
      if (!first) first = measure;
      length = std::max({length, row->Owner()->MeasureLength(m), MusicXmlContentEnd(*measure)});
    }
    if (!first) length = part.Rows.front()->Owner()->MeasureLength(m);

    out.Line(2, "<measure number=\"" + std::to_string(m + 1) + "\">");
    WriteAttributes(out, score, first, m, static_cast<int>(part.Rows.size()));
    bool written = false;
    for (std::size_t s = 0; s < part.Rows.size(); ++s) {
      const TECMeasure* measure = part.Rows[s]->GetMeasure(m);
      if (!measure) continue;
      alterations[s].ReadMeasure(*measure);
      for (const MusicXmlSegment& segment : BuildMusicXmlSegments(*measure, length)) {
        if (written) {
          out.Line(3, "<backup>");
          out.Element(4, "duration", length);
          out.Line(3, "</backup>");
        }
        written = true;
        for (const MusicXmlEvent& event : segment.Events)
          WriteEvent(out, event, alterations[s], segment.Voice, static_cast<int>(s + 1));
      }
    }
    if (!written) WriteEvent(out, {MusicXmlEvent::RefKind::Forward, nullptr, false, length}, alterations[0], 0, 1);
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
  for (std::size_t k = 0; k < parts.size(); ++k) WritePart(out, score, parts[k], k);
  out.Line(0, "</score-partwise>");
  out.Flush();
}
