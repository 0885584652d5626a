// The palettes that hold several values or pages: transposition,
// microtones, row alignment, joining and rehearsal marks.
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "dialogs/arrangement_palettes.h"
#include "dialogs/form_fields.h"
#include "dialogs/microtone_palette.h"
#include "dialogs/rehearsal_mark_palette.h"
#include "dialogs/transpose_palette.h"
#include "platform/ini_file.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

using nv::platform::IniFile;
using nv::widgets::TECCharButton;

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

template <typename T>
T* Child(QObject& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
}

TEST(TransposePalette, ADirectionBoundsTheUpDownAndEachChangeReports) {
  TransposePalette palette;
  std::vector<int> reported;
  palette.SetOnSelect([&](TransposePalette&, int steps) { reported.push_back(steps); });
  palette.SetPitch(3);
  palette.SetDirection(true);
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(palette.Pitch(), 3);
  for (int i = 0; i < 5; ++i) palette.UpDown()->stepDown();
  EXPECT_EQ(palette.Pitch(), 1);
  // Negating upwards-only steps cannot give a downward one.
  palette.SignButton()->click();
  EXPECT_EQ(palette.Pitch(), 1);
  EXPECT_EQ(reported, (std::vector<int>{2, 1}));

  TransposePalette down;
  down.SetPitch(-4);
  down.SetDirection(false);
  EXPECT_EQ(down.UpDown()->minimum(), -127);
  EXPECT_EQ(down.UpDown()->maximum(), -1);
  TransposePalette both;
  both.SetPitch(12);
  both.SignButton()->click();
  EXPECT_EQ(both.Pitch(), -12);
}

TEST(MicrotonePalette, ShowsThePageOfTheCodeWithItsButtonDown) {
  MicrotonePalette palette;
  const struct {
    int code;
    int page;
    const char* hint;
  } cases[] = {{48, 1, "+3/8"}, {3, 0, "- 3/4"}, {33, 1, "-1/8"}, {1, 0, "- 1/4"}};
  for (const auto& c : cases) {
    palette.SetMicrotone(c.code);
    EXPECT_EQ(palette.Pages()->currentIndex(), c.page) << c.code;
    EXPECT_EQ(palette.Microtone(), c.code);
    EXPECT_EQ(palette.ButtonOf(c.code)->toolTip(), c.hint);
    int down = 0;
    for (TECCharButton* button : palette.findChildren<TECCharButton*>()) down += button->Down() ? 1 : 0;
    EXPECT_EQ(down, 1) << c.code;
  }
  // The getter reads the page shown only.
  palette.SetMicrotone(48);
  palette.Pages()->setCurrentIndex(0);
  EXPECT_EQ(palette.Microtone(), 0);
  palette.SetMicrotone(38);
  EXPECT_EQ(palette.Microtone(), 0);
  // The eighth tones show the glyphs the score draws for them.
  EXPECT_EQ(palette.ButtonOf(34)->Char(), 0xE3);
  EXPECT_EQ(palette.ButtonOf(48)->Char(), 0xE5);
}

TEST(MicrotonePalette, AClickReportsAndCloses) {
  QPointer<MicrotonePalette> palette = new MicrotonePalette;
  std::vector<int> chosen;
  palette->SetOnSelect([&](MicrotonePalette&, int code) { chosen.push_back(code); });
  palette->SetMicrotone(35);
  palette->Open();
  QTest::mouseClick(palette->ButtonOf(48), Qt::LeftButton);
  EXPECT_EQ(chosen, std::vector<int>{48});
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
}

TEST(RowAlignmentPalette, UntickingActiveDisablesTheRestAndReportsOnce) {
  RowAlignmentPalette palette(nullptr);
  int reports = 0;
  palette.SetOnSelect([&](DialogPalette&) { ++reports; });
  palette.SetActive(true);
  palette.SetAlignKind(0);
  palette.SetNoteDensity(true);
  palette.SetMeasureCount(4);
  palette.SetHorzAlign(true);
  EXPECT_EQ(reports, 0);
  EXPECT_TRUE(Child<QCheckBox>(palette, "CBNoteDensity")->isEnabled());
  EXPECT_FALSE(Child<QSpinBox>(palette, "UDMeasureCount")->isEnabled());

  Child<QCheckBox>(palette, "CBActive")->click();
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(palette.GetActive());
  for (const char* name : {"GBNoteInterval", "CBHorzAlign", "CBNoteDensity", "UDMeasureCount", "SBEvenly",
                           "SBEvenlyLabel"})
    EXPECT_FALSE(Child<QWidget>(palette, name)->isEnabled()) << name;
  EXPECT_TRUE(palette.GetHorzAlign());
  EXPECT_EQ(palette.GetMeasureCount(), 4);
}

TEST(RowAlignmentPalette, PositionalEnablesTheMeasureCount) {
  RowAlignmentPalette palette(nullptr);
  int reports = 0;
  palette.SetOnSelect([&](DialogPalette&) { ++reports; });
  palette.show();
  QTest::mouseClick(Child<TECCharButton>(palette, "SBPositional"), Qt::LeftButton);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(palette.GetAlignKind(), 2);
  EXPECT_TRUE(Child<QSpinBox>(palette, "UDMeasureCount")->isEnabled());
  EXPECT_FALSE(Child<QCheckBox>(palette, "CBNoteDensity")->isEnabled());
  // The kind stays chosen: a second click does not leave all up.
  QTest::mouseClick(Child<TECCharButton>(palette, "SBPositional"), Qt::LeftButton);
  EXPECT_EQ(palette.GetAlignKind(), 2);
  palette.SetMeasureCount(0);
  EXPECT_EQ(palette.GetMeasureCount(), 1);
}

TEST(DialogPalettes, TheModesHaveTheirHeightsAndButtons) {
  RowAlignmentPalette rows(nullptr);
  JoinNotesPalette join(nullptr);
  EXPECT_EQ(rows.height(), 172);
  EXPECT_EQ(join.height(), 180);
  EXPECT_TRUE(rows.OkButton()->isHidden());
  rows.SetDialogMode(true);
  join.SetDialogMode(true);
  EXPECT_EQ(rows.height(), 214);
  EXPECT_EQ(join.height(), 222);
  EXPECT_FALSE(rows.OkButton()->isHidden());
  EXPECT_FALSE(rows.CancelButton()->isHidden());
  // The dialogs' own buttons, with their glyphs.
  EXPECT_EQ(rows.OkButton()->text(), "&Ok");
  EXPECT_FALSE(rows.OkButton()->icon().isNull());
  EXPECT_EQ(join.CancelButton()->text(), "Ca&ncel");
  rows.SetDialogMode(false);
  EXPECT_EQ(rows.height(), 172);
}

TEST(JoinNotesPalette, ACountOfItsOwnPressesTheCustomButton) {
  JoinNotesPalette palette(nullptr);
  int reports = 0;
  palette.SetOnSelect([&](DialogPalette&) { ++reports; });
  const struct {
    int count;
    const char* button;
    int given;
  } cases[] = {{5, "SBCustom", 5}, {-1, "SBByTimeSignature", -1}, {0, "SBNone", 0}, {1, "SBFullBar", 1},
               {-7, "SBCustom", 2}};
  for (const auto& c : cases) {
    palette.SetUnionCount(c.count);
    for (const char* name : {"SBNone", "SBFullBar", "SBByTimeSignature", "SBCustom"})
      EXPECT_EQ(Child<TECCharButton>(palette, name)->Down(), std::string(name) == c.button) << c.count << name;
    EXPECT_EQ(palette.GetUnionCount(), c.given) << c.count;
  }
  palette.show();
  palette.SetUnionCount(5);
  EXPECT_EQ(Child<QSpinBox>(palette, "UDCount")->value(), 5);
  EXPECT_TRUE(Child<QSpinBox>(palette, "UDCount")->isEnabled());
  EXPECT_EQ(reports, 0);
  QTest::mouseClick(Child<TECCharButton>(palette, "SBFullBar"), Qt::LeftButton);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(palette.GetUnionCount(), 1);
  EXPECT_FALSE(Child<QSpinBox>(palette, "UDCount")->isEnabled());
  palette.SetActive(false);
  EXPECT_FALSE(Child<QWidget>(palette, "GBJoinNotes")->isEnabled());
}

TEST(DialogPalettes, DialogModeRunsModallyAndKeepsItsPlace) {
  IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini", "[BarUnionForm]\nBounds=50,60,400,400\n");
  for (bool viaOk : {true, false}) {
    auto* palette = new JoinNotesPalette(&settings);
    QPointer<JoinNotesPalette> alive(palette);
    palette->SetUnionCount(3);
    QTimer::singleShot(0, palette, [&] {
      EXPECT_TRUE(palette->isVisible());
      EXPECT_EQ(palette->pos(), QPoint(50, 60));
      // A dialog stays when it loses the focus.
      palette->clearFocus();
      QApplication::processEvents();
      (viaOk ? palette->OkButton() : palette->CancelButton())->click();
    });
    EXPECT_EQ(palette->Exec(), viaOk ? 1 : 0);
    FlushDeletes();
    ASSERT_FALSE(alive.isNull());  // the opener frees it
    EXPECT_EQ(palette->GetUnionCount(), 3);
    palette->move(70, 80);
    delete palette;
    const std::string bounds = settings.ReadString("BarUnionForm", "Bounds", "");
    EXPECT_EQ(bounds.rfind("70,80,", 0), 0U) << bounds;
    settings.WriteString("BarUnionForm", "Bounds", "50,60,400,400");
  }
  // Escape ends the dialog as Cancel does.
  JoinNotesPalette escaped(nullptr);
  QTimer::singleShot(0, &escaped, [&] { QTest::keyClick(&escaped, Qt::Key_Escape); });
  EXPECT_EQ(escaped.Exec(), 0);
}

TEST(RehearsalMarkPalette, GroupsReportAndTheBorderIsOnePixel) {
  IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini", "[RehearsalMarkForm]\nBounds=30,40,1,1\n");
  {
    RehearsalMarkPalette palette(&settings);
    EXPECT_EQ(palette.pos(), QPoint(30, 40));
    int reports = 0;
    palette.SetOnSelect([&](RehearsalMarkPalette&) { ++reports; });
    palette.SetNumeration(1);
    palette.SetKind(1);
    palette.SetBorder(2);
    palette.SetBorderWidth(4);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(palette.GetNumeration(), 1);
    EXPECT_EQ(palette.GetKind(), 1);
    EXPECT_EQ(palette.GetBorder(), 2);
    EXPECT_EQ(palette.GetBorderWidth(), 1);
    Child<QRadioButton>(palette, "RGBorder1")->click();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(palette.GetBorder(), 1);
    palette.move(35, 45);
  }
  EXPECT_EQ(settings.ReadString("RehearsalMarkForm", "Bounds", "").rfind("35,45,", 0), 0U);
}

}  // namespace
}  // namespace nv::dialogs
