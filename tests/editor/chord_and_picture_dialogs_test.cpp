// The chord-symbol and picture dialogs as the document window opens them:
// an edit of the selected chord symbol or picture, and a picture placed on
// the design page. OK changes the score as one undo step, which Ctrl+Z (the
// score's Undo) takes back to the saved bytes; Cancel changes nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/image_input_dialog.h"
#include "document/element_actions.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/accord_editor_dialog.h"
#include "editor/chord_editor.h"
#include "editor/editor_dialogs.h"
#include "editor/score_menu.h"
#include "formats/picture_types.h"
#include "model/measure_items.h"
#include "model/page_objects.h"
#include "music_editor_fixture.h"
#include "support/saved_score.h"

namespace {

using music_editor_fixture::EditorHost;
namespace fs = std::filesystem;

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Texts(const std::vector<TECChordPiece>& pieces) {
  std::vector<std::string> texts;
  for (const TECChordPiece& piece : pieces) texts.push_back(piece.Text);
  return texts;
}

// Runs `answer` on the modal dialog of type Dialog once it is shown.
template <typename Dialog>
void Answer(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

void ClickOk(QWidget& dialog) { dialog.findChild<QPushButton*>("BOk")->click(); }

// A window over a saved score with a chord symbol "G7" over its first bar
// and a 40 x 30 picture on its page, opened as a user opens it: unmodified,
// nothing to undo.
class ChordAndPictureDialogs : public EditorHost {
 protected:
  void SetUp() override {
    EditorHost::SetUp();
    bitmap_ = root_ / "wide.bmp";
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString(bitmap_.string()), "BMP"));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::darkRed);
    const fs::path smallPath = root_ / "small.bmp";
    ASSERT_TRUE(small.save(QString::fromStdString(smallPath.string()), "BMP"));

    auto score = score_builder::MakeScore(1, 2);
    TECMeasure& measure = *score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0);
    score_builder::AddNote(measure, 5, 5, 128, 0);
    auto chord = std::make_unique<TECChordSymbol>(&measure);
    chord->Pieces = {TECChordPiece{{12, 0, 0, 0, 0}, "G", 0}, TECChordPiece{{9, 0, 1, 0, 0}, "7", 0}};
    measure.Items.push_back(std::move(chord));
    score->GetInstrumentAt(0)->AddPagePicture(100, 100, 40, 30, TECPicture{ptBitmap, FileBytes(smallPath)});
    file_ = root_ / "song.sfd";
    score->SaveToFile(file_.string());
    ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(file_.string())), QString());
    ASSERT_FALSE(Editor().Modified());
  }

  TECMusicScore& Score() { return Editor().Document().Score(); }
  TECChordSymbol& Chord() {
    return static_cast<TECChordSymbol&>(*Score().CurrentInstrument()->GetRow(0)->GetMeasure(0)->Items.front());
  }
  TECPagePicture& Picture() {
    return static_cast<TECPagePicture&>(*Score().CurrentInstrument()->TextsRow().Objects.front());
  }

  // After OK: one undo step, and undoing it gives the saved score back.
  void ExpectOneStepBackTo(const SavedScore& saved) {
    EXPECT_TRUE(Editor().Modified());
    ASSERT_EQ(Score().UndoCount(), 1);
    Score().Undo(1);
    EXPECT_TRUE(SavedScore(Score()) == saved);
  }
  // After Cancel: the score, its modified flag and its undo list as they were.
  void ExpectUnchanged(const SavedScore& saved) {
    EXPECT_TRUE(SavedScore(Score()) == saved);
    EXPECT_FALSE(Editor().Modified());
    EXPECT_EQ(Score().UndoCount(), 0);
  }

  fs::path bitmap_;
  fs::path file_;
};

TEST_F(ChordAndPictureDialogs, TheChordDialogEditsTheSelectedChordSymbol) {
  ASSERT_TRUE(Score().SelectElement(&Chord(), 0));
  const SavedScore saved(Score());
  std::vector<std::string> shown;
  // A new piece after "7", typed "9" into, and OK.
  Answer<nv::editor::TFAccordEditor>([&](nv::editor::TFAccordEditor& dialog) {
    shown = Texts(dialog.GetChordItems());
    QTest::mouseClick(dialog.findChild<QWidget*>("SBNew"), Qt::LeftButton);
    QTest::keyClicks(&dialog.Editor(), "9");
    ClickOk(dialog);
  });
  ASSERT_TRUE(registry_.Run(nv::editor::score_menu::kEditChord));
  EXPECT_EQ(shown, (std::vector<std::string>{"G", "7"}));
  EXPECT_EQ(Texts(Chord().Pieces), (std::vector<std::string>{"G", "7", "9"}));
  EXPECT_EQ(Chord().Pieces[1].Format, (std::array<std::uint8_t, 5>{9, 0, 1, 0, 0}));
  ExpectOneStepBackTo(saved);
}

TEST_F(ChordAndPictureDialogs, CancelledChordAndPictureDialogsChangeNothing) {
  ASSERT_TRUE(Score().SelectElement(&Chord(), 0));
  const SavedScore saved(Score());
  Answer<nv::editor::TFAccordEditor>([](nv::editor::TFAccordEditor& dialog) {
    dialog.SetChordItems({TECChordPiece{{12, 0, 0, 0, 0}, "Am", 0}});
    dialog.reject();
  });
  registry_.Run(nv::editor::score_menu::kEditChord);
  ExpectUnchanged(saved);

  Score().ClearSelection();
  ASSERT_TRUE(Score().SelectElement(&Picture(), 0));
  Answer<nv::dialogs::TFDCImageInput>([this](nv::dialogs::TFDCImageInput& dialog) {
    ASSERT_TRUE(dialog.LoadFile(bitmap_.string()));
    dialog.reject();
  });
  registry_.Run(nv::editor::score_menu::kEditImage);
  ExpectUnchanged(saved);
}

// The picture dialog shows the selected picture and its size; a file loaded
// into it replaces the picture with the file's bytes at the file's size.
TEST_F(ChordAndPictureDialogs, ThePictureDialogReplacesTheSelectedPicture) {
  ASSERT_TRUE(Score().SelectElement(&Picture(), 0));
  const SavedScore saved(Score());
  nv::document::ImageValues shown;
  int shownWidth = 0;
  Answer<nv::dialogs::TFDCImageInput>([&](nv::dialogs::TFDCImageInput& dialog) {
    shown = dialog.GetValues();
    shownWidth = dialog.Preview().Picture().width();
    ASSERT_TRUE(dialog.LoadFile(bitmap_.string()));
    ClickOk(dialog);
  });
  ASSERT_TRUE(registry_.Run(nv::editor::score_menu::kEditImage));
  EXPECT_EQ(shown.Width, 40);
  EXPECT_EQ(shown.Height, 30);
  EXPECT_EQ(shownWidth, 40);
  ASSERT_TRUE(Picture().Picture.has_value());
  EXPECT_EQ(Picture().Picture->Type, ptBitmap);
  EXPECT_EQ(Picture().Picture->Data, FileBytes(bitmap_));
  EXPECT_EQ(Picture().Width, 100);
  EXPECT_EQ(Picture().Height, 50);
  ExpectOneStepBackTo(saved);
}

// A click on the page with the picture tool of the design page: the
// dialog's picture is placed there; cancelled, nothing is.
TEST_F(ChordAndPictureDialogs, ThePictureToolPlacesTheChosenPicture) {
  nv::document::ProgramSettings settings;
  nv::document::ToolState tools(settings);
  tools.SetActivePage(nv::document::ToolPage::Design);
  tools.Press("CBImage");
  nv::dialogs::PropertyDialogServices services;
  services.Parent = &Editor();
  nv::editor::EditorDialogs dialogs(services);
  nv::document::ElementActions actions(Score(), dialogs, &tools, [] {});
  const SavedScore saved(Score());
  const int objects = Score().CurrentInstrument()->TextsRow().Count();
  const TECPageObject* original = &Picture();

  Answer<nv::dialogs::TFDCImageInput>([](nv::dialogs::TFDCImageInput& dialog) { dialog.reject(); });
  actions.PageClick(200, 300);
  ExpectUnchanged(saved);

  Answer<nv::dialogs::TFDCImageInput>([this](nv::dialogs::TFDCImageInput& dialog) {
    ASSERT_TRUE(dialog.LoadFile(bitmap_.string()));
    ClickOk(dialog);
  });
  actions.PageClick(200, 300);
  ASSERT_EQ(Score().CurrentInstrument()->TextsRow().Count(), objects + 1);
  const TECPagePicture* placed = nullptr;
  for (const auto& object : Score().CurrentInstrument()->TextsRow().Objects)
    if (object.get() != original) placed = static_cast<const TECPagePicture*>(object.get());
  ASSERT_NE(placed, nullptr);
  ASSERT_TRUE(placed->Picture.has_value());
  EXPECT_EQ(placed->Picture->Data, FileBytes(bitmap_));
  EXPECT_EQ(placed->Width, 100);
  EXPECT_EQ(placed->Height, 50);
  ExpectOneStepBackTo(saved);
}

}  // namespace
