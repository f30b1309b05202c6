// Knockback between players and from projectiles, and the push back from
// what a player touched: the match's impulses on the players' bodies, with
// the pad vibration that goes with them.
#pragma once

#include <string>

namespace FrameWork {

class GameObject;

// Damping every impulse operation sets back.
constexpr float kImpulseDamping = 0.99f;
// Target speeds of Repel and RepelStrong.
constexpr float kRepelSpeed = 200.0f;
constexpr float kRepelStrongSpeed = 300.0f;

// Knockback factor of the character kind whose projectile hit (6 Pirate 0.6,
// 7 Viking 1.4, 8 Knight 1.2, 15 Archer 0.5, 18 Samurai 1.0, 19 Maid 0.7);
// 1 for anything else.
float ProjectileKnockbackFactor(int characterKind);
// The factor for a projectile clone's name through g_clonedOwnerType, read
// without adding the name; an unknown name gives 1.
float ProjectileKnockbackFactor(const std::string& projectileName);

// Elastic bounce of two players that met: sets both players' hitFlag,
// resets both dampings, applies the impulse along a's contact normal and,
// when it applied, vibrates a's and then b's gamepad (left motor 1.0).
// Objects without a body or a player logic are left alone; a mass of 0 or
// below skips the impulse.
void ApplyKnockback(GameObject* a, GameObject* b);
// Bounce of a target hit by a projectile, scaled by the firing character's
// factor; no hit flag, no vibration.
void ApplyProjectileKnockback(GameObject* projectile, GameObject* target);
// Push a player back from what it touched at speed 200 (300), towards the
// side its contact flags give; vibrates its pad (left motor 0.5) when it
// applied.
void Repel(GameObject* o);
void RepelStrong(GameObject* o);

}  // namespace FrameWork
