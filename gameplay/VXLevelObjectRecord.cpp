#include "gameplay/VXLevelObjectRecord.h"

namespace FrameWork {

std::map<std::string, GameObject*> g_levelPlayers;
GameObject* g_levelPainter = nullptr;
VXBlockBombContext g_blockBombContext;
VXLevelObjectRecord* g_currentLevelObjects = nullptr;
int32_t g_levelLayerCounter = 30;

}  // namespace FrameWork
