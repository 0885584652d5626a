#include "dialogs/insert_stand_ins.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace nv::dialogs {
namespace {

// Runs `answer` on the modal form once it shows.
void WhenShown(std::function<void(QDialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

void SetBox(QDialog& dialog, const char* name, int value) {
  auto* box = dialog.findChild<QSpinBox*>(name);
  ASSERT_NE(box, nullptr) << name;
  box->setValue(value);
}

TEST(InsertStandIns, OkGivesTheValuesBack) {
  InsertStandIns dialogs(nullptr);
  nv::document::TempoValues tempo;
  WhenShown([](QDialog& d) {
    EXPECT_EQ(d.objectName(), "TFDCTempoInput");
    EXPECT_EQ(d.findChild<QSpinBox*>("Tempo")->value(), 120);
    SetBox(d, "Tempo", 96);
    d.accept();
  });
  ASSERT_TRUE(dialogs.TempoInput(tempo));
  EXPECT_EQ(tempo.Tempo, 96);
  EXPECT_EQ(tempo.BeatNote, 32);
}

TEST(InsertStandIns, CancelKeepsTheValuesButTheBarRestCount) {
  InsertStandIns dialogs(nullptr);
  nv::document::PartNumberValues part;
  WhenShown([](QDialog& d) {
    SetBox(d, "Count", 5);
    d.reject();
  });
  EXPECT_FALSE(dialogs.PartNumber(part));
  EXPECT_EQ(part.Count, 1);
  int bars = 2;
  WhenShown([](QDialog& d) {
    SetBox(d, "Bars", 6);
    d.reject();
  });
  EXPECT_FALSE(dialogs.PauseCount(bars));
  EXPECT_EQ(bars, 6) << "the bar-rest count is kept however the form closes";
}

TEST(InsertStandIns, TextComesBackLineByLine) {
  InsertStandIns dialogs(nullptr);
  nv::document::TextInputValues text;
  text.FontName = "DejaVu Sans";
  text.FontStyle = 2;
  WhenShown([](QDialog& d) {
    auto* memo = d.findChild<QPlainTextEdit*>("Memo");
    EXPECT_TRUE(memo->font().italic());
    memo->setPlainText("dolce\ncantabile");
    d.findChild<QCheckBox*>("AlignToNotes")->setChecked(true);
    d.accept();
  });
  ASSERT_TRUE(dialogs.TextInput(text));
  EXPECT_EQ(text.Lines, (std::vector<std::string>{"dolce", "cantabile"}));
  EXPECT_TRUE(text.AlignToNotes);
}

}  // namespace
}  // namespace nv::dialogs
