// The hidden objects of a running match that the character skills and the
// block bombs draw on: raisable walls, mines, pop-ups and block-bomb pairs,
// kept as rings, plus the names of the four players and the painter.  The
// match level builds them at its start and empties them at its end; the
// level's object manager owns every object listed here.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace FrameWork {

class GameObject;
class SoundCue;
class VXObjectManager;

using VXLevelSoundMap = std::map<std::string, SoundCue>;

struct VXLevelObjectRecord {
    std::deque<GameObject*> walls;
    std::deque<GameObject*> mines;
    std::deque<GameObject*> popups;
    // (block bomb, its pointer)
    std::deque<std::pair<GameObject*, GameObject*>> blockBombs;
    // Filled and walked by the skill driver during a match.
    std::vector<GameObject*> skillObjects;
    // The running level's objects and sounds (not owned); null between
    // matches.
    VXObjectManager* objectManager = nullptr;
    VXLevelSoundMap* soundMap = nullptr;
    float spareNumber = 1.0f;
    int32_t spareInt = 0;

    // The next member of a ring: the front moves to the back and the new
    // front is the answer.  An empty ring answers null (a pair of nulls).
    GameObject* NextWall() { return Next(walls); }
    GameObject* NextMine() { return Next(mines); }
    GameObject* NextPopup() { return Next(popups); }
    std::pair<GameObject*, GameObject*> NextBlockBomb() {
        if (blockBombs.empty()) return {nullptr, nullptr};
        blockBombs.push_back(blockBombs.front());
        blockBombs.pop_front();
        return blockBombs.front();
    }

private:
    static GameObject* Next(std::deque<GameObject*>& ring) {
        if (ring.empty()) return nullptr;
        ring.push_back(ring.front());
        ring.pop_front();
        return ring.front();
    }
};

// What the block bomb component reads: the running level's objects and its
// painter object.
struct VXBlockBombContext {
    VXObjectManager* objectManager = nullptr;
    GameObject* painter = nullptr;
};

// "Player1" to "Player4" of the running match (entries may be null).
extern std::map<std::string, GameObject*> g_levelPlayers;
// The running match's "Painter" object (the Maid's skill paints through it).
extern GameObject* g_levelPainter;
extern VXBlockBombContext g_blockBombContext;
// The record of the running match level; null between matches.
extern VXLevelObjectRecord* g_currentLevelObjects;
// The last sprite layer given by a level start: 30 at program start, never
// reset, so every level start numbers its sprites after the previous one.
extern int32_t g_levelLayerCounter;

}  // namespace FrameWork
