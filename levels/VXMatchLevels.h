// The four match levels: 4 the quick match, 0, 2 and 3 the maps of the
// selection screen.  They share one implementation, VXMatchLevel, and differ
// only in the values of their VXMatchLevelTable.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Message.h"
#include "core/VXAudioManager.h"
#include "core/VXLevel_Base.h"
#include "gameplay/VXLevelObjectRecord.h"

namespace FrameWork {

class GameObject;
class VXGraphicsManager;
class VXInputManager;
class VXObjectManager;
class VXPhysicsManager;
class VXShapeInstancer;

// Where the four arenas differ.
struct VXMatchLevelTable {
    int32_t stateId;
    // The flags' tile-set index.
    int32_t levelNumber;
    const char* tileMap;
    const char* objectFile;  // under the data root
    float maxCameraScale;
    float clearColour[4];
    // Empties the physics manager's box-collider list at the start.
    bool emptiesBoxColliders;
    // Makes and shuffles its own line-up, and empties it at the end.
    bool quickMatch;
    float redSpawn[2];
    float blueSpawn[2];
    // Parking spots of the hidden players 3 and 5, and 4 and 6.
    float parkOdd[2];
    float parkEven[2];
    // Keeps the music looping only while gameplay runs.
    bool musicOnlyWhileActive;
    // Hit effects burst the target's second child instead of its
    // "<Type>HitPE" child.
    bool hitChildBySecond;
};

// Each file of the prefab folder, in listing order, with the prefabs it
// held, in file order.
using VXListedPrefabs = std::vector<std::pair<std::string, std::vector<GameObject*>>>;

// What each level class keeps of its own for the whole run.
struct VXMatchLevelStatics {
    std::map<std::string, SoundCue> sounds;
    // Character kind -> its projectile prefab.
    std::map<int32_t, GameObject*> projectilePrefabs;
    VXLevelObjectRecord record;
    // Set at the start; cleared when "10SecLeft" has been played.
    uint8_t warning = 0;
    int32_t matchLength = 150;
    int32_t levelNumber = 0;
};

class VXMatchLevel : public VXLevel_Base {
public:
    void Initialize() override;
    void Update() override;
    void Free() override;

    // Names the character objects "Player1" to "Player6" from the line-up,
    // puts players 1 and 2 on their team's spawn points and parks and hides
    // the others.
    void SetUpPlayers();
    // One projectile against one target: on a hit, the sounds, the end of the
    // projectile, the knock-back, the stun, the rumble and the bursts.
    void PlayHitEffect(GameObject*& projectile, GameObject*& target);

    const VXMatchLevelTable& table;
    VXMatchLevelStatics& statics;

    VXObjectManager* objectManager = nullptr;
    VXShapeInstancer* grid = nullptr;
    GameObject* players[6] = {};
    std::vector<GameObject*> playerList;
    std::vector<GameObject*> spawnPoints;
    std::vector<GameObject*> flags;

protected:
    VXMatchLevel(const VXMatchLevelTable& levelTable, VXMatchLevelStatics& levelStatics);

private:
    SoundCue* Cue(const std::string& name);
    GameObject* ApplyChoice(const GameLevelInitObject& entry);
    void PlacePlayers();
    void HideExtraPlayers(bool quickMatch);
    // Gives each of players 1 and 2 that has no connected pad the first
    // connected pad no player holds (player 1 first); a player without one
    // keeps what it has.  Run at the start and every frame, so that a pad
    // that comes late is taken at once.
    void AssignPads();
    void BindKeyboard(GameObject* player, bool second);
    void SetUpFlags();
    void FillSoundMap();
    // `listed`: each file of the prefab folder with its prefabs.
    void FillProjectilePrefabs(const VXListedPrefabs& listed);

    void MoveProjectilePrefabs();
    void TestProjectiles();
    void SwitchWindowMode();
    void FireFromPads();
    void IntegrateBodies(float dt);
    void EndMatchWhenTimeIsUp();
    void TestSpawnPoints();
    void TestFlags();

    VXGraphicsManager* graphics_ = nullptr;
    VXAudioManager* audio_ = nullptr;
    VXPhysicsManager* physics_ = nullptr;
    VXInputManager* input_ = nullptr;
};

class VXLevel0 final : public VXMatchLevel {
public:
    VXLevel0();
    VXLevel_Base* Create() override { return new VXLevel0(); }
};

class VXLevel1 final : public VXMatchLevel {
public:
    VXLevel1();
    VXLevel_Base* Create() override { return new VXLevel1(); }
};

class VXLevel2 final : public VXMatchLevel {
public:
    VXLevel2();
    VXLevel_Base* Create() override { return new VXLevel2(); }
};

class VXLevel3 final : public VXMatchLevel {
public:
    VXLevel3();
    VXLevel_Base* Create() override { return new VXLevel3(); }
};

}  // namespace FrameWork
