// The gameplay operations a match level calls that the player, HUD and flag
// code do not offer yet.  Each has a plain stand-in here with the effect the
// match relies on; as those parts come, the level calls them directly and
// the entry leaves this file.
//
// Pending:
//   flag              SetCaptureArea, AddPlayer, RemovePlayer
// The HUD and match-flow entries already forward to the gameplay code.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace FrameWork {

class GameObject;
class GameLevelInitObject;
class SoundCue;
class VXFlagCom;

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

// Flags.
void SetCaptureArea(VXFlagCom& flag, float cornerX, float cornerY, float cellWidth,
                    float cellHeight, int32_t tileSet, SoundMap* sounds, int32_t across,
                    int32_t down);
void AddPlayer(VXFlagCom& flag, GameObject* player);
void RemovePlayer(VXFlagCom& flag, GameObject* player);

}  // namespace MatchPending
}  // namespace FrameWork
