#include "levels/VXMatchPending.h"

#include "gameplay/VXFlagCom.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXMatchState.h"
#include "objects/GameObject.h"

namespace FrameWork {
namespace MatchPending {

int32_t& MatchClock() {
    return g_secondsLeft;
}
int32_t& PaintableCells() {
    return g_totalPaintCells;
}
void SetMatchFlowSoundMap(SoundMap* sounds) {
    MatchFlow().soundMap = sounds;
}

void UpdatePaintBars(const std::vector<GameLevelInitObject>& lineUp) {
    VXGameplayHUD::UpdatePaintBars(lineUp);
}
void BindPaintBars(GameObject* p1, GameObject* p2, GameObject* p3, GameObject* p4) {
    VXGameplayHUD::BindPaintBars(p1, p2, p3, p4);
}
void SetPortraitState(GameObject* first, GameObject* second) {
    VXGameplayHUD::SetPortraitState(first, second);
}
int ReadObjectTextNumber(const std::string& name) {
    return VXGameplayHUD::ReadTextNumber(name);
}

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
