#include "document/palette_pages.h"

#include <algorithm>
#include <array>
#include <iterator>


namespace nv::document {
namespace {

using R = PaletteRow;
using K = FaceKind;
using Paint = PaintedFace;

constexpr PaletteCell CharCell(std::string_view name, R row, std::uint8_t code, int size, int x, int y) {
  return {name, row, K::Char, code, size, x, y, {}, {}, 0, Paint::None, false};
}
constexpr PaletteCell PictureCell(std::string_view name, R row) {
  return {name, row, K::Picture, 0, 0, 0, 0, {}, {}, 0, Paint::None, false};
}
constexpr PaletteCell PaintedCell(std::string_view name, R row, Paint painter, bool drop = false) {
  return {name, row, K::Painted, 0, 0, 0, 0, {}, {}, 0, painter, drop};
}
constexpr PaletteCell CaptionCell(std::string_view name, R row, std::string_view caption, std::string_view font,
                                  int pixels, bool drop = false) {
  return {name, row, K::Caption, 0, 0, 0, 0, caption, font, pixels, Paint::None, drop};
}
constexpr PaletteCell UpDownCell(std::string_view name) {
  return {name, R::Beside, K::UpDown, 0, 0, 0, 0, {}, {}, 0, Paint::None, false};
}
constexpr PaletteCell Expander(std::string_view name) { return {name, R::Both, K::DropOnly, 0, 0, 0, 0, {}, {}, 0, Paint::None, true}; }

constexpr PaletteCell kNotes[] = {
    PictureCell("CBPointNotes", R::Upper),
    PictureCell("CBResetNotes", R::Lower),
    PictureCell("CBEraseNotes", R::Upper),
    PaintedCell("CBKey", R::Both, Paint::Clef, true),
    PaintedCell("CBTone", R::Both, Paint::Tone, true),
    PaintedCell("CBSize", R::Both, Paint::Size, true),
    PictureCell("CBTempo", R::Upper),
    PictureCell("CBVorschlag", R::Lower),
    PaintedCell("CBRepeatBar", R::Upper, Paint::RepeatBar),
    UpDownCell("UDRepeatBar"),
    PaintedCell("CBRepeatNote", R::Lower, Paint::RepeatNote),
    UpDownCell("UDRepeatNote"),
    CharCell("CBWholeNote", R::Upper, 0x2B, 24, 5, 7),
    PaintedCell("CBMeasurePause", R::Lower, Paint::MeasurePause),
    CharCell("CBNote", R::Upper, 0x2C, 24, 7, 7),
    PictureCell("CBPause", R::Lower),
    CharCell("CBNote2", R::Upper, 0x2E, 24, 6, 0),
    PictureCell("CBPause2", R::Lower),
    CharCell("CBNote4", R::Upper, 0x3A, 24, 6, 0),
    CharCell("CBPause4", R::Lower, 0x4D, 24, 8, 2),
    CharCell("CBNote8", R::Upper, 0x3B, 24, 5, 0),
    CharCell("CBPause8", R::Lower, 0x4E, 24, 8, 3),
    CharCell("CBNote16", R::Upper, 0x3C, 24, 5, 0),
    CharCell("CBPause16", R::Lower, 0x4F, 24, 6, 3),
    CharCell("CBNote32", R::Upper, 0x3D, 24, 5, 0),
    CharCell("CBPause32", R::Lower, 0x50, 24, 5, 3),
    CharCell("CBNote64", R::Upper, 0x3E, 24, 5, 0),
    CharCell("CBPause64", R::Lower, 0x51, 24, 3, 2),
    PaintedCell("CBTreole", R::Upper, Paint::Treole),
    UpDownCell("UDTreole"),
    PaintedCell("CBTremolo", R::Lower, Paint::Tremolo),
    UpDownCell("UDTremolo"),
    CharCell("CBLong", R::Upper, 0x60, 28, 10, 7),
    CharCell("CBDLong", R::Lower, 0x61, 28, 7, 7),
    CharCell("CBBemol", R::Upper, 0x62, 28, 9, 0),
    CharCell("CBDBemol", R::Lower, 0x63, 28, 7, 0),
    CharCell("CBDiesis", R::Upper, 0x64, 28, 9, -4),
    CharCell("CBDDiesis", R::Lower, 0x65, 28, 9, 0),
    CharCell("CBBecarreBemol", R::Upper, 0x57, 28, 6, -2),
    CharCell("CBBecarreDiesis", R::Lower, 0x58, 28, 6, -2),
    CharCell("CBBecarre", R::Upper, 0x66, 28, 9, -2),
    {"CBMicrotone", R::Lower, K::Char, 0xA1, 28, 5, 0, {}, {}, 0, Paint::None, true},
    PictureCell("CBGlissandoUp", R::Upper),
    PictureCell("CBGlissandoDown", R::Lower),
    PictureCell("CBFallUp", R::Upper),
    PictureCell("CBFallDown", R::Lower),
    PictureCell("CBLift", R::Upper),
    CharCell("CBStaccato", R::Upper, 0x60, 29, 10, 3),
    CharCell("CBPortamento", R::Lower, 0x5F, 28, 8, 3),
    CharCell("CBDrumOpen", R::Upper, 0x67, 24, 7, 6),
    CharCell("CBDrumClose", R::Lower, 0x68, 24, 7, 6),
    PictureCell("CBHandUp", R::Upper),
    PictureCell("CBHandDown", R::Lower),
    PaintedCell("CBNoteStyle", R::Upper, Paint::NoteStyle),
    PictureCell("CBBlankNote", R::Lower),
    PaintedCell("CBDrumNote", R::Upper, Paint::DrumNote),
    {"CBDrumStyles", R::Beside, K::DropOnly, 0, 0, 0, 0, {}, {}, 0, Paint::None, true},
    CaptionCell("CBBracketStyle", R::Lower, "(  )", "Arial", 13, true),
    PaintedCell("CBLigaUp", R::Upper, Paint::LigaUp),
    PaintedCell("CBLigaDown", R::Lower, Paint::LigaDown),
    CharCell("CBNoteUp", R::Upper, 0x3F, 24, 3, 0),
    CharCell("CBNoteDown", R::Lower, 0x40, 24, 3, 0),
};

constexpr PaletteCell kSymbols[] = {
    PictureCell("CBPointSymbols", R::Upper),
    PictureCell("CBResetSymbols", R::Lower),
    CaptionCell("CBBarNumber", R::Upper, "1..N", "Arial", 11),
    PaintedCell("CBShare", R::Lower, Paint::Share, true),
    PictureCell("CBEndPart", R::Upper),
    PictureCell("CBEndComposition", R::Lower),
    PictureCell("CBBeginRepeat", R::Upper),
    PictureCell("CBEndRepeat", R::Lower),
    CharCell("CBSegno", R::Upper, 0x7A, 24, 6, 4),
    PictureCell("CBPartComposition", R::Lower),
    PictureCell("CBBeginFonar", R::Upper),
    PictureCell("CBEndFonar", R::Lower),
    CaptionCell("CBDaCapo", R::Upper, "D.C.", "Times New Roman", 11),
    CaptionCell("CBDalSegno", R::Lower, "D.S.", "Times New Roman", 11),
    CharCell("CBForte", R::Upper, 0x6F, 21, 7, 4),
    CharCell("CBPiano", R::Lower, 0x69, 21, 8, 4),
    Expander("CBDinamics"),
    CharCell("CBFortissimo", R::Upper, 0x70, 21, 4, 4),
    CharCell("CBPianissimo", R::Lower, 0x6A, 21, 5, 4),
    CharCell("CBFortississimo", R::Upper, 0x71, 21, 1, 4),
    CharCell("CBPianississimo", R::Lower, 0x6B, 21, 1, 4),
    CharCell("CBMezzoForte", R::Upper, 0x6E, 21, 5, 4),
    CharCell("CBMezzopiano", R::Lower, 0x6C, 21, 3, 2),
    CharCell("CBFortepiano", R::Upper, 0x6D, 21, 4, 4),
    CharCell("CBSForzando", R::Upper, 0x75, 21, 6, 4),
    CharCell("CBForzando", R::Lower, 0x74, 21, 5, 4),
    CharCell("CBExtraForzato", R::Upper, 0x73, 21, 1, 4),
    CharCell("CBSForzato", R::Lower, 0x72, 21, 4, 4),
    PaintedCell("CBLCrechendo", R::Upper, Paint::Crescendo),
    PaintedCell("CBLDeCrechendo", R::Lower, Paint::Decrescendo),
    PictureCell("CBArpeggio", R::Upper),
    PictureCell("CBTrillare", R::Lower),
    PaintedCell("CBBottomHang", R::Upper, Paint::BottomHang),
    PaintedCell("CBTopHang", R::Lower, Paint::TopHang),
    CharCell("CBTrill", R::Upper, 0x81, 24, 6, 2),
    CharCell("CBTrillB", R::Lower, 0x82, 24, 6, 1),
    CharCell("CBTrillD", R::Upper, 0x83, 24, 6, 1),
    CharCell("CBTrillBk", R::Lower, 0x84, 24, 6, 1),
    CharCell("CBGroup1", R::Upper, 0x7E, 27, 3, 2),
    CharCell("CBGroup2", R::Lower, 0x7F, 27, 3, 2),
    CharCell("CBMordent", R::Upper, 0x85, 23, 5, 2),
    CharCell("CBStrikeMordent", R::Lower, 0x86, 23, 6, 2),
    CharCell("CBDoubleMordent", R::Upper, 0x87, 23, 2, 2),
    CharCell("CBStrikeDoubleMordent", R::Lower, 0x88, 23, 2, 2),
    PaintedCell("CBBracketUp", R::Upper, Paint::BracketUp),
    PaintedCell("CBBracketDown", R::Lower, Paint::BracketDown),
    CharCell("CBFermataUp", R::Upper, 0x8C, 28, 3, 0),
    CharCell("CBFermataDown", R::Lower, 0x8D, 28, 3, 0),
    Expander("CBFermata"),
    CharCell("CBShortFermata1", R::Upper, 0xA4, 28, 3, 0),
    CharCell("CBShortFermata2", R::Lower, 0xA5, 28, 3, 0),
    CharCell("CBLongFermata1", R::Upper, 0xA6, 28, 3, 0),
    CharCell("CBLongFermata2", R::Lower, 0xA7, 28, 3, 0),
    CharCell("CBAccentTop", R::Upper, 0x8F, 28, 7, 0),
    CharCell("CBAccentRight", R::Lower, 0x90, 28, 5, 0),
    Expander("CBAccepts"),
    CharCell("CBTenutoStaccato1", R::Upper, 0xA8, 32, 6, 0),
    CharCell("CBTenutoStaccato2", R::Lower, 0xA9, 32, 6, 0),
    CharCell("CBStaccatoPressurePercussive1", R::Upper, 0xAA, 32, 6, 0),
    CharCell("CBStaccatoPressurePercussive2", R::Lower, 0xAB, 32, 6, 0),
    CharCell("CBTenutoPressurePercussive1", R::Upper, 0xAC, 32, 6, 0),
    CharCell("CBTenutoPressurePercussive2", R::Lower, 0xAD, 32, 6, 0),
    CharCell("CBTenutoPercussive1", R::Upper, 0xAE, 32, 6, 0),
    CharCell("CBTenutoPercussive2", R::Lower, 0xAF, 32, 6, 0),
    CharCell("CBStaccatoPercussive1", R::Upper, 0xB0, 32, 6, 0),
    CharCell("CBStaccatoPercussive2", R::Lower, 0xB1, 32, 6, 0),
    CharCell("CBTenutoWedge1", R::Upper, 0xB2, 32, 6, 0),
    CharCell("CBTenutoWedge2", R::Lower, 0xB3, 32, 6, 0),
    CharCell("CBWedgePressurePercussive1", R::Upper, 0xB4, 32, 6, 0),
    CharCell("CBWedgePressurePercussive2", R::Lower, 0xB5, 32, 6, 0),
    CharCell("CBPedalUp", R::Upper, 0x7C, 28, 1, 0),
    CharCell("CBPedalDown", R::Lower, 0x7D, 28, 7, 0),
    CharCell("CBOne", R::Upper, 0x31, 23, 9, 4),
    CharCell("CBTwo", R::Lower, 0x32, 23, 8, 4),
    CharCell("CBThree", R::Upper, 0x33, 23, 8, 4),
    CharCell("CBFour", R::Lower, 0x34, 23, 8, 4),
    CharCell("CBFive", R::Upper, 0x35, 23, 8, 4),
    PaintedCell("CBBarre", R::Upper, Paint::Barre),
    PaintedCell("CBContinueUntil", R::Lower, Paint::ContinueUntil),
    CharCell("CB1String", R::Upper, 0xF8, 23, 4, 4),
    CharCell("CB2String", R::Lower, 0xF9, 23, 4, 4),
    Expander("CBStrings"),
    CharCell("CB3String", R::Upper, 0xFA, 23, 4, 4),
    CharCell("CB4String", R::Lower, 0xFB, 23, 4, 4),
    CharCell("CB5String", R::Upper, 0xFC, 23, 4, 4),
    CharCell("CB6String", R::Lower, 0xFD, 23, 4, 4),
    CharCell("CB7String", R::Upper, 0xFE, 23, 4, 4),
    CharCell("CB8String", R::Lower, 0xFF, 23, 4, 4),
    PictureCell("CBPreBend", R::Upper),
    PictureCell("CBBendUp", R::Lower),
    Expander("CBBends"),
    PictureCell("CBPreBendRelease", R::Upper),
    PictureCell("CBBendUpRelease", R::Lower),
    PictureCell("CBPreBendReleaseOverTime", R::Upper),
    PictureCell("CBBendUpReleaseOverTime", R::Lower),
};

constexpr std::array<std::pair<int, MicrotoneFace>, 10> kMicrotones = {{
    {1, {0xA0, "-1/4", 7, 0}},
    {2, {0xA1, "+1/4", 9, -2}},
    {3, {0xA2, "-3/4", 6, 0}},
    {4, {0xA3, "+3/4", 7, -2}},
    {33, {0xE2, "-1/8", 7, 0}},
    {34, {0xE3, "+1/8", 7, -2}},
    {35, {0xE0, "-1/4", 7, 0}},
    {36, {0xE1, "+1/4", 7, -2}},
    {37, {0xE4, "-3/8", 7, 0}},
    {48, {0xE5, "+3/8", 7, -2}},
}};

int WidthOf(const PaletteCell& cell) {
  if (cell.Face == K::DropOnly) return kPaletteDropWidth;
  if (cell.Face == K::UpDown) return kPaletteUpDownWidth;
  return kPaletteButtonWidth + (cell.DropPart ? kPaletteDropWidth : 0);
}

}  // namespace

std::span<const PaletteCell> PaletteCells(ToolPage page) {
  if (page == ToolPage::Notes) return kNotes;
  if (page == ToolPage::Symbols) return kSymbols;
  return {};
}

const PaletteCell* FindPaletteCell(std::string_view name) {
  for (const auto cells : {PaletteCells(ToolPage::Notes), PaletteCells(ToolPage::Symbols)})
    for (const PaletteCell& cell : cells)
      if (cell.Name == name) return &cell;
  return nullptr;
}

bool OnPageItself(const PaletteCell& cell) {
  const ToolButton* button = FindToolButton(cell.Name);
  return button != nullptr && (button->Parent == ToolPanel::TSNotes || button->Parent == ToolPanel::TSSymbols);
}

std::vector<PlacedCell> PlaceCells(std::span<const PaletteCell* const> cells) {
  std::vector<PlacedCell> placed;
  int columnLeft = 0;
  int nextColumn = 0;
  for (const PaletteCell* cell : cells) {
    const int width = WidthOf(*cell);
    PlacedCell at{cell, 0, kPaletteUpperTop, width, kPaletteButtonHeight};
    switch (cell->Row) {
      case R::Upper:
      case R::Both:
        columnLeft = nextColumn;
        at.Left = columnLeft;
        if (cell->Row == R::Both) at.Height = kPaletteLowerTop + kPaletteButtonHeight - kPaletteUpperTop;
        break;
      case R::Lower:
        at.Left = columnLeft;
        at.Top = kPaletteLowerTop;
        break;
      case R::Beside:
        at.Left = placed.empty() ? 0 : placed.back().Left + placed.back().Width;
        at.Top = placed.empty() ? kPaletteUpperTop : placed.back().Top;
        break;
    }
    nextColumn = std::max(nextColumn, at.Left + at.Width + 1);
    placed.push_back(at);
  }
  return placed;
}

const MicrotoneFace* MicrotoneFaceOf(int code) {
  for (const auto& [key, face] : kMicrotones)
    if (key == code) return &face;
  return nullptr;
}

std::string_view BracketCaption(int style) {
  constexpr std::array<std::string_view, 3> captions = {"(  )", "[  ]", "{  }"};
  if (style < 0 || style >= static_cast<int>(captions.size())) return {};
  return captions[style];
}

std::string RepeatBarHint(int position) { return "Repeat bar(" + std::to_string(position + 1) + ")"; }

std::string RepeatNoteHint(int position) {
  return "Repeat notes(1/" + std::to_string(2 << std::clamp(position, 0, 8)) + ")";
}

}  // namespace nv::document
