// Points at the level or screen object of the running state.
#pragma once

#include "core/System.h"

namespace FrameWork {

class VXLevel_Base;

class VXGameStateManager : public System {
public:
    static VXGameStateManager* Instance();
    // Deletes the manager; the next Instance() creates a new one.
    static void Destroy();

    void HandleMessage(Message*) override {}
    void Update(float) override {}

    // Stores the object of `state` into `level`; 6, -1, -2 and ids without an
    // object leave `level` unchanged.
    void GetLevelForState(int state, VXLevel_Base*& level);

    VXLevel_Base* level = nullptr;

private:
    VXGameStateManager() = default;
};

}  // namespace FrameWork
