#include "dialogs/term_settings_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "widgets/image_track.h"
#include "widgets/image_track_pictures.h"
#include "widgets/scroll_box.h"

namespace nv::dialogs {

using nv::library::TECTermDescription;
using nv::widgets::TECImageTrack;

namespace {

constexpr int kTrackHeight = 20;
constexpr int kTrackOffset = 6;
constexpr int kTickHeight = 6;
constexpr int kTickAbove = 10;

}  // namespace

TermSettingsPage::TermSettingsPage(int kind, std::vector<TECTermDescription> terms, QWidget* parent)
    : QWidget(parent), kind_(kind), terms_(std::move(terms)) {
  setObjectName(QStringLiteral("TermSettingsPage"));
  box_ = new nv::widgets::TECScrollWinControl(this);
  box_->setObjectName(QStringLiteral("SBTerms"));
  box_->viewport()->setBackgroundRole(QPalette::Window);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box_);
  pattern_ = new TECImageTrack(this);
  pattern_->setObjectName(QStringLiteral("ITPattern"));
  nv::widgets::UseStandardPictures(*pattern_);
  pattern_->hide();
  rows_ = nv::library::TermSettingsRows(terms_, kind_);
  for (std::size_t row = 0; row < rows_.size(); ++row) AddRow(row);
  box_->UpdateRanges();
}

void TermSettingsPage::AddRow(std::size_t row) {
  const nv::library::TermSettingsRow& place = rows_[row];
  QWidget* viewport = box_->viewport();
  Controls controls;
  controls.name = new QLabel(QString::fromStdString(terms_[place.Term].Name), viewport);
  controls.name->setGeometry(4, place.Top, (place.HasCheckBox ? 120 : place.TrackLeft) - 8, 16);
  box_->AddChild(*controls.name);
  if (place.HasCheckBox) {
    controls.change = new QCheckBox(viewport);
    controls.change->setGeometry(120, place.Top, 80, 16);
    box_->AddChild(*controls.change);
    connect(controls.change, &QCheckBox::toggled, this, [this, row](bool checked) {
      if (showing_) return;
      nv::library::ToggleTermChange(rows_[row], terms_[rows_[row].Term], checked);
      Show(row);
      Tell(row);
    });
  }
  controls.track = new TECImageTrack(viewport);
  controls.track->CopyPictures(*pattern_);
  controls.track->SetButtonWidth(pattern_->ButtonWidth());
  controls.track->SetButtonHeight(pattern_->ButtonHeight());
  controls.track->SetLeftOffset(kTrackOffset);
  controls.track->SetRightOffset(kTrackOffset);
  controls.track->setGeometry(place.TrackLeft, place.Top - 2, place.TrackWidth, kTrackHeight);
  box_->AddChild(*controls.track);
  // The scale's ticks lie over the track, under its groove.
  for (const int x : place.TickX) {
    auto* tick = new QWidget(viewport);
    tick->setAutoFillBackground(true);
    QPalette colours = tick->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::WindowText));
    tick->setPalette(colours);
    tick->setGeometry(x, place.Top + kTrackHeight - kTickAbove, 1, kTickHeight);
    box_->AddChild(*tick);
  }
  connect(controls.track, &TECImageTrack::OnChange, this, [this, row] {
    if (showing_) return;
    nv::library::MoveTermTrack(rows_[row], terms_[rows_[row].Term], controls_[row].track->Position());
    controls_[row].track->setToolTip(QString::number(rows_[row].Position));
    Tell(row);
  });
  controls_.push_back(controls);
  Show(row);
}

void TermSettingsPage::Show(std::size_t row) {
  const nv::library::TermSettingsRow& place = rows_[row];
  Controls& controls = controls_[row];
  showing_ = true;
  if (controls.change) controls.change->setChecked(place.Checked);
  // Widen first, so that neither end cuts the position on the way.
  controls.track->SetMin(std::min(place.Minimum, controls.track->Min()));
  controls.track->SetMax(place.Maximum);
  controls.track->SetMin(place.Minimum);
  controls.track->SetPosition(place.Position);
  controls.track->setToolTip(QString::number(place.Position));
  showing_ = false;
}

void TermSettingsPage::Tell(std::size_t row) {
  if (onTermChange) onTermChange(rows_[row].Term, terms_[rows_[row].Term]);
}

void TermSettingsPage::SetChangeHint(const QString& hint) {
  for (const Controls& controls : controls_) {
    if (controls.change) controls.change->setToolTip(hint);
  }
}

void TermSettingsPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  box_->UpdateRanges();
}

}  // namespace nv::dialogs
