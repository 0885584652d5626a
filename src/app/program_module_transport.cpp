// The main window's side of play, record and stop: the program's one MIDI
// output and input and the document in the active tab.
#include <stdexcept>

#include "app/program_module.h"
#include "document/score_document.h"

namespace nv::app {

bool TFProgramModule::HasDocument() const { return ActiveEditor() != nullptr; }

bool TFProgramModule::OpenOutput() { return OpenMidiOutput(); }

void TFProgramModule::CloseOutput() { CloseMidiOutput(); }

bool TFProgramModule::OpenInput() { return OpenMidiInput(); }

void TFProgramModule::CloseInput() { CloseMidiInput(); }

void TFProgramModule::StartPlayback() {
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
  const nv::document::UptimeClock &clock =
      services_.uptime ? *services_.uptime
                       : nv::document::UptimeClock::System();
  return clock.NowMs();
}

void TFProgramModule::StartRecord([[maybe_unused]] std::int64_t start) {
  // The take itself is the document window's; until it takes the input's
  // events, the input runs and the active document hears them.
  MIScore.Start();
}

void TFProgramModule::StopRecord() {
  for (DocumentPage *page : Documents())
    if (page->Document().Recording())
      page->Document().StopRecording();
}

} // namespace nv::app
