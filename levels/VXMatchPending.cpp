#include "levels/VXMatchPending.h"

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

}  // namespace MatchPending
}  // namespace FrameWork
