// Every kind of the element-kind table walked through each stage that meets
// a measure's records: the painter, the score stream, hit testing, the
// MusicXML export and the play-list builder. A stage either handles a kind
// (it draws, keeps, finds, writes or plays something of it) or the kind is
// on that stage's list of deliberate ignores, with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "formats/musicxml_export.h"
#include "formats/score_fixtures.h"
#include "editing/hit_candidates.h"
#include "formats/score_stream.h"
#include "model/element_kinds.h"
#include "model/memory_stream.h"
#include "model/play_preparation.h"
#include "model/symbols_row.h"
#include "platform/recording_canvas.h"
#include "playback/play_fixtures.h"
#include "playback/play_list_builder.h"
#include "support/edit_harness.h"
#include "support/saved_score.h"

namespace {

using edit_harness::EditFixture;
using ek::KindHolder;

enum class Stage { Painter, Stream, HitTest, MusicXml, Playback };

const char* Name(Stage stage) {
  switch (stage) {
    case Stage::Painter: return "painter";
    case Stage::Stream: return "stream round trip";
    case Stage::HitTest: return "hit testing";
    case Stage::MusicXml: return "MusicXML export";
    case Stage::Playback: return "play-list builder";
  }
  return "";
}

// The kinds a stage leaves alone on purpose.
struct Ignored {
  Stage stage;
  KindHolder holder;
  std::uint8_t first;
  std::uint8_t last;
  const char* reason;
};

constexpr Ignored kIgnored[] = {
    {Stage::HitTest, KindHolder::Attributes, ek::TremoloFirst, ek::TremoloLast,
     "tremolo strokes are drawn across the stem and hit as part of their note"},
    {Stage::MusicXml, KindHolder::Notes, ek::RepeatNotes, ek::RepeatBar, "the export writes no repeat marks yet"},
    {Stage::MusicXml, KindHolder::Attributes, ek::Natural, ek::ArrowUp,
     "the export writes pitch and duration; a natural against no key alters nothing, the marks have no element yet"},
    {Stage::MusicXml, KindHolder::Attributes, ek::OpenHat, ek::GraceNotes - 1, "the export writes no marks yet"},
    {Stage::MusicXml, KindHolder::Attributes, ek::GraceNotes + 1, ek::Lift, "the export writes no marks or glides yet"},
    {Stage::MusicXml, KindHolder::Items, 0, ek::ClefChange - 1, "the export writes no directions, lines or texts yet"},
    {Stage::MusicXml, KindHolder::Items, ek::ClefChange + 1, 255, "the export writes no directions, lines or texts yet"},
    {Stage::MusicXml, KindHolder::Symbols, 0, 255, "the export writes no repeats, jumps or tempo yet"},
    {Stage::Playback, KindHolder::Attributes, ek::OpenHat, ek::OpenHat,
     "it plays as the drum key mark on a percussion staff only"},
    {Stage::Playback, KindHolder::Symbols, ek::SymbolDalSegno, ek::SymbolDalSegno,
     "a dal segno jumps only to a segno"},
    {Stage::Playback, KindHolder::Attributes, ek::Natural, ek::Natural,
     "a natural sounds only against a key or an earlier accidental, which the walk's note has not"},
    {Stage::Playback, KindHolder::Symbols, ek::SymbolSegno, ek::SymbolCodaAtEnd,
     "a jump target sounds only with the jump that leads to it"},
    {Stage::Playback, KindHolder::Symbols, ek::SymbolStartRepeat, ek::SymbolStartRepeat,
     "a start repeat sounds only with the end repeat that returns to it"},
    {Stage::Playback, KindHolder::Symbols, ek::SymbolVolta, ek::SymbolVolta,
     "a volta sounds only inside a repeat"},
};

const Ignored* FindIgnored(Stage stage, KindHolder holder, std::uint8_t code) {
  for (const Ignored& ignored : kIgnored)
    if (ignored.stage == stage && ignored.holder == holder && code >= ignored.first && code <= ignored.last)
      return &ignored;
  return nullptr;
}

// One row of two 4/4 measures: C5 D5 E5 E5 quarters, then a whole F5.
std::unique_ptr<EditFixture> MakeFixture() {
  auto f = std::make_unique<EditFixture>(1, 2);
  play_fixtures::AnswerSettings(f->score());
  // Every mark answers a setting other than the default 64, so that each
  // dynamic mark changes the velocities.
  f->score().OnGetDinamics = [](TECModelObject*, int symbol) {
    return symbol == ek::Staccato ? 8 : symbol == ek::FermataAboveItem || symbol == ek::FermataBelowItem ? 2 : 100;
  };
  // Chord symbols are spelled by the document window.
  f->score().GetAccordText = [](TECModelObject*, const std::vector<std::uint8_t>&, std::vector<TECChordPiece>& pieces) {
    pieces = {{{}, "C", 0}};
  };
  f->Note(0, 0, 1, 5, 32, 0);
  f->Note(0, 0, 2, 5, 32, 32);
  f->Note(0, 0, 3, 5, 32, 64);
  f->Note(0, 0, 3, 5, 32, 96);
  f->Note(0, 1, 4, 5, 128, 0);
  return f;
}

// Makes room for a record of `code` where its holder keeps it and, with
// `add`, puts it there; returns the record. The fixture made without `add`
// is what each stage's result is compared with.
TECElement* Prepare(EditFixture& f, KindHolder holder, std::uint8_t code, bool add) {
  TECMeasure& first = f.measure(0);
  TECNote& note = *first.Notes.front();
  switch (holder) {
    case KindHolder::Notes:
    case KindHolder::Rests: {
      f.measure(1).Notes.clear();
      if (!add) return nullptr;
      if (holder == KindHolder::Rests) return f.Rest(0, 1, 128, 0);
      TECNote* added = f.Note(0, 1, 4, 6, 128, 0);
      added->Kind = code;
      return added;
    }
    case KindHolder::Attributes: {
      if (!add) return nullptr;
      if (ek::IsLink(code)) return f.row().LinkNotes(first.Notes[2].get(), first.Notes[3].get(), code);
      TECNoteAttribute* attribute = score_builder::AddAttribute(note, code);
      if (code == ek::GraceNotes) {
        auto& group = static_cast<TECGraceGroup&>(*attribute);
        group.Data[0] = 8;
        group.Notes.push_back(std::make_unique<TECGraceNote>(&group));
        group.Notes.back()->Step = 2;
        group.Notes.back()->Octave = 5;
        group.Notes.back()->Length = 8;
      }
      return attribute;
    }
    case KindHolder::Items: {
      // An arpeggio spreads a chord: the first note gets a G5 beside it.
      if (code == ek::ArpeggioWave) {
        f.Note(0, 0, 5, 5, 32, 0);
        std::rotate(first.Notes.begin() + 1, first.Notes.end() - 1, first.Notes.end());
        first.Notes[0]->ChordMark = first.Notes[1]->ChordMark = 1;
      }
      if (!add) return nullptr;
      first.Items.push_back(MakeMeasureItem(code, &first));
      TECMeasureItem& item = *first.Items.back();
      item.Position = 0;
      item.Second = 64;  // the end of a spanner or tuplet, the length of a line
      item.Voice = 5;    // anchor: step A of octave 5
      item.Params[0] = 5;
      if (code == ek::ChordSymbol) {
        auto& chord = static_cast<TECChordSymbol&>(item);
        chord.Voice = 0;
        chord.Code = {1, 0, 1};
      } else if (code == ek::TextBox) {
        static_cast<TECTextBox&>(item).Lines = {"dolce"};
      } else if (code == ek::Tuplet) {
        auto& tuplet = static_cast<TECTuplet&>(item);
        tuplet.Count = 3;
        tuplet.UnitValue = 32;
      } else if (code == ek::ObjectGroup) {
        static_cast<TECObjectGroup&>(item).Objects = score_fixtures::MakeEveryPageObject();
      }
      return &item;
    }
    case KindHolder::Symbols: {
      // A bar number item shows where the score numbers its measures; with
      // no window, only where numbers are printed.
      if (code == ek::SymbolBarNumber) {
        f.score().SetMeasureNumeration(true);
        f.score().SetPrintNumber(true);
      }
      if (!add) return nullptr;
      const int m = code == ek::SymbolEndRepeat || code == ek::SymbolDaCapo || code == ek::SymbolDalSegno ? 1 : 0;
      TECSymbolItem* item = play_fixtures::AddSymbol(f.instrument(), m, code, 1, 1);
      if (code == ek::TempoMark) {
        item->SetTick(0);
        item->SetByte(3, 32);
        item->SetTempo(60);
      }
      return item;
    }
  }
  return nullptr;
}

std::string Drawn(TECMusicScore& score) {
  score.LayoutScore(0, false);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(800, 600));
  score.DrawPage(canvas, score.GetZoom(), score.GetZoom());
  return canvas.text();
}

std::string MusicXml(const TECMusicScore& score) {
  MemoryStream stream;
  ExportMusicXml(score, stream);
  return std::string(stream.Data().begin(), stream.Data().end());
}

std::string Played(TECMusicScore& score) {
  for (int m = 0; m < 2; ++m)
    for (const auto& note : score.CurrentInstrument()->GetRow(0)->GetMeasure(m)->Notes)
      ExpandNoteForPlay(score, *note);
  RecalcVelocityForPlay(score, 0, 0);
  return BuildPlayEvents(score)->Dump();
}

// Hit testing tries the element at the place it was drawn. (Which of the
// elements under a point wins is the hit tests' own matter.)
bool Tried(TECMusicScore& score, TECElement& element) {
  std::vector<nv::editing::HitCandidate> candidates;
  if (element.Type() == TECElementType::SymbolItem) {
    candidates = nv::editing::SymbolCandidates(score, *static_cast<TECSymbolItem&>(element).Entry);
  } else {
    for (int m = 0; m < 2; ++m) {
      auto more = nv::editing::MeasureCandidates(score, *score.CurrentInstrument()->GetRow(0)->GetMeasure(m));
      candidates.insert(candidates.end(), more.begin(), more.end());
    }
  }
  for (const auto& candidate : candidates) {
    const TECRect& box = candidate.Box;
    if (candidate.Clicked == &element &&
        nv::editing::Contains(box, {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2}))
      return true;
  }
  return false;
}

struct Outcome {
  bool handled[5] = {};
};

Outcome Walk(KindHolder holder, std::uint8_t code, bool sounds) {
  Outcome outcome;
  auto base = MakeFixture();
  Prepare(*base, holder, code, false);
  const std::string baseDrawn = Drawn(base->score());
  const SavedScore baseSaved(base->score());
  const std::string baseXml = MusicXml(base->score());
  const std::string basePlayed = Played(base->score());

  auto f = MakeFixture();
  TECElement* element = Prepare(*f, holder, code, true);
  TECMusicScore& score = f->score();
  outcome.handled[int(Stage::Painter)] = Drawn(score) != baseDrawn;
  outcome.handled[int(Stage::HitTest)] = Tried(score, *element);

  const SavedScore saved(score);
  MemoryStream written;
  SaveScoreToStream(score, written);
  MemoryStream stream(written.Data());
  TECMusicScore loaded;
  LoadScoreFromStream(loaded, stream);
  outcome.handled[int(Stage::Stream)] = saved.bytes != baseSaved.bytes && SavedScore(loaded) == saved;

  outcome.handled[int(Stage::MusicXml)] = MusicXml(score) != baseXml;
  // The table says whether playback reads the kind: it plays differently
  // exactly when it should.
  outcome.handled[int(Stage::Playback)] = (Played(score) != basePlayed) == sounds;
  return outcome;
}

TEST(KindWalk, EveryKindIsHandledOrDeliberatelyIgnoredByEveryStage) {
  for (const ek::KindTraits& traits : ek::kinds::kTable) {
    for (int code = traits.First; code <= traits.Last; ++code) {
      const auto kind = static_cast<std::uint8_t>(code);
      const Outcome outcome = Walk(traits.Holder, kind, traits.Sound != ek::KindSound::Silent);
      for (Stage stage : {Stage::Painter, Stage::Stream, Stage::HitTest, Stage::MusicXml, Stage::Playback}) {
        const bool handled = outcome.handled[int(stage)];
        const Ignored* ignored = FindIgnored(stage, traits.Holder, kind);
        if (ignored == nullptr) {
          EXPECT_TRUE(handled) << "kind " << code << " (holder " << int(traits.Holder) << ") is neither handled by the "
                               << Name(stage) << " nor listed as ignored";
        } else {
          EXPECT_FALSE(handled) << "kind " << code << " is listed as ignored by the " << Name(stage)
                                << " (" << ignored->reason << ") but is handled: take it off the list";
        }
      }
    }
  }
}

}  // namespace
