#pragma once

// Lets the score and its edits re-expand ornaments and recompute velocities
// (under the score's AutoEffect and AutoVelocity switches) through this
// code, for every score of the process.
void InstallPlayPreparation();
