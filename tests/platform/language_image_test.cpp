#include "platform/language_image.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/language_writer.h"
#include "support/language_entries.h"

namespace nv::platform {
namespace {

using language_entries::List;
using language_entries::OfKind;
using language_entries::Text;

LanguageImage Image(std::vector<LanguageForm> forms) {
  const auto bytes = WriteLanguageFile({}, std::move(forms));
  LanguageFile file = ParseLanguageFile(bytes);
  EXPECT_EQ(file.status, LanguageFile::Status::Ok) << DescribeLanguageFileProblem(file, "fixture");
  return std::move(file.image);
}

std::string TextOf(const LanguageImage& image, std::string_view key, int n) {
  const auto record = image.FindForm(key);
  return record ? image.GetString(*record, n) : "<no record>";
}

TEST(LanguageImage, KeysThatArePrefixesOfOthersAndSidewaysKeysAllResolve) {
  // The writer balances the tree, so these keys land on low, equal and high
  // links; "FA" ends at a node that "FAB" passes through.
  const std::vector<std::string> keys = {"FA", "FAB", "FABC", "A", "Z", "FMusicEditor", "FMessageBlock", "F"};
  std::vector<LanguageForm> forms;
  for (const auto& key : keys) forms.push_back({key, {}, {"text of " + key}});
  const LanguageImage image = Image(forms);
  for (const auto& key : keys) EXPECT_EQ(TextOf(image, key, 0), "text of " + key) << key;
  for (const std::string missing : {"", "FAx", "FM", "a", "FABCD", "fa"})
    EXPECT_FALSE(image.FindForm(missing).has_value()) << missing;
  std::vector<std::string> listed;
  for (const auto& [key, record] : image.Forms()) listed.push_back(key);
  std::vector<std::string> sorted = keys;
  std::ranges::sort(sorted);
  EXPECT_EQ(listed, sorted);
}

TEST(LanguageImage, NumberedTextsOutsideTheTableOrOfAFormWithoutRecordAreEmpty) {
  const LanguageImage image = Image({{"FForm", {}, {"zero", "", "two"}}, {"FOther", {}, {}}});
  EXPECT_EQ(TextOf(image, "FForm", 0), "zero");
  EXPECT_EQ(TextOf(image, "FForm", 1), "");
  EXPECT_EQ(TextOf(image, "FForm", 2), "two");
  EXPECT_EQ(TextOf(image, "FForm", 3), "");   // n = M
  EXPECT_EQ(TextOf(image, "FForm", -1), "");
  EXPECT_EQ(TextOf(image, "FOther", 0), "");
  EXPECT_EQ(TextOf(image, "FNone", 0), "<no record>");
}

TEST(LanguageImage, EntriesReadInOrderSkipUnknownKindsAndStopAtAnOverlongText) {
  const LanguageEntry font = language_entries::Font("MText.font", "Arial", 204, 12);
  const std::string limit(LanguageImage::kMaxText, 'x');
  const LanguageImage image = Image({{"FForm",
                                      {Text("windowTitle", "Caption"), List("LBItems.items", {}),
                                       OfKind("Unknown.kind", 7), Text("Edit.text", "long kind", 10), font,
                                       Text("AtLimit.text", limit), Text("Over.text", limit + "y"),
                                       Text("After.text", "never applied")},
                                      {"stays"}}});
  const auto entries = image.Entries(*image.FindForm("FForm"));
  EXPECT_TRUE(entries.endedEarly);
  ASSERT_EQ(entries.entries.size(), 6u);
  EXPECT_EQ(entries.entries[0].text, "Caption");
  EXPECT_EQ(entries.entries[1].kind, 2);
  EXPECT_TRUE(entries.entries[1].lines.empty());
  // Kind 7 carries no value bytes: the entry after it reads right.
  EXPECT_EQ(entries.entries[2].kind, 7);
  EXPECT_EQ(entries.entries[2].text, "");
  EXPECT_EQ(entries.entries[3].kind, 10);
  EXPECT_EQ(entries.entries[3].text, "long kind");
  EXPECT_EQ(entries.entries[4].text, "Arial");
  EXPECT_EQ(entries.entries[4].charset, 204);
  EXPECT_EQ(entries.entries[4].pointSize, 12);
  EXPECT_EQ(entries.entries[5].text.size(), LanguageImage::kMaxText);
  EXPECT_EQ(TextOf(image, "FForm", 0), "stays");
}

TEST(LanguageImage, ARecordOfMoreThanTheEntryLimitAppliesNothingButKeepsItsTexts) {
  std::vector<LanguageEntry> entries(LanguageImage::kMaxEntries + 1, Text("windowTitle", "x"));
  const LanguageImage image = Image({{"FForm", entries, {"text"}}});
  const auto record = *image.FindForm("FForm");
  EXPECT_EQ(image.StoredEntryCount(record), LanguageImage::kMaxEntries + 1);
  EXPECT_TRUE(image.Entries(record).entries.empty());
  EXPECT_EQ(image.GetString(record, 0), "text");
}

TEST(LanguageImage, ANumberedTextOverTheLimitIsEmpty) {
  const LanguageImage image = Image({{"FForm", {}, {std::string(1025, 'x'), "next"}}});
  EXPECT_EQ(TextOf(image, "FForm", 0), "");
  EXPECT_EQ(TextOf(image, "FForm", 1), "next");
}

TEST(LanguageImage, InvalidUtf8ComesOutAsReplacementCharacters) {
  const LanguageImage image = Image({{"FForm", {Text("windowTitle", "a\xFF" "b")}, {"\xC3\xA4\xC3"}}});
  EXPECT_EQ(TextOf(image, "FForm", 0), "\xC3\xA4\xEF\xBF\xBD");
  EXPECT_EQ(image.Entries(*image.FindForm("FForm")).entries[0].text, "a\xEF\xBF\xBD" "b");
}

TEST(LanguageImage, WriterOutputDependsOnlyOnItsInput) {
  std::vector<LanguageForm> forms = {{"FB", {Text("x", "1")}, {"b"}}, {"FA", {}, {"a"}}, {"FC", {}, {}}};
  std::vector<LanguageForm> reversed(forms.rbegin(), forms.rend());
  EXPECT_EQ(WriteLanguageFile({}, forms), WriteLanguageFile({}, reversed));
  EXPECT_THROW(WriteLanguageFile({}, {{"FA", {}, {}}, {"FA", {}, {}}}), LanguageWriteError);
}

TEST(LanguageImage, ATreeLinkOverItsRangeIsRefusedByTheWriter) {
  // Many long keys below one node push its high child past 65535 bytes.
  std::vector<LanguageForm> forms;
  for (int i = 0; i < 3000; ++i) forms.push_back({"M" + std::to_string(100000 + i) + std::string(20, 'k'), {}, {}});
  forms.push_back({"Z", {}, {}});
  EXPECT_THROW(WriteLanguageFile({}, forms), LanguageWriteError);
}

TEST(LanguageImage, AFormatByteOtherThan16IsNotUsedAndAShortFileIsDamaged) {
  std::vector<std::uint8_t> bytes = WriteLanguageFile({"h", 15, "UTF-8"}, {{"FA", {}, {"a"}}});
  EXPECT_EQ(ParseLanguageFile(bytes).status, LanguageFile::Status::WrongFormat);
  bytes = WriteLanguageFile({}, {{"FA", {}, {"a"}}});
  bytes.pop_back();
  EXPECT_EQ(ParseLanguageFile(bytes).status, LanguageFile::Status::Damaged);
}

TEST(LanguageFileName, TheExecutableNameLosesItsExtensionAndTheCodeIsUpperCased) {
  EXPECT_EQ(LanguageFileName("notavistra", "ENU"), "notavistra.ENU.lrf");
  EXPECT_EQ(LanguageFileName("notavistra.exe", "enu"), "notavistra.ENU.lrf");
  EXPECT_EQ(LanguageFileName("/opt/my.app/notavistra", "rus"), "notavistra.RUS.lrf");
}

}  // namespace
}  // namespace nv::platform
