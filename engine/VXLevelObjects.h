// The one object of each level and screen class, built in a fixed order by
// the start-up step and destroyed at process exit in reverse order.
#pragma once

namespace FrameWork {

class VXLevel_Base;

// Builds Level0, Level1, Level2, Level3, the loading screen, the editor, the
// splash screen and the level-select screen, in that order.  Only the first
// call builds.
void BuildLevelObjects();
// The object of state id `state` (0 to 8 but 6); null for any other id or
// before BuildLevelObjects.
VXLevel_Base* LevelObjectForState(int state);
// Puts `object` (not owned) in place of the object of `state` and returns
// what was there; null restores the built object.  Tests use it to run the
// state machine over recording levels.
VXLevel_Base* ReplaceLevelObject(int state, VXLevel_Base* object);

}  // namespace FrameWork
