// State 5, the start state: loads the listed assets a few per frame, then
// hands over to the splash screen.
#pragma once

#include "engine/core/VXLevel_Base.h"

namespace FrameWork {

class VXLoadingScreen : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

}  // namespace FrameWork
