// The companions' timed routines; each acts at most one step per call and never waits.
#pragma once

namespace campfire {

void UpdateCharlesRoutine();
void UpdateSadieRoutine();
void UpdateKarenRoutine();
void UpdateAbeRoutine();

}  // namespace campfire
