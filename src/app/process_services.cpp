#include "app/process_services.h"

#include "editing/selection.h"
#include "formats/picture_codecs.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_picture.h"
#include "playback/score_play_preparation.h"
#include "render/layout_engine.h"

namespace nv::app {

void InstallProcessServices() {
  nv::platform::installQtPictureDecoder();
  InstallPictureCodecs();
  nv::platform::installQtClipboard();
  nv::render::InstallLayoutEngine();
  nv::editing::InstallSelectionOwner();
  InstallPlayPreparation();
}

}  // namespace nv::app
