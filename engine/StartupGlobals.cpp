#include "engine/StartupGlobals.h"

#include "core/VXAudioManager.h"
#include "core/VXGlobalTables.h"
#include "engine/VXEngine.h"
#include "engine/VXLevelObjects.h"
#include "engine/VXWindow.h"
#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXGameplayHooks.h"
#include "platform/Platform.h"

namespace FrameWork {

void BuildStartupGlobals() {
    static bool built = false;
    if (built) return;
    built = true;

    // The platform first: the screen size and the cursor need video.
    Platform::Init();

    // The order below is the start-up order of the program; a table that
    // joins later takes its place in this list.  Standard output at start:
    // " -> Audio management system", "Starting Engine systems: ", then the
    // lines of the input, graphics and game state managers.
    BuildGamepadButtons();       // 1. the gamepad button table
    BuildClonedOwnerTypes();     // 2. projectile clone names (one table, shared)
    VXAudioManager::Instance();  // 3. the audio manager
    BuildComponentFactories();   // 4. the component kinds
    InstallGameplayHooks();      //    and the match's wall response and painter
    VXEngine::Instance();        // 5. the engine and its first systems
    BuildLevelObjects();         // 6. Level0 .. Level3, loading, editor, splash, select
    // 7. the screen size
    Platform::GetDesktopSize(screenWidth, screenHeight);
    // 8. the remaining tables of the later parts
}

}  // namespace FrameWork
