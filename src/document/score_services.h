#pragma once

namespace nv::document {

// Installs what the score core reaches through process-wide interfaces and
// fills in the layers above the model: our own picture codecs, the layout
// engine, the selection owner and the play preparation. Qt-free; the
// program installs the Qt backends with it (nv::app::InstallProcessServices),
// and the Qt-free test fixtures call it alone. Only stores pointers, so it
// may run at static initialisation.
void InstallScoreServices();

}  // namespace nv::document
