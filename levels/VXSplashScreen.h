// State 7: three logos, each fading in and out, then the title: an animated
// name over a background and a five-item menu (quit, how to play, options,
// quick match, play) with its panels.
#pragma once

#include <cstdint>
#include <memory>

#include "core/VXLevel_Base.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;
class VXSpriteComponent;

// Menu items, which are also the rows of the "TitleButtons" sheet.
enum VXTitleItem : int32_t {
    TitleQuit = 0,
    TitleInfo = 1,
    TitleOptions = 2,
    TitleQuickMatch = 3,
    TitlePlay = 4,
};

// Phases of the screen: the three logos, then the title.
enum VXSplashPhase : int32_t {
    SplashLogo1 = 0,
    SplashLogo2 = 1,
    SplashLogo3 = 2,
    SplashTitle = -1
};

class VXSplashScreen : public VXLevel_Base {
public:
    VXSplashScreen();
    ~VXSplashScreen() override;
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;

    // The title's frame steps on the "TitleButtons" object.
    void UpdateButtonFrame(GameObject* buttons);
    void UpdateTitleMenu(GameObject* buttons);
    void UpdateOptions(GameObject* buttons);

    std::unique_ptr<VXObjectManager> objects;
    float logoTimer = 0.0f;
    float logoAlpha = 0.0f;
    int32_t phase = SplashLogo1;
    bool titleShown = false;
    float inputCooldown = 0.0f;
    // One per item 0 to 3: quit confirmation, how-to-play page, options,
    // quick-match confirmation.
    bool panelOpen[4] = {false, false, false, false};

private:
    void FadeLogo();
    void ShowTitle();
    void SetVolumeText(GameObject* buttons);
    void RescaleToScreen();
    // The volume digit onto the options picture's volume line.
    void PlaceVolumeText(GameObject* buttons);
};

}  // namespace FrameWork
