// The screen-space interface that surrounds a match: the start countdown,
// the pause overlay and its four pages, the time-over banner and the win
// screen.  Built at the start of every match state, torn down at its end and
// stepped once a frame by the main loop.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace FrameWork {

class GameObject;
class VXObjectManager;
class SoundCue;

class VXMatchFlow {
public:
    VXMatchFlow();
    ~VXMatchFlow();
    // A new engine starts from a fresh flow.
    VXMatchFlow(VXMatchFlow&&) noexcept;
    VXMatchFlow& operator=(VXMatchFlow&&) noexcept;

    // Called by the main loop at each state start: 1 for a match state,
    // 0 for the editor and the screens.
    void LoadStateUI(int flag);
    // Once a frame, after the level and physics updates.
    void Update();
    // When a state ends.
    void Reset();
    // At shut-down.
    void Clear();

    void BuildStartCountdown();
    void BuildPauseMenus();
    void BuildEndScreens();

    // The pause pages, one a frame while paused.
    void UpdateOverallMenu();
    void UpdateHowToPlayMenu();
    void UpdateOptionsMenu();
    void UpdateQuitMenu();

    // The end sequence of the winning side once the match is decided.
    void UpdateTimeUp();
    enum Side { Red = 0, Blue = 1 };
    void RunEndScreen(Side side);

    // The object of this flow named `name`, or null.
    GameObject* Find(const std::string& name) const;

    // Pause pages: 0 "OverallMenu", 1 "HowToPlayMenu", 2 "OptionsMenu",
    // 3 "QuitMenu".
    std::vector<GameObject*> pages;
    // 0 "WinScreen", 1 "TimeOverObj", 2 "PotraitBase", 3 "CharacterPotrait".
    std::vector<GameObject*> endScreens;
    // Owns every object of the flow; null outside a match state.
    std::unique_ptr<VXObjectManager> objects;
    // The page shown while paused; null outside a match state.
    GameObject* currentPage = nullptr;
    // 1 while a match level runs; the main loop hands it to the pause toggle.
    uint8_t matchUI = 0;
    // The running match level's sounds; each match level points it at its
    // own map in its Initialize.
    std::map<std::string, SoundCue>* soundMap = nullptr;

    // Where the flow stands.
    uint8_t countdownStarted = 0;
    float overlayAlpha = 0.0f;
    int32_t pageNumber = 0;
    float repeatTimer[2] = {0.0f, 0.0f};
    int32_t overallIndex = 0;
    int32_t quitIndex = 1;
    // End sequence: per side (Red, Blue) the banner is still to come or the
    // win screen is showing; the two sounds play once per sequence.
    uint8_t bannerLatch[2] = {1, 1};
    uint8_t winLatch[2] = {0, 0};
    uint8_t timeUpPlayed = 0;
    uint8_t gameOverPlayed = 0;

private:
    // Plays a cue of the level's sound map; `always` ignores the engine's
    // active flag.  A name the map does not hold plays nothing.
    void PlayCue(const char* name, bool always);
    void StopCue(const char* name);
    // Makes `page` current and shows its page number.
    void ShowPage(int32_t page);
    // The state a match goes back to: the title (7) when it was started
    // from there, else the selection screen (8).
    static int32_t ReturnState();
};

// The process's one match flow (the engine keeps a reference to it).
VXMatchFlow& MatchFlow();

// Registers the glyph sets the menus and the HUD draw with: "Volume" 35,
// "VolumeSplash" 60, "ForScore" 40, "Timer" 65 and "RedBlueScore" 40 pixels.
// The loading screen calls it once; a set already registered is kept.
void InitMatchUIResources();

}  // namespace FrameWork
