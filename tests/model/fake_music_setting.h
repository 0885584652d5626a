#pragma once

#include "model/music_setting.h"

// Display settings a test sets by hand; counts the scroll-bar updates.
class FakeMusicSetting : public IECMusicSetting {
 public:
  TECMetrix metrix = TECMetrix::rmMM;
  int resolution = 96;
  int zoom = 100;
  int scale = 100;
  int scrollBarUpdates = 0;

  TECMetrix GetMetrix() const override { return metrix; }
  int GetResolution() const override { return resolution; }
  int GetZoom() const override { return zoom; }
  int GetScale() const override { return scale; }
  bool GetPageSwitching() const override { return false; }
  void UpdateScrollBars(bool) override { ++scrollBarUpdates; }
};
