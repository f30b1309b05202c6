// What the frame benchmarks share: the engine started windowed under the test
// clock, and the frame work time (all of a frame but the 60 Hz wait).
#pragma once

namespace FrameWork {
class VXEngine;
}

namespace Bench {

// Builds the start-up globals, installs the test clock and starts the engine
// in a width x height window; null (after a line) when it cannot start.
FrameWork::VXEngine* StartEngine(int width, int height);
// Shuts the engine down and gives the real clock back.
void StopEngine(FrameWork::VXEngine* engine);

// One frame's work: messages, the scene draw, the swap, and a glFinish so
// that the GPU's share is counted; in milliseconds.
double FrameMs(FrameWork::VXEngine* engine);
// Median of 120 frames after a warm-up of 10.
double MeasureMs(FrameWork::VXEngine* engine);

}  // namespace Bench
