#include "dialogs/value_palettes.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "dialogs/term_settings_page.h"
#include "widgets/image_track.h"
#include "widgets/page_control.h"

namespace nv::dialogs {
namespace {

using nv::document::ProgramSettings;
using Field = int ProgramSettings::*;

// The values a palette handed on, in order.
struct Told {
  void operator()(Field field, int value) { changes.emplace_back(field, value); }
  // The last value handed on for `field`, -1 when none was.
  int Last(Field field) const {
    int last = -1;
    for (const auto& [f, v] : changes)
      if (f == field) last = v;
    return last;
  }
  std::vector<std::pair<Field, int>> changes;
};

TEST(TFDinamics, DefaultGivesThePalettesOwnVelocitiesAndAmounts) {
  ProgramSettings values;  // the settings file's defaults: ppp 24 .. fff 104
  QPointer<TFDinamics> palette = new TFDinamics(values, {});
  Told told;
  palette->onValueChange = std::ref(told);
  EXPECT_EQ(palette->Track("ITForte").Position(), 127 - 84);
  palette->DefaultButton().click();
  const ProgramSettings& now = palette->Values();
  EXPECT_EQ((std::vector<int>{now.PianoPianissimo, now.Pianissimo, now.Piano, now.MezzoPiano, now.FortePiano,
                              now.MezzoForte, now.Forte, now.Fortissimo, now.ForteFortissimo}),
            (std::vector<int>{44, 49, 54, 59, 64, 69, 74, 79, 84}));
  EXPECT_EQ((std::vector<int>{now.SForzato, now.ExtraForzato, now.Forzando, now.SForzando}),
            (std::vector<int>{54, 74, 84, 94}));
  EXPECT_EQ((std::vector<int>{now.Crechendo, now.Diminuendo, now.Accentus}), (std::vector<int>{30, 30, 20}));
  // Every value that moved was handed on; six stood at the palette's
  // default already (fp, sforzato, extra-forzato, forzando, sforzando, accent).
  EXPECT_EQ(told.changes.size(), 10u);
  EXPECT_EQ(told.Last(&ProgramSettings::Crechendo), 30);
  EXPECT_EQ(told.Last(&ProgramSettings::Accentus), -1);
  delete palette;
}

TEST(TFDinamics, MovingAVelocityTrackStoresItsUpsideDownValue) {
  QPointer<TFDinamics> palette = new TFDinamics(ProgramSettings{}, {});
  int told = -1;
  palette->onValueChange = [&told](int ProgramSettings::*field, int value) {
    if (field == &ProgramSettings::Forte) told = value;
  };
  palette->Track("ITForte").SetPosition(53);
  EXPECT_EQ(told, 74);
  EXPECT_EQ(palette->Values().Forte, 74);
  // A click at the top of the upright track is the loudest.
  nv::widgets::TECImageTrack& ppp = palette->Track("ITPianoPianissimo");
  EXPECT_EQ(ppp.height(), 140);
  palette->show();
  QTest::mouseClick(&ppp, Qt::LeftButton, {}, QPoint(10, 6));
  EXPECT_EQ(palette->Values().PianoPianissimo, 127);
  delete palette;
}

TEST(TFDinamics, DocksThePageOfTheDynamicTermsOnceHoweverOftenShown) {
  const std::vector<nv::library::TECTermDescription> terms{
      {"dolce", 0, 0, 0}, {"p", 1, 0, 54}, {"Allegro", 2, 0, 32}, {"cresc.", 1, 1, 20}};
  QPointer<TFDinamics> palette = new TFDinamics(ProgramSettings{}, terms);
  EXPECT_EQ(palette->TermPage(), nullptr);
  std::size_t toldIndex = 99;
  palette->onTermChange = [&toldIndex](std::size_t index, const nv::library::TECTermDescription&) {
    toldIndex = index;
  };
  palette->show();
  palette->hide();
  palette->show();
  EXPECT_EQ(palette->Pages().PageCount(), 2);
  EXPECT_EQ(palette->Pages().ActivePage()->objectName(), QStringLiteral("TSSymbols"));
  TermSettingsPage* page = palette->TermPage();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->RowCount(), 2u);
  EXPECT_EQ(page->NameLabel(0).text(), QStringLiteral("p"));
  EXPECT_EQ(page->NameLabel(1).text(), QStringLiteral("cresc."));
  page->Track(1).SetPosition(-10);
  EXPECT_EQ(toldIndex, 3u);
  delete palette;
}

TEST(TFEffects, TracksShowTheirLengthsAndStoreThem) {
  ProgramSettings values;
  values.Arpeggio = 4;  // the settings file's default, beyond the track
  QPointer<TFEffects> palette = new TFEffects(values);
  Told told;
  palette->onValueChange = std::ref(told);
  EXPECT_EQ(palette->Track(EffectTrack::Arpeggio).Position(), 3);
  palette->Track(EffectTrack::Staccato).SetPosition(0);
  EXPECT_EQ(palette->Label(EffectTrack::Staccato), QStringLiteral("1/64"));
  EXPECT_EQ(told.Last(&ProgramSettings::Staccato), 1);
  palette->Track(EffectTrack::Fermata).SetPosition(0);
  EXPECT_EQ(palette->Label(EffectTrack::Fermata), QStringLiteral("x 1.50"));
  EXPECT_EQ(told.Last(&ProgramSettings::Fermata), 1);
  palette->DefaultButton().click();
  EXPECT_EQ(palette->Values().Staccato, 4);
  EXPECT_EQ(palette->Values().Fermata, 2);
  EXPECT_EQ(palette->Label(EffectTrack::Fermata), QStringLiteral("x 2.00"));
  // The arpeggio did not move: the stored 4 stays.
  EXPECT_EQ(palette->Values().Arpeggio, 4);
  EXPECT_EQ(told.Last(&ProgramSettings::Arpeggio), -1);
  delete palette;
}

}  // namespace
}  // namespace nv::dialogs
