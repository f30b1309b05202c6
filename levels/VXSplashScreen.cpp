#include "levels/VXSplashScreen.h"

#include <algorithm>
#include <map>
#include <string>

#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "levels/VXScreenObjects.h"
#include "objects/GameObject.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

namespace VK = Platform::VK;

// Logical pad buttons.
constexpr int kPadA = 0, kPadB = 1, kPadStart = 4, kPadUp = 6, kPadDown = 7, kPadLeft = 8,
              kPadRight = 9;

constexpr float kLogoStep = 0.005f;
constexpr float kTick = 1.0f / 60.0f;
constexpr float kMenuCooldown = 0.3f;
const char* const kSheet = "MainMenu_FullSpriteSheet.png";
const char* const kLogos[3] = {"SplashScreen_ZT", "SplashScreen_TeamLogo",
                               "SplashScreen_SupportsGP"};
const char* const kTitleObjects[3] = {"TitleName", "TitleBG", "TitleButtons"};

// The screen's sounds by name (index in the audio list, loop flag).
std::map<std::string, SoundCue> g_sounds;
// The logo the fade writes to, by its index in kLogos.
int g_currentLogo = 0;

void Play(const char* name) {
    auto cue = g_sounds.find(name);
    if (cue != g_sounds.end()) cue->second.Play();
}

// Player 1's left stick, read whether or not input is blocked.
VXStick Stick() {
    return GetGamepadState(PlayerPad(0)).GetThumbStick();
}

// The menu's inputs; each test stops at the first source that answers, so a
// pad press is used up only when the keyboard did not answer first.
bool UpPressed(float cooldown) {
    return IsKeyTriggered(VK::Up) || IsButtonTriggered(kPadUp, PlayerPad(0)) ||
           (cooldown <= 0.0f && Stick().y > 0.0f);
}
bool DownPressed(float cooldown) {
    return IsKeyTriggered(VK::Down) || IsButtonTriggered(kPadDown, PlayerPad(0)) ||
           (cooldown <= 0.0f && Stick().y < 0.0f);
}
bool LeftPressed(float cooldown) {
    return IsKeyTriggered(VK::Left) || IsButtonTriggered(kPadLeft, PlayerPad(0)) ||
           (cooldown <= 0.0f && Stick().x < 0.0f);
}
bool RightPressed(float cooldown) {
    return IsKeyTriggered(VK::Right) || IsButtonTriggered(kPadRight, PlayerPad(0)) ||
           (cooldown <= 0.0f && Stick().x > 0.0f);
}
bool ConfirmPressed() {
    return IsKeyTriggered(VK::Space) || IsButtonTriggered(kPadA, PlayerPad(0));
}
bool BackPressed() {
    return IsKeyTriggered(VK::Back) || IsButtonTriggered(kPadB, PlayerPad(0));
}
bool SkipPressed() {
    return IsKeyTriggered(VK::Return) || IsKeyTriggered(VK::LButton) ||
           IsButtonTriggered(kPadStart, PlayerPad(0)) || IsButtonTriggered(kPadStart, PlayerPad(1));
}

// A short buzz on player 1's pad for the menu's confirm and back, when it
// answers (the frame's poll says so; polling again here would lose the
// presses latched for this frame).
void BuzzPlayerPad() {
    std::vector<VXGamepad>& pads = VXInputManager::Instance()->pads;
    const int index = PlayerPad(0);
    if (index < 0 || index >= static_cast<int>(pads.size())) return;
    VXGamepad& pad = pads[static_cast<size_t>(index)];
    if (!pad.connected) return;
    pad.vibration.wLeftMotorSpeed = 3276;
    pad.vibration.wRightMotorSpeed = 9830;
    if (pad.vibrationTimer < 0.0f) pad.vibrationTimer = 0.25f;
    pad.ApplyVibration();
}

// The menu reads its highlighted item and panel line off the buttons'
// sprite (its row and frame).  Without the sheet nothing is drawn, but the
// frame is kept all the same, so the menu still answers as it should.
void ShowFrame(VXSpriteComponent* sprite, uint32_t frame) {
    sprite->SetFrame(frame);
    sprite->animation.currentFrame = frame;
}

uint32_t RowFrames(const VXSpriteComponent* sprite) {
    const auto* row = sprite->animation.CurrentRow();
    return row ? static_cast<uint32_t>(row->size()) : 0;
}

}  // namespace

VXSplashScreen::VXSplashScreen() = default;
VXSplashScreen::~VXSplashScreen() = default;

void VXSplashScreen::Initialize() {
    ForgetReportedMisses();
    titleShown = false;
    std::fill(std::begin(panelOpen), std::end(panelOpen), false);
    objects = std::make_unique<VXObjectManager>();
    VXFrameContext& frame = FrameContext();

    FillSoundTable(g_sounds,
                   {{"MenuBGM", 12, true}, {"CharSelect", 22, false}, {"select", 9, false}});

    const struct {
        const char* image;
        float w, h;
    } logos[3] = {{"Splash_screen_ZT.png", 1525.0f, 445.0f},
                  {"StudioLog.png", 800.0f, 763.0f},
                  {"SupportsController.png", 600.0f, 480.0f}};
    for (int i = 0; i < 3; ++i) {
        GameObject* logo =
            MakeSpriteObject(*objects, kLogos[i], GameObject::Menu, 0, 0, logos[i].w, logos[i].h);
        VXSpriteComponent* sprite = SpriteOf(logo);
        sprite->alpha = 0.0f;
        GiveImage(sprite, logos[i].image);
    }

    const float w = LayoutWidth(), h = LayoutHeight();
    GameObject* name = MakeSpriteObject(*objects, "TitleName", GameObject::Menu, 0, 0, w, h);
    VXSpriteComponent* sprite = SpriteOf(name);
    GiveImage(sprite, kSheet);
    SetSheetRows(sprite, {{30, 31, 32, 33, 34}});
    sprite->playing = true;
    sprite->SetFPS(12);
    sprite->layer = 5;
    SetObjectActive(name, false);

    GameObject* background = MakeSpriteObject(*objects, "TitleBG", GameObject::Menu, 0, 0, w, h);
    sprite = SpriteOf(background);
    GiveImage(sprite, kSheet);
    SetSheetRows(sprite, {{0}});
    sprite->playing = false;
    sprite->SetFPS(12);
    SetObjectActive(background, false);

    GameObject* buttons = MakeSpriteObject(*objects, "TitleButtons", GameObject::Menu, 0, 0, w, h);
    sprite = SpriteOf(buttons);
    GiveImage(sprite, kSheet);
    SetSheetRows(sprite, {{5, 6}, {10, 11}, {15, 16, 17, 18, 19}, {20, 21}, {25, 26}});
    // Without the sheet the five rows stay empty, but they are there to be
    // selected: the highlight must not rest on QUIT.
    if (sprite->animation.frameRows.empty()) sprite->SetAnimationCount(TitlePlay + 1);
    sprite->playing = false;
    sprite->SetFPS(12);
    sprite->layer = 1;
    objects->AddTextComponent(buttons, 0);
    if (VXTextComponent* text = TextOf(buttons)) {
        VXGraphicsManager::Instance()->AssignFont("VolumeSplash", text);
        text->red = 234.0f / 255.0f;
        text->green = 173.0f / 255.0f;
        text->blue = 19.0f / 255.0f;
    }
    PlaceVolumeText(buttons);
    SetVolumeText(buttons);
    SetObjectActive(buttons, false);

    SetClearColour(0.0f, 0.0f, 0.0f, 1.0f);
    // A visit that follows the loading screen shows the logos from the
    // start; any other visit (back from the selection screen or a match)
    // shows the title at once.
    if (frame.previousState == GameState::LoadingScreen) {
        phase = SplashLogo1;
        logoTimer = 0.0f;
        logoAlpha = 0.0f;
        g_currentLogo = 0;
    } else {
        ShowTitle();
    }
}

void VXSplashScreen::ShowTitle() {
    phase = SplashTitle;
    for (const char* name : kTitleObjects) {
        GameObject* object = FindScreenObject(*objects, name);
        SetObjectActive(object, true);
        if (VXSpriteComponent* sprite = SpriteOf(object)) sprite->alpha = 1.0f;
    }
    GameObject* buttons = FindScreenObject(*objects, "TitleButtons");
    if (VXSpriteComponent* sprite = SpriteOf(buttons)) {
        sprite->SetAnimation(TitlePlay);
        ShowFrame(sprite, 0);
    }
    // The volume digits belong to the options panel only.
    if (VXTextComponent* text = TextOf(buttons)) text->active = 0;
    titleShown = true;
}

void VXSplashScreen::SetVolumeText(GameObject* buttons) {
    if (VXTextComponent* text = TextOf(buttons))
        text->SetText(
            std::to_string(static_cast<int>(FrameContext().masterVolume * 10.0f + 0.05f)));
}

void VXSplashScreen::FadeLogo() {
    if (phase == SplashTitle) return;
    const bool last = phase == SplashLogo3;
    const float turn = last ? 2.0f : 3.0f;
    const float end = last ? 4.0f : 6.0f;
    logoAlpha += logoTimer < turn ? kLogoStep : -kLogoStep;
    logoTimer += kTick;
    if (VXSpriteComponent* logo = FindScreenSprite(*objects, kLogos[g_currentLogo]))
        logo->alpha = logoAlpha;
    if (logoTimer < end) return;
    logoAlpha = 0.0f;
    logoTimer = 0.0f;
    if (last) {
        ShowTitle();
        return;
    }
    ++phase;
    g_currentLogo = phase;
}

void VXSplashScreen::Update() {
    VXFrameContext& frame = FrameContext();
    // The cooldown and the logos move on by the frame's steps of 1/60 s, so
    // they take the same seconds at any frame rate.
    const int32_t steps = frame.frameSteps;
    for (int32_t step = 0; step < steps && inputCooldown > 0.0f; ++step) inputCooldown -= kTick;

    if (phase == SplashTitle) {
        g_sounds["MenuBGM"].UpdateLoop();
        if (titleShown) {
            if (GameObject* buttons = FindScreenObject(*objects, "TitleButtons")) {
                UpdateButtonFrame(buttons);
                UpdateTitleMenu(buttons);
                if (VXTextComponent* text = TextOf(buttons)) text->active = panelOpen[TitleOptions];
            }
        }
    }

    for (int32_t step = 0; step < steps && phase != SplashTitle; ++step) FadeLogo();

    if (phase == SplashTitle && IsKeyTriggered(VK::Return))
        frame.nextState = GameState::LevelSelectScreen;

    // The first logo cannot be skipped.
    if (phase != SplashTitle && g_currentLogo != 0 && SkipPressed()) {
        if (VXSpriteComponent* logo = FindScreenSprite(*objects, kLogos[g_currentLogo]))
            logo->alpha = 0.0f;
        ShowTitle();
    }
}

void VXSplashScreen::UpdateButtonFrame(GameObject* buttons) {
    VXSpriteComponent* sprite = SpriteOf(buttons);
    if (!sprite) return;
    const int row = sprite->animation.currentRowIndex;
    if (panelOpen[TitleQuit]) {
        if (sprite->texture && RowFrames(sprite) >= 2) sprite->SetFrame(1);
    } else if (row == TitleQuit) {
        ShowFrame(sprite, 0);
    } else if (panelOpen[TitleInfo]) {
        ShowFrame(sprite, 1);
    } else if (row == TitleInfo) {
        ShowFrame(sprite, 0);
    } else if (panelOpen[TitleOptions]) {
        if (sprite->animation.currentFrame == 0) ShowFrame(sprite, fullScreen ? 3 : 1);
        UpdateOptions(buttons);
    } else if (row == TitleOptions) {
        ShowFrame(sprite, 0);
    } else if (panelOpen[TitleQuickMatch]) {
        ShowFrame(sprite, 1);
    } else if (row == TitleQuickMatch) {
        ShowFrame(sprite, 0);
    }
}

void VXSplashScreen::UpdateTitleMenu(GameObject* buttons) {
    VXSpriteComponent* sprite = SpriteOf(buttons);
    if (!sprite) return;
    VXFrameContext& frame = FrameContext();
    int item = sprite->animation.currentRowIndex;

    const bool anyPanel = panelOpen[0] || panelOpen[1] || panelOpen[2] || panelOpen[3];
    if (!anyPanel) {
        int moved = -1;
        if (UpPressed(inputCooldown))
            moved = item == TitlePlay ? TitleQuit : item + 1;
        else if (DownPressed(inputCooldown))
            moved = item == TitleQuit ? TitlePlay : item - 1;
        if (moved >= 0) {
            Play("CharSelect");
            sprite->SetAnimation(moved);
            ShowFrame(sprite, 0);
            inputCooldown = kMenuCooldown;
            item = sprite->animation.currentRowIndex;
        }
    }

    if (ConfirmPressed()) {
        Play("select");
        BuzzPlayerPad();
        switch (item) {
            case TitleQuit:
                if (panelOpen[TitleQuit]) frame.nextState = GameState::Quit;
                panelOpen[TitleQuit] = true;
                break;
            case TitleInfo:
                panelOpen[TitleInfo] = true;
                break;
            case TitleOptions:
                panelOpen[TitleOptions] = true;
                break;
            case TitleQuickMatch:
                if (panelOpen[TitleQuickMatch]) frame.nextState = GameState::Level0;
                panelOpen[TitleQuickMatch] = true;
                break;
            case TitlePlay:
                frame.nextState = GameState::LevelSelectScreen;
                break;
            default:
                break;
        }
    }

    if (BackPressed()) {
        BuzzPlayerPad();
        if (item >= TitleQuit && item < TitlePlay) panelOpen[item] = false;
    }
}

void VXSplashScreen::UpdateOptions(GameObject* buttons) {
    VXSpriteComponent* sprite = SpriteOf(buttons);
    if (!sprite) return;
    VXFrameContext& frame = FrameContext();
    if (VXTextComponent* text = TextOf(buttons)) text->active = 1;

    // The frame tells the window mode and the highlighted line: 1 and 2
    // windowed, 3 and 4 full screen; 2 and 4 the volume line.
    if (UpPressed(inputCooldown) || DownPressed(inputCooldown)) {
        Play("CharSelect");
        inputCooldown = kMenuCooldown;
        const uint32_t current = sprite->animation.currentFrame;
        if (fullScreen)
            ShowFrame(sprite, current == 4 ? 3 : 4);
        else
            ShowFrame(sprite, current == 2 ? 1 : 2);
    }

    const uint32_t line = sprite->animation.currentFrame;
    if (line == 2 || line == 4) {
        float& volume = frame.masterVolume;
        bool changed = true;
        if (LeftPressed(inputCooldown))
            volume = std::max(0.0f, volume - 0.1f);
        else if (RightPressed(inputCooldown))
            volume = std::min(1.0f, volume + 0.1f);
        else
            changed = false;
        if (changed) {
            inputCooldown = kMenuCooldown;
            SetVolumeText(buttons);
        }
    }

    if (ConfirmPressed()) {
        Play("select");
        BuzzPlayerPad();
        const uint32_t current = sprite->animation.currentFrame;
        if (current == 3) {
            SetWindowed(screenWidth, screenHeight);
            RescaleToScreen();
            ShowFrame(sprite, 1);
        } else if (current == 1) {
            MakeBorderlessFullscreen();
            RescaleToScreen();
            ShowFrame(sprite, 3);
        }
    }
}

void VXSplashScreen::RescaleToScreen() {
    for (GameObject* object : objects->objects) {
        object->scale[0] = LayoutWidth();
        object->scale[1] = LayoutHeight();
        object->UpdateTransform();
    }
    PlaceVolumeText(FindScreenObject(*objects, "TitleButtons"));
}

void VXSplashScreen::PlaceVolumeText(GameObject* buttons) {
    // On the options panel's volume line: (1368, 414) of a 1600 x 900
    // picture, counted from its bottom-left corner; texts are placed around
    // the window's centre, so the same share of the picture, which spans
    // the window.
    if (VXTextComponent* text = TextOf(buttons))
        text->SetPosition((1368.0f / 1600.0f - 0.5f) * LayoutWidth(),
                          (414.0f / 900.0f - 0.5f) * LayoutHeight());
}

void VXSplashScreen::Free() {
    VXAudioManager::Instance()->StopChannel(12);
    objects.reset();
}

}  // namespace FrameWork
