#include "document/term_font.h"

namespace nv::document {

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
  settings.FontTermBold = (chosen.FontStyle & kFontBold) != 0;
  settings.FontTermItalic = (chosen.FontStyle & kFontItalic) != 0;
  settings.FontTermUnderlite = (chosen.FontStyle & kFontUnderline) != 0;
  settings.FontTermStrikeOut = (chosen.FontStyle & kFontStrikeOut) != 0;
  settings.FontTermColor = chosen.FontColor;
}

}  // namespace nv::document
