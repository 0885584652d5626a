// The tempo and volume bars of the tools bar: the active score's tempo scale
// and the output's volume; the zoom button and its menu.
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <cstdint>
#include <optional>
#include <string>

#include "app/program_module.h"
#include "document/score_document.h"
#include "document/tempo_display.h"
#include "document/zoom_steps.h"
#include "editor/track_bar.h"
#include "model/music_score.h"
#include "widgets/language.h"

namespace nv::app {

namespace {

constexpr int kTempoWordText = 22;
constexpr int kTempoTicks = 50;
constexpr int kTrackBarWidth = 100;
// Room for the ticks below the thumb, which presses there snap to.
constexpr int kTrackBarHeight = 28;
const QPoint kTempoHintAt(20, 20);
// The zoom menu drops from this far left of the button's bottom.
constexpr int kZoomMenuLeft = -64;

nv::editor::TECTrackBar *TrackBar(QWidget *parent, const char *name, int minimum, int maximum,
                  int ticks, int position, const char *hint) {
  auto *bar = new nv::editor::TECTrackBar(parent);
  bar->setObjectName(name);
  bar->setRange(minimum, maximum);
  bar->setTickInterval(ticks);
  bar->setValue(position);
  bar->setToolTip(hint);
  bar->setFixedSize(kTrackBarWidth, kTrackBarHeight);
  return bar;
}

// A press on the bar's ticks moves it to the tick `tickAt` gives for the
// press and the bar's width, and only there: the bar does not page as well.
// A bar too narrow for ticks takes the press and stays.
class TickPress : public QObject {
public:
  TickPress(QSlider *bar, std::optional<int> (*tickAt)(int x, int width))
      : QObject(bar), bar_(bar), tickAt_(tickAt) {
    bar->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched != bar_ || event->type() != QEvent::MouseButtonPress)
      return false;
    const auto *press = static_cast<QMouseEvent *>(event);
    const QPoint at = press->position().toPoint();
    if (press->button() != Qt::LeftButton || at.y() <= nv::document::kTickRowTop)
      return false;
    if (const std::optional<int> position = tickAt_(at.x(), bar_->contentsRect().width()))
      bar_->setValue(*position);
    return true;
  }

private:
  QSlider *bar_;
  std::optional<int> (*tickAt_)(int x, int width);
};

} // namespace

void TFProgramModule::BuildTrackBars() {
  auto *tempo = TrackBar(TBTTools, "TBTempo", 0, nv::document::kTempoBarMax,
                         kTempoTicks, 100, "Tempo 100%");
  auto *volume = TrackBar(TBTTools, "TBVolume", nv::document::kVolumeBarMin,
                          nv::document::kVolumeBarMax, nv::document::kVolumeBarTicks,
                          nv::document::kVolumeBarMax, "Volume");
  new TickPress(tempo, nv::document::TempoTickAt);
  new TickPress(volume, nv::document::VolumeTickAt);
  TBTempo = tempo;
  TBVolume = volume;
  TBTTools->addWidget(TBTempo);
  TBTTools->addWidget(TBVolume);
  connect(TBTempo, &QSlider::valueChanged, this, [this](int position) {
    DocumentPage *page = ActiveEditor();
    if (page == nullptr || updatingTempo_)
      return;
    // The hint follows; the bar stays where the user put it.
    updatingTempo_ = true;
    page->Document().Score().SetTempoScale(
        nv::document::TempoScaleAt(position));
    UpdateTempoDisplay();
    updatingTempo_ = false;
    // The new tempo shows at once, over the bar.
    QToolTip::showText(TBTempo->mapToGlobal(kTempoHintAt), TBTempo->toolTip(),
                       TBTempo);
  });
  connect(TBVolume, &QSlider::valueChanged, this, [this](int volume) {
    const auto level = static_cast<std::uint16_t>(volume);
    MOScore.SetVolume(level, level);
  });
}

void TFProgramModule::BuildZoomMenu() {
  PMZoom = new QMenu(this);
  PMZoom->setObjectName("PMZoom");
  for (const int percent : nv::document::ZoomMenuPercents()) {
    QAction *item = PMZoom->addAction(
        QString::fromStdString(nv::document::ZoomMenuCaption(percent)));
    // The caption names the zoom, as a translated caption does too.
    connect(item, &QAction::triggered, this, [this, item] {
      if (const std::optional<int> zoom =
              nv::document::ZoomFromCaption(item->text().toStdString()))
        SetZoom(*zoom);
    });
  }
  CBZoom = new QToolButton(TBTTools);
  CBZoom->setObjectName("CBZoom");
  CBZoom->setArrowType(Qt::DownArrow);
  CBZoom->setAutoRaise(true);
  CBZoom->setToolTip("Zoom");
  CBZoom->setFocusPolicy(Qt::NoFocus);
  TBTTools->addWidget(CBZoom);
  connect(CBZoom, &QToolButton::clicked, this, [this] {
    PMZoom->popup(CBZoom->mapToGlobal(QPoint(kZoomMenuLeft, CBZoom->height())));
  });
}

void TFProgramModule::UpdateTempoDisplay() {
  DocumentPage *page = ActiveEditor();
  if (TBTempo == nullptr || page == nullptr)
    return;
  const TECMusicScore &score = page->Document().Score();
  const std::string word = nv::widgets::LanguageTexts().GetString(
      nv::platform::form_key::kMainWindow, kTempoWordText);
  TBTempo->setToolTip(QString::fromStdString(
      nv::document::TempoHint(word, score.GetTempoScale(), score.GetTempo())));
  // The bar's own position may give the scale while the scale's position
  // differs (150 sets 225 %, which lies at 158): it stays where it is.
  if (updatingTempo_ ||
      nv::document::TempoScaleAt(TBTempo->value()) == score.GetTempoScale())
    return;
  updatingTempo_ = true;
  TBTempo->setValue(nv::document::TempoBarPosition(score.GetTempoScale()));
  updatingTempo_ = false;
}

} // namespace nv::app
