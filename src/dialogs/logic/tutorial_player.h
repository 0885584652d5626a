#pragma once

#include <string>

#include "platform/geometry.h"

namespace nv::dialogs {

// The video player of the tutorial window. The program has none yet (it
// plays no videos); tests put a recorder in its place.
class TutorialPlayer {
 public:
  virtual ~TutorialPlayer() = default;
  virtual void SetFileName(const std::string& file) = 0;
  // Where the video shows, in the window's panel.
  virtual void SetDisplayRect(const nv::platform::Rect& rect) = 0;
  // False when the file cannot be played.
  virtual bool Open() = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
};

}  // namespace nv::dialogs
