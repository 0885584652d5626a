#include "dialogs/notation_palettes.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <array>

#include "dialogs/key_signature_face.h"
#include "dialogs/logic/clef_labels.h"
#include "dialogs/logic/key_signature_map.h"
#include "dialogs/music_face.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

namespace glyph = nv::render::glyph;

// The component names of the key buttons, by position.
constexpr std::array<const char*, key_signature::kButtonCount> kKeyButtons = {
    "CBC_dur",  "CBG_dur",  "CBD_dur",   "CBA_dur",   "CBE_dur",  "CBH_dur",   "CBFis_dur", "CBCis_dur",
    "CBF_dur",  "CBB_dur",  "CBEs_dur",  "CBAs_dur",  "CBDes_dur", "CBGes_dur", "CBCes_dur"};

std::vector<Choice> KeyChoices() {
  std::vector<Choice> choices;
  for (int position = 0; position < key_signature::kButtonCount; ++position) {
    const int code = key_signature::CodeAt(position);
    Choice choice;
    choice.value = code;
    choice.name = QString::fromLatin1(kKeyButtons[position]);
    choice.hint = QString::fromStdString(key_signature::NameOf(code));
    choice.paint = [code](QPainter& painter, const QRect& area) { PaintKeySignatureFace(painter, area, code); };
    choice.cell = position <= 7 ? QPoint(0, position) : QPoint(1, position - 7);
    choices.push_back(std::move(choice));
  }
  return choices;
}

// The digit of a key, also as the shifted symbols of the usual layout give it.
int DigitOf(const QKeyEvent& event) {
  if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) return event.key() - Qt::Key_0;
  static const QString shifted = QStringLiteral(")!@#$%^&*(");
  const int index = event.text().isEmpty() ? -1 : static_cast<int>(shifted.indexOf(event.text().front()));
  return index;
}

// One clef's drawing: the glyph of the music font at size 18 and its extras.
struct ClefDrawing {
  const char* label;
  std::uint8_t glyph;
  int y;
};

constexpr std::array<ClefDrawing, 15> kClefs = {{
    {"Violin", glyph::GClef, 1},
    {"Bass", glyph::FClef, 17},
    {"Alt", glyph::CClef, 16},
    {"Violin octava", glyph::GClef, 1},
    {"Violin octava basso", glyph::GClef, 1},
    {"Bass octava basso", glyph::FClef, 16},
    {"Bariton(Bass)", glyph::FClef, 23},
    {"Tenor", glyph::CClef, 10},
    {"Soprano", glyph::CClef, 28},
    {"Mezzosoprano", glyph::CClef, 22},
    {"Bariton(C)", glyph::CClef, 4},
    {"Violin", glyph::GClef, 1},
    {"Tablature", 0, 0},
    {"Percussion 1", 0, 0},
    {"Percussion 2", 0, 0},
}};

void PaintClefFace(QPainter& painter, const QRect& area, int index) {
  const int x = area.left();
  const int top = area.top();
  painter.setPen(Qt::black);
  for (int line = 0; line < 5; ++line)
    painter.drawLine(x + 1, top + 18 + line * 6, area.right() - 1, top + 18 + line * 6);
  const QFont music = MusicFont(18);
  QFont octave = MusicFont(11);
  octave.setItalic(true);
  const ClefDrawing& clef = kClefs[index];
  switch (index) {
    case 3: DrawMusicChar(painter, octave, {x + 18, top + 4}, glyph::Octave8); break;
    case 4: DrawMusicChar(painter, octave, {x + 18, top + 38}, glyph::Octave8); break;
    case 5: DrawMusicChar(painter, octave, {x + 15, top + 34}, glyph::Octave8); break;
    case 11: DrawMusicChar(painter, music, {x + 11, top + 1}, glyph::GClef); break;
    case 12: {
      painter.setFont(FormFont(QStringLiteral("Arial"), 9, true));
      const int ascent = painter.fontMetrics().ascent();
      painter.drawText(x + 3, top + 11 + ascent, QStringLiteral("T"));
      painter.drawText(x + 3, top + 22 + ascent, QStringLiteral("A"));
      painter.drawText(x + 3, top + 32 + ascent, QStringLiteral("B"));
      break;
    }
    case 13:
      painter.fillRect(x + 5, top + 20, 7, 2, Qt::black);
      painter.fillRect(x + 5, top + 40, 7, 2, Qt::black);
      painter.fillRect(x + 5, top + 20, 1, 22, Qt::black);
      painter.fillRect(x + 11, top + 20, 1, 22, Qt::black);
      break;
    case 14:
      painter.fillRect(x + 5, top + 24, 3, 13, Qt::black);
      painter.fillRect(x + 9, top + 24, 3, 13, Qt::black);
      break;
    default: break;
  }
  if (clef.glyph != 0) DrawMusicChar(painter, music, {x + 3, top + clef.y}, clef.glyph);

  const QFont labelFont = FormFont(QStringLiteral("Arial"), 8, false, true);
  painter.setFont(labelFont);
  const QFontMetrics metrics(labelFont);
  const QString label = QString::fromLatin1(clef.label);
  const auto lines = BreakClefLabel(label.toStdU32String(), area.width(), [&](char32_t c) {
    return metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
  });
  int y = area.bottom() + 1 - 28;
  for (const std::u32string& line : lines) {
    painter.drawText(QRect(x, y, area.width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromStdU32String(line));
    y += 12;
  }
}

std::vector<Choice> ClefChoices() {
  std::vector<Choice> choices;
  for (int index = 0; index < static_cast<int>(kClefs.size()); ++index) {
    Choice choice;
    choice.value = index;
    choice.name = QStringLiteral("CBClef%1").arg(index);
    choice.hint = QString::fromLatin1(kClefs[index].label);
    choice.paint = [index](QPainter& painter, const QRect& area) { PaintClefFace(painter, area, index); };
    choices.push_back(std::move(choice));
  }
  return choices;
}

std::vector<Choice> BracketChoices() {
  const char* captions[] = {"(  )", "[  ]", "{  }"};
  const char* names[] = {"CBRound", "CBSquare", "CBCurly"};
  std::vector<Choice> choices;
  for (int i = 0; i < 3; ++i) {
    Choice choice;
    choice.value = i;
    choice.name = QString::fromLatin1(names[i]);
    choice.caption = QString::fromLatin1(captions[i]);
    choices.push_back(std::move(choice));
  }
  return choices;
}

}  // namespace

KeySignaturePalette::KeySignaturePalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FDCChooseTone"), QStringLiteral("Tones"), {115, 428}, KeyChoices(),
                    {2, {51, 52}, {6, 6}}, parent) {}

void KeySignaturePalette::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  const int code = key_signature::CodeForKey(DigitOf(*event), shift, alt);
  if (code < 0) {
    ChoicePalette::keyPressEvent(event);
    return;
  }
  SetCurrent(code);
  Choose(code);
}

ClefPalette::ClefPalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FChooseKey"), QStringLiteral("Сlefs"), {247, 427}, ClefChoices(),
                    {3, {79, 84}, {5, 3}}, parent) {}

BracketPalette::BracketPalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FBracketStyles"), QStringLiteral("Bracket style"), {136, 31}, BracketChoices(),
                    {3, {42, 23}, {5, 4}}, parent) {}

}  // namespace nv::dialogs
