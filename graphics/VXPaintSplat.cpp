// The splat of a game object: reads the painter's player logic and paints on
// the running level's grid.
#include "engine/core/VXFrameContext.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"

namespace FrameWork {

int32_t VXPaintMap::Splat(GameObject* painter) {
    if (!painter || !g_currentInstancer) return -1;
    VXPlayerLogic* logic = painter->GetPlayerLogic();
    if (!logic) return -1;

    VXPainter p;
    p.objectType = painter->objectType;
    p.active = painter->m_active != 0;
    p.team = logic->team;
    for (const ActionTimer& timer : logic->actionTimers)
        if (timer.id == 0 && timer.running) p.swapTeam = true;
    p.serial = logic->serial;
    p.paintFuel = &logic->paintFuel;

    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXPaintTarget target;
    target.cells = &graphics->paintCells;
    target.paintSet = graphics->FindInstanceSet(kPaintSetName);
    target.columns = g_currentInstancer->columns;
    target.lastTiles = &g_playerNumbers;
    target.teamTileCount = TeamTileCount;
    target.playSplat = [] {
        if (FrameContext().active) PlayInstancerCue("paintSplat2");
    };
    return Paint(p, g_currentInstancer->SnapToGrid(painter->position), target);
}

}  // namespace FrameWork
