// The end of the selection screen: the map choice once both players are
// ready, the commit of the line-up, and the quit button.
#include <string>

#include "core/GameState.h"
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
constexpr int kPadA = 0, kPadB = 1, kPadStart = 4, kPadLeft = 8, kPadRight = 9;
constexpr uint16_t kBackMask = Platform::PadButton::Back;
constexpr float kRepeat = 0.4f;
constexpr float kMapFade = 0.1f;

bool Released(int vk) {
    return VXInputManager::Instance()->keys[vk] == 0xFF;
}

// Players 3 to 6 by the pair players 1 and 2 took (letters: Archer, Knight,
// Pirate, Viking, Samurai, Maid).
const char* const kLeftTable[15][2] = {
    {"AK", "VPSM"}, {"AP", "VKSM"}, {"AV", "PKSM"}, {"AS", "PKVM"}, {"AM", "PKSV"},
    {"KP", "AVSM"}, {"KV", "APSM"}, {"KS", "AVPM"}, {"KM", "AVSP"}, {"PV", "AKSM"},
    {"PS", "AKVM"}, {"PM", "AKSV"}, {"VS", "AKPM"}, {"VM", "AKSP"}, {"SM", "AKPV"},
};

char Letter(int32_t kind) {
    const char letters[] = "AKPVSM";
    for (int i = 0; i < 6; ++i)
        if (kPortraitKinds[i] == kind) return letters[i];
    return '?';
}

int32_t KindOf(char letter) {
    const std::string letters = "AKPVSM";
    const size_t i = letters.find(letter);
    return i == std::string::npos ? 0 : kPortraitKinds[i];
}

}  // namespace

void CharactersLeft(int32_t first, int32_t second, int32_t out[4]) {
    const char a = Letter(first), b = Letter(second);
    for (const auto& row : kLeftTable) {
        if ((row[0][0] == a && row[0][1] == b) || (row[0][0] == b && row[0][1] == a)) {
            for (int i = 0; i < 4; ++i) out[i] = KindOf(row[1][i]);
            return;
        }
    }
    // Not a pair of two different characters: the ones not chosen, in
    // portrait-row order, and the first ones again should that fall short.
    int n = 0;
    for (int32_t kind : kPortraitKinds)
        if (n < 4 && kind != first && kind != second) out[n++] = kind;
    for (int i = 0; n < 4; ++i) out[n++] = kPortraitKinds[i];
}

void VXLevelSelectScreen::CommitSelection() {
    // Four-pad play has no match of its own: nothing is committed, so the
    // match levels never read a short line-up.
    if (m_controllerMode != 0 && m_controllerMode != 1 && m_controllerMode != 2) return;
    VXFrameContext& frame = FrameContext();
    frame.lineUp.push_back(m_lineUp[0]);
    frame.lineUp.push_back(m_lineUp[1]);
    int32_t left[4];
    CharactersLeft(m_lineUp[0].characterKind, m_lineUp[1].characterKind, left);
    for (int i = 0; i < 4; ++i) {
        m_lineUp[2 + i].playerNumber = 3 + i;
        m_lineUp[2 + i].characterKind = left[i];
        frame.lineUp.push_back(m_lineUp[2 + i]);
    }
    frame.selectionMode = m_controllerMode;
}

void VXLevelSelectScreen::UpdateMapSelection() {
    if (m_controllerMode != 0 && m_controllerMode != 1 && m_controllerMode != 2) return;
    VXSpriteComponent* map = FindScreenSprite(*m_objects, "MapSelector");
    if (!map) return;
    const bool both = m_p1Ready && m_p2Ready;
    // The map fades in and out by the frame's steps of 1/60 s.
    const int32_t steps = FrameContext().frameSteps;
    if (both) {
        for (int32_t step = 0; step < steps && map->alpha < 1.0f; ++step) map->alpha += kMapFade;
        m_mapSelectOpen = true;
        const uint32_t shown = map->animation.currentFrame;
        VXInputManager* input = VXInputManager::Instance();
        const bool keyboard = m_controllerMode == 0;
        const int pad = PlayerPad(0);
        const bool start = keyboard ? Released(VK::Return)
                                    : input->IsButtonTriggered(kPadA, pad) ||
                                          input->IsButtonTriggered(kPadStart, pad);
        if (start) {
            CommitSelection();
            FrameContext().nextState = shown == 0   ? GameState::Level1
                                       : shown == 1 ? GameState::Level2
                                                    : GameState::Level3;
        }
        int step = 0;
        if (keyboard) {
            if (Released(VK::Left) || Released('A'))
                step = -1;
            else if (Released('D') || Released(VK::Right))
                step = +1;
        } else {
            const float stickX = GetGamepadState(pad).GetThumbStick().x;
            if (input->IsButtonTriggered(kPadLeft, pad) ||
                (stickX < 0.0f && m_p1RepeatTimer <= 0.0f))
                step = -1;
            else if (input->IsButtonTriggered(kPadRight, pad) ||
                     (stickX > 0.0f && m_p1RepeatTimer <= 0.0f))
                step = +1;
            if (step != 0) {
                if (m_p1RepeatTimer <= 0.0f) m_p1RepeatTimer = kRepeat;
                PlaySelectScreenCue("CharSelect");
            }
        }
        if (step != 0)
            map->SetFrame(static_cast<uint32_t>((static_cast<int>(shown) + step + 3) % 3));
    }
    if (!both) {
        for (int32_t step = 0; step < steps && map->alpha > 0.0f; ++step) map->alpha -= kMapFade;
        m_mapSelectOpen = false;
    }
}

void VXLevelSelectScreen::UpdateQuitButton(int player) {
    VXInputManager* input = VXInputManager::Instance();
    const int pad = PlayerPad(player - 1);
    if (pad < 0 || pad >= static_cast<int>(input->pads.size())) return;
    VXGamepad& state = input->pads[static_cast<size_t>(pad)];
    const uint16_t word = state.current.Gamepad.wButtons;
    if ((word & kBackMask) && word != state.previous.Gamepad.wButtons) {
        state.previous = state.current;
        m_quitFocused = !m_quitFocused;
    }
    if (!m_quitFocused) return;
    VXSpriteComponent* button = FindScreenSprite(*m_objects, "QuitButton");
    if (!button) return;
    const uint32_t q = button->animation.currentFrame;
    bool flip = input->IsButtonTriggered(kPadLeft, pad) || input->IsButtonTriggered(kPadRight, pad);
    if (!flip && player == 1) {
        const float stickX = GetGamepadState(pad).GetThumbStick().x;
        flip = stickX != 0.0f && m_p1RepeatTimer <= 0.0f;
        if (flip && m_p1RepeatTimer <= 0.0f) m_p1RepeatTimer = kRepeat;
    }
    if (flip) button->SetFrame(q == 0 ? 1 : 0);
    if (input->IsButtonTriggered(kPadA, pad)) {
        if (q == 0)
            m_quitFocused = false;
        else
            FrameContext().nextState = GameState::SplashScreen;
    }
    if (input->IsButtonTriggered(kPadB, pad)) m_quitFocused = false;
}

}  // namespace FrameWork
