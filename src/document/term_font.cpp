#include "document/term_font.h"

namespace nv::document {

namespace {

constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr int kUnderline = 4;
constexpr int kStrikeOut = 8;

}  // namespace

TextInputValues TermFontValues(const ProgramSettings& settings) {
  TextInputValues values;
  values.FontName = settings.FontTermName;
  values.FontSize = settings.FontTermSize;
  values.FontStyle = FontStyleMask(settings.FontTermBold, settings.FontTermItalic, settings.FontTermUnderlite,
                                   settings.FontTermStrikeOut);
  values.FontColor = settings.FontTermColor;
  values.AlignToNotesShown = false;
  return values;
}

void StoreTermFont(const TextInputValues& chosen, ProgramSettings& settings) {
  if (chosen.FontName.empty() || chosen.FontSize < 1) return;
  settings.FontTermName = chosen.FontName;
  settings.FontTermSize = chosen.FontSize;
  settings.FontTermBold = (chosen.FontStyle & kBold) != 0;
  settings.FontTermItalic = (chosen.FontStyle & kItalic) != 0;
  settings.FontTermUnderlite = (chosen.FontStyle & kUnderline) != 0;
  settings.FontTermStrikeOut = (chosen.FontStyle & kStrikeOut) != 0;
  settings.FontTermColor = chosen.FontColor;
}

}  // namespace nv::document
