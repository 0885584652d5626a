// The tempo and volume bars of the tools bar: the active score's tempo scale
// and the output's volume.
#include <QSlider>
#include <QToolBar>
#include <QToolTip>

#include <cstdint>
#include <string>

#include "app/program_module.h"
#include "document/score_document.h"
#include "document/tempo_display.h"
#include "model/music_score.h"
#include "widgets/language.h"

namespace nv::app {

namespace {

constexpr int kTempoWordText = 22;
constexpr int kTempoTicks = 50;
constexpr int kVolumeMin = 30000;
constexpr int kVolumeMax = 65535;
constexpr int kVolumeTicks = 8800;
constexpr int kTrackBarWidth = 100;
const QPoint kTempoHintAt(20, 20);

QSlider *TrackBar(QWidget *parent, const char *name, int minimum, int maximum,
                  int ticks, int position, const char *hint) {
  auto *bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(minimum, maximum);
  bar->setTickInterval(ticks);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setValue(position);
  bar->setToolTip(hint);
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setFixedWidth(kTrackBarWidth);
  return bar;
}

} // namespace

void TFProgramModule::BuildTrackBars() {
  TBTempo = TrackBar(TBTTools, "TBTempo", 0, nv::document::kTempoBarMax,
                     kTempoTicks, 100, "Tempo 100%");
  TBVolume = TrackBar(TBTTools, "TBVolume", kVolumeMin, kVolumeMax,
                      kVolumeTicks, kVolumeMax, "Volume");
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
