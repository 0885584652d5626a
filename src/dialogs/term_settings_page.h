#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "library/term_description.h"
#include "library/term_list_rows.h"

class QCheckBox;
class QLabel;

namespace nv::widgets {
class TECImageTrack;
class TECScrollWinControl;
}  // namespace nv::widgets

namespace nv::dialogs {

// The values of the terms of one kind (dynamic or tempo), one row each in a
// scroll box: the name, for dynamics a check box "the value is a change",
// and a track of the value with three scale ticks above it. A change is
// handed on at once; there is nothing to confirm. The term settings dialog
// shows it alone, the dynamics palette as its last page.
class TermSettingsPage : public QWidget {
  Q_OBJECT
 public:
  TermSettingsPage(int kind, std::vector<nv::library::TECTermDescription> terms, QWidget* parent = nullptr);

  // Hears the index (into the whole term list) and the new values.
  std::function<void(std::size_t index, const nv::library::TECTermDescription& term)> onTermChange;

  const std::vector<nv::library::TECTermDescription>& Terms() const { return terms_; }
  const std::vector<nv::library::TermSettingsRow>& Rows() const { return rows_; }
  std::size_t RowCount() const { return rows_.size(); }
  nv::widgets::TECImageTrack& Track(std::size_t row) const { return *controls_[row].track; }
  // None for tempo terms.
  QCheckBox* ChangeBox(std::size_t row) const { return controls_[row].change; }
  QLabel& NameLabel(std::size_t row) const { return *controls_[row].name; }
  // The hint of the change boxes.
  void SetChangeHint(const QString& hint);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Controls {
    QLabel* name = nullptr;
    QCheckBox* change = nullptr;
    nv::widgets::TECImageTrack* track = nullptr;
  };
  void AddRow(std::size_t row);
  void Show(std::size_t row);
  void Tell(std::size_t row);

  int kind_;
  std::vector<nv::library::TECTermDescription> terms_;
  std::vector<nv::library::TermSettingsRow> rows_;
  std::vector<Controls> controls_;
  nv::widgets::TECScrollWinControl* box_ = nullptr;
  // The pictures every row's track copies.
  nv::widgets::TECImageTrack* pattern_ = nullptr;
  bool showing_ = false;
};

}  // namespace nv::dialogs
