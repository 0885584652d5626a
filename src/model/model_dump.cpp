#include "model/model_dump.h"

#include <algorithm>
#include <sstream>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

std::string Pad(int indent) { return std::string(static_cast<std::size_t>(indent) * 2, ' '); }

template <typename T>
std::string Join(const T& values) {
  std::ostringstream out;
  bool first = true;
  for (const auto& v : values) {
    out << (first ? "" : ",") << static_cast<long long>(v);
    first = false;
  }
  return out.str();
}

std::string Hex(unsigned value) {
  static const char* kDigits = "0123456789abcdef";
  return std::string("0x") + kDigits[(value >> 4) & 15] + kDigits[value & 15];
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Row, measure and note index of a note, as "r0/m1/n2".
std::string NotePath(const TECNote* note) {
  if (!note || !note->Owner) return "none";
  const TECMeasure* measure = note->Owner;
  const auto& notes = measure->Notes;
  auto at = std::find_if(notes.begin(), notes.end(), [note](const auto& n) { return n.get() == note; });
  std::ostringstream out;
  out << "r" << (measure->Owner ? measure->Owner->GetIndex() : -1) << "/m" << measure->Index << "/n"
      << (at - notes.begin());
  return out.str();
}

const char* StepName(int kind) {
  static const char* kSteps[] = {"C", "D", "E", "F", "G", "A", "B"};
  return ek::IsNoteStep(static_cast<std::uint8_t>(kind)) ? kSteps[kind - ek::NoteC] : "?";
}

void DumpAttributes(std::ostringstream& out, const TECAttributeList& list, int indent) {
  for (const auto& attribute : list) out << Pad(indent) << DumpElement(*attribute) << "\n";
}

void DumpGraceGroup(std::ostringstream& out, const TECNoteAttribute& attribute, int indent) {
  if (attribute.Kind != ek::GraceNotes) return;
  for (const auto& grace : static_cast<const TECGraceGroup&>(attribute).Notes) {
    out << Pad(indent) << DumpElement(*grace) << "\n";
    DumpAttributes(out, grace->Attributes, indent + 1);
  }
}

std::string DumpPageObject(const TECPageObject& o) {
  std::ostringstream out;
  out << "object " << int(o.Kind) << " page=" << o.Page << " flags=" << Hex(o.Flags);
  switch (o.Kind) {
    case ek::PageText: {
      const auto& t = static_cast<const TECPageText&>(o);
      out << " at=" << t.X << "," << t.Y << " font=" << Quoted(t.FontName) << " size=" << int(t.FontSize)
          << " style=" << int(t.FontStyle) << " color=" << t.Color << " rotation=" << t.Rotation << " lines=[";
      for (std::size_t i = 0; i < t.Lines.size(); ++i) out << (i ? "|" : "") << t.Lines[i];
      out << "]";
      break;
    }
    case ek::PagePicture: {
      const auto& p = static_cast<const TECPagePicture&>(o);
      out << " at=" << p.X << "," << p.Y << " size=" << p.Width << "x" << p.Height;
      if (p.Picture) out << " picture=" << p.Picture->Type << "/" << p.Picture->Data.size();
      break;
    }
    case ek::PageLine: {
      const auto& l = static_cast<const TECPageLine&>(o);
      out << " from=" << l.X1 << "," << l.Y1 << " to=" << l.X2 << "," << l.Y2 << " pen=" << int(l.PenWidth) << "/"
          << l.PenColor << "/" << int(l.PenStyle) << " ends=" << int(l.EndShapes);
      break;
    }
    default: {
      const auto& s = static_cast<const TECPageShape&>(o);
      out << " at=" << s.X << "," << s.Y << " size=" << s.Width << "x" << s.Height << " pen=" << int(s.PenWidth)
          << "/" << s.PenColor << "/" << int(s.PenStyle) << " brush=" << s.BrushColor << "/"
          << int(s.BrushStyle);
      if (o.Kind >= ek::PageArc) {
        const auto& a = static_cast<const TECPageArc&>(o);
        out << " arc=" << a.StartX << "," << a.StartY << "-" << a.EndX << "," << a.EndY;
      }
      break;
    }
  }
  return out.str();
}

std::string DumpItem(const TECMeasureItem& item) {
  std::ostringstream out;
  out << "item " << int(item.Kind) << " position=" << item.Position;
  switch (item.Kind) {
    case ek::ChordSymbol: {
      const auto& c = static_cast<const TECChordSymbol&>(item);
      out << " voice=" << int(c.Voice) << " params=" << Join(std::vector<int>(c.Params.begin(), c.Params.begin() + 3))
          << " value=" << c.Value << " code=" << Join(c.Code) << " text=" << Quoted(c.Text) << " pieces=[";
      for (std::size_t i = 0; i < c.Pieces.size(); ++i)
        out << (i ? "|" : "") << Join(c.Pieces[i].Format) << ":" << c.Pieces[i].Text;
      out << "]";
      break;
    }
    case ek::Tuplet: {
      const auto& t = static_cast<const TECTuplet&>(item);
      out << " end=" << t.Second << " voice=" << int(t.Voice) << " count=" << int(t.Count)
          << " unit=" << t.UnitValue << " shift=" << int(t.Shift) << " flags=" << Hex(t.Flags)
          << " lengths=" << Join(t.Lengths);
      break;
    }
    case ek::TextBox: {
      const auto& t = static_cast<const TECTextBox&>(item);
      out << " voice=" << int(t.Voice) << " style=" << Join(t.Style) << " value32=" << t.Value32
          << " value16=" << t.Value16 << " font=" << Quoted(t.FontName) << " lines=[";
      for (std::size_t i = 0; i < t.Lines.size(); ++i) out << (i ? "|" : "") << t.Lines[i];
      out << "]";
      break;
    }
    case ek::Bend: {
      const auto& b = static_cast<const TECBend&>(item);
      out << " voice=" << int(b.Voice) << " type=" << int(b.BendType) << " params=" << Join(b.BendParams)
          << " curve=" << Join(b.Curve);
      break;
    }
    default:
      out << " second=" << item.Second << " voice=" << int(item.Voice) << " params=" << Join(item.Params);
      break;
  }
  return out.str();
}

}  // namespace

std::string DumpElement(const TECElement& element) {
  std::ostringstream out;
  switch (element.Type()) {
    case TECElementType::Clef:
      out << "clef " << int(element.Kind);
      break;
    case TECElementType::KeySignature:
      out << "key " << int(element.Kind);
      break;
    case TECElementType::TimeSignature: {
      const auto& t = static_cast<const TECTimeSignature&>(element);
      out << "time " << t.Numerator() << "/" << t.Denominator() << " style=" << int(t.Style);
      break;
    }
    case TECElementType::Note: {
      const auto& n = static_cast<const TECNote&>(element);
      out << "note " << int(n.Kind) << " " << StepName(n.Kind) << int(n.Octave) << " value=" << n.Value
          << " position=" << n.Position << " length=" << n.Length << " start=" << n.Start << " voice=" << int(n.Voice)
          << " chord=" << int(n.ChordMark) << " flags=" << Hex(n.Flags) << " velocity=" << int(n.Velocity)
          << " sounding=" << n.SoundingLength << " offset=" << Hex(n.StartOffset) << " options=" << Hex(n.Options)
          << " extra=" << Join(n.Extra) << " beam=" << int(n.BeamGroup);
      break;
    }
    case TECElementType::Rest: {
      const auto& r = static_cast<const TECRest&>(element);
      out << "rest value=" << r.Value << " position=" << r.Position << " length=" << r.Length << " start=" << r.Start
          << " voice=" << int(r.Voice) << " flags=" << Hex(r.Flags) << " place=" << int(r.Step) << "," << int(r.Octave);
      break;
    }
    case TECElementType::Attribute: {
      const auto& a = static_cast<const TECNoteAttribute&>(element);
      if (ek::IsLink(a.Kind)) {
        const auto& l = static_cast<const TECLinkAttribute&>(a);
        out << "link " << int(l.Kind) << " from=" << NotePath(l.Partner) << " offsets=" << int(l.StartOffset) << ","
            << int(l.EndOffset) << " thickness=" << int(l.Thickness) << " style=" << int(l.LinkStyle);
      } else if (a.Kind == ek::GraceNotes) {
        out << "grace value=" << int(a.Data[0]) << " flags=" << Hex(a.Data[1]) << " second=" << int(a.Data[2]);
      } else {
        out << "attr " << int(a.Kind) << " data=" << Join(a.Data) << " value=" << a.Value;
      }
      break;
    }
    case TECElementType::GraceNote: {
      const auto& g = static_cast<const TECGraceNote&>(element);
      out << "gracenote step=" << int(g.Step) << " octave=" << int(g.Octave) << " position=" << g.Position
          << " length=" << g.Length << " velocity=" << int(g.Velocity);
      break;
    }
    case TECElementType::PlayNote: {
      const auto& p = static_cast<const TECPlayNote&>(element);
      out << "play step=" << int(p.Step) << " octave=" << int(p.Octave) << " start=" << p.Start
          << " length=" << p.Length << " accidental=" << int(p.Accidental) << " velocity=" << int(p.Velocity);
      break;
    }
    case TECElementType::MeasureItem:
      out << DumpItem(static_cast<const TECMeasureItem&>(element));
      break;
    case TECElementType::PageObject:
      out << DumpPageObject(static_cast<const TECPageObject&>(element));
      break;
    case TECElementType::SymbolItem: {
      const auto& s = static_cast<const TECSymbolItem&>(element);
      out << "symbol " << int(s.Kind) << " bytes=";
      for (std::size_t i = 1; i < s.StoredSize(); ++i) out << (i > 1 ? "," : "") << int(s.Byte(i));
      break;
    }
  }
  return out.str();
}

std::string DumpMeasure(const TECMeasure& measure, int indent) {
  std::ostringstream out;
  out << Pad(indent) << "measure " << measure.Index << " clefInForce=" << int(measure.ClefInForce)
      << " keyInForce=" << int(measure.KeyInForce) << " beamOverride=" << int(measure.BeamOverride)
      << " beamGroups=" << measure.BeamGroupCount << "\n";
  const int inner = indent + 1;
  if (measure.Clef) out << Pad(inner) << DumpElement(*measure.Clef) << "\n";
  if (measure.KeySignature) out << Pad(inner) << DumpElement(*measure.KeySignature) << "\n";
  if (measure.TimeSignature) out << Pad(inner) << DumpElement(*measure.TimeSignature) << "\n";
  for (const auto& note : measure.Notes) {
    out << Pad(inner) << DumpElement(*note) << "\n";
    for (const auto& attribute : note->Attributes) {
      out << Pad(inner + 1) << DumpElement(*attribute) << "\n";
      DumpGraceGroup(out, *attribute, inner + 2);
    }
    for (const TECNote* later : note->LinkedNotes()) out << Pad(inner + 1) << "linked " << NotePath(later) << "\n";
    for (const auto& play : note->PlayNotes()) out << Pad(inner + 1) << DumpElement(*play) << "\n";
  }
  for (const auto& rest : measure.Rests) {
    out << Pad(inner) << DumpElement(*rest) << "\n";
    DumpAttributes(out, rest->Attributes, inner + 1);
  }
  for (const auto& item : measure.Items) {
    out << Pad(inner) << DumpElement(*item) << "\n";
    if (item->Kind == ek::ObjectGroup)
      for (const auto& object : static_cast<const TECObjectGroup&>(*item).Objects)
        out << Pad(inner + 1) << DumpElement(*object) << "\n";
  }
  return out.str();
}

std::string DumpRow(const TECRow& row, int indent) {
  std::ostringstream out;
  out << Pad(indent) << "row " << row.GetIndex() << " name=" << Quoted(row.Name())
      << " program=" << row.MidiInstrument() << " channel=" << row.Channel() << " volume=" << row.Volume()
      << " pan=" << row.Pan() << " mute=" << row.Mute() << " voiceMode=" << row.VoiceMode()
      << " fiveLine=" << row.FiveLineStaff() << " united=" << row.United() << "\n";
  for (const auto& measure : row.Measures()) out << DumpMeasure(*measure, indent + 1);
  return out.str();
}

std::string DumpInstrument(const TECInstrument& instrument, int indent) {
  std::ostringstream out;
  out << Pad(indent) << "instrument " << instrument.GetIndex() << " name=" << Quoted(instrument.Name())
      << " program=" << instrument.MidiInstrument() << " channel=" << instrument.Channel()
      << " volume=" << instrument.Volume() << " pan=" << instrument.Pan() << " mute=" << instrument.Mute()
      << " accolade=" << instrument.Accolade() << " asScore=" << instrument.AsMusicScore()
      << " pages=" << instrument.PageCount() << " activeRow=" << instrument.GetActiveRowIndex() << "\n";
  const int inner = indent + 1;
  for (int r = 0; r < instrument.GetRowCount(); ++r) out << DumpRow(*instrument.GetRow(r), inner);
  const TECSymbolsRow& symbols = instrument.SymbolsRow();
  for (int e = 0; e < symbols.Count(); ++e) {
    const TECSymbolEntry& entry = *symbols.At(e);
    out << Pad(inner) << "symbols " << entry.MeasureIndex << " flag=" << int(entry.Flag) << "\n";
    for (const auto& item : entry.Items) out << Pad(inner + 1) << DumpElement(*item) << "\n";
  }
  for (const auto& object : instrument.TextsRow().Objects) out << Pad(inner) << DumpElement(*object) << "\n";
  for (std::size_t s = 0; s < instrument.Systems.size(); ++s) {
    const TECRowInfo& system = instrument.Systems[s];
    out << Pad(inner) << "system " << s << " indents=" << system.LeftIndent << "," << system.RightIndent
        << " page=" << system.Page << " own=" << int(system.OwnSettings) << " density=" << int(system.Density)
        << " spacing=" << int(system.SpacingMode) << " measures=" << int(system.MeasureCount)
        << " horzAlign=" << int(system.HorzAlign) << " offsets=" << Join(system.RowOffsets) << "\n";
  }
  for (std::size_t m = 0; m < instrument.Layouts().size(); ++m) {
    const TECMeasureLayout& l = *instrument.Layouts()[m];
    out << Pad(inner) << "layout " << m << " length=" << l.MeasureLength << " time=" << int(l.Numerator) << "/"
        << int(l.Denominator) << " start=" << l.StartTick << " spaceAfter=" << l.SpaceAfterBar
        << " pageBreak=" << int(l.PageBreak) << "\n";
  }
  return out.str();
}

std::string DumpScore(const TECMusicScore& score) {
  std::ostringstream out;
  out << "score time=" << score.GetNumerator() << "/" << score.GetDenominator()
      << " sizeStyle=" << int(score.GetSizeStyle()) << " measureLength=" << score.DefaultMeasureLength()
      << " pickup=" << score.GetAufTaktNotes() << "/" << score.GetAufTaktSize()
      << " unionStyle=" << int(score.GetUnionStyle()) << " unionCount=" << score.GetUnionCount()
      << " unionLength=" << score.UnionLength() << " tempo=" << score.GetTempo()
      << " tempoScale=" << score.GetTempoScale() << " zoom=" << score.GetZoom() << " scale=" << score.GetScale()
      << " maxUndo=" << score.GetMaxUndo() << " lockUndo=" << score.GetLockUndo() << "\n";
  out << "  cursor instrument=" << score.GetActiveInstrument() << " measure=" << score.CursorMeasure()
      << " tick=" << score.CursorTick() << " voice=" << score.CursorVoice() << " pitch=" << score.CursorPitch()
      << " page=" << score.GetActivePage() << "\n";
  out << "  " << score.Page().Dump() << "\n";
  for (int i = 0; i < score.InstrumentCount(); ++i) out << DumpInstrument(*score.GetInstrumentAt(i), 1);
  return out.str();
}
