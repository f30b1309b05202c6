// The character skills and the skill driver.  A skill takes ready-made
// objects from the running level's rings (gameplay/VXLevelObjectRecord.h),
// places and arms them, plays its sound and shows the cast pop-up at the
// caster; the driver carries out every frame what the placed objects do.
// Nothing here creates or deletes an object.
#pragma once

#include <string>

namespace FrameWork {

class GameObject;

// Each takes the caster's object name.  A caster that is not one of the
// match's players, or an empty ring, makes the skill do nothing.
void SkillWallBlock(std::string caster);  // Knight: "WallBlock"
void SkillMines(std::string caster);      // Pirate: no sound
void SkillLockDown(std::string caster);   // Viking: "LockDown"
void SkillPaint(std::string caster);      // Archer: "paint"
void SkillBleed(std::string caster);      // Samurai: "BleedSkill"
void SkillMop(std::string caster);        // Maid: "MaidSkill"

// The next pop-up of the ring at the caster, showing one of its three rows
// once.
void ShowCastEffect(GameObject* caster);

// What the placed skill objects do every frame, run once a frame for each
// player by name: walls stop the opponent and shots, mines explode, the
// wave flies and bleeds, finished pop-ups and mines are hidden.
void CastSkill(std::string name);

}  // namespace FrameWork
