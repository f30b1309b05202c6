#include "core/VXLevel_Base.h"

#include "core/VXGlobalTables.h"

namespace FrameWork {

int32_t g_liveLevels = 0;

VXLevel_Base::VXLevel_Base() {
    ++g_liveLevels;
}

VXLevel_Base::~VXLevel_Base() {
    --g_liveLevels;
    if (g_liveLevels < 1) {
        g_liveLevels = 0;
        g_clonedOwnerType.clear();
    }
}

}  // namespace FrameWork
