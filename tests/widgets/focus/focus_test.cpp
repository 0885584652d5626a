// The drop-downs never take the focus: on a real display under a window
// manager, opening, clicking into and typing at a pop-up leaves the keyboard
// focus on its field and the dialog active. Clicks and keys are real X
// events (xdotool), so the window manager sees them as a user's.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "widgets/beeper.h"
#include "widgets/popup_calculator.h"
#include "widgets/popup_calendar.h"
#include "widgets/popup_list_box.h"
#include "widgets/popup_time.h"
#include "widgets/typed_editor.h"

namespace {

using namespace nv::widgets;

struct SilentBeeper : Beeper {
  void Beep() override {}
};

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(150);
}

void ClickAt(const QPoint& global) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
  Xdotool({"click", "1"});
}

enum class Kind { List, Calculator, Calendar, Time };
enum class Opening { AltDown, Button };

struct Case {
  Kind kind;
  Opening opening;
};

std::string Name(const ::testing::TestParamInfo<Case>& info) {
  static const char* kinds[] = {"List", "Calculator", "Calendar", "Time"};
  return std::string(kinds[static_cast<int>(info.param.kind)]) +
         (info.param.opening == Opening::AltDown ? "ByAltDown" : "ByButton");
}

class NoFocusTheft : public ::testing::TestWithParam<Case> {
 protected:
  NoFocusTheft() : field(&dialog, settings, &beeper) {
    dialog.setWindowTitle("Fields");
    dialog.resize(360, 240);
    field.setGeometry(20, 20, 140, 22);
    blank.setParent(&dialog);
    blank.setGeometry(200, 150, 120, 60);
    field.onChangeData = [this] { ++changes; };
    switch (GetParam().kind) {
      case Kind::List:
        field.SetEditType(etString);
        field.SetEditStyle(esDropDown);
        field.SetDropDownList({"Inscription", "Dinamic", "Tempo"});
        field.SetValue(std::string("Inscription"));
        break;
      case Kind::Calculator: field.SetValue(0); break;
      case Kind::Calendar:
        field.SetEditType(etDate);
        field.SetValue(Date{2024, 3, 15});
        break;
      case Kind::Time:
        field.SetEditType(etTime);
        field.SetValue(TimeOfDay{10, 20, 30});
        break;
    }
  }

  void ExpectFocusKept(const char* after) {
    QTest::qWait(200);
    EXPECT_EQ(QApplication::focusWidget(), &field) << after;
    EXPECT_EQ(QApplication::activeWindow(), &dialog) << after;
    EXPECT_TRUE(field.hasFocus()) << after;
  }

  void Open() {
    if (GetParam().opening == Opening::AltDown) Xdotool({"key", "alt+Down"});
    else ClickAt(field.mapToGlobal(field.ButtonRect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return field.ListVisible(); }, 2000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(field.ActiveDropDown()));
    ExpectFocusKept("opening");
  }

  FormatSettings settings;
  SilentBeeper beeper;
  QDialog dialog;
  TECEditor field;
  QLabel blank;
  int changes = 0;
};

TEST_P(NoFocusTheft, ClicksAndKeysLeaveTheFocusOnTheField) {
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  field.setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field.hasFocus(); }, 2000));
  Open();
  TEcPopupWindow* popup = field.ActiveDropDown();

  switch (GetParam().kind) {
    case Kind::List: {
      Xdotool({"type", "te"});
      EXPECT_EQ(static_cast<PopupListBox*>(popup)->ItemIndex(), 2) << "the search reached the list";
      ExpectFocusKept("typing");
      // A click on an item chooses it and closes the list.
      ClickAt(popup->mapToGlobal(QPoint(20, 2 + PopupListBox::kItemHeight + 5)));
      EXPECT_FALSE(field.ListVisible());
      EXPECT_EQ(field.text(), "Dinamic");
      ExpectFocusKept("clicking the list");
      changes = 0;
      Open();
      break;
    }
    case Kind::Calculator: {
      auto* calculator = static_cast<TECPopupCalculator*>(popup);
      ClickAt(calculator->mapToGlobal(calculator->Panel().KeyButton(7)->geometry().center()));
      EXPECT_EQ(calculator->GetValueText(), "7") << "the click pressed the key";
      ExpectFocusKept("clicking a key");
      Xdotool({"type", "25"});
      EXPECT_EQ(calculator->GetValueText(), "725") << "the typed digits reached the calculator";
      ExpectFocusKept("typing");
      break;
    }
    case Kind::Calendar: {
      auto* calendar = static_cast<TECPopupCalendar*>(popup);
      ClickAt(calendar->mapToGlobal(calendar->StepButton(2)->geometry().center() + QPoint(1, 1)));
      EXPECT_EQ(calendar->Title(), "April, 2024") << "the click stepped a month";
      ExpectFocusKept("clicking the month step");
      Xdotool({"key", "Prior", "Prior"});
      EXPECT_EQ(calendar->Title(), "February, 2024") << "Page Up reached the calendar";
      ExpectFocusKept("typing");
      break;
    }
    case Kind::Time: {
      auto* time = static_cast<TECPopupTime*>(popup);
      ClickAt(time->mapToGlobal(time->SpinnerRect(TimePanelModel::kHour).topLeft() + QPoint(3, 3)));
      EXPECT_EQ(time->GetValueText(), "11:20:30") << "the click moved the hour";
      ExpectFocusKept("clicking a spinner");
      Xdotool({"key", "Up"});
      EXPECT_EQ(time->GetValueText(), "12:20:30") << "Up reached the spinners";
      ExpectFocusKept("typing");
      break;
    }
  }

  // A click elsewhere in the dialog closes without accepting.
  const QString shown = field.text();
  ClickAt(blank.mapToGlobal(blank.rect().center()));
  EXPECT_FALSE(field.ListVisible());
  EXPECT_FALSE(field.ActiveDropDown()->isVisible());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(field.text(), shown);
}

INSTANTIATE_TEST_SUITE_P(
    DropDowns, NoFocusTheft,
    ::testing::Values(Case{Kind::List, Opening::AltDown}, Case{Kind::List, Opening::Button},
                      Case{Kind::Calculator, Opening::AltDown},
                      Case{Kind::Calculator, Opening::Button},
                      Case{Kind::Calendar, Opening::AltDown}, Case{Kind::Calendar, Opening::Button},
                      Case{Kind::Time, Opening::AltDown}, Case{Kind::Time, Opening::Button}),
    Name);

}  // namespace
