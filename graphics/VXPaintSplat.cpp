// The splat of a game object: reads the painter (through the gameplay
// layer's reader) and paints on the running level's grid.
#include "core/VXFrameContext.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"

namespace FrameWork {

bool (*VXPaintMap::readPainter)(GameObject*, VXPainter&, VXPaintTarget&) = nullptr;

int32_t VXPaintMap::Splat(GameObject* painter) {
    if (!painter || !g_currentInstancer || !readPainter) return -1;
    VXPainter p;
    VXPaintTarget target;
    if (!readPainter(painter, p, target)) return -1;

    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    target.cells = &graphics->paintCells;
    target.paintSet = graphics->FindInstanceSet(kPaintSetName);
    target.columns = g_currentInstancer->columns;
    const VXShapeInstancer* grid = g_currentInstancer;
    target.neighbour = [grid](int32_t tile, int32_t dRow, int32_t dCol) {
        return grid->NeighbourTile(tile, dRow, dCol);
    };
    target.teamTileCount = TeamTileCount;
    target.playSplat = [] {
        if (FrameContext().active) PlayInstancerCue("paintSplat2");
    };
    return Paint(p, g_currentInstancer->SnapToGrid(painter->position), target);
}

}  // namespace FrameWork
