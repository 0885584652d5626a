#include "document/tool_keys.h"

#include <utility>

#include "document/click_insert.h"
#include "document/tool_state.h"

namespace nv::document {
namespace {

constexpr std::string_view kNotes[] = {"CBNote", "CBNote2", "CBNote4", "CBNote8", "CBNote16", "CBNote32", "CBNote64"};
constexpr std::string_view kRests[] = {"CBPause",   "CBPause2",  "CBPause4", "CBPause8",
                                       "CBPause16", "CBPause32", "CBPause64"};

bool IsPrefix(std::uint16_t key) { return key == vk::Return || key == vk::Space; }

// The index of the first button of `buttons` that is down; -1 when none.
template <typename Buttons>
int FirstDownIndex(const ToolState& tools, const Buttons& buttons) {
  int i = 0;
  for (std::string_view name : buttons) {
    if (tools.IsDown(name)) return i;
    ++i;
  }
  return -1;
}

}  // namespace

ToolKeys::ToolKeys(ToolState& tools, ToolKeyHost& host) : tools_(tools), host_(host) {}

bool ToolKeys::KeyDown(std::uint16_t key, TECShiftState shift, bool editingText) {
  // The prefix lives until the next key-down.
  const std::uint16_t prefix = std::exchange(prefix_, 0);
  if (key == vk::F1) host_.ShowHelpTopic("Entrance");
  if (shift & ssAlt) return false;
  const bool plain = (shift & ssShift) == 0;
  switch (tools_.ActivePage()) {
    case ToolPage::Notes: NotesKey(key, plain, prefix); return false;
    case ToolPage::Symbols: SymbolsKey(key, plain); return false;
    case ToolPage::Piano: return PianoKey(key, shift);
    case ToolPage::Design:
      if (!editingText) {
        DesignKey(key);
        return false;
      }
      break;
    default: break;
  }
  InsertAtCursorKey(key, prefix);
  return false;
}

void ToolKeys::KeyUp(std::uint16_t, TECShiftState) {
  if (!insertOnce_) return;
  insertOnce_ = false;
  ClickInserter* inserter = host_.ActiveInserter();
  if (inserter == nullptr) return;
  inserter->InsertAtCursor();
  if (tools_.ActivePage() == ToolPage::Notes) {
    tools_.FallBackToPointer();
  } else if (tools_.ActivePage() == ToolPage::Symbols) {
    // Once means once: the symbol goes up with the pointer.
    tools_.Press("CBPointSymbols");
  }
}

void ToolKeys::NotesKey(std::uint16_t key, bool plain, std::uint16_t prefix) {
  if (IsPrefix(key)) {
    prefix_ = key;
    return;
  }
  if (key >= '1' && key <= '7') {
    const int i = key - '1';
    if (prefix == vk::Return) {
      PressOnce(kNotes[i]);
    } else if (prefix == vk::Space) {
      PressOnce(kRests[i]);
    } else if (FirstDownIndex(tools_, kNotes) >= 0 || tools_.IsDown("CBWholeNote")) {
      tools_.Press(kNotes[i]);
    } else if (FirstDownIndex(tools_, kRests) >= 0) {
      tools_.Press(kRests[i]);
    }
    return;
  }
  switch (key) {
    case 'B': Cycle({"CBBemol", "CBDBemol"}); return;
    case 'D': Cycle({"CBDiesis", "CBDDiesis"}); return;
    case 'R': Cycle({"CBBecarre", "CBBecarreBemol", "CBBecarreDiesis"}); return;
    case 'U': Cycle({"CBLong", "CBDLong"}); return;
    case 'L': Cycle({"CBLigaUp", "CBLigaDown"}); return;
    case 'C': plain ? tools_.Click("CBKey") : PressOnce("CBKey"); return;
    case 'M': plain ? tools_.Click("CBTempo") : PressOnce("CBTempo"); return;
    case 'N':
      if (!plain) {
        PressOnce("CBTone");
      } else {
        const int rest = FirstDownIndex(tools_, kRests);
        tools_.Press(rest >= 0 ? kNotes[rest] : "CBNote8");
      }
      return;
    case 'P': {
      const int note = FirstDownIndex(tools_, kNotes);
      tools_.Press(note >= 0 ? kRests[note] : "CBPause8");
      return;
    }
    case 'E': tools_.Press("CBEraseNotes"); return;
    case 'J':
      if (tools_.IsDown("CBTreole"))
        tools_.StepUpDown(UpDownId::Treole, 1);
      else
        tools_.Press("CBTreole");
      return;
    case 'T':
      if (tools_.IsDown("CBTremolo"))
        tools_.StepUpDown(UpDownId::Tremolo, 1);
      else
        tools_.Press("CBTremolo");
      return;
    case 'O': tools_.Click("CBPortamento"); return;
    case 'S': tools_.Click("CBStaccato"); return;
    case 'V': tools_.Click("CBVorschlag"); return;
    case 'W': tools_.Click("CBResetNotes"); return;
    case 'Q': tools_.Press("CBPointNotes"); return;
    default: return;
  }
}

void ToolKeys::SymbolsKey(std::uint16_t key, bool plain) {
  switch (key) {
    case '1': Walk({"CBOne"}, plain); return;
    case '2': Walk({"CBTwo"}, plain); return;
    case '3': Walk({"CBThree"}, plain); return;
    case '4': Walk({"CBFour"}, plain); return;
    case '5': Walk({"CBFive"}, plain); return;
    case 'A': Walk({"CBAccentTop", "CBAccentRight"}, plain); return;
    case 'B': Walk({"CBBracketUp", "CBBracketDown"}, plain); return;
    case 'C': Walk({"CBLCrechendo"}, plain); return;
    case 'D': Walk({"CBLDeCrechendo"}, plain); return;
    case 'F': Walk({"CBForte", "CBFortissimo", "CBFortississimo"}, plain); return;
    case 'G': Walk({"CBGroup1", "CBGroup2"}, plain); return;
    case 'H': Walk({"CBBottomHang", "CBTopHang"}, plain); return;
    case 'I': Walk({"CBArpeggio"}, plain); return;
    case 'M': Walk({"CBMordent", "CBStrikeMordent", "CBDoubleMordent", "CBStrikeDoubleMordent"}, plain); return;
    case 'P': Walk({"CBPiano", "CBPianissimo", "CBPianississimo"}, plain); return;
    case 'R': Walk({"CBFermataUp", "CBFermataDown"}, plain); return;
    case 'S': Walk({"CBForzando", "CBSForzando", "CBSForzato", "CBExtraForzato"}, plain); return;
    case 'Z': Walk({"CBFortepiano", "CBMezzopiano", "CBMezzoForte"}, plain); return;
    case 'T': plain ? tools_.Press("CBTrill") : PressOnce("CBTrill"); return;
    case 'W': tools_.Click("CBResetSymbols"); return;
    case 'Q': tools_.Press("CBPointSymbols"); return;
    default: return;
  }
}

bool ToolKeys::PianoKey(std::uint16_t key, TECShiftState shift) {
  switch (key) {
    case vk::Return: tools_.SetDown("CBKNote", true); return false;
    case vk::Space:
      if (ClickInserter* inserter = host_.ActiveInserter())
        inserter->InsertRestAtCursor(1 << (7 - host_.PianoDurationPosition()));
      return false;
    case vk::PageUp:
    case vk::PageDown:
    case vk::End:
    case vk::Home:
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
    case vk::Delete:
      if (!host_.PianoKeyboardHasFocus() || (shift & ssCtrl) != 0) return false;
      host_.CallKeyDown(key, shift);
      return true;
    default: return false;
  }
}

void ToolKeys::DesignKey(std::uint16_t key) {
  struct Letter {
    char Key;
    std::string_view Button;
  };
  // A, M and B are the letters the arc, filled pie and filled segment
  // buttons' hints name; the pie's and the segment's letters are taken.
  static constexpr Letter kTools[] = {{'A', "CBArc"},       {'B', "CBFillSegment"},   {'C', "CBComment"},
                                      {'E', "CBEllipse"},   {'I', "CBImage"},         {'L', "CBLine"},
                                      {'M', "CBFillPie"},   {'N', "CBFillRectangle"}, {'P', "CBPointLine"},
                                      {'R', "CBRectangle"}, {'S', "CBFillEllipse"},   {'T', "CBText"}};
  for (const Letter& letter : kTools)
    if (key == letter.Key) {
      tools_.Press(tools_.IsDown(letter.Button) ? "CBPointDesign" : letter.Button);
      return;
    }
  if (key == 'W') tools_.Click("CBResetDesign");
  if (key == 'Q') tools_.Press("CBPointDesign");
}

void ToolKeys::InsertAtCursorKey(std::uint16_t key, std::uint16_t prefix) {
  if (IsPrefix(key)) {
    prefix_ = key;
    return;
  }
  if (key < '0' || key > '6' || prefix == 0) return;
  ClickInserter* inserter = host_.ActiveInserter();
  if (inserter == nullptr) return;
  const int duration = 128 >> (key - '0');
  if (prefix == vk::Return)
    inserter->InsertNoteAtCursorPitch(duration);
  else
    inserter->InsertRestAtCursor(duration);
}

void ToolKeys::Cycle(std::initializer_list<std::string_view> buttons) {
  const int down = FirstDownIndex(tools_, buttons);
  const int count = static_cast<int>(buttons.size());
  if (down < 0)
    tools_.Press(*buttons.begin());
  else if (down + 1 < count)
    tools_.Press(*(buttons.begin() + down + 1));
  else
    tools_.Release(*(buttons.begin() + down));
}

void ToolKeys::Walk(std::initializer_list<std::string_view> buttons, bool plain) {
  if (!plain) {
    PressOnce(*buttons.begin());
    return;
  }
  const int down = FirstDownIndex(tools_, buttons);
  const int count = static_cast<int>(buttons.size());
  if (down < 0)
    tools_.Press(*buttons.begin());
  else if (down + 1 < count)
    tools_.Press(*(buttons.begin() + down + 1));
  else
    tools_.Press("CBPointSymbols");
}

void ToolKeys::PressOnce(std::string_view button) {
  tools_.Press(button);
  insertOnce_ = true;
}

}  // namespace nv::document
