#include "dialogs/logic/microtone_map.h"

#include "render/music_font_codes.h"

namespace nv::dialogs::microtone {

namespace glyph = nv::render::glyph;

const std::vector<Choice>& Page(int page) {
  static const std::vector<Choice> quarters = {
      {1, "- 1/4", glyph::QuarterFlat},
      {2, "+ 1/4", glyph::QuarterSharp},
      {3, "- 3/4", glyph::ThreeQuarterFlat},
      {4, "+ 3/4", glyph::ThreeQuarterSharp},
  };
  // The glyphs the score draws for these codes.
  static const std::vector<Choice> eighths = {
      {33, "-1/8", glyph::EighthFlat},          {34, "+1/8", glyph::EighthSharp},
      {35, "-1/4", glyph::QuarterFlatArrow},    {36, "+1/4", glyph::QuarterSharpArrow},
      {37, "-3/8", glyph::ThreeEighthFlat},     {48, "+3/8", glyph::ThreeEighthSharp},
  };
  return page == 0 ? quarters : eighths;
}

Place PlaceOf(int code) {
  const int page = code > 32 ? 1 : 0;
  const auto& choices = Page(page);
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i].code == code) return {page, static_cast<int>(i)};
  return {page, -1};
}

}  // namespace nv::dialogs::microtone
