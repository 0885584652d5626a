#include "app/main_window.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/instrument.h"
#include "model/music_score.h"
#include "widgets/score_control.h"

namespace {

TEST(MainWindow, IsCaptionedWithTheProgramName) {
  nv::app::MainWindow window;
  EXPECT_EQ(window.windowTitle(), QString("Notavistra"));
}

TEST(MainWindow, ShowsAnEmptyScoreInAScoreControl) {
  nv::app::MainWindow window;
  EXPECT_EQ(window.centralWidget(), &window.Score());
  EXPECT_EQ(window.Score().Score().InstrumentCount(), 0);
}

TEST(MainWindow, OpensAScoreFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("two.sfd");
  {
    TECMusicScore saved;
    saved.AppendInstrument()->AppendRow();
    saved.AppendInstrument()->AppendRow();
    saved.SaveToFile(path.toStdString());
  }
  nv::app::MainWindow window;
  EXPECT_EQ(window.OpenScore(path), QString());
  EXPECT_EQ(window.Score().Score().InstrumentCount(), 2);
}

// A file that does not load gives the load error's message and leaves the
// empty score.
TEST(MainWindow, AFileThatDoesNotLoadGivesItsErrorAndAnEmptyScore) {
  QTemporaryDir dir;
  const QString damaged = dir.filePath("damaged.sfd");
  QFile file(damaged);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a score");
  file.close();
  const QString missing = dir.filePath("missing.sfd");
  for (const QString& path : {damaged, missing}) {
    nv::app::MainWindow window;
    std::string expected;
    try {
      TECMusicScore probe;
      probe.LoadFromFile(path.toStdString());
    } catch (const std::exception& error) {
      expected = error.what();
    }
    ASSERT_FALSE(expected.empty()) << path.toStdString();
    EXPECT_EQ(window.OpenScore(path).toStdString(), expected);
    EXPECT_EQ(window.Score().Score().InstrumentCount(), 0);
  }
}

}  // namespace
