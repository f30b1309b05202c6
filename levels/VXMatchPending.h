// The flag operations a match level calls that the flag component does not
// offer yet (they come with flag capture).  Each stand-in keeps what the
// flag will need: its tile set and sounds, and who stands on it.
//
// Pending: VXFlagCom::SetCaptureArea, VXFlagCom::AddPlayer,
//          VXFlagCom::RemovePlayer
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace FrameWork {

class GameObject;
class SoundCue;
class VXFlagCom;

namespace MatchPending {

using SoundMap = std::map<std::string, SoundCue>;

// Flags.
void SetCaptureArea(VXFlagCom& flag, float cornerX, float cornerY, float cellWidth,
                    float cellHeight, int32_t tileSet, SoundMap* sounds, int32_t across,
                    int32_t down);
void AddPlayer(VXFlagCom& flag, GameObject* player);
void RemovePlayer(VXFlagCom& flag, GameObject* player);

}  // namespace MatchPending
}  // namespace FrameWork
