#include "document/tool_state.h"

#include <algorithm>
#include <utility>

#include "document/program_settings.h"
#include "document/tool_sink.h"

namespace nv::document {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kNoteValues[] = {"CBWholeNote", "CBNote",   "CBNote2",  "CBNote4",
                                            "CBNote8",     "CBNote16", "CBNote32", "CBNote64"};
constexpr std::string_view kRestValues[] = {"CBPause",   "CBPause2",  "CBPause4", "CBPause8",
                                            "CBPause16", "CBPause32", "CBPause64"};
// The modifiers that keep a note value's tool when the value goes up.
constexpr std::string_view kNoteModifiers[] = {"CBDiesis",    "CBDDiesis",      "CBBemol",         "CBDBemol",
                                               "CBBecarre",   "CBBecarreBemol", "CBBecarreDiesis", "CBLong",
                                               "CBDLong",     "CBStaccato",     "CBPortamento",    "CBDrumOpen",
                                               "CBDrumClose", "CBTreole",       "CBTremolo"};
// What an insertion releases.
constexpr std::string_view kReleasedModifiers[] = {
    "CBBemol",         "CBDBemol", "CBDiesis",   "CBDDiesis",  "CBBecarre",    "CBBecarreBemol",
    "CBBecarreDiesis", "CBLong",   "CBDLong",    "CBStaccato", "CBPortamento", "CBDrumOpen",
    "CBDrumClose",     "CBHandUp", "CBHandDown", "CBTremolo",  "CBTreole",     "CBBracketStyle"};

// The notes page's tool, first button down wins; a duration for the values.
struct Derived {
  std::string_view Button;
  std::string_view Tool;
  int Duration;
};
constexpr Derived kNotesOrder[] = {
    {"CBWholeNote", "WHOLENOTE", 256},
    {"CBNote", "NOTE", 128},
    {"CBEraseNotes", "ERASE", 0},
    {"CBNote2", "NOTE2", 64},
    {"CBNote4", "NOTE4", 32},
    {"CBNote8", "NOTE8", 16},
    {"CBNote16", "NOTE16", 8},
    {"CBNote32", "NOTE32", 4},
    {"CBNote64", "NOTE64", 2},
    {"CBMeasurePause", "MEASUREPAUSE", 0},
    {"CBPause", "PAUSE", 0},
    {"CBPause2", "PAUSE2", 0},
    {"CBPause4", "PAUSE4", 0},
    {"CBPause8", "PAUSE8", 0},
    {"CBPause16", "PAUSE16", 0},
    {"CBPause32", "PAUSE32", 0},
    {"CBPause64", "PAUSE64", 0},
    {"CBTone", "TONE", 0},
    {"CBSize", "SIZE", 0},
    {"CBDiesis", "DIESIS", 0},
    {"CBBecarreDiesis", "BECARREDIESIS", 0},
    {"CBDDiesis", "DOUBLEDIESIS", 0},
    {"CBBemol", "BEMOLE", 0},
    {"CBBecarreBemol", "BECARREBEMOLE", 0},
    {"CBBecarre", "BECARRE", 0},
    {"CBDBemol", "DOUBLEBEMOLE", 0},
    {"CBLong", "LONG", 0},
    {"CBDLong", "LONG2", 0},
    {"CBStaccato", "STACATTO", 0},
    {"CBPortamento", "PORTAMENTO", 0},
    {"CBDrumOpen", "DRUMOPEN", 0},
    {"CBDrumClose", "DRUMCLOSE", 0},
    {"CBHandUp", "HANDUP", 0},
    {"CBHandDown", "HANDDOWN", 0},
    {"CBGlissandoUp", "GLISSANDOUP", 0},
    {"CBGlissandoDown", "GLISSANDODOWN", 0},
    {"CBFallUp", "FALLUP", 0},
    {"CBFallDown", "FALLDOWN", 0},
    {"CBLift", "LIFT", 0},
    {"CBTremolo", "TREMOLO", 0},
    {"CBLigaUp", "LEGAUP", 0},
    {"CBLigaDown", "LEGADOWN", 0},
    {"CBNoteUp", "OTTAVAA", 0},
    {"CBNoteDown", "OTTAVAB", 0},
    {"CBTempo", "TEMPO", 0},
    {"CBVorschlag", "VORSCHLAG", 0},
    {"CBNoteStyle", "SMALLNOTE", 0},
    {"CBDrumNote", "DRUMNOTE", 0},
    {"CBBlankNote", "BLANKNOTE", 0},
    {"CBBracketStyle", "BRACKETSTYLE", 0},
};

// The symbols page: the tools with a ghost note, then those that insert at
// a bar (the insert flag), each in the order the first button down wins.
constexpr std::string_view kSymbolsWithGhost[] = {
    "CBFermataUp",     "CBFermataDown",   "CBShortFermata1", "CBShortFermata2",
    "CBLongFermata1",  "CBLongFermata2",  "CBBracketUp",     "CBBracketDown",
    "CBShare",         "CBBarNumber",     "CBSegno",         "CBBeginFonar",
    "CBEndFonar",      "CBDaCapo",        "CBDalSegno",      "CBAccentRight",
    "CBAccentTop",     "CBArpeggio",      "CBTopHang",       "CBBottomHang",
    "CBPiano",         "CBPianissimo",    "CBPianississimo", "CBMezzopiano",
    "CBFortepiano",    "CBMezzoForte",    "CBForte",         "CBFortissimo",
    "CBFortississimo", "CBSForzato",      "CBExtraForzato",  "CBForzando",
    "CBSForzando",     "CBGroup1",        "CBGroup2",        "CBTrillare",
    "CBTrill",         "CBTrillB",        "CBTrillD",        "CBTrillBk",
    "CBMordent",       "CBStrikeMordent", "CBDoubleMordent", "CBStrikeDoubleMordent",
    "CBLCrechendo",    "CBLDeCrechendo",  "CBPedalUp",       "CBPedalDown",
    "CBOne",           "CBTwo",           "CBThree",         "CBFour",
    "CBFive"};
constexpr std::string_view kSymbolsAtBar[] = {"CBPartComposition",
                                              "CBEndPart",
                                              "CBEndComposition",
                                              "CBBeginRepeat",
                                              "CBEndRepeat",
                                              "CBTenutoStaccato1",
                                              "CBTenutoStaccato2",
                                              "CBStaccatoPressurePercussive1",
                                              "CBStaccatoPressurePercussive2",
                                              "CBTenutoPressurePercussive1",
                                              "CBTenutoPressurePercussive2",
                                              "CBTenutoPercussive1",
                                              "CBTenutoPercussive2",
                                              "CBStaccatoPercussive1",
                                              "CBStaccatoPercussive2",
                                              "CBTenutoWedge1",
                                              "CBTenutoWedge2",
                                              "CBWedgePressurePercussive1",
                                              "CBWedgePressurePercussive2",
                                              "CBBarre",
                                              "CBContinueUntil",
                                              "CB1String",
                                              "CB2String",
                                              "CB3String",
                                              "CB4String",
                                              "CB5String",
                                              "CB6String",
                                              "CB7String",
                                              "CB8String",
                                              "CBPreBend",
                                              "CBBendUp",
                                              "CBPreBendRelease",
                                              "CBBendUpRelease",
                                              "CBPreBendReleaseOverTime",
                                              "CBBendUpReleaseOverTime"};

constexpr std::string_view kKeyboardNotes[] = {"KNOTE", "KNOTE2", "KNOTE4", "KNOTE8", "KNOTE16", "KNOTE32", "KNOTE64"};
constexpr std::string_view kKeyboardRests[] = {"KPAUSE",   "KPAUSE2",  "KPAUSE4", "KPAUSE8",
                                               "KPAUSE16", "KPAUSE32", "KPAUSE64"};

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The reset button of each page that has one, with its pointer.
std::pair<std::string_view, std::string_view> ResetAndPointer(ToolPage page) {
  switch (page) {
    case ToolPage::Notes: return {"CBResetNotes", "CBPointNotes"};
    case ToolPage::Symbols: return {"CBResetSymbols", "CBPointSymbols"};
    case ToolPage::Expanded: return {"CBResetExpanded", "CBPointExpanded"};
    case ToolPage::Expressions: return {"CBResetTerm", "CBPointTerm"};
    case ToolPage::Design: return {"CBResetDesign", "CBPointDesign"};
    default: return {};
  }
}

}  // namespace

void ToolUpDown::Set(int value) { Position = std::clamp(value, Min, Max); }

void ToolUpDown::Step(int delta) {
  const int next = Position + delta;
  if (Wrap && next > Max)
    Position = Min;
  else if (Wrap && next < Min)
    Position = Max;
  else
    Set(next);
}

ToolState::ToolState(ProgramSettings& settings) : settings_(settings), down_(ToolButtons().size()) {
  for (std::size_t i = 0; i < down_.size(); ++i) down_[i] = ToolButtons()[i].DownAtStart;
  down_[ToolButtonIndex("CBResetNotes")] = settings.CBResetNotes;
  down_[ToolButtonIndex("CBResetSymbols")] = settings.CBResetSymbols;
  down_[ToolButtonIndex("CBResetTerm")] = settings.CBResetTerm;
  const auto make = [](int min, int max, bool wrap, int value) {
    ToolUpDown upDown{min, max, min, wrap, min};
    upDown.Set(value);
    return upDown;
  };
  upDowns_ = {make(2, 10, true, settings.Treole),   make(1, 4, true, settings.Tremolo),
              make(0, 1, true, settings.RepeatBar), make(0, 2, true, settings.RepeatNote),
              make(2, 10, false, settings.KTreole), make(1, 4, false, settings.KTremolo)};
  page_ = settings.ToolsActive >= 0 && settings.ToolsActive < kToolPageCount
              ? static_cast<ToolPage>(settings.ToolsActive)
              : ToolPage::Notes;
}

void ToolState::StoreSettings() const {
  settings_.Treole = UpDown(UpDownId::Treole).Position;
  settings_.Tremolo = UpDown(UpDownId::Tremolo).Position;
  settings_.RepeatBar = UpDown(UpDownId::RepeatBar).Position;
  settings_.RepeatNote = UpDown(UpDownId::RepeatNote).Position;
  settings_.KTreole = UpDown(UpDownId::KTreole).Position;
  settings_.KTremolo = UpDown(UpDownId::KTremolo).Position;
  settings_.CBResetNotes = IsDown("CBResetNotes");
  settings_.CBResetSymbols = IsDown("CBResetSymbols");
  settings_.CBResetTerm = IsDown("CBResetTerm");
  settings_.ToolsActive = static_cast<int>(page_);
}

void ToolState::SetActivePage(ToolPage page) {
  page_ = page;
  settings_.ToolsActive = static_cast<int>(page);
  ToolFromPalette();
  Changed();
}

// --- buttons ---------------------------------------------------------------

bool ToolState::IsDown(std::string_view name) const { return Down(ToolButtonIndex(name)); }

std::vector<std::string_view> ToolState::DownButtons() const {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < down_.size(); ++i)
    if (down_[i]) names.push_back(ToolButtons()[i].Name);
  return names;
}

void ToolState::SetDown(std::string_view name, bool down) {
  Put(name, down);
  Changed();
}

void ToolState::Put(std::string_view name, bool down) {
  const int index = ToolButtonIndex(name);
  if (index < 0) return;
  const ToolButton& button = ToolButtons()[index];
  if (down && button.GroupIndex != 0) {
    const auto buttons = ToolButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i].Parent == button.Parent && buttons[i].GroupIndex == button.GroupIndex) down_[i] = false;
  }
  if (!down && !button.AllowAllUp) return;
  down_[index] = down;
}

void ToolState::Click(std::string_view name) {
  const ToolButton* button = FindToolButton(name);
  if (button == nullptr) return;
  Put(name, !IsDown(name));
  RunClick(*button);
  Changed();
}

void ToolState::Press(std::string_view name) {
  const ToolButton* button = FindToolButton(name);
  if (button == nullptr) return;
  Put(name, true);
  RunClick(*button);
  Changed();
}

void ToolState::Release(std::string_view name) {
  const ToolButton* button = FindToolButton(name);
  if (button == nullptr) return;
  Put(name, false);
  // A single tool's click presses it again; going up it leaves the pointer.
  if (button->Family == ClickFamily::SingleTool)
    FallBackToPointer();
  else
    RunClick(*button);
  Changed();
}

void ToolState::ClickTerm(std::string text) {
  term_ = std::move(text);
  Put("CBPointTerm", false);
  Tool("COMMENT");
  Ghost(true);
  Changed();
}

void ToolState::ClickLibrarySymbol(std::vector<const TECPageObject*> objects) {
  librarySymbol_ = std::move(objects);
  Put("CBPointExpanded", false);
  Tool("USERSYMBOL");
  Ghost(true);
  Changed();
}

void ToolState::StepUpDown(UpDownId id, int delta) {
  UpDown(id).Step(delta);
  Changed();
}

std::string ToolState::ToolNameOf(const ToolButton& button) const {
  if (button.Name == "CBKey") {
    const int clef = settings_.Key;
    if (clef == 1 || clef == 5 || clef == 6) return "CLEFF";
    if (clef == 2 || (clef >= 7 && clef <= 10)) return "CLEFD";
    return "CLEFG";
  }
  if (button.Name == "CBMicrotone") return settings_.MicroTone % 2 != 0 ? "BEMOLE" : "DIESIS";
  return std::string(button.ToolName);
}

void ToolState::RunClick(const ToolButton& button) {
  const bool down = IsDown(button.Name);
  const std::string name = ToolNameOf(button);
  switch (button.Family) {
    case ClickFamily::NoteValue:
    case ClickFamily::RestValue:
      if (down) {
        Tool(name);
        Ghost(true);
        if (button.Family == ClickFamily::NoteValue) Duration(button.Duration);
        // A rest releases them as a note does: while either is down a click inserts nothing.
        Put("CBPointNotes", false);
        Put("CBEraseNotes", false);
      } else if (IsNoteModifierDown()) {
        ToolFromPalette();
        Ghost(true);
      } else {
        FallBackToPointer();
      }
      return;
    case ClickFamily::Modifier: ClickModifier(button, down, name); return;
    case ClickFamily::Tuplet:
      if (down) {
        PressModifierButton(button.Name, false);
        Ghost(true);
      } else if (!IsDurationToolDown()) {
        FallBackToPointer();
      }
      return;
    case ClickFamily::Bracket:
      if (down && !IsDown("CBPointNotes")) {
        PressModifierButton(button.Name, false);
        return;
      }
      ClickModifier(button, down, name);
      return;
    case ClickFamily::SingleTool:
      PressNoteButton(button.Name);
      Tool(name);
      Ghost(true);
      return;
    case ClickFamily::RepeatSign:
      if (!down) {
        FallBackToPointer();
        return;
      }
      PressNoteButton(button.Name);
      Tool(name);
      Ghost(true);
      return;
    case ClickFamily::BarTool:
      if (button.Page == ToolPage::Notes) {
        PressNoteButton(button.Name);
      } else if (!down) {
        ClickPointer("CBPointSymbols");
        return;
      }
      Ghost(false);
      Tool(name);
      // The eraser must hit the element it is clicked on, which the insert flag skips.
      if (button.Name != "CBEraseNotes") InsertFlag(true);
      if (button.Page == ToolPage::Symbols) ReleaseSymbolPointer();
      return;
    case ClickFamily::Symbol:
      if (!down) {
        ClickPointer("CBPointSymbols");
        return;
      }
      Tool(name);
      Ghost(true);
      ReleaseSymbolPointer();
      return;
    case ClickFamily::Pointer: ClickPointer(button.Name); return;
    case ClickFamily::Design: ClickDesign(button.Name); return;
    case ClickFamily::None:
      if (button.Page == ToolPage::Piano) SetKeyboardCursor("");
      return;
  }
}

void ToolState::ClickModifier(const ToolButton& button, bool down, std::string_view name) {
  if (!down) {
    if (!IsDurationToolDown()) FallBackToPointer();
    return;
  }
  const bool dots = button.Name == "CBLong" || button.Name == "CBDLong";
  PressModifierButton(button.Name, dots);
  if (!IsDurationToolDown()) Tool(name);
  Ghost(true);
}

void ToolState::ClickPointer(std::string_view name) {
  if (name == "CBPointNotes" || name == "CBResetNotes") {
    FallBackToPointer();
  } else if (name == "CBPointSymbols") {
    librarySymbol_.clear();
    Put(name, true);
    Tool("");
    Ghost(false);
    ReleaseSymbolButtons();
  } else if (name == "CBPointExpanded") {
    Put(name, true);
    Tool("");
    Ghost(false);
    ReleaseExpandedButtons();
  } else if (name == "CBPointTerm") {
    term_.clear();
    Put(name, true);
    Ghost(false);
    Tool("");
  } else if (name == "CBPointDesign") {
    Put(name, true);
    Ghost(false);
    Tool("");
  }
  // The other reset buttons only toggle: the dispatcher reads them.
}

void ToolState::ClickDesign(std::string_view name) {
  if (!IsDown(name)) {
    ClickPointer("CBPointDesign");
    return;
  }
  if (name == "CBComment") {
    Tool("COMMENT");
    Ghost(true);
  } else {
    Ghost(false);
    Tool(name == "CBImage" ? "IMAGE" : "TEXT");
    if (name == "CBText") InsertFlag(true);
  }
}

void ToolState::ReleaseSymbolPointer() { Put("CBPointSymbols", false); }

void ToolState::FallBackToPointer() {
  PressNoteButton("CBPointNotes");
  Tool("");
  Ghost(false);
}

// --- operations --------------------------------------------------------------

void ToolState::ToolFromPalette() {
  switch (page_) {
    case ToolPage::Notes: NotesFromPalette(); return;
    case ToolPage::Symbols: SymbolsFromPalette(); return;
    case ToolPage::Expanded:
    case ToolPage::Expressions: {
      const bool pointer = IsDown(page_ == ToolPage::Expanded ? "CBPointExpanded" : "CBPointTerm");
      Tool(pointer ? "" : (page_ == ToolPage::Expanded ? "USERSYMBOL" : "COMMENT"));
      Ghost(!pointer);
      return;
    }
    case ToolPage::Design:
      if (IsDown("CBImage") || IsDown("CBText")) {
        Ghost(false);
        Tool(IsDown("CBImage") ? "IMAGE" : "TEXT");
        InsertFlag(true);
      } else if (IsDown("CBComment")) {
        Tool("COMMENT");
        Ghost(true);
      } else {
        Tool("");
        Ghost(false);
      }
      return;
    default:
      Tool("");
      Ghost(false);
      return;
  }
}

void ToolState::NotesFromPalette() {
  std::string_view tool;
  for (const Derived& entry : kNotesOrder)
    if (IsDown(entry.Button)) {
      tool = entry.Tool;
      if (entry.Duration != 0) Duration(entry.Duration);
      break;
    }
  Tool(tool);
  Ghost(!IsDown("CBPointNotes") && !IsDown("CBEraseNotes"));
}

void ToolState::SymbolsFromPalette() {
  for (std::string_view name : kSymbolsWithGhost)
    if (IsDown(name)) {
      Tool(FindToolButton(name)->ToolName);
      Ghost(true);
      return;
    }
  for (std::string_view name : kSymbolsAtBar)
    if (IsDown(name)) {
      Ghost(false);
      Tool(FindToolButton(name)->ToolName);
      InsertFlag(true);
      return;
    }
  Tool("");
  Ghost(false);
}

void ToolState::PressNoteButton(std::string_view name) {
  const auto buttons = ToolButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ToolButton& button = buttons[i];
    if (button.Parent == ToolPanel::SPNotes || button.Name == "CBPointNotes" || button.Name == "CBEraseNotes")
      down_[i] = button.Name == name;
  }
}

void ToolState::PressModifierButton(std::string_view, bool keepRests) {
  const auto buttons = ToolButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ToolButton& button = buttons[i];
    if (button.GroupIndex != 1) continue;
    if (button.Parent == ToolPanel::TSNotes) {
      down_[i] = false;
    } else if (button.Parent == ToolPanel::SPNotes) {
      const bool kept = Contains(kNoteValues, button.Name) || (keepRests && Contains(kRestValues, button.Name));
      if (!kept) down_[i] = false;
    }
  }
}

bool ToolState::IsDurationToolDown() const {
  return std::any_of(std::begin(kNoteValues), std::end(kNoteValues), [this](auto n) { return IsDown(n); }) ||
         std::any_of(std::begin(kRestValues), std::end(kRestValues), [this](auto n) { return IsDown(n); });
}

bool ToolState::IsNoteModifierDown() const {
  return std::any_of(std::begin(kNoteModifiers), std::end(kNoteModifiers), [this](auto n) { return IsDown(n); });
}

void ToolState::ReleaseSymbolButtons() {
  const auto buttons = ToolButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].Parent == ToolPanel::SPSymbols) down_[i] = false;
}

// The library symbols are the expanded page's only tools.
void ToolState::ReleaseExpandedButtons() { librarySymbol_.clear(); }

void ToolState::ReleaseNoteModifiers() {
  for (std::string_view name : kReleasedModifiers) Put(name, false);
  ToolFromPalette();
  Changed();
}

void ToolState::ApplyResetRule() {
  const auto [reset, pointer] = ResetAndPointer(page_);
  if (reset.empty() || !IsDown(reset)) return;
  ClickPointer(pointer);
  Changed();
}

std::uint8_t ToolState::RehearsalMarkStyle() const { return settings_.RehearsalMarkStyle(); }

int ToolState::CurrentNoteStyle() const { return IsDown("CBNoteStyle") ? 1 : 0; }

std::optional<int> ToolState::CurrentDrumStyle(int libraryCount) const {
  if (settings_.DrumStyle < 0 || settings_.DrumStyle >= libraryCount) return std::nullopt;
  return settings_.DrumStyle;
}

void ToolState::SetMeasurePause(int count) {
  settings_.MeasurePause = count;
  Changed();
}

void ToolState::SetToolCursor(const std::string& name) {
  if (sink_ != nullptr && documentActive_) sink_->SetToolCursor(name);
}

void ToolState::SetKeyboardCursor(const std::string& name) {
  if (!name.empty() && name == keyboardCursor_) return;
  keyboardCursor_ = name;
  if (sink_ != nullptr) sink_->SetKeyboardCursor(name);
}

void ToolState::KeyboardTrackMouse(bool over, int position) {
  if (!over) {
    SetKeyboardCursor("");
    return;
  }
  if (position < 0 || position >= static_cast<int>(std::size(kKeyboardNotes))) return;
  if (IsDown("CBKNote"))
    SetKeyboardCursor(std::string(kKeyboardNotes[position]));
  else if (IsDown("CBKPause"))
    SetKeyboardCursor(std::string(kKeyboardRests[position]));
}

// --- the sink ------------------------------------------------------------------

void ToolState::Tool(std::string_view name) {
  if (sink_ != nullptr && documentActive_) sink_->SetCurrentTool(std::string(name));
}

void ToolState::Ghost(bool on) {
  if (sink_ == nullptr || !documentActive_) return;
  sink_->SetScoreNoteCursor(on);
  if (!on) sink_->SetNoteDuration(0);
}

void ToolState::InsertFlag(bool on) {
  if (sink_ != nullptr && documentActive_) sink_->SetScoreInsertFlag(on);
}

void ToolState::Duration(int value) {
  if (sink_ != nullptr && documentActive_) sink_->SetNoteDuration(value);
}

}  // namespace nv::document
