// Empty until the skills are built (see the header).
#include "gameplay/VXSkills.h"

namespace FrameWork {

void SkillWallBlock(std::string) {}
void SkillMines(std::string) {}
void SkillLockDown(std::string) {}
void SkillPaint(std::string) {}
void SkillBleed(std::string) {}
void SkillMop(std::string) {}
void CastSkill(std::string) {}

}  // namespace FrameWork
