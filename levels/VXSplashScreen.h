// State 7: the splash logos and the title menu.
#pragma once

#include "engine/core/VXLevel_Base.h"

namespace FrameWork {

class VXSplashScreen : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

}  // namespace FrameWork
