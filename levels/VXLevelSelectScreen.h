// State 8: character, team and map selection.
#pragma once

#include "engine/core/VXLevel_Base.h"

namespace FrameWork {

class VXLevelSelectScreen : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

}  // namespace FrameWork
