#pragma once

namespace nv::app {

// Installs everything the program's scores reach through process-wide
// interfaces: the Qt picture decoder and clipboard, then the score core's
// services (our own picture codecs after the decoder, the layout engine, the
// selection owner, the play preparation; nv::document::InstallScoreServices).
// The program calls it once at start-up and the Qt test fixtures call it
// too, so that the scores of both run the same code. Only stores pointers,
// so it may run before the QApplication exists.
void InstallProcessServices();

}  // namespace nv::app
