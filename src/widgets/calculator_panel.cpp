#include "widgets/calculator_panel.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "widgets/widget_font.h"
#include "widgets/beeper.h"
#include "widgets/widget_glyphs.h"

namespace nv::widgets {

namespace {

enum KeyColour { kText, kPurple, kNavy, kMaroon };

struct KeySpec {
  const char* caption;
  int fullX, fullY;
  int compactX, compactY;  // -1: not in the compact layout
  KeyColour colour;
  int glyph;  // in "CALCBTNS" for the full layout, -1 none
};

// Keys 1..28: the digits, sign, separator, operators, sqrt, %, 1/x, =, <-, C,
// the memory keys, OK and Cancel.
constexpr KeySpec kKeys[] = {
    {"0", 47, 104, 6, 75, kText, -1},     {"1", 47, 80, 6, 52, kText, -1},
    {"2", 85, 80, 29, 52, kText, -1},     {"3", 123, 80, 52, 52, kText, -1},
    {"4", 47, 56, 6, 29, kText, -1},      {"5", 85, 56, 29, 29, kText, -1},
    {"6", 123, 56, 52, 29, kText, -1},    {"7", 47, 32, 6, 6, kText, -1},
    {"8", 85, 32, 29, 6, kText, -1},      {"9", 123, 32, 52, 6, kText, -1},
    {"-", 85, 104, 52, 75, kText, 2},     {".", 123, 104, 29, 75, kText, -1},
    {"/", 161, 32, 75, 6, kPurple, -1},   {"*", 161, 56, 75, 29, kPurple, 3},
    {"-", 161, 80, 75, 52, kPurple, 4},   {"+", 161, 104, 75, 75, kPurple, 5},
    {"sqrt", 199, 32, -1, -1, kNavy, -1}, {"%", 199, 56, -1, -1, kNavy, -1},
    {"1/x", 199, 80, -1, -1, kNavy, -1},  {"=", 199, 104, 52, 98, kPurple, -1},
    {"<-", 145, 6, 29, 98, kMaroon, -1},  {"C", 191, 6, 6, 98, kMaroon, -1},
    {"MP", 5, 104, -1, -1, kNavy, -1},    {"MS", 5, 80, -1, -1, kNavy, -1},
    {"MR", 5, 56, -1, -1, kNavy, -1},     {"MC", 5, 32, -1, -1, kNavy, -1},
    {"", 47, 6, -1, -1, kText, 1},        {"", 85, 6, -1, -1, kText, 0},
};

constexpr char kKeyChars[] = "0123456789_./*-+Q%R=\bC";

QColor ColourOf(KeyColour colour) {
  switch (colour) {
    case kPurple: return {128, 0, 128};
    case kNavy: return {0, 0, 128};
    case kMaroon: return {128, 0, 0};
    case kText: break;
  }
  return Qt::black;
}

}  // namespace

TECCalculatorPanel::TECCalculatorPanel(Layout layout, Beeper& beeper,
                                       const FormatSettings& settings, QWidget* parent)
    : QWidget(parent), layout_(layout), beeper_(beeper), engine_(settings) {
  const bool full = layout == Layout::Full;
  resize(full ? 240 : 98, full ? 129 : 124);
  setFocusPolicy(Qt::NoFocus);
  setFont(DialogFont(/*bold=*/true));
  engine_.onBeep = [this] { beeper_.Beep(); };
  const QPixmap strip = WidgetGlyph("CALCBTNS");
  for (int i = 0; i < 28; ++i) {
    const KeySpec& spec = kKeys[i];
    if (!full && spec.compactX < 0) {
      keys_.push_back(nullptr);
      continue;
    }
    auto* key = new QToolButton(this);
    key->setFocusPolicy(Qt::NoFocus);
    const int index = i + 1;
    int width = full ? 36 : 21;
    const int height = full ? 22 : 21;
    if (full && (index == 21 || index == 22)) width = 44;
    if (!full && index == 20) width = 44;
    key->setGeometry(full ? spec.fullX : spec.compactX, full ? spec.fullY : spec.compactY, width,
                     height);
    if (full && spec.glyph >= 0) {
      key->setIcon(StripGlyph(strip, spec.glyph, 14));
      key->setIconSize(QSize(14, 13));
    } else {
      key->setText(index == 12 ? QString(QChar(settings.decimalSeparator)) : spec.caption);
    }
    QPalette colours = key->palette();
    colours.setColor(QPalette::ButtonText, ColourOf(spec.colour));
    key->setPalette(colours);
    connect(key, &QToolButton::clicked, this, [this, index] { Pressed(index); });
    keys_.push_back(key);
  }
  if (full) {
    auto* box = new QFrame(this);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setGeometry(6, 7, 34, 20);
    memory_ = new QLabel(box);
    memory_->setAlignment(Qt::AlignCenter);
    memory_->setGeometry(1, 1, 32, 18);
  }
  UpdateMemoryLabel();
}

QToolButton* TECCalculatorPanel::KeyButton(int tag) const {
  return tag >= 0 && tag < 22 ? keys_[tag] : nullptr;
}

void TECCalculatorPanel::UpdateMemoryLabel() {
  if (memory_) memory_->setText(engine_.MemoryShown() ? "M" : "");
}

void TECCalculatorPanel::Pressed(int index) {
  switch (index) {
    case 23: engine_.MemoryAdd(); break;
    case 24: engine_.MemoryStore(); break;
    case 25: engine_.MemoryRecall(); break;
    case 26: engine_.MemoryClear(); break;
    case 27:
      if (engine_.Finish() && onOk) onOk();
      break;
    case 28:
      if (onCancel) onCancel();
      break;
    default: engine_.Key(kKeyChars[index - 1]); break;
  }
  UpdateMemoryLabel();
}

void TECCalculatorPanel::TypeKey(char key) {
  const int tag = engine_.KeyTagFor(key);
  QToolButton* button = KeyButton(tag);
  if (button) {
    // A short flash shows which key the character pressed.
    button->setDown(true);
    QTimer::singleShot(20, button, [button] { button->setDown(false); });
  }
  engine_.Key(key);
  UpdateMemoryLabel();
}

}  // namespace nv::widgets
