#include "editor/tool_palette_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <string>

#include "document/tool_state.h"
#include "editor/tool_faces.h"

namespace nv::editor {
namespace {

constexpr int kButtonSize = 26;
constexpr int kRows = 2;

bool OnPageItself(nv::document::ToolPanel parent) {
  using P = nv::document::ToolPanel;
  return parent == P::TSNotes || parent == P::TSSymbols;
}

}  // namespace

ToolPalettePage::ToolPalettePage(nv::document::ToolState& tools, nv::document::ToolPage page, QWidget* parent)
    : QWidget(parent), tools_(tools) {
  auto* pointers = new QGridLayout;
  auto* tiles = new QWidget;
  auto* grid = new QGridLayout(tiles);
  for (auto* layout : {pointers, grid}) {
    layout->setSpacing(1);
    layout->setContentsMargins(2, 2, 2, 2);
  }
  int pointerCount = 0;
  int toolCount = 0;
  for (const nv::document::ToolButton& entry : nv::document::ToolButtons()) {
    if (entry.Page != page) continue;
    auto* button = new QToolButton;
    const std::string name(entry.Name);
    button->setObjectName(QString::fromStdString(name));
    button->setToolTip(QString::fromUtf8(entry.Hint.data(), static_cast<int>(entry.Hint.size())));
    const ToolFace face = FaceOfButton(entry);
    button->setText(face.Text());
    button->setFont(face.Font(face.Glyph ? 16 : 10));
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setCheckable(true);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, name] {
      tools_.Click(name);
      // The state decides: a button whose click changed nothing is put back.
      ShowDownStates();
    });
    if (OnPageItself(entry.Parent)) {
      pointers->addWidget(button, pointerCount % kRows, pointerCount / kRows);
      ++pointerCount;
    } else {
      grid->addWidget(button, toolCount % kRows, toolCount / kRows);
      ++toolCount;
    }
    buttons_.push_back(button);
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(tiles);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFixedHeight(tiles->sizeHint().height() + scroll->horizontalScrollBar()->sizeHint().height());
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addLayout(pointers);
  row->addWidget(scroll, 1);
  changed_ = tools_.Changed.Subscribe([this] { ShowDownStates(); });
  ShowDownStates();
}

QToolButton* ToolPalettePage::Button(std::string_view name) const {
  for (QToolButton* button : buttons_)
    if (button->objectName().toStdString() == name) return button;
  return nullptr;
}

void ToolPalettePage::ShowDownStates() {
  for (QToolButton* button : buttons_) button->setChecked(tools_.IsDown(button->objectName().toStdString()));
}

}  // namespace nv::editor
