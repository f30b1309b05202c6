// The screen-space interface of a match, held by the engine: the pause pages,
// the end screens and the start countdown.
#pragma once

#include <cstdint>

namespace FrameWork {

class VXMatchFlow {
public:
    // Called by the main loop at each state start: 1 for a match state,
    // 0 for the editor and the screens.
    void LoadStateUI(int flag);
    // Once a frame, after the level and physics updates.
    void Update();
    // When a state ends.
    void Reset();
    // At shut-down.
    void Clear();

    // 1 while a match level runs; the main loop hands it to the pause toggle.
    uint8_t matchUI = 0;
};

// The process's one match flow (the engine keeps a reference to it).
VXMatchFlow& MatchFlow();

// Registers the glyph sets the menus and the HUD draw with: "Volume" 35,
// "VolumeSplash" 60, "ForScore" 40, "Timer" 65 and "RedBlueScore" 40 pixels.
// The loading screen calls it once; a set already registered is kept.
void InitMatchUIResources();

}  // namespace FrameWork
