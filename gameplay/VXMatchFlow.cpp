#include "gameplay/VXMatchFlow.h"

#include <algorithm>

#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXScreenObjects.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"

namespace FrameWork {

namespace {

constexpr float kOverlayFade = 5.0f;  // overlay alpha per second
constexpr float kMenuX = 350.0f;      // where the overlay and the overall page rest
// The pause objects that only their own page shows: "SecondOverlay" to
// "QuitMenu", by their place in the object list.
constexpr size_t kFirstInnerPage = 2;
constexpr size_t kLastInnerPage = 5;
// The sounds the pause menus play, which keep playing while all else is
// paused.
const char* const kMenuCues[] = {"select", "CharSelect"};

}  // namespace

VXMatchFlow::VXMatchFlow() = default;
VXMatchFlow::~VXMatchFlow() = default;
VXMatchFlow::VXMatchFlow(VXMatchFlow&&) noexcept = default;
VXMatchFlow& VXMatchFlow::operator=(VXMatchFlow&&) noexcept = default;

GameObject* VXMatchFlow::Find(const std::string& name) const {
    return objects ? objects->FindObject(name) : nullptr;
}

VXMatchFlow& MatchFlow() {
    static VXMatchFlow flow;
    return flow;
}

void VXMatchFlow::LoadStateUI(int flag) {
    matchUI = flag ? 1 : 0;
    if (!matchUI) return;
    FrameContext().active = 0;
    // A match left during its countdown or its end sequence must not carry
    // that into the next one.
    countdownStarted = 0;
    timeUpPlayed = 0;
    gameOverPlayed = 0;
    std::fill(std::begin(bannerLatch), std::end(bannerLatch), 1);
    std::fill(std::begin(winLatch), std::end(winLatch), 0);
    g_secondAccumulator = 0.0f;

    pages.clear();
    endScreens.clear();
    objects = std::make_unique<VXObjectManager>();
    BuildPauseMenus();
    BuildEndScreens();
    BuildStartCountdown();
    currentPage = pages.empty() ? nullptr : pages.front();
    pageNumber = 0;
    for (GameObject* object : objects->objects) object->SetActive(1);
    repeatTimer[0] = repeatTimer[1] = 0.0f;
    VXGameplayHUD::LoadHUD(true);
}

void VXMatchFlow::BuildStartCountdown() {
    const float w = LayoutWidth();
    const float h = LayoutHeight();
    GameObject* countdown = AddScreenSprite(*objects, "StartScreenCount", 539.0f, 266.0f, w / 2.0f,
                                            h / 2.0f, 300, "GameStart_FullSpriteSheet.png");
    VXSpriteComponent* sprite = SpriteOf(countdown);
    if (sprite) sprite->SetFPS(10);
    // The first five cells of each sheet row, bottom row first.
    AddStillRow(sprite, {24, 25, 26, 27, 28, 18, 19, 20, 21, 22, 12, 13, 14,
                         15, 16, 6,  7,  8,  9,  10, 0,  1,  2,  3,  4});
    countdown->SetActive(0);
}

void VXMatchFlow::Update() {
    if (!matchUI || !objects) return;
    VXFrameContext& frame = FrameContext();
    const float dt = frame.frameTime;
    const float w = LayoutWidth();
    const float h = LayoutHeight();

    GameObject* countdown = Find("StartScreenCount");
    VXSpriteComponent* count = SpriteOf(countdown);
    // The menus' repeat timers run on the frame's steps: a stall past a
    // quarter second does not count in full.
    for (float& timer : repeatTimer)
        if (timer > 0.0f) timer -= SteppedFrameTime();

    // The countdown holds the match until its last frame has shown; one
    // without frames to play lets the match start at once.
    if (!frame.active && !countdownStarted) {
        if (countdown) countdown->SetActive(1);
        if (count) count->playing = count->playOnce = true;
        PlayCue("Matchstarted", false);
        countdownStarted = 1;
    } else if (countdownStarted && TakeOneShotFinished(count)) {
        if (countdown) countdown->SetActive(0);
        if (count) {
            count->SetFrame(0);
            count->playing = false;
            count->playOnce = false;
        }
        countdownStarted = 0;
        frame.active = 1;
    }

    // The overlay fades in while paused and out after.
    g_hudPaused = frame.paused;
    if (frame.paused) {
        if (overlayAlpha < 1.0f) overlayAlpha = std::min(overlayAlpha + kOverlayFade * dt, 1.0f);
    } else {
        pageNumber = 0;
        currentPage = pages.empty() ? nullptr : pages.front();
        overlayAlpha =
            overlayAlpha > 0.0f ? std::max(overlayAlpha - kOverlayFade * dt, 0.0f) : 0.0f;
    }

    for (GameObject* object : objects->objects) {
        if (object == countdown) {
            object->position[0] = w / 2.0f;
        } else {
            object->SetActive(frame.paused || overlayAlpha > 0.1f ? 1 : 0);
            SetAlpha(object, overlayAlpha);
            object->position[0] = kMenuX;
        }
        object->position[1] = h / 2.0f;
        object->UpdateTransform();
    }
    for (GameObject* screen : endScreens) {
        screen->SetActive(0);
        SetAlpha(screen, 1.0f);
        PlaceAt(screen, w / 2.0f, h / 2.0f);
    }
    for (size_t i = kFirstInnerPage; i <= kLastInnerPage && i < objects->objects.size(); ++i) {
        PlaceAt(objects->objects[i], w / 2.0f, h / 2.0f);
        objects->objects[i]->SetActive(0);
    }

    if (g_hudPaused) {
        switch (pageNumber) {
            case 0:
                UpdateOverallMenu();
                break;
            case 1:
                UpdateHowToPlayMenu();
                break;
            case 2:
                UpdateOptionsMenu();
                break;
            case 3:
                UpdateQuitMenu();
                break;
            default:
                break;
        }
        // Everything stands still but the menu's own sounds.
        std::vector<int> menuChannels;
        for (const char* name : kMenuCues) {
            if (!soundMap) break;
            auto cue = soundMap->find(name);
            if (cue != soundMap->end()) menuChannels.push_back(cue->second.index);
        }
        VXAudioManager* audio = VXAudioManager::Instance();
        for (size_t i = 0; i < audio->channels.size(); ++i) {
            const int channel = static_cast<int>(i);
            if (audio->channels[i].played &&
                std::find(menuChannels.begin(), menuChannels.end(), channel) == menuChannels.end())
                audio->SetPaused(channel, true);
        }
    }
    VXGameplayHUD::Update();
    UpdateTimeUp();
}

void VXMatchFlow::Reset() {
    if (!matchUI) return;
    pages.clear();
    endScreens.clear();
    if (objects) objects->Clear();
    objects.reset();
    currentPage = nullptr;
    VXGameplayHUD::ClearRecords();
    VXPaintMap::TeamTileCount[0] = 0;
    VXPaintMap::TeamTileCount[1] = 0;
}

void VXMatchFlow::Clear() {
    if (objects) objects->Clear();
    objects.reset();
    std::vector<GameObject*>().swap(endScreens);
    std::vector<GameObject*>().swap(pages);
    currentPage = nullptr;
    soundMap = nullptr;
    matchUI = 0;
    VXGameplayHUD::ClearRecords();
}

void VXMatchFlow::PlayCue(const char* name, bool always) {
    if (!soundMap) return;
    auto cue = soundMap->find(name);
    if (cue == soundMap->end()) return;
    if (always)
        cue->second.PlayAlways();
    else
        cue->second.Play();
}

void VXMatchFlow::StopCue(const char* name) {
    if (!soundMap) return;
    auto cue = soundMap->find(name);
    if (cue != soundMap->end()) VXAudioManager::Instance()->StopChannel(cue->second.index);
}

void VXMatchFlow::ShowPage(int32_t page) {
    pageNumber = page;
    currentPage = static_cast<size_t>(page) < pages.size() ? pages[page] : nullptr;
}

int32_t VXMatchFlow::ReturnState() {
    return FrameContext().previousState == GameState::SplashScreen ? GameState::SplashScreen
                                                                   : GameState::LevelSelectScreen;
}

void InitMatchUIResources() {
    static const struct {
        const char* name;
        int pixels;
    } kSets[] = {{"Volume", 35},
                 {"VolumeSplash", 60},
                 {"ForScore", 40},
                 {"Timer", 65},
                 {"RedBlueScore", 40}};
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    for (const auto& set : kSets)
        if (!graphics->FindFont(set.name)) graphics->AddFont(set.pixels, set.name);
}

}  // namespace FrameWork
