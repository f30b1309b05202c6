// What the skills, the skill driver, the block bomb and the flags share: the
// running match's players and objects looked up without side effects, its
// sounds played by name, and the painter object borrowed for strokes that
// come from no player's trail.
#pragma once

#include <cstddef>
#include <string>

namespace FrameWork {

class GameObject;
class VXSpriteComponent;

// A player of the running match by name; null when the name is not listed
// (nothing is added to the list).
GameObject* FindLevelPlayer(const std::string& name);
// "Player2" for "Player1" and the reverse; null for any other name.
GameObject* OpponentOf(const std::string& name);
// The object of that name in the running level's objects, or null.
GameObject* FindLevelObject(const std::string& name);

// Plays the cue of the running level's sound map; nothing without a map or
// for a name the map lacks.
void PlaySkillCue(const char* name);

// The sprite of child `index` of `object`, or null.
VXSpriteComponent* ChildSpriteOf(const GameObject* object, size_t index);
// Moves the object (and its body's position copy) to (x, y) and rebuilds its
// matrices.
void PlaceObject(GameObject* object, float x, float y);

// One stroke of the level's painter at (x, y) for `team`, as object type
// `strokeKind`; afterwards the painter is hidden again (object type 17) and
// keeps no last painted tile.  Returns the painted tile or -1.
int StrokeWithPainter(float x, float y, int team, int strokeKind);
// Hides the painter (object and components).
void HidePainter();

}  // namespace FrameWork
