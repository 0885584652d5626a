// The document window as a user meets it: what it opens, what Save puts on
// disk, when it may close, what an export writes, how playback looks and
// ends, which staff and row actions it offers, and its panels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <fstream>

#include "dialogs/file_option_dialogs.h"
#include "editor/export_setting_opener.h"
#include "editor/stand_in_forms.h"
#include "formats/gif_image.h"
#include "formats/midi_export.h"
#include "formats/run_command.h"
#include "model/page_objects.h"
#include "model/paper_sizes.h"
#include "model/row.h"
#include "model/score_page.h"
#include "music_editor_fixture.h"
#include "support/saved_score.h"
#include "widgets/score_control.h"

namespace {

using music_editor_fixture::EditorHost;
using music_editor_fixture::ScoreFile;
using nv::document::SaveChoice;
namespace fs = std::filesystem;
namespace result = nv::platform::message_result;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ScoreBytes(const TECMusicScore& score) {
  const SavedScore saved(score);
  return {saved.bytes.begin(), saved.bytes.end()};
}

using MusicEditor = EditorHost;

TEST_F(MusicEditor, ANewDocumentIsAnUntitledModifiedA4ScoreWithOneStaffAndOneRow) {
  EXPECT_EQ(Editor().Caption(), QString("Untitled"));
  EXPECT_TRUE(Editor().Modified());
  EXPECT_FALSE(Editor().HasFile());
  TECMusicScore& score = Editor().Document().Score();
  EXPECT_EQ(score.Page().PaperSize(), TECPaperSize::A4);
  EXPECT_EQ(score.Page().Orientation(), TPrinterOrientation::poPortrait);
  // The meter of new compositions (4/4 unless set), with nothing to undo.
  EXPECT_EQ(score.GetNumerator(), 4);
  EXPECT_EQ(score.GetDenominator(), 4);
  EXPECT_EQ(score.UndoCount(), 0);
  ASSERT_EQ(score.InstrumentCount(), 1);
  EXPECT_EQ(score.CurrentInstrument()->GetRowCount(), 1);
  EXPECT_EQ(score.GetCursorColor(), nv::editor::TFMusicEditor::kEditingColor);
  EXPECT_EQ(score.GetCursorType(), TECCursorType::ctRow);
  for (const char* name : {"PVTracks", "SLeft", "SCenter", "PClient", "PLeftHide", "PBottomHide", "SBHideInstruments",
                           "SBShowInstruments", "SBHideTools", "SBShowTools", "MSScore"})
    EXPECT_NE(Editor().findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(Editor().ScoreTimer().interval(), 100);
  EXPECT_EQ(Editor().RecordTimer().interval(), 64);
  EXPECT_EQ(Editor().TracksWidth(), 205);
}

TEST_F(MusicEditor, OpensAScoreFileAndSaveWritesTheEditedScore) {
  const fs::path path = root_ / "song.sfd";
  fs::copy_file(ScoreFile("open-edit.sfd", 4, 90), path);
  QSignalSpy state(&Editor(), &nv::editor::TFMusicEditor::StateChanged);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(path.string())), QString());
  EXPECT_EQ(Editor().Caption(), QString("song"));
  EXPECT_FALSE(Editor().Modified());
  EXPECT_TRUE(Editor().HasFile());
  EXPECT_GE(state.count(), 1);
  // The play cursor follows at the score's tempo, in milliseconds.
  EXPECT_EQ(Editor().ScoreTimer().interval(), 90);

  // Opening it again changes nothing: the edit below stays.
  Editor().AddRow();
  EXPECT_TRUE(Editor().Modified());
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(path.string())), QString());
  TECMusicScore& score = Editor().Document().Score();
  EXPECT_EQ(score.CurrentInstrument()->GetRowCount(), 2);

  ASSERT_TRUE(Editor().Save());
  EXPECT_FALSE(Editor().Modified());
  EXPECT_EQ(Bytes(path).size(), ScoreBytes(score).size());
  TECMusicScore back;
  back.LoadFromFile(path.string());
  EXPECT_EQ(back.CurrentInstrument()->GetRowCount(), 2);
  // The default backup rules kept the previous version beside it.
  EXPECT_TRUE(fs::exists(root_ / "song.v1.sfd"));
}

TEST_F(MusicEditor, SameNameInAnotherCaseIsAnotherFile) {
  const fs::path upper = root_ / "Song.sfd";
  const fs::path lower = root_ / "song.sfd";
  fs::copy_file(ScoreFile("case-a.sfd", 2), upper);
  fs::copy_file(ScoreFile("case-b.sfd", 5), lower);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(upper.string())), QString());
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(lower.string())), QString());
  EXPECT_EQ(Editor().Document().Score().CurrentInstrument()->GetRow(0)->MeasureCount(), 5);
}

TEST_F(MusicEditor, ALoadErrorNamesTheFileAndLosesNothing) {
  const fs::path damaged = root_ / "damaged.sfd";
  startup_fixture::WriteText(damaged, "not a score");
  Editor().AddRow();
  const QString error = Editor().OpenDocument(QString::fromStdString(damaged.string()));
  EXPECT_TRUE(error.startsWith(QString::fromStdString(damaged.string()) + ": ")) << error.toStdString();
  EXPECT_GT(error.size(), static_cast<qsizetype>(damaged.string().size() + 2));
  EXPECT_EQ(Editor().Caption(), QString("Untitled"));
  EXPECT_EQ(Editor().Document().Score().CurrentInstrument()->GetRowCount(), 2);
  // The actions were worked out again.
  EXPECT_TRUE(registry_.IsEnabled("row.delete"));
}

TEST_F(MusicEditor, SaveAsWritesExportsWithoutRenamingAndAScoreFileNamesTheDocument) {
  const std::string tune = (root_ / "tune").string();
  dialog_.Choice = SaveChoice{tune, 2};
  EXPECT_FALSE(Editor().SaveAs());
  EXPECT_TRUE(fs::exists(tune + ".mid"));
  EXPECT_EQ(Editor().Caption(), QString("Untitled"));
  EXPECT_TRUE(Editor().Modified());
  // The dialog got the save filter and the name without its extension.
  ASSERT_EQ(dialog_.Asked.size(), 1u);
  EXPECT_EQ(dialog_.Asked[0], "text 28 Untitled");

  QSignalSpy state(&Editor(), &nv::editor::TFMusicEditor::StateChanged);
  dialog_.Choice = SaveChoice{tune, 1};
  EXPECT_TRUE(Editor().SaveAs());
  EXPECT_EQ(Editor().Caption(), QString("tune"));
  EXPECT_FALSE(Editor().Modified());
  EXPECT_TRUE(Editor().HasFile());
  EXPECT_EQ(state.count(), 1);
  EXPECT_EQ(Bytes(tune + ".sfd"), ScoreBytes(Editor().Document().Score()));
}

TEST_F(MusicEditor, CloseQuestionKeepsTheWindowOpenUnlessTheWorkIsSafe) {
  // Cancel, and Yes with the save dialog cancelled: the window stays.
  prompt_.Answers = {result::kCancel, result::kYes};
  EXPECT_FALSE(Editor().QuerySave());
  EXPECT_FALSE(Editor().QuerySave());
  EXPECT_TRUE(Editor().Modified());
  // Yes with a write that fails: one error and the window stays.
  const fs::path locked = root_ / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  dialog_.Choice = SaveChoice{(locked / "work").string(), 1};
  prompt_.Answers = {result::kYes};
  prompt_.Shown.clear();
  EXPECT_FALSE(Editor().QuerySave());
  EXPECT_TRUE(Editor().Modified());
  EXPECT_EQ(Editor().Caption(), QString("Untitled"));
  ASSERT_EQ(prompt_.Shown.size(), 2u);
  EXPECT_FALSE(fs::exists(locked / "work.sfd"));
  // Yes with a save that works closes, and so does No.
  dialog_.Choice = SaveChoice{(root_ / "work").string(), 1};
  prompt_.Answers = {result::kYes};
  EXPECT_TRUE(Editor().QuerySave());
  EXPECT_TRUE(fs::exists(root_ / "work.sfd"));
  // Unmodified: no question.
  prompt_.Shown.clear();
  EXPECT_TRUE(Editor().QuerySave());
  EXPECT_TRUE(prompt_.Shown.empty());
  Editor().AddRow();
  const std::string before = Bytes(root_ / "work.sfd");
  prompt_.Answers = {result::kNo};
  EXPECT_TRUE(Editor().QuerySave());
  EXPECT_EQ(Bytes(root_ / "work.sfd"), before);
}

// A score of three pages or more.
std::string ThreePageFile(const fs::path& folder) {
  const fs::path path = folder / "long.sfd";
  fs::copy_file(ScoreFile("three-pages.sfd", 40), path);
  return path.string();
}

TEST_F(MusicEditor, ExportsAPdfOfThePageRangeAndLeavesTheViewAsItWas) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ThreePageFile(root_))), QString());
  TECMusicScore& score = Editor().Document().Score();
  ASSERT_GE(score.PageCount(), 3);
  score.SetZoom(80);
  const int zoom = score.GetZoom();
  dialog_.Choice = SaveChoice{(root_ / "p").string(), 5};
  nv::editor::ExportOptions options;
  options.AllPages = false;
  options.FromPage = 2;
  options.ToPage = 3;
  options.Scale = 150;
  export_.Options = options;
  ASSERT_TRUE(Editor().ExportPicture());
  ASSERT_EQ(export_.Requests.size(), 1u);
  EXPECT_EQ(export_.Requests[0].PageCount, score.PageCount());
  EXPECT_FALSE(export_.Requests[0].ShowPageChecks);
  EXPECT_EQ(score.GetZoom(), zoom);
  const CommandResult info = RunCommand("pdfinfo " + ShellQuoted((root_ / "p.pdf").string()));
  ASSERT_EQ(info.Status, 0) << info.Output;
  EXPECT_NE(info.Output.find("Pages:           2\n"), std::string::npos) << info.Output;
}

TEST_F(MusicEditor, ExportsEveryPageInAFileOfItsOwn) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ThreePageFile(root_))), QString());
  const int pages = Editor().Document().Score().PageCount();
  dialog_.Choice = SaveChoice{(root_ / "p").string(), 2};
  nv::editor::ExportOptions options;
  options.EveryPageInFile = true;
  export_.Options = options;
  ASSERT_TRUE(Editor().ExportPicture());
  int width = 0;
  for (int page = 1; page <= pages; ++page) {
    const std::string bytes = Bytes(root_ / ("p" + std::to_string(page) + ".gif"));
    MemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    TGIFsImage gif;
    gif.LoadFromStream(stream);
    // One page each, all as wide as the first.
    EXPECT_GT(gif.GetWidth(), 0) << page;
    EXPECT_LT(gif.GetWidth(), gif.GetHeight() * 2) << page;
    if (page == 1) width = gif.GetWidth();
    EXPECT_EQ(gif.GetWidth(), width) << page;
  }
  EXPECT_FALSE(fs::exists(root_ / "p.gif"));
  // Pages 2 and 3 side by side make one bitmap.
  dialog_.Choice = SaveChoice{(root_ / "two").string(), 1};
  nv::editor::ExportOptions pair;
  pair.AllPages = false;
  pair.FromPage = 2;
  pair.ToPage = 3;
  pair.DoublePage = true;
  export_.Options = pair;
  ASSERT_TRUE(Editor().ExportPicture());
  EXPECT_EQ(Bytes(root_ / "two.bmp").substr(0, 2), "BM");
  EXPECT_FALSE(fs::exists(root_ / "two2.bmp"));
  // An existing file is replaced only on Yes.
  const std::string before = Bytes(root_ / "p1.gif");
  dialog_.Choice = SaveChoice{(root_ / "p1.gif").string(), 2};
  options.EveryPageInFile = false;
  export_.Options = options;
  prompt_.Answers = {result::kNo};
  EXPECT_FALSE(Editor().ExportPicture());
  EXPECT_EQ(Bytes(root_ / "p1.gif"), before);
}

TEST_F(MusicEditor, AFailingExportShowsOneErrorAndWritesNothing) {
  const fs::path locked = root_ / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  for (const int filter : {1, 5}) {
    prompt_.Shown.clear();
    dialog_.Choice = SaveChoice{(locked / "p").string(), filter};
    EXPECT_FALSE(Editor().ExportPicture()) << filter;
    EXPECT_EQ(prompt_.Shown.size(), 1u) << filter;
    EXPECT_TRUE(fs::is_empty(locked)) << filter;
  }
}

TEST_F(MusicEditor, PlaysInPinkAndTheEndBringsBackTheYellowRowCursor) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("play.sfd", 2, 120))), QString());
  TECMusicScore& score = Editor().Document().Score();
  // The fake clock plays it through at once; its end waits for the GUI thread.
  ASSERT_TRUE(Editor().StartPlayback());
  EXPECT_TRUE(output_.IsOpen());
  EXPECT_EQ(score.GetCursorColor(), 0xFF71FF);
  EXPECT_EQ(score.GetCursorType(), TECCursorType::ctInstrument);
  EXPECT_TRUE(Editor().ScoreTimer().isActive());
  EXPECT_EQ(Editor().ScoreTimer().interval(), 120);
  for (int i = 0; i < 400 && (Editor().Playing() || Editor().ScoreTimer().isActive()); ++i) QTest::qWait(5);
  QApplication::processEvents();
  EXPECT_FALSE(Editor().Playing());
  EXPECT_FALSE(Editor().ScoreTimer().isActive());
  EXPECT_EQ(score.GetCursorColor(), 0x00FFFF);
  EXPECT_EQ(score.GetCursorType(), TECCursorType::ctRow);
  for (const auto& call : ports_.Calls()) {
    ASSERT_FALSE(call.Bytes.empty());
    EXPECT_NE(call.Bytes[0], 0xFF);
  }
}

TEST_F(MusicEditor, TheEndOfTrackRunsTheStopCommandOnce) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("end.sfd", 1, 120))), QString());
  ASSERT_TRUE(Editor().StartPlayback());
  for (int i = 0; i < 400 && stops_ == 0; ++i) QTest::qWait(5);
  QApplication::processEvents();
  EXPECT_EQ(stops_, 1);
  EXPECT_FALSE(Editor().ScoreTimer().isActive());
  EXPECT_EQ(Editor().Document().Score().GetCursorColor(), 0x00FFFF);
}

TEST_F(MusicEditor, PlayAndStopOftenAndCloseWhilePlaying) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("often.sfd", 2, 120))), QString());
  clock_->HoldFrom(500'000'000);
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(Editor().StartPlayback());
    Editor().StopPlayback();
  }
  EXPECT_FALSE(Editor().ScoreTimer().isActive());
  ASSERT_TRUE(Editor().StartPlayback());
  editor_.reset();
  QApplication::processEvents();
}

TEST_F(MusicEditor, StaffActionsFollowTheStaffCountAndDeleteAsksFirst) {
  EXPECT_FALSE(registry_.IsEnabled("staff.delete"));
  EXPECT_FALSE(registry_.IsEnabled("row.delete"));
  nv::document::NewStaffSetup flute;
  flute.Timbre = 73;
  flute.Name = "Flute";
  flute.Rows = {{0, 1, 0}, {1, 2, 42}};
  flute.Title = {"Trio"};
  flute.Author = {"Anon"};
  newStaff_.Choice = flute;
  ASSERT_TRUE(registry_.Run("staff.add"));
  TECMusicScore& score = Editor().Document().Score();
  ASSERT_EQ(score.InstrumentCount(), 2);
  EXPECT_EQ(score.GetActiveInstrument(), 1);
  EXPECT_EQ(score.CurrentInstrument()->Name(), "Flute");
  // The staff as the dialog built it, with its rows.
  ASSERT_EQ(score.CurrentInstrument()->GetRowCount(), 2);
  EXPECT_EQ(score.CurrentInstrument()->GetRow(1)->GetKeySignature(0), 42);
  EXPECT_TRUE(registry_.IsEnabled("staff.delete"));
  // Cancel keeps the staff, Ok deletes the active one.
  prompt_.Answers = {result::kCancel, result::kOk};
  ASSERT_TRUE(registry_.Run("staff.delete"));
  EXPECT_EQ(score.InstrumentCount(), 2);
  ASSERT_TRUE(registry_.Run("staff.delete"));
  EXPECT_EQ(score.InstrumentCount(), 1);
  EXPECT_EQ(prompt_.Shown[0], "text 35: text 19");
  while (score.InstrumentCount() < 20) score.AppendInstrument()->AppendRow();
  Editor().UpdateTracks();
  EXPECT_FALSE(registry_.IsEnabled("staff.add"));
}

TEST_F(MusicEditor, StaffAndRowPropertiesWriteTheScoreOnOkOnly) {
  TECMusicScore& score = Editor().Document().Score();
  const auto answer = [](bool ok) {
    QTimer::singleShot(0, [ok] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("EName"));
      name->setText(QStringLiteral("Lead"));
      dialog->findChild<QSpinBox*>(QStringLiteral("UDChannel"))->setValue(16);
      ok ? dialog->accept() : dialog->reject();
    });
  };
  answer(false);
  ASSERT_TRUE(registry_.Run("staff.properties"));
  EXPECT_EQ(score.CurrentInstrument()->Name(), "");
  EXPECT_EQ(score.UndoCount(), 0);
  answer(true);
  ASSERT_TRUE(registry_.Run("staff.properties"));
  EXPECT_EQ(score.CurrentInstrument()->Name(), "Lead");
  EXPECT_EQ(score.CurrentInstrument()->Channel(), 16);
  answer(true);
  ASSERT_TRUE(registry_.Run("row.properties"));
  EXPECT_EQ(score.CurrentInstrument()->GetActiveRow()->Name(), "Lead");
  EXPECT_EQ(score.CurrentInstrument()->GetActiveRow()->Channel(), 16);
}

TEST_F(MusicEditor, ANewStaffPutsItsTitleAuthorAndNameOnThePage) {
  TECMusicScore& score = Editor().Document().Score();
  TECScorePage& page = score.Page();
  page.SetUnitOverride(TECMetrix::rmPixels);
  const int width = static_cast<int>(page.Width());
  const int left = static_cast<int>(page.LeftMargin());
  const int right = static_cast<int>(page.RightMargin());
  page.ClearUnitOverride();
  // The fixture measures a line as its length times its size.
  nv::document::NewStaffSetup oboe;
  oboe.Timbre = 68;
  oboe.Name = "Oboe";
  oboe.Title = {"Trio"};
  oboe.Author = {"J. Doe"};
  newStaff_.Choice = oboe;
  Editor().AddInstrument();
  const auto& texts = score.CurrentInstrument()->TextsRow();
  std::vector<std::pair<int, int>> places;
  for (const auto& object : texts.Objects)
    if (const auto* text = dynamic_cast<const TECPageText*>(object.get())) places.emplace_back(text->X, text->Y);
  std::sort(places.begin(), places.end());
  EXPECT_EQ(places, (std::vector<std::pair<int, int>>{
                        {left + 24, 80}, {(width - 4 * 20) / 2, 40}, {width - 6 * 10 - right + 24, 80}}));
}

TEST_F(MusicEditor, RowActionsAddCopyAndMoveRows) {
  ASSERT_TRUE(registry_.Run("row.add"));
  TECInstrument& staff = *Editor().Document().Score().CurrentInstrument();
  EXPECT_EQ(staff.GetRowCount(), 2);
  EXPECT_EQ(staff.GetActiveRowIndex(), 1);
  EXPECT_TRUE(registry_.IsEnabled("row.duplicate"));
  EXPECT_FALSE(registry_.IsEnabled("tracks.move_up"));
  tracks_.Selected = {nv::editor::TrackGridRow::kRow, 1};
  Editor().UpdateTracks();
  EXPECT_TRUE(registry_.IsEnabled("tracks.move_up"));
  EXPECT_FALSE(registry_.IsEnabled("tracks.move_down"));
  ASSERT_TRUE(registry_.Run("row.duplicate"));
  EXPECT_EQ(staff.GetRowCount(), 3);
  ASSERT_TRUE(registry_.Run("staff.mute_all"));
  EXPECT_TRUE(staff.Mute());
  ASSERT_TRUE(registry_.Run("staff.play_all"));
  EXPECT_FALSE(staff.Mute());
}

TEST_F(MusicEditor, UndoCaptionsNewestFirst) {
  Editor().AddRow();
  const auto undo = Editor().GetUndoList();
  ASSERT_FALSE(undo.empty());
  EXPECT_EQ(undo.front(), "text 20");
  EXPECT_TRUE(Editor().GetRedoList().empty());
}

TEST_F(MusicEditor, TheTracksPanelHidesAndComesBackAtItsWidthAndTheSizesAreKept) {
  Editor().resize(826, 404);
  Editor().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
  auto* tracks = Editor().findChild<QWidget*>("PVTracks");
  auto* hide = Editor().findChild<QToolButton*>("SBHideInstruments");
  auto* show = Editor().findChild<QToolButton*>("SBShowInstruments");
  EXPECT_EQ(tracks->width(), 205);
  hide->click();
  EXPECT_FALSE(tracks->isVisible());
  EXPECT_TRUE(show->isVisible());
  EXPECT_FALSE(hide->isVisible());
  EXPECT_EQ(Editor().TracksWidth(), 0);
  show->click();
  QApplication::processEvents();
  EXPECT_TRUE(tracks->isVisible());
  EXPECT_EQ(tracks->width(), 205);
  hide->click();
  editor_.reset();
  EXPECT_EQ(ini_.ReadInteger("EditorForm", "LeftPanel", -1), 0);
  EXPECT_EQ(ini_.ReadInteger("EditorForm", "LeftWidth", -1), 205);
  EXPECT_EQ(ini_.ReadInteger("EditorForm", "SequenceHeight", -1), 200);
  EXPECT_EQ(ini_.ReadInteger("EditorForm", "VelocityHeight", -1), 164);
  // The next window starts with the panel hidden, and shows it at the kept width.
  editor_ = std::make_unique<nv::editor::TFMusicEditor>(Services());
  EXPECT_EQ(Editor().TracksWidth(), 0);
  Editor().ShowTracks();
  EXPECT_EQ(Editor().TracksWidth(), 205);
}

TEST_F(MusicEditor, TheToolsButtonsAskTheHostAndSwap) {
  QSignalSpy asked(&Editor(), &nv::editor::TFMusicEditor::ToolsRequested);
  Editor().show();
  auto* hide = Editor().findChild<QToolButton*>("SBHideTools");
  auto* show = Editor().findChild<QToolButton*>("SBShowTools");
  hide->click();
  EXPECT_FALSE(hide->isVisible());
  EXPECT_TRUE(show->isVisible());
  show->click();
  ASSERT_EQ(asked.count(), 2);
  EXPECT_FALSE(asked[0][0].toBool());
  EXPECT_TRUE(asked[1][0].toBool());
}

TEST_F(MusicEditor, ShownWithAScore) {
  // NOTAVISTRA_SHOTS names a folder for the pictures to look at.
  const char* out = std::getenv("NOTAVISTRA_SHOTS");
  const auto shoot = [&](const char* name) {
    QApplication::processEvents();
    const QImage shot = Editor().grab().toImage();
    if (out != nullptr) shot.save(QString(out) + "/" + name);
    return shot;
  };
  Editor().resize(900, 600);
  Editor().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor()));
  EXPECT_EQ(shoot("music_editor_new.png").size(), QSize(900, 600));
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("shown.sfd", 8))), QString());
  shoot("music_editor_open.png");
  Editor().Document().Score().SetZoom(200);
  Editor().HideTracks();
  const QImage zoomed = shoot("music_editor_zoom200.png");
  // The tracks panel gave its room to the score.
  EXPECT_EQ(Editor().ScoreView().width(), zoomed.width());
}

}  // namespace

namespace {

// A timer the test fires by hand.
class HandTimer : public nv::document::OneShotTimer {
 public:
  void Start(int, std::function<void()> fire) override { Fire = std::move(fire); }
  void Stop() override { Fire = nullptr; }
  std::function<void()> Fire;
};

class MusicEditorPreview : public EditorHost {
 protected:
  void SetUp() override {
    EditorHost::SetUp();
    auto services = Services();
    services.Preview = &preview_;
    editor_ = std::make_unique<nv::editor::TFMusicEditor>(services);
  }
  HandTimer timer_;
  nv::document::NotePreview preview_{output_, timer_, [] { return false; }};
};

TEST_F(MusicEditorPreview, ANoteOnAPercussionRowSoundsOnChannelTenAndEndsWhenTheTimerFires) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("drums.sfd", 2))), QString());
  TECMusicScore& score = Editor().Document().Score();
  score.SetClefAtCursor(14);
  ports_.ClearCalls();
  ASSERT_TRUE(Editor().PreviewNote(60, 16, 1));
  const auto calls = ports_.Calls();
  ASSERT_FALSE(calls.empty());
  const std::vector<std::uint8_t> on = calls.back().Bytes;
  ASSERT_EQ(on.size(), 3u);
  EXPECT_EQ(on[0], 0x99);
  // A further note of a chord sets no program.
  for (const auto& call : calls) EXPECT_NE(call.Bytes[0] & 0xF0, 0xC0);
  ASSERT_TRUE(timer_.Fire);
  const auto fire = timer_.Fire;
  fire();
  const auto after = ports_.Calls();
  ASSERT_GT(after.size(), calls.size());
  const std::vector<std::uint8_t> off = after[calls.size()].Bytes;
  ASSERT_GE(off.size(), 2u);
  EXPECT_EQ(off[0], 0x89);
  EXPECT_EQ(off[1], on[1]);
}

TEST_F(MusicEditorPreview, ASingleNoteOnAPitchedRowSetsTheStaffsProgramFirst) {
  TECMusicScore& score = Editor().Document().Score();
  score.CurrentInstrument()->SetMidiInstrument(40);
  ports_.ClearCalls();
  ASSERT_TRUE(Editor().PreviewNote(60, 16, 3));
  std::vector<std::vector<std::uint8_t>> sent;
  for (const auto& call : ports_.Calls()) sent.push_back(call.Bytes);
  ASSERT_GE(sent.size(), 2u);
  ASSERT_GE(sent.front().size(), 2u);
  EXPECT_EQ(sent.front()[0], 0xC0);
  EXPECT_EQ(sent.front()[1], 40);
  EXPECT_EQ(sent.back()[0], 0x90);
  EXPECT_EQ(sent.back()[1], 60);
}

}  // namespace

namespace {

using music_editor_fixture::EditorHost;
using music_editor_fixture::ScoreFile;
using nv::document::SaveChoice;
namespace fs = std::filesystem;
namespace result = nv::platform::message_result;

using MusicEditorImport = EditorHost;

// A MIDI file of four staves of four measures.
fs::path FourTrackMidi(const fs::path& folder) {
  auto score = score_builder::MakeScore(4, 4);
  for (int staff = 0; staff < 4; ++staff) {
    score->GetInstrumentAt(staff)->SetChannel(staff + 1);
    for (int m = 0; m < 4; ++m)
      score_builder::AddNote(*score->GetInstrumentAt(staff)->GetRow(0)->GetMeasure(m), 1 + staff, 5, 128, 0);
  }
  const fs::path path = folder / "four.mid";
  ExportMidiFile(*score, path.string(), false);
  return path;
}

TEST_F(MusicEditorImport, AnImportedMidiFileIsAnA4ScoreNamedAsAScoreFile) {
  const fs::path midi = FourTrackMidi(root_);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(midi.string())), QString());
  TECMusicScore& score = Editor().Document().Score();
  int staves = 0;
  for (int i = 0; i < score.InstrumentCount(); ++i) staves += score.GetInstrumentAt(i)->GetRowCount();
  EXPECT_EQ(staves, 4);
  EXPECT_EQ(score.Page().PaperSize(), TECPaperSize::A4);
  EXPECT_EQ(score.Page().Orientation(), TPrinterOrientation::poPortrait);
  EXPECT_EQ(Editor().FileName(), (root_ / "four.sfd").string());
  EXPECT_EQ(Editor().Caption(), QString("four"));
  EXPECT_FALSE(Editor().Modified());
  EXPECT_TRUE(prompt_.Shown.empty());
}

TEST_F(MusicEditorImport, SaveAsksBeforeReplacingAnUnrelatedScoreFileBesideTheImport) {
  const fs::path midi = FourTrackMidi(root_);
  const fs::path other = root_ / "four.sfd";
  fs::copy_file(ScoreFile("unrelated.sfd", 2), other);
  const std::string before = Bytes(other);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(midi.string())), QString());
  prompt_.Answers = {result::kNo};
  EXPECT_FALSE(Editor().Save());
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_EQ(prompt_.Shown[0], "text 27: text 33 " + other.string());
  EXPECT_EQ(Bytes(other), before);
}

TEST_F(MusicEditorImport, ADamagedMidiFileOpensWithOneWarningNamingIt) {
  const fs::path midi = FourTrackMidi(root_);
  std::string bytes = Bytes(midi);
  const fs::path cut = root_ / "cut.mid";
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 3 / 4);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(cut.string())), QString());
  ASSERT_TRUE(Editor().Document().Score().MidiImportDamaged);
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_NE(prompt_.Shown[0].find(cut.string() + ": the file is damaged; what could be read is shown"),
            std::string::npos)
      << prompt_.Shown[0];
}

TEST_F(MusicEditorImport, ATruncatedScoreFileIsRefusedWithItsName) {
  const std::string whole = Bytes(ScoreFile("whole.sfd", 4));
  const fs::path cut = root_ / "cut.sfd";
  std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
  const QString error = Editor().OpenDocument(QString::fromStdString(cut.string()));
  EXPECT_TRUE(error.startsWith(QString::fromStdString(cut.string()) + ": ")) << error.toStdString();
  EXPECT_EQ(Editor().Caption(), QString("Untitled"));
}

TEST_F(MusicEditorImport, AnEmptyBarQuestionAnsweredOkGoesOn) {
  TECMusicScore& score = Editor().Document().Score();
  ASSERT_TRUE(score.OnTestEmptyMeasure);
  for (const int answer : {result::kOk, result::kCancel}) {
    prompt_.Answers = {answer};
    bool goOn = answer != result::kOk;
    score.OnTestEmptyMeasure(&score, goOn);
    EXPECT_EQ(goOn, answer == result::kOk);
  }
  EXPECT_EQ(prompt_.Shown[0], "text 15: text 31");
}

TEST_F(MusicEditorImport, BarsThatCannotPlayAreListedByStaff) {
  auto score = score_builder::MakeScore(2, 5);
  score->GetInstrumentAt(0)->SetName("Flute");
  score->GetInstrumentAt(1)->SetName("Piano");
  const TECRow& flute = *score->GetInstrumentAt(0)->GetRow(0);
  const TECRow& piano = *score->GetInstrumentAt(1)->GetRow(0);
  score->LayoutScore(0, false);
  Editor().Document().Notices().PlayError({flute.GetMeasure(2), flute.GetMeasure(4), piano.GetMeasure(1)});
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_EQ(prompt_.Shown[0], "text 30: Flute(3,5) Piano(2) text 41");
}

}  // namespace

namespace {

TEST(ExportSettingOpener, HidesWhatAFilterDoesNotUseAndGivesItsFields) {
  const nv::editor::ExportOptionsRequest request = nv::editor::ExportRequestFor(nv::editor::export_filter::kPdf, 4);
  nv::dialogs::TFExportSetting pdf(nullptr);
  nv::editor::PrepareExportSetting(pdf, request);
  auto* every = pdf.findChild<QCheckBox*>("CBByPages");
  ASSERT_NE(every, nullptr);
  every->setChecked(true);
  pdf.SetValues({{"RGPageRange", 1}, {"UDToPage", 4}, {"UDFromPage", 2}, {"TBScale", 150}});
  const nv::editor::ExportOptions options = nv::editor::ExportOptionsOf(pdf, request);
  EXPECT_FALSE(options.AllPages);
  EXPECT_EQ(options.FromPage, 2);
  EXPECT_EQ(options.ToPage, 4);
  EXPECT_EQ(options.Scale, 150);
  // PDF has no page checks: a ticked hidden box does not count.
  EXPECT_FALSE(options.EveryPageInFile);
  pdf.show();
  EXPECT_FALSE(every->isVisible());
  EXPECT_TRUE(pdf.Fields().Control("TBQuality")->isVisible());
}


}  // namespace

namespace {

using music_editor_fixture::EditorHost;
using music_editor_fixture::ScoreFile;
namespace fs = std::filesystem;

using MusicEditorBackups = EditorHost;

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(MusicEditorBackups, ThreeSavesKeepTheCountOfPreviousVersions) {
  settings_.CountBackUp = 2;
  const fs::path folder = root_ / "work";
  fs::create_directories(folder);
  const fs::path song = folder / "song.sfd";
  fs::copy_file(ScoreFile("backed-up.sfd", 2), song);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(song.string())), QString());
  std::string second;
  for (int save = 0; save < 3; ++save) {
    Editor().AddRow();
    if (save == 2) second = Bytes(song);
    ASSERT_TRUE(Editor().Save()) << save;
  }
  EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"song.sfd", "song.v2.sfd", "song.v3.sfd"}));
  // The newest copy holds the version the last save replaced.
  EXPECT_EQ(Bytes(folder / "song.v3.sfd"), second);
}

TEST_F(MusicEditorBackups, AFailedSaveKeepsTheFileAndTheWindowsState) {
  const fs::path folder = root_ / "work";
  fs::create_directories(folder);
  const fs::path song = folder / "song.sfd";
  fs::copy_file(ScoreFile("kept.sfd", 2), song);
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(song.string())), QString());
  Editor().AddRow();
  ASSERT_TRUE(Editor().Save());
  const std::string before = Bytes(song);
  Editor().AddRow();
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  prompt_.Shown.clear();
  EXPECT_FALSE(Editor().Save());
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_TRUE(Editor().Modified());
  EXPECT_EQ(Editor().Caption(), QString("song"));
  EXPECT_EQ(Bytes(song), before);
}

}  // namespace

namespace {

using music_editor_fixture::EditorHost;
using music_editor_fixture::ScoreFile;

using MusicEditorPlayCursor = EditorHost;

TEST_F(MusicEditorPlayCursor, ThePinkCursorFollowsIntoTheSecondBarAndStopBringsBackTheYellowOne) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("follow.sfd", 3, 120))), QString());
  Editor().show();
  TECMusicScore& score = Editor().Document().Score();
  // Held in the second measure (a 4/4 bar at tempo 120 lasts 2 s).
  clock_->HoldFrom(2'100'000'000);
  ASSERT_TRUE(Editor().StartPlayback());
  clock_->WaitUntilHeld();
  for (int i = 0; i < 400 && score.CursorMeasure() != 1; ++i) QTest::qWait(5);
  EXPECT_EQ(score.CursorMeasure(), 1);
  EXPECT_EQ(score.GetCursorColor(), 0xFF71FF);
  Editor().StopPlayback();
  QApplication::processEvents();
  EXPECT_FALSE(Editor().Playing());
  EXPECT_FALSE(Editor().ScoreTimer().isActive());
  EXPECT_EQ(score.GetCursorColor(), 0x00FFFF);
  EXPECT_EQ(score.GetCursorType(), TECCursorType::ctRow);
}

}  // namespace
