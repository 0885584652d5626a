// Pictures on pages that do not decode keep their type and bytes: drawing
// shows a placeholder and saving writes them back unchanged.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/recording_canvas.h"
#include "render/page_layout.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

TEST(PictureInScore, DamagedPicturesSaveBackByteForByteAfterDrawing) {
  const std::vector<TECPicture> stored{
      {257, Bytes{'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x80, 0, 0, 1, 2, 3}},  // cut inside the table
      {258, Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'}},                           // a JPEG cut short
      {260, Bytes{1, 0, 0, 0, 0x6C, 0, 0, 0, 0, 0, 0, 0}},                            // a metafile
      {256, Bytes{'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F}},
  };
  TECMusicScore score;
  score.LayoutSuspended = true;
  TECInstrument* instrument = score.AppendInstrument();
  instrument->AppendRow()->AddMeasure();
  for (std::size_t i = 0; i < stored.size(); ++i) {
    instrument->AddPagePicture(10 + 50 * static_cast<int>(i), 20, 40, 30, stored[i]);
  }
  score.LayoutSuspended = false;
  const Bytes saved = Save(score);

  TECMusicScore loaded;
  Load(loaded, saved);
  nv::render::LayoutScore(loaded, 0, false);
  const Bytes beforeDrawing = Save(loaded);
  nv::platform::RecordingCanvas canvas;
  loaded.DrawPage(canvas, 100, 100);
  int placeholders = 0;
  for (const std::string& line : canvas.lines()) placeholders += line.find("pen #808080 w1 solid | brush clear") != std::string::npos;
  EXPECT_EQ(placeholders, static_cast<int>(stored.size()));

  const auto& objects = loaded.CurrentInstrument()->TextsRow().Objects;
  ASSERT_EQ(objects.size(), stored.size());
  // New objects go in front of those on their page, so compare by type.
  for (const auto& object : objects) {
    const auto& picture = static_cast<const TECPagePicture&>(*object).Picture;
    ASSERT_TRUE(picture.has_value());
    const auto original = std::find_if(stored.begin(), stored.end(),
                                       [&](const TECPicture& p) { return p.Type == picture->Type; });
    ASSERT_NE(original, stored.end());
    EXPECT_EQ(picture->Data, original->Data);
  }
  const Bytes afterDrawing = Save(loaded);
  EXPECT_EQ(afterDrawing, beforeDrawing);
  for (const TECPicture& picture : stored) {
    EXPECT_NE(std::search(afterDrawing.begin(), afterDrawing.end(), picture.Data.begin(), picture.Data.end()),
              afterDrawing.end())
        << picture.Type;
  }
}

}  // namespace
