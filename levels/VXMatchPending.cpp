#include "levels/VXMatchPending.h"

#include "gameplay/VXFlagCom.h"
#include "graphics/VXPaintMap.h"
#include "objects/GameObject.h"

namespace FrameWork {
namespace MatchPending {

namespace {
int32_t g_clock = 150;
int32_t g_paintableCells = 0;
SoundMap* g_flowSounds = nullptr;
}  // namespace

int32_t& MatchClock() {
    return g_clock;
}
int32_t& PaintableCells() {
    return g_paintableCells;
}
void SetMatchFlowSoundMap(SoundMap* sounds) {
    g_flowSounds = sounds;
}

void UpdatePaintBars(const std::vector<GameLevelInitObject>&) {}
void BindPaintBars(GameObject*, GameObject*, GameObject*, GameObject*) {}
void SetPortraitState(GameObject*, GameObject*) {}

// Without the HUD's bars: the team's share of the paintable floor, in whole
// percent.
int ReadObjectTextNumber(const std::string& name) {
    const int team = name == "BlueBar" ? 0 : name == "RedBar" ? 1 : -1;
    if (team < 0 || g_paintableCells <= 0) return 0;
    return VXPaintMap::TeamTileCount[team] * 100 / g_paintableCells;
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
