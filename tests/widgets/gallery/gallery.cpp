#include "gallery/gallery.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/font_faces.h"
#include "widgets/image_track.h"
#include "widgets/image_track_pictures.h"
#include "platform/qt/qt_font_faces.h"
#include "render/music_font_codes.h"
#include "widgets/char_button.h"
#include "widgets/form_design.h"
#include "widgets/page_control.h"
#include "widgets/scroll_panel.h"
#include "widgets/widget_paint.h"

namespace gallery {

using namespace nv::widgets;

namespace {

const char* const kCaptions[] = {"Notes", "Rests", "Clefs", "Dynamics", "Chords", "Texts", "Lines", "Tempo"};
const QColor kPageColours[] = {{255, 250, 230}, {235, 245, 255}, {240, 255, 240}, {255, 240, 245},
                               {245, 240, 255}, {255, 255, 240}, {240, 250, 250}, {250, 245, 235}};

QFont MusicFont(int points) {
  nv::platform::ensureMusicFontLoaded();
  return FontFromDescription(QString::fromLatin1(nv::platform::kMusicFace), points, 96);
}

// Places the button's character so that its ink sits in the middle of the face.
void CentreChar(TECCharButton* button) {
  const bool music = nv::platform::isMusicFace(button->font().family().toStdString());
  const QChar ch(music ? 0xF000 + button->Char() : button->Char());
  const QFontMetrics metrics(button->font());
  const QRect ink = metrics.boundingRect(ch);
  const int faceWidth = button->width() - button->DropWidth();
  button->SetPos((faceWidth - ink.width()) / 2 - ink.left(), (button->height() - ink.height()) / 2 - ink.top() - metrics.ascent());
}

}  // namespace

TECPageControl* Notebook(QWidget* parent, PageOrientation orientation, bool doubleSheet, int pages) {
  auto* notebook = new TECPageControl(parent);
  notebook->SetPageSetting({QBrush(Qt::white), doubleSheet, orientation});
  notebook->SetTabSetting({.leftBend = 3, .rightBend = 3});
  notebook->SetBrush(QColor(214, 210, 200));
  for (int i = 0; i < pages; ++i) {
    auto* sheet = new TECTabSheet(notebook);
    sheet->SetCaption(QString::fromLatin1(kCaptions[i % 8]));
    sheet->SetBrush(kPageColours[i % 8]);
    sheet->SetTabBrush(kPageColours[i % 8]);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(new QLabel(QStringLiteral("Page %1: %2").arg(i).arg(sheet->Caption()), sheet));
  }
  return notebook;
}

QWidget* ButtonRow(QWidget* parent, std::vector<TECCharButton*>* buttons) {
  namespace glyph = nv::render::glyph;
  auto* row = new QWidget(parent);
  row->setMinimumSize(8 * 28 + 24, 30);
  const int codes[] = {glyph::StemmedQuarter, glyph::StemmedEighth, glyph::StemmedHalf, glyph::GClef,
                       glyph::FClef, glyph::StemmedSixteenth, glyph::WholeHead, 0};
  std::vector<TECCharButton*> made;
  for (int i = 0; i < 8; ++i) {
    auto* b = new TECCharButton(row);
    b->setGeometry(4 + i * 28 + (i > 5 ? 12 : 0), 3, i == 5 ? 36 : 24, 24);
    b->setFont(MusicFont(14));
    b->SetChar(static_cast<std::uint8_t>(codes[i]));
    b->SetFlat(i != 6);
    b->SetBlackBorder(i != 6);
    b->SetBorderColor(0x808080);
    made.push_back(b);
  }
  made[3]->SetGroupIndex(1);
  made[3]->SetDown(true);
  made[4]->setEnabled(false);
  made[5]->SetDropWidth(12);
  for (TECCharButton* b : made) CentreChar(b);
  made[7]->setFont(FontFromDescription(QStringLiteral("Arial"), 9, 96));
  made[7]->setText(QStringLiteral("Aa"));
  // The hot and pressed looks, as the mouse would leave them.
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(made[1], &enter);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(made[2], &press);
  if (buttons != nullptr) *buttons = made;
  return row;
}

TECScrollPanel* Strip(QWidget* parent, int steps) {
  auto* panel = new TECScrollPanel(parent);
  panel->resize(180, 30);
  panel->SetStep(4);
  panel->SetBlackBorder(true);
  panel->SetBorderColor(0x808080);
  for (int i = 0; i < 12; ++i) {
    auto* b = new TECCharButton(panel);
    b->setGeometry(2 + i * 24, 3, 24, 24);
    b->setFont(MusicFont(14));
    b->SetChar(static_cast<std::uint8_t>(nv::render::glyph::StemmedHalf + (i % 4) * 12));
    b->SetFlat(true);
    CentreChar(b);
  }
  panel->RefreshButtons();
  for (int i = 0; i < steps; ++i) panel->ScrollBy(-panel->Step(), 0);
  return panel;
}

QWidget* SkinnedWindow(int kind, const QString& title) {
  auto* form = new QWidget(nullptr, Qt::Window);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  form->setWindowTitle(title);
  auto* layout = new QVBoxLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Client area of a skinned window"), form));
  layout->addWidget(new QPushButton(QStringLiteral("OK"), form));
  layout->addStretch();
  ApplyFormDesign(form, kind);
  form->resize(360, 240);
  return form;
}

// Picture track bars with the program's pictures: three horizontal ones
// (start, middle, end), a disabled one and two upright ones.
QWidget* Tracks(QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QGridLayout(row);
  const int positions[] = {0, 64, 127};
  for (int i = 0; i < 4; ++i) {
    auto* track = new nv::widgets::TECImageTrack(row);
    nv::widgets::UseStandardPictures(*track);
    track->SetMax(127);
    track->SetLeftOffset(6);
    track->SetRightOffset(6);
    track->setFixedSize(170, 20);
    track->SetPosition(positions[i % 3]);
    track->setEnabled(i < 3);
    layout->addWidget(track, i, 0);
  }
  for (int i = 0; i < 2; ++i) {
    auto* track = new nv::widgets::TECImageTrack(row);
    track->SetOrientation(nv::widgets::TrackOrientation::Vertical);
    nv::widgets::UseStandardPictures(*track);
    track->SetMax(127);
    track->SetLeftOffset(6);
    track->SetRightOffset(6);
    track->setFixedSize(20, 140);
    track->SetPosition(i == 0 ? 43 : 127);
    layout->addWidget(track, 0, 1 + i, 4, 1);
  }
  return row;
}

QWidget* Controls() {
  auto* window = new QWidget;
  window->setWindowTitle(QStringLiteral("Widget gallery"));
  auto* grid = new QGridLayout(window);
  const PageOrientation sides[] = {PageOrientation::Left, PageOrientation::Top, PageOrientation::Right,
                                   PageOrientation::Bottom};
  for (int i = 0; i < 4; ++i) {
    // The notebook bound on the right has more tabs than room: its row scrolls.
    TECPageControl* notebook = Notebook(window, sides[i], false, i == 2 ? 8 : 3);
    notebook->setFixedSize(300, 200);
    grid->addWidget(notebook, i / 2, i % 2);
    if (i == 2) {
      notebook->SetActivePage(notebook->Pages(5));
      notebook->ScrollTabs(0, 2);
    }
  }
  TECPageControl* spread = Notebook(window, PageOrientation::Top, true, 5);
  spread->setFixedSize(300, 240);
  spread->SetActivePage(spread->Pages(3));
  grid->addWidget(spread, 0, 2, 2, 1);
  grid->addWidget(ButtonRow(window), 2, 0, 1, 2);
  TECScrollPanel* strip = Strip(window, 3);
  strip->setFixedSize(180, 30);
  grid->addWidget(strip, 2, 2);
  grid->addWidget(Tracks(window), 3, 0, 1, 2);
  return window;
}

}  // namespace gallery
