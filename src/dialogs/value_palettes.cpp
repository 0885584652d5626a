#include "dialogs/value_palettes.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

#include "dialogs/music_face.h"
#include "dialogs/term_settings_page.h"
#include "platform/font_faces.h"
#include "platform/qt/qt_font_faces.h"
#include "widgets/image_track.h"
#include "widgets/image_track_pictures.h"
#include "widgets/page_control.h"

namespace nv::dialogs {

using nv::document::ProgramSettings;
using nv::widgets::TECImageTrack;
using nv::widgets::TrackOrientation;

namespace {

constexpr int kOffset = 6;
// The velocity tracks: 20 x 140, 22 apart, after the scale's labels.
constexpr int kVelocityLeft = 34;
constexpr int kVelocityPitch = 22;
constexpr int kVelocityTop = 4;
constexpr int kVelocityLength = 140;
constexpr int kTrackThickness = 20;
// The music-font glyph of each velocity track's mark (the mark's kind less 55).
constexpr std::uint8_t kMarkGlyphs[] = {107, 106, 105, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117};

TECImageTrack* MakeTrack(QWidget* parent, const QString& name, TrackOrientation orientation, int maximum) {
  auto* track = new TECImageTrack(parent);
  track->setObjectName(name);
  track->SetOrientation(orientation);
  nv::widgets::UseStandardPictures(*track);
  track->SetLeftOffset(kOffset);
  track->SetRightOffset(kOffset);
  track->SetMax(maximum);
  return track;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  return label;
}

// A page in the window's colour, which the tracks are filled with too.
nv::widgets::TECTabSheet* MakeSheet(nv::widgets::TECPageControl& pages, const QString& name) {
  auto* sheet = new nv::widgets::TECTabSheet(&pages);
  sheet->setObjectName(name);
  sheet->SetBrush(pages.palette().window());
  return sheet;
}

// A notebook with its tabs at the bottom and no binding.
nv::widgets::TECPageControl* MakePages(QWidget* client) {
  auto* pages = new nv::widgets::TECPageControl(client);
  pages->setObjectName(QStringLiteral("PCDinamics"));
  nv::widgets::TECPageSetting setting = pages->PageSetting();
  setting.doubleSheet = false;
  setting.orientation = nv::widgets::PageOrientation::Top;
  pages->SetPageSetting(setting);
  pages->SetSpiralVisible(false);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pages);
  return pages;
}

}  // namespace

TFDinamics::TFDinamics(const ProgramSettings& values, std::vector<nv::library::TECTermDescription> terms,
                       QWidget* parent)
    : PaletteFrame(QStringLiteral("FDinamics"), QStringLiteral("Dynamics"), {336, 306}, parent),
      values_(values),
      terms_(std::move(terms)) {
  pages_ = MakePages(Client());
  symbols_ = MakeSheet(*pages_, QStringLiteral("TSSymbols"));
  symbols_->SetCaption(QStringLiteral("Symbols"));
  const auto tracks = DynamicsTracks();
  const QFont glyphFont = MusicFont(14);
  int velocityIndex = 0;
  int amountIndex = 0;
  for (const DynamicsTrack& track : tracks) {
    const QString name = QString::fromUtf8(track.Name.data(), static_cast<int>(track.Name.size()));
    TECImageTrack* control = nullptr;
    if (track.Velocity) {
      const int left = kVelocityLeft + kVelocityPitch * velocityIndex;
      control = MakeTrack(symbols_, name, TrackOrientation::Vertical, DynamicsTrackMaximum(track));
      control->setGeometry(left, kVelocityTop, kTrackThickness, kVelocityLength);
      const QString glyphText = nv::platform::textForFace(
          nv::platform::kMusicFace, std::string(1, static_cast<char>(kMarkGlyphs[velocityIndex])));
      QLabel* glyph = MakeLabel(symbols_, {}, glyphText,
                                QRect(left - 6, kVelocityTop + kVelocityLength + 2, kVelocityPitch + 10, 30));
      glyph->setFont(glyphFont);
      glyph->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      ++velocityIndex;
    } else {
      const int top = 184 + 24 * amountIndex;
      MakeLabel(symbols_, "L" + name.mid(2), name.mid(2), QRect(4, top + 2, 84, 16));
      control = MakeTrack(symbols_, name, TrackOrientation::Horizontal, DynamicsTrackMaximum(track));
      control->setGeometry(90, top, 150, kTrackThickness);
      ++amountIndex;
    }
    control->SetPosition(DynamicsTrackPosition(track, values_.*track.Value));
    connect(control, &TECImageTrack::OnChange, this,
            [this, &track, control] { Moved(track, control->Position()); });
    tracks_.push_back(control);
  }
  // The velocity scale: loudest at the top.
  MakeLabel(symbols_, QStringLiteral("LMax"), QStringLiteral("Max"), QRect(2, kVelocityTop, 30, 16));
  MakeLabel(symbols_, QStringLiteral("LAvg"), QStringLiteral("Avg"),
            QRect(2, kVelocityTop + kVelocityLength / 2 - 8, 30, 16));
  MakeLabel(symbols_, QStringLiteral("LMin"), QStringLiteral("Min"),
            QRect(2, kVelocityTop + kVelocityLength - 16, 30, 16));
  default_ = new QPushButton(QStringLiteral("Default"), symbols_);
  default_->setObjectName(QStringLiteral("BDefault"));
  default_->setGeometry(250, 206, 76, 24);
  connect(default_, &QPushButton::clicked, this, [this] {
    const auto all = DynamicsTracks();
    for (std::size_t i = 0; i < all.size(); ++i) tracks_[i]->SetPosition(DynamicsTrackPosition(all[i], all[i].Default));
  });
}

TECImageTrack& TFDinamics::Track(std::string_view name) const {
  const auto all = DynamicsTracks();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].Name == name) return *tracks_[i];
  }
  throw std::invalid_argument("No dynamics track " + std::string(name));
}

void TFDinamics::Moved(const DynamicsTrack& track, int position) {
  const int value = DynamicsTrackValue(track, position);
  values_.*track.Value = value;
  if (onValueChange) onValueChange(track.Value, value);
}

void TFDinamics::showEvent(QShowEvent* event) {
  // The term page is docked once, however often the palette is shown.
  if (!termPage_) {
    nv::widgets::TECTabSheet* sheet = MakeSheet(*pages_, QStringLiteral("TSTerms"));
    sheet->SetCaption(QStringLiteral("Expressions"));
    termPage_ = new TermSettingsPage(nv::library::term_kind::Dynamic, terms_, sheet);
    termPage_->onTermChange = [this](std::size_t index, const nv::library::TECTermDescription& term) {
      terms_[index] = term;
      if (onTermChange) onTermChange(index, term);
    };
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(termPage_);
    pages_->SetActivePage(symbols_);
  }
  PaletteFrame::showEvent(event);
}

TFEffects::TFEffects(const ProgramSettings& values, QWidget* parent)
    : PaletteFrame(QStringLiteral("FEffects"), QStringLiteral("Effects"), {250, 104}, parent), values_(values) {
  struct Row {
    EffectTrack track;
    const char* name;
    const char* caption;
  };
  constexpr Row kRows[] = {{EffectTrack::Staccato, "Staccato", "Staccato"},
                           {EffectTrack::Arpeggio, "Arpeggio", "Arpeggio"},
                           {EffectTrack::Fermata, "Fermata", "Fermata"}};
  int top = 4;
  for (const Row& row : kRows) {
    const QString name = QString::fromLatin1(row.name);
    MakeLabel(Client(), "L" + name, QString::fromLatin1(row.caption), QRect(4, top + 2, 64, 16));
    TECImageTrack* track = MakeTrack(Client(), "IT" + name, TrackOrientation::Horizontal, kEffectTrackMaximum);
    track->setGeometry(70, top, 120, kTrackThickness);
    track->SetPosition(EffectTrackPosition(row.track, values_));
    QLabel* label = MakeLabel(Client(), "LValue" + name, {}, QRect(194, top + 2, 52, 16));
    label->setText(QString::fromStdString(EffectTrackLabel(row.track, track->Position())));
    const EffectTrack which = row.track;
    connect(track, &TECImageTrack::OnChange, this, [this, which, track, label] {
      SetEffectTrack(which, track->Position(), values_);
      label->setText(QString::fromStdString(EffectTrackLabel(which, track->Position())));
      if (!onValueChange) return;
      switch (which) {
        case EffectTrack::Staccato:
          return onValueChange(&ProgramSettings::Staccato, values_.Staccato);
        case EffectTrack::Arpeggio:
          return onValueChange(&ProgramSettings::Arpeggio, values_.Arpeggio);
        case EffectTrack::Fermata:
          return onValueChange(&ProgramSettings::Fermata, values_.Fermata);
      }
    });
    tracks_.push_back(track);
    labels_.push_back(label);
    top += 24;
  }
  default_ = new QPushButton(QStringLiteral("Default"), Client());
  default_->setObjectName(QStringLiteral("BDefault"));
  default_->setGeometry(170, top + 2, 76, 24);
  connect(default_, &QPushButton::clicked, this, [this] {
    for (const EffectTrack track : {EffectTrack::Staccato, EffectTrack::Arpeggio, EffectTrack::Fermata})
      Track(track).SetPosition(EffectDefaultPosition(track));
  });
}

TECImageTrack& TFEffects::Track(EffectTrack track) const { return *tracks_[static_cast<std::size_t>(track)]; }

QString TFEffects::Label(EffectTrack track) const { return labels_[static_cast<std::size_t>(track)]->text(); }

}  // namespace nv::dialogs
