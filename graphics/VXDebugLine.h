// The line primitive of the debug drawing and the editor: one segment between
// two shared points, drawn with the PRIMITIVES program.
#pragma once

#include "core/VXDebugManager.h"

namespace FrameWork {

// The two points every line draws: (x, y, z) each.  Callers write the x and y
// of both before each draw.
extern float g_linePoints[2][3];

// "projection" and "camView" from the line's two pointers to PRIMITIVES.
void DebugLineUploadCamera(const VXDebugLine& line);
// One GL line from the shared points through the line's buffer; the caller
// has set "uniColor" on the PRIMITIVES program.
void DebugLineDraw(const VXDebugLine& line);

// The scene draw's debug step: bodies, boxes, then oriented boxes of the
// lists the physics manager handed to `debug` (circles are not drawn).
void DrawDebugShapes(VXDebugManager& debug);
// Installs the segment drawers behind VXDebugManager's Draw operations; the
// graphics manager does it when it is made.
void InstallDebugShapeDrawers();

// Drawers the scene draw calls after its PRIMITIVES pass: the debug shapes
// (while the debug drawing is on, after the line camera is uploaded) and the
// editor's overlay (in editor mode).  The first is DrawDebugShapes unless
// replaced; the editor installs the second.
extern void (*g_drawDebugShapes)(VXDebugManager& debug);
extern void (*g_drawEditorOverlay)();

}  // namespace FrameWork
