// Building and emptying a match level's hidden skill objects (see
// gameplay/VXLevelObjectRecord.h for what they are and who reads them).
#pragma once

#include <string>

#include "gameplay/VXLevelObjectRecord.h"

namespace FrameWork {

// Files the four players by name, builds the walls, mines, curse, painter,
// block bombs, bleed wave, mop and pop-ups into the record's object manager
// (all inactive), and numbers the sprite layers of the level's objects.  The
// level's save file and prefabs must be loaded into that manager already.
// Without an object manager it prints an error line and builds nothing.
void CreateLevelObjects(VXLevelObjectRecord& record, GameObject* player1, GameObject* player2,
                        GameObject* player3, GameObject* player4, std::string name1,
                        std::string name2, std::string name3, std::string name4);

// Empties the rings, the skill list and the player names, and lets go of
// the level's object manager, sound map, painter and block-bomb context and
// of the current grid.  Destroys no object: the level's manager does.
void FreeLevelObjects(VXLevelObjectRecord& record);

}  // namespace FrameWork
