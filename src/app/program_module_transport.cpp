// The main window's side of play, record and stop: the program's one MIDI
// output and input and the document in the active tab.
#include <memory>
#include <stdexcept>
#include <string>

#include "app/program_module.h"
#include "document/score_document.h"
#include "editor/music_editor.h"
#include "platform/message_prompt.h"
#include "playback/midi_errors.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::app {

bool TFProgramModule::HasDocument() const { return ActiveEditor() != nullptr; }

bool TFProgramModule::OpenOutput() { return OpenMidiOutput(); }

void TFProgramModule::CloseOutput() { CloseMidiOutput(); }

bool TFProgramModule::OpenInput() { return OpenMidiInput(); }

void TFProgramModule::CloseInput() { CloseMidiInput(); }

void TFProgramModule::StartPlayback() {
  // The previews end; the output stays open for playback.
  notePreview_.StopTimer();
  if (!ActiveEditor()->Play())
    throw std::runtime_error("The MIDI output \"" + MOScore.GetProductName() +
                             "\" does not open");
}

void TFProgramModule::StopPlayback() {
  // The tab may have changed since Play: whichever document plays stops.
  for (DocumentPage *page : Documents())
    page->Stop();
}

std::int64_t TFProgramModule::RecordClock() {
  return ActiveWindow()->RecordClock();
}

void TFProgramModule::StartRecord(std::int64_t start) {
  notePreview_.StopTimer();
  ActiveWindow()->StartRecord(start);
  // Time stamps count from here.
  MIScore.Start();
}

void TFProgramModule::StopRecord() {
  for (DocumentPage *page : Documents())
    if (page->Document().Recording())
      page->Document().StopRecording();
}

std::string TFProgramModule::InputError() const {
  return "The MIDI input \"" + MIScore.GetProductName() +
         "\" does not open: " + MidiErrorMessage(MIScore.Error());
}

void TFProgramModule::OutputFailed() {
  if (outputFailureShown_)
    return;
  outputFailureShown_ = true;
  nv::platform::ShowErrorMessage(
      nv::widgets::CurrentMessagePrompt(), nv::widgets::LanguageTexts(),
      "The MIDI output \"" + MOScore.GetProductName() +
          "\" does not open: " + MidiErrorMessage(MOScore.LastError()));
}

void TFProgramModule::TakeMidiInput() {
  while (std::unique_ptr<TMyMidiEvent> event = MIScore.TakeEvent()) {
    nv::editor::TFMusicEditor *window = ActiveWindow();
    if (window == nullptr)
      continue;
    window->MidiInEvent(event->MidiMessage, event->Data1, event->Time,
                        event->Data2);
    if (!settings_.PlayMIDI)
      continue;
    const int kind = event->MidiMessage & 0xF0;
    if (kind == 0x90 && event->Data2 > 0)
      window->EchoNoteOn(event->Data1);
    else if (kind == 0x80 || kind == 0x90)
      window->EchoNoteOff(event->Data1);
  }
}

void TFProgramModule::FollowRecording() {
  if (!transport_.Recording())
    return;
  for (DocumentPage *page : Documents())
    if (page->Document().Recording())
      return;
  transport_.Stop();
}

} // namespace nv::app
