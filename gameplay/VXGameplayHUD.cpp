#include "gameplay/VXGameplayHUD.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "core/VXFrameContext.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "gameplay/VXScreenObjects.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"

namespace FrameWork {
namespace VXGameplayHUD {

namespace {

constexpr float kSlide = 11.0f;  // slide and fade speed, per second
constexpr float kBarWidth = 220.0f;
constexpr float kBarHeight = 34.0f;
// The selection mode of the four-pad layout.
constexpr int32_t kFourPadMode = 4;
const char* const kPlaceholder = "- insert text here -";

std::unique_ptr<VXObjectManager> g_objects;
std::vector<HudRecord> g_records;
PortraitSlot g_slots[4];
const int32_t* g_fuel[4] = {};
float g_barOffset[4] = {};

float Width() {
    return LayoutWidth();
}

std::string Portrait(int k, const char* part = "") {
    return "Portrait" + std::to_string(k) + part;
}

GameObject* Find(const std::string& name) {
    return g_objects ? g_objects->FindObject(name) : nullptr;
}

void ResetSlots() {
    for (int k = 0; k < 4; ++k) {
        g_slots[k] = PortraitSlot();
        g_fuel[k] = nullptr;
        g_barOffset[k] = 0.0f;
    }
}

GameObject* AddRecord(const std::string& name, int32_t kind, float width, float height, float x,
                      float y, int layer, const std::string& texture) {
    GameObject* object = AddScreenSprite(*g_objects, name, width, height, x, y, layer, texture);
    g_records.push_back(HudRecord{name, object, kind});
    return object;
}

void Fill(PortraitSlot& slot, const GameLevelInitObject& entry) {
    slot.lineUp = entry;
    slot.hasEntry = 1;
    slot.shown = 1;
}

// The sheet cell of a character's face, Blue; Red uses the next cell.
int FaceCell(int32_t kind) {
    switch (kind) {
        case GameObject::Knight:
            return 12;
        case GameObject::Pirate:
            return 14;
        case GameObject::Viking:
            return 16;
        case GameObject::Archer:
            return 6;
        case GameObject::Samurai:
            return 1;
        case GameObject::Maid:
            return 3;
        default:
            return -1;
    }
}

void ShowFrame(const std::string& name, uint32_t frame) {
    if (VXSpriteComponent* sprite = SpriteOf(Find(name))) sprite->SetFrame(frame);
}

}  // namespace

VXObjectManager* Objects() {
    return g_objects.get();
}
const std::vector<HudRecord>& Records() {
    return g_records;
}
const PortraitSlot& Slot(int index) {
    return g_slots[std::clamp(index, 0, 3)];
}

void LoadHUD(bool matchState) {
    if (!matchState) return;
    ClearRecords();
    g_objects = std::make_unique<VXObjectManager>();
    // The camera keeps the players above the strip.
    VXGraphicsManager::Instance()->hudHeight = kStripHeight;
    const float w = Width();
    const float h = LayoutHeight();

    GameObject* background = AddRecord("Background UI", 1, 2047.0f, kStripHeight, w / 2.0f,
                                       kStripHeight / 2.0f, 50, "GameplayUI_Viewport_Overlay.png");
    AddScreenText(*g_objects, background, "Timer", -130.0f, -50.0f, kPlaceholder, 0, 0, 0);
    GameObject* blue = AddRecord("BlueBar", 7, 270.0f, 120.0f, w / 2.0f - 243.0f, 50.0f, 51,
                                 "ScoreBar_SpriteSheet.png");
    AddScreenText(*g_objects, blue, "RedBlueScore", -17.0f, -15.0f, kPlaceholder, 1, 1, 1);
    GameObject* red = AddRecord("RedBar", 8, 270.0f, 120.0f, w / 2.0f + 243.0f, 50.0f, 52,
                                "ScoreBar_SpriteSheet.png");
    AddScreenText(*g_objects, red, "RedBlueScore", -50.0f, -15.0f, kPlaceholder, 1, 1, 1);

    const float portraitX[4] = {w * 0.07f, w * 0.2f, w * 0.8f, w * 0.925f};
    const char* const sheet = "GameplayUI_SpritesheetCb_Full.png";
    for (int k = 1; k <= 4; ++k)
        AddRecord(Portrait(k), k + 1, 400.0f, 180.0f, portraitX[k - 1], 60.0f, 52 + k, sheet);
    for (int k = 1; k <= 4; ++k)
        AddRecord(Portrait(k, "PaintBarBLOCK"), k + 1, 400.0f, 180.0f, portraitX[k - 1], 60.0f,
                  64 + k, sheet);
    for (int k = 1; k <= 4; ++k)
        AddStillRow(SpriteOf(AddRecord(Portrait(k, "Ready"), k + 1, 400.0f, 180.0f, w / 2.0f, -h,
                                       57, sheet)),
                    {0, 11});
    for (int k = 1; k <= 4; ++k)
        AddStillRow(SpriteOf(AddRecord(Portrait(k, "PaintBar"), k + 1, 400.0f, 180.0f, w / 2.0f, -h,
                                       61, "PaitnBar_FullSpriteSheet.png")),
                    {0, 1});

    for (GameObject* object : g_objects->objects) object->SetActive(1);
    for (int k = 0; k < 4; ++k) g_slots[k].portrait = Find(Portrait(k + 1));
}

void Update() {
    const VXFrameContext& frame = FrameContext();
    if (!g_objects) return;
    if (!g_hudPaused) {
        g_secondsLeft = std::max(g_secondsLeft, 0);
        std::string clock;
        FormatClock(clock);
        // The clock runs on the match's steps, whatever the frame lasted.
        // Whole seconds only: the excess over one second is dropped.
        for (int32_t step = 0; frame.active && step < frame.frameSteps; ++step) {
            g_secondAccumulator += kStepTime;
            g_secondsLeft -= static_cast<int32_t>(g_secondAccumulator);
            if (g_secondAccumulator >= 1.0f) g_secondAccumulator = 0.0f;
        }
        if (VXTextComponent* text = TextOf(Find("Background UI"))) {
            text->SetText(g_matchOver ? " 00:00" : clock);
            if (g_secondsLeft <= 10) text->red = 1.0f;
        }
    }
    UpdateScoreBar("BlueBar", 0);
    UpdateScoreBar("RedBar", 1);
    ResizePaintBars();

    // A long frame must not fade past the bounds.
    const float fade = std::min(kSlide * frame.frameTime, 1.0f);
    for (HudRecord& record : g_records) {
        if (VXSpriteComponent* sprite = SpriteOf(record.object)) {
            if (frame.paused)
                sprite->alpha = std::max(sprite->alpha - fade, 0.0f);
            else
                sprite->alpha = std::min(sprite->alpha + fade, 1.0f);
        }
        LayOutRecord(record);
        if (record.object) record.object->UpdateTransform();
    }
}

void FormatClock(std::string& out) {
    const int32_t minutes = g_secondsLeft / 60;
    const int32_t seconds = g_secondsLeft - 60 * minutes;
    auto twoDigits = [](int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    out = "    " + twoDigits(minutes) + ":" + twoDigits(seconds);
}

int32_t ReadTextNumber(const std::string& name) {
    // A missing object, a missing text and a text without a leading number
    // (the placeholder before the first score) all read 0.
    const VXTextComponent* text = TextOf(Find(name));
    if (!text) return 0;
    const char* begin = text->text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin) return 0;
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return value < 0 ? INT_MIN : INT_MAX;
    return static_cast<int32_t>(value);
}

void UpdateScoreBar(const std::string& name, int32_t teamIndex) {
    if (teamIndex < 0 || teamIndex > 1) return;
    // Integer arithmetic: the winner is read back from this text, so 53 of
    // 100 must read 53.  No paintable floor: nobody scores.
    const int64_t pct =
        g_totalPaintCells <= 0
            ? 0
            : static_cast<int64_t>(VXPaintMap::TeamTileCount[teamIndex]) * 100 / g_totalPaintCells;
    const std::string digits = std::to_string(pct);
    if (VXTextComponent* text = TextOf(Find(name)))
        text->SetText((pct > 9 ? digits : "0" + digits) + "%");
}

void UpdatePaintBars(const std::vector<GameLevelInitObject>& lineUp) {
    // Nothing of an earlier match stays in the slots.
    for (int k = 0; k < 4; ++k) {
        g_slots[k] = PortraitSlot();
        g_slots[k].portrait = Find(Portrait(k + 1));
    }
    if (FrameContext().selectionMode == kFourPadMode) {
        g_twoPlayerLayout = 0;
        // At most two slots a side: 1 and 2 for team 1, 3 and 4 for the rest.
        int blue = 0;
        int red = 2;
        for (const GameLevelInitObject& entry : lineUp) {
            if (entry.team == 1 && blue < 2)
                Fill(g_slots[blue++], entry);
            else if (entry.team != 1 && red < 4)
                Fill(g_slots[red++], entry);
        }
    } else {
        g_twoPlayerLayout = 1;
        if (lineUp.size() >= 2) {
            const bool firstIsBlue = lineUp[0].team == 1;
            Fill(g_slots[1], lineUp[firstIsBlue ? 0 : 1]);
            Fill(g_slots[2], lineUp[firstIsBlue ? 1 : 0]);
        } else if (lineUp.size() == 1) {
            Fill(g_slots[lineUp[0].team == 1 ? 1 : 2], lineUp[0]);
        }
        g_slots[1].shown = g_slots[2].shown = 1;
        ShowFrame(Portrait(2, "PaintBar"), 0);
        ShowFrame(Portrait(3, "PaintBar"), 0);
        for (int k : {1, 4})
            for (const char* part : {"", "Ready", "PaintBarBLOCK", "PaintBar"})
                if (GameObject* object = Find(Portrait(k, part))) object->SetActive(0);
    }
    for (const PortraitSlot& slot : g_slots) SetPortraitCharacter(slot);
}

void BindPaintBars(GameObject* p1, GameObject* p2, GameObject* p3, GameObject* p4) {
    GameObject* const players[4] = {p1, p2, p3, p4};
    for (int k = 0; k < 4; ++k) {
        g_fuel[k] = nullptr;
        const PortraitSlot& slot = g_slots[k];
        const int32_t number = slot.lineUp.playerNumber;
        if (!slot.hasEntry || number < 1 || number > 4 || !players[number - 1]) continue;
        if (VXPlayerLogic* logic = players[number - 1]->GetPlayerLogic())
            g_fuel[k] = &logic->paintFuel;
    }
}

void SetPortraitCharacter(const PortraitSlot& slot) {
    if (!slot.shown || !slot.hasEntry) return;
    const int cell = FaceCell(slot.lineUp.characterKind);
    VXSpriteComponent* sprite = SpriteOf(slot.portrait);
    if (cell < 0 || !sprite) return;
    // One row holding the face alone, however often the layout is redone.
    sprite->animation.frameRows.clear();
    sprite->cellRows.clear();
    sprite->rowCount = 0;
    sprite->SetAnimationCount(1);
    sprite->AddFrame(cell + (slot.lineUp.team != 1 ? 1 : 0), 0);
}

void ResizePaintBars() {
    for (int k = 0; k < 4; ++k) {
        if (!g_slots[k].shown) continue;
        const float fuel = g_fuel[k] ? static_cast<float>(*g_fuel[k]) : 0.0f;
        const float ratio = std::clamp(fuel / 100.0f, 0.0f, 1.0f);
        if (GameObject* bar = Find(Portrait(k + 1, "PaintBar"))) {
            bar->scale[0] = kBarWidth * ratio;
            bar->scale[1] = kBarHeight;
        }
        // The bar shrinks toward its left end.
        g_barOffset[k] = 69.0f - (kBarWidth - kBarWidth * ratio) / 2.0f;
    }
}

void SetPortraitState(GameObject* a, GameObject* b, GameObject*, GameObject*) {
    if (!g_twoPlayerLayout || !a || !b) return;
    const VXPlayerLogic* first = a->GetPlayerLogic();
    const VXPlayerLogic* second = b->GetPlayerLogic();
    if (!first || !second) return;
    const VXPlayerLogic* blue = first->team == 1 ? first : second;
    const VXPlayerLogic* red = blue == first ? second : first;
    ShowFrame(Portrait(2, "Ready"), blue->skillInUse ? 0 : 1);
    ShowFrame(Portrait(3, "Ready"), red->skillInUse ? 0 : 1);
}

void DecrementTeamCells(int32_t team) {
    if (team == 1 || team == 2) --VXPaintMap::TeamTileCount[team - 1];
}

void LayOutRecord(HudRecord& record) {
    GameObject* object = record.object;
    if (!object) return;
    const float w = Width();
    const bool two = g_twoPlayerLayout != 0;
    float target[2];
    switch (record.kind) {
        case 1:
            target[0] = w / 2.0f, target[1] = 70.0f;
            break;
        case 2:
            target[0] = w * 0.07f, target[1] = 60.0f;
            break;
        case 3:
            target[0] = two ? w * 0.14f : w * 0.2f, target[1] = two ? 100.0f : 60.0f;
            break;
        case 4:
            target[0] = two ? w * 0.86f : w * 0.8f, target[1] = two ? 100.0f : 60.0f;
            break;
        case 5:
            target[0] = w * 0.925f, target[1] = 60.0f;
            break;
        case 7:
            target[0] = w / 2.0f - 243.0f, target[1] = 50.0f;
            break;
        case 8:
            target[0] = w / 2.0f + 243.0f, target[1] = 50.0f;
            break;
        default:
            return;
    }
    if ((record.kind == 3 && record.name == "Portrait2PaintBar") ||
        (record.kind == 4 && record.name == "Portrait3PaintBar")) {
        target[0] += g_barOffset[record.kind - 2];
        target[1] -= 40.0f;
    } else if (record.kind == 3 || record.kind == 4) {
        object->scale[0] = 400.0f;
        object->scale[1] = 180.0f;
    }
    // Out of view, down past the bottom edge, while paused or decided.
    if (FrameContext().paused || g_matchOver) {
        target[0] = w / 2.0f;
        target[1] = -100.0f;
    }
    MoveToward(object->position, target);
}

void MoveToward(float* position, const float* target) {
    const float step = std::min(kSlide * FrameContext().frameTime, 1.0f);
    position[0] += (target[0] - position[0]) * step;
    position[1] += (target[1] - position[1]) * step;
}

void ClearRecords() {
    g_records.clear();
    if (g_objects) g_objects->Clear();
    g_objects.reset();
    ResetSlots();
}

}  // namespace VXGameplayHUD
}  // namespace FrameWork
