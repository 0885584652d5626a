#pragma once

#include "model/music_setting.h"

// Page lengths are stored in tenths of a millimetre and shown in the unit of
// the score's Metrix setting. In pixels, the screen resolution and Zoom apply,
// and with the scale flag Zoom × Scale. Computed in extended precision.
// Without settings a value passes unchanged.

double StoredToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value);
// The exact inverse of StoredToDisplayUnits.
double DisplayToStoredUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value);
// From millimetres: rmMM unchanged, else as StoredToDisplayUnits.
double MillimetresToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                                 double value);
