// Every input of the GIF and JPEG fuzzing corpora either decodes or fails
// with a graphic or stream error; a GIF that decodes saves and loads again.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "model/memory_stream.h"
#include "support/corpus_files.h"

namespace {

using corpus_files::Bytes;

std::vector<std::pair<std::string, Bytes>> Corpus(const std::string& folder) {
  return corpus_files::ReadFolder(std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / folder);
}

TEST(PictureCorpus, EveryGifLoadsOrFailsCleanly) {
  const auto files = Corpus("gif_corpus");
  EXPECT_FALSE(files.empty());
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    for (const bool tolerant : {false, true}) {
      TGIFsImage image;
      image.Tolerant = tolerant;
      try {
        MemoryStream in(bytes);
        image.LoadFromStream(in);
        // As the fuzzer does: loading decodes the first frame; of the rest
        // only those that cannot take much memory.
        for (auto& frame : image.Frames) {
          if (std::int64_t{frame->Width} * frame->Height <= (1 << 20)) frame->Bitmap();
        }
      } catch (const EInvalidGraphicOperation&) {
        continue;
      } catch (const EStreamError&) {
        continue;
      }
      if (image.GetEmpty()) continue;
      MemoryStream saved;
      image.SaveToStream(saved);
      saved.SetPosition(0);
      TGIFsImage again;
      again.Tolerant = true;
      EXPECT_NO_THROW(again.LoadFromStream(saved));
    }
  }
}

TEST(PictureCorpus, EveryJpegDecodesOrFailsCleanly) {
  const auto files = Corpus("jpeg_corpus");
  EXPECT_FALSE(files.empty());
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    try {
      const nv::platform::RasterImage image = DecodeJpeg(bytes);
      EXPECT_GT(image.width, 0);
    } catch (const EInvalidGraphicOperation&) {
    }
  }
}

}  // namespace
