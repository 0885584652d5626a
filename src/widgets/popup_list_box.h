#pragma once

#include <QStringList>

#include "widgets/logic/search_text.h"
#include "widgets/popup_window.h"

namespace nv::widgets {

// The fields' and grids' drop-down list: a list of strings with an
// incremental search of the letters typed into the owner field.
class PopupListBox : public TEcPopupWindow {
  Q_OBJECT
 public:
  static constexpr int kItemHeight = 13;

  PopupListBox(QWidget* owner, const TickClock& clock = TickClock::Steady());

  void SetItems(const QStringList& items);
  const QStringList& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index);
  QString SelectedText() const;
  // The width its widest item needs.
  int NeededWidth() const;

  std::optional<PopupValue> GetValue() override { return std::nullopt; }
  void SetValue(const PropertyValue&) override {}
  QString GetValueText() const override { return SelectedText(); }
  void ForwardKey(QKeyEvent& event) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int IndexAt(int y) const;

  QStringList items_;
  std::vector<std::string> plainItems_;
  int index_ = -1;
  SearchText search_;
};

}  // namespace nv::widgets
