// The panes' value arithmetic, element cursors, dynamics values and the
// accidentals a row's notes are shown with.
#include <gtest/gtest.h>


#include "document/program_settings.h"
#include "editor/dynamics_values.h"
#include "editor/element_cursors.h"
#include "editor/performance_values.h"
#include "editor/row_loading.h"
#include "model/measure_items.h"
#include "model/note_records.h"

namespace nv::editor {
namespace {

namespace p = performance;

TEST(PerformanceValuesTest, PerformedLength) {
  struct Case { int performed, notated, longer, shorter; };
  for (const Case c : {Case{0, 32, 33, 31}, Case{33, 32, 34, 0}, Case{31, 32, 0, 30}, Case{1, 32, 2, 1},
                       Case{65535, 32, 65535, 65534}}) {
    EXPECT_EQ(p::LongerPerformed(c.performed, c.notated), c.longer) << c.performed;
    EXPECT_EQ(p::ShorterPerformed(c.performed, c.notated), c.shorter) << c.performed;
  }
}

TEST(PerformanceValuesTest, PlayOffset) {
  EXPECT_EQ(p::OffsetLater(0x81), 0);  // one tick earlier: no shift
  EXPECT_EQ(p::OffsetLater(0), 1);
  EXPECT_EQ(p::OffsetLater(127), 127);
  EXPECT_EQ(p::OffsetEarlier(0), 0x81);
  EXPECT_EQ(p::OffsetEarlier(1), 0);
  EXPECT_EQ(p::OffsetEarlier(0xFF), 0xFF);
  EXPECT_EQ(p::LaterPart(128), 128);
  EXPECT_EQ(p::EarlierPart(0), 0);
  EXPECT_EQ(p::LongerPart(256), 256);
  EXPECT_EQ(p::ShorterPart(2), 2);
}

TEST(PerformanceValuesTest, VelocitySteps) {
  EXPECT_EQ(p::SteppedVelocity(127, 1), 127);
  EXPECT_EQ(p::SteppedVelocity(0, -1), 0);
  EXPECT_EQ(p::SteppedVelocity(64, 1), 65);
}

TEST(PerformanceValuesTest, RampByTime) {
  EXPECT_EQ(p::RampVelocity(20, 100, 0, 96, 32), 46);
  EXPECT_EQ(p::RampVelocity(20, 100, 0, 96, 64), 73);
  EXPECT_EQ(p::RampVelocity(20, 100, 0, 0, 0), 20);
  // A grace note before the first item lies outside the ramp: kept in range.
  EXPECT_EQ(p::RampVelocity(10, 127, 32, 64, 0), 0);
  EXPECT_EQ(p::RampVelocity(100, 127, 0, 32, 96), 127);
}

TEST(ElementCursorsTest, NamesByValueInTicksAndKind) {
  TECNote quarter, whole, dotted;
  quarter.Length = 32;
  whole.Length = 128;
  dotted.Length = 48;
  TECRest eighth;
  eighth.Length = 16;
  TECMeasureItem strings(175);
  strings.Second = 3;
  TECMeasureItem tempo(99);
  EXPECT_EQ(CursorNameOf(&quarter), "NOTE4");
  EXPECT_EQ(CursorNameOf(&whole), "NOTE");
  EXPECT_EQ(CursorNameOf(&eighth), "PAUSE8");
  EXPECT_EQ(CursorNameOf(&strings), "3STRING");
  EXPECT_EQ(CursorNameOf(&tempo), "TEMPO");
  EXPECT_FALSE(CursorNameOf(&dotted));
  EXPECT_EQ(CursorNameOf(nullptr), "");
}

TEST(DynamicsValuesTest, SettingsDefaultsAndStaccato) {
  nv::document::ProgramSettings settings;
  const struct {
    int staccato;
    int value;
  } staccato[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {4, 8}, {5, 16}, {99, 1 << 30}};
  for (const auto& c : staccato) {
    settings.Staccato = c.staccato;
    EXPECT_EQ(DynamicsValue(109, settings), c.value) << c.staccato;
  }
  EXPECT_EQ(DynamicsValue(166, settings), 84);
  settings.Forte = 90;
  EXPECT_EQ(DynamicsValue(166, settings), 90);
  EXPECT_EQ(DynamicsValue(200, settings), 64);
  EXPECT_EQ(DynamicsValue(198, settings), 20);
  EXPECT_EQ(DynamicsValue(199, settings), 20);
  EXPECT_EQ(DynamicsValue(162, settings), 24);
  EXPECT_EQ(DynamicsValue(131, settings), 4);
}

TEST(RowLoadingTest, KeyAndAccidentalsInForce) {
  // D major: F and C sharp.
  const auto d = KeyAlterations(2);
  EXPECT_EQ(d, (std::array<int, 7>{1, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(KeyAlterations(12), (std::array<int, 7>{0, 0, -1, 0, 0, 0, -1}));  // B and E flat
  EXPECT_EQ(KeyAlterations(10), (std::array<int, 7>{}));
  EXPECT_EQ(KeyAlterations(9), (std::array<int, 7>{1, 1, 1, 1, 1, 1, 1}));
  auto alterations = d;
  TECNote f(ek::NoteC + 3);
  f.Attributes.push_back(MakeNoteAttribute(ek::Natural, &f));
  ApplyAccidentals(f, alterations);
  EXPECT_EQ(alterations[3], 0);
  EXPECT_EQ(alterations[0], 1);
}

}  // namespace
}  // namespace nv::editor
