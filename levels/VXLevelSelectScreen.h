// State 8: two players take sides (Blue or Red), pick and lock one of six
// characters each, then one of three maps; the screen commits the six-record
// line-up and starts the chosen match level, or goes back to the title.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Message.h"
#include "core/VXLevel_Base.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;

class VXLevelSelectScreen : public VXLevel_Base {
public:
    VXLevelSelectScreen();
    ~VXLevelSelectScreen() override;
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;

    // The players' part of the frame (VXCharacterSelect.cpp).
    void UpdatePlayers();
    void UpdatePlayerSelection(int player);  // 1 or 2
    void UpdateSelectedImages();
    // The map choice, the commit and the quit button (VXMapSelect.cpp).
    void UpdateMapSelection();
    void CommitSelection();
    void UpdateQuitButton(int player);

    // 0 keyboard, 1 one pad, 2 two pads, from the pads connected at the
    // frame's poll: the first two drive players 1 and 2, others are left out.
    static int32_t DetectControllerMode();

    std::unique_ptr<VXObjectManager> m_objects;
    int32_t m_controllerMode = 0;
    bool m_introDone = false;
    bool m_p1OnBlue = false;
    bool m_p1OnRed = false;
    bool m_p2OnBlue = false;
    bool m_p2OnRed = false;
    bool m_pirateTaken = false;
    bool m_vikingTaken = false;
    bool m_archerTaken = false;
    bool m_knightTaken = false;
    bool m_samuraiTaken = false;
    bool m_maidTaken = false;
    bool m_p1Ready = false;
    bool m_p2Ready = false;
    bool m_mapSelectOpen = false;
    bool m_quitFocused = false;
    float m_p1RepeatTimer = 0.0f;
    float m_p2RepeatTimer = 0.0f;
    GameLevelInitObject m_lineUp[6];

    // The taken flag of a character kind (null for any other value).
    bool* TakenFlag(int32_t kind);

private:
    void BuildObjects();
    void ColourPasses();
    void SlideAndFade();
    // One step of the portraits' highlight; `firstStep` for the frame's first.
    void HighlightPortraits(bool firstStep);
};

// The portrait rows' characters: Archer, Knight, Pirate, Viking, Samurai,
// Maid.
extern const int32_t kPortraitKinds[6];

// Players 3 to 6 of a commit: the four characters players 1 and 2 left, in
// the order the game gives them for that pair; any other pair gives the
// characters left in portrait-row order.
void CharactersLeft(int32_t first, int32_t second, int32_t out[4]);

// Plays a cue of the screen's sound table ("select", "cantSelect",
// "CharSelect") whatever the engine's state.
void PlaySelectScreenCue(const char* name);

// A fifth of the remaining way a step, until within 0.001 vertically.
void SmoothMove(float point[2], const float target[2]);
// Black to full colour over about a second, again and again.
void AnimateColour(GameObject* object, float frameTime);

}  // namespace FrameWork
