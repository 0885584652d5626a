// A page picture is decoded at its first draw and kept with its bytes: later
// draws decode nothing, a new picture is decoded again, and the pictures of
// one score share a budget of decoded pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <span>

#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "formats/picture_codecs.h"
#include "platform/recording_canvas.h"
#include "render/page_layout.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

int decodes = 0;

std::optional<nv::platform::Picture> CountingCodec(std::span<const std::uint8_t> bytes) {
  ++decodes;
  return DecodeWithOwnCodecs(bytes);
}

class PictureCache : public testing::Test {
 protected:
  void SetUp() override {
    nv::platform::installPictureCodec(CountingCodec);
    decodes = 0;
  }
  void TearDown() override { InstallPictureCodecs(); }
};

nv::platform::RasterImage Pixels(int width, int height, nv::platform::Color color) {
  return nv::platform::RasterImage(width, height, color);
}

Bytes Gif(int width, int height, nv::platform::Color color) {
  TGIFsImage gif;
  gif.Assign(Pixels(width, height, color));
  MemoryStream out;
  gif.SaveToStream(out);
  return out.Data();
}

std::unique_ptr<TECMusicScore> ScoreWith(const std::vector<TECPicture>& pictures) {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  TECInstrument* instrument = score->AppendInstrument();
  instrument->AppendRow()->AddMeasure();
  for (std::size_t i = 0; i < pictures.size(); ++i)
    instrument->AddPagePicture(10 + 50 * static_cast<int>(i), 20, 40, 30, pictures[i]);
  score->LayoutSuspended = false;
  nv::render::LayoutScore(*score, 0, false);
  return score;
}

struct Drawn {
  int pictures = 0;
  int placeholders = 0;
};

Drawn Draw(TECMusicScore& score) {
  nv::platform::RecordingCanvas canvas;
  score.DrawPage(canvas, 100, 100);
  Drawn drawn;
  for (const std::string& line : canvas.lines()) {
    drawn.pictures += line.find("StretchDraw") != std::string::npos;
    drawn.placeholders += line.find("pen #808080 w1 solid | brush clear") != std::string::npos;
  }
  return drawn;
}

TECPagePicture& PictureObject(TECMusicScore& score, std::size_t i) {
  return static_cast<TECPagePicture&>(*score.CurrentInstrument()->TextsRow().Objects[i]);
}

TEST_F(PictureCache, EachPictureDecodesAtItsFirstDrawAndAgainOnlyWhenItChanges) {
  auto score = ScoreWith({{257, Gif(8, 8, nv::platform::colors::red)},
                          {258, EncodeJpeg(Pixels(8, 8, nv::platform::colors::blue), 90, false)}});
  Drawn first = Draw(*score);
  EXPECT_EQ(first.pictures, 2);
  EXPECT_EQ(decodes, 2);
  EXPECT_EQ(Draw(*score).pictures, 2);
  EXPECT_EQ(decodes, 2) << "the second draw decodes nothing";
  EXPECT_EQ(score->DecodedPixels->Used(), 2 * 64);

  PictureObject(*score, 0).Picture = TECPicture{257, Gif(4, 4, nv::platform::colors::green)};
  EXPECT_EQ(score->DecodedPixels->Used(), 64) << "the old picture's pixels went with it";
  EXPECT_EQ(Draw(*score).pictures, 2);
  EXPECT_EQ(decodes, 3) << "only the new picture is decoded";
  EXPECT_EQ(score->DecodedPixels->Used(), 64 + 16);

  score->CurrentInstrument()->TextsRow().Objects.clear();
  EXPECT_EQ(score->DecodedPixels->Used(), 0);
}

TEST_F(PictureCache, PicturesPastTheScoresBudgetDrawAsPlaceholdersAndKeepTheirBytes) {
  auto score = ScoreWith({{257, Gif(8, 8, nv::platform::colors::red)}, {257, Gif(8, 8, nv::platform::colors::blue)}});
  score->DecodedPixels = std::make_shared<DecodedPixelBudget>(100);
  const Bytes before = Save(*score);
  Drawn drawn = Draw(*score);
  EXPECT_EQ(drawn.pictures, 1);
  EXPECT_EQ(drawn.placeholders, 1);
  EXPECT_EQ(score->DecodedPixels->Used(), 64);
  drawn = Draw(*score);
  EXPECT_EQ(drawn.pictures, 1);
  EXPECT_EQ(decodes, 2) << "a picture past the budget is not decoded at every draw";
  EXPECT_EQ(Save(*score), before);
}

// Sixteen 35-byte GIFs that each declare 8192 x 8192 pixels and hold no
// image data: each is refused once, and every draw shows the placeholders.
TEST_F(PictureCache, EmptyHugeGifsAreRefusedOnceAndDrawAsPlaceholders) {
  const auto path = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus/sixteen-35-byte-8192sq-gifs.sfd";
  TECMusicScore score;
  score.LoadFromFile(path.string());
  nv::render::LayoutScore(score, 0, false);
  for (int draw = 0; draw < 2; ++draw) {
    const Drawn drawn = Draw(score);
    EXPECT_EQ(drawn.pictures, 0);
    EXPECT_EQ(drawn.placeholders, 16);
    EXPECT_EQ(decodes, 16);
  }
  EXPECT_EQ(score.DecodedPixels->Used(), 0);
}

}  // namespace
