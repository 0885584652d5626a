#pragma once

#include <QStatusBar>

#include <array>

#include "widgets/item_collection.h"

class QLabel;

namespace nv::app {

// The main window's status bar SBMain: five panels, 110, 40, 40, 40 and 50
// pixels wide, or wider where their texts need it. Panels 1 to 3 show
// "Printing", "Playing" and "Recording" while the program does that and stay
// empty otherwise. The language files reach the panels as
// "SBMain.panels[i].text".
class MainStatusBar : public QStatusBar, public nv::widgets::ECItemCollection {
  Q_OBJECT
 public:
  explicit MainStatusBar(QWidget* parent = nullptr);

  QObject* CollectionItem(const QString& name, int index) override;
  QLabel& Panel(int index) const { return *panels_[static_cast<std::size_t>(index)]; }

  void ShowStates(bool printing, bool playing, bool recording);

 private:
  std::array<QLabel*, 5> panels_{};
};

}  // namespace nv::app
