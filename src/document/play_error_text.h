#pragma once

#include <string>
#include <vector>

#include "model/music_score.h"
#include "platform/form_texts.h"

namespace nv::document {

// The measures playback cannot walk, listed by staff in the order given:
// each staff's name (its General MIDI name when it has none) and its bar
// numbers as laid out, "Flute(3,5) Piano(2)"; a bar repeated right after
// itself is listed once.
std::string BadMeasureList(const std::vector<const TECMeasure*>& measures);

// The play-error message: the list, a blank and the document window's text
// 41. Its caption is the document window's text kPlayErrorCaption.
inline constexpr int kPlayErrorCaption = 30;
std::string PlayErrorText(const std::vector<const TECMeasure*>& measures, const platform::FormTexts& texts);

}  // namespace nv::document
