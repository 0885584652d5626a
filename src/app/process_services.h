#pragma once

namespace nv::app {

// Installs what the score core reaches through process-wide interfaces: the
// Qt picture decoder, our own picture codecs after it, the Qt clipboard, the
// layout engine, the selection owner and the play preparation. The program
// calls it once at start-up, and the test fixtures call it too, so that the
// scores of both run the same code. Only stores pointers, so it may run
// before the QApplication exists.
void InstallProcessServices();

}  // namespace nv::app
