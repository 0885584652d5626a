#include "library/default_drum_styles.h"

#include "platform/font_faces.h"

namespace nv::library {
namespace {

constexpr std::int16_t kGlyphX = 1000;
constexpr std::int16_t kGlyphY = 997;
constexpr std::uint8_t kGlyphSize = 16;
constexpr std::uint8_t kQuiet = 128;

struct DefaultStyle {
  const char* Name;
  std::uint8_t Glyph;
  std::int32_t First;
  std::int32_t Second;
  std::uint8_t Flag;
};

// Glyphs 200 and 201 are no drum heads.
constexpr DefaultStyle kStyles[] = {
    {"Drum1", 192, 2, 2, 0},
    {"Drum2", 193, 2, 2, 0},
    {"Drum3", 194, -2, -2, 0},
    {"Drum4", 195, -2, -2, 0},
    {"Drum5", 196, 2, 2, 0},
    {"Drum6", 197, 2, 2, 0},
    {"Drum7", 198, -2, -2, 0},
    {"Drum8", 199, -2, -2, 0},
    {"Drum9", 202, -2, -2, 0},
    {"Drum10", 203, -2, -2, 0},
    {"Drum11", 204, 0, 0, 0},
    {"Drum12", 205, 0, 0, 0},
    {"Drum13", 206, -1, -1, 0},
    {"Drum14", 207, -1, -1, 0},
    {"Drum15", 208, 0, 0, 0},
    {"Drum16", 209, 0, 0, 0},
    {"RideCymbal", 210, 2, -2, 0},
    {"CrashCymbal", 211, 0, 0, 0},
    {"CrashCymbal3", 212, 0, 0, 0},
    {"CrashCymbal4", 213, 0, 0, 0},
    {"RightCrashCymbal", 214, 0, -2, 0},
    {"LeftCrashCymbal", 215, 2, 0, 0},
    {"SplashCymbal", 216, 2, 2, 0},
    {"ChineCymbal", 217, 2, 2, 0},
    {"SplashOfCymbal", 218, 3, 0, kQuiet},
    {"BellOfCymbal", 219, 0, -3, kQuiet},
    {"ChireCymbal", 220, 3, 0, kQuiet},
    {"QuietlyDrum1", 221, 0, 0, kQuiet},
    {"QuietlyDrum2", 222, 0, 0, kQuiet},
    {"QuietlyDrum3", 223, 0, 0, kQuiet},
};

}  // namespace

std::vector<std::unique_ptr<TECDrumDescription>> DefaultDrumStyles() {
  std::vector<std::unique_ptr<TECDrumDescription>> styles;
  for (const DefaultStyle& row : kStyles) {
    auto style = std::make_unique<TECDrumDescription>();
    style->Name = std::string(row.Name) + std::string(kDrumFile.Extension);
    style->DisplayName = row.Name;
    style->First = row.First;
    style->Second = row.Second;
    style->Flag = row.Flag;
    auto glyph = std::make_unique<TECPageText>();
    glyph->X = kGlyphX;
    glyph->Y = kGlyphY;
    glyph->FontSize = kGlyphSize;
    glyph->FontName = nv::platform::kMusicFace;
    // The music face draws bytes as glyph codes.
    glyph->Lines = {std::string(1, static_cast<char>(row.Glyph))};
    style->AddElement(std::move(glyph));
    styles.push_back(std::move(style));
  }
  return styles;
}

}  // namespace nv::library
