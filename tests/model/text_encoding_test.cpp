#include <gtest/gtest.h>

#include "model/memory_stream.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace {

TEST(TextEncoding, Utf8IsKeptAndOtherTextDecodedFromTheCodePage) {
  struct Case {
    std::string stored;
    LegacyCodePage page;
    std::string expected;
  };
  const Case cases[] = {
      {"plain", LegacyCodePage::cp1251, "plain"},
      {"\xd0\x9f\xd1\x80\xd0\xb8", LegacyCodePage::cp1252, "\xd0\x9f\xd1\x80\xd0\xb8"},  // "При" in UTF-8
      {"\xcf\xf0\xe8", LegacyCodePage::cp1251, "\xd0\x9f\xd1\x80\xd0\xb8"},              // "При" in 1251
      {"\xa8\xb8\xb9", LegacyCodePage::cp1251, "\xd0\x81\xd1\x91\xe2\x84\x96"},          // Ё ё №
      {"caf\xe9 \x80", LegacyCodePage::cp1252, "caf\xc3\xa9 \xe2\x82\xac"},              // café €
      {"\x81", LegacyCodePage::cp1252, "\xef\xbf\xbd"},                                  // unassigned
      {"\xc0\x80", LegacyCodePage::cp1252, "\xc3\x80\xe2\x82\xac"},                      // overlong NUL
      {"\xed\xa0\x80", LegacyCodePage::cp1252, "\xc3\xad\xc2\xa0\xe2\x82\xac"},          // surrogate
      {"\xe2\x82", LegacyCodePage::cp1252, "\xc3\xa2\xe2\x80\x9a"},                      // cut short
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeStoredText(c.stored, c.page), c.expected) << c.stored;
}

TEST(TextEncoding, InterfaceLanguageChoosesTheCodePage) {
  EXPECT_EQ(LegacyCodePageForLanguage("ru"), LegacyCodePage::cp1251);
  EXPECT_EQ(LegacyCodePageForLanguage("Russian"), LegacyCodePage::cp1251);
  EXPECT_EQ(LegacyCodePageForLanguage("German"), LegacyCodePage::cp1252);
  EXPECT_EQ(LegacyCodePageForLanguage(""), LegacyCodePage::cp1252);

  MemoryStream stream;
  WriteStreamStrings(stream, {"\xcf\xf0\xe8"});
  SetLegacyTextCodePage(LegacyCodePage::cp1251);
  stream.SetPosition(0);
  const auto russian = ReadStoredTextList(stream);
  SetLegacyTextCodePage(LegacyCodePage::cp1252);
  stream.SetPosition(0);
  const auto western = ReadStoredTextList(stream);
  EXPECT_EQ(russian[0], "\xd0\x9f\xd1\x80\xd0\xb8");
  EXPECT_EQ(western[0], "\xc3\x8f\xc3\xb0\xc3\xa8");
}

}  // namespace
