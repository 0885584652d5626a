// The MusicXML document as a whole, and the Part's cases.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "musicxml_fixtures.h"

namespace {

using namespace musicxml_fixtures;

// Lines indented by `level` tabs, each ended by CR LF.
std::string Lines(const std::vector<std::pair<int, std::string>>& lines) {
  std::string text;
  for (const auto& [level, line] : lines) text += std::string(level, '\t') + line + "\r\n";
  return text;
}

std::vector<std::pair<int, std::string>> Note(const std::string& step, int alter, int octave, int duration,
                                              const std::string& type, int dots = 0) {
  std::vector<std::pair<int, std::string>> lines = {{3, "<note>"}, {4, "<pitch>"}, {5, "<step>" + step + "</step>"}};
  if (alter) lines.push_back({5, "<alter>" + std::to_string(alter) + "</alter>"});
  lines.insert(lines.end(), {{5, "<octave>" + std::to_string(octave) + "</octave>"},
                             {4, "</pitch>"},
                             {4, "<duration>" + std::to_string(duration) + "</duration>"},
                             {4, "<voice>1</voice>"},
                             {4, "<type>" + type + "</type>"}});
  for (int d = 0; d < dots; ++d) lines.push_back({4, "<dot/>"});
  lines.insert(lines.end(), {{4, "<staff>1</staff>"}, {3, "</note>"}});
  return lines;
}

void Append(std::vector<std::pair<int, std::string>>& to, const std::vector<std::pair<int, std::string>>& lines) {
  to.insert(to.end(), lines.begin(), lines.end());
}

TEST(MusicXmlExport, OnePartScoreGivesTheWholeDocument) {
  std::vector<std::pair<int, std::string>> expected = {
      {0, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"},
      {0, "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 0.9 Partwise//EN\" "
          "\"http://www.musicxml.org/dtds/partwise.dtd\">"},
      {0, "<score-partwise>"},
      {1, "<identification>"},
      {2, "<creator type=\"composer\">Ann &amp; Bob</creator>"},
      {2, "<rights>&lt;c&gt; 2026</rights>"},
      {2, "<encoding>"},
      {3, "<software>Notavistra</software>"},
      {2, "</encoding>"},
      {1, "</identification>"},
      {1, "<part-list>"},
      {2, "<score-part id=\"P1\">"},
      {3, "<part-name>Violin</part-name>"},
      {3, "<score-instrument id=\"P1-I1\">"},
      {4, "<instrument-name>Violin</instrument-name>"},
      {3, "</score-instrument>"},
      {3, "<midi-instrument id=\"P1-I1\">"},
      {4, "<midi-channel>3</midi-channel>"},
      // Program 40 of the model is 41 in MusicXML's count from 1.
      {4, "<midi-program>41</midi-program>"},
      {3, "</midi-instrument>"},
      {2, "</score-part>"},
      {1, "</part-list>"},
      {1, "<part id=\"P1\">"},
      {2, "<measure number=\"1\">"},
      {3, "<attributes>"},
      {4, "<divisions>32</divisions>"},
      {4, "<time>"},
      {5, "<beats>4</beats>"},
      {5, "<beat-type>4</beat-type>"},
      {4, "</time>"},
      {4, "<staves>1</staves>"},
      {4, "<clef number=\"1\">"},
      {5, "<sign>G</sign>"},
      {5, "<line>2</line>"},
      {4, "</clef>"},
      {3, "</attributes>"},
  };
  // Middle C (octave 5 here) is octave 4; the dotted quarter lasts 48 ticks.
  Append(expected, Note("C", 0, 4, 32, "quarter"));
  Append(expected, Note("D", 0, 4, 48, "quarter", 1));
  Append(expected, {{3, "<note>"},
                    {4, "<rest/>"},
                    {4, "<duration>16</duration>"},
                    {4, "<voice>1</voice>"},
                    {4, "<type>eighth</type>"},
                    {4, "<staff>1</staff>"},
                    {3, "</note>"}});
  Append(expected, Note("B", 1, 3, 32, "quarter"));
  Append(expected, {{2, "</measure>"},
                    {2, "<measure number=\"2\">"},
                    {3, "<attributes>"},
                    {4, "<divisions>32</divisions>"},
                    {4, "<staves>1</staves>"},
                    {3, "</attributes>"},
                    // The "Repeat notes" sign is not written; its time passes.
                    {3, "<forward>"},
                    {4, "<duration>64</duration>"},
                    {4, "<voice>1</voice>"},
                    {4, "<staff>1</staff>"},
                    {3, "</forward>"}});
  Append(expected, Note("G", 0, 4, 64, "half"));
  Append(expected, {{2, "</measure>"}, {1, "</part>"}, {0, "</score-partwise>"}});
  EXPECT_EQ(Export(*MakeOnePartScore()), Lines(expected));
}

TEST(MusicXmlExport, SharpWritesItsAlterBetweenStepAndOctave) {
  const std::string text = Export(*MakeOnePartScore());
  EXPECT_NE(text.find(Lines({{5, "<step>B</step>"}, {5, "<alter>1</alter>"}, {5, "<octave>3</octave>"}})),
            std::string::npos)
      << text;
}

TEST(MusicXmlExport, TwoInstrumentsOnOneProgramAndChannelGiveOnePartWithTwoStaves) {
  const std::string text = Export(*MakeSharedChannelScore());
  // Flute and clarinet are P1, the cello P2.
  const std::size_t second = text.find("<part id=\"P2\">");
  ASSERT_NE(second, std::string::npos) << text;
  EXPECT_EQ(text.find("<score-part id=\"P3\">"), std::string::npos) << text;
  EXPECT_NE(text.find(Lines({{2, "<score-part id=\"P1\">"}, {3, "<part-name>Flute &amp; &lt;Oboe&gt;</part-name>"}})),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(Lines({{4, "<midi-channel>2</midi-channel>"}, {4, "<midi-program>74</midi-program>"}})),
            std::string::npos);
  const std::string first = text.substr(0, second);
  EXPECT_NE(first.find("<staves>2</staves>"), std::string::npos);
  EXPECT_EQ(first.find("<staves>1</staves>"), std::string::npos);
  // The clarinet's whole note stands on staff 2 after the flute's measure,
  // in a voice of its own; the flute's triplet makes three divisions a tick.
  EXPECT_NE(first.find(Lines({{4, "<duration>384</duration>"},
                              {4, "<voice>5</voice>"},
                              {4, "<type>whole</type>"},
                              {4, "<staff>2</staff>"}})),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("<staves>2</staves>", second), std::string::npos);
}

TEST(MusicXmlExport, RowWithItsOwnProgramIsAPartOfItsOwn) {
  auto score = MakeTwoStaffScore();
  TECRow& lower = *score->GetInstrumentAt(0)->GetRow(1);
  lower.SetMidiInstrument(32);
  lower.SetChannel(4);
  const std::string text = Export(*score);
  EXPECT_NE(text.find(Lines({{2, "<score-part id=\"P2\">"}, {3, "<part-name>Piano</part-name>"}})),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(Lines({{4, "<midi-channel>4</midi-channel>"}, {4, "<midi-program>33</midi-program>"}})),
            std::string::npos);
  EXPECT_EQ(text.find("<staves>2</staves>"), std::string::npos);
  EXPECT_EQ(text.find("<staff>2</staff>"), std::string::npos);
}

TEST(MusicXmlExport, RowOnItsOwnProgramIsNamedAfterTheRowAndAnUnnamedPartAfterItsProgram) {
  auto score = MakeTwoStaffScore();
  TECRow& lower = *score->GetInstrumentAt(0)->GetRow(1);
  lower.SetMidiInstrument(32);
  lower.SetName("Left hand");
  score->GetInstrumentAt(0)->SetName("");
  const std::string text = Export(*score);
  // Program 0 is the acoustic grand piano, 32 the acoustic bass.
  EXPECT_NE(text.find(Lines({{2, "<score-part id=\"P1\">"}, {3, "<part-name>Acoustic Grand Piano</part-name>"}})),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(Lines({{2, "<score-part id=\"P2\">"}, {3, "<part-name>Left hand</part-name>"}})),
            std::string::npos)
      << text;
  lower.SetName("");
  EXPECT_NE(Export(*score).find(Lines({{2, "<score-part id=\"P2\">"}, {3, "<part-name>Acoustic Bass</part-name>"}})),
            std::string::npos);
}

TEST(MusicXmlExport, DrumStaffHasThePercussionClef) {
  auto score = MakeOnePartScore();
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  row.SetClef(0, 14);
  row.SetClef(1, 2);
  const std::string text = Export(*score);
  EXPECT_NE(text.find(Lines({{4, "<clef number=\"1\">"}, {5, "<sign>percussion</sign>"}, {4, "</clef>"}})),
            std::string::npos)
      << text;
  // The bass clef of measure 2 is a change the reader is told of there.
  const std::size_t second = text.find("<measure number=\"2\">");
  EXPECT_NE(text.find(Lines({{4, "<clef number=\"1\">"}, {5, "<sign>F</sign>"}, {5, "<line>4</line>"}}), second),
            std::string::npos)
      << text;
}

TEST(MusicXmlExport, PartWithoutMeasuresStillHoldsOneFilledMeasure) {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(2, 4, 0, true);
  score->AppendInstrument()->AppendRow();
  const std::string text = Export(*score);
  EXPECT_NE(text.find(Lines({{3, "</attributes>"},
                             {3, "<forward>"},
                             {4, "<duration>64</duration>"},
                             {4, "<voice>1</voice>"},
                             {4, "<staff>1</staff>"},
                             {3, "</forward>"},
                             {2, "</measure>"}})),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("<measure number=\"2\">"), std::string::npos);
}

TEST(MusicXmlExport, ScoreWithoutRowsRaisesAndWritesNothing) {
  TECMusicScore score;
  score.AppendInstrument();
  MemoryStream stream;
  EXPECT_THROW(ExportMusicXml(score, stream), EWriteError);
  EXPECT_TRUE(stream.Data().empty());
}

TEST(MusicXmlExport, KeyRecordGivesFifths) {
  struct Case {
    std::uint8_t code;
    const char* fifths;  // none: no <key> at all
  };
  for (const Case& c : {Case{30, "0"}, Case{31, "1"}, Case{37, "7"}, Case{40, "0"}, Case{43, "-3"},
                        Case{47, "-7"}, Case{38, nullptr}, Case{48, nullptr}}) {
    SCOPED_TRACE(int(c.code));
    auto score = MakeOnePartScore();
    TECMeasure& first = *score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0);
    first.KeySignature = std::make_unique<TECKeySignature>(c.code, &first);
    const std::string text = Export(*score);
    if (c.fifths)
      EXPECT_NE(text.find(Lines({{4, "<key>"}, {5, std::string("<fifths>") + c.fifths + "</fifths>"}, {4, "</key>"}})),
                std::string::npos)
          << text;
    else
      EXPECT_EQ(text.find("<key>"), std::string::npos);
  }
}

TEST(MusicXmlExport, TextThatIsNoXmlCharacterIsLeftOut) {
  auto score = MakeOnePartScore();
  score->Composer = std::string("a\x01" "b\tc\xEF\xBF\xBF" "d\"'", 11);
  // Not UTF-8: read as the stored text of older files (code page 1252).
  score->Rights = "\xA9 Caf\xE9";
  const std::string text = Export(*score);
  EXPECT_NE(text.find("<creator type=\"composer\">ab\tcd&quot;&apos;</creator>"), std::string::npos) << text;
  EXPECT_NE(text.find("<rights>\xC2\xA9 Caf\xC3\xA9</rights>"), std::string::npos) << text;
}

// A grace step is a stored byte; one outside C..B (a damaged file) counts on
// from the octave's C instead of reading outside the step names.
TEST(MusicXmlExport, GraceStepOutsideTheOctaveCountsOnFromItsC) {
  struct Case {
    int step;
    const char* pitch;
  };
  const Case cases[] = {{0, "B</step>\r\n\t\t\t\t\t<octave>3"},
                        {9, "D</step>\r\n\t\t\t\t\t<octave>5"},
                        {255, "E</step>\r\n\t\t\t\t\t<octave>9"}};
  for (const Case& c : cases) {
    auto score = MakeOnePartScore();
    TECMeasure& first = *score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0);
    auto* group = static_cast<TECGraceGroup*>(AddAttribute(*first.Notes[0], ek::GraceNotes));
    group->Data[0] = 16;
    group->Notes.push_back(std::make_unique<TECGraceNote>(group));
    group->Notes.back()->Step = static_cast<std::uint8_t>(c.step);
    group->Notes.back()->Octave = 5;
    const std::string text = Export(*score);
    EXPECT_NE(text.find(std::string("<grace/>\r\n\t\t\t\t<pitch>\r\n\t\t\t\t\t<step>") + c.pitch),
              std::string::npos)
        << c.step << "\n" << text;
  }
}

}  // namespace
