#include "widgets/typed_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>

#include "field_fixture.h"
#include "widgets/over_editor.h"
#include "widgets/popup_calculator.h"
#include "widgets/popup_calendar.h"
#include "widgets/popup_list_box.h"
#include "widgets/popup_time.h"

namespace {

using namespace nv::widgets;

const Date kToday{2024, 6, 15};

struct EditorTest : field_fixture::ShownDialog {
  EditorTest() : editor(&dialog, settings, &beeper, clock) {
    editor.setGeometry(20, 20, 150, 21);
    editor.SetToday([] { return kToday; });
    editor.onChangeData = [this] { ++changes; };
  }
  void Type(const QString& text) { QTest::keyClicks(&editor, text); }

  TECEditor editor;
  int changes = 0;
};

TEST_F(EditorTest, ANewEditorIsAnIntegerFieldWithTheCalculator) {
  EXPECT_EQ(editor.EditType(), etInteger);
  EXPECT_EQ(editor.text(), "0");
  EXPECT_EQ(editor.ButtonWidth(), 20);
  EXPECT_NE(dynamic_cast<TECOverCalculator*>(editor.OverEditor()), nullptr);
}

TEST_F(EditorTest, AnIntegerFieldRefusesLettersAndTakesSignsAnywhere) {
  Show(editor);
  editor.setText("");
  Type("1a-2+");
  EXPECT_EQ(editor.text(), "1-2+");
  EXPECT_EQ(beeper.count, 1);
}

TEST_F(EditorTest, ARealFieldTakesOnlyTheProgramsSeparator) {
  for (const char separator : {',', '.'}) {
    settings.decimalSeparator = separator;
    editor.SetEditType(etReal);
    Show(editor);
    editor.setText("");
    Type("1,5.2");
    EXPECT_EQ(editor.text(), separator == ',' ? "1,52" : "15.2");
    editor.SetEditType(etString);
  }
  EXPECT_EQ(beeper.count, 2);
}

TEST_F(EditorTest, ADropDownListBeepsAtEveryKeyAndOpensWithAltDown) {
  editor.SetEditType(etString);
  editor.SetEditStyle(esDropDownList);
  editor.SetDropDownList({"Inscription", "Dinamic", "Tempo"});
  editor.setText("Tempo");
  Show(editor);
  Type("ab");
  QTest::keyClick(&editor, Qt::Key_Backspace);
  EXPECT_EQ(beeper.count, 3);
  EXPECT_EQ(editor.text(), "Tempo");

  const QColor highlight = editor.palette().color(QPalette::Highlight);
  EXPECT_EQ(editor.grab().toImage().pixelColor(4, 4), highlight) << "focused and closed";
  QTest::keyClick(&editor, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(editor.ListVisible());
  EXPECT_EQ(editor.ListBox()->ItemIndex(), 2);
  EXPECT_NE(editor.grab().toImage().pixelColor(4, 4), highlight) << "open";
  QTest::keyClick(&editor, Qt::Key_Up);
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_FALSE(editor.ListVisible());
  EXPECT_EQ(editor.text(), "Dinamic");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditorTest, TheListSearchesWhatIsTypedQuickly) {
  editor.SetEditType(etString);
  editor.SetEditStyle(esDropDown);
  editor.SetDropDownList({"xyz", "abd", "abc", "abcd", "cde"});
  Show(editor);
  editor.DropDown();
  PopupListBox& list = *editor.ListBox();
  Type("a");
  clock.Advance(1900);
  Type("bc");
  EXPECT_EQ(list.ItemIndex(), 2);
  clock.Advance(2100);
  Type("c");
  EXPECT_EQ(list.ItemIndex(), 4);
  QTest::keyClick(&editor, Qt::Key_Escape);
  EXPECT_FALSE(editor.ListVisible());
  EXPECT_EQ(editor.text(), "0") << "Escape keeps the text";
  EXPECT_EQ(changes, 0);
  editor.DropDown();
  Type("q");
  EXPECT_EQ(list.ItemIndex(), -1) << "nothing begins with q, and the text is in no item";
}

TEST_F(EditorTest, ADropDownOpensAboveAtTheScreensBottomAndStopsAtItsLeft) {
  editor.SetEditType(etDate);
  Show(editor);
  const QRect area = editor.screen()->availableGeometry();
  dialog.move(area.left(), area.bottom() - 60);
  QCoreApplication::processEvents();
  editor.DropDown();
  TEcPopupWindow* popup = editor.ActiveDropDown();
  ASSERT_TRUE(editor.ListVisible());
  const QPoint field = editor.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(popup->geometry().bottom(), field.y() - 1) << "opens above";
  EXPECT_EQ(popup->size(), QSize(187, 124));
  EXPECT_EQ(popup->x(), std::max(area.left(), field.x() + editor.width() - 187));
  EXPECT_EQ(popup->x(), area.left()) << "wider than the field, stopped at the left";
}

TEST_F(EditorTest, LeavingAfterATypedChangeFiresUntilSetValue) {
  QLineEdit other(&dialog);
  other.move(20, 80);
  Show(editor);
  Type("5");
  other.setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(changes, 1);
  editor.setFocus();
  other.setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(changes, 2);
  editor.SetValue(5);
  editor.setFocus();
  other.setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(changes, 2);
}

TEST_F(EditorTest, TheTypeSetsTheText) {
  editor.SetEditType(etDate);
  EXPECT_EQ(editor.text(), "15/06/2024");
  EXPECT_EQ(std::get<Date>(editor.GetValue()), kToday);
  editor.setText("abc");
  editor.SetEditType(etString);
  EXPECT_EQ(editor.text(), "abc");
  editor.SetEditType(etCurrency);
  EXPECT_EQ(editor.text(), "0");
  editor.SetValue(2.999);
  EXPECT_EQ(editor.text(), "2.99");
}

TEST_F(EditorTest, TextsThatDoNotReadAreErrorsAndStay) {
  for (const char* text : {"12a", "99999999999"}) {
    editor.setText(text);
    try {
      editor.GetValue();
      ADD_FAILURE() << text;
    } catch (const ConversionError& error) {
      EXPECT_NE(std::string(error.what()).find(text), std::string::npos);
      EXPECT_NE(std::string(error.what()).find("integer"), std::string::npos);
    }
    EXPECT_EQ(editor.text(), text);
  }
}

TEST_F(EditorTest, AReadOnlyFieldTakesNoPaste) {
  QApplication::clipboard()->setText("77");
  editor.setReadOnly(true);
  Show(editor);
  QTest::keySequence(&editor, QKeySequence::Paste);
  EXPECT_EQ(editor.text(), "0");
}

TEST_F(EditorTest, TheCalculatorTakesForwardedKeysAndItsResultIsAccepted) {
  editor.setText("");
  Show(editor);
  QTest::keyClick(&editor, Qt::Key_Down, Qt::AltModifier);
  auto* calculator = static_cast<TECPopupCalculator*>(editor.ActiveDropDown());
  ASSERT_TRUE(editor.ListVisible());
  EXPECT_EQ(calculator->size(), QSize(98, 124));
  EXPECT_EQ(calculator->GetValueText(), "0") << "loaded from an empty text";
  Type("12*3");
  EXPECT_EQ(editor.text(), "3") << "the field follows the display";
  Type("=");
  EXPECT_FALSE(editor.ListVisible());
  EXPECT_EQ(editor.text(), "36");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditorTest, ACancelledPopupLeavesTheText) {
  editor.setText("7");
  Show(editor);
  editor.DropDown();
  auto* calculator = static_cast<TECPopupCalculator*>(editor.ActiveDropDown());
  calculator->Engine().Paste("99");
  calculator->onClose(CalculatorEngine::kCancel);
  EXPECT_FALSE(editor.ListVisible());
  EXPECT_EQ(editor.text(), "99") << "the field followed the display while open";
  EXPECT_EQ(changes, 0) << "but nothing was accepted";

  editor.SetEditType(etDate);
  editor.SetValue(Date{2024, 1, 31});
  editor.DropDown();
  auto* calendar = static_cast<TECPopupCalendar*>(editor.ActiveDropDown());
  QTest::keyClick(&editor, Qt::Key_PageDown);
  EXPECT_EQ(calendar->Title(), "February, 2024");
  calendar->Calendar().onResultClick(2);
  EXPECT_FALSE(editor.ListVisible());
  EXPECT_EQ(editor.text(), "31/01/2024");
  EXPECT_EQ(changes, 0);
}

TEST_F(EditorTest, TheCalendarStepsMonthsAndSelectsToday) {
  editor.SetEditType(etDate);
  editor.SetValue(Date{2024, 1, 31});
  Show(editor);
  editor.DropDown();
  auto* calendar = static_cast<TECPopupCalendar*>(editor.ActiveDropDown());
  QTest::keyClick(&editor, Qt::Key_PageUp);
  EXPECT_EQ(calendar->Calendar().Model().CalendarDate(), (Date{2023, 12, 31}));
  QTest::keyClick(&editor, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(calendar->Calendar().Model().CalendarDate(), (Date{2024, 12, 31}));
  Type("t");
  EXPECT_EQ(calendar->Calendar().Model().CalendarDate(), kToday);
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_EQ(editor.text(), "15/06/2024");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditorTest, PopupsFallBackOnValuesThatDoNotRead) {
  editor.SetEditType(etDate);
  auto* calendar = static_cast<TECPopupCalendar*>(editor.OverEditor()->CreatePopup());
  calendar->SetValue(std::string("31/02/2024"));
  EXPECT_EQ(calendar->Calendar().Model().CalendarDate(), kToday);
  editor.SetEditType(etTime);
  auto* time = static_cast<TECPopupTime*>(editor.OverEditor()->CreatePopup());
  time->SetValue(std::string("12:30:15"));
  EXPECT_EQ(time->GetValueText(), "12:30:15");
  time->SetValue(std::string("25:61:00"));
  EXPECT_EQ(time->GetValueText(), "00:00:00");
}

TEST_F(EditorTest, TheTimePopupFitsItsFormat) {
  editor.SetEditType(etTime);
  auto* full = static_cast<TECPopupTime*>(editor.OverEditor()->CreatePopup());
  EXPECT_EQ(full->size(), QSize(68, 54));
  EXPECT_EQ(full->Model().SpinnerCount(), 3);
  settings.longTimeFormat = "HH:MM";
  TECEditor shortField(&dialog, settings, &beeper, clock);
  shortField.SetEditType(etTime);
  auto* brief = static_cast<TECPopupTime*>(shortField.OverEditor()->CreatePopup());
  EXPECT_EQ(brief->size(), QSize(48, 54));
  brief->SetValue(std::string("23:10"));
  const QRect hour = brief->SpinnerRect(TimePanelModel::kHour);
  QTest::mouseClick(brief, Qt::LeftButton, {}, hour.topLeft() + QPoint(2, 2));
  EXPECT_EQ(brief->GetValueText(), "00:10");
  Show(shortField);
  shortField.DropDown();
  QTest::keyClick(&shortField, Qt::Key_Up);
  EXPECT_EQ(brief->GetValueText(), "01:10");
  EXPECT_EQ(shortField.text(), "01:10") << "the field follows the spinners";
}

}  // namespace
