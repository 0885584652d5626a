// The tracks grid's volume pop-up on a real display under a window
// manager: it opens with its top-right corner at the cell's bottom-right,
// and a click elsewhere closes and frees it. Clicks are real X events
// (xdotool), so the window manager sees them as a user's.

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include "document/score_document.h"
#include "editor/tracks_grid.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(150);
}

void ClickAt(const QPoint& global) {
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
  Xdotool({"click", "1"});
}

TEST(TracksPopup, OpensUnderTheCellAndAClickElsewhereClosesIt) {
  nv::document::ScoreDocument document;
  TECMusicScore& score = document.Score();
  score.SetLockUndo(true);
  if (score.InstrumentCount() == 0) score.AddInstrument();
  TECInstrument& staff = *score.GetInstrumentAt(0);
  if (staff.GetRowCount() == 0) staff.AppendRow();
  staff.GetRow(0)->SetVolume(100);
  score.SetLockUndo(false);

  QWidget window;
  window.setGeometry(100, 100, 320, 200);
  nv::editor::TECTracksGrid grid(document, &window);
  grid.setGeometry(0, 0, 320, 160);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const TECRow& row = *staff.GetRow(0);
  const int gridRow = grid.Model().NodeOf(&row)->Row();
  grid.SetCurrentCell(4, gridRow);
  grid.EditButtonClicked();
  QPointer<nv::dialogs::TFVolumeBalance> popup = grid.VolumePopup();
  ASSERT_FALSE(popup.isNull());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  QTest::qWait(200);
  const QPoint corner = grid.viewport()->mapToGlobal(grid.CellRect(4, gridRow).bottomRight() + QPoint(1, 1));
  EXPECT_EQ(popup->frameGeometry().topRight() + QPoint(1, 0), corner);
  EXPECT_EQ(popup->Value(), 100);

  ClickAt(popup->LockBox()->mapToGlobal(popup->LockBox()->rect().center()));
  EXPECT_EQ(row.Volume(), -1);
  EXPECT_FALSE(popup.isNull());

  ClickAt(grid.viewport()->mapToGlobal(grid.CellRect(0, gridRow).center()));
  QTest::qWait(200);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(popup.isNull());
  EXPECT_EQ(grid.CellText(4, gridRow), "--");
}

}  // namespace
