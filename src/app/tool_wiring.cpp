#include "app/tool_wiring.h"

#include <QApplication>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

#include <array>

#include "app/instrument_pages.h"
#include "app/notation_palette_page.h"
#include "document/command_registry.h"
#include "document/program_settings.h"
#include "editing/key_commands.h"
#include "editor/music_editor.h"
#include "editor/music_keyboard.h"
#include "widgets/input_mapping.h"
#include "widgets/page_control.h"
#include "widgets/score_control.h"

namespace nv::app {

namespace {

// The tool pages that hold a palette of the tool state, by their object names.
struct PalettePlace {
  const char* pageName;
  nv::document::ToolPage page;
};
constexpr std::array<PalettePlace, 2> kPalettes = {{
    {"TSNotes", nv::document::ToolPage::Notes},
    {"TSSymbols", nv::document::ToolPage::Symbols},
}};

}  // namespace

ToolWiring::ToolWiring(nv::document::ProgramSettings& settings, nv::document::CommandRegistry& registry,
                       nv::widgets::TECPageControl& tools, nv::widgets::TECPageControl& files, ActiveDocument active,
                       nv::library::LibraryStore* library)
    : tools_(tools),
      active_(std::move(active)),
      state_(settings),
      opener_(nullptr, library),
      sink_({[this] { return ActiveScore(); },
             [this]() -> QWidget* { return instruments_ ? &instruments_->Keyboard() : nullptr; },
             {}}),
      keys_(state_, *this) {
  state_.SetSink(&sink_);
  for (const PalettePlace& place : kPalettes) {
    auto* page = tools_.findChild<QWidget*>(place.pageName);
    if (page == nullptr) continue;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new NotationPalettePage(state_, place.page, opener_, library, page));
  }
  instruments_ = std::make_unique<InstrumentPages>(state_, registry, tools_, static_cast<NoteEntryHost&>(*this));
  ShowActivePage();
  // The notebook and the state name the same page, whichever of them changed it.
  connect(&tools_, &nv::widgets::TECPageControl::PageChanged, this, [this] {
    const int index = tools_.IndexOf(tools_.ActivePage());
    if (index >= 0 && index < nv::document::kToolPageCount && index != static_cast<int>(state_.ActivePage()))
      state_.SetActivePage(static_cast<nv::document::ToolPage>(index));
  });
  changed_ = state_.Changed.Subscribe([this] { ShowActivePage(); });
  connect(&files, &nv::widgets::TECPageControl::PageChanged, this, [this] { DocumentChanged(); });
  DocumentChanged();
  qApp->installEventFilter(this);
}

ToolWiring::~ToolWiring() {
  qApp->removeEventFilter(this);
  state_.SetSink(nullptr);
  // The pages are children of the notebook, which may outlive the wiring.
  instruments_.reset();
}

void ToolWiring::ShowActivePage() {
  const int index = static_cast<int>(state_.ActivePage());
  if (index < tools_.PageCount() && tools_.IndexOf(tools_.ActivePage()) != index)
    tools_.SetActivePage(tools_.Pages(index));
}

void ToolWiring::DocumentChanged() {
  nv::editor::TFMusicEditor* editor = ActiveEditor();
  state_.SetDocumentActive(editor != nullptr);
  if (editor == nullptr) return;
  editor->DocumentSwitched();
  state_.ToolFromPalette();
}

nv::editor::TFMusicEditor* ToolWiring::ActiveEditor() const {
  return qobject_cast<nv::editor::TFMusicEditor*>(active_ ? active_() : nullptr);
}

nv::widgets::ScoreControl* ToolWiring::ActiveScore() const {
  nv::editor::TFMusicEditor* editor = ActiveEditor();
  return editor != nullptr ? &editor->ScoreView() : nullptr;
}

bool ToolWiring::eventFilter(QObject* watched, QEvent* event) {
  const bool down = event->type() == QEvent::KeyPress;
  if (!down && event->type() != QEvent::KeyRelease) return false;
  // Only the main window's keys, and each once: a key the focused widget
  // leaves goes on to its parents, and the application sees it each time.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != tools_.window()) return false;
  const QWidget* focused = QApplication::focusWidget();
  if (focused != nullptr ? widget != focused : !widget->isWindow()) return false;
  // What is typed into a text field (a staff's name in the tracks grid) chooses no tool.
  if (qobject_cast<const QLineEdit*>(focused) != nullptr || qobject_cast<const QAbstractSpinBox*>(focused) != nullptr ||
      qobject_cast<const QTextEdit*>(focused) != nullptr || qobject_cast<const QPlainTextEdit*>(focused) != nullptr)
    return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.isAutoRepeat() && !down) return false;
  const std::optional<std::uint16_t> code = nv::widgets::VirtualKeyOf(key);
  if (!code) return false;
  const TECShiftState shift = nv::widgets::ShiftStateOf(key.modifiers(), Qt::NoButton);
  if (!down) {
    keys_.KeyUp(*code, shift);
    return false;
  }
  return keys_.KeyDown(*code, shift, state_.EditingText());
}

nv::document::ClickInserter* ToolWiring::ActiveInserter() {
  nv::editor::TFMusicEditor* editor = ActiveEditor();
  nv::document::DocumentToolInput* input = editor != nullptr ? editor->ToolInput() : nullptr;
  return input != nullptr ? &input->Inserter() : nullptr;
}

bool ToolWiring::PianoKeyboardHasFocus() const { return instruments_ && instruments_->Keyboard().hasFocus(); }

int ToolWiring::PianoDurationPosition() const {
  return instruments_ ? instruments_->Keyboard().Model().DurationPosition() : 0;
}

nv::document::ScoreEdits* ToolWiring::ActiveEdits() {
  nv::editor::TFMusicEditor* editor = ActiveEditor();
  nv::document::DocumentToolInput* input = editor != nullptr ? editor->ToolInput() : nullptr;
  return input != nullptr ? &input->Edits() : nullptr;
}

void ToolWiring::PreviewNote(int key, int length, int mode) {
  if (nv::editor::TFMusicEditor* editor = ActiveEditor()) editor->PreviewNote(key, length, mode);
}

void ToolWiring::ShowPlayedNote(const nv::document::PlayedNote& note) {
  if (instruments_) instruments_->ShowPlayedNote(note);
}

void ToolWiring::CallKeyDown(std::uint16_t key, TECShiftState shift) {
  if (nv::widgets::ScoreControl* score = ActiveScore()) nv::editing::CallKeyDown(score->Score(), key, shift);
}

}  // namespace nv::app
