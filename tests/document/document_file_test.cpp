#include "document/document_file.h"

#include <gtest/gtest.h>

#include "document_fixture.h"
#include "formats/midi_export.h"
#include "formats/musicxml_export.h"
#include "model/measure_items.h"
#include "platform/message_prompt.h"
#include "startup_fixture.h"

namespace {

using nv::document::DocumentFile;
using nv::document::SaveChoice;
using nv::document::ScoreDocument;
using startup_fixture::ReadText;
using startup_fixture::WriteText;
namespace fs = std::filesystem;
namespace result = nv::platform::message_result;

class ScriptedDialog : public nv::document::SaveDialog {
 public:
  std::optional<SaveChoice> Ask(std::string_view filter, std::string_view fileName) override {
    Asked.push_back(std::string(filter) + " " + std::string(fileName));
    return Choice;
  }
  std::optional<SaveChoice> Choice;
  std::vector<std::string> Asked;
};

// The bytes of a stream written by `write`.
template <typename Write>
std::string Written(Write write) {
  MemoryStream stream;
  write(stream);
  return {stream.Data().begin(), stream.Data().end()};
}

class DocumentFileTest : public startup_fixture::TempFolder {
 protected:
  // An untitled document with music: the fixture's score, read into a
  // document the window did not open.
  DocumentFile& Untitled() {
    document_.Load(document_fixture::ThreeNoteFile().string());
    return file_;
  }

  // A file of `name` in the test's folder holding the fixture's score.
  fs::path Copy(const std::string& name) {
    const fs::path path = root_ / name;
    fs::copy_file(document_fixture::ThreeNoteFile(), path);
    return path;
  }

  // The message the error box shows for `reason`.
  std::string Error(const std::string& reason) const {
    return texts_.GetString(nv::platform::form_key::kMainWindow, 21) + ": " +
           nv::platform::ErrorMessageText(texts_, reason);
  }

  ScoreDocument document_;
  ScriptedDialog dialog_;
  DocumentFile file_{document_, prompt_, texts_, dialog_};
};

TEST_F(DocumentFileTest, ANewDocumentIsUntitledModifiedAndHasNoFile) {
  EXPECT_EQ(file_.FileName(), "Untitled.sfd");
  EXPECT_EQ(file_.Caption(), "Untitled");
  EXPECT_TRUE(file_.Modified());
  EXPECT_FALSE(file_.HasFile());
}

TEST_F(DocumentFileTest, EachFilterWritesItsKindAndOnlyAScoreFileNamesTheDocument) {
  struct Case {
    int filter;
    std::string written;
    bool names;
  };
  const Case cases[] = {
      {2, "tune.mid", false},
      {3, "tune.kar", false},
      {4, "tune.xml", false},
      {1, "tune.sfd", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    ScoreDocument document;
    startup_fixture::RecordingPrompt prompt;
    ScriptedDialog dialog;
    DocumentFile file(document, prompt, texts_, dialog);
    document.Load(document_fixture::ThreeNoteFile().string());
    // A text item, which only the karaoke file carries.
    auto box = std::make_unique<TECTextBox>();
    box->Lines = {"la"};
    document.Score().CurrentInstrument()->GetRow(0)->GetMeasure(0)->Items.push_back(std::move(box));
    dialog.Choice = SaveChoice{(root_ / "tune").string(), c.filter};

    EXPECT_EQ(file.SaveAs(), c.names);
    EXPECT_EQ(dialog.Asked, std::vector<std::string>{"text 28 Untitled"});
    EXPECT_TRUE(prompt.Shown.empty());
    const fs::path path = root_ / c.written;
    ASSERT_TRUE(fs::exists(path));
    const std::string bytes = ReadText(path);
    switch (c.filter) {
      case 2:
      case 3:
        EXPECT_EQ(bytes, Written([&](ByteStream& s) { ExportMidi(document.Score(), s, c.filter == 3); }));
        break;
      case 4:
        EXPECT_EQ(bytes, Written([&](ByteStream& s) { ExportMusicXml(document.Score(), s); }));
        break;
      default: {
        ScoreDocument reread;
        EXPECT_NO_THROW(reread.Load(path.string()));
        EXPECT_EQ(reread.Score().CurrentInstrument()->GetRow(0)->GetMeasure(0)->Notes.size(), 3u);
      }
    }
    EXPECT_EQ(file.Caption(), c.names ? "tune" : "Untitled");
    EXPECT_EQ(file.Modified(), !c.names);
    EXPECT_EQ(file.HasFile(), c.names);
  }
  // The karaoke flag is what tells the two MIDI files apart.
  EXPECT_NE(ReadText(root_ / "tune.mid"), ReadText(root_ / "tune.kar"));
}

TEST_F(DocumentFileTest, AnExistingNameIsReplacedOnlyOnYes) {
  WriteText(root_ / "tune.mid", "keep me");
  Untitled();
  dialog_.Choice = SaveChoice{(root_ / "tune").string(), 2};
  prompt_.Answers = {result::kNo};
  EXPECT_FALSE(file_.SaveAs());
  EXPECT_EQ(prompt_.Shown, std::vector<std::string>{"text 27: text 33 " + (root_ / "tune.mid").string()});
  EXPECT_EQ(ReadText(root_ / "tune.mid"), "keep me");

  prompt_.Answers = {result::kYes};
  file_.SaveAs();
  EXPECT_EQ(ReadText(root_ / "tune.mid").substr(0, 4), "MThd");
}

TEST_F(DocumentFileTest, AFailedWriteShowsOneErrorAndChangesNothing) {
  const fs::path song = Copy("song.sfd");
  WriteText(root_ / "song.v1.sfd", "backup");
  file_.Open(song.string());
  document_fixture::RaiseE(document_.Score());
  const std::string before = ReadText(song);
  fs::permissions(root_, fs::perms::owner_read | fs::perms::owner_exec);

  EXPECT_FALSE(file_.Save());
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_TRUE(prompt_.Shown[0].starts_with(Error("")));
  EXPECT_NE(prompt_.Shown[0].find(song.string()), std::string::npos) << prompt_.Shown[0];
  EXPECT_TRUE(file_.Modified());
  EXPECT_EQ(file_.FileName(), song.string());
  EXPECT_EQ(file_.Caption(), "song");

  // An export into the same folder fails the same way and writes nothing.
  dialog_.Choice = SaveChoice{(root_ / "song").string(), 4};
  EXPECT_FALSE(file_.SaveAs());
  EXPECT_EQ(prompt_.Shown.size(), 2u);
  EXPECT_FALSE(fs::exists(root_ / "song.xml"));
  EXPECT_EQ(ReadText(song), before);
  EXPECT_EQ(ReadText(root_ / "song.v1.sfd"), "backup");
  EXPECT_EQ(file_.FileName(), song.string());
}

TEST_F(DocumentFileTest, SavingAnImportAsksBeforeReplacingAnUnrelatedScoreFile) {
  const fs::path midi = root_ / "x.mid";
  ExportMidiFile(document_fixture::LoadedDocument()->Score(), midi.string(), false);
  WriteText(root_ / "x.sfd", "unrelated");
  file_.Open(midi.string());
  EXPECT_EQ(file_.FileName(), (root_ / "x.sfd").string());
  EXPECT_TRUE(file_.HasFile());
  document_fixture::RaiseE(document_.Score());

  prompt_.Answers = {result::kNo};
  EXPECT_FALSE(file_.Save());
  EXPECT_EQ(prompt_.Shown, std::vector<std::string>{"text 27: text 33 " + (root_ / "x.sfd").string()});
  EXPECT_EQ(ReadText(root_ / "x.sfd"), "unrelated");
  EXPECT_TRUE(file_.Modified());

  prompt_.Answers = {result::kYes};
  EXPECT_TRUE(file_.Save());
  EXPECT_FALSE(file_.Modified());
  // Now the document's own file: saved again without a question.
  prompt_.Shown.clear();
  document_fixture::RaiseE(document_.Score());
  EXPECT_TRUE(file_.Save());
  EXPECT_TRUE(prompt_.Shown.empty());
}

TEST_F(DocumentFileTest, OpeningTheDocumentsOwnFileAgainDoesNothingAndCaseMakesAnotherFile) {
  const fs::path upper = Copy("Song.sfd");
  const fs::path lower = Copy("song.sfd");
  file_.Open(upper.string());
  document_fixture::RaiseE(document_.Score());
  file_.Open((root_ / "." / "Song.sfd").string());
  EXPECT_TRUE(file_.Modified()) << "loaded again";
  file_.Open(lower.string());
  EXPECT_FALSE(file_.Modified());
  EXPECT_EQ(file_.FileName(), lower.string());
}

TEST_F(DocumentFileTest, TheCloseQuestionClosesOnlyWhenNothingIsLeftUnsaved) {
  struct Case {
    const char* name;
    bool untitled;
    bool edit;
    int answer;
    std::optional<SaveChoice> dialog;
    bool readOnly;
    bool closes;
    bool written;
  };
  const SaveChoice asMidi{"", 2};
  const Case cases[] = {
      {"unmodified", false, false, result::kOk, std::nullopt, false, true, false},
      {"no", false, true, result::kNo, std::nullopt, false, true, false},
      {"cancel", false, true, result::kCancel, std::nullopt, false, false, false},
      {"yes", false, true, result::kYes, std::nullopt, false, true, true},
      {"yes, dialog cancelled", true, false, result::kYes, std::nullopt, false, false, false},
      {"yes, saved as MIDI", true, false, result::kYes, asMidi, false, false, false},
      {"yes, write fails", false, true, result::kYes, std::nullopt, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root_);
    fs::create_directories(root_);
    const fs::path song = Copy("song.sfd");
    const std::string before = ReadText(song);
    ScoreDocument document;
    startup_fixture::RecordingPrompt prompt;
    ScriptedDialog dialog;
    DocumentFile file(document, prompt, texts_, dialog);
    if (c.untitled)
      document.Load(song.string());
    else
      file.Open(song.string());
    if (c.edit) document_fixture::RaiseE(document.Score());
    if (c.dialog) dialog.Choice = SaveChoice{(root_ / "tune").string(), c.dialog->filterIndex};
    if (c.readOnly) fs::permissions(root_, fs::perms::owner_read | fs::perms::owner_exec);
    prompt.Answers = {c.answer};

    EXPECT_EQ(file.QuerySave(), c.closes);
    const std::string question = "text 26: text 25 " + file.FileName();
    if (c.untitled || c.edit)
      EXPECT_EQ(prompt.Shown.front(), question);
    else
      EXPECT_TRUE(prompt.Shown.empty());
    EXPECT_EQ(file.Modified(), !c.closes || (c.edit && c.answer == result::kNo));
    EXPECT_EQ(ReadText(song) != before, c.written);
  }
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
}

}  // namespace
