#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "document/score_document.h"
#include "widgets/document_signals.h"

namespace {

TEST(DocumentSignals, ReEmitTheDocumentsNotices) {
  nv::document::ScoreDocument document;
  nv::widgets::DocumentSignals signals(document);
  QSignalSpy changed(&signals, &nv::widgets::DocumentSignals::Changed);
  QSignalSpy staves(&signals, &nv::widgets::DocumentSignals::StaveChanged);
  QSignalSpy undo(&signals, &nv::widgets::DocumentSignals::UndoChanged);
  QSignalSpy modified(&signals, &nv::widgets::DocumentSignals::ModifiedChanged);
  QSignalSpy pageClicks(&signals, &nv::widgets::DocumentSignals::PageClick);
  document.Score().AddInstrument();
  document.Score().OnPageClick(&document.Score(), 12, 34);
  // At once on the GUI thread.
  EXPECT_GE(changed.count(), 1);
  ASSERT_GE(staves.count(), 1);
  EXPECT_EQ(staves.first().first().toInt(), static_cast<int>(TECStaveOperation::soAdded));
  EXPECT_GE(undo.count(), 1);
  EXPECT_EQ(modified.count(), 1);
  ASSERT_EQ(pageClicks.count(), 1);
  EXPECT_EQ(pageClicks.first(), (QList<QVariant>{12, 34}));
}

// Notices raised on another thread come on the GUI thread, after the ones
// raised before them and before the ones raised after them.
TEST(DocumentSignals, NoticesFromAnotherThreadComeQueuedInTheOrderRaised) {
  nv::document::ScoreDocument document;
  nv::widgets::DocumentSignals signals(document);
  std::vector<std::string> order;
  std::vector<bool> onGuiThread;
  QThread* gui = QThread::currentThread();
  auto note = [&](const std::string& what) {
    order.push_back(what);
    onGuiThread.push_back(QThread::currentThread() == gui);
  };
  QObject::connect(&signals, &nv::widgets::DocumentSignals::PlayEnded, [&] { note("end"); });
  QObject::connect(&signals, &nv::widgets::DocumentSignals::MidiIn,
                   [&](int status, int data1, unsigned, int) { note("midi " + std::to_string(status) + " " + std::to_string(data1)); });
  QObject::connect(&signals, &nv::widgets::DocumentSignals::Changed, [&] { note("changed"); });

  document.Notices().Changed();
  std::thread player([&] {
    document.Notices().MidiIn(0x90, 60, 0, 64);
    document.Notices().PlayEnded();
  });
  player.join();
  // Raised on the GUI thread while the others wait: it waits behind them.
  document.Notices().Changed();
  EXPECT_EQ(order, std::vector<std::string>{"changed"});
  QCoreApplication::processEvents();
  EXPECT_EQ(order, (std::vector<std::string>{"changed", "midi 144 60", "end", "changed"}));
  EXPECT_EQ(onGuiThread, std::vector<bool>(4, true));
}

}  // namespace
