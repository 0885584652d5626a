#include "library/list_entries.h"

#include <gtest/gtest.h>

namespace {

using namespace nv::library;
using nv::platform::IniFile;

TEST(ListEntries, ReadsTheEntriesBelowTheCountInIndexOrder) {
  const struct {
    const char* text;
    std::vector<std::string> values;
  } cases[] = {
      {"[Accords]\nAccordMax=3\nAccord0=m\nAccord1=7\nAccord2=maj7\n", {"m", "7", "maj7"}},
      {"[accords]\naccordmax=2\nACCORD1=b\naccord0=a\nAccord2=beyond\n", {"a", "b"}},
      {"[Accords]\nAccordMax=3\nAccord0=\nAccord2=c\n", {"c"}},
      {"[Accords]\nAccord0=a\n", {}},
      {"[Accords]\nAccordMax=x\nAccord0=a\n", {}},
      {"[Accords]\nAccordMax=2000000000\nAccord7=h\nAccord01=no\nAccord-1=no\nAccordX=no\n", {"h"}},
      {"[Accords]\nAccordMax=2\nAccord0=first\nAccord0=second\n", {"first"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadListEntries(IniFile::FromText("x.ini", c.text), "Accords", "AccordMax", "Accord"), c.values)
        << c.text;
  }
}

TEST(ListEntries, WritingSetsTheCountAndLeavesEntriesBeyondIt) {
  IniFile file = IniFile::FromText("x.ini", "[Drums]\nDrumMax=3\nDrum0=a\nDrum1=b\nDrum2=c\n");
  WriteListEntries(file, "Drums", "DrumMax", "Drum", {"x.drm"});
  EXPECT_EQ(file.Text(), "[Drums]\nDrumMax=1\nDrum0=x.drm\nDrum1=b\nDrum2=c\n");
  EXPECT_EQ(ReadListEntries(file, "Drums", "DrumMax", "Drum"), std::vector<std::string>{"x.drm"});
}

}  // namespace
