#include "levels/VXMatchPending.h"

#include "gameplay/VXFlagCom.h"
#include "objects/GameObject.h"

namespace FrameWork {
namespace MatchPending {

void SetCaptureArea(VXFlagCom& flag, float, float, float, float, int32_t tileSet, SoundMap* sounds,
                    int32_t, int32_t) {
    flag.shapeIndex = tileSet;
    flag.soundMap = sounds;
}

void AddPlayer(VXFlagCom& flag, GameObject* player) {
    if (player) flag.playersOnFlag.emplace(player->g_name, player);
}

void RemovePlayer(VXFlagCom& flag, GameObject* player) {
    if (player) flag.playersOnFlag.erase(player->g_name);
}

}  // namespace MatchPending
}  // namespace FrameWork
