#include "dialogs/library_palette.h"

#include <QLabel>
#include <QPointer>

#include "widgets/char_button.h"

namespace nv::dialogs {

namespace {

const char* FormName(LibraryStripKind kind) {
  switch (kind) {
    case LibraryStripKind::Chords: return "FAccords";
    case LibraryStripKind::Symbols: return "FSymbols";
    case LibraryStripKind::Terms: break;
  }
  return "FTerms";
}

std::vector<Choice> Choices(const std::vector<LibraryEntry>& entries) {
  std::vector<Choice> choices;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Choice choice;
    choice.value = static_cast<int>(i);
    choice.name = QString("CBTemplate%1").arg(i);
    choice.hint = entries[i].Hint;
    choice.caption = entries[i].Caption;
    choice.paint = entries[i].Paint;
    choices.push_back(std::move(choice));
  }
  return choices;
}

DropDownLayout Lay(LibraryStripKind kind, const std::vector<LibraryEntry>& entries) {
  std::vector<std::string> keys;
  keys.reserve(entries.size());
  for (const LibraryEntry& entry : entries) keys.push_back(entry.Key);
  return LayOutDropDown(kind, keys, LibraryPalette::kFormHeight);
}

constexpr int kSideButton = 22;
constexpr int kMargin = 3;

}  // namespace

LibraryPalette::LibraryPalette(LibraryStripKind kind, const std::vector<LibraryEntry>& entries, QWidget* parent)
    : ChoicePalette(FormName(kind), {}, {Lay(kind, entries).Width, Lay(kind, entries).Height}, Choices(entries),
                    ChoiceGrid{1, {1, 1}, {}}, parent),
      layout_(Lay(kind, entries)) {
  // The buttons stand where the layout puts them, inside a margin.
  for (const DropDownLayout::Item& item : layout_.Items) {
    auto* button = ButtonOf(item.Index);
    button->setGeometry(item.Box.left + kMargin, item.Box.top + kMargin, item.Box.width(), item.Box.height());
    button->SetFlat(true);
    // Every button has the one-pixel frame; the symbols' is dark grey.
    button->SetBlackBorder(true);
    if (kind == LibraryStripKind::Symbols) button->SetBorderColor(0x404042);
    if (kind == LibraryStripKind::Terms) button->setFont(QFont("Arial Narrow", 8));
  }
  for (const DropDownLayout::Heading& heading : layout_.Headings) {
    auto* label = new QLabel(QString::fromStdString(heading.Text), Client());
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet("color: #800000");
    label->move(heading.At.x + kMargin, heading.At.y + kMargin);
    label->adjustSize();
    headings_.push_back(label);
  }
  // "+" imports, "-" lists; the term palette's two both open the term list.
  const int top = layout_.Height - kSideButton - kMargin;
  int right = layout_.Width - kMargin;
  const auto side = [&](const char* name, const char* caption, const char* hint, bool add) {
    auto* button = new nv::widgets::TECCharButton(Client());
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->SetFlat(true);
    right -= kSideButton;
    button->setGeometry(right, top, kSideButton, kSideButton);
    right -= kMargin;
    connect(button, &QAbstractButton::clicked, this, [this, add] { RunGuarded(add ? onAdd_ : onList_); });
  };
  side("BBList", "-", "Library list", false);
  side("BBAdd", "+", "Add templates", true);
}

void LibraryPalette::RunGuarded(const std::function<bool()>& handler) {
  if (!handler) return;
  QPointer<LibraryPalette> self(this);
  SetKeepOpen(true);
  const bool changed = handler();
  if (!self) return;
  SetKeepOpen(false);
  if (changed) close();
}

}  // namespace nv::dialogs
