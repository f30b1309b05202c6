// The four match levels: 4 the quick match, 0, 2 and 3 the maps of the
// selection screen.
#pragma once

#include "engine/core/VXLevel_Base.h"

namespace FrameWork {

class VXLevel0 : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new VXLevel0(); }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

class VXLevel1 : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new VXLevel1(); }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

class VXLevel2 : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new VXLevel2(); }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

class VXLevel3 : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new VXLevel3(); }
    void Initialize() override;
    void Update() override;
    void Free() override;
};

}  // namespace FrameWork
