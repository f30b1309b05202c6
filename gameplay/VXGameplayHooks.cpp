#include "gameplay/VXGameplayHooks.h"

#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

void RespondToWall(GameObject* player) {
    auto* body = player ? static_cast<VXRigidBody*>(player->GetComponent(CT_RigidBody)) : nullptr;
    if (!body) return;
    const float depth = body->penetrationDepth;
    const float push = depth >= 0.0f ? depth + 8.0f : depth - 8.0f;
    player->position[body->contactOnX ? 0 : 1] += push;
    Vec3 bounced;
    Reflect(bounced, body->Velocity, body->contactNormal);
    body->Velocity = bounced * 0.5f;
    PlayInstancerCue("wallHit");
}

bool ReadPainter(GameObject* painter, VXPainter& out, VXPaintTarget& target) {
    VXPlayerLogic* logic = painter ? painter->GetPlayerLogic() : nullptr;
    if (!logic) return false;
    out.objectType = painter->objectType;
    out.active = painter->m_active != 0;
    out.team = logic->team;
    for (const ActionTimer& timer : logic->actionTimers)
        if (timer.id == 0 && timer.running) out.swapTeam = true;
    out.serial = logic->serial;
    out.paintFuel = &logic->paintFuel;
    target.lastTiles = &g_playerNumbers;
    return true;
}

void InstallGameplayHooks() {
    g_wallResponse = &RespondToWall;
    VXPaintMap::readPainter = &ReadPainter;
}

}  // namespace FrameWork
