#include "dialogs/grace_notes_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include "dialogs/logic/grace_preview.h"
#include "dialogs/music_face.h"
#include "platform/qt/qt_canvas.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

constexpr int kDurations[] = {32, 16, 8, 4};
constexpr std::uint8_t kAccidentals[] = {grace_accidental::kFlat, grace_accidental::kSharp,
                                         grace_accidental::kNatural};
// The selection marker's colour, inverted into the preview.
const QColor kMarker(0x80, 0x80, 0x00);

nv::widgets::TECCharButton* MusicButton(QWidget* parent, const char* name, const char* hint, std::uint8_t glyph,
                                        int group) {
  auto* button = new nv::widgets::TECCharButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setFixedSize(26, 32);
  button->setFont(MusicFont(14));
  button->SetChar(glyph);
  button->SetPos(7, 2);
  button->SetGroupIndex(group);
  button->SetAllowAllUp(group == 2);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

GracePreviewView::GracePreviewView(GraceNotesModel& model, QWidget* parent)
    : QWidget(parent), model_(model), image_(kWidth, kHeight, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("PPreview"));
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Redraw();
}

void GracePreviewView::Redraw() {
  {
    nv::platform::QtCanvas canvas(image_, nv::platform::screenDeviceCaps(kWidth, kHeight));
    PaintGracePreview(canvas, model_, {0, 0, kWidth, kHeight});
  }
  // The marker inverts what lies under it.
  QPainter painter(&image_);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const GracePreviewLayout layout = LayOutGracePreview(model_, {0, 0, kWidth, kHeight});
  const nv::platform::Rect marker = GraceMarker(layout, model_.Current());
  painter.fillRect(QRect(marker.left, marker.top, marker.right - marker.left, marker.bottom - marker.top), kMarker);
  painter.end();
  update();
}

void GracePreviewView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void GracePreviewView::mousePressEvent(QMouseEvent* event) {
  const int index = GraceNoteAt(LayOutGracePreview(model_, {0, 0, kWidth, kHeight}), event->position().toPoint().x());
  if (index >= 0 && model_.Select(index)) Q_EMIT Selected();
}

TFDCVorschlagInput::TFDCVorschlagInput(nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame({QStringLiteral("FDCVorschlagInput"), {400, 230}, "VorschlagInputForm", BoundsMode::Position,
                   QStringLiteral("GraceNoteProp"), 0},
                  settings, parent) {
  setWindowTitle(QStringLiteral("Grace note properties"));
  auto* options = new QWidget(this);
  auto* grid = new QGridLayout(options);
  grid->setContentsMargins(0, 0, 0, 0);

  auto* countLabel = new QLabel(QStringLiteral("Count"), options);
  countLabel->setObjectName(QStringLiteral("LCount"));
  count_ = new QSpinBox(options);
  count_->setObjectName(QStringLiteral("UDCount"));
  count_->setRange(1, GraceNotesModel::kSlots);
  countLabel->setBuddy(count_);
  grid->addWidget(countLabel, 0, 0);
  grid->addWidget(count_, 0, 1);

  auto* noteRow = new QHBoxLayout;
  const char* names[] = {"CBNote4", "CBNote8", "CBNote16", "CBNote32"};
  const char* hints[] = {"1/4 Note", "1/8 Note", "1/16 Note", "1/32 Note"};
  const std::uint8_t glyphs[] = {':', ';', '<', '='};
  for (int i = 0; i < 4; ++i) {
    auto* button = MusicButton(options, names[i], hints[i], glyphs[i], 1);
    durations_.push_back(button);
    noteRow->addWidget(button);
    connect(button, &QAbstractButton::clicked, this, [this, i] {
      model_.SetDuration(kDurations[i]);
      Show();
    });
  }
  noteRow->addSpacing(8);
  const char* accidentalNames[] = {"CBBemol", "CBDiesis", "CBBecarre"};
  const char* accidentalHints[] = {"Flat (Bemol)", "Sharp (Diesis)", "Natural (Beccare)"};
  const std::uint8_t accidentalGlyphs[] = {'b', 'd', 'f'};
  for (int i = 0; i < 3; ++i) {
    auto* button = MusicButton(options, accidentalNames[i], accidentalHints[i], accidentalGlyphs[i], 2);
    accidentals_.push_back(button);
    noteRow->addWidget(button);
    connect(button, &QAbstractButton::clicked, this, [this, i] {
      model_.ToggleAccidental(kAccidentals[i]);
      Show();
    });
  }
  noteRow->addStretch(1);
  grid->addLayout(noteRow, 1, 0, 1, 2);

  auto* place = new QGroupBox(QStringLiteral(" Place "), options);
  place->setObjectName(QStringLiteral("RGPlace"));
  before_ = new QRadioButton(QStringLiteral("Before"), place);
  before_->setObjectName(QStringLiteral("RGPlace0"));
  after_ = new QRadioButton(QStringLiteral("After"), place);
  after_->setObjectName(QStringLiteral("RGPlace1"));
  auto* placeLayout = new QVBoxLayout(place);
  placeLayout->addWidget(before_);
  placeLayout->addWidget(after_);
  auto* style = new QGroupBox(QStringLiteral(" Style "), options);
  style->setObjectName(QStringLiteral("RGStyle"));
  long_ = new QRadioButton(QStringLiteral("Long"), style);
  long_->setObjectName(QStringLiteral("RGStyle0"));
  short_ = new QRadioButton(QStringLiteral("Short"), style);
  short_->setObjectName(QStringLiteral("RGStyle1"));
  auto* styleLayout = new QVBoxLayout(style);
  styleLayout->addWidget(long_);
  styleLayout->addWidget(short_);
  grid->addWidget(place, 2, 0);
  grid->addWidget(style, 2, 1);
  slur_ = new QCheckBox(QStringLiteral("Slur (Liga)"), options);
  slur_->setObjectName(QStringLiteral("CBSlur"));
  grid->addWidget(slur_, 3, 0, 1, 2);
  for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{before_, after_, long_, short_, slur_}) {
    box->setFocusPolicy(Qt::NoFocus);
    connect(box, &QAbstractButton::toggled, this, [this] { ReadOptions(); });
  }

  preview_ = new GracePreviewView(model_, this);
  connect(preview_, &GracePreviewView::Selected, this, [this] { Show(); });
  auto* arrows = new QHBoxLayout;
  const auto arrow = [this, arrows](const char* name, Qt::ArrowType type, std::function<bool()> act) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(type);
    button->setFocusPolicy(Qt::NoFocus);
    arrows->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, act = std::move(act)] {
      if (act()) Show();
    });
  };
  arrow("SBLeft", Qt::LeftArrow, [this] { return model_.Move(-1); });
  arrow("SBRight", Qt::RightArrow, [this] { return model_.Move(1); });
  arrow("SBUp", Qt::UpArrow, [this] { return model_.ChangeStep(1); });
  arrow("SBDown", Qt::DownArrow, [this] { return model_.ChangeStep(-1); });
  arrows->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(preview_);
  right->addLayout(arrows);
  right->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(options);
  top->addLayout(right);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  buttons->addWidget(MakeHelpButton(this));
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addLayout(buttons);

  connect(count_, &QSpinBox::valueChanged, this, [this](int count) {
    if (showing_) return;
    model_.SetCount(count);
    Show();
  });
  Translate();
  Show();
  // The keys go to the dialog, which moves through the grace notes; the
  // count takes them only once clicked.
  count_->setFocusPolicy(Qt::ClickFocus);
  setFocusPolicy(Qt::StrongFocus);
}

void TFDCVorschlagInput::SetNote(const nv::document::GraceNotesValues& values) {
  model_.Load(values);
  Show();
}

void TFDCVorschlagInput::SetDuration(int duration) {
  model_.SetDuration(duration);
  Show();
}

void TFDCVorschlagInput::SetOptions(int options) {
  model_.SetOptions(options);
  Show();
}

void TFDCVorschlagInput::SetCount(int count) {
  model_.SetCount(count);
  Show();
}

nv::widgets::TECCharButton* TFDCVorschlagInput::NoteButton(int duration) const {
  for (int i = 0; i < 4; ++i)
    if (kDurations[i] == duration) return durations_[static_cast<std::size_t>(i)];
  return durations_.front();
}

void TFDCVorschlagInput::ReadOptions() {
  if (showing_) return;
  model_.SetOptions((after_->isChecked() ? grace_option::kAfter : 0) | (short_->isChecked() ? grace_option::kShort : 0) |
                    (slur_->isChecked() ? grace_option::kSlur : 0));
  Show();
}

void TFDCVorschlagInput::Show() {
  showing_ = true;
  count_->setValue(model_.Count());
  NoteButton(model_.Duration())->SetDown(true);
  const std::uint8_t accidental = model_.SlotAt(model_.Current()).Accidental;
  for (int i = 0; i < 3; ++i) accidentals_[static_cast<std::size_t>(i)]->SetDown(kAccidentals[i] == accidental);
  (model_.After() ? after_ : before_)->setChecked(true);
  (model_.Short() ? short_ : long_)->setChecked(true);
  slur_->setChecked(model_.Slur());
  showing_ = false;
  preview_->Redraw();
}

void TFDCVorschlagInput::keyPressEvent(QKeyEvent* event) {
  bool changed = false;
  switch (event->key()) {
    case Qt::Key_Home: changed = model_.Home(); break;
    case Qt::Key_End: changed = model_.End(); break;
    case Qt::Key_Left: changed = model_.Move(-1); break;
    case Qt::Key_Right: changed = model_.Move(1); break;
    // The arrows move the note the other way round from the speed buttons.
    case Qt::Key_Up: changed = model_.ChangeStep(-1); break;
    case Qt::Key_Down: changed = model_.ChangeStep(1); break;
    default: DialogFrame::keyPressEvent(event); return;
  }
  event->accept();
  if (changed) Show();
}

}  // namespace nv::dialogs
