#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/file_option_dialogs.h"
#include "dialogs/grace_notes_dialog.h"
#include "dialogs/logic/grace_preview.h"
#include "dialogs/score_object_dialogs.h"
#include "dialogs/text_input_dialog.h"
#include "platform/ini_file.h"
#include "widgets/char_button.h"
#include "support/recorded_messages.h"

namespace nv::dialogs {
namespace {

using nv::platform::IniFile;


IniFile Settings(const std::string& text = "") { return IniFile::FromText("/nonexistent/ProgramSetting.ini", text); }

TEST(CountDialogs, KeepTheirRanges) {
  TFDCPauseCount rest(nullptr);
  EXPECT_EQ(rest.Count(), 2);
  rest.SetCount(1);
  EXPECT_EQ(rest.Count(), 2);
  rest.SetCount(25);
  EXPECT_EQ(rest.Count(), 20);
  TFDCPartNumber part(nullptr);
  part.SetNumber(0);
  part.SetCount(21);
  EXPECT_EQ(part.Number(), 1);
  EXPECT_EQ(part.Count(), 20);
  TFBarNumber bar(nullptr);
  EXPECT_EQ(bar.Start(), 1);
  bar.SetStart(0);
  EXPECT_EQ(bar.Start(), 1);
}

TEST(RehearsalMarkDialog, LettersAndDigitsAsTyped) {
  TFRehearsalMarkCount letters(RehearsalMarkKind::Letters, nullptr);
  letters.SetValue(2);
  EXPECT_EQ(letters.Text(), QStringLiteral("C"));
  auto* edit = letters.findChild<QComboBox*>("CBValue")->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("e"));
  EXPECT_EQ(edit->text(), QStringLiteral("E"));
  EXPECT_EQ(letters.GetValue(), 4);

  TFRehearsalMarkCount digits(RehearsalMarkKind::Digits, nullptr);
  digits.SetValue(12);
  auto* digitEdit = digits.findChild<QComboBox*>("CBValue")->lineEdit();
  digitEdit->selectAll();
  QTest::keyClicks(digitEdit, QStringLiteral("x"));
  EXPECT_EQ(digitEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(digits.GetValue(), 0);
  EXPECT_EQ(digitEdit->maxLength(), 2);
}

TEST(BarreDialog, ShowsTheStoredStyleAndWritesItAfterCancel) {
  IniFile settings = Settings("[BarrePropertiesForm]\nStyle=149\nFret=40\n");
  {
    TFBarreProperties dialog(&settings);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("RGType1")->isChecked());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("RGAmount5")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("CBBrackets")->isChecked());
    EXPECT_EQ(dialog.GetBarreStyle(), 149);
    EXPECT_EQ(dialog.GetFret(), 31);
    dialog.SetFret(7);
    dialog.SetBarreStyle(255);
    EXPECT_EQ(dialog.GetBarreStyle(), 128 + 19);
    dialog.SetLineStyle(3);
    dialog.reject();
  }
  EXPECT_EQ(settings.ReadString("BarrePropertiesForm", "Fret", ""), "7");
  EXPECT_EQ(settings.ReadString("BarrePropertiesForm", "Style", ""), "147");
  EXPECT_EQ(settings.ReadString("BarrePropertiesForm", "LineStyle", "none"), "none");
}

TEST(BarreDialog, LineStyleButtonShowsANavyLine) {
  TFBarreProperties dialog(nullptr);
  dialog.SetLineStyle(0);
  QWidget* button = dialog.Fields().Control(QStringLiteral("CBLineStyle"));
  button->resize(40, 24);
  const QImage face = button->grab().toImage();
  // Two navy rows across the middle, clear of the sides.
  std::vector<int> rows;
  for (int y = 0; y < face.height(); ++y)
    if (face.pixelColor(20, y) == QColor(0, 0, 128)) rows.push_back(y);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], rows[0] + 1);
  EXPECT_NEAR(rows[0], 11, 1);
  EXPECT_NE(face.pixelColor(0, rows[0]), QColor(0, 0, 128));
  EXPECT_NE(face.pixelColor(face.width() - 1, rows[0]), QColor(0, 0, 128));
}

TEST(TempoDialog, RefusesTempiOutside1To512) {
  RecordedMessages answers;
  TFDCTempoInput dialog(nullptr);
  EXPECT_EQ(dialog.GetTempo(), 120);
  EXPECT_EQ(dialog.GetBeatNote(), 32);
  dialog.SetBeatNote(256);
  EXPECT_EQ(dialog.GetBeatNote(), 32);
  dialog.SetBeatNote(64);
  EXPECT_EQ(dialog.GetBeatNote(), 64);
  struct Case {
    const char* typed;
    bool accepted;
  };
  for (const Case& c : {Case{"0", false}, {"513", false}, {"", false}, {"1", true}, {"512", true}}) {
    dialog.show();
    dialog.setResult(0);
    dialog.Fields().SetValue(QStringLiteral("ETempo"), std::string(c.typed));
    const int before = answers.shown;
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.typed;
    EXPECT_EQ(answers.shown - before, c.accepted ? 0 : 1) << c.typed;
  }
}

TEST(ImportMidiDialog, StoredChoicesAndCancelWritesThem) {
  IniFile settings = Settings("[ImportMIDIForm]\nQuantize=12\nImportMIDI=1\n");
  {
    TFImportMIDI dialog(&settings);
    EXPECT_EQ(dialog.GetQuantizeDuration(), 8);
    EXPECT_TRUE(dialog.GetTracksOnSeparateSheets());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("RGTracks1")->isChecked());
    dialog.SetQuantizeDuration(3);
    EXPECT_EQ(dialog.GetQuantizeDuration(), 8);
    dialog.SetQuantizeDuration(32);
    dialog.SetTracksOnSeparateSheets(false);
    dialog.reject();
  }
  EXPECT_EQ(settings.ReadString("ImportMIDIForm", "Quantize", ""), "32");
  EXPECT_EQ(settings.ReadString("ImportMIDIForm", "ImportMIDI", ""), "0");
}

TEST(ExportDialog, PagesReachTheLastAndDragEachOther) {
  IniFile settings = Settings("[ExportSetting]\nQuality=5\nScale=900\n");
  TFExportSetting dialog(&settings);
  EXPECT_EQ(dialog.GetQuality(), 20);
  EXPECT_EQ(dialog.GetScale(), 200);
  dialog.SetPageCount(5);
  dialog.SetToPage(5);
  dialog.SetFromPage(5);
  EXPECT_EQ(dialog.GetFromPage(), 5);
  dialog.SetFromPage(2);
  dialog.SetToPage(3);
  // The user raises the from-page with its up-down past the to-page.
  auto* from = static_cast<QSpinBox*>(dialog.Fields().Control(QStringLiteral("UDFromPage")));
  from->stepUp();
  from->stepUp();
  EXPECT_EQ(dialog.GetFromPage(), 4);
  EXPECT_EQ(dialog.GetToPage(), 4);
  auto* to = static_cast<QSpinBox*>(dialog.Fields().Control(QStringLiteral("UDToPage")));
  to->stepDown();
  EXPECT_EQ(dialog.GetToPage(), 3);
  EXPECT_EQ(dialog.GetFromPage(), 3);

  dialog.SetFormatOptions(TFExportSetting::kQualityBit);
  dialog.show();
  EXPECT_FALSE(dialog.Fields().Control(QStringLiteral("RGPixelFormat"))->isVisible());
  EXPECT_TRUE(dialog.Fields().Control(QStringLiteral("TBQuality"))->isVisible());
}

nv::document::GraceNotesValues MainG() {
  nv::document::GraceNotesValues values;
  values.Main = {5, 5, 32, 0};
  return values;
}

TEST(GraceDialog, ButtonsAndKeysEditTheModel) {
  TFDCVorschlagInput dialog(nullptr);
  dialog.SetNote(MainG());
  dialog.SetCount(5);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_End);
  EXPECT_EQ(dialog.Model().Current(), 4);
  dialog.SetCount(3);
  EXPECT_EQ(dialog.Model().Current(), 2);
  QTest::keyClick(&dialog, Qt::Key_Home);
  EXPECT_EQ(dialog.Model().Current(), 0);
  // Up lowers, Down raises.
  QTest::keyClick(&dialog, Qt::Key_Up);
  EXPECT_EQ(dialog.Model().SlotAt(0).Step, 4);
  QTest::keyClick(&dialog, Qt::Key_Down);
  QTest::keyClick(&dialog, Qt::Key_Down);
  EXPECT_EQ(dialog.Model().SlotAt(0).Step, 6);

  auto* flat = dialog.findChild<nv::widgets::TECCharButton*>("CBBemol");
  QTest::mouseClick(flat, Qt::LeftButton);
  EXPECT_EQ(dialog.Model().SlotAt(0).Accidental, 'g');
  EXPECT_TRUE(flat->Down());
  QTest::mouseClick(flat, Qt::LeftButton);
  EXPECT_EQ(dialog.Model().SlotAt(0).Accidental, 0);
  EXPECT_FALSE(flat->Down());

  dialog.findChild<QRadioButton*>("RGPlace1")->setChecked(true);
  dialog.findChild<QRadioButton*>("RGStyle1")->setChecked(true);
  dialog.findChild<QCheckBox*>("CBSlur")->setChecked(true);
  EXPECT_EQ(dialog.GetOptions(), 224);
  dialog.SetDuration(64);
  EXPECT_TRUE(dialog.findChild<nv::widgets::TECCharButton*>("CBNote4")->Down());
  EXPECT_EQ(dialog.GetDuration(), 32);
}

TEST(GraceDialog, APressInThePreviewSelectsTheNoteUnderIt) {
  TFDCVorschlagInput dialog(nullptr);
  dialog.SetNote(MainG());
  dialog.SetCount(3);
  const GracePreviewLayout layout =
      LayOutGracePreview(dialog.Model(), {0, 0, GracePreviewView::kWidth, GracePreviewView::kHeight});
  QTest::mouseClick(&dialog.Preview(), Qt::LeftButton, {}, QPoint(layout.GlyphX[1] + 2, 40));
  EXPECT_EQ(dialog.Model().Current(), 1);
}

// The first run of black ink in one column of the preview from 6 rows
// above `y`: the staff's grey lines and the marker's colours are not black.
std::pair<int, int> InkRows(const QImage& image, int x, int y) {
  int first = -1;
  int last = -1;
  for (int row = y - 6; row <= y + 6; ++row) {
    const bool ink = qGray(image.pixel(x, row)) < 96;
    if (ink && first < 0) first = row;
    if (ink) last = row;
    if (!ink && first >= 0) break;
  }
  return {first, last};
}

// In the drawn preview each head, the main note's and the grace notes',
// sits on its own pitch, and a grace head is more than half as high as a
// staff space.
TEST(GraceDialog, HeadsAreDrawnOnTheirPitch) {
  TFDCVorschlagInput dialog(nullptr);
  dialog.SetNote(MainG());
  dialog.SetCount(3);
  dialog.SetDuration(16);
  dialog.SetOptions(grace_option::kAfter | grace_option::kSlur);
  dialog.show();
  // The second note two steps up, the marker on it.
  QTest::keyClick(&dialog, Qt::Key_Right);
  QTest::keyClick(&dialog, Qt::Key_Down);
  QTest::keyClick(&dialog, Qt::Key_Down);
  ASSERT_EQ(dialog.Model().SlotAt(1).Step, 7);
  const GracePreviewLayout layout =
      LayOutGracePreview(dialog.Model(), {0, 0, GracePreviewView::kWidth, GracePreviewView::kHeight});
  const QImage& image = dialog.Preview().Image();
  const auto [mainTop, mainBottom] = InkRows(image, layout.MainX + 4, layout.MainY);
  EXPECT_NEAR((mainTop + mainBottom) / 2.0, layout.MainY, 1);
  for (std::size_t i = 1; i < 3; ++i) {
    const auto [top, bottom] = InkRows(image, layout.GlyphX[i] + 2, layout.HeadY[i]);
    ASSERT_GE(top, 0) << "grace note " << i;
    EXPECT_NEAR((top + bottom) / 2.0, layout.HeadY[i], 1) << "grace note " << i;
    EXPECT_GE(bottom - top + 1, 4) << "grace note " << i;
  }
}

TEST(TextDialog, EmptyMemoIsRefusedAndStaysOpen) {
  RecordedMessages answers;
  TFDCTextInput dialog(nullptr);
  dialog.show();
  dialog.accept();
  EXPECT_EQ(answers.shown, 1);
  EXPECT_EQ(answers.lastCaption, "Error");
  EXPECT_EQ(answers.lastText, "Input text, Please!");
  EXPECT_TRUE(dialog.isVisible());
  dialog.Memo().setPlainText(QStringLiteral("Allegro"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(TextDialog, SizesFontsAndColours) {
  TFDCTextInput dialog(nullptr);
  auto* size = dialog.findChild<QSpinBox*>("UDSize");
  auto* sizes = dialog.findChild<QListWidget*>("LBSize");
  size->setValue(14);
  EXPECT_EQ(sizes->currentItem()->text(), QStringLiteral("14"));
  size->setValue(13);
  EXPECT_EQ(dialog.GetValues().FontSize, 13);
  EXPECT_TRUE(sizes->selectedItems().isEmpty());
  size->setValue(100);
  EXPECT_EQ(size->value(), 72);

  auto* music = dialog.findChild<QCheckBox*>("CBMusicSymbols");
  auto* names = dialog.findChild<QListWidget*>("LBName");
  music->setChecked(true);
  EXPECT_EQ(dialog.GetValues().FontName, "Vorod Iduriza");
  EXPECT_FALSE(dialog.findChild<QWidget*>("PNotes")->isHidden());
  names->setCurrentRow(-1);
  music->setChecked(false);
  ASSERT_GT(names->count(), 0);
  EXPECT_EQ(QString::fromStdString(dialog.GetValues().FontName), names->item(0)->text());
  EXPECT_TRUE(dialog.findChild<QWidget*>("PNotes")->isHidden());

  nv::document::TextInputValues white;
  white.Lines = {"a"};
  white.FontColor = 0xFFFFFF;
  dialog.SetValues(white);
  EXPECT_EQ(dialog.Memo().palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
  white.FontColor = 0x0000FF;
  dialog.SetValues(white);
  EXPECT_EQ(dialog.Memo().palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(TextDialog, MusicCharactersGoInAtTheCaret) {
  TFDCTextInput dialog(nullptr);
  nv::document::TextInputValues values;
  values.Lines = {"ab"};
  values.FontName = "Vorod Iduriza";
  dialog.SetValues(values);
  QTextCursor caret = dialog.Memo().textCursor();
  caret.setPosition(1);
  dialog.Memo().setTextCursor(caret);
  auto* violin = dialog.findChild<nv::widgets::TECCharButton*>("CBChar0");
  ASSERT_NE(violin, nullptr);
  QTest::mouseClick(violin, Qt::LeftButton);
  EXPECT_EQ(dialog.Memo().toPlainText(), QStringLiteral("a$b"));
}

TEST(TextDialog, AlignToNotesIsWrittenOnEveryClickAndSampleModeIsReadOnly) {
  IniFile settings = Settings("[TextInputForm]\nAlignmentNote=0\n");
  TFDCTextInput dialog(&settings);
  auto* align = dialog.findChild<QCheckBox*>("CBAlignmentNote");
  EXPECT_FALSE(align->isChecked());
  align->click();
  EXPECT_TRUE(settings.ReadBool("TextInputForm", "AlignmentNote", false));
  align->click();
  EXPECT_FALSE(settings.ReadBool("TextInputForm", "AlignmentNote", true));

  dialog.SetSampleMode(true);
  dialog.show();
  EXPECT_TRUE(dialog.Memo().isReadOnly());
  EXPECT_TRUE(dialog.Memo().toPlainText().endsWith(QStringLiteral("Simple")));
  EXPECT_FALSE(align->isVisible());
}

}  // namespace
}  // namespace nv::dialogs
