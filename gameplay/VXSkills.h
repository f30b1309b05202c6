// The character skills and the skill driver.
//
// NOT BUILT YET: every operation below does nothing for now.  The player
// logic already calls them at the right moments (a skill when it fires,
// CastSkill once a frame for its own player); the skills themselves - walls,
// mines, block bombs, the Archer's mark, the Samurai's wave, the Maid's mop -
// and the per-frame driver come with their own change.
#pragma once

#include <string>

namespace FrameWork {

// Each takes the caster's object name.
void SkillWallBlock(std::string caster);  // Knight
void SkillMines(std::string caster);      // Pirate
void SkillLockDown(std::string caster);   // Viking
void SkillPaint(std::string caster);      // Archer
void SkillBleed(std::string caster);      // Samurai
void SkillMop(std::string caster);        // Maid

// What the placed skill objects do every frame, run once a frame for each
// player by name.
void CastSkill(std::string name);

}  // namespace FrameWork
