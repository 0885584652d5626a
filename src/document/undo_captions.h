#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/music_score.h"
#include "platform/form_texts.h"

namespace nv::document {

// The document window's text number that names an undo or redo step of
// `kind`: the same text in both lists but for splitting, joining and kind
// 11, whose redo steps are named by the general "Edit" (text 24), the text
// of every kind without one of its own.
int UndoCaptionText(std::uint8_t kind, bool redo);

// The captions of the score's undo (redo) steps, the newest first, as the
// drop-down lists of the undo and redo buttons show them.
std::vector<std::string> UndoCaptions(const TECMusicScore& score, const platform::FormTexts& texts);
std::vector<std::string> RedoCaptions(const TECMusicScore& score, const platform::FormTexts& texts);

}  // namespace nv::document
