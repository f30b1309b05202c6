#include "gameplay/VXHazards.h"

#include <cmath>

#include "core/VXFrameContext.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXPaintMap.h"
#include "objects/ComponentType.h"
#include "objects/GameObject.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

constexpr float kNoticeDistance = 1500.0f;
constexpr float kCloseDistance = 100.0f;

float Distance(const GameObject* a, const GameObject* b) {
    return std::hypot(b->position[0] - a->position[0], b->position[1] - a->position[1]);
}

}  // namespace

void VXMineCom::Update(float dt) {
    if (armed && armTimer > 0.0f) armTimer -= dt;
    if (armTimer <= 0.0f) armed = 0;
}

void VXMopCom::Update(float dt) {
    if (!owner) return;
    if (lifeTimer <= 0.0f)
        owner->SetActive(0);
    else
        lifeTimer -= dt;
    if (VXRigidBody* body = BodyOf(owner)) {
        const Vec3& p = body->Position;
        if (p.x < left || p.x > right || p.y > top || p.y < bottom) {
            owner->SetActive(0);
            body->Velocity = Vec3(0.0f, 0.0f, 1.0f);
        }
        StepBody(*body, FrameContext().frameTime);
    }

    VXPlayerLogic* logic = LogicOf(painter);
    if (!logic) return;
    painter->SetActive(1);
    if (owner->m_active) {
        painter->objectType = kEraserType;
        logic->team = team;
        std::vector<Vec3> points{Vec3(owner->position[0], owner->position[1])};
        if (auto* box = static_cast<VXOBB*>(owner->GetComponent(CT_OBB));
            box && box->OBB_Vertices.size() >= 4)
            points = {box->OBB_Vertices[0], points[0], box->OBB_Vertices[3]};
        for (const Vec3& point : points) {
            painter->position[0] = point.x;
            painter->position[1] = point.y;
            VXPaintMap::Splat(painter);
        }
        // The painter holds no last painted tile between strokes.
        if (logic->serial >= 0 && static_cast<size_t>(logic->serial) < g_playerNumbers.size())
            g_playerNumbers[static_cast<size_t>(logic->serial)] = -1;
        painter->objectType = kFlagPainterType;
    }
    painter->SetActive(0);
}

void VXChestComponent::Init() {
    const int r = Platform::Rand();
    if (r % 5 == 1 || r % 5 == 3) flag = 1;
}

void EnemyAILogicCom::Update(float) {
    if (target1 && target2) Step();
}

void EnemyAILogicCom::Step() {
    if (!owner || !target1 || !target2) return;
    if (state == 0) {
        if (Distance(owner, target1) <= kNoticeDistance)
            chased = target1;
        else if (Distance(owner, target2) <= kNoticeDistance)
            chased = target2;
        if (chased) state = 1;
        return;
    }
    if (state != 1) return;
    if (chased) {
        const float dx = chased->position[0] - owner->position[0];
        const float dy = chased->position[1] - owner->position[1];
        VXRigidBody* body = BodyOf(owner);
        if (body && (dx != 0.0f || dy != 0.0f)) {
            float fx = 0.0f, fy = 0.0f;
            RotateByDegrees(dx, dy, owner->rotation[2], fx, fy);
            body->AccumForce = Vec3(fx, fy, 1.0f);
        }
    }
    if (!(Distance(owner, target1) < kCloseDistance && Distance(owner, target2) < kCloseDistance)) {
        chased = nullptr;
        state = 0;
    }
}

void VXChestComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXChestComponent");
    writer.StartArray();
    writer.EndArray();
}

void EnemyAILogicCom::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("EnemyAIComponent");
    writer.Int(CT_EnemyLogic);
}

}  // namespace FrameWork
