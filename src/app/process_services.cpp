#include "app/process_services.h"

#include "document/score_services.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_picture.h"

namespace nv::app {

void InstallProcessServices() {
  nv::platform::installQtPictureDecoder();
  nv::platform::installQtClipboard();
  nv::document::InstallScoreServices();
}

}  // namespace nv::app
