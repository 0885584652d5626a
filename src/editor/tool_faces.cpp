#include "editor/tool_faces.h"

#include <map>
#include <string>

#include "document/tool_buttons.h"
#include "platform/font_faces.h"
#include "platform/qt/qt_font_faces.h"
#include "render/music_font_codes.h"

namespace nv::editor {
namespace {

namespace g = nv::render::glyph;

const std::map<std::string_view, std::uint8_t>& Glyphs() {
  static const std::map<std::string_view, std::uint8_t> glyphs = {
      {"WHOLENOTE", g::BreveHead},
      {"NOTE", g::WholeHead},
      {"NOTE2", g::StemmedHalf},
      {"NOTE4", g::StemmedQuarter},
      {"NOTE8", g::StemmedEighth},
      {"NOTE16", g::StemmedSixteenth},
      {"NOTE32", g::StemmedThirtySecond},
      {"NOTE64", g::StemmedSixtyFourth},
      {"KNOTE", g::WholeHead},
      {"KNOTE2", g::StemmedHalf},
      {"KNOTE4", g::StemmedQuarter},
      {"KNOTE8", g::StemmedEighth},
      {"KNOTE16", g::StemmedSixteenth},
      {"KNOTE32", g::StemmedThirtySecond},
      {"KNOTE64", g::StemmedSixtyFourth},
      {"PAUSE4", g::QuarterRest},
      {"PAUSE8", g::EighthRest},
      {"PAUSE16", g::SixteenthRest},
      {"PAUSE32", g::ThirtySecondRest},
      {"PAUSE64", g::SixtyFourthRest},
      {"KPAUSE4", g::QuarterRest},
      {"KPAUSE8", g::EighthRest},
      {"KPAUSE16", g::SixteenthRest},
      {"KPAUSE32", g::ThirtySecondRest},
      {"KPAUSE64", g::SixtyFourthRest},
      {"BEMOLE", g::Flat},
      {"DOUBLEBEMOLE", g::DoubleFlat},
      {"DIESIS", g::Sharp},
      {"DOUBLEDIESIS", g::DoubleSharp},
      {"BECARRE", g::Natural},
      {"BECARREBEMOLE", g::NaturalFlat},
      {"BECARREDIESIS", g::NaturalSharp},
      {"LONG", g::Dot},
      {"LONG2", g::DoubleDot},
      {"STACATTO", g::Dot},
      {"PORTAMENTO", g::Tenuto},
      {"GLISSANDOUP", g::GlissandoUp},
      {"GLISSANDODOWN", g::GlissandoDown},
      {"FALLUP", g::FallUp},
      {"FALLDOWN", g::FallDown},
      {"LIFT", g::Lift},
      {"DRUMOPEN", g::OpenHat},
      {"DRUMCLOSE", g::HalfOpenHat},
      {"CLEFG", g::GClef},
      {"CLEFF", g::FClef},
      {"CLEFD", g::CClef},
      {"OTTAVAA", g::OttavaAlta},
      {"OTTAVAB", g::OttavaBassa},
      {"PIANO", g::Piano},
      {"PIANISSIMO", g::Pianissimo},
      {"PIANISSISSIMO", g::Pianississimo},
      {"MEZZOPIANO", g::MezzoPiano},
      {"FORTEPIANO", g::FortePiano},
      {"MEZZOFORTE", g::MezzoForte},
      {"FORTE", g::Forte},
      {"FORTISSIMO", g::Fortissimo},
      {"FORTISSISSIMO", g::Fortississimo},
      {"SFORZANDO", g::Sforzando},
      {"EXTRAFORZATO", g::Sforzatissimo},
      {"FORZANDO", g::Forzando},
      {"SFORZATO", g::Sforzato},
      {"SEGNO", g::Segno},
      {"FONAR", g::Coda},
      {"PEDALUP", g::Pedal},
      {"PEDALDOWN", g::PedalUp},
      {"GROUP1", g::Turn},
      {"GROUP2", g::InvertedTurn},
      {"TRILLARE", g::Trill},
      {"TRILLAREB", g::TrillFlat},
      {"TRILLARED", g::TrillSharp},
      {"TRILLAREBK", g::TrillNatural},
      {"MONDERT", g::Mordent},
      {"SMONDERT", g::StruckMordent},
      {"DMONDERT", g::DoubleMordent},
      {"DSMONDERT", g::StruckDoubleMordent},
      {"FERMATAUP", g::FermataAbove},
      {"FERMATADOWN", g::FermataBelow},
      {"SHORTFERMATA1", g::ShortFermataAbove},
      {"SHORTFERMATA2", g::ShortFermataBelow},
      {"LONGFERMATA1", g::LongFermataAbove},
      {"LONGFERMATA2", g::LongFermataBelow},
      {"ACCEPTTOP", g::Marcato},
      {"ACCEPTRIGHT", g::Accent},
      {"TENUTOSTACCATO1", g::ArticulationPairFirst},
      {"TENUTOSTACCATO2", g::ArticulationPairFirst + 1},
      {"STACCATOPRESSUREPERCUSSIVE1", g::ArticulationPairFirst + 2},
      {"STACCATOPRESSUREPERCUSSIVE2", g::ArticulationPairFirst + 3},
      {"TENUTOPRESSUREPERCUSSIVE1", g::ArticulationPairFirst + 4},
      {"TENUTOPRESSUREPERCUSSIVE2", g::ArticulationPairFirst + 5},
      {"TENUTOPERCUSSIVE1", g::ArticulationPairFirst + 6},
      {"TENUTOPERCUSSIVE2", g::ArticulationPairFirst + 7},
      {"STACCATOPERCUSSIVE1", g::ArticulationPairFirst + 8},
      {"STACCATOPERCUSSIVE2", g::ArticulationPairFirst + 9},
      {"TENUTOWEDGE1", g::ArticulationPairFirst + 10},
      {"TENUTOWEDGE2", g::ArticulationPairFirst + 11},
      {"WEDGEPRESSUREPERCUSSIVE1", g::ArticulationPairFirst + 12},
      {"WEDGEPRESSUREPERCUSSIVE2", g::ArticulationPairLast},
      {"1STRING", g::StringNumberFirst},
      {"2STRING", g::StringNumberFirst + 1},
      {"3STRING", g::StringNumberFirst + 2},
      {"4STRING", g::StringNumberFirst + 3},
      {"5STRING", g::StringNumberFirst + 4},
      {"6STRING", g::StringNumberFirst + 5},
      {"7STRING", g::StringNumberFirst + 6},
      {"8STRING", g::StringNumberLast},
  };
  return glyphs;
}

const std::map<std::string_view, const char*>& Labels() {
  static const std::map<std::string_view, const char*> labels = {
      {"PAUSE", "R1"},          {"PAUSE2", "R2"},      {"KPAUSE", "R1"},    {"KPAUSE2", "R2"},
      {"ERASE", "Del"},         {"TONE", "Key"},       {"SIZE", "4/4"},     {"TEMPO", "Tmp"},
      {"VORSCHLAG", "Gr"},      {"REPEATBAR", "%"},    {"REPEATNOTE", "/"}, {"MEASUREPAUSE", "Bar"},
      {"TREMOLO", "Trm"},       {"SMALLNOTE", "sm"},   {"BLANKNOTE", "x"},  {"DRUMNOTE", "Drm"},
      {"BRACKETSTYLE", "()"},   {"LEGAUP", "Sl+"},     {"LEGADOWN", "Sl-"}, {"HANDUP", "H+"},
      {"HANDDOWN", "H-"},       {"BARNUMBER", "1..N"}, {"SHARE", "A"},      {"ENDPART", "||"},
      {"ENDCOMPOSITION", "|!"}, {"BEGINREPEAT", "|:"}, {"ENDREPEAT", ":|"}, {"PARTCOMPOSITION", "Sec"},
      {"DACAPO", "D.C."},       {"DALSEGNO", "D.S."},  {"CRECHENDO", "<"},  {"DEMENUENDO", ">"},
      {"ARPEGGIO", "Arp"},      {"TRILLARE1", "tr~"},  {"TOPHANG", "H^"},   {"BOTTOMHANG", "Hv"},
      {"BRACKETUP", "[^"},      {"BRACKETDOWN", "[v"}, {"BARRE", "Bar."},   {"CONTINUEUNTIL", "---"},
      {"PREBEND", "PB"},        {"BENDUP", "BU"},      {"ONE", "1"},        {"TWO", "2"},
      {"THREE", "3"},           {"FOUR", "4"},         {"FIVE", "5"},       {"USERSYMBOL", "Sym"},
      {"COMMENT", "Abc"},       {"TEXT", "T"},         {"IMAGE", "Img"},
  };
  return labels;
}

}  // namespace

QString ToolFace::Text() const {
  if (Glyph) return nv::platform::textForFace(nv::platform::kMusicFace, std::string(1, static_cast<char>(*Glyph)));
  return Label;
}

QFont ToolFace::Font(int pixels) const {
  QFont font;
  if (Glyph) {
    nv::platform::ensureMusicFontLoaded();
    font = QFont(nv::platform::fontFamilyFor(nv::platform::kMusicFace));
  } else {
    font = QFont("DejaVu Sans");
    font.setBold(true);
  }
  font.setPixelSize(pixels);
  return font;
}

ToolFace FaceOfTool(std::string_view toolName) {
  if (const auto glyph = Glyphs().find(toolName); glyph != Glyphs().end()) return {glyph->second, {}};
  if (const auto label = Labels().find(toolName); label != Labels().end()) return {std::nullopt, label->second};
  return {std::nullopt,
          QString::fromUtf8(toolName.data(), static_cast<int>(std::min<std::size_t>(toolName.size(), 3)))};
}

ToolFace FaceOfButton(const nv::document::ToolButton& button) {
  if (!button.ToolName.empty()) return FaceOfTool(button.ToolName);
  if (button.Name == "CBKey") return FaceOfTool("CLEFG");
  if (button.Name == "CBMicrotone") return {g::QuarterSharp, {}};
  if (button.Name == "CBTreole") return {std::nullopt, "3"};
  if (button.Name.starts_with("CBReset")) return {std::nullopt, "W"};
  return {std::nullopt, "Q"};  // the pointers
}

}  // namespace nv::editor
