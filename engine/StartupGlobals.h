// The process-wide tables and objects the rest of the program takes for
// granted, built in one fixed order before anything else runs (never left to
// the order in which units happen to be initialised).
#pragma once

namespace FrameWork {

// Builds everything once; later calls do nothing.  The entry point calls it
// first, tests call it from their fixtures.
void BuildStartupGlobals();

}  // namespace FrameWork
