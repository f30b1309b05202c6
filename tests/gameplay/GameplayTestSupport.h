// Hand-built players for the gameplay tests (sprite, body, player logic on
// W S A D / G, status and cast sprites as children 2 and 3), keys fed
// through the input manager, and frames of the test clock's length.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace GameplayTest {

using namespace FrameWork;

constexpr float kFrame = 1.0f / 60.0f;

class Objects {
public:
    ~Objects() {
        for (auto it = owned.rbegin(); it != owned.rend(); ++it) delete *it;
    }
    GameObject* Make(const std::string& name, int type, float x = 0.0f, float y = 0.0f) {
        owned.push_back(new GameObject(50, 50, type, 1, 1, 0, x, y, name, 0, 0, 0));
        auto sprite = std::make_shared<VXSpriteComponent>(owned.back());
        sprite->SetAnimationCount(4);
        owned.back()->AddComponent(sprite);
        return owned.back();
    }
    GameObject* Player(const std::string& name, int kind, float x = 0.0f, float y = 0.0f) {
        GameObject* p = Make(name, kind, x, y);
        p->AddComponent(std::make_shared<VXRigidBody>(p));
        auto logic = std::make_shared<VXPlayerLogic>(p, kind);
        logic->SetKeyBindings('W', 'S', 'A', 'D', ' ', 'G', 'Q');
        logic->SetForceToAdd(300.0f, 0.0f);
        p->AddComponent(logic);
        for (int k = 0; k < 4; ++k) p->AttachChild(Make(name + std::to_string(k), 1));
        return p;
    }
    std::vector<GameObject*> owned;
};

// A letter key pressed or released through the input manager's events.
inline void Key(char letter, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = SDLK_a + (letter - 'A');
    VXInputManager::Instance()->HandleEvent(e);
}

// A running match's frame context: input open, no sounds, no key down.
inline void StartMatchFrames() {
    VXFrameContext& c = FrameContext();
    c.currentState = 0;
    c.frameTime = kFrame;
    c.inputBlocked = 0;
    c.active = 0;
    for (char k = 'A'; k <= 'Z'; ++k) Key(k, false);
    VXInputManager::Instance()->EndFrame();
    for (VXGamepad& pad : VXInputManager::Instance()->pads) pad.current = VXPadState();
}

// Frames as the match level runs them: frame message, body step, key ageing.
inline void Frame(GameObject* o, int frames = 1) {
    for (int i = 0; i < frames; ++i) {
        o->Update(kFrame);
        if (VXRigidBody* body = BodyOf(o)) StepBody(*body, kFrame);
        VXInputManager::Instance()->EndFrame();
    }
}

}  // namespace GameplayTest
