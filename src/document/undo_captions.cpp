#include "document/undo_captions.h"

#include <array>

namespace nv::document {

namespace {

constexpr int kEdit = 24;

struct Caption {
  std::uint8_t kind;
  int undo;
  int redo;
};

constexpr std::array kCaptions{
    Caption{1, 0, 0},       Caption{2, 1, 1},       Caption{3, 2, 2},       Caption{4, 3, 3},    Caption{5, 4, 4},
    Caption{6, 5, 5},       Caption{7, 6, 6},       Caption{8, 2, 2},       Caption{9, 39, 39},  Caption{10, 40, 40},
    Caption{11, 43, kEdit}, Caption{15, 7, 7},      Caption{16, 8, 8},      Caption{17, 9, 9},   Caption{19, 10, 10},
    Caption{20, 11, 11},    Caption{21, 12, 12},    Caption{22, 13, 13},    Caption{24, 14, 14}, Caption{25, 15, 15},
    Caption{26, 38, 38},    Caption{27, 29, kEdit}, Caption{28, 32, kEdit}, Caption{29, 12, 12}, Caption{30, 16, 16},
    Caption{31, 17, 17},    Caption{35, 37, 37},    Caption{40, 18, 18},    Caption{41, 19, 19}, Caption{50, 20, 20},
    Caption{51, 21, 21},    Caption{60, 23, 23},    Caption{61, 22, 22},    Caption{71, 36, 36},
};

std::vector<std::string> Captions(const TECMusicScore& score, bool redo, const platform::FormTexts& texts) {
  std::vector<std::string> captions;
  for (int i = (redo ? score.RedoCount() : score.UndoCount()) - 1; i >= 0; --i) {
    const TECUndoStep* step = redo ? score.GetRedoStep(i) : score.GetUndoStep(i);
    captions.push_back(texts.GetString(platform::form_key::kDocumentWindow, UndoCaptionText(step->Kind, redo)));
  }
  return captions;
}

}  // namespace

int UndoCaptionText(std::uint8_t kind, bool redo) {
  for (const Caption& caption : kCaptions)
    if (caption.kind == kind) return redo ? caption.redo : caption.undo;
  return kEdit;
}

std::vector<std::string> UndoCaptions(const TECMusicScore& score, const platform::FormTexts& texts) {
  return Captions(score, false, texts);
}

std::vector<std::string> RedoCaptions(const TECMusicScore& score, const platform::FormTexts& texts) {
  return Captions(score, true, texts);
}

}  // namespace nv::document
