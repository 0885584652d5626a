#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "editor/chord_editor.h"
#include "editor/guitar.h"
#include "editor/music_keyboard.h"
#include "screenshot.h"

namespace nv::editor {
namespace {

QRgb Rgb(int value) { return 0xFF000000u | static_cast<QRgb>(value); }

TEST(ControlPaint, PianoColoursItsOctaves) {
  for (int width : {600, 900}) {
    TECMusicKeyboard piano;
    piano.Color = 0xE7CBE6;
    piano.Model().SetMaxDuration(7);
    piano.resize(width, 80);
    piano.Model().SetOffsetOctave(4);
    piano.Model().MarkPlayedMidiKey(64, true);  // E5 sounding
    piano.Model().MarkPlayedMidiKey(66, true);  // F sharp 5 sounding
    const QImage image = Shot(piano, "piano_" + std::to_string(width));
    const KeyboardModel& m = piano.Model();
    EXPECT_EQ(m.WhiteKeyX(23), 16);
    // Left of the letter, below the black keys.
    auto white = [&](const QImage& shot, int i) { return shot.pixel(m.WhiteKeyX(i) + 2, 70); };
    EXPECT_EQ(white(image, 23), Rgb(0xFFFFFF)) << width;  // C5
    EXPECT_EQ(white(image, 25), Rgb(0xFF0000)) << width;  // E5
    EXPECT_EQ(white(image, 30), Rgb(0xEBEAFF)) << width;  // C6
    EXPECT_EQ(image.pixel(m.WhiteKeyX(52) + 3, 70), Rgb(0xFFFAEA)) << width;  // past C8
    EXPECT_EQ(image.pixel(m.WhiteKeyX(27), 20), Rgb(0xDF0000)) << width;      // F sharp 5
    piano.Model().SetOffsetOctave(3);
    const QImage lower = Shot(piano, "piano_" + std::to_string(width) + "_offset3");
    EXPECT_EQ(white(lower, 16), Rgb(0xEAFFFF)) << width;  // C4
  }
}

TEST(ControlPaint, GuitarMarksItsFingers) {
  for (int width : {800, 500}) {
    TECGuitar guitar;
    guitar.Color = 0x315984;
    guitar.Font.color = 0xC0FFFF;
    guitar.Model().SetFretCount(24);
    guitar.Model().SetStringCount(7);
    guitar.resize(width, 72);
    guitar.OnGetNoteName = [](int fetch, int string) {
      static const char* names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
      static const int open[] = {76, 72, 68, 64, 60, 56, 52};
      return std::string(names[(fetch + open[string] + 1) % 12]);
    };
    guitar.Model().SetFret(0, 1);
    guitar.Model().SetFret(2, 4);
    guitar.Model().SetFret(5, 13);
    const QImage image = Shot(guitar, "guitar_" + std::to_string(width));
    const FretboardModel& m = guitar.Model();
    // The open-string marker sits over the panel; a fret marker in the space before its wire.
    EXPECT_EQ(image.pixel(2, m.StringY(0) - 3), Rgb(0xFFFF00));
    EXPECT_EQ(image.pixel(m.SpaceLeft(3) + m.SpaceWidth(3) / 2 - 6, m.StringY(2) - 3), Rgb(0xFFFF00));
    EXPECT_EQ(image.pixel(5, m.StringY(1) - 3), Rgb(0x000000));  // the panel, no finger
  }
}

TEST(ControlPaint, ChordEditorShowsTheSelectedPieceAndItsCaret) {
  for (int width : {120, 60}) {
    TECChordEditor editor;
    editor.Font.size = 12;
    editor.resize(width, 40);
    ChordPiece c{12, 0, 0, 0, "C", {}};
    ChordPiece m{12, 0, 0, 0, "m", {}};
    ChordPiece seven{9, 0, 1, -2, "7", {}};
    editor.Model().Pieces = {c, m, seven};
    editor.Model().LayoutPieces();
    editor.Model().SetSelectedPiece(2);
    editor.show();
    editor.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    const QImage image = Shot(editor, "chord_" + std::to_string(width));
    const platform::Rect caret = editor.Model().CaretLine();
    // The XOR caret turns the white background black.
    EXPECT_EQ(image.pixel(caret.left, (caret.top + caret.bottom) / 2), Rgb(0x000000));
    bool red = false;
    const platform::Rect& r = editor.Model().Pieces[2].bounds;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const QColor pixel(image.pixel(x, y));
        red = red || (pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80);
      }
    EXPECT_TRUE(red);
  }
}

TEST(ControlPaint, TinyControlsPaintAndIgnoreClicksAndKeys) {
  TECMusicKeyboard piano;
  piano.resize(20, 20);
  int keyClicks = 0;
  piano.Model().OnKeyClick = [&](int, int, int) { ++keyClicks; };
  TECGuitar guitar;
  guitar.resize(100, 5);
  int fretChanges = 0;
  guitar.Model().OnFretChanged = [&](int, int, int) { ++fretChanges; };
  TECChordEditor editor;
  editor.resize(10, 10);
  EXPECT_FALSE(piano.grab().isNull());
  EXPECT_FALSE(guitar.grab().isNull());
  EXPECT_FALSE(editor.grab().isNull());
  for (const QPoint at : {QPoint(0, 0), QPoint(5, 10), QPoint(19, 19)}) {
    QTest::mouseClick(&piano, Qt::LeftButton, {}, at);
    QTest::mouseClick(&guitar, Qt::LeftButton, {}, QPoint(at.x() * 5, at.y() / 4));
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(at.x() / 2, at.y() / 2));
  }
  for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
    QTest::keyClick(&piano, key);
    QTest::keyClick(&guitar, key);
  }
  for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                            Qt::Key_Home, Qt::Key_End, Qt::Key_Insert})
    QTest::keyClick(&editor, key);
  EXPECT_EQ(fretChanges, 0);
  EXPECT_TRUE(editor.Model().Pieces.empty());
  EXPECT_FALSE(piano.grab().isNull());
  EXPECT_FALSE(editor.grab().isNull());
  EXPECT_EQ(keyClicks, 0);
}

}  // namespace
}  // namespace nv::editor
