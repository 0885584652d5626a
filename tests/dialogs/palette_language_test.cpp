// The palettes speak the interface language: each palette's record in the
// language files names only controls the palette has, and opening a
// palette puts its texts in.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "dialogs/arrangement_palettes.h"
#include "dialogs/color_palette.h"
#include "dialogs/drawing_style_palettes.h"
#include "dialogs/font_palettes.h"
#include "dialogs/microtone_palette.h"
#include "dialogs/notation_palettes.h"
#include "dialogs/rehearsal_mark_palette.h"
#include "dialogs/text_angle_palette.h"
#include "dialogs/time_signature_palette.h"
#include "dialogs/transpose_palette.h"
#include "widgets/language.h"
#include "widgets/language_property.h"

namespace nv::dialogs {
namespace {

using nv::widgets::TECLanguage;

class PaletteLanguage : public ::testing::Test {
 protected:
  PaletteLanguage() : language_(new TECLanguage(&owner_)) {
    language_->SetFileLocation(NOTAVISTRA_ASSETS_DIR, "notavistra");
  }
  QObject owner_;
  TECLanguage* language_;
};

TEST_F(PaletteLanguage, EveryPathOfAPaletteRecordReachesItsControl) {
  const std::vector<std::function<PaletteFrame*()>> makers = {
      [] { return new KeySignaturePalette; },
      [] { return new ClefPalette; },
      [] { return new TimeSignaturePalette; },
      [] { return new TransposePalette; },
      [] { return new MicrotonePalette; },
      [] { return new RowAlignmentPalette(nullptr); },
      [] { return new JoinNotesPalette(nullptr); },
      [] { return new RehearsalMarkPalette(nullptr); },
      [] { return new BracketPalette; },
      [] { return new ColorPalette([](const QColor&) { return std::nullopt; }); },
      [] { return new FontNamePalette(QStringList{"Arial"}); },
      [] { return new FontStylePalette; },
      [] { return new LineStylePalette; },
      [] { return new BrushStylePalette; },
      [] { return new LineWidthPalette; },
      [] { return new LineEndPalette; },
      [] { return new TextAnglePalette(QStringLiteral("ENU")); },
  };
  for (const char* code : {"ENU", "RUS", "DEU"}) {
    language_->ApplyLanguage(QString::fromLatin1(code));
    ASSERT_EQ(language_->LastLoad(), TECLanguage::LoadResult::Loaded) << code;
    for (const auto& make : makers) {
      const std::unique_ptr<PaletteFrame> palette(make());
      const std::string form = palette->objectName().toStdString();
      const auto record = language_->FindForm(form);
      ASSERT_TRUE(record) << code << " has no record " << form;
      for (const auto& entry : language_->Image().Entries(*record).entries)
        EXPECT_TRUE(nv::widgets::ApplyLanguageEntry(palette.get(), entry)) << code << " " << form << "." << entry.path;
    }
  }
}

TEST_F(PaletteLanguage, OpeningAPaletteTranslatesIt) {
  language_->ApplyLanguage(QStringLiteral("RUS"));
  QPointer<JoinNotesPalette> join = new JoinNotesPalette(nullptr);
  join->Open();
  EXPECT_EQ(join->windowTitle(), " Группировка нот");
  EXPECT_EQ(join->findChild<QCheckBox*>(QStringLiteral("CBActive"))->text(), "Активно");
  EXPECT_EQ(join->findChild<QLabel*>(QStringLiteral("SBCustomLabel"))->text(), "Своё деление");
  join->close();

  language_->SetLanguage(QStringLiteral("DEU"));
  QPointer<RehearsalMarkPalette> marks = new RehearsalMarkPalette(nullptr);
  marks->Open();
  EXPECT_EQ(marks->findChild<QRadioButton*>(QStringLiteral("RGBorder2"))->text(), "Kreis");
  marks->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(join.isNull());
  EXPECT_TRUE(marks.isNull());
}

}  // namespace
}  // namespace nv::dialogs
