#include "editor/chord_piece_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nv::editor {
namespace {

// Every character 6 px wide, every text 10 px high.
platform::Size Measure(const ChordPiece&, const std::string& text) {
  return {static_cast<int>(text.size()) * 6, 10};
}

ChordPiece Piece(const std::string& text, int anchor, int level) {
  ChordPiece piece;
  piece.size = 8;
  piece.text = text;
  piece.anchor = static_cast<std::uint8_t>(anchor);
  piece.level = static_cast<std::int16_t>(level);
  return piece;
}

// "C", "m", "7" with the 7 over the m, laid out.
struct Cm7 {
  ChordPieceModel model{Measure};
  Cm7() {
    model.Pieces = {Piece("C", 0, 0), Piece("m", 0, 0), Piece("7", 1, -2)};
    model.LayoutPieces();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ChordPiece& p : model.Pieces) texts.push_back(p.text);
    return texts;
  }
  void Press(ChordKey::Kind kind, char c = 0, bool shift = false, bool ctrl = false) {
    model.KeyDown({kind, c, shift, ctrl});
  }
};

TEST(ChordPieceModel, LayoutStacksLevelsFromTheTop) {
  Cm7 chord;
  const auto& p = chord.model.Pieces;
  EXPECT_EQ(p[0].bounds, (platform::Rect{0, 6, 6, 16}));
  EXPECT_EQ(p[1].bounds, (platform::Rect{6, 6, 12, 16}));
  EXPECT_EQ(p[2].bounds, (platform::Rect{12, 0, 18, 10}));  // after "m", 6 px higher
}

TEST(ChordPieceModel, AnchorPlacesAPieceAfterAnEarlierOne) {
  Cm7 chord;
  chord.model.Pieces.push_back(Piece("b5", 1, 0));  // under the 7, after the m
  chord.model.LayoutPieces();
  EXPECT_EQ(chord.model.Pieces[3].bounds.left, 12);
}

TEST(ChordPieceModel, MovesStopAtTheirBounds) {
  Cm7 chord;
  chord.model.Pieces[2].anchor = 0;
  chord.model.SetSelectedPiece(2);
  chord.model.MovePieceRight();
  chord.model.MovePieceRight();
  EXPECT_EQ(chord.model.Pieces[2].anchor, 1);
  chord.model.MovePieceLeft();
  chord.model.MovePieceLeft();
  EXPECT_EQ(chord.model.Pieces[2].anchor, 0);
  chord.model.MovePieceUp();
  EXPECT_EQ(chord.model.Pieces[2].level, -3);
}

TEST(ChordPieceModel, FixedPiecesStayAsTheyAre) {
  Cm7 chord;
  chord.model.FixCount = 1;
  chord.model.SetSelectedPiece(0);
  chord.Press(ChordKey::End);
  chord.Press(ChordKey::Character, 'x');
  chord.Press(ChordKey::Backspace);
  chord.Press(ChordKey::Delete);
  // Backspace at the start of piece 1 does not reach into piece 0.
  chord.model.SetSelectedPiece(1);
  chord.Press(ChordKey::Home);
  chord.Press(ChordKey::Backspace);
  EXPECT_EQ(chord.Texts(), (std::vector<std::string>{"C", "m", "7"}));
  // Left from an empty fixed piece keeps it.
  Cm7 empty;
  empty.model.Pieces[1].text.clear();
  empty.model.FixCount = 2;
  empty.model.SetSelectedPiece(1);
  empty.Press(ChordKey::Left);
  EXPECT_EQ(empty.model.Pieces.size(), 3u);
  EXPECT_EQ(empty.model.Selected(), 0);
}

TEST(ChordPieceModel, TypingAndDeleting) {
  Cm7 chord;
  chord.model.SetSelectedPiece(1);
  chord.Press(ChordKey::End);
  chord.Press(ChordKey::Character, 'a');
  chord.Press(ChordKey::Character, 'j');
  EXPECT_EQ(chord.Texts(), (std::vector<std::string>{"C", "maj", "7"}));
  EXPECT_EQ(chord.model.Pieces[2].bounds.left, 24);  // re-laid after the longer piece
  chord.Press(ChordKey::Delete);  // at the end: the next piece's first character
  EXPECT_EQ(chord.Texts(), (std::vector<std::string>{"C", "maj", ""}));
  chord.Press(ChordKey::Delete);  // the next piece is empty: it goes
  EXPECT_EQ(chord.Texts(), (std::vector<std::string>{"C", "maj"}));
  chord.Press(ChordKey::Home);
  chord.Press(ChordKey::Backspace);  // at the start: the previous piece's last character
  EXPECT_EQ(chord.Texts(), (std::vector<std::string>{"", "maj"}));
  EXPECT_EQ(chord.model.Selected(), 0);
}

TEST(ChordPieceModel, RemovingAPieceRenumbersLaterAnchors) {
  Cm7 chord;
  chord.model.Pieces[1].text.clear();
  chord.model.SetSelectedPiece(1);
  chord.Press(ChordKey::Left);  // leaves and removes the empty "m"
  ASSERT_EQ(chord.Texts(), (std::vector<std::string>{"C", "7"}));
  EXPECT_EQ(chord.model.Pieces[1].anchor, 0);
  EXPECT_EQ(chord.model.Pieces[1].bounds.left, 6);  // right after "C"
}

TEST(ChordPieceModel, AddPieceInsertsAfterTheSelectedOne) {
  Cm7 chord;
  chord.model.SetSelectedPiece(0);
  chord.model.AddPiece();
  EXPECT_EQ(chord.model.Selected(), 1);
  EXPECT_EQ(chord.model.Pieces.size(), 4u);
  EXPECT_EQ(chord.model.Pieces[1].anchor, 0);
  EXPECT_EQ(chord.model.Pieces[2].text, "m");
  EXPECT_EQ(chord.model.Pieces[3].anchor, 2);  // still after "m"
  // Ctrl+Up on "m" starts a piece one level higher.
  chord.model.SetSelectedPiece(2);
  chord.Press(ChordKey::Up, 0, false, true);
  EXPECT_EQ(chord.model.Selected(), 3);
  EXPECT_EQ(chord.model.Pieces[3].level, -1);
  EXPECT_EQ(chord.model.Pieces[4].text, "7");
}

TEST(ChordPieceModel, CaretAndMouse) {
  ChordPieceModel none(Measure);
  EXPECT_EQ(none.CaretLine(), (platform::Rect{1, 0, 3, 12}));
  none.KeyDown({ChordKey::Backspace});
  none.KeyDown({ChordKey::Left});
  none.AddPiece();
  none.MouseDown(3, 3);
  EXPECT_TRUE(none.Pieces.empty());
  none.KeyDown({ChordKey::Character, 'C'});  // typing into no piece starts one
  ASSERT_EQ(none.Pieces.size(), 1u);
  EXPECT_EQ(none.Pieces[0].text, "C");
  EXPECT_EQ(none.Pieces[0].size, 8);

  Cm7 chord;
  chord.model.Pieces[1].text = "maj";
  chord.model.LayoutPieces();
  chord.model.MouseDown(6 + 7, 10);  // over the "a"
  EXPECT_EQ(chord.model.Selected(), 1);
  EXPECT_EQ(chord.model.Caret(), 1);
  EXPECT_EQ(chord.model.CaretLine(), (platform::Rect{6 + 6 + 1, 6, 6 + 6 + 3, 16}));
}

}  // namespace
}  // namespace nv::editor
