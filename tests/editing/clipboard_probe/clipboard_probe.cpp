// A second copy of the program for the system clipboard test, on a real
// display. "copy": selects the notes of measure 0 of the paste target's
// score, copies them, prints "copied" and serves the clipboard until it is
// ended. "paste": pastes the clipboard into measure 3 of a fresh score and
// prints its notes there, one "kind octave start length" line each; exit
// status 1 when nothing was pasted.
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "editing/paste_target.h"
#include "model/measure.h"
#include "platform/qt/qt_clipboard.h"

namespace {

constexpr int kServeMilliseconds = 60000;

int Copy(QGuiApplication& app) {
  auto score = paste_target::MakeScore();
  TECMeasure* first = score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
  for (const auto& note : first->Notes) score->SelectElement(note.get(), 0);
  if (!score->CopyToClipboard()) return 1;
  std::printf("copied\n");
  std::fflush(stdout);
  QTimer::singleShot(kServeMilliseconds, &app, &QCoreApplication::quit);
  return QGuiApplication::exec();
}

int Paste() {
  auto score = paste_target::MakeScore();
  score->GoToMeasure(3);
  score->SetCursorPosition(0);
  if (!score->PasteFromClipboard()) return 1;
  for (const auto& note : score->CurrentInstrument()->GetRow(0)->GetMeasure(3)->Notes)
    std::printf("%d %d %d %d\n", note->Kind, note->Octave, note->Start, note->Length);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  nv::platform::installQtClipboard();
  if (argc == 2 && std::strcmp(argv[1], "copy") == 0) return Copy(app);
  if (argc == 2 && std::strcmp(argv[1], "paste") == 0) return Paste();
  std::fprintf(stderr, "usage: clipboard_probe copy|paste\n");
  return 2;
}
