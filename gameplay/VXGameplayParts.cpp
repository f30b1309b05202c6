#include "gameplay/VXGameplayParts.h"

#include <cmath>

#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

VXSpriteComponent* SpriteOf(const GameObject* object) {
    return object ? static_cast<VXSpriteComponent*>(object->GetComponent(CT_Sprite)) : nullptr;
}

VXRigidBody* BodyOf(const GameObject* object) {
    return object ? static_cast<VXRigidBody*>(object->GetComponent(CT_RigidBody)) : nullptr;
}

VXPlayerLogic* LogicOf(const GameObject* object) {
    return object ? object->GetPlayerLogic() : nullptr;
}

void PlayRow(VXSpriteComponent* sprite, int row) {
    if (!sprite) return;
    sprite->SetAnimation(row);
    sprite->playing = true;
}

bool TakeOneShotFinished(VXSpriteComponent* sprite, int row) {
    if (!sprite) return true;
    const auto& rows = sprite->animation.frameRows;
    const int32_t index = row >= 0 ? row : sprite->animation.currentRowIndex;
    const bool canFinish = sprite->texture && index >= 0 &&
                           static_cast<size_t>(index) < rows.size() &&
                           rows[static_cast<size_t>(index)].size() > 1;
    if (!canFinish) {
        sprite->finished = false;
        return true;
    }
    return sprite->TakeAnimationFinished();
}

bool ShowsLastFrameOf(const VXSpriteComponent* sprite, int row) {
    if (!sprite || !sprite->texture) return true;
    const auto& rows = sprite->animation.frameRows;
    if (row < 0 || static_cast<size_t>(row) >= rows.size() ||
        rows[static_cast<size_t>(row)].empty())
        return true;
    return sprite->animation.currentFrame == rows[static_cast<size_t>(row)].size() - 1;
}

void RotateByDegrees(float x, float y, float degrees, float& outX, float& outY) {
    const float theta = degrees * 3.1415927f / 180.0f;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    outX = x * c - y * s;
    outY = x * s + y * c;
}

void StepBody(VXRigidBody& body, float t) {
    const Vec3 a = body.AccumForce * body.inversemass + body.Acceleration;
    body.Velocity += a * t;
    if (GameObject* o = body.owner) {
        o->position[0] += body.Velocity.x * t * body.speedFactor;
        o->position[1] += body.Velocity.y * t * body.speedFactor;
        body.Position.x = o->position[0];
        body.Position.y = o->position[1];
    }
    body.Velocity = body.Velocity * body.damping;
    body.AccumForce = Vec3();
}

}  // namespace FrameWork
