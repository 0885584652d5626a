// The history drop-down on a real display under a window manager: showing
// it and clicking its lines leave the main window active with its focus,
// and a click into another window closes it. Clicks are real X events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include "widgets/logic/popup_menu_model.h"
#include "widgets/popup_menu.h"

namespace {

using nv::widgets::TECPopupMenu;

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(150);
}

void ClickAt(const QPoint& global) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
  Xdotool({"click", "1"});
}

class HistoryDropDown : public ::testing::Test {
 protected:
  HistoryDropDown() {
    main.setWindowTitle("Main");
    main.setGeometry(100, 100, 400, 300);
    undo.setParent(&main);
    undo.setText("Undo");
    undo.setGeometry(10, 10, 60, 24);
    editor.setParent(&main);
    editor.setGeometry(10, 200, 200, 24);
    other.setWindowTitle("Other");
    other.setGeometry(600, 100, 200, 150);
  }

  void ShowMain() {
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    editor.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor.hasFocus(); }, 2000));
  }

  void Open() {
    list = new TECPopupMenu(&main);
    list->SetItems({"Insert note", "Tie notes", "Add text"});
    list->onGetMessage = [](int count) {
      return QString::fromStdString(nv::widgets::HistoryFooterText("Undo", count, "steps"));
    };
    list->onClick = [this](int index) { clicked.push_back(index); };
    list->PopupUnder(undo);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
  }

  void ExpectMainKept(const char* after) {
    QTest::qWait(200);
    EXPECT_EQ(QApplication::activeWindow(), &main) << after;
    EXPECT_TRUE(editor.hasFocus()) << after;
  }

  bool Closed() {
    return QTest::qWaitFor(
        [&] {
          QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
          return list.isNull();
        },
        2000);
  }

  QWidget main;
  QToolButton undo;
  QLineEdit editor;
  QWidget other;
  QPointer<TECPopupMenu> list;
  std::vector<int> clicked;
};

TEST_F(HistoryDropDown, ShowingAndChoosingLeaveTheMainWindowActive) {
  ShowMain();
  Open();
  EXPECT_EQ(list->geometry().topLeft(), undo.mapToGlobal(QPoint(0, undo.height())));
  ExpectMainKept("showing the list");
  const int h = list->Model().LineHeight();
  Xdotool({"mousemove", "--sync", QString::number(list->mapToGlobal(QPoint(30, 2 * h + h / 2)).x()),
           QString::number(list->mapToGlobal(QPoint(30, 2 * h + h / 2)).y())});
  EXPECT_EQ(list->Model().HotIndex(), 2);
  ExpectMainKept("hovering");
  Xdotool({"click", "1"});
  EXPECT_EQ(clicked, std::vector<int>{2});
  EXPECT_TRUE(Closed());
  ExpectMainKept("choosing");
}

TEST_F(HistoryDropDown, AClickIntoAnotherWindowClosesTheList) {
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  ShowMain();
  Open();
  ClickAt(other.mapToGlobal(other.rect().center()));
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(clicked.empty());
}

TEST_F(HistoryDropDown, AClickElsewhereInTheMainWindowClosesTheList) {
  ShowMain();
  Open();
  ClickAt(main.mapToGlobal(QPoint(300, 150)));
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(clicked.empty());
}

}  // namespace
