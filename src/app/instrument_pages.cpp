#include "app/instrument_pages.h"

#include "app/page_buttons.h"
#include "app/tool_up_down.h"

#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "dialogs/canvas_face.h"
#include "dialogs/logic/drum_button_painter.h"
#include "dialogs/logic/tool_face_painters.h"
#include "document/command_registry.h"
#include "document/palette_pages.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/guitar.h"
#include "editor/guitar_tuning.h"
#include "editor/music_keyboard.h"
#include "editor/played_note_display.h"
#include "editor/tool_faces.h"
#include "widgets/char_button.h"
#include "widgets/page_control.h"

namespace nv::app {

namespace {

constexpr int kButton = 24;
constexpr int kUpDownWidth = nv::document::kPaletteUpDownWidth;
constexpr int kSymbolsWidth = 5 * kButton;
constexpr int kSymbolsHeight = 3 * kButton;
constexpr int kGuitarButtonWidth = 40;
constexpr int kGuitarButtonHeight = 34;
constexpr int kDropWidth = 12;
constexpr int kDurationPixels = 21;
constexpr platform::Color kKeyboardColor = 0xE6CBE7;
constexpr platform::Color kBoardColor = 0x315984;
constexpr platform::Color kCream = 0xF0FBFF;

// A piano-page button: its place (left, row) and its music-font face
// (character, pixel size, offset); the drum note, the tremolo and the
// tuplet are painted and the blank note is the notes page's picture.
struct SymbolButton {
  const char* name;
  int x;
  int row;
  std::uint8_t glyph;
  int pixels;
  int dx;
  int dy;
};
constexpr SymbolButton kSymbols[] = {
    {"CBKNote", 0, 0, 0x3A, 21, 6, 0},
    {"CBKPause", kButton, 0, 0x4D, 21, 8, 2},
    {"CBKBecarre", 2 * kButton, 0, 0x66, 28, 8, -4},
    {"CBKBemol", 3 * kButton, 0, 0x62, 28, 8, -1},
    {"CBKDiesis", 4 * kButton, 0, 0x64, 28, 7, -5},
    {"CBKLong", 0, 1, 0x60, 28, 9, 7},
    {"CBKDLong", kButton, 1, 0x61, 28, 6, 6},
    {"CBKStaccato", 2 * kButton, 1, 0x60, 28, 9, 3},
    {"CBKPortamento", 3 * kButton, 1, 0x5F, 28, 6, 3},
    {"CBKDrumNote", 4 * kButton, 1, 0, 0, 0, 0},
    {"CBKTremolo", 0, 2, 0, 0, 0, 0},
    {"CBKTreole", kUpDownWidth + kButton, 2, 0, 0, 0, 0},
    {"CBKBlankNote", 2 * kUpDownWidth + 2 * kButton, 2, 0, 0, 0, 0},
};

// The guitar duration's face: character and offset.
struct DurationFace {
  std::uint8_t glyph;
  int dx;
  int dy;
};
DurationFace FaceOfDuration(int duration) {
  switch (duration) {
    case 2: return {0x3E, 5, 0};
    case 4: return {0x3D, 5, 0};
    case 8: return {0x3C, 5, 0};
    case 16: return {0x3B, 5, 0};
    case 32: return {0x3A, 6, 0};
    case 64: return {0x2E, 6, 0};
    default: return {0x41, 7, 10};
  }
}

// A character of the music font as a button's face.
void SetGlyphFace(nv::widgets::TECCharButton& button, std::uint8_t glyph, int pixels, int dx, int dy) {
  button.setFont(nv::editor::ToolFace{glyph, {}}.Font(pixels));
  button.SetChar(glyph);
  button.SetPos(dx, dy);
  button.SetAntialiased(true);
}

// Resizes the piano's panel contents whenever the panel changes size.
class ResizeWatch : public QObject {
 public:
  ResizeWatch(QObject* parent, std::function<void()> resized) : QObject(parent), resized_(std::move(resized)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) resized_();
    return false;
  }

 private:
  std::function<void()> resized_;
};

}  // namespace

InstrumentPages::InstrumentPages(nv::document::ToolState& tools, nv::document::CommandRegistry& registry,
                                 nv::widgets::TECPageControl& notebook, nv::document::NoteEntryHost& host)
    : QObject(&notebook), tools_(tools), registry_(registry), entry_(tools, host) {
  nv::document::AddNoteEntryCommands(registry_, entry_);
  if (auto* piano = notebook.findChild<QWidget*>("TSKeyboard")) BuildPiano(*piano);
  if (auto* guitar = notebook.findChild<QWidget*>("TSGuitar")) BuildGuitar(*guitar);
  changed_ = tools_.Changed.Subscribe([this] { ShowDownStates(); });
  ShowDownStates();
}

InstrumentPages::~InstrumentPages() = default;

void InstrumentPages::BuildPiano(QWidget& page) {
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  PPiano = new QWidget(&page);
  PPiano->setObjectName("PPiano");
  layout->addWidget(PPiano);

  MKKeyboard = new nv::editor::TECMusicKeyboard(PPiano);
  MKKeyboard->setObjectName("MKKeyboard");
  MKKeyboard->Color = kKeyboardColor;
  nv::editor::KeyboardModel& keys = MKKeyboard->Model();
  keys.SetStyle(nv::editor::kAllMusicStyles);
  keys.SetMaxDuration(7);
  keys.SetDurationWidth(6);
  keys.SetKeys("CDEFGAB");
  keys.MouseTrack = true;
  keys.CtrlMove = true;
  // The scroll offsets are kept in the settings between runs.
  keys.SetOffsetDuration(tools_.Settings().KeyboardOffset);
  keys.SetOffsetOctave(tools_.Settings().KeyboardOffsetOctave);
  keys.OnOffsetChanged = [this] {
    tools_.Settings().KeyboardOffset = MKKeyboard->Model().OffsetDuration();
    tools_.Settings().KeyboardOffsetOctave = MKKeyboard->Model().OffsetOctave();
  };
  keys.OnKeyClick = [this](int octave, int note, int tone) {
    registry_.Run("piano.key", {std::to_string(octave), std::to_string(note), std::to_string(tone),
                                std::to_string(MKKeyboard->Model().DurationPosition())});
  };
  keys.OnTrackMouse = [this](bool over) { tools_.KeyboardTrackMouse(over, MKKeyboard->Model().DurationPosition()); };

  PKeyboardSymbols = new QWidget(PPiano);
  PKeyboardSymbols->setObjectName("PKeyboardSymbols");
  PKeyboardSymbols->setFixedSize(kSymbolsWidth, kSymbolsHeight);
  // It stands over the keyboard's right end.
  PKeyboardSymbols->setAutoFillBackground(true);
  for (const SymbolButton& entry : kSymbols) {
    auto* button = new nv::widgets::TECCharButton(PKeyboardSymbols);
    const std::string name = entry.name;
    const nv::document::ToolButton* model = nv::document::FindToolButton(name);
    button->setObjectName(QString::fromStdString(name));
    button->setToolTip(PageText(model->Hint));
    button->SetGroupIndex(model->GroupIndex);
    button->SetAllowAllUp(true);
    button->SetFlat(true);
    button->setGeometry(entry.x, entry.row * kButton, kButton, kButton);
    if (entry.glyph != 0) {
      SetGlyphFace(*button, entry.glyph, entry.pixels, entry.dx, entry.dy);
    } else if (name == "CBKDrumNote") {
      // The plain drum head on its stem.
      button->SetCustomDraw(true);
      button->SetOnDrawCharButton([](QPainter& painter, const QRect& area) {
        nv::dialogs::PaintCanvasFace(painter, area, [](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
          nv::dialogs::DrawDrumButton(canvas, box, nullptr);
        });
      });
    } else if (name == "CBKTremolo" || name == "CBKTreole") {
      // Painted as on the notes page, with the piano's own up-downs.
      const auto face = name == "CBKTremolo" ? nv::document::PaintedFace::Tremolo : nv::document::PaintedFace::Treole;
      button->SetCustomDraw(true);
      button->SetOnDrawCharButton([this, face](QPainter& painter, const QRect& area) {
        nv::dialogs::ToolFaceValues values;
        values.Tremolo = tools_.UpDown(nv::document::UpDownId::KTremolo).Position;
        values.Treole = tools_.UpDown(nv::document::UpDownId::KTreole).Position;
        nv::dialogs::PaintCanvasFace(painter, area, [&](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
          nv::dialogs::PaintToolFace(canvas, box, face, values);
        });
      });
    } else {
      ShowPicture(*button, "CBBlankNote");
    }
    connect(button, &QAbstractButton::clicked, this, [this, name] {
      tools_.Click(name);
      ShowDownStates();
    });
    buttons_.push_back(button);
  }
  // The up-downs beside the tremolo and the tuplet buttons, whose faces show their values.
  auto upDown = [this](nv::document::UpDownId id, const char* name, int x) {
    QSpinBox* box = MakeToolUpDown(tools_, id, name, PKeyboardSymbols);
    box->setGeometry(x, 2 * kButton, kUpDownWidth, kButton);
    return box;
  };
  UDKTremolo = upDown(nv::document::UpDownId::KTremolo, "UDKTremolo", kButton);
  UDKTreole = upDown(nv::document::UpDownId::KTreole, "UDKTreole", kUpDownWidth + 2 * kButton);
  PPiano->installEventFilter(new ResizeWatch(PPiano, [this] { PlacePiano(); }));
}

void InstrumentPages::PlacePiano() {
  const int width = std::max(0, PPiano->width() - PKeyboardSymbols->width() - 2);
  MKKeyboard->setGeometry(0, 0, width, PPiano->height());
  nv::editor::KeyboardModel& keys = MKKeyboard->Model();
  keys.SetClientSize(width, PPiano->height());
  keys.SetMaxOffsetOttave(nv::editor::PageMaxOffsetOctave(width));
  PKeyboardSymbols->move(std::min(keys.PreferredWidth(), width + 2), 0);
}

void InstrumentPages::BuildGuitar(QWidget& page) {
  CBGuitarKind = new nv::widgets::TECCharButton(&page);
  CBGuitarKind->setObjectName("CBGuitarKind");
  CBGuitarKind->setToolTip("Guitar kind");
  CBGuitarKind->setGeometry(2, 2, kGuitarButtonWidth, kGuitarButtonHeight);
  CBGuitarKind->SetCustomDraw(true);
  CBGuitarKind->SetOnDrawCharButton([this](QPainter& painter, const QRect& area) {
    const int strings = GGuitar->Model().StringCount();
    painter.setPen(QColor(128, 128, 128));
    const int top = area.top() + (area.height() - 3 * (strings - 1)) / 2;
    for (int i = 0; i < strings; ++i) painter.drawLine(area.left() + 4, top + 3 * i, area.right() - 4, top + 3 * i);
    QFont font("Arial");
    font.setPixelSize(19);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignCenter, QString::number(strings));
  });
  connect(CBGuitarKind, &QAbstractButton::clicked, this, [this] {
    int& kind = tools_.Settings().GuitarKind;
    kind = kind == 0 ? 1 : 0;
    ShowGuitarKind();
  });

  CBGuitarDuration = new nv::widgets::TECCharButton(&page);
  CBGuitarDuration->setObjectName("CBGuitarDuration");
  CBGuitarDuration->setToolTip("Duration");
  CBGuitarDuration->setGeometry(2, 4 + kGuitarButtonHeight, kGuitarButtonWidth, kGuitarButtonHeight);
  CBGuitarDuration->SetDropWidth(kDropWidth);
  connect(CBGuitarDuration, &QAbstractButton::clicked, this, [this] {
    int& duration = tools_.Settings().GuitarDuration;
    duration = nv::document::NextGuitarDuration(duration);
    ShowGuitarDuration();
  });
  connect(CBGuitarDuration, &nv::widgets::TECCharButton::ButtonClick, this, [this] { ChooseGuitarDuration(); });

  GGuitar = new nv::editor::TECGuitar(&page);
  GGuitar->setObjectName("GGuitar");
  GGuitar->Color = kBoardColor;
  GGuitar->Font = platform::Font{.face = "Arial", .size = 0, .height = -9, .color = kCream};
  GGuitar->Model().SetFretCount(24);
  GGuitar->OnGetNoteName = [this](int fetch, int string) -> std::string {
    const std::vector<int>& open = nv::editor::OpenStringKeys(tools_.Settings().GuitarKind);
    if (string < 0 || string >= static_cast<int>(open.size())) return {};
    return nv::editor::FretNoteName(fetch, open[static_cast<std::size_t>(string)]);
  };
  GGuitar->Model().OnFretChanged = [this](int, int, int) { FretChanged(); };
  const int left = 2 * 2 + kGuitarButtonWidth;
  page.installEventFilter(new ResizeWatch(&page, [this, &page, left] {
    GGuitar->setGeometry(left, 0, std::max(0, page.width() - left - 2), page.height());
  }));
  ShowGuitarKind();
  ShowGuitarDuration();
}

void InstrumentPages::FretChanged() {
  const std::vector<int> keys =
      nv::editor::FingeredKeys(GGuitar->Model(), nv::editor::OpenStringKeys(tools_.Settings().GuitarKind));
  nv::document::CommandArgs args;
  for (const int key : keys) args.push_back(std::to_string(key));
  registry_.Run("guitar.chord", args);
}

void InstrumentPages::ShowGuitarKind() {
  GGuitar->Model().SetStringCount(tools_.Settings().GuitarKind == 1 ? 7 : 6);
  CBGuitarKind->update();
  GGuitar->update();
}

void InstrumentPages::ShowGuitarDuration() {
  const DurationFace face = FaceOfDuration(tools_.Settings().GuitarDuration);
  SetGlyphFace(*CBGuitarDuration, face.glyph, kDurationPixels, face.dx, face.dy);
}

void InstrumentPages::ChooseGuitarDuration() {
  QMenu menu;
  for (int duration = 128; duration >= 2; duration /= 2) {
    const DurationFace face = FaceOfDuration(duration);
    const nv::editor::ToolFace glyph{face.glyph, {}};
    QAction* action = menu.addAction(glyph.Text());
    action->setFont(glyph.Font(kDurationPixels));
    action->setData(duration);
    action->setCheckable(true);
    action->setChecked(duration == tools_.Settings().GuitarDuration);
  }
  const QAction* chosen = menu.exec(CBGuitarDuration->mapToGlobal(QPoint(0, CBGuitarDuration->height())));
  if (chosen == nullptr) return;
  tools_.Settings().GuitarDuration = chosen->data().toInt();
  ShowGuitarDuration();
}

nv::widgets::TECCharButton* InstrumentPages::Button(std::string_view name) const {
  for (nv::widgets::TECCharButton* button : buttons_)
    if (button->objectName().toStdString() == name) return button;
  if (CBGuitarKind != nullptr && name == "CBGuitarKind") return CBGuitarKind;
  if (CBGuitarDuration != nullptr && name == "CBGuitarDuration") return CBGuitarDuration;
  return nullptr;
}

void InstrumentPages::ShowDownStates() {
  for (nv::widgets::TECCharButton* button : buttons_) {
    button->SetDown(tools_.IsDown(button->objectName().toStdString()));
    // The tremolo and tuplet faces follow their up-downs.
    button->update();
  }
  if (UDKTremolo != nullptr) UDKTremolo->setValue(tools_.UpDown(nv::document::UpDownId::KTremolo).Position);
  if (UDKTreole != nullptr) UDKTreole->setValue(tools_.UpDown(nv::document::UpDownId::KTreole).Position);
}

void InstrumentPages::ShowPlayedNote(const nv::document::PlayedNote& note) {
  if (MKKeyboard == nullptr || GGuitar == nullptr) return;
  nv::editor::ShowPlayedNote({MKKeyboard->Model(), GGuitar->Model(),
                              nv::editor::OpenStringKeys(tools_.Settings().GuitarKind)},
                             note, tools_.Settings().ShowPianoNote, tools_.ActivePage());
}

}  // namespace nv::app
