// The match's parts of operations that lower layers name: the wall response
// behind the floor grid's WallHit and the painter behind the paint map's
// Splat.  InstallGameplayHooks hands them to those layers at start-up.
#pragma once

namespace FrameWork {

class GameObject;
struct VXPainter;
struct VXPaintTarget;

// The response to a wall contact the box test wrote into the player's rigid
// body: the push out of the wall along the resolved axis (8 units beyond the
// overlap), the bounce at half speed and the "wallHit" cue.
void RespondToWall(GameObject* player);
// A painter's team, paint-for-the-other-team flag, serial and paint fuel from
// its player logic, and the players' last tiles (g_playerNumbers) as the
// target's list; false without a player logic.
bool ReadPainter(GameObject* painter, VXPainter& out, VXPaintTarget& target);

// Points g_wallResponse and VXPaintMap::readPainter at the two above.
void InstallGameplayHooks();

}  // namespace FrameWork
