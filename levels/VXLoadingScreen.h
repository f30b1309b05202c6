// State 5, the start state: reads the asset lists, then loads at most one
// sound, one image and one tile-set image per frame while a loader (logo,
// spinning ball, pulsing caption) shows; once everything is in it fades the
// loader out and hands over to the state after loading (the splash screen,
// or the editor when the game starts with --editor).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/VXLevel_Base.h"
#include "graphics/VXTilemapData.h"

namespace FrameWork {

class VXObjectManager;

// The loading screen's progress; Initialize starts it afresh.
struct VXLoadingState {
    bool loading = true;  // cleared once the three kinds are all loaded
    bool done = false;    // set in the frame that loads the extra tile set
    size_t sounds = 0;    // loaded so far, by kind
    size_t textures = 0;
    size_t tilemaps = 0;
    int32_t serial = 0;  // handed to each instance set made here
    bool pulseUp = false;
    float fade = 1.0f;  // the caption's alpha in the last fading frame
    // A copy of the tile-map registry taken at the first Update; loaded
    // entries leave it, smallest name first.
    bool workListTaken = false;
    VXTilemapRegistry workList;
    size_t tilemapTotal = 0;
};

// One step of the caption's pulse: the alpha swings between about 1/3 and
// 1.0 by 1/12 a frame.
float PulseCaption(float alpha, bool& up);

class VXLoadingScreen : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new VXLoadingScreen(); }
    void Initialize() override;
    void Update() override;
    void Free() override;

    // The progress (for the tests that watch the frames).
    static const VXLoadingState& State();
    // The loader's objects while the screen runs; null before and after.
    static const VXObjectManager* Objects();

private:
    void LoadOneOfEach();
    void Fade();
};

}  // namespace FrameWork
