// The players' half of the selection screen: each player takes a side,
// steps through that side's six characters and locks one; the deny overlays
// cover a character the other, ready player holds.
#include <string>

#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXLevelSelectScreen.h"
#include "levels/VXScreenObjects.h"
#include "objects/GameObject.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

namespace VK = Platform::VK;
constexpr int kPadA = 0, kPadB = 1, kPadLeft = 8, kPadRight = 9;
constexpr float kRepeat = 0.4f;

// What differs between player 1 and player 2.
struct Seat {
    int number;
    const char* selector;
    bool& onBlue;
    bool& onRed;
    bool& otherOnBlue;
    bool& otherOnRed;
    bool& ready;
    bool& otherReady;
    GameLevelInitObject& record;
    int pad;
    float& timer;
    int keyLeft, keyRight, keyCancel, keyConfirm;
    bool padSteps;  // pad steps and pad cancel work in this controller mode
};

Seat SeatOf(VXLevelSelectScreen& s, int player) {
    const int mode = s.m_controllerMode;
    if (player == 1)
        return {1,
                "Player1Selector",
                s.m_p1OnBlue,
                s.m_p1OnRed,
                s.m_p2OnBlue,
                s.m_p2OnRed,
                s.m_p1Ready,
                s.m_p2Ready,
                s.m_lineUp[0],
                PlayerPad(0),
                s.m_p1RepeatTimer,
                'A',
                'D',
                'X',
                VK::Space,
                mode == 1 || mode == 2};
    return {2,
            "Player2Selector",
            s.m_p2OnBlue,
            s.m_p2OnRed,
            s.m_p1OnBlue,
            s.m_p1OnRed,
            s.m_p2Ready,
            s.m_p1Ready,
            s.m_lineUp[1],
            PlayerPad(1),
            s.m_p2RepeatTimer,
            VK::Left,
            VK::Right,
            VK::Up,
            VK::Down,
            mode == 2};
}

bool Released(int vk) {
    return VXInputManager::Instance()->keys[vk] == 0xFF;
}

int PortraitRow(VXSpriteComponent* portrait) {
    return portrait ? portrait->animation.currentRowIndex : 0;
}

// One step along a portrait's rows (wrapping), played once.
void StepPortrait(VXSpriteComponent* portrait, int by, bool sound) {
    if (!portrait) return;
    if (sound) PlaySelectScreenCue("CharSelect");
    portrait->SetAnimation((PortraitRow(portrait) + by + 6) % 6);
    portrait->playOnce = true;
}

struct Step {
    VXLevelSelectScreen& screen;
    Seat seat;
    GameObject* selector;

    // A step left (dir -1) or right (dir +1): from the centre onto that
    // side, then (the same press) through the portraits of the side the
    // selector stands on.  `pad` asks for the cue on each portrait change;
    // `redGate`, for player 2's pad, changes a portrait only once it is at
    // full colour.
    void Run(int dir, bool pad) {
        VXObjectManager& objects = *screen.m_objects;
        const bool left = dir < 0;
        const char* side = left ? "BlueTeamIcon1" : "RedTeamIcon1";
        bool& own = left ? seat.onBlue : seat.onRed;
        const bool otherHolds = left ? seat.otherOnBlue : seat.otherOnRed;
        if (screen.m_introDone && !otherHolds && selector->position[0] == 0.0f) {
            if (GameObject* portrait = FindScreenObject(objects, side)) {
                if (VXSpriteComponent* sprite = SpriteOf(selector)) sprite->SetFrame(left ? 1 : 2);
                selector->position[0] = portrait->position[0] + dir * 0.292f * portrait->scale[0];
                selector->position[1] = portrait->position[1] - 0.25f * portrait->scale[1];
                selector->scale[0] = 195.0f;
                selector->scale[1] = 116.99999f;
                own = true;
                if (VXSpriteComponent* p = SpriteOf(portrait)) p->playOnce = true;
            }
        }
        const bool gate = pad && !left && seat.number == 2;
        if (seat.onBlue && selector->position[0] < 0.0f) Portrait("BlueTeamIcon1", dir, pad, gate);
        if (seat.onRed && selector->position[0] > 0.0f) Portrait("RedTeamIcon1", dir, pad, gate);
    }

    void Portrait(const char* name, int dir, bool sound, bool gate) {
        VXSpriteComponent* portrait = FindScreenSprite(*screen.m_objects, name);
        if (gate && portrait && portrait->red < 1.0f) return;
        StepPortrait(portrait, dir, sound);
    }

    // One level back: from ready to browsing, or from browsing to the
    // centre.
    void Cancel() {
        VXObjectManager& objects = *screen.m_objects;
        for (int side = 0; side < 2; ++side) {
            const bool blue = side == 0;
            const float x = selector->position[0];
            if (blue ? !(x < 0.0f) : !(x > 0.0f)) continue;
            if (!seat.ready) {
                if (VXSpriteComponent* sprite = SpriteOf(selector)) sprite->SetFrame(0);
                selector->position[0] = 0.0f;
                float y = 100.0f;
                if (seat.number == 2)
                    if (GameObject* p4 = FindScreenObject(objects, "Player4Selector"))
                        y = p4->position[1];
                selector->position[1] = y;
                selector->scale[0] = 300.0f;
                selector->scale[1] = 180.0f;
                (blue ? seat.onBlue : seat.onRed) = false;
            } else {
                SetObjectActive(
                    FindScreenObject(objects, blue ? "BlueTeamIcon1Ready" : "RedTeamIcon1Ready"),
                    false);
                seat.ready = false;
                if (bool* taken = screen.TakenFlag(seat.record.characterKind)) *taken = false;
            }
        }
    }

    // Locks the character the player's side portrait shows, unless the
    // other player holds it (a pad confirm then says so).
    void Confirm(bool pad) {
        VXObjectManager& objects = *screen.m_objects;
        for (int side = 0; side < 2; ++side) {
            const bool blue = side == 0;
            const float x = selector->position[0];
            if (blue ? !(x < 0.0f && seat.onBlue) : !(x > 0.0f && seat.onRed)) continue;
            VXSpriteComponent* portrait =
                FindScreenSprite(objects, blue ? "BlueTeamIcon1" : "RedTeamIcon1");
            if (!portrait) continue;
            const int32_t kind = kPortraitKinds[PortraitRow(portrait) % 6];
            bool* taken = screen.TakenFlag(kind);
            if (*taken) {
                if (pad) {
                    PlaySelectScreenCue("cantSelect");
                    VXInputManager::Instance()->Vibrate(seat.pad, 0.5f, 0.0f);
                }
                continue;
            }
            if (pad) PlaySelectScreenCue("select");
            seat.record.characterKind = kind;
            *taken = true;
            seat.ready = true;
            seat.record.playerNumber = seat.number;
            seat.record.team = blue ? 1 : 2;
            SetSpriteColour(portrait, 0.8f, 0.8f, 0.8f);
            SetObjectActive(
                FindScreenObject(objects, blue ? "BlueTeamIcon1Ready" : "RedTeamIcon1Ready"), true);
        }
    }
};

}  // namespace

void VXLevelSelectScreen::UpdatePlayers() {
    if (m_controllerMode < 0 || m_controllerMode == 3 || m_controllerMode > 4) return;
    UpdatePlayerSelection(1);
    UpdatePlayerSelection(2);
}

void VXLevelSelectScreen::UpdatePlayerSelection(int player) {
    const Seat seat = SeatOf(*this, player);
    GameObject* selector = FindScreenObject(*m_objects, seat.selector);
    if (!selector) return;
    Step step{*this, seat, selector};
    const bool blocked = FrameContext().inputBlocked != 0;
    const bool arrowsBlocked = player == 1 && blocked;  // A and D only

    if (!seat.ready) {
        if (!arrowsBlocked && Released(seat.keyLeft))
            step.Run(-1, false);
        else if (!arrowsBlocked && Released(seat.keyRight))
            step.Run(+1, false);
    }
    if (m_introDone && Released(seat.keyCancel))
        step.Cancel();
    else if (!seat.ready && Released(seat.keyConfirm))
        step.Confirm(false);

    // The frame's poll says whether the pad answers; polling again here
    // would lose the presses latched for this frame.
    VXInputManager* input = VXInputManager::Instance();
    if (seat.pad < 0 || seat.pad >= static_cast<int>(input->pads.size()) ||
        !input->pads[static_cast<size_t>(seat.pad)].connected)
        return;
    const float stickX = GetGamepadState(seat.pad).GetThumbStick().x;

    const bool free = !seat.ready && !m_quitFocused;
    const bool left = free && (input->IsButtonTriggered(kPadLeft, seat.pad) ||
                               (stickX < 0.0f && seat.timer <= 0.0f));
    const bool right =
        !left && free &&
        (input->IsButtonTriggered(kPadRight, seat.pad) || (stickX > 0.0f && seat.timer <= 0.0f));
    if (left || right) {
        if (seat.timer <= 0.0f && (left ? stickX < 0.0f : stickX > 0.0f)) seat.timer = kRepeat;
        if (seat.padSteps) step.Run(left ? -1 : +1, true);
    }

    if (m_introDone && !m_quitFocused && input->IsButtonTriggered(kPadB, seat.pad)) {
        if (seat.padSteps) step.Cancel();
    } else if (!seat.ready && !m_quitFocused && input->IsButtonTriggered(kPadA, seat.pad)) {
        step.Confirm(true);
    }
    UpdateQuitButton(player);
}

void VXLevelSelectScreen::UpdateSelectedImages() {
    VXObjectManager& objects = *m_objects;
    const struct {
        const char* image;
        bool ready, otherReady, onSide;
        const char* portrait;
    } overlays[4] = {
        {"SelectedImage1", m_p1Ready, m_p2Ready, m_p1OnBlue, "BlueTeamIcon1"},
        {"SelectedImage2", m_p2Ready, m_p1Ready, m_p2OnRed, "RedTeamIcon1"},
        {"SelectedImage2b", m_p1Ready, m_p2Ready, m_p1OnRed, "RedTeamIcon1"},
        {"SelectedImage1a", m_p2Ready, m_p1Ready, m_p2OnBlue, "BlueTeamIcon1"},
    };
    for (int i = 0; i < 4; ++i) {
        if (i == 2 && !m_p1Ready && !m_p2Ready)
            for (const auto& o : overlays)
                SetObjectActive(FindScreenObject(objects, o.image), false);
        const auto& o = overlays[i];
        GameObject* image = FindScreenObject(objects, o.image);
        VXSpriteComponent* portrait = FindScreenSprite(objects, o.portrait);
        if (!image || !portrait) continue;
        for (int row = 0; row < 6; ++row) {
            if (*TakenFlag(kPortraitKinds[row]) && !o.ready && o.otherReady && o.onSide) {
                const bool shown = PortraitRow(portrait) == row;
                if (shown) SetSpriteColour(portrait, 0.1f, 0.1f, 0.1f);
                SetObjectActive(image, shown);
            } else if (!o.onSide) {
                SetObjectActive(image, false);
            }
        }
    }
}

}  // namespace FrameWork
