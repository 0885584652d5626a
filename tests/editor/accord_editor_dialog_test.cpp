#include <gtest/gtest.h>

#include "editor/accord_editor_dialog.h"
#include "editor/chord_editor.h"
#include "support/recorded_messages.h"

namespace nv::editor {
namespace {


TEST(AccordEditorDialog, OneEmptyPieceIsRefusedAndStaysOpen) {
  RecordedMessages answers;
  TFAccordEditor dialog(nullptr);
  dialog.show();
  ASSERT_EQ(dialog.GetChordItems().size(), 1u);
  dialog.accept();
  EXPECT_EQ(answers.shown, 1);
  EXPECT_NE(answers.lastText.find("Name"), std::string::npos) << answers.lastText;
  EXPECT_TRUE(dialog.isVisible());
}

TEST(AccordEditorDialog, PiecesComeBackUnchanged) {
  std::vector<TECChordPiece> pieces(2);
  pieces[0].Format = {12, 1, 0, 0xFA, 0xFF};  // level -6
  pieces[0].Text = "C";
  pieces[1].Format = {8, 2, 1, 3, 0};
  pieces[1].Text = "maj7";
  TFAccordEditor dialog(nullptr);
  dialog.SetChordItems(pieces);
  EXPECT_EQ(dialog.Editor().Model().Pieces[0].level, -6);
  const std::vector<TECChordPiece> back = dialog.GetChordItems();
  ASSERT_EQ(back.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back[i].Format, pieces[i].Format);
    EXPECT_EQ(back[i].Text, pieces[i].Text);
  }
  RecordedMessages answers;
  dialog.show();
  dialog.accept();
  EXPECT_EQ(answers.shown, 0);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace nv::editor
