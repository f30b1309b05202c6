// Small shared steps of the gameplay components: finding an object's sprite
// and body, selecting sprite rows, waiting for the end of an animation,
// turning a vector by an object's heading and stepping a body.
#pragma once

#include <cstdint>

namespace FrameWork {

class GameObject;
class VXSpriteComponent;
class VXRigidBody;
class VXPlayerLogic;

// The object's sprite, body or player logic; null for a null object or one
// that lacks it.
VXSpriteComponent* SpriteOf(const GameObject* object);
VXRigidBody* BodyOf(const GameObject* object);
VXPlayerLogic* LogicOf(const GameObject* object);

// The sprite plays row `row` (restarting at frame 0 when the row changes)
// with its playing flag set.
void PlayRow(VXSpriteComponent* sprite, int row);

// Whether a one-shot animation of row `row` (-1: the current row) has
// ended: the finished flag, taken so it is reported once.  A sprite that
// can never report it - no texture, or a row of at most one frame - counts
// as finished at once.
bool TakeOneShotFinished(VXSpriteComponent* sprite, int row = -1);
// Whether the sprite's current frame is the last frame of row `row`.  A
// sprite without a texture or without that row counts as being there.
bool ShowsLastFrameOf(const VXSpriteComponent* sprite, int row);

// (x, y) turned by `degrees` counter-clockwise (degrees * 3.1415927 / 180).
void RotateByDegrees(float x, float y, float degrees, float& outX, float& outY);

// One integration step of a body over `t` seconds: velocity gains
// (force * inversemass + acceleration) * t; the owner's position moves by
// velocity * t * speedFactor and is copied into the body; the velocity is
// damped and the force cleared.
void StepBody(VXRigidBody& body, float t);

}  // namespace FrameWork
