#include "editor/library_strip.h"

#include <QPainter>

#include <algorithm>

#include "widgets/char_button.h"

namespace nv::editor {

using nv::dialogs::LibraryStripKind;

namespace {

constexpr int kAllWidth = 16;
constexpr int kGap = 2;

}  // namespace

LibraryStrip::LibraryStrip(LibraryStripKind kind, const QString& allName, const QString& allHint, int lead,
                           QWidget* parent)
    : QWidget(parent), kind_(kind), lead_(lead), all_(new nv::widgets::TECCharButton(this)) {
  const nv::dialogs::StripSpec& spec = nv::dialogs::StripSpecOf(kind);
  all_->setObjectName(allName);
  all_->setToolTip(allHint);
  all_->setText(QStringLiteral("\u00BB"));
  all_->SetFlat(true);
  all_->SetBlackBorder(true);
  const int top = spec.Rows.front();
  all_->setGeometry(kind == LibraryStripKind::Chords ? lead_ + kGap : StartX(), top, kAllWidth,
                    spec.Rows.back() + spec.Button.height - top);
  connect(all_, &QAbstractButton::clicked, this, [this] {
    if (OnAll) OnAll();
  });
}

int LibraryStrip::StartX() const {
  return kind_ == LibraryStripKind::Chords ? lead_ + kGap + kAllWidth + kGap : lead_ + kGap;
}

void LibraryStrip::SetEntries(const std::vector<Entry>& entries, int limit) {
  entries_ = entries;
  const nv::dialogs::StripLayout layout =
      nv::dialogs::LayOutStrip(kind_, StartX(), limit, static_cast<int>(entries.size()));
  const std::size_t shown = layout.Buttons.size();
  while (buttons_.size() > shown) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (buttons_.size() < shown) {
    const int index = static_cast<int>(buttons_.size());
    auto* button = new nv::widgets::TECCharButton(this);
    button->setObjectName(QString("CBLibrary%1").arg(index));
    button->SetFlat(true);
    // Every button has the one-pixel frame; the symbols' is dark grey.
    button->SetBlackBorder(true);
    if (kind_ == LibraryStripKind::Symbols) {
      button->SetBorderColor(0x404042);
      button->SetCustomDraw(true);
      button->SetOnDrawCharButton([this, button, index](QPainter& painter, const QRect& area) {
        const Entry& entry = entries_[static_cast<std::size_t>(index)];
        if (entry.Paint) entry.Paint(painter, area, button->Hot() && !button->Down());
      });
    }
    if (kind_ != LibraryStripKind::Chords) {
      button->SetGroupIndex(1);
      button->SetAllowAllUp(true);
    }
    if (kind_ == LibraryStripKind::Terms) button->setFont(QFont("Arial Narrow", 8));
    connect(button, &QAbstractButton::clicked, this, [this, index] {
      if (OnClick) OnClick(index);
    });
    buttons_.push_back(button);
  }
  for (std::size_t i = 0; i < shown; ++i) {
    const nv::platform::Rect& box = layout.Buttons[i];
    buttons_[i]->setGeometry(box.left, box.top, box.width(), box.height());
    buttons_[i]->setText(kind_ == LibraryStripKind::Symbols ? QString() : entries[i].Caption);
    buttons_[i]->setToolTip(kind_ == LibraryStripKind::Terms ? QString() : entries[i].Hint);
    buttons_[i]->show();
    buttons_[i]->update();
  }
  if (kind_ != LibraryStripKind::Chords) all_->move(layout.NextColumnX, all_->y());
  const nv::dialogs::StripSpec& spec = nv::dialogs::StripSpecOf(kind_);
  int right = all_->geometry().right();
  if (!layout.Buttons.empty()) right = std::max(right, layout.Buttons.back().right);
  setMinimumSize(right + kGap, spec.Rows.back() + spec.Button.height + 4);
}

void LibraryStrip::SetDownIndex(int index) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetDown(static_cast<int>(i) == index);
}

}  // namespace nv::editor
