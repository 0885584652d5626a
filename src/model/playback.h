#pragma once

// The playback engine as the score sees it: the code that runs the play
// thread fills it in, so that the model never reaches up into that code.
class IECPlayback {
 public:
  virtual ~IECPlayback() = default;
  // Plays from the cursor; nothing while playing.
  virtual void Play() = 0;
  // Stops and waits for the play thread, unless called on that thread.
  virtual void Stop() = 0;
  // The tempo or tempo scale changed; playback paces by it from its next tick.
  virtual void TempoChanged() = 0;
  // Moves the cursor to the playing position (GUI thread).
  virtual void FollowPlayback() = 0;
};
