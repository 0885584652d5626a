#include "app/main_status_bar.h"

#include <QLabel>

namespace nv::app {

namespace {

constexpr std::array<int, 5> kPanelWidths = {110, 40, 40, 40, 50};
constexpr std::array<const char*, 3> kStateTexts = {"Printing", "Playing", "Recording"};

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("SBMain");
  setSizeGripEnabled(false);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(this);
    // At least the designed width, and room for the panel's text.
    panel->setMinimumWidth(kPanelWidths[i]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (i >= 1 && i <= 3) panel->setText(kStateTexts[i - 1]);
    addWidget(panel);
    panels_[i] = panel;
  }
  ShowStates(false, false, false);
}

QObject* MainStatusBar::CollectionItem(const QString& name, int index) {
  if (name != QLatin1String("panels") || index < 0 || index >= static_cast<int>(panels_.size())) return nullptr;
  return panels_[static_cast<std::size_t>(index)];
}

void MainStatusBar::ShowStates(bool printing, bool playing, bool recording) {
  // A panel keeps its (translated) text and only hides it outside its state.
  const std::array<bool, 3> on = {printing, playing, recording};
  for (std::size_t i = 0; i < on.size(); ++i) {
    QLabel& panel = *panels_[i + 1];
    QPalette palette = panel.palette();
    palette.setColor(QPalette::WindowText, on[i] ? palette.color(QPalette::Text) : QColor(Qt::transparent));
    panel.setPalette(palette);
  }
}

}  // namespace nv::app
