// The ".xml" tag reader: its items, its leniency with malformed markup and
// its limits.
#include <gtest/gtest.h>

#include <string>

#include "formats/xml_tag_reader.h"
#include "model/memory_stream.h"

namespace {

std::vector<XmlTagItem> Read(const std::string& text, const XmlTagLimits& limits = {}) {
  MemoryStream stream(std::vector<std::uint8_t>(text.begin(), text.end()));
  return ReadXmlTags(stream, limits);
}

// One line per item: depth, name, value in brackets, A for attributes, C
// for closed.
std::string Describe(const std::vector<XmlTagItem>& items) {
  std::string text;
  for (const XmlTagItem& item : items) {
    text += std::to_string(item.Depth) + " " + item.Name + " [" + item.Value + "]";
    if (item.HasAttributes) text += " A";
    if (item.Closed) text += " C";
    text += "\n";
  }
  return text;
}

TEST(XmlTagReader, ItemsOfADocument) {
  const std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<!DOCTYPE score [ <!ENTITY x \"a>b\"> ]>\r\n"
      "<!-- a <comment> -->\r\n"
      "<score version='2.0' id=\"s 1\">\r\n"
      "\t<part-name>Violin\tI</part-name>\r\n"
      "\t<note default-x=\"12\"><pitch><step>C</step><octave>4</octave></pitch><chord/></note>\r\n"
      "\t<rights><![CDATA[a < b]]></rights>\r\n"
      "\t<?processing instruction?>\r\n"
      "</score>\r\n";
  EXPECT_EQ(Describe(Read(document)),
            "1 scoreversionid [2.0s 1] A C\n"
            "2 part-name [ViolinI] C\n"
            "2 notedefault-x [12] A C\n"
            "3 pitch [] C\n"
            "4 step [C] C\n"
            "4 octave [4] C\n"
            "3 chord [] C\n"
            "2 rights [a < b] C\n");
}

TEST(XmlTagReader, MalformedMarkupGivesItemsAndNoFailure) {
  struct Case {
    const char* text;
    const char* items;
  };
  for (const Case& c : {
           // Closing tags match in any case; a stray one is passed over.
           Case{"<A><b>x</B></c>y</a>", "1 A [y] C\n2 b [x] C\n"},
           // A closing tag closes what was opened inside its element.
           Case{"<a><b><c>t</a><d/>", "1 a [] C\n2 b []\n3 c [t]\n1 d [] C\n"},
           // The end of the data ends an unterminated tag or value.
           Case{"<a><b x=\"never closed", "1 a []\n2 bx [never closed] A\n"},
           Case{"<a", "1 a []\n"},
           Case{"<!-- open comment <a>", ""},
           // A "<" that opens no tag is text; stray "/" and "=" are passed over.
           Case{"<a>1 < 2 <= 3</a>", "1 a [1 < 2 <= 3] C\n"},
           Case{"<a / x=1 = y / >t</a>", "1 axy [1t] A C\n"},
           Case{"text before <a>in</a> after", "1 a [in] C\n"},
       }) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Describe(Read(c.text)), c.items);
  }
}

TEST(XmlTagReader, ReadsOnlyUpToTheStreamsReadLimit) {
  const std::string text = "<a>in</a><b>out</b>";
  MemoryStream stream(std::vector<std::uint8_t>(text.begin(), text.end()));
  StreamLimit limit(stream, 9);
  EXPECT_EQ(Describe(ReadXmlTags(stream)), "1 a [in] C\n");
}

TEST(XmlTagReader, DocumentPastALimitRaisesNamingIt) {
  XmlTagLimits limits;
  limits.MaxBytes = 40;
  limits.MaxDepth = 3;
  limits.MaxItems = 4;
  limits.MaxNameLength = 8;
  struct Case {
    std::string text;
    const char* error;  // none: within the limits
  };
  for (const Case& c : {
           Case{std::string(40, ' '), nullptr},
           Case{std::string(41, ' '), "XML document larger than 40 bytes"},
           Case{"<a><b><c/></b></a>", nullptr},
           Case{"<a><b><c><d/></c></b></a>", "XML elements nested deeper than 3 levels"},
           Case{"<a/><b/><c/><d/>", nullptr},
           Case{"<a/><b/><c/><d/><e/>", "XML document with more than 4 elements"},
           Case{"<abcd efgh='1'/>", nullptr},
           Case{"<abcd efghi='1'/>", "XML tag name longer than 8 characters"},
       }) {
    SCOPED_TRACE(c.text);
    if (c.error) {
      try {
        Read(c.text, limits);
        ADD_FAILURE() << "no error";
      } catch (const EStreamError& error) {
        EXPECT_STREQ(error.what(), c.error);
      }
    } else {
      EXPECT_NO_THROW(Read(c.text, limits));
    }
  }
}

TEST(XmlTagReader, DefaultLimitsAllowALargeScoreAndStopADeepOne) {
  std::string wide = "<score-partwise>";
  for (int i = 0; i < 20000; ++i) wide += "<note><pitch><step>C</step></pitch></note>";
  wide += "</score-partwise>";
  EXPECT_EQ(Read(wide).size(), 60001u);
  std::string deep;
  for (int i = 0; i < 101; ++i) deep += "<a>";
  EXPECT_THROW(Read(deep), EStreamError);
}

}  // namespace
