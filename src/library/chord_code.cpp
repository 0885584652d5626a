#include "library/chord_code.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "model/element_kinds.h"

namespace nv::library {
namespace {

constexpr std::string_view kLetters = "CDEFGAB";
constexpr int kFirstSkipped = 240;
constexpr int kNoteEntries = 8;

constexpr auto& kExtensions = kExtensionTexts;
constexpr auto& kMinor = kMinorTexts;
constexpr auto& kMajor = kMajorTexts;
constexpr auto& kSus = kSusTexts;
constexpr auto& kOmit = kOmitTexts;
// Alteration variants 1..8: odd raise, even lower, in pairs of one notation.
constexpr std::array<std::string_view, 9> kAlterationForm{"", "%+", "%-", "+%", "-%", "#%", "b%", "aug%", "dim%"};

// The parts of a code that lie inside it: the root, the components and the
// bass note, each only when its byte exists.
struct CodeView {
  std::uint8_t root = 0;
  std::span<const std::uint8_t> components;
  std::optional<std::uint8_t> bass;
};

std::optional<CodeView> View(std::span<const std::uint8_t> code) {
  if (code.size() < 3) return std::nullopt;
  CodeView view;
  view.root = code[2];
  const std::size_t end = std::min<std::size_t>(std::size_t{code[0]} + 2, code.size());
  if (end > 3) view.components = code.subspan(3, end - 3);
  const std::size_t bassAt = std::size_t{code[0]} + 2;
  if (code[1] != 0 && bassAt < code.size() && code[0] >= 1) view.bass = code[bassAt];
  return view;
}

int Kind(std::uint8_t byte) { return byte >> 4; }
int Variant(std::uint8_t byte) { return byte & 0x0F; }
// A step nibble above 6 reads as C, as the toolbar shows it.
int StepOf(std::uint8_t note) { return (note & 0x0F) <= 6 ? note & 0x0F : 0; }
int AccidentalOf(std::uint8_t note) { return note >> 4; }

template <std::size_t N>
std::string_view Caption(const std::array<std::string_view, N>& table, int variant) {
  return table[static_cast<std::size_t>(variant) < N ? variant : 0];
}

std::string NoteName(std::uint8_t note) {
  std::string name(1, kLetters[StepOf(note)]);
  if (AccidentalOf(note) == 1) name += '#';
  if (AccidentalOf(note) == 2) name += 'b';
  return name;
}

std::string Degree(int kind) {
  switch (kind) {
    case chord_kind::Fifth: return "5";
    case chord_kind::Seventh: return "7";
    case chord_kind::Ninth: return "9";
    case chord_kind::Eleventh: return "11";
    default: return "13";
  }
}

bool IsAlteration(int kind) { return kind == chord_kind::Fifth || (kind >= chord_kind::Seventh && kind <= chord_kind::Thirteenth); }

// --- tones --------------------------------------------------------------------

// Semitones from each natural step to the next.
constexpr std::array<int, 7> kStepDistance{2, 2, 1, 2, 2, 2, 1};

std::uint8_t Raised(std::uint8_t accidental) {
  switch (accidental) {
    case ek::DoubleFlat: return ek::Flat;
    case ek::Flat: return 0;
    case ek::Sharp:
    case ek::DoubleSharp: return ek::DoubleSharp;
    default: return ek::Sharp;
  }
}

std::uint8_t Lowered(std::uint8_t accidental) {
  switch (accidental) {
    case ek::DoubleSharp: return ek::Sharp;
    case ek::Sharp: return 0;
    case ek::Flat:
    case ek::DoubleFlat: return ek::DoubleFlat;
    default: return ek::Flat;
  }
}

std::uint8_t ToneAccidental(std::uint8_t note) {
  if (AccidentalOf(note) == 1) return ek::Sharp;
  if (AccidentalOf(note) == 2) return ek::Flat;
  return 0;
}

// The tone `semitones` above the root, spelled on the natural step that
// reaches it and raised when the steps fall short.
TECChordTone Place(std::uint8_t root, int semitones) {
  int step = StepOf(root);
  int octave = 0;
  int total = 0;
  while (total + kStepDistance[step] <= semitones) {
    total += kStepDistance[step];
    if (++step == 7) {
      step = 0;
      ++octave;
    }
  }
  TECChordTone tone{0, static_cast<std::uint8_t>(step + 1), static_cast<std::uint8_t>(octave), ToneAccidental(root)};
  if (total < semitones) tone.Accidental = Raised(tone.Accidental);
  return tone;
}

// An alteration variant: odd raises, even lowers, 0 leaves the tone.
void Alter(TECChordTone& tone, int variant) {
  if (variant == 0) return;
  tone.Accidental = variant % 2 == 1 ? Raised(tone.Accidental) : Lowered(tone.Accidental);
}

// --- buttons ------------------------------------------------------------------

std::uint8_t NoteByte(int step, bool sharp, bool flat) {
  return static_cast<std::uint8_t>(step | (flat ? 0x20 : sharp ? 0x10 : 0));
}


int StyleIndex(int variant, std::size_t captions) { return static_cast<std::size_t>(variant) < captions ? variant : 0; }

}  // namespace

std::string AlterationText(int kind, int variant) {
  const std::string_view form = variant >= 1 && variant <= 8 ? kAlterationForm[variant] : "%";
  std::string text;
  for (const char c : form) text += c == '%' ? Degree(kind) : std::string(1, c);
  return text;
}

TECChordPiece MakeChordPiece(std::string text, int anchor, int level) {
  TECChordPiece piece;
  piece.Format[2] = static_cast<std::uint8_t>(anchor);
  piece.Format[3] = static_cast<std::uint8_t>(level & 0xFF);
  piece.Format[4] = static_cast<std::uint8_t>((level >> 8) & 0xFF);
  piece.Text = std::move(text);
  return piece;
}

void AccordCodeToText(std::span<const std::uint8_t> code, std::vector<TECChordPiece>& pieces) {
  pieces.clear();
  const auto view = View(code);
  if (!view) return;
  pieces.push_back(MakeChordPiece(NoteName(view->root), 0, 0));
  int mainAnchor = 0;
  int stackLevel = 0;
  bool bracketOpen = false;
  const auto previous = [&] { return static_cast<int>(pieces.size()) - 1; };
  for (const std::uint8_t byte : view->components) {
    if (byte >= kFirstSkipped) continue;
    const int kind = Kind(byte);
    const int variant = Variant(byte);
    switch (kind) {
      case 0:
      case 10: break;
      case chord_kind::Extension:
        if (variant != 0) {
          pieces.push_back(MakeChordPiece(std::string(variant < 6 ? kExtensions[variant] : ""),
                                          static_cast<int>(pieces.size()), 1));
        }
        break;
      case chord_kind::Stacked: stackLevel = -1; break;
      case chord_kind::Minor:
      case chord_kind::Major:
      case chord_kind::Sus:
      case chord_kind::Omit: {
        const std::string_view text = kind == chord_kind::Minor   ? Caption(kMinor, variant)
                                      : kind == chord_kind::Major ? Caption(kMajor, variant)
                                      : kind == chord_kind::Sus   ? Caption(kSus, variant)
                                                                  : Caption(kOmit, variant);
        pieces.push_back(MakeChordPiece(std::string(text), previous(), 1));
        mainAnchor = previous();
        break;
      }
      case chord_kind::Brackets:
        pieces.push_back(MakeChordPiece("(", previous(), -2));
        bracketOpen = true;
        mainAnchor = previous();
        break;
      case chord_kind::Add:
        pieces.push_back(MakeChordPiece("add", previous(), -2));
        mainAnchor = previous();
        break;
      default:
        if (stackLevel == 0) {
          pieces.push_back(MakeChordPiece(AlterationText(kind, variant), previous(), -2));
        } else {
          pieces.push_back(MakeChordPiece(AlterationText(kind, variant), mainAnchor, stackLevel));
          stackLevel -= 3;
        }
        break;
    }
  }
  if (bracketOpen) pieces.push_back(MakeChordPiece(")", previous(), -2));
  if (view->bass) {
    pieces.push_back(MakeChordPiece("/", previous(), 0));
    pieces.push_back(MakeChordPiece(NoteName(*view->bass), previous(), 0));
  }
}

int AccordCodeToNotes(std::span<const std::uint8_t> code, TECChordTones& tones) {
  tones = {};
  const auto view = View(code);
  if (!view) return 0;
  const std::uint8_t root = view->root;
  tones[0] = TECChordTone{0, static_cast<std::uint8_t>(StepOf(root) + 1), 0, ToneAccidental(root)};

  // The last byte of each role; 0 = none.
  int extension = 0;
  std::uint8_t quality = 0;  // minor or major
  std::uint8_t susOrOmit = 0;
  std::array<std::uint8_t, 16> alterations{};
  for (const std::uint8_t byte : view->components) {
    if (byte >= kFirstSkipped) continue;
    const int kind = Kind(byte);
    if (kind == chord_kind::Extension) extension = Variant(byte) < 6 ? Variant(byte) : 0;
    if (kind == chord_kind::Minor || kind == chord_kind::Major) quality = byte;
    if (kind == chord_kind::Sus || kind == chord_kind::Omit) susOrOmit = byte;
    if (IsAlteration(kind)) alterations[kind] = byte;
  }
  const bool major = Kind(quality) == chord_kind::Major;
  // A seventh is major under "maj", else minor.
  const auto seventh = [&] {
    TECChordTone tone = Place(root, 11);
    if (!major) tone.Accidental = Lowered(tone.Accidental);
    return tone;
  };

  int count = 3;
  tones[1] = Place(root, 4);
  tones[2] = Place(root, 7);
  if (Kind(quality) == chord_kind::Minor) tones[1].Accidental = Lowered(tones[1].Accidental);
  if (Kind(susOrOmit) == chord_kind::Sus) tones[1] = Place(root, Variant(susOrOmit) == 1 ? 2 : 5);

  if (extension == 1) {
    tones[3] = Place(root, 9);
    count = 4;
  }
  if (extension >= 2) {
    tones[3] = seventh();
    count = 4;
  }
  if (extension >= 3) {
    tones[4] = Place(root, 14);
    count = 5;
  }
  if (extension == 4) {
    tones[5] = Place(root, 17);
    count = 6;
  }
  if (extension == 5) {
    tones[6] = Place(root, 21);
    count = 7;
  }

  if (const std::uint8_t fifth = alterations[chord_kind::Fifth]) Alter(tones[2], Variant(fifth));
  if (const std::uint8_t byte = alterations[chord_kind::Seventh]) {
    tones[3] = seventh();
    Alter(tones[3], Variant(byte));
    count = std::max(count, 4);
  }
  const struct {
    int kind, entry, semitones;
  } upper[] = {{chord_kind::Ninth, 4, 14}, {chord_kind::Eleventh, 5, 17}, {chord_kind::Thirteenth, 6, 21}};
  for (const auto& tone : upper) {
    if (const std::uint8_t byte = alterations[tone.kind]) {
      tones[tone.entry] = Place(root, tone.semitones);
      Alter(tones[tone.entry], Variant(byte));
      count = std::max(count, tone.entry + 1);
    }
  }
  // Last, so that an omitted tone stays out whatever altered it.
  if (Kind(susOrOmit) == chord_kind::Omit) tones[Variant(susOrOmit) % 2 == 1 ? 2 : 1] = TECChordTone{};

  if (view->bass) {
    tones[7] = TECChordTone{0, static_cast<std::uint8_t>(StepOf(*view->bass) + 1), 0, ToneAccidental(*view->bass)};
    count = kNoteEntries;
  }
  return count;
}

std::vector<std::uint8_t> AccordCodeFromButtons(const ChordButtons& b) {
  std::vector<std::uint8_t> code{0, 0, NoteByte(b.RootStep, b.RootSharp, b.RootFlat)};
  const auto add = [&](int kind, int variant) { code.push_back(static_cast<std::uint8_t>(kind << 4 | variant)); };
  if (b.Minor) {
    add(chord_kind::Minor, b.MinorStyle);
  } else if (b.Major) {
    add(chord_kind::Major, b.MajorStyle);
  }
  add(chord_kind::Extension, b.Extension);
  if (b.Sus) {
    add(chord_kind::Sus, b.SusStyle);
  } else if (b.Omit) {
    add(chord_kind::Omit, b.OmitStyle);
  }
  if (b.Brackets) add(chord_kind::Brackets, 0);
  if (b.Stacked) add(chord_kind::Stacked, 0);
  if (b.Add) add(chord_kind::Add, 0);
  for (std::size_t i = 0; i < kAlterationKinds.size(); ++i) {
    if (!b.Altered[i]) continue;
    add(kAlterationKinds[i], b.Alteration[i] == 0 ? 0 : b.AlterationStyle * 2 + b.Alteration[i]);
  }
  code[0] = static_cast<std::uint8_t>(code.size() - 2);
  if (b.Bass) {
    code[1] = 1;
    code.push_back(NoteByte(b.BassStep, b.BassSharp, b.BassFlat));
  }
  return code;
}

void AccordCodeToButtons(std::span<const std::uint8_t> code, ChordButtons& b) {
  const auto view = View(code);
  if (!view || code[0] == 0) return;
  b.RootStep = StepOf(view->root);
  b.RootSharp = AccidentalOf(view->root) == 1;
  b.RootFlat = AccidentalOf(view->root) == 2;
  bool minor = false, major = false, sus = false, omit = false;
  bool brackets = false, stacked = false, added = false;
  std::array<bool, 5> altered{};
  for (const std::uint8_t byte : view->components) {
    if (byte >= kFirstSkipped) continue;
    const int kind = Kind(byte);
    const int variant = Variant(byte);
    switch (kind) {
      case chord_kind::Extension: b.Extension = StyleIndex(variant, kExtensions.size()); break;
      case chord_kind::Minor: b.MinorStyle = StyleIndex(variant, kMinor.size()), minor = true; break;
      case chord_kind::Major: b.MajorStyle = StyleIndex(variant, kMajor.size()), major = true; break;
      case chord_kind::Sus: b.SusStyle = StyleIndex(variant, kSus.size()), sus = true; break;
      case chord_kind::Omit: b.OmitStyle = StyleIndex(variant, kOmit.size()), omit = true; break;
      case chord_kind::Brackets: brackets = true; break;
      case chord_kind::Stacked: stacked = true; break;
      case chord_kind::Add: added = true; break;
      default:
        if (!IsAlteration(kind)) break;
        const auto slot = static_cast<std::size_t>(
            std::find(kAlterationKinds.begin(), kAlterationKinds.end(), kind) - kAlterationKinds.begin());
        altered[slot] = true;
        b.Alteration[slot] = variant == 0 ? 0 : variant % 2 == 1 ? 1 : 2;
        if (variant != 0) b.AlterationStyle = variant <= 8 ? (variant - 1) / 2 : 0;
        break;
    }
  }
  b.Minor = minor;
  b.Major = major;
  b.Sus = sus;
  b.Omit = omit;
  b.Brackets = brackets;
  b.Stacked = stacked;
  b.Add = added;
  b.Altered = altered;
  b.Bass = view->bass.has_value();
  if (view->bass) {
    b.BassStep = StepOf(*view->bass);
    b.BassSharp = AccidentalOf(*view->bass) == 1;
    b.BassFlat = AccidentalOf(*view->bass) == 2;
  }
}

}  // namespace nv::library
