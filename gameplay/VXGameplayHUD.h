// The in-match HUD: the clock, the two team score bars, the player portraits
// with their ready marks and paint-fuel bars.  Screen-space objects held by an
// object manager of the HUD's own, built at the start of every match state
// and updated once a frame by the match flow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Message.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;

// One HUD object and the kind that decides where it slides to: 1 the
// background strip, 2 to 5 portrait 1 to 4 with its block, ready mark and
// paint bar, 7 the Blue bar, 8 the Red bar.
struct HudRecord {
    std::string name;
    GameObject* object = nullptr;
    int32_t kind = 0;
};

// One portrait: the object, a copy of the line-up entry it shows (when it
// holds one) and whether it is shown.
struct PortraitSlot {
    GameObject* portrait = nullptr;
    GameLevelInitObject lineUp;
    uint8_t hasEntry = 0;
    uint8_t shown = 0;
};

namespace VXGameplayHUD {

// The height of the strip along the window's bottom that the HUD's
// background, score bars and portraits stand on, in the screens' layout
// pixels (those of a 1920 x 1080 window).
constexpr float kStripHeight = 140.0f;

// The HUD's objects and records, for the match flow and the tests.
VXObjectManager* Objects();
const std::vector<HudRecord>& Records();
const PortraitSlot& Slot(int index);  // 0 to 3 for portraits 1 to 4

// Builds the HUD objects and records when `matchState` is set.
void LoadHUD(bool matchState);
// The per-frame step: clock, score bars, paint bars, fades and slides.
void Update();
// The clock text of g_secondsLeft: four blanks and "mm:ss".
void FormatClock(std::string& out);
// The leading integer of the first text of the HUD object `name`; 0 when
// the object, its text or a number is missing.
int32_t ReadTextNumber(const std::string& name);
// The percentage text of a team (index 0 Blue, 1 Red) on the object `name`.
void UpdateScoreBar(const std::string& name, int32_t teamIndex);
// Lays out the portraits, ready marks and paint bars for the line-up.
void UpdatePaintBars(const std::vector<GameLevelInitObject>& lineUp);
// Points each portrait with a player number 1 to 4 at that player's fuel;
// the players come in player-number order and may be null.
void BindPaintBars(GameObject* p1, GameObject* p2, GameObject* p3, GameObject* p4);
void SetPortraitCharacter(const PortraitSlot& slot);
void ResizePaintBars();
// The ready marks of the two-player layout, from the players' skills.
void SetPortraitState(GameObject* a, GameObject* b, GameObject* = nullptr, GameObject* = nullptr);
// Team 1 or 2 loses one painted tile; any other team is ignored.
void DecrementTeamCells(int32_t team);
void LayOutRecord(HudRecord& record);
// position += (target - position) * 11 * frame time, the factor at most 1.
void MoveToward(float* position, const float* target);
// Empties the records and the HUD's objects, and frees the portrait slots.
void ClearRecords();

}  // namespace VXGameplayHUD
}  // namespace FrameWork
