#include "document/click_insert.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "document/insert_dialogs.h"
#include "document/midi_pitch.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "model/note_records.h"

namespace nv::document {
namespace {

constexpr int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kLowestOctave = 0;
constexpr int kHighestOctave = 10;

const std::initializer_list<std::string_view> kNoteValues = {"CBWholeNote", "CBNote",   "CBNote2",  "CBNote4",
                                                             "CBNote8",     "CBNote16", "CBNote32", "CBNote64"};
const std::initializer_list<std::string_view> kRestValues = {"CBPause",   "CBPause2",  "CBPause4", "CBPause8",
                                                             "CBPause16", "CBPause32", "CBPause64"};

int FloorDiv(int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }
int FloorMod(int a, int b) { return a - FloorDiv(a, b) * b; }

int Duration(std::string_view button) { return FindToolButton(button)->Duration; }

bool IsNoteOrRest(const TECElement& element) {
  return element.Type() == TECElementType::Note || element.Type() == TECElementType::Rest;
}

// The symbols page's buttons that make one call of fixed values.
enum class Call { Instrument, Measure, MeasureSpan };
struct SymbolCall {
  std::string_view Button;
  Call Kind;
  int Code;
  int SubCode;
  int Value;
  bool EmptyPlaceOnly;
};
constexpr SymbolCall kSymbolCalls[] = {
    {"CBSegno", Call::Instrument, 71, 0, 0, false},
    {"CBBeginFonar", Call::Instrument, 72, 0, 0, false},
    {"CBEndFonar", Call::Instrument, 73, 0, 0, false},
    {"CBDaCapo", Call::Instrument, 74, 0, 0, false},
    {"CBDalSegno", Call::Instrument, 75, 0, 0, false},
    {"CBPiano", Call::Measure, 160, 0, 0, false},
    {"CBPianissimo", Call::Measure, 161, 0, 0, false},
    {"CBPianississimo", Call::Measure, 162, 0, 0, false},
    {"CBMezzopiano", Call::Measure, 163, 0, 0, false},
    {"CBFortepiano", Call::Measure, 164, 0, 0, false},
    {"CBMezzoForte", Call::Measure, 165, 0, 0, false},
    {"CBForte", Call::Measure, 166, 0, 0, false},
    {"CBFortissimo", Call::Measure, 167, 0, 0, false},
    {"CBFortississimo", Call::Measure, 168, 0, 0, false},
    {"CBSForzato", Call::Measure, 169, 0, 0, false},
    {"CBExtraForzato", Call::Measure, 170, 0, 0, false},
    {"CBForzando", Call::Measure, 171, 0, 0, false},
    {"CBSForzando", Call::Measure, 172, 0, 0, false},
    {"CBArpeggio", Call::Measure, 131, 0, 4, false},
    {"CBTopHang", Call::Measure, 133, 0, 4, true},
    {"CBBottomHang", Call::Measure, 134, 0, 4, true},
    {"CBTrillare", Call::MeasureSpan, 225, 0, 0, true},
    {"CBGroup1", Call::Measure, 181, 0, 0, false},
    {"CBGroup2", Call::Measure, 182, 0, 0, false},
    {"CBTrill", Call::Measure, 184, 0, 0, false},
    {"CBTrillB", Call::Measure, 185, 0, 0, false},
    {"CBTrillD", Call::Measure, 186, 0, 0, false},
    {"CBTrillBk", Call::Measure, 187, 0, 0, false},
    {"CBMordent", Call::Measure, 188, 0, 0, false},
    {"CBStrikeMordent", Call::Measure, 189, 0, 0, false},
    {"CBDoubleMordent", Call::Measure, 190, 0, 0, false},
    {"CBStrikeDoubleMordent", Call::Measure, 191, 0, 0, false},
    {"CBFermataUp", Call::Measure, 195, 0, 0, false},
    {"CBFermataDown", Call::Measure, 196, 0, 0, false},
    {"CBShortFermata1", Call::Measure, 195, 24, 0, false},
    {"CBShortFermata2", Call::Measure, 196, 24, 0, false},
    {"CBLongFermata1", Call::Measure, 195, 26, 0, false},
    {"CBLongFermata2", Call::Measure, 196, 26, 0, false},
    {"CBAccentTop", Call::Measure, 198, 0, 0, false},
    {"CBAccentRight", Call::Measure, 199, 0, 0, false},
    {"CBLCrechendo", Call::MeasureSpan, 221, 0, 0, false},
    {"CBLDeCrechendo", Call::MeasureSpan, 222, 0, 0, false},
    {"CBBracketUp", Call::MeasureSpan, 226, 0, 0, false},
    {"CBBracketDown", Call::MeasureSpan, 227, 0, 0, false},
    {"CBPreBend", Call::Measure, 230, 0, 1, false},
    {"CBBendUp", Call::Measure, 230, 0, 2, false},
    {"CBPreBendRelease", Call::Measure, 230, 0, 3, false},
    {"CBBendUpRelease", Call::Measure, 230, 0, 4, false},
    {"CBPreBendReleaseOverTime", Call::Measure, 230, 0, 5, false},
    {"CBBendUpReleaseOverTime", Call::Measure, 230, 0, 6, false},
    {"CBContinueUntil", Call::MeasureSpan, 229, 0, 0, false},
    {"CBPedalUp", Call::Measure, 179, 0, 0, false},
    {"CBPedalDown", Call::Measure, 180, 0, 0, false},
    {"CBOne", Call::Measure, 216, 0, 0, false},
    {"CBTwo", Call::Measure, 217, 0, 0, false},
    {"CBThree", Call::Measure, 218, 0, 0, false},
    {"CBFour", Call::Measure, 219, 0, 0, false},
    {"CBFive", Call::Measure, 220, 0, 0, false},
    {"CB1String", Call::Measure, 175, 0, 1, false},
    {"CB2String", Call::Measure, 175, 0, 2, false},
    {"CB3String", Call::Measure, 175, 0, 3, false},
    {"CB4String", Call::Measure, 175, 0, 4, false},
    {"CB5String", Call::Measure, 175, 0, 5, false},
    {"CB6String", Call::Measure, 175, 0, 6, false},
    {"CB7String", Call::Measure, 175, 0, 7, false},
    {"CB8String", Call::Measure, 175, 0, 8, false},
    {"CBEndComposition", Call::Instrument, 81, 0, 0, false},
    {"CBEndPart", Call::Instrument, 82, 0, 0, false},
    {"CBBeginRepeat", Call::Instrument, 85, 0, 0, false},
    {"CBEndRepeat", Call::Instrument, 86, 0, 0, false},
    {"CBTenutoStaccato1", Call::Measure, 199, 24, 0, false},
    {"CBTenutoStaccato2", Call::Measure, 199, 25, 0, false},
    {"CBStaccatoPressurePercussive1", Call::Measure, 199, 26, 0, false},
    {"CBStaccatoPressurePercussive2", Call::Measure, 199, 27, 0, false},
    {"CBTenutoPressurePercussive1", Call::Measure, 199, 28, 0, false},
    {"CBTenutoPressurePercussive2", Call::Measure, 199, 29, 0, false},
    {"CBTenutoPercussive1", Call::Measure, 199, 30, 0, false},
    {"CBTenutoPercussive2", Call::Measure, 199, 31, 0, false},
    {"CBStaccatoPercussive1", Call::Measure, 199, 32, 0, false},
    {"CBStaccatoPercussive2", Call::Measure, 199, 33, 0, false},
    {"CBTenutoWedge1", Call::Measure, 199, 34, 0, false},
    {"CBTenutoWedge2", Call::Measure, 199, 35, 0, false},
    {"CBWedgePressurePercussive1", Call::Measure, 199, 36, 0, false},
    {"CBWedgePressurePercussive2", Call::Measure, 199, 37, 0, false},
};

// Note effects on a clicked note or rest: button, kind, and whether the
// accidental's bracket goes with it.
struct Effect {
  std::string_view Button;
  int Kind;
  bool Bracketed;
};
constexpr Effect kEffects[] = {
    {"CBBemol", 103, true},         {"CBDBemol", 104, true},       {"CBDiesis", 105, true},
    {"CBDDiesis", 106, true},       {"CBBecarre", 107, true},      {"CBBecarreBemol", 115, true},
    {"CBBecarreDiesis", 116, true}, {"CBMicrotone", 0, true},      {"CBLong", 101, false},
    {"CBDLong", 102, false},        {"CBPortamento", 108, false},  {"CBStaccato", 109, false},
    {"CBDrumOpen", 117, false},     {"CBDrumClose", 118, false},   {"CBHandUp", 114, false},
    {"CBHandDown", 119, false},     {"CBGlissandoUp", 124, false}, {"CBGlissandoDown", 125, false},
    {"CBFallUp", 126, false},       {"CBFallDown", 127, false},    {"CBLift", 128, false},
};

}  // namespace

ClickInserter::ClickInserter(ToolState& tools, ScoreEdits& edits, InsertDialogs& dialogs, ClickHost& host)
    : tools_(tools), edits_(edits), dialogs_(dialogs), host_(host) {}

void ClickInserter::ScoreClick(int line) { Click(nullptr, line); }

void ClickInserter::NoteClick(TECElement* element, int line) { Click(element, line); }

void ClickInserter::InsertAtCursor() { Click(nullptr, edits_.CursorPitchLine() - 35); }

void ClickInserter::InsertNoteAtCursorPitch(int duration) {
  try {
    // The pitch of the note that goes in, before the cursor moves on.
    const int line = edits_.CursorPitchLine();
    const int step = FloorMod(line, 7) + 1;
    const int key = 12 * FloorDiv(line, 7) + kSemitones[step - 1] + edits_.KeyAccidentalForStep(step);
    edits_.InsertNoteAtCursorPitch(duration);
    if (tools_.Settings().PlayMouse) Preview(key, duration / 2);
  } catch (const std::exception&) {
    host_.ShowErrorMessage();
  }
}

void ClickInserter::InsertRestAtCursor(int duration) {
  try {
    edits_.InsertRest(duration, {});
  } catch (const std::exception&) {
    host_.ShowErrorMessage();
  }
}

std::string_view ClickInserter::FirstDown(std::initializer_list<std::string_view> names) const {
  for (std::string_view name : names)
    if (tools_.IsDown(name)) return name;
  return {};
}

void ClickInserter::Click(TECElement* element, int line) {
  // Only a slur's first click keeps a note for the next one.
  TECNote* slurStart = std::exchange(pendingSlur_, nullptr);
  try {
    const ToolPage page = tools_.ActivePage();
    if (page == ToolPage::Notes && !FirstDown(kNoteValues).empty()) line += edits_.ClefOffsetAtCursor();
    const Pitch pitch{FloorMod(line + 35, 7) + 1, FloorDiv(line + 35, 7)};
    if (pitch.Octave < kLowestOctave || pitch.Octave > kHighestOctave) return;
    switch (page) {
      case ToolPage::Notes:
        if (!NotesPage(element, pitch, slurStart)) return;
        break;
      case ToolPage::Symbols: SymbolsPage(element, pitch); break;
      case ToolPage::Expanded:
        if (!tools_.LibrarySymbol().empty()) edits_.AddMeasureDrawing(tools_.LibrarySymbol(), pitch.Step, pitch.Octave);
        break;
      case ToolPage::Expressions: Terms(pitch); break;
      case ToolPage::Design: Design(pitch); break;
      default: return;
    }
    tools_.ApplyResetRule();
  } catch (const std::exception&) {
    host_.ShowErrorMessage();
  }
}

bool ClickInserter::NotesPage(TECElement* element, Pitch pitch, TECNote* slurStart) {
  // Under the pointer nothing is inserted.
  if (tools_.IsDown("CBPointNotes")) return true;
  if (element != nullptr && tools_.IsDown("CBEraseNotes")) {
    edits_.EraseElement(element);
    return true;
  }
  if (tools_.IsDown("CBEraseNotes")) return true;
  if (tools_.IsDown("CBRepeatBar")) {
    edits_.InsertRepeatSign(29, tools_.UpDown(UpDownId::RepeatBar).Position);
    return true;
  }
  if (tools_.IsDown("CBRepeatNote")) {
    edits_.InsertRepeatSign(28, tools_.UpDown(UpDownId::RepeatNote).Position);
    return true;
  }
  if (element == nullptr) {
    NotesOnEmptyPlace(pitch);
    return true;
  }
  if (IsNoteOrRest(*element)) return NotesOnNote(element, pitch, slurStart);
  NotesOnOther(element, pitch);
  return true;
}

void ClickInserter::NotesOnEmptyPlace(Pitch pitch) {
  if (const auto note = FirstDown(kNoteValues); !note.empty()) {
    InsertNote(Duration(note), pitch);
    tools_.ReleaseNoteModifiers();
  } else if (const auto ottava = FirstDown({"CBNoteUp", "CBNoteDown"}); !ottava.empty()) {
    edits_.AddMeasureSymbol(ottava == "CBNoteUp" ? 223 : 224, 0, pitch.Step, pitch.Octave, 16);
  } else if (tools_.IsDown("CBMeasurePause")) {
    BarRest();
  } else if (const auto rest = FirstDown(kRestValues); !rest.empty()) {
    edits_.InsertRest(Duration(rest), CollectNoteModifiers().Bytes);
    tools_.ReleaseNoteModifiers();
  } else if (!SignatureTool()) {
    if (tools_.IsDown("CBTempo")) {
      if (TempoValues tempo; AskTempo(tempo)) edits_.AddTempoMark(tempo.BeatNote, tempo.Tempo);
    } else if (tools_.IsDown("CBTremolo")) {
      edits_.AddMeasureSymbol(132, 0, pitch.Step, pitch.Octave, tools_.UpDown(UpDownId::Tremolo).Position);
    }
  }
}

bool ClickInserter::NotesOnNote(TECElement* element, Pitch pitch, TECNote* slurStart) {
  if (SignatureTool()) return true;
  if (tools_.IsDown("CBTempo")) {
    if (TempoValues tempo; AskTempo(tempo)) edits_.AddMeasureSymbol(55, 0, pitch.Step, pitch.Octave, tempo.Tempo);
    return true;
  }
  if (const auto note = FirstDown(kNoteValues); !note.empty()) {
    InsertNote(Duration(note), pitch);
    tools_.ReleaseNoteModifiers();
    return true;
  }
  for (const Effect& effect : kEffects) {
    if (!tools_.IsDown(effect.Button)) continue;
    const int bracket = effect.Bracketed ? BracketKind() : 0;
    if (effect.Button == "CBMicrotone") {
      const int code = tools_.Settings().MicroTone;
      edits_.AddNoteEffect(element, code % 2 != 0 ? 103 : 105, bracket, code);
    } else {
      edits_.AddNoteEffect(element, effect.Kind, bracket, 0);
    }
    return true;
  }
  if (tools_.IsDown("CBNoteStyle")) {
    edits_.AddNoteEffect(element, 129, 0, tools_.CurrentNoteStyle());
  } else if (tools_.IsDown("CBDrumNote")) {
    edits_.AddNoteEffect(element, 122, 0, DrumKind() + 1);
  } else if (tools_.IsDown("CBBracketStyle")) {
    // The note keeps its bracket kind where the bracket of a value goes.
    edits_.AddNoteEffect(element, 121, BracketKind(), 0);
  } else if (tools_.IsDown("CBBlankNote")) {
    edits_.AddNoteEffect(element, 123, 0, 0);
  } else if (tools_.IsDown("CBTremolo")) {
    edits_.AddNoteEffect(element, 109 + tools_.UpDown(UpDownId::Tremolo).Position, 0, 0);
  } else if (tools_.IsDown("CBMeasurePause")) {
    BarRest();
  } else if (const auto rest = FirstDown(kRestValues); !rest.empty()) {
    edits_.InsertRest(Duration(rest), CollectNoteModifiers().Bytes);
  } else if (const auto slur = FirstDown({"CBLigaUp", "CBLigaDown"}); !slur.empty()) {
    return Slur(element, slur == "CBLigaUp" ? 1 : 2, slurStart);
  } else if (tools_.IsDown("CBVorschlag")) {
    GraceNotes(element);
  }
  return true;
}

void ClickInserter::NotesOnOther(TECElement* element, Pitch pitch) {
  if (const auto ottava = FirstDown({"CBNoteUp", "CBNoteDown"}); !ottava.empty()) {
    edits_.AddMeasureSymbol(ottava == "CBNoteUp" ? 223 : 224, 0, pitch.Step, pitch.Octave, 16);
  } else if (tools_.IsDown("CBMeasurePause")) {
    BarRest();
  } else if (const auto rest = FirstDown(kRestValues); !rest.empty()) {
    edits_.InsertRest(Duration(rest), CollectNoteModifiers().Bytes);
  } else if (const auto note = FirstDown(kNoteValues); !note.empty()) {
    InsertNote(Duration(note), pitch);
  } else if (tools_.IsDown("CBBracketStyle") && element->Type() == TECElementType::Attribute) {
    // Toggles the bracket of the attribute (an accidental) on its note.
    const auto& attribute = static_cast<const TECNoteAttribute&>(*element);
    if (attribute.Owner != nullptr)
      edits_.AddNoteEffect(attribute.Owner, attribute.Kind, attribute.Data[0] != 0 ? 0 : BracketKind(), 0);
  }
}

bool ClickInserter::SignatureTool() {
  const ProgramSettings& settings = tools_.Settings();
  if (tools_.IsDown("CBKey")) {
    edits_.SetClefAtCursor(settings.Key + 1);
  } else if (tools_.IsDown("CBTone")) {
    edits_.SetKeySignatureAtCursor(settings.Tone);
  } else if (tools_.IsDown("CBSize")) {
    edits_.SetTimeSignature(settings.ScoreSize >> 8, settings.ScoreSize & 0xFF, settings.ScoreSizeStyle,
                            edits_.CursorMeasure() < 1);
  } else {
    return false;
  }
  return true;
}

void ClickInserter::SymbolsPage(TECElement* element, Pitch pitch) {
  ProgramSettings& settings = tools_.Settings();
  for (const SymbolCall& call : kSymbolCalls) {
    if (!tools_.IsDown(call.Button)) continue;
    if (call.EmptyPlaceOnly && element != nullptr) return;
    switch (call.Kind) {
      case Call::Instrument: edits_.AddInstrumentSymbol(call.Code, call.SubCode, call.Value); break;
      case Call::Measure: edits_.AddMeasureSymbol(call.Code, call.SubCode, pitch.Step, pitch.Octave, call.Value); break;
      case Call::MeasureSpan:
        edits_.AddMeasureSymbol(call.Code, call.SubCode, pitch.Step, pitch.Octave, edits_.MeasureLength());
        break;
    }
    return;
  }
  if (tools_.IsDown("CBShare")) {
    const int style = tools_.RehearsalMarkStyle();
    if (settings.RehearsalMarkNumeration < 1) {
      edits_.AddInstrumentSymbol(76, style, 0);
      return;
    }
    int number = settings.RehearsalMarkNumber;
    const bool ok = dialogs_.RehearsalMarkCount(number, settings.RehearsalMarkKind);
    host_.FocusScore();
    if (!ok) return;
    settings.RehearsalMarkNumber = number;
    edits_.AddInstrumentSymbol(76, style, number);
  } else if (tools_.IsDown("CBBarNumber")) {
    if (element != nullptr) {
      edits_.AddInstrumentSymbol(80, 0, 0);
      return;
    }
    int position = 1;
    const bool ok = dialogs_.BarNumber(position);
    host_.FocusScore();
    if (ok) edits_.AddInstrumentSymbol(80, position - 1, 0);
  } else if (tools_.IsDown("CBBarre")) {
    BarreValues barre;
    const bool ok = dialogs_.BarreProperties(barre);
    host_.FocusScore();
    if (ok) edits_.AddBarre(barre.Style, pitch.Step, pitch.Octave, edits_.MeasureLength(), barre.Fret);
  } else if (tools_.IsDown("CBPartComposition")) {
    PartNumberValues part;
    const bool ok = dialogs_.PartNumber(part);
    host_.FocusScore();
    if (ok) edits_.AddInstrumentSymbol(87, part.Count, part.Number);
  }
}

void ClickInserter::Terms(Pitch pitch) {
  const ProgramSettings& s = tools_.Settings();
  if (tools_.CurrentTerm().empty()) return;
  edits_.AddTextItems({tools_.CurrentTerm()}, s.FontTermName, s.FontTermSize,
                      FontStyleMask(s.FontTermBold, s.FontTermItalic, s.FontTermUnderlite, s.FontTermStrikeOut),
                      s.FontTermColor, false, pitch.Step, pitch.Octave);
}

void ClickInserter::Design(Pitch pitch) {
  const ProgramSettings& s = tools_.Settings();
  if (!tools_.IsDown("CBComment")) return;
  TextInputValues text;
  text.FontName = s.TextName;
  text.FontSize = s.TextSize;
  text.FontStyle = FontStyleMask(s.FontBold, s.FontItalic, s.FontUnderlite, s.FontStrikeOut);
  text.FontColor = s.TextColor;
  const bool ok = dialogs_.TextInput(text);
  host_.FocusScore();
  if (ok)
    edits_.AddTextItems(text.Lines, text.FontName, text.FontSize, text.FontStyle, text.FontColor, text.AlignToNotes,
                        pitch.Step, pitch.Octave);
}

void ClickInserter::InsertNote(int duration, Pitch pitch) {
  const Modifiers modifiers = CollectNoteModifiers();
  edits_.InsertNote(pitch.Step, pitch.Octave, duration, modifiers.Bytes, tools_.CurrentNoteStyle(), DrumKind(),
                    BracketKind(), 0);
  if (!tools_.Settings().PlayMouse) return;
  // The key's accidental counts only when no accidental button is down: a
  // natural sounds natural.
  const int shift = modifiers.Accidental ? modifiers.Shift : edits_.KeyAccidentalForStep(pitch.Step);
  Preview(12 * pitch.Octave + kSemitones[pitch.Step - 1] + shift, duration);
}

bool ClickInserter::InsertKeyAtCursor(int key) {
  const std::string_view value = FirstDown(kNoteValues);
  if (value.empty() || key < 0 || key > 127) return false;
  constexpr std::uint8_t kSharp = 'i';
  const MidiPitch pitch = MidiKeyToPitch(key);
  NoteModifiers modifiers{};
  if (pitch.sharp) modifiers[0] = kSharp;
  const int duration = Duration(value);
  edits_.InsertNote(pitch.step, pitch.octave, duration, modifiers, tools_.CurrentNoteStyle(), DrumKind(),
                    BracketKind(), 1);
  if (tools_.Settings().PlayMouse) Preview(key, duration);
  return true;
}

void ClickInserter::BarRest() {
  int count = tools_.Settings().MeasurePause;
  const bool ok = dialogs_.PauseCount(count);
  host_.FocusScore();
  tools_.SetMeasurePause(count);
  if (ok) edits_.AddInstrumentSymbol(88, count, 0);
}

bool ClickInserter::AskTempo(TempoValues& values) {
  const bool ok = dialogs_.TempoInput(values);
  host_.FocusScore();
  return ok;
}

bool ClickInserter::Slur(TECElement* element, int direction, TECNote* slurStart) {
  if (element->Type() != TECElementType::Note) return true;
  auto* note = static_cast<TECNote*>(element);
  if (slurStart == nullptr) {
    pendingSlur_ = note;
    return false;
  }
  edits_.LinkNotes(slurStart, note, direction);
  return true;
}

void ClickInserter::GraceNotes(TECElement* element) {
  if (element->Type() != TECElementType::Note) return;
  auto* note = static_cast<TECNote*>(element);
  GraceNotesValues values = edits_.GraceNotesOf(note);
  const bool ok = dialogs_.GraceNotes(values);
  host_.FocusScore();
  if (ok) edits_.SetGraceNotes(note, values);
}

ClickInserter::Modifiers ClickInserter::CollectNoteModifiers() const {
  struct Accidental {
    std::string_view Button;
    std::uint8_t Code;
    int Shift;
  };
  static constexpr Accidental kAccidentals[] = {
      {"CBBemol", 'g', -1},  {"CBDBemol", 'h', -2}, {"CBDiesis", 'i', 1},       {"CBDDiesis", 'j', 2},
      {"CBMicrotone", 0, 0}, {"CBBecarre", 'k', 0}, {"CBBecarreBemol", 's', 0}, {"CBBecarreDiesis", 't', 0}};
  Modifiers m;
  for (const Accidental& accidental : kAccidentals) {
    if (!tools_.IsDown(accidental.Button)) continue;
    m.Accidental = true;
    if (accidental.Button == "CBMicrotone") {
      const int code = tools_.Settings().MicroTone;
      m.Bytes[0] = static_cast<std::uint8_t>(code);
      m.Shift = code % 2 != 0 ? -1 : 1;
    } else {
      m.Bytes[0] = accidental.Code;
      m.Shift = accidental.Shift;
    }
    break;
  }
  const auto code = [this](std::initializer_list<std::pair<std::string_view, int>> buttons) {
    for (const auto& [button, value] : buttons)
      if (tools_.IsDown(button)) return static_cast<std::uint8_t>(value);
    return std::uint8_t{0};
  };
  m.Bytes[1] = code({{"CBLong", 101}, {"CBDLong", 102}});
  // Articulation, hi-hat, hand and glissando exclude each other, in this order.
  if ((m.Bytes[2] = code({{"CBPortamento", 108}, {"CBStaccato", 109}})) == 0 &&
      (m.Bytes[7] = code({{"CBDrumOpen", 117}, {"CBDrumClose", 118}})) == 0 &&
      (m.Bytes[8] = code({{"CBHandUp", 114}, {"CBHandDown", 119}})) == 0)
    m.Bytes[3] = code(
        {{"CBGlissandoUp", 124}, {"CBGlissandoDown", 125}, {"CBFallUp", 126}, {"CBFallDown", 127}, {"CBLift", 128}});
  if (tools_.IsDown("CBTremolo"))
    m.Bytes[4] = static_cast<std::uint8_t>(109 + tools_.UpDown(UpDownId::Tremolo).Position);
  if (tools_.IsDown("CBTreole")) m.Bytes[5] = static_cast<std::uint8_t>(tools_.UpDown(UpDownId::Treole).Position);
  m.Bytes[6] = code({{"CBDrumNote", 122}, {"CBBlankNote", 123}});
  return m;
}

int ClickInserter::BracketKind() const {
  return tools_.IsDown("CBBracketStyle") ? tools_.Settings().BracketStyle + 1 : 0;
}

int ClickInserter::DrumKind() { return tools_.IsDown("CBDrumNote") ? host_.ApplyDrumStyles() : 0; }

void ClickInserter::Preview(int key, int length) { host_.PreviewNote(std::clamp(key, 0, 127), length, 1); }

}  // namespace nv::document
