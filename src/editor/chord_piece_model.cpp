#include "editor/chord_piece_model.h"

#include <algorithm>

#include "model/measure_items.h"

namespace nv::editor {

ChordPiece PieceFromRecord(const TECChordPiece& record) {
  ChordPiece piece;
  piece.size = record.Format[0];
  piece.style = record.Format[1];
  piece.anchor = record.Format[2];
  piece.level = static_cast<std::int16_t>(record.Format[3] | (record.Format[4] << 8));
  piece.text = record.Text;
  return piece;
}

TECChordPiece PieceToRecord(const ChordPiece& piece) {
  TECChordPiece record;
  const auto level = static_cast<std::uint16_t>(piece.level);
  record.Format = {piece.size, piece.style, piece.anchor, static_cast<std::uint8_t>(level & 0xFF),
                   static_cast<std::uint8_t>(level >> 8)};
  record.Text = piece.text;
  return record;
}

void ChordPieceModel::Relayout() {
  LayoutPieces();
  if (OnChanged) OnChanged();
}

void ChordPieceModel::LayoutPieces() {
  int x = 0;
  int base = 0;
  for (std::size_t i = 0; i < Pieces.size(); ++i) {
    ChordPiece& piece = Pieces[i];
    if (i > piece.anchor) x = Pieces[piece.anchor].bounds.right;
    piece.bounds.left = x;
    x += measure_(piece, piece.text).width;
    piece.bounds.right = x;
    const int h = measure_(piece, "A").height;
    const int over = base + StepY * piece.level - h;
    if (over < 0) {
      // Everything placed so far moves down so that this piece's top is at 0 or below.
      for (std::size_t j = 0; j < i; ++j) {
        Pieces[j].bounds.top -= over;
        Pieces[j].bounds.bottom -= over;
      }
      base -= over;
    }
    piece.bounds.bottom = base + StepY * piece.level;
    piece.bounds.top = piece.bounds.bottom - h;
  }
}

int ChordPieceModel::TextWidth(const ChordPiece& piece, int chars) const {
  return measure_(piece, piece.text.substr(0, static_cast<std::size_t>(chars))).width;
}

platform::Rect ChordPieceModel::CaretLine() const {
  if (!HasSelection()) return {1, 0, 3, 12};
  const ChordPiece& piece = Pieces[selected_];
  const int x = piece.bounds.left + TextWidth(piece, caret_) + 1;
  return {x, piece.bounds.top, x + 2, piece.bounds.bottom};
}

void ChordPieceModel::Select(int index, int caret) {
  selected_ = index;
  caret_ = caret;
  if (OnChanged) OnChanged();
}

void ChordPieceModel::SetSelectedPiece(int index) {
  if (index != selected_) Select(index, caret_);
}

void ChordPieceModel::MovePieceLeft() {
  if (!HasSelection()) return;
  if (Pieces[selected_].anchor > 0) --Pieces[selected_].anchor;
  Relayout();
}

void ChordPieceModel::MovePieceRight() {
  if (!HasSelection()) return;
  if (Pieces[selected_].anchor < selected_ - 1) ++Pieces[selected_].anchor;
  Relayout();
}

void ChordPieceModel::MovePieceUp() {
  if (!HasSelection()) return;
  --Pieces[selected_].level;
  Relayout();
}

void ChordPieceModel::MovePieceDown() {
  if (!HasSelection()) return;
  ++Pieces[selected_].level;
  Relayout();
}

void ChordPieceModel::StartPiece(int level) {
  const int at = HasSelection() ? selected_ + 1 : static_cast<int>(Pieces.size());
  // The pieces after the new one keep the pieces they were anchored to.
  for (auto it = Pieces.begin() + at; it != Pieces.end(); ++it)
    if (it->anchor >= at) ++it->anchor;
  ChordPiece piece;
  piece.size = static_cast<std::uint8_t>(FontSize);
  piece.anchor = static_cast<std::uint8_t>(std::max(0, at - 1));
  piece.level = static_cast<std::int16_t>(level);
  Pieces.insert(Pieces.begin() + at, piece);
  selected_ = at;
  caret_ = 0;
  Relayout();
}

void ChordPieceModel::AddPiece() {
  if (Pieces.empty()) return;
  const int before = HasSelection() ? selected_ : static_cast<int>(Pieces.size()) - 1;
  selected_ = before;
  StartPiece(Pieces[before].level);
}

void ChordPieceModel::RemovePiece(int index) {
  Pieces.erase(Pieces.begin() + index);
  for (auto it = Pieces.begin() + index; it != Pieces.end(); ++it)
    if (it->anchor >= index && it->anchor > 0) --it->anchor;
}

void ChordPieceModel::MouseDown(int x, int y) {
  for (int i = 0; i < static_cast<int>(Pieces.size()); ++i) {
    const ChordPiece& piece = Pieces[i];
    const platform::Rect& r = piece.bounds;
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
    int caret = static_cast<int>(piece.text.size());
    for (int c = 0; c < static_cast<int>(piece.text.size()); ++c)
      if (r.left + TextWidth(piece, c + 1) > x) {
        caret = c;
        break;
      }
    selected_ = i;
    caret_ = caret;
  }
  if (OnChanged) OnChanged();
}

void ChordPieceModel::KeyDown(const ChordKey& key) {
  const int count = static_cast<int>(Pieces.size());
  if (selected_ >= count) selected_ = count - 1;
  auto length = [this] { return static_cast<int>(Pieces[selected_].text.size()); };
  auto text = [this]() -> std::string& { return Pieces[selected_].text; };
  switch (key.kind) {
    case ChordKey::Character: {
      if (static_cast<unsigned char>(key.character) < 32) return;
      if (!HasSelection()) {
        if (count < FixCount) return;
        Pieces.push_back({static_cast<std::uint8_t>(FontSize), 0, 0, 0, {}, {}});
        if (count > 0) Pieces.back().anchor = static_cast<std::uint8_t>(count - 1);
        selected_ = count;
        caret_ = 0;
      }
      if (!Editable()) return;
      if (caret_ > length()) caret_ = std::max(0, length() - 1);
      text().insert(static_cast<std::size_t>(caret_), 1, key.character);
      ++caret_;
      break;
    }
    case ChordKey::Backspace:
      if (!HasSelection() || !Editable()) return;
      if (caret_ > 0) {
        caret_ = std::min(caret_, length());
        text().erase(static_cast<std::size_t>(--caret_), 1);
      } else if (selected_ > 0) {
        if (text().empty()) RemovePiece(selected_);
        --selected_;
        caret_ = length();
        if (Editable() && caret_ > 0) text().erase(static_cast<std::size_t>(--caret_), 1);
      }
      break;
    case ChordKey::Delete:
      if (!HasSelection() || !Editable()) return;
      if (caret_ < length()) {
        text().erase(static_cast<std::size_t>(caret_), 1);
      } else if (selected_ + 1 < count) {
        std::string& next = Pieces[selected_ + 1].text;
        if (next.empty())
          RemovePiece(selected_ + 1);
        else
          next.erase(0, 1);
      }
      break;
    case ChordKey::Home:
      if (key.ctrl && count > 0) selected_ = 0;
      caret_ = 0;
      break;
    case ChordKey::End:
      if (key.ctrl && count > 0) selected_ = count - 1;
      if (HasSelection()) caret_ = length();
      break;
    case ChordKey::Left:
      if (!HasSelection()) return;
      if (key.shift) return MovePieceLeft();
      if (!key.ctrl && caret_ > 0) {
        caret_ = std::min(caret_, length()) - 1;
      } else if (selected_ > 0) {
        // Leaving an empty piece removes it, unless it is fixed.
        if (text().empty() && Editable()) RemovePiece(selected_);
        --selected_;
        caret_ = key.ctrl ? 0 : length();
      }
      break;
    case ChordKey::Right:
      if (!HasSelection()) return;
      if (key.shift) return MovePieceRight();
      if (!key.ctrl && caret_ < length()) {
        ++caret_;
      } else if (selected_ + 1 < count) {
        ++selected_;
        caret_ = 0;
      }
      break;
    case ChordKey::Up:
    case ChordKey::Down: {
      if (!HasSelection()) return;
      const bool up = key.kind == ChordKey::Up;
      if (key.ctrl) {
        if (!text().empty()) StartPiece(Pieces[selected_].level + (up ? -1 : 1));
        return;
      }
      if (key.shift) return up ? MovePieceUp() : MovePieceDown();
      if (up && selected_ + 1 < count) Select(selected_ + 1, static_cast<int>(Pieces[selected_ + 1].text.size()));
      if (!up && selected_ > 0) Select(selected_ - 1, 0);
      return;
    }
    case ChordKey::Insert:
      return AddPiece();
  }
  Relayout();
}

}  // namespace nv::editor
