#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"

struct TECChordPiece;

namespace nv::editor {

// One piece of a written chord name: its own size, style and level, placed
// after the piece it is anchored to.
struct ChordPiece {
  std::uint8_t size = 0;   // points
  std::uint8_t style = 0;  // bold 1, italic 2, underline 4, strike-out 8
  std::uint8_t anchor = 0;
  std::int16_t level = 0;  // in steps of StepY; lower stands higher
  std::string text;
  platform::Rect bounds;   // from LayoutPieces
};

// A stored piece and an edited one: the format bytes are size, style, anchor
// and the level, low byte first.
ChordPiece PieceFromRecord(const TECChordPiece& record);
TECChordPiece PieceToRecord(const ChordPiece& piece);

struct ChordKey {
  enum Kind { Character, Backspace, Delete, Home, End, Left, Right, Up, Down, Insert } kind = Character;
  char character = 0;
  bool shift = false;
  bool ctrl = false;
};

// The chord-name editor: the pieces, their layout, the caret and the keys.
// The first FixCount pieces are never changed or removed by typing.
class ChordPieceModel {
 public:
  // Width and height of a text in a piece's size and style.
  using Measure = std::function<platform::Size(const ChordPiece&, const std::string&)>;
  explicit ChordPieceModel(Measure measure) : measure_(std::move(measure)) {}

  std::function<void()> OnChanged;
  std::vector<ChordPiece> Pieces;
  int StepY = 3;
  int FixCount = 0;
  int FontSize = 8;  // size of a new piece

  void LayoutPieces();
  int Selected() const { return selected_; }
  int Caret() const { return caret_; }
  void SetSelectedPiece(int index);
  // The caret line: x and the span from top to bottom.
  platform::Rect CaretLine() const;

  void MovePieceLeft();
  void MovePieceRight();
  void MovePieceUp();
  void MovePieceDown();
  void AddPiece();

  void MouseDown(int x, int y);
  void KeyDown(const ChordKey& key);

 private:
  bool HasSelection() const { return selected_ >= 0 && selected_ < static_cast<int>(Pieces.size()); }
  bool Editable() const { return selected_ >= FixCount; }
  int TextWidth(const ChordPiece& piece, int chars) const;
  void Select(int index, int caret);
  // Starts a new piece after the selected one at the given level.
  void StartPiece(int level);
  void RemovePiece(int index);
  void Relayout();

  Measure measure_;
  int selected_ = -1;
  int caret_ = 0;
};

}  // namespace nv::editor
