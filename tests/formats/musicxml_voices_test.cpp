// How a row's measure is laid into voice segments that each fill it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "formats/musicxml_voices.h"
#include "model/score_builder.h"

namespace {

using score_builder::AddNote;
using score_builder::AddRest;

// "voice: events / voice: events", events as N (note, +N a chord note),
// R (rest) and F (forward) with their durations.
std::string Describe(const std::vector<MusicXmlSegment>& segments) {
  std::string text;
  for (const MusicXmlSegment& segment : segments) {
    if (!text.empty()) text += " / ";
    text += std::to_string(segment.Voice) + ":";
    for (const MusicXmlEvent& event : segment.Events) {
      text += " ";
      if (event.Chord) text += "+";
      text += event.Kind == MusicXmlEvent::RefKind::Note ? "N" : event.Kind == MusicXmlEvent::RefKind::Rest ? "R" : "F";
      text += std::to_string(event.Duration);
    }
  }
  return text;
}

struct Case {
  const char* name;
  std::function<void(TECMeasure&)> fill;
  int length;
  const char* segments;
  int contentEnd;
};

const Case kCases[] = {
    {"Empty", [](TECMeasure&) {}, 96, "0: F96", 0},
    {"ChordAndGap",
     [](TECMeasure& m) {
       AddNote(m, 1, 5, 32, 0)->ChordMark = 1;
       AddNote(m, 3, 5, 32, 0)->ChordMark = 1;
       AddNote(m, 5, 5, 32, 64);
     },
     128, "0: N32 +N32 F32 N32 F32", 96},
    {"RepeatSignsAreNotWritten",
     [](TECMeasure& m) {
       AddNote(m, 1, 5, 32, 0)->Kind = ek::RepeatNotes;
       AddNote(m, 1, 5, 32, 32);
       AddNote(m, 1, 5, 128, 0, 1)->Kind = ek::RepeatBar;
     },
     128, "0: F32 N32 F64", 64},
    {"HiddenRestIsTimePassedOver",
     [](TECMeasure& m) {
       AddRest(m, 32, 0)->Flags = TECRest::Hidden;
       AddNote(m, 1, 5, 32, 32);
       AddRest(m, 64, 64);
     },
     128, "0: F32 N32 R64", 128},
    {"VoicesInOrderEachFillingTheMeasure",
     [](TECMeasure& m) {
       AddNote(m, 1, 5, 64, 0, 1);
       AddNote(m, 1, 6, 128, 0);
     },
     128, "0: N128 / 1: N64 F64", 128},
    {"RestStartingWithANoteGoesAfterIt",
     [](TECMeasure& m) {
       AddRest(m, 32, 0);
       AddNote(m, 1, 5, 32, 0);
     },
     64, "0: N32 F32 / 0: R32 F32", 32},
    {"OverlapGoesIntoAFurtherSegmentOfItsVoice",
     [](TECMeasure& m) {
       AddNote(m, 6, 5, 64, 0);
       AddNote(m, 7, 5, 32, 32);
       AddNote(m, 1, 6, 64, 96);
     },
     160, "0: N64 F32 N64 / 0: F32 N32 F96", 160},
    {"TupletMembersKeepTheirTicks",
     [](TECMeasure& m) {
       for (int i = 0; i < 3; ++i) {
         TECNote* note = AddNote(m, 5, 5, 16, 16 * i);
         note->Start = static_cast<std::uint16_t>(11 * i);
         note->Length = i < 2 ? 11 : 10;
       }
     },
     64, "0: N11 N11 N10 F32", 32},
    {"VoiceBeyond15IsKept", [](TECMeasure& m) { AddNote(m, 1, 5, 32, 0, 200); }, 32, "200: N32", 32},
    {"NoteWithoutLengthIsNotWritten", [](TECMeasure& m) { AddNote(m, 1, 5, 0, 16); }, 32, "0: F32", 0},
};

class MusicXmlVoices : public ::testing::TestWithParam<Case> {};

TEST_P(MusicXmlVoices, Segments) {
  TECMeasure measure;
  GetParam().fill(measure);
  EXPECT_EQ(MusicXmlContentEnd(measure), GetParam().contentEnd);
  EXPECT_EQ(Describe(BuildMusicXmlSegments(measure, GetParam().length, 1)), GetParam().segments);
}

INSTANTIATE_TEST_SUITE_P(Cases, MusicXmlVoices, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
