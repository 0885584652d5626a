#pragma once

#include <QImage>

#include "widgets/logic/image_track_model.h"

namespace nv::widgets {

class TECImageTrack;

// The program's track pictures, drawn in code once per orientation: a
// sunken groove in three pieces and a pointer button strip (normal, hot,
// pressed, disabled) of 12 x 18 pixels each (18 x 12 upright). Every picture
// has its transparent colour in the bottom-left pixel.
struct TrackPictures {
  QImage first;
  QImage centre;
  QImage last;
  QImage button;
  int buttonWidth = 0;
  int buttonHeight = 0;
};

const TrackPictures& StandardTrackPictures(TrackOrientation orientation);

// Gives `track` the pictures and button size of its orientation.
void UseStandardPictures(TECImageTrack& track);

}  // namespace nv::widgets
