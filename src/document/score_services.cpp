#include "document/score_services.h"

#include "editing/selection.h"
#include "formats/picture_codecs.h"
#include "playback/score_play_preparation.h"
#include "render/layout_engine.h"

namespace nv::document {

void InstallScoreServices() {
  InstallPictureCodecs();
  nv::render::InstallLayoutEngine();
  nv::editing::InstallSelectionOwner();
  InstallPlayPreparation();
}

}  // namespace nv::document
