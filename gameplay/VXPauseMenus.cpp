// The pause overlay and its four pages: overall (resume, how to play,
// options, quit), how to play, options (window mode and volume) and the quit
// confirmation.  Both players drive them with keys, D-pads, A and B, and
// the left sticks of their pads (one move per 0.3 s while held).
#include <algorithm>
#include <string>

#include "core/VXFrameContext.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXScreenObjects.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

namespace VK = Platform::VK;

constexpr float kRepeat = 0.3f;  // seconds between stick moves
enum Button { A = 0, B = 1, DPadUp = 6, DPadDown = 7, DPadLeft = 8, DPadRight = 9 };
enum Direction { Up, Down, Left, Right };

bool Pressed(int vk) {
    return IsKeyTriggered(vk);
}
bool ButtonPressed(int button) {
    return IsButtonTriggered(button, PlayerPad(0)) || IsButtonTriggered(button, PlayerPad(1));
}

// A stick pushed that way on player 1's or player 2's pad whose repeat
// timer has run out.
bool StickMoved(const float timers[2], Direction direction) {
    for (int player = 0; player < 2; ++player) {
        if (timers[player] > 0.0f) continue;
        const VXStick stick = GetStick(PlayerPad(player));
        const bool moved = direction == Up     ? stick.y > 0.0f
                           : direction == Down ? stick.y < 0.0f
                           : direction == Left ? stick.x < 0.0f
                                               : stick.x > 0.0f;
        if (moved) return true;
    }
    return false;
}

bool Moved(const float timers[2], Direction direction) {
    static const int kKeys[] = {VK::Up, VK::Down, VK::Left, VK::Right};
    static const int kPads[] = {DPadUp, DPadDown, DPadLeft, DPadRight};
    return Pressed(kKeys[direction]) || ButtonPressed(kPads[direction]) ||
           StickMoved(timers, direction);
}

void RestartRepeat(float timers[2]) {
    for (int pad = 0; pad < 2; ++pad)
        if (timers[pad] <= 0.0f) timers[pad] = kRepeat;
}

uint32_t ShownFrame(const GameObject* object) {
    const VXSpriteComponent* sprite = SpriteOf(object);
    return sprite ? sprite->animation.currentFrame : 0;
}

void Show(GameObject* object, uint32_t frame) {
    if (VXSpriteComponent* sprite = SpriteOf(object)) sprite->SetFrame(frame);
}

// The master volume in tenths, as the options page shows it.
std::string VolumeText() {
    return std::to_string(static_cast<int>(FrameContext().masterVolume * 10.0f + 0.05f));
}

}  // namespace

void VXMatchFlow::BuildPauseMenus() {
    const float w = LayoutWidth();
    const float h = LayoutHeight();
    struct Page {
        const char* name;
        float width, height, x, y;
        const char* texture;
    };
    const Page kObjects[] = {
        {"Overlay", 2 * w, 2 * h, w / 2, h / 2, "Pause_Overlay.png"},
        {"OverallMenu", 1000, 1200, 40, h / 2, "Pause_Menu.png"},
        {"SecondOverlay", 2 * w, 2 * h, w / 2, h / 2, "Pause_Overlay.png"},
        {"HowToPlayMenu", 1050, 580, w / 2, h / 2, "Pause_HowToPlay.png"},
        {"OptionsMenu", 1000, 600, w / 2, h / 2, "PauseOptions_FullSpritesheet.png"},
        {"QuitMenu", 550, 270, 600, 440, "Pause_Quit.png"},
    };
    int layer = 100;
    for (const Page& page : kObjects)
        AddScreenSprite(*objects, page.name, page.width, page.height, page.x, page.y, layer++,
                        page.texture);
    GameObject* overall = Find("OverallMenu");
    GameObject* options = Find("OptionsMenu");
    GameObject* quit = Find("QuitMenu");
    AddStillRow(SpriteOf(overall), {0, 1, 2, 3});
    AddStillRow(SpriteOf(options), {0, 1, 2, 3});
    AddStillRow(SpriteOf(quit), {0, 1});
    Show(quit, 1);
    // On the page's volume line: the page keeps its size in any shape of
    // window, and the digit its place on it.
    AddScreenText(*objects, options, "Volume", 0.045f * kLayoutWidth, -0.0575f * kLayoutHeight,
                  VolumeText(), 234.0f / 255.0f, 173.0f / 255.0f, 19.0f / 255.0f);
    for (GameObject* object : objects->objects) object->SetActive(0);

    pages = {overall, Find("HowToPlayMenu"), options, quit};
    overallIndex = 0;
    quitIndex = 1;
}

void VXMatchFlow::UpdateOverallMenu() {
    if (!currentPage || currentPage->g_name != "OverallMenu") return;
    bool moved = false;
    if (Moved(repeatTimer, Up)) {
        overallIndex = overallIndex == 0 ? 3 : overallIndex - 1;
        moved = true;
    } else if (Moved(repeatTimer, Down)) {
        overallIndex = overallIndex == 3 ? 0 : overallIndex + 1;
        moved = true;
    }
    if (moved) {
        PlayCue("CharSelect", true);
        Show(currentPage, static_cast<uint32_t>(overallIndex));
        RestartRepeat(repeatTimer);
    }
    if (Pressed(VK::Return) || ButtonPressed(A)) {
        PlayCue("select", false);
        const uint32_t item = ShownFrame(currentPage);
        if (item == 0)
            FrameContext().paused = 0;
        else if (item <= 3)
            ShowPage(static_cast<int32_t>(item));
    } else if (ButtonPressed(B)) {
        // Back from the first page is back to the match, as B is on the
        // inner pages.
        PlayCue("select", false);
        FrameContext().paused = 0;
    }
}

void VXMatchFlow::UpdateHowToPlayMenu() {
    if (!currentPage || currentPage->g_name != "HowToPlayMenu") return;
    if (GameObject* overlay = Find("SecondOverlay")) overlay->SetActive(1);
    currentPage->SetActive(1);
    if (Pressed(VK::Return) || ButtonPressed(B)) {
        PlayCue("select", false);
        ShowPage(0);
    }
}

void VXMatchFlow::UpdateOptionsMenu() {
    if (!currentPage || currentPage->g_name != "OptionsMenu") return;
    GameObject* options = currentPage;
    if (GameObject* overlay = Find("SecondOverlay")) overlay->SetActive(1);
    options->SetActive(1);
    // Frames: +2 in full screen, +1 while the volume item is highlighted.
    uint32_t item = ShownFrame(options);
    if (item == 0 && fullScreen) {
        item = 2;
        Show(options, item);
    }
    if (Pressed(VK::Return) || ButtonPressed(B)) {
        PlayCue("select", true);
        ShowPage(0);
    }
    if (Moved(repeatTimer, Down) || Moved(repeatTimer, Up)) {
        PlayCue("CharSelect", true);
        const uint32_t shown = ShownFrame(options);
        if (fullScreen)
            Show(options, shown == 2 ? 3 : 2);
        else
            Show(options, shown == 0 ? 1 : 0);
        RestartRepeat(repeatTimer);
    }
    if ((item == 0 || item == 2) && (Pressed(VK::RShift) || ButtonPressed(A))) {
        PlayCue("select", true);
        if (fullScreen) {
            SetWindowed(screenWidth, screenHeight);
            Show(options, 0);
        } else {
            MakeBorderlessFullscreen();
            Show(options, 2);
        }
    }
    if (item == 1 || item == 3) {
        // Ten steps of 0.1 do not add up to exactly 0 or 1: keep the volume
        // within its bounds.
        float& volume = FrameContext().masterVolume;
        bool stepped = false;
        if (Moved(repeatTimer, Left)) {
            volume = volume > 0.0f ? volume - 0.1f : 0.0f;
            stepped = true;
        } else if (Moved(repeatTimer, Right)) {
            volume = volume < 1.0f ? volume + 0.1f : 1.0f;
            stepped = true;
        }
        if (stepped) {
            volume = std::clamp(volume, 0.0f, 1.0f);
            if (VXTextComponent* text = TextOf(options)) text->SetText(VolumeText());
            RestartRepeat(repeatTimer);
        }
    }
}

void VXMatchFlow::UpdateQuitMenu() {
    if (!currentPage || currentPage->g_name != "QuitMenu") return;
    if (GameObject* overlay = Find("SecondOverlay")) overlay->SetActive(1);
    currentPage->SetActive(1);
    // Two items: either direction toggles.
    if (Moved(repeatTimer, Left) || Moved(repeatTimer, Right)) {
        PlayCue("CharSelect", true);
        quitIndex = quitIndex == 0 ? 1 : 0;
        Show(currentPage, static_cast<uint32_t>(quitIndex));
        RestartRepeat(repeatTimer);
    }
    if (Pressed(VK::Return) || ButtonPressed(A)) {
        PlayCue("select", true);
        if (ShownFrame(currentPage) == 0) {
            FrameContext().paused = 0;
            FrameContext().nextState = ReturnState();
        } else {
            ShowPage(0);
        }
        pageNumber = 0;
    }
}

}  // namespace FrameWork
