#include "levels/VXMatchLevels.h"

namespace FrameWork {

// A match level sets up its objects, players, grid and match state in
// Initialize and runs the frame in Update; those come with the levels
// themselves.  Until then each level is an empty arena.
void VXLevel0::Initialize() {}
void VXLevel0::Update() {}
void VXLevel0::Free() {}

void VXLevel1::Initialize() {}
void VXLevel1::Update() {}
void VXLevel1::Free() {}

void VXLevel2::Initialize() {}
void VXLevel2::Update() {}
void VXLevel2::Free() {}

void VXLevel3::Initialize() {}
void VXLevel3::Update() {}
void VXLevel3::Free() {}

}  // namespace FrameWork
