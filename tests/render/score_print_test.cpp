// Printing: the pages and copies a print draws, the zoom it prints at, and
// real PDF files read back by poppler's pdfinfo and pdftoppm.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "draw_test_support.h"
#include "formats/run_command.h"
#include "model/units.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"
#include "platform/qt/qt_paged_target.h"
#include "platform/recording_paged_target.h"

namespace {

using score_builder::AddNote;

// Notes the page the score shows (from 1) each time a sheet ends, and the
// zoom it was drawn at.
class PageLoggingTarget : public nv::platform::RecordingPagedTarget {
 public:
  explicit PageLoggingTarget(const TECMusicScore& score) : score_(score) {}
  void newPage() override {
    EndSheet();
    RecordingPagedTarget::newPage();
  }
  void endDoc() override {
    EndSheet();
    RecordingPagedTarget::endDoc();
  }
  std::vector<int> zooms;

 private:
  void EndSheet() {
    log.push_back("p" + std::to_string(score_.GetActivePage() + 1));
    zooms.push_back(score_.GetZoom());
  }
  const TECMusicScore& score_;
};

std::unique_ptr<TECMusicScore> PrintableScore(int measures) {
  auto score = layout_test::MakeScore(1, measures);
  score->SetTimeSignature(4, 4, 0, true);
  for (int m = 0; m < measures; ++m)
    for (int q = 0; q < 4; ++q) AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(m), 1 + (m + q) % 7, 5, 32, q * 32);
  nv::render::LayoutScore(*score, 0, false);
  return score;
}

TECPrintSettings PagesTwoToThree(bool collate) {
  TECPrintSettings settings;
  settings.PageRange = true;
  settings.FromPage = 2;
  settings.ToPage = 3;
  settings.Copies = 2;
  settings.Collate = collate;
  return settings;
}

TEST(ScorePrint, CollatedCopiesPrintTheRangeOncePerCopy) {
  auto score = PrintableScore(40);
  ASSERT_GE(score->CurrentInstrument()->PageCount(), 3);
  PageLoggingTarget target(*score);
  score->Print(target, PagesTwoToThree(true));
  EXPECT_EQ(target.log, (std::vector<std::string>{"BeginDoc", "p2", "NewPage", "p3", "NewPage", "p2", "NewPage", "p3",
                                                  "EndDoc"}));
}

TEST(ScorePrint, UncollatedCopiesPrintEachPageTwiceInARow) {
  auto score = PrintableScore(40);
  PageLoggingTarget target(*score);
  score->Print(target, PagesTwoToThree(false));
  EXPECT_EQ(target.log, (std::vector<std::string>{"BeginDoc", "p2", "NewPage", "p2", "NewPage", "p3", "NewPage", "p3",
                                                  "EndDoc"}));
}

TEST(ScorePrint, PrintsAtThePrintersResolutionAndRestoresTheView) {
  auto score = PrintableScore(40);
  score->SetZoom(150);
  // A 600-dpi printer and a 96-dpi screen: Zoom 600 x 100 / 96.
  PageLoggingTarget target(*score);
  TECPrintSettings settings;
  settings.PageRange = true;
  settings.FromPage = 1;
  settings.ToPage = 1;
  score->Print(target, settings);
  EXPECT_EQ(target.zooms, std::vector<int>{625});
  EXPECT_EQ(score->GetZoom(), 150);
  EXPECT_EQ(score->ZoomFactor(), 150 * 100);
  EXPECT_FALSE(score->Printing());
  // A range past the last page is cut to the pages there are; without a
  // range every page prints.
  const int pages = score->CurrentInstrument()->PageCount();
  settings.ToPage = pages + 5;
  settings.FromPage = pages;
  PageLoggingTarget tail(*score);
  score->Print(tail, settings);
  EXPECT_EQ(tail.log, (std::vector<std::string>{"BeginDoc", "p" + std::to_string(pages), "EndDoc"}));
  PageLoggingTarget all(*score);
  score->Print(all, TECPrintSettings{});
  EXPECT_EQ(all.zooms.size(), static_cast<std::size_t>(pages));
}

TEST(ScorePrint, ATargetThatCannotStartIsAnErrorAndChangesNothing) {
  auto score = PrintableScore(4);
  nv::platform::RecordingPagedTarget target;
  target.failure = "printer is offline";
  EXPECT_THROW(
      {
        try {
          score->Print(target, TECPrintSettings{});
        } catch (const EPrintError& e) {
          EXPECT_STREQ(e.what(), "printer is offline");
          throw;
        }
      },
      EPrintError);
  EXPECT_TRUE(target.log.empty());
  EXPECT_EQ(score->GetZoom(), 100);
  EXPECT_FALSE(score->Printing());

  const std::string missing = "/nonexistent-notavistra-folder/score.pdf";
  auto pdf = nv::platform::QtPagedTarget::pdfFile(QString::fromStdString(missing), 600);
  try {
    score->Print(*pdf, TECPrintSettings{});
    ADD_FAILURE() << "printing into a missing folder succeeded";
  } catch (const EPrintError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  EXPECT_EQ(score->GetZoom(), 100);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// --- PDF files --------------------------------------------------------------------

std::filesystem::path TemporaryPdf(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("notavistra-" + std::to_string(getpid()) + "-" + name + ".pdf");
}

std::string PdfInfo(const std::filesystem::path& file) {
  const CommandResult info = RunCommand("pdfinfo " + ShellQuoted(file.string()));
  EXPECT_EQ(info.Status, 0) << info.Output;
  return info.Output;
}

TEST(ScorePrintPdf, TwoPagesTwiceMakeFourA4Pages) {
  for (const bool landscape : {false, true}) {
    auto score = PrintableScore(60);
    score->Page().SetPaperSize(TECPaperSize::A4);
    if (landscape) score->Page().SetOrientation(TPrinterOrientation::poLandscape);
    nv::render::LayoutScore(*score, 0, false);
    ASSERT_GE(score->CurrentInstrument()->PageCount(), 3);
    const auto file = TemporaryPdf(landscape ? "landscape" : "portrait");
    auto target = nv::platform::QtPagedTarget::pdfFile(QString::fromStdString(file.string()), 600);
    score->Print(*target, PagesTwoToThree(true));
    target.reset();
    const std::string info = PdfInfo(file);
    EXPECT_NE(info.find("Pages:           4\n"), std::string::npos) << info;
    // A4 is 595.3 x 841.9 points (whole points in the file); turned in landscape.
    const std::string size = landscape ? "842 x 595 pts (A4)" : "595 x 842 pts (A4)";
    EXPECT_NE(info.find(size), std::string::npos) << info;
    std::filesystem::remove(file);
  }
}

// Rows of the image where most pixels across the staff are dark.
std::set<int> StaffLineRows(const QImage& image) {
  std::set<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    int dark = 0;
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 160;
    if (dark > image.width() / 2) rows.insert(y);
  }
  return rows;
}

// The ink box of the dark pixels in a region.
QRect InkBox(const QImage& image, const QRect& region) {
  QRect box;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) box = box.united(QRect(x, y, 1, 1));
  return box;
}

TEST(ScorePrintPdf, PaperMatchesThePageDrawnForPrintingAtScreenResolution) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  auto score = PrintableScore(8);
  score->Page().SetPaperSize(TECPaperSize::A4);
  nv::render::LayoutScore(*score, 0, false);

  // The page drawn in print mode on a 96-dpi image of the sheet.
  QImage screen(score->Page().PixelWidth(), score->Page().PixelHeight(), QImage::Format_RGB32);
  screen.fill(Qt::white);
  score->SetPrinting(true);
  {
    nv::platform::QtCanvas canvas(screen, nv::platform::imageDeviceCaps(screen, 96, 96));
    score->DrawPage(canvas, 100, 100);
  }
  score->SetPrinting(false);

  // The same page printed at 600 dpi and rendered back at 96.
  const auto file = TemporaryPdf("resolution");
  auto target = nv::platform::QtPagedTarget::pdfFile(QString::fromStdString(file.string()), 600);
  TECPrintSettings first;
  first.PageRange = true;
  score->Print(*target, first);
  target.reset();
  const std::string stem = (file.parent_path() / file.stem()).string();
  const CommandResult render =
      RunCommand("pdftoppm -r 96 -png -singlefile " + ShellQuoted(file.string()) + " " + ShellQuoted(stem));
  ASSERT_EQ(render.Status, 0) << render.Output;
  QImage paper(QString::fromStdString(stem + ".png"));
  ASSERT_FALSE(paper.isNull());
  paper = paper.convertToFormat(QImage::Format_RGB32);
  std::filesystem::remove(file);
  std::filesystem::remove(stem + ".png");
  ASSERT_LE(std::abs(paper.width() - screen.width()), 1);
  ASSERT_LE(std::abs(paper.height() - screen.height()), 1);

  const std::set<int> lines = StaffLineRows(screen);
  // One row per staff line; the eight measures fill one system.
  ASSERT_EQ(lines.size(), 5u);
  // The staff space is rounded to whole pixels of each device: 6 at 96 dpi,
  // 35 at 600 dpi (5.6 at 96), so the lower lines may drift by up to two rows.
  const std::set<int> printedLines = StaffLineRows(paper);
  ASSERT_EQ(printedLines.size(), lines.size());
  for (auto a = lines.begin(), b = printedLines.begin(); a != lines.end(); ++a, ++b) EXPECT_LE(std::abs(*a - *b), 2);

  // The first system's clef: from the left margin, around the first staff.
  const int top = *lines.begin();
  const int left = static_cast<int>(score->PageLeft(TECMetrix::rmPixels));
  const QRect region(left + 2, top - 20, 40, 70);
  const QRect drawn = InkBox(screen, region);
  const QRect printed = InkBox(paper, region);
  ASSERT_FALSE(drawn.isEmpty());
  // Glyphs follow the staff space drawn, which each device rounds: 6 pixels
  // on the screen, 35 at 600 dpi (5.6 at 96). Heights scale by that ratio
  // from the top; widths and places do not depend on it.
  const double ratio = StaffSpace(96, 625 * 100) / 6.25 / StaffSpace(96, 10000);
  const int bottom = drawn.top() + static_cast<int>(std::lround(drawn.height() * ratio)) - 1;
  for (const auto& [a, b] : {std::pair{drawn.left(), printed.left()}, std::pair{drawn.right(), printed.right()},
                             std::pair{drawn.top(), printed.top()}, std::pair{bottom, printed.bottom()}})
    EXPECT_LE(std::abs(a - b), 2) << "clef drawn " << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x"
                                  << drawn.height() << ", printed " << printed.x() << "," << printed.y() << " "
                                  << printed.width() << "x" << printed.height();
}

}  // namespace
