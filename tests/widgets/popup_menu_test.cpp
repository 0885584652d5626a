#include "widgets/popup_menu.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <optional>

#include "control_fixture.h"
#include "document/undo_captions.h"
#include "model/memory_stream.h"
#include "widgets/logic/popup_menu_model.h"

namespace {

using nv::widgets::TECPopupMenu;

const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// A font whose line is `h` pixels high, if the machine has one.
std::optional<QFont> FontOfHeight(int h) {
  QFont font = QApplication::font();
  for (int pixels = 4; pixels < 3 * h; ++pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).height() == h) return font;
  }
  return std::nullopt;
}

// Mouse events sent straight to a widget: they leave no button held in the
// test library's state for the tests that come after.
void Send(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}
void MoveTo(QWidget* widget, QPoint at) { Send(widget, QEvent::MouseMove, Qt::NoButton, at); }
void Press(QWidget* widget, Qt::MouseButton button, QPoint at) { Send(widget, QEvent::MouseButtonPress, button, at); }
void Release(QWidget* widget, Qt::MouseButton button, QPoint at) {
  Send(widget, QEvent::MouseButtonRelease, button, at);
}

// Runs the deferred deletions a closing list posted.
void ProcessDeletes() {
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
}

class PopupMenuTest : public ::testing::Test {
 protected:
  PopupMenuTest() {
    owner.resize(300, 200);
    owner.show();
    list = new TECPopupMenu(&owner);
    list->SetItems({"Insert note", "Tie notes", "Add text"});
  }
  ~PopupMenuTest() override { delete list.data(); }
  void Show(bool footer) {
    if (footer)
      list->onGetMessage = [this](int count) {
        counts.push_back(count);
        return QString::fromStdString(nv::widgets::HistoryFooterText("Undo", count, "steps"));
      };
    list->Popup(owner.mapToGlobal(QPoint(10, 30)));
    ASSERT_TRUE(list->isVisible());
  }
  int LineY(int line) const { return line * list->Model().LineHeight() + list->Model().LineHeight() / 2; }
  // The colour at the left margin of a line, where no text stands.
  QRgb LineColour(const QImage& image, int line) const { return image.pixel(1, LineY(line)); }
  // Whether the text of a line has pixels of `colour`.
  bool TextIn(const QImage& image, int line, QRgb colour) const {
    for (int x = 2; x < image.width(); ++x)
      if (image.pixel(x, LineY(line)) == colour) return true;
    return false;
  }

  QWidget owner;
  QPointer<TECPopupMenu> list;
  std::vector<int> counts;
};

TEST_F(PopupMenuTest, ThreeLinesOf13PixelsGiveAWindow43HighAnd65WithAFooter) {
  const std::optional<QFont> font = FontOfHeight(13);
  if (!font) GTEST_SKIP() << "no font with 13-pixel lines";
  list->setFont(*font);
  list->Popup(QPoint(0, 0));
  EXPECT_EQ(list->height(), 43);
  EXPECT_EQ(list->width(), 200);
  list->hide();
  Show(true);
  EXPECT_EQ(list->height(), 65);
}

TEST_F(PopupMenuTest, IsAFramelessToolWindowThatTakesNoFocusAndShowsUnderItsButton) {
  QPushButton undo("Undo", &owner);
  undo.setGeometry(40, 10, 60, 24);
  undo.show();
  list->PopupUnder(undo);
  const Qt::WindowFlags flags = list->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(list->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(list->pos(), undo.mapToGlobal(QPoint(0, 24)));
}

TEST_F(PopupMenuTest, AnEmptyListWithoutAFooterDoesNotAppear) {
  list->SetItems({});
  list->Popup(QPoint(0, 0));
  EXPECT_FALSE(list->isVisible());
}

TEST_F(PopupMenuTest, HoveringPaintsTheLinesDownToThePointerNavyWithWhiteText) {
  Show(false);
  MoveTo(list, QPoint(50, LineY(2)));
  QImage image = list->grab().toImage();
  for (int line = 0; line < 3; ++line) {
    EXPECT_EQ(LineColour(image, line), kNavy) << line;
    EXPECT_TRUE(TextIn(image, line, kWhite)) << line;
  }
  MoveTo(list, QPoint(50, LineY(0)));
  image = list->grab().toImage();
  EXPECT_EQ(LineColour(image, 0), kNavy);
  EXPECT_TRUE(TextIn(image, 0, kWhite));
  for (int line = 1; line < 3; ++line) {
    EXPECT_EQ(LineColour(image, line), kWhite) << line;
    EXPECT_TRUE(TextIn(image, line, kBlack)) << line;
    EXPECT_FALSE(TextIn(image, line, kNavy)) << line;
  }
}

TEST_F(PopupMenuTest, TheFooterIsAskedForTheSelectedCount) {
  Show(true);
  MoveTo(list, QPoint(50, LineY(1)));
  counts.clear();
  list->grab();
  EXPECT_EQ(counts, std::vector<int>{2});
}

TEST_F(PopupMenuTest, ReleasingOnALineClicksItAndTheListFreesItself) {
  std::vector<int> clicked;
  list->onClick = [&](int index) { clicked.push_back(index); };
  Show(true);
  MoveTo(list, QPoint(50, LineY(1)));
  Release(list, Qt::LeftButton, QPoint(50, LineY(1)));
  EXPECT_EQ(clicked, std::vector<int>{1});
  EXPECT_FALSE(list->isVisible());
  ProcessDeletes();
  EXPECT_TRUE(list.isNull());
}

TEST_F(PopupMenuTest, ReleasingOnTheFooterClosesWithoutAClick) {
  bool clicked = false;
  list->onClick = [&](int) { clicked = true; };
  Show(true);
  Release(list, Qt::LeftButton, QPoint(50, list->height() - 5));
  EXPECT_FALSE(clicked);
  ProcessDeletes();
  EXPECT_TRUE(list.isNull());
}

TEST_F(PopupMenuTest, APressOutsideTheLinesOrOnAnotherWidgetCloses) {
  Show(true);
  Press(list, Qt::LeftButton, QPoint(50, LineY(1)));
  EXPECT_TRUE(list->isVisible()) << "a press on a line keeps the list";
  Press(list, Qt::RightButton, QPoint(50, list->height() - 5));
  ProcessDeletes();
  EXPECT_TRUE(list.isNull());

  list = new TECPopupMenu(&owner);
  list->SetItems({"Insert note"});
  list->Popup(QPoint(0, 0));
  Press(&owner, Qt::LeftButton, QPoint(5, 5));
  ProcessDeletes();
  EXPECT_TRUE(list.isNull());
}

// Choosing a line of the redo list redoes that many steps.
using RedoList = control_fixture::ShownControl;

TEST_F(RedoList, ChoosingTheThirdLineIsThreeSingleRedos) {
  TECNote* note = Note(0, 1, 5, 32, 0);
  score().SelectElement(note, 0);
  for (int step = 0; step < 4; ++step) score().MoveSelectionVert(1);
  auto bytes = [this] {
    MemoryStream stream;
    score().SaveToStream(stream);
    return stream.Data();
  };
  score().Undo(4);
  const auto undone = bytes();
  for (int step = 0; step < 3; ++step) score().Redo(1);
  const auto threeRedos = bytes();
  ASSERT_NE(threeRedos, undone);
  score().Undo(3);
  ASSERT_EQ(bytes(), undone);

  struct Texts : nv::platform::FormTexts {
    std::string GetString(std::string_view, int n) const override { return "step " + std::to_string(n); }
  } texts;
  QPointer<TECPopupMenu> redo = new TECPopupMenu(&control);
  QStringList lines;
  for (const std::string& caption : nv::document::RedoCaptions(score(), texts))
    lines << QString::fromStdString(caption);
  ASSERT_EQ(lines.size(), 4);
  redo->SetItems(lines);
  redo->onClick = [this](int index) { score().Redo(index + 1); };
  redo->Popup(control.mapToGlobal(QPoint(0, 0)));
  const int y = 2 * redo->Model().LineHeight() + 1;
  MoveTo(redo, QPoint(20, y));
  Release(redo, Qt::LeftButton, QPoint(20, y));
  EXPECT_EQ(bytes(), threeRedos);
  ProcessDeletes();
  EXPECT_TRUE(redo.isNull());
}

}  // namespace
