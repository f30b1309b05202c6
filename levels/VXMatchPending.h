// The gameplay operations a match level calls that the player, HUD and flag
// code do not offer yet.  Each has a plain stand-in here with the effect the
// match relies on; as those parts come, the level calls them directly and
// the entry leaves this file.
//
// Pending: none.  The HUD and match-flow entries already forward to the
// gameplay code; the flags are called directly.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace FrameWork {

class GameObject;
class GameLevelInitObject;
class SoundCue;

namespace MatchPending {

using SoundMap = std::map<std::string, SoundCue>;

// Match state shared with the HUD: whole seconds left, and the floor cells a
// team can paint.
int32_t& MatchClock();
int32_t& PaintableCells();
// The sound map the match flow's menus play from.
void SetMatchFlowSoundMap(SoundMap* sounds);

// HUD.
void UpdatePaintBars(const std::vector<GameLevelInitObject>& lineUp);
void BindPaintBars(GameObject* p1, GameObject* p2, GameObject* p3, GameObject* p4);
void SetPortraitState(GameObject* first, GameObject* second);
int ReadObjectTextNumber(const std::string& name);

}  // namespace MatchPending
}  // namespace FrameWork
