#include "dialogs/term_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "library/library_fixture.h"
#include "dialogs/term_settings_page.h"
#include "library/library_store.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "widgets/image_track.h"
#include "widgets/message_block.h"
#include "widgets/string_grid.h"

namespace nv::dialogs {
namespace {

namespace fs = std::filesystem;
using library_fixture::ReadBytes;
using library_fixture::WriteText;
using nv::library::LibraryStore;
using nv::library::TECTermDescription;

struct Messages : nv::platform::MessagePrompt {
  int ShowMessageBlock(std::string_view, std::string_view text, int, int) override {
    texts.emplace_back(text);
    return nv::platform::message_result::kOk;
  }
  std::vector<std::string> texts;
};

class TermDialogs : public library_fixture::LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    nv::widgets::InstallMessagePrompt(&messages_);
    WriteText(folder_ / "Terms.ini",
              "[Terms]\nTermMax=4\nTerm0=dolce,0,0,0\nTerm1=p,1,0,54\nTerm2=cresc.,1,1,20\nTerm3=Allegro,2,0,32\n");
    store_ = std::make_unique<LibraryStore>(Folder(), ui_);
    store_->LoadTermLibrary();
  }
  void TearDown() override {
    nv::widgets::InstallMessagePrompt(nullptr);
    LibraryFolder::TearDown();
  }
  fs::path TermsFile() const { return folder_ / "Terms.ini"; }
  std::vector<TECTermDescription> OnDisk() const {
    return nv::library::ReadTerms(nv::platform::IniFile(TermsFile().string()));
  }
  static QPushButton& Button(QDialog& dialog, const char* name) {
    return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
  }

  Messages messages_;
  std::unique_ptr<LibraryStore> store_;
};

TEST_F(TermDialogs, RemovingARowAndOkWritesExactlyTheRemainingTermsWithTheirValues) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TFTermList*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Grid().SetCurrentCell(0, 2);  // "p": row 0 holds the captions
    dialog->RemoveButton().click();
    EXPECT_EQ(dialog->Grid().RowCount(), 4);
    Button(*dialog, "BOk").click();
    ran = true;
  });
  EXPECT_TRUE(ExecuteTermList(*store_, nullptr, nullptr));
  EXPECT_TRUE(ran);
  const std::vector<TECTermDescription> expected{{"dolce", 0, 0, 0}, {"cresc.", 1, 1, 20}, {"Allegro", 2, 0, 32}};
  EXPECT_EQ(OnDisk(), expected);
  EXPECT_EQ(store_->Terms(), expected);
  EXPECT_EQ(store_->FindTermByName("p"), nullptr);
  EXPECT_EQ(store_->FindTermByName("CRESC.")->Second, 20);
}

TEST_F(TermDialogs, OkRefusesACommaOrATwiceUsedNameAndCancelChangesNothing) {
  const auto before = ReadBytes(TermsFile());
  struct Case {
    int row;
    const char* name;
    const char* kind;
    const char* named;
  };
  for (const Case& c : {Case{0, "a,b", "Inscription", "\"a,b\""}, Case{2, "P", "Dinamic", "\"P\""},
                        Case{3, "cresc.", "tempo", "\"cresc.\""}}) {
    messages_.texts.clear();
    TFTermList dialog(store_->Terms(), nullptr);
    dialog.Grid().SetCell(0, c.row + 1, QString::fromUtf8(c.name));
    dialog.Grid().SetCell(1, c.row + 1, QString::fromUtf8(c.kind));
    dialog.show();
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << c.name;
    EXPECT_TRUE(dialog.isVisible()) << c.name;
    ASSERT_EQ(messages_.texts.size(), 1u) << c.name;
    EXPECT_NE(messages_.texts[0].find(c.named), std::string::npos) << messages_.texts[0];
    dialog.reject();
  }
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TFTermList*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Grid().SetCell(0, 1, QStringLiteral("changed"));
    Button(*dialog, "BCancel").click();
  });
  EXPECT_FALSE(ExecuteTermList(*store_, nullptr, nullptr));
  EXPECT_EQ(ReadBytes(TermsFile()), before);
  EXPECT_EQ(store_->Terms()[0].Name, "dolce");
}

TEST_F(TermDialogs, AddAppendsAnEmptyInscriptionAndTheLastRowIsEmptiedNotRemoved) {
  TFTermList dialog({{"solo", 0, 0, 0}}, nullptr);
  EXPECT_EQ(dialog.Grid().Cell(0, 0), QStringLiteral("Text"));
  dialog.AddButton().click();
  ASSERT_EQ(dialog.Grid().RowCount(), 3);
  EXPECT_EQ(dialog.Grid().Cell(0, 2), QString());
  EXPECT_EQ(dialog.Grid().Cell(1, 2), QStringLiteral("Inscription"));
  EXPECT_EQ(dialog.Grid().CurrentRow(), 2);
  dialog.RemoveButton().click();
  dialog.Grid().SetCurrentCell(0, 1);
  dialog.Grid().SetCell(1, 1, QStringLiteral("Tempo"));
  dialog.RemoveButton().click();
  ASSERT_EQ(dialog.Grid().RowCount(), 2);
  EXPECT_EQ(dialog.Grid().Cell(0, 1), QString());
  EXPECT_EQ(dialog.Grid().Cell(1, 1), QStringLiteral("Inscription"));
  // An empty row makes no term.
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.Terms().empty());
}

TEST_F(TermDialogs, DynamicSettingsApplyEachChangeAtOnce) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TFTermSettings*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    TermSettingsPage& page = dialog->Page();
    // Only the dynamic terms, in list order.
    ASSERT_EQ(page.RowCount(), 2u);
    EXPECT_EQ(page.NameLabel(0).text(), QStringLiteral("p"));
    EXPECT_EQ(page.NameLabel(1).text(), QStringLiteral("cresc."));
    EXPECT_FALSE(page.ChangeBox(0)->isChecked());
    EXPECT_TRUE(page.ChangeBox(1)->isChecked());
    EXPECT_EQ(page.Track(1).Min(), -63);
    EXPECT_EQ(page.Track(0).Position(), 54);
    page.Track(0).SetPosition(100);
    EXPECT_EQ(store_->Terms()[1].Second, 100);
    EXPECT_EQ(page.Track(0).toolTip(), QStringLiteral("100"));
    // Turned into a change, the position keeps inside -63..63.
    page.ChangeBox(0)->setChecked(true);
    EXPECT_EQ(store_->Terms()[1].First, 1);
    EXPECT_EQ(store_->Terms()[1].Second, 63);
    EXPECT_EQ(page.Track(0).Min(), -63);
    EXPECT_EQ(page.Track(0).Position(), 63);
    dialog->reject();
  });
  ExecuteTermSettings(*store_, nv::library::term_kind::Dynamic, nullptr, nullptr);
  // The file waits for the library's next write.
  EXPECT_EQ(OnDisk()[1], (TECTermDescription{"p", 1, 0, 54}));
  ASSERT_TRUE(store_->SaveTermLibrary());
  EXPECT_EQ(OnDisk()[1], (TECTermDescription{"p", 1, 1, 63}));
}

TEST_F(TermDialogs, TempoSettingsHaveNoChangeBoxAndARangeOfAHundredEachWay) {
  TFTermSettings dialog(nv::library::term_kind::Tempo, store_->Terms(), nullptr);
  ASSERT_EQ(dialog.Page().RowCount(), 1u);
  EXPECT_EQ(dialog.Page().ChangeBox(0), nullptr);
  EXPECT_EQ(dialog.Page().Track(0).Min(), -100);
  EXPECT_EQ(dialog.Page().Track(0).Max(), 100);
  EXPECT_EQ(dialog.Page().Track(0).Position(), 32);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tempo"));
}

}  // namespace
}  // namespace nv::dialogs
