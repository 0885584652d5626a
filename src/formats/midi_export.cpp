#include "formats/midi_export.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <map>
#include <tuple>

#include "playback/play_list_builder.h"
#include "formats/smf_writer.h"
#include "model/atomic_file_writer.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/row.h"

namespace {

// MIDI ticks per tick of 1/128 whole note.
constexpr int kTicksPerStep = kExportDivision / 32;
constexpr int kChannels = 16;
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControl = 0xB0;
constexpr std::uint8_t kProgram = 0xC0;
constexpr std::uint8_t kVolumeController = 7;
constexpr std::uint8_t kPanController = 10;
constexpr std::uint8_t kPedalController = 64;
constexpr std::uint8_t kReleaseVelocity = 64;
constexpr std::uint8_t kTextMeta = 0x01;
constexpr std::uint8_t kCopyrightMeta = 0x02;
constexpr std::uint8_t kLyricMeta = 0x05;
constexpr std::uint8_t kTempoMeta = 0x51;
constexpr std::uint8_t kTimeSignatureMeta = 0x58;
// A channel no program has been sent on yet.
constexpr int kNoProgramSent = -2;

// What one play position contributes, at its absolute tick.
struct TimedEvent {
  std::int64_t At = 0;
  // Events before texts at one tick.
  int Phase = 0;
  const TECPlayEvent* Event = nullptr;
  const TECTextBox* Text = nullptr;
  int Channel = 0;
};

// The numerator and denominator of a time word. The word 1/1, which a new
// score starts with, is common time: a 4/4 measure of the same length.
std::pair<int, int> TimeOfWord(std::uint16_t word) {
  if (word == (1 << 8 | 1)) return {4, 4};
  return {word >> 8, word & 0xFF};
}

struct SoundingNote {
  int Channel = 0;
  int Key = 0;
  std::int64_t End = 0;
};

class MidiExporter {
 public:
  MidiExporter(TECMusicScore& score, const PlaySession& session, bool withTexts)
      : score_(score), session_(session), withTexts_(withTexts) {
    programs_.fill(kNoProgramSent);
  }

  void Run(ByteStream& stream) {
    WriteConductorStart();
    std::vector<TimedEvent> events;
    std::int64_t start = 0;
    for (const TECPlayStep& step : session_.Steps) {
      ConductorAtStep(step, start);
      for (const TECPlayList& list : step.Lists) {
        for (const TECPlayEvent& event : list.Events)
          events.push_back({std::max<std::int64_t>(0, start + event.Start), 0, &event, nullptr, event.Channel});
        if (withTexts_) CollectTexts(list, start, events);
      }
      start += step.Length;
    }
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
      return a.At != b.At ? a.At < b.At : a.Phase < b.Phase;
    });
    for (const TimedEvent& timed : events) {
      EndSoundingBefore(timed.At);
      if (timed.Text)
        WriteText(timed);
      else
        Play(timed.At, *timed.Event);
    }
    // Notes still sounding at the end stop there.
    for (SoundingNote& note : sounding_) note.End = std::min(note.End, start);
    EndSoundingBefore(std::numeric_limits<std::int64_t>::max());
    WriteFile(stream);
  }

 private:
  static std::int64_t MidiTick(std::int64_t at) { return at * kTicksPerStep; }
  SmfTrackWriter& TrackOf(int channel) { return tracks_[static_cast<std::size_t>(channel & 15) + 1]; }

  // --- conductor --------------------------------------------------------------------

  void WriteTimeSignature(std::int64_t at, int numerator, int denominator) {
    if (numerator == writtenNumerator_ && denominator == writtenDenominator_) return;
    writtenNumerator_ = numerator;
    writtenDenominator_ = denominator;
    // A denominator that is no power of two has no exponent to write; the
    // ticks of its measures stay exact all the same.
    if (denominator < 1 || !std::has_single_bit(static_cast<unsigned>(denominator)) || numerator < 1 || numerator > 255)
      return;
    const std::uint8_t data[] = {static_cast<std::uint8_t>(numerator),
                                 static_cast<std::uint8_t>(std::countr_zero(static_cast<unsigned>(denominator))), 96,
                                 8};
    tracks_[0].MetaEvent(MidiTick(at), kTimeSignatureMeta, data);
  }

  void WriteTempo(std::int64_t at, int tempo) {
    writtenTempo_ = tempo;
    const std::uint32_t micros =
        std::min<std::uint32_t>(0xFFFFFF, 60000000u / static_cast<std::uint32_t>(std::max(1, tempo)));
    const std::uint8_t data[] = {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                                 static_cast<std::uint8_t>(micros)};
    tracks_[0].MetaEvent(MidiTick(at), kTempoMeta, data);
  }

  // At tick 0 the time signature of the first measure played (the pickup's
  // when one is set), or the score's when nothing plays.
  void WriteConductorStart() {
    const auto first = std::find_if(session_.Steps.begin(), session_.Steps.end(),
                                    [](const TECPlayStep& step) { return !step.Lists.empty(); });
    const auto [numerator, denominator] = first != session_.Steps.end() ? TimeSignatureOf(*first)
                                          : score_.GetAufTaktSize() != 0
                                              ? std::pair{score_.GetAufTaktNotes(), score_.GetAufTaktSize()}
                                              : TimeOfWord(score_.TimeWord());
    WriteTimeSignature(0, numerator, denominator);
    WriteTempo(0, score_.GetTempo());
    if (!score_.Composer.empty()) tracks_[0].TextEvent(0, kTextMeta, score_.Composer);
    if (!score_.Rights.empty()) tracks_[0].TextEvent(0, kCopyrightMeta, score_.Rights);
    for (const std::string& line : score_.Description()) tracks_[0].TextEvent(0, kTextMeta, line);
  }

  // The time signature in force at measure m of an instrument: its first
  // row's records, the score's otherwise.
  std::pair<int, int> TimeSignatureAt(int instrumentIndex, int m) {
    auto& words = timeWords_[instrumentIndex];
    if (words.empty()) {
      const TECInstrument* instrument = score_.GetInstrumentAt(instrumentIndex);
      const TECRow* row = instrument ? instrument->GetRow(0) : nullptr;
      std::uint16_t word = score_.TimeWord();
      for (int i = 0; row && i < row->MeasureCount(); ++i) {
        if (const TECMeasure* measure = row->GetMeasure(i); measure->TimeSignature) word = measure->TimeSignature->Word;
        words.push_back(word);
      }
      if (words.empty()) words.push_back(word);
    }
    return TimeOfWord(words[static_cast<std::size_t>(std::clamp<int>(m, 0, static_cast<int>(words.size()) - 1))]);
  }

  // The time signature of a step's measure: the pickup's for measure 0 when
  // one is set, else the one in force in its instrument.
  std::pair<int, int> TimeSignatureOf(const TECPlayStep& step) {
    const TECPlayList& list = step.Lists.front();
    if (list.Measure == 0 && score_.GetAufTaktSize() != 0) return {score_.GetAufTaktNotes(), score_.GetAufTaktSize()};
    return TimeSignatureAt(session_.Rows[list.Row].Instrument, list.Measure);
  }

  void ConductorAtStep(const TECPlayStep& step, std::int64_t at) {
    if (!step.Lists.empty()) std::apply([&](int n, int d) { WriteTimeSignature(at, n, d); }, TimeSignatureOf(step));
    if (step.Tempo != 0 && step.Tempo != writtenTempo_) WriteTempo(at, step.Tempo);
  }

  // --- channel tracks ------------------------------------------------------------

  void CollectTexts(const TECPlayList& list, std::int64_t start, std::vector<TimedEvent>& events) {
    const PlayRow& playRow = session_.Rows[list.Row];
    const TECInstrument* instrument = score_.GetInstrumentAt(playRow.Instrument);
    const TECRow* row = instrument ? instrument->GetRow(playRow.Row) : nullptr;
    const TECMeasure* measure = row ? row->GetMeasure(list.Measure) : nullptr;
    if (!measure) return;
    for (const auto& item : measure->Items) {
      if (item->Kind != ek::TextBox) continue;
      const auto* box = static_cast<const TECTextBox*>(item.get());
      if (box->Lines.empty()) continue;
      events.push_back({start + box->Position, 1, nullptr, box, playRow.Channel});
    }
  }

  void WriteText(const TimedEvent& timed) {
    // Lyrics are the text items centred on their note column.
    const bool lyric = timed.Text->Style[4] & 1;
    TrackOf(timed.Channel).TextEvent(MidiTick(timed.At), lyric ? kLyricMeta : kTextMeta, timed.Text->Lines.front());
  }

  // Ends, in the order of their ends, the notes whose end lies before `at`.
  void EndSoundingBefore(std::int64_t at) {
    std::vector<SoundingNote> ending;
    std::erase_if(sounding_, [&](const SoundingNote& note) {
      if (note.End >= at) return false;
      ending.push_back(note);
      return true;
    });
    std::stable_sort(ending.begin(), ending.end(),
                     [](const SoundingNote& a, const SoundingNote& b) { return a.End < b.End; });
    for (const SoundingNote& note : ending)
      TrackOf(note.Channel)
          .ChannelEvent(MidiTick(note.End), kNoteOff | note.Channel, static_cast<std::uint8_t>(note.Key),
                        kReleaseVelocity);
  }

  std::vector<SoundingNote>::iterator FindSounding(int channel, int key) {
    return std::find_if(sounding_.begin(), sounding_.end(),
                        [&](const SoundingNote& note) { return note.Channel == channel && note.Key == key; });
  }

  // A program change when the channel's program differs from the event's;
  // programs outside 0..127 (none, percussion) are never written. The first
  // note of a channel, and every change, brings the row's volume and pan.
  void SetProgram(std::int64_t tick, const TECPlayEvent& event, bool withControllers) {
    const int channel = event.Channel & 15;
    int& program = programs_[static_cast<std::size_t>(channel)];
    if (program == event.Program) return;
    program = event.Program;
    SmfTrackWriter& track = TrackOf(channel);
    if (program >= 0 && program <= 127)
      track.ChannelEvent(tick, static_cast<std::uint8_t>(kProgram | channel), static_cast<std::uint8_t>(program));
    if (!withControllers || event.Row >= session_.Rows.size()) return;
    const PlayRow& row = session_.Rows[event.Row];
    if (row.Volume >= 0 && row.Volume <= 127)
      track.ChannelEvent(tick, static_cast<std::uint8_t>(kControl | channel), kVolumeController,
                         static_cast<std::uint8_t>(row.Volume));
    if (row.Pan >= 0 && row.Pan <= 127)
      track.ChannelEvent(tick, static_cast<std::uint8_t>(kControl | channel), kPanController,
                         static_cast<std::uint8_t>(row.Pan));
  }

  void Play(std::int64_t at, const TECPlayEvent& event) {
    const int channel = event.Channel & 15;
    const std::int64_t tick = MidiTick(at);
    SmfTrackWriter& track = TrackOf(channel);
    if (event.Key == kPedalDown || event.Key == kPedalUp) {
      track.ChannelEvent(tick, static_cast<std::uint8_t>(kControl | channel), kPedalController, event.Velocity);
      return;
    }
    if (event.Key > 127) return;
    const std::int64_t duration = std::max<std::int32_t>(0, event.Duration);
    auto sounding = FindSounding(channel, event.Key);
    if (event.Continuation && sounding != sounding_.end()) {
      sounding->End += duration;
      return;
    }
    if (sounding != sounding_.end()) {
      track.ChannelEvent(tick, static_cast<std::uint8_t>(kNoteOff | channel), event.Key, 0);
      sounding_.erase(sounding);
    }
    SetProgram(tick, event, !event.Continuation);
    // Velocity 0 would read as a note-off.
    track.ChannelEvent(tick, static_cast<std::uint8_t>(kNoteOn | channel), event.Key,
                       std::max<std::uint8_t>(1, event.Velocity));
    sounding_.push_back({channel, event.Key, at + duration});
  }

  void WriteFile(ByteStream& stream) {
    std::vector<const SmfTrackWriter*> used{&tracks_[0]};
    for (int c = 1; c <= kChannels; ++c)
      if (tracks_[static_cast<std::size_t>(c)].Used()) used.push_back(&tracks_[static_cast<std::size_t>(c)]);
    WriteSmfFile(stream, used, kExportDivision);
  }

  TECMusicScore& score_;
  const PlaySession& session_;
  const bool withTexts_;
  std::array<SmfTrackWriter, kChannels + 1> tracks_;
  std::array<int, kChannels> programs_{};
  std::vector<SoundingNote> sounding_;
  std::map<int, std::vector<std::uint16_t>> timeWords_;
  int writtenNumerator_ = 0;
  int writtenDenominator_ = 0;
  int writtenTempo_ = 0;
};

}  // namespace

void ExportMidi(TECMusicScore& score, ByteStream& stream, bool withTexts) {
  const std::unique_ptr<PlaySession> session = BuildPlayEvents(score);
  if (session->Result < 0)
    throw MidiExportError("MIDI file not written: the measures of one play position differ in length");
  MidiExporter(score, *session, withTexts).Run(stream);
}

void ExportMidiFile(TECMusicScore& score, const std::string& path, bool withTexts) {
  MemoryStream bytes;
  ExportMidi(score, bytes, withTexts);
  WriteFileAtomically(path, bytes.Data());
}
