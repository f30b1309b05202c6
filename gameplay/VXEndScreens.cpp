// The end of a match: the time-over banner with its sound, then the winning
// side's win screen with its colour plate, the winning character's portrait
// fading in from black and the side's painted share; Enter or Start leaves.
#include <string>

#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayHUD.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXMatchState.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXScreenObjects.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

constexpr uint32_t kFadeInFrame = 9;  // the win screen frame the portrait brightens from
constexpr int kStart = 4;

// The portrait frame of a character kind; -1 for any other kind.
int PortraitFrame(int32_t kind) {
    switch (kind) {
        case GameObject::Archer:
            return 0;
        case GameObject::Knight:
            return 1;
        case GameObject::Pirate:
            return 2;
        case GameObject::Viking:
            return 3;
        case GameObject::Samurai:
            return 4;
        case GameObject::Maid:
            return 5;
        default:
            return -1;
    }
}

void SetColour(VXSpriteComponent* sprite, float value) {
    if (sprite) sprite->red = sprite->green = sprite->blue = value;
}

void Brighten(VXSpriteComponent* sprite) {
    if (!sprite) return;
    sprite->red += 0.1f;
    sprite->green += 0.1f;
    sprite->blue += 0.1f;
}

}  // namespace

void VXMatchFlow::BuildEndScreens() {
    const float w = LayoutWidth();
    const float h = LayoutHeight();
    GameObject* win =
        AddScreenSprite(*objects, "WinScreen", w, h, 0, 0, 152, "WinScreen_FullSpriteSheet.png");
    GameObject* banner = AddScreenSprite(*objects, "TimeOverObj", 600, 390, w, 0, 151,
                                         "GameOverTimeOver_FullSpriteSheet.png");
    GameObject* plate = AddScreenSprite(*objects, "PotraitBase", 604.8f, 352.8f, 0, 0, 200,
                                        "GameOverPortraits_FullSpriteSheet.png");
    GameObject* portrait = AddScreenSprite(*objects, "CharacterPotrait", 604.8f, 352.8f, 0, 0, 250,
                                           "GameOverPortraits_FullSpriteSheet.png");

    if (VXSpriteComponent* sprite = SpriteOf(win)) {
        // Row 0 Blue, row 1 Red.  Both open on the shared gold cells; the
        // Red row holds the last of them for a frame where it once showed
        // cell 13, which is Blue's resting cell.
        sprite->SetFPS(14);
        sprite->SetAnimationCount(2);
        for (int cell : {14, 15, 16, 17, 18, 19, 20, 7, 8, 9, 10, 11, 12, 13})
            sprite->AddFrame(cell, 0);
        for (int cell : {14, 15, 16, 17, 18, 18, 0, 1, 2, 3, 4, 5, 6}) sprite->AddFrame(cell, 1);
        sprite->SetFrame(0);
    }
    AddScreenText(*objects, win, "ForScore", 0.215f * w, -0.335f * h, "- score -", 1, 1, 1);
    if (VXSpriteComponent* sprite = SpriteOf(banner)) {
        sprite->SetFPS(10);
        sprite->SetAnimationCount(1);
        for (int cell : {9, 10, 11, 6, 7, 7, 7, 7, 7, 7, 8, 3, 4, 5, 0, 1, 2})
            sprite->AddFrame(cell, 0);
        sprite->SetFrame(0);
    }
    AddStillRow(SpriteOf(plate), {0, 1});
    AddStillRow(SpriteOf(portrait), {4, 5, 6, 7, 3, 2});

    endScreens = {win, banner, plate, portrait};
    for (GameObject* screen : endScreens) {
        VXSpriteComponent* sprite = SpriteOf(screen);
        if (sprite) {
            sprite->alpha = 0.0f;
            sprite->playing = false;
        }
        screen->SetActive(0);
    }
}

void VXMatchFlow::UpdateTimeUp() {
    if (endScreens.size() < 4) return;
    if (g_winner == 0)
        RunEndScreen(Red);
    else if (g_winner == 1)
        RunEndScreen(Blue);
}

void VXMatchFlow::RunEndScreen(Side side) {
    const int32_t team = side == Blue ? 1 : 2;
    const char* const bar = side == Blue ? "BlueBar" : "RedBar";
    GameObject* win = endScreens[0];
    GameObject* banner = endScreens[1];
    GameObject* plate = endScreens[2];
    GameObject* portrait = endScreens[3];
    VXSpriteComponent* winSprite = SpriteOf(win);
    VXSpriteComponent* portraitSprite = SpriteOf(portrait);

    // The arena stays dimmed behind the screens.
    if (GameObject* overlay = Find("Overlay")) {
        overlay->SetActive(1);
        SetAlpha(overlay, 1.0f);
    }

    if (bannerLatch[side]) {
        VXSpriteComponent* sprite = SpriteOf(banner);
        // A banner with no frames to play counts as played.
        if (TakeOneShotFinished(sprite)) {
            StopCue("TimeUp");
            timeUpPlayed = 0;
            banner->SetActive(0);
            winLatch[side] = 1;
            bannerLatch[side] = 0;
        } else {
            if (!timeUpPlayed) {
                PlayCue("TimeUp", false);
                timeUpPlayed = 1;
            }
            banner->SetActive(1);
            sprite->playOnce = true;
        }
    }

    if (!bannerLatch[side] && winLatch[side] && winSprite) {
        if (!gameOverPlayed) {
            PlayCue("gameover", false);
            gameOverPlayed = 1;
        }
        plate->SetActive(1);
        if (VXSpriteComponent* sprite = SpriteOf(plate)) sprite->SetFrame(side == Blue ? 0 : 1);
        if (winSprite->animation.currentFrame < kFadeInFrame) {
            SetColour(SpriteOf(plate), 0.0f);
            SetColour(portraitSprite, 0.0f);
        }

        // The winning character: the first human player when on the winning
        // side, else the second.
        const std::vector<GameLevelInitObject>& lineUp = FrameContext().lineUp;
        const GameLevelInitObject* winner = nullptr;
        if (!lineUp.empty() && lineUp[0].team == team)
            winner = &lineUp[0];
        else if (lineUp.size() >= 2)
            winner = &lineUp[1];
        portrait->SetActive(1);
        const int frame = winner ? PortraitFrame(winner->characterKind) : -1;
        if (portraitSprite && frame >= 0) portraitSprite->SetFrame(static_cast<uint32_t>(frame));

        win->SetActive(1);
        winSprite->SetAnimation(side == Blue ? 0 : 1);
        winSprite->playing = true;
        VXTextComponent* share = TextOf(win);
        if (share) share->active = 0;

        if (winSprite->animation.currentFrame >= kFadeInFrame && winSprite->red <= 1.0f &&
            portraitSprite && portraitSprite->red <= 1.0f) {
            Brighten(SpriteOf(plate));
            Brighten(portraitSprite);
        }
        if (ShowsLastFrameOf(winSprite, side == Blue ? 0 : 1)) {
            if (share) {
                share->active = 1;
                share->SetText(std::to_string(VXGameplayHUD::ReadTextNumber(bar)) + " %");
            }
            winSprite->playing = false;
        }
    }

    // Leaving, at any moment of the sequence.
    if (IsKeyTriggered(Platform::VK::Return) || IsButtonTriggered(kStart, PlayerPad(0)) ||
        IsButtonTriggered(kStart, PlayerPad(1))) {
        StopCue("gameover");
        g_matchOver = 0;
        gameOverPlayed = 0;
        bannerLatch[side] = 1;
        winLatch[side] = 0;
        FrameContext().nextState = ReturnState();
    }
}

}  // namespace FrameWork
