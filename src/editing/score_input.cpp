#include "model/music_score.h"

// Placeholders until the mouse state machine and the key table land.

void TECMusicScore::MouseDown(TECMouseButton, TECShiftState, int, int) {}
void TECMusicScore::MouseMove(TECShiftState, int, int) {}
void TECMusicScore::MouseUp(TECMouseButton, TECShiftState, int, int) {}
bool TECMusicScore::DoMouseWheel(TECShiftState, int, TECPoint) { return false; }
void TECMusicScore::KeyDown(std::uint16_t&, TECShiftState) {}
void TECMusicScore::TabTimerStep() {}
void TECMusicScore::DrawOverlay(nv::platform::Canvas&) {}
