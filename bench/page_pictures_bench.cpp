// Pages of pictures drawn through the program's own GIF and JPEG codecs:
// the first draw of a page decodes each picture, later draws none.
//   BM_DrawHugeEmptyGifs: the fuzzed file of sixteen 35-byte GIFs that each
//     declare 8192 x 8192 pixels, loaded and drawn once (should be well
//     under 50 ms);
//   BM_DrawRealPictures/0: a page of 8 GIF and 8 JPEG pictures of
//     1000 x 1000 pixels drawn for the first time; /1: drawn again.
// The "decodes" counter is the pictures decoded per draw.
#include <benchmark/benchmark.h>

#include <QImage>
#include <filesystem>
#include <optional>
#include <span>

#include "dense_score.h"
#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "formats/picture_codecs.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/row.h"
#include "platform/qt/qt_canvas.h"

namespace {

int decodes = 0;

std::optional<nv::platform::Picture> CountingCodec(std::span<const std::uint8_t> bytes) {
  ++decodes;
  return DecodeWithOwnCodecs(bytes);
}

void Draw(TECMusicScore& score, QImage& image) {
  image.fill(Qt::white);
  nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
  score.DrawPage(canvas, 100, 100);
  benchmark::DoNotOptimize(image.constBits());
}

void BM_DrawHugeEmptyGifs(benchmark::State& state) {
  dense_score::EnsureApplication();
  nv::platform::installPictureCodec(CountingCodec);
  const auto path = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus" /
                    "sixteen-35-byte-8192sq-gifs.sfd";
  QImage image;
  decodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TECMusicScore score;
    score.LoadFromFile(path.string());
    image = QImage(score.Page().PixelWidth(), score.Page().PixelHeight(), QImage::Format_RGB32);
    state.ResumeTiming();
    Draw(score, image);
  }
  state.counters["decodes"] = benchmark::Counter(decodes, benchmark::Counter::kAvgIterations);
  InstallPictureCodecs();
}
BENCHMARK(BM_DrawHugeEmptyGifs)->Unit(benchmark::kMillisecond);

// A picture of smooth colour ramps with some noise, as a photograph or scan
// would compress.
nv::platform::RasterImage Ramps(int size, int seed) {
  nv::platform::RasterImage image(size, size);
  unsigned noise = static_cast<unsigned>(seed) * 2654435761u;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) & 15);
      image.at(x, y) = nv::platform::rgb((x * 255 / size + n) & 255, (y * 255 / size + seed * 40) & 255,
                                         ((x + y) * 127 / size + n) & 255);
    }
  return image;
}

std::unique_ptr<TECMusicScore> PicturePage() {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  TECInstrument* instrument = score->AppendInstrument();
  instrument->AppendRow()->AddMeasure();
  for (int i = 0; i < 16; ++i) {
    const nv::platform::RasterImage pixels = Ramps(1000, i);
    TECPicture picture;
    if (i % 2 == 0) {
      TGIFsImage gif;
      gif.Assign(pixels);
      MemoryStream out;
      gif.SaveToStream(out);
      picture = TECPicture{257, out.Data()};
    } else {
      picture = TECPicture{258, EncodeJpeg(pixels, 85, false)};
    }
    instrument->AddPagePicture(10 + (i % 4) * 90, 10 + (i / 4) * 70, 80, 60, std::move(picture));
  }
  score->LayoutSuspended = false;
  score->LayoutScore(0, false);
  return score;
}

void BM_DrawRealPictures(benchmark::State& state) {
  dense_score::EnsureApplication();
  nv::platform::installPictureCodec(CountingCodec);
  const bool again = state.range(0) != 0;
  auto score = PicturePage();
  QImage image(score->Page().PixelWidth(), score->Page().PixelHeight(), QImage::Format_RGB32);
  if (again) Draw(*score, image);
  decodes = 0;
  for (auto _ : state) {
    if (!again) {
      state.PauseTiming();
      // A copy of a picture comes without what was decoded from it.
      for (const auto& object : score->CurrentInstrument()->TextsRow().Objects)
        if (auto* picture = dynamic_cast<TECPagePicture*>(object.get())) picture->Picture = TECPicture(*picture->Picture);
      state.ResumeTiming();
    }
    Draw(*score, image);
  }
  state.counters["decodes"] = benchmark::Counter(decodes, benchmark::Counter::kAvgIterations);
  InstallPictureCodecs();
}
BENCHMARK(BM_DrawRealPictures)->Arg(0)->Arg(1)->ArgName("again")->Unit(benchmark::kMillisecond);

}  // namespace
