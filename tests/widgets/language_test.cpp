#include "widgets/language.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/language_writer.h"
#include "platform/message_prompt.h"
#include "support/language_entries.h"
#include "widgets/item_collection.h"
#include "widgets/message_block.h"

namespace nv::widgets {
namespace {

namespace fs = std::filesystem;
using platform::LanguageEntry;
using platform::LanguageForm;

// A list control as the project's list and combo widgets expose it.
class ListControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ items WRITE setItems)
 public:
  using QWidget::QWidget;
  QStringList items() const { return items_; }
  void setItems(const QStringList& items) { items_ = items; }

 private:
  QStringList items_;
};

class Panel : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)
 public:
  using QObject::QObject;
  QString text() const { return text_; }
  void setText(const QString& text) { text_ = text; }

 private:
  QString text_;
};

// A status bar with three panels, addressed as panels[i].
class PanelBar : public QWidget, public ECItemCollection {
  Q_OBJECT
 public:
  explicit PanelBar(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < 3; ++i) panels_.push_back(new Panel(this));
  }
  QObject* CollectionItem(const QString& name, int index) override {
    if (name != "panels" || index >= static_cast<int>(panels_.size())) return nullptr;
    return panels_[index];
  }
  std::vector<Panel*> panels_;
};

// A window as every window of the program builds its language component:
// made in the constructor, translated at its end.
class TestWindow : public QWidget {
 public:
  explicit TestWindow(const QString& name, const QString& formName = {}) {
    setObjectName(name);
    setWindowTitle("built-in");
    button = new QPushButton(this);
    button->setObjectName("BBOk");
    auto* inner = new QWidget(this);
    list = new ListControl(inner);  // a descendant, not a direct child
    list->setObjectName("LBItems");
    list->setItems({"built-in"});
    label = new QLabel(this);
    label->setObjectName("LText");
    bar = new PanelBar(this);
    bar->setObjectName("SBMain");
    action = new QAction(this);
    action->setObjectName("ANew");
    language = new TECFormLanguage(this);
    language->SetFormName(formName);
    language->Translate();
  }
  QPushButton* button;
  ListControl* list;
  QLabel* label;
  PanelBar* bar;
  QAction* action;
  TECFormLanguage* language;
};

using language_entries::List;
using language_entries::Text;

LanguageEntry Font(std::string path, std::string face, std::uint16_t size) {
  return language_entries::Font(std::move(path), std::move(face), 204, size);
}

class RecordingPrompt : public platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view, std::string_view text, int, int) override {
    texts.emplace_back(text);
    return platform::message_result::kOk;
  }
  std::vector<std::string> texts;
};

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("language_test_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    TECLanguage::SetWarningSink([this](const std::string& text) { warnings_.push_back(text); });
    InstallMessagePrompt(&prompt_);
    owner_ = std::make_unique<QObject>();
    owner_->setObjectName("FProgramModule");
    language_ = new TECLanguage(owner_.get());
    language_->SetFileLocation(dir_, "prog.bin");
    QObject::connect(language_, &TECLanguage::OnLanguageChange, [this] { changes_.push_back(language_->Language()); });
  }
  void TearDown() override {
    owner_.reset();
    InstallMessagePrompt(nullptr);
    TECLanguage::SetWarningSink([](const std::string&) {});
    fs::remove_all(dir_);
  }
  void WriteFile(const std::string& code, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir_ / ("prog." + code + ".lrf"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void WriteForms(const std::string& code, std::vector<LanguageForm> forms) {
    WriteFile(code, platform::WriteLanguageFile({}, std::move(forms)));
  }

  fs::path dir_;
  std::vector<std::string> warnings_;
  std::vector<QString> changes_;
  RecordingPrompt prompt_;
  std::unique_ptr<QObject> owner_;
  TECLanguage* language_ = nullptr;
};

TEST_F(LanguageTest, TranslateSetsCaptionHintListFontAndCollectionItem) {
  WriteForms("ENU", {{"FTest",
                      {Text("windowTitle", "Caption"), Text("BBOk.toolTip", "Press it"),
                       List("LBItems.items", {"one", "two"}), Font("LText.font", "Times New Roman", 14),
                       Text("SBMain.panels[1].text", "Playing"), Text("ANew.text", "&New"),
                       // None of these change anything:
                       Text("Missing.text", "x"), Text("LBItems.items", "a text on a list"),
                       List("BBOk.toolTip", {"a list on a text"}), Text("SBMain.panels[3].text", "past the end"),
                       Text("SBMain.panels[-1].text", "negative"), Text("SBMain.panels.text", "no index"),
                       Text("BBOk.noSuchProperty", "x")},
                      {}}});
  language_->ApplyLanguage("ENU");
  TestWindow window("FTest");
  EXPECT_EQ(window.windowTitle(), "Caption");
  EXPECT_EQ(window.button->toolTip(), "Press it");
  EXPECT_EQ(window.list->items(), (QStringList{"one", "two"}));
  EXPECT_EQ(window.label->font().pointSize(), 14);
  EXPECT_FALSE(window.label->font().family().isEmpty());
  EXPECT_EQ(window.bar->panels_[1]->text(), "Playing");
  EXPECT_EQ(window.bar->panels_[0]->text(), "");
  EXPECT_EQ(window.bar->panels_[2]->text(), "");
  EXPECT_EQ(window.action->text(), "&New");
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(LanguageTest, AListOfNoLinesEmptiesTheListAndKind7IsSkipped) {
  const LanguageEntry unknown = language_entries::OfKind("windowTitle", 7);
  WriteForms("ENU", {{"FTest", {List("LBItems.items", {}), unknown, Text("BBOk.toolTip", "after")}, {}}});
  language_->ApplyLanguage("ENU");
  TestWindow window("FTest");
  EXPECT_TRUE(window.list->items().isEmpty());
  EXPECT_EQ(window.windowTitle(), "built-in");
  EXPECT_EQ(window.button->toolTip(), "after");
}

TEST_F(LanguageTest, AnOverlongTextEndsTheRecordAndTooManyEntriesApplyNothing) {
  WriteForms("ENU", {{"FTest",
                      {Text("windowTitle", "applied"), Text("BBOk.toolTip", std::string(1025, 'x')),
                       Text("ANew.text", "never")},
                      {}},
                     {"FMany", std::vector<LanguageEntry>(1025, Text("windowTitle", "many")), {}}});
  language_->ApplyLanguage("ENU");
  TestWindow window("FTest");
  EXPECT_EQ(window.windowTitle(), "applied");
  EXPECT_EQ(window.button->toolTip(), "");
  EXPECT_EQ(window.action->text(), "");
  TestWindow many("FMany");
  EXPECT_EQ(many.windowTitle(), "built-in");
}

TEST_F(LanguageTest, GetStringOutsideTheTableOrWithoutARecordIsEmpty) {
  WriteForms("ENU", {{"FTest", {}, {"zero", "one"}}});
  language_->ApplyLanguage("ENU");
  TestWindow window("FTest");
  TestWindow other("FOther");
  EXPECT_EQ(window.language->GetString(1), "one");
  EXPECT_EQ(window.language->GetString(2), "");
  EXPECT_EQ(window.language->GetString(-1), "");
  EXPECT_EQ(other.language->GetString(0), "");
  // The form component's own code is not consulted.
  window.language->SetExLanguage("");
  EXPECT_EQ(window.language->GetString(0), "zero");
}

TEST_F(LanguageTest, TheFirstReadOfAnEmptyCodeIsEmptyAndLaterReadsAreENU) {
  WriteForms("ENU", {{"FTest", {}, {"zero"}}});
  EXPECT_EQ(language_->Language(), "");
  EXPECT_TRUE(language_->IsLoaded());
  EXPECT_EQ(language_->Language(), "ENU");
}

TEST_F(LanguageTest, TheSameCodeInAnotherCaseChangesNothing) {
  WriteForms("ENU", {{"FTest", {Text("windowTitle", "English")}, {}}});
  language_->SetLanguage("ENU");
  ASSERT_EQ(changes_.size(), 1u);
  TestWindow window("FTest");
  window.setWindowTitle("changed by the window");
  language_->SetLanguage("enu");
  EXPECT_EQ(changes_.size(), 1u);
  EXPECT_EQ(window.windowTitle(), "changed by the window");
  EXPECT_EQ(language_->Language(), "ENU");
}

TEST_F(LanguageTest, AMissingFileKeepsThePreviousTextsAndStillFiresTheChange) {
  WriteForms("ENU", {{"FTest", {Text("windowTitle", "English")}, {"eins"}}});
  language_->SetLanguage("ENU");
  TestWindow window("FTest");
  language_->SetLanguage("RUS");
  EXPECT_EQ((std::vector<QString>{"ENU", "RUS"}), changes_);
  EXPECT_EQ(window.windowTitle(), "English");
  EXPECT_EQ(window.language->GetString(0), "eins");
  EXPECT_EQ(language_->LastLoad(), TECLanguage::LoadResult::Missing);
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(LanguageTest, WithoutALanguageFileTheBuiltInEnglishTextsAreInForce) {
  TestWindow box("FMessageBlock");
  EXPECT_EQ(box.language->GetString(2), "Yes");
  EXPECT_EQ(language_->GetString("FProgramModule", 21), "Error");
  EXPECT_FALSE(language_->IsLoaded());
}

TEST_F(LanguageTest, DocumentWindowsShareOneRecordAndAClosedOneLeavesTheOthersRegistered) {
  WriteForms("ENU", {{"FMusicEditor", {Text("windowTitle", "English")}, {}}});
  WriteForms("DEU", {{"FMusicEditor", {Text("windowTitle", "Deutsch")}, {}}});
  language_->ApplyLanguage("ENU");
  auto first = std::make_unique<TestWindow>("FMusicEditor1", "FMusicEditor");
  TestWindow second("FMusicEditor2", "FMusicEditor");
  EXPECT_EQ(first->windowTitle(), "English");
  EXPECT_EQ(second.windowTitle(), "English");
  first.reset();
  language_->SetLanguage("DEU");
  EXPECT_EQ(second.windowTitle(), "Deutsch");
}

TEST_F(LanguageTest, OwnersAndDuplicateLanguageComponentsAreReported) {
  try {
    TECFormLanguage orphan(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const ECLanguageException& error) {
    EXPECT_STREQ(error.what(), "Owner is not defined or wrong");
  }
  try {
    TECLanguage again(owner_.get());
    ADD_FAILURE() << "no exception";
  } catch (const ECLanguageException& error) {
    EXPECT_STREQ(error.what(), "Component TECLanguage already exists on that form");
  }
  QObject other;
  {
    TECLanguage elsewhere(&other);
    EXPECT_EQ(TECLanguage::Current(), language_);
  }
  EXPECT_EQ(prompt_.texts, (std::vector<std::string>{"Component TECLanguage already exists on the form FProgramModule"}));
  EXPECT_EQ(TECLanguage::Current(), language_);
}

TEST_F(LanguageTest, WindowsMadeBeforeTheLanguageRegisterWithItWhenItComes) {
  owner_.reset();
  ASSERT_EQ(TECLanguage::Current(), nullptr);
  TestWindow early("FTest");
  EXPECT_EQ(early.windowTitle(), "built-in");
  owner_ = std::make_unique<QObject>();
  language_ = new TECLanguage(owner_.get());
  language_->SetFileLocation(dir_, "prog");
  WriteForms("ENU", {{"FTest", {Text("windowTitle", "English")}, {}}});
  language_->ApplyLanguage("ENU");
  EXPECT_EQ(early.windowTitle(), "English");
}

TEST_F(LanguageTest, SwitchingLanguagesRetranslatesOpenWindowsAndLaterOnesComeUpTranslated) {
  language_->SetFileLocation(NOTAVISTRA_ASSETS_DIR, "notavistra");
  language_->ApplyLanguage("ENU");
  TestWindow main("FProgramModule");
  EXPECT_EQ(main.action->text(), "&New");
  EXPECT_EQ(main.bar->panels_[1]->text(), "Printing");
  language_->SetLanguage("RUS");
  EXPECT_EQ(main.action->text(), "&Создать");
  EXPECT_EQ(main.bar->panels_[1]->text(), "Печать");
  EXPECT_EQ(language_->GetString("FMessageBlock", 2), "Да");
  language_->SetLanguage("DEU");
  EXPECT_EQ(main.action->text(), "&Neu");
  TestWindow later("FProgramModule");
  EXPECT_EQ(later.action->text(), "&Neu");
  EXPECT_EQ(later.language->GetString(21), "Fehler");
  EXPECT_TRUE(warnings_.empty());
}

// Every damage ends the same way: the file is not used, the texts in force
// stay, and one warning names the file and the offset.
class LanguageDamageTest : public LanguageTest {
 protected:
  void SetUp() override {
    LanguageTest::SetUp();
    std::ifstream in(fs::path(NOTAVISTRA_ASSETS_DIR) / "notavistra.ENU.lrf", std::ios::binary);
    english_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_FALSE(english_.empty());
    WriteForms("DEU", {{"FMessageBlock", {Text("windowTitle", "Deutsch")}, {"Schließen"}}});
    language_->ApplyLanguage("DEU");
    ASSERT_EQ(language_->GetString("FMessageBlock", 0), "Schließen");
    window_ = std::make_unique<TestWindow>("FMessageBlock");
    const auto file = platform::ParseLanguageFile(english_);
    ASSERT_EQ(file.status, platform::LanguageFile::Status::Ok);
    image_ = file.image;
    dataStart_ = english_.size() - image_.data().size();
  }
  // Loads the damaged English file over the German one.
  void ExpectRefused(const std::vector<std::uint8_t>& bytes, std::optional<std::size_t> offset,
                     const std::string& what) {
    warnings_.clear();
    WriteFile("ENU", bytes);
    window_->setWindowTitle("changed");
    language_->ApplyLanguage("ENU");  // retranslates with the texts in force
    EXPECT_EQ(window_->windowTitle(), "Deutsch") << what;
    EXPECT_EQ(language_->GetString("FMessageBlock", 0), "Schließen") << what;
    EXPECT_EQ(language_->LastLoad(), TECLanguage::LoadResult::Refused) << what;
    ASSERT_EQ(warnings_.size(), 1u) << what;
    EXPECT_NE(warnings_[0].find("prog.ENU.lrf"), std::string::npos) << warnings_[0];
    if (offset) {
      EXPECT_NE(warnings_[0].find("offset " + std::to_string(*offset)), std::string::npos) << warnings_[0];
    }
  }
  std::uint32_t U32(std::size_t dataOffset) const {
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) value |= std::uint32_t{image_.data()[dataOffset + k]} << (8 * k);
    return value;
  }
  std::vector<std::uint8_t> With(std::size_t dataOffset, std::uint32_t value, int width) const {
    std::vector<std::uint8_t> bytes = english_;
    for (int k = 0; k < width; ++k) bytes[dataStart_ + dataOffset + k] = (value >> (8 * k)) & 0xFF;
    return bytes;
  }

  std::vector<std::uint8_t> english_;
  std::unique_ptr<TestWindow> window_;
  platform::LanguageImage image_;
  std::size_t dataStart_ = 0;
};

TEST_F(LanguageDamageTest, EveryPrefixOfTheEnglishFile) {
  for (std::size_t length = 0; length < english_.size(); ++length)
    ExpectRefused(std::vector<std::uint8_t>(english_.begin(), english_.begin() + length), std::nullopt,
                  "prefix " + std::to_string(length));
}

TEST_F(LanguageDamageTest, FieldsPointingPastTheEnd) {
  const std::size_t size = image_.data().size();
  const std::uint32_t record = *image_.FindForm("FMessageBlock");
  const std::uint32_t table = record + 4 + U32(record);
  // The file's last numbered text, whose length can reach past the end; the
  // forms after it may have none.
  std::uint32_t lastText = 0;
  for (const auto& [key, form] : image_.Forms()) {
    const std::uint32_t formTable = form + 4 + U32(form);
    const std::uint16_t count = image_.data()[formTable] | image_.data()[formTable + 1] << 8;
    for (std::uint16_t n = 0; n < count; ++n) lastText = std::max(lastText, form + U32(formTable + 2 + 4 * n));
  }
  const std::size_t pastTheEnd = size - lastText - 2 + 1;
  ASSERT_LE(pastTheEnd, platform::LanguageImage::kMaxText);
  std::size_t recordField = 0;  // the tree node that holds the record's offset
  for (std::size_t node = 0; node + 11 <= size; node += 11)
    if (U32(node + 1) == record) {
      recordField = node + 1;
      break;
    }
  ASSERT_NE(recordField, 0u);
  std::size_t link = 5;  // the root's first link that is set
  while (image_.data()[link] == 0 && image_.data()[link + 1] == 0) link += 2;
  ASSERT_LE(link, 9u);

  std::vector<std::uint8_t> format = english_;
  format[dataStart_ - 3 - 5] = 15;  // header 2 is "UTF-8": its length, 2 bytes, then 5
  ExpectRefused(format, dataStart_ - 8, "format byte 15");
  ExpectRefused(With(link, 0xFFFF, 2), dataStart_ + link, "link");
  ExpectRefused(With(recordField, static_cast<std::uint32_t>(size) - 2, 4), dataStart_ + recordField, "record offset");
  ExpectRefused(With(record, static_cast<std::uint32_t>(size), 4), dataStart_ + record, "table distance");
  ExpectRefused(With(table + 2, static_cast<std::uint32_t>(size), 4), dataStart_ + table + 2, "string offset");
  ExpectRefused(With(lastText, static_cast<std::uint32_t>(pastTheEnd), 2), dataStart_ + lastText, "text length");
}

}  // namespace
}  // namespace nv::widgets

#include "language_test.moc"
