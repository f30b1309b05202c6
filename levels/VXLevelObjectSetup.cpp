#include "levels/VXLevelObjectSetup.h"

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <utility>

#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXBlockBomb.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXHazards.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXOBB.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

// A run of sheet cells, first to last inclusive, rising or falling.
using CellRun = std::pair<int, int>;
using SpriteRow = std::initializer_list<CellRun>;

struct SpriteSpec {
    const char* texture;
    std::initializer_list<SpriteRow> rows;
    int fps;  // 0 keeps the sprite's own rate
    bool stopped;
};

const SpriteSpec kWallSprite{"300px_blockwall_animation_2x23.dds",
                             {{{0, 10}, {23, 33}}, {{45, 45}}, {{11, 21}, {34, 44}}},
                             24,
                             true};
const SpriteSpec kMineSprite{"100px_explodingmine_4x4.png", {{{8, 23}}, {{0, 7}}}, 24, true};
const SpriteSpec kCurseSprite{"BuffSpritesheet_AnimationFull.png", {{{4, 4}}}, 0, false};
const SpriteSpec kBombSprite{
    "300x300px_LockDown_casting_animation.png", {{{1, 31}}, {{31, 1}}}, 20, true};
const SpriteSpec kBleedSprite{"150x500_samuraiBleed_wave_4x1.png", {{{0, 3}}}, 0, true};
const SpriteSpec kMopSprite{"500x400_maidbrushskill_animation.png", {{{0, 9}}}, 0, true};
const SpriteSpec kPopupSprite{
    "SkillActvated_FullSpriteSheet.png", {{{0, 7}}, {{8, 15}}, {{16, 23}}}, 0, true};
const char kBombPointerTexture[] = "300x300px_LockDown_casting_animation.png";

struct EmitterSpec {
    const char* image;
    int32_t maxNumber;
    float lifetime;
    int32_t emitAmount;
    float scale;
};
const EmitterSpec kWallEmitter{"Effect_03.png", 500, 10.0f, 25, 150.0f};
const EmitterSpec kMineEmitter{"Effect_09.png", 50, 10.0f, 5, 300.0f};

// Names whose sprites keep the layer they were loaded with.
const char* const kLayerExceptions[] = {"MOVEMENT", "MOVEMENT2", "ATK",
                                        "REFILL",   "REFILL2",   "WINFLAG"};

// Builds the hidden objects into one object manager.
class Builder {
public:
    explicit Builder(VXObjectManager& objects)
        : objects_(objects),
          graphics_(VXGraphicsManager::Instance()),
          physics_(VXPhysicsManager::Instance()) {}

    // A new inactive object at the origin; components go to this very
    // object, never to an older one of the same name.
    GameObject* Create(const std::string& name, int type, float scaleX, float scaleY) {
        objects_.CreateGameObject(scaleX, scaleY, type, false, 0.0f, 0.0f, name, 0.0f, 0.0f, 0.0f);
        return objects_.objects.back();
    }

    template <class T, class... Args>
    std::shared_ptr<T> Attach(GameObject* object, Args&&... args) {
        auto component = std::make_shared<T>(object, std::forward<Args>(args)...);
        return object->AddComponent(component) ? component : nullptr;
    }

    // Attached only: the level integrates the bodies it finds in the
    // physics list, and these stay out of it.
    VXRigidBody* Body(GameObject* object, float damping = 0.99f) {
        auto body = Attach<VXRigidBody>(object);
        if (body) body->damping = damping;
        return body.get();
    }

    void Sprite(GameObject* object, const SpriteSpec& spec) {
        objects_.AddSpriteComponent(object);
        auto* sprite = static_cast<VXSpriteComponent*>(object->GetComponent(CT_Sprite));
        if (!sprite) return;
        graphics_->AssignTexture(sprite, spec.texture);
        sprite->SetAnimationCount(static_cast<int>(spec.rows.size()));
        int row = 0;
        // AddFrame skips cells the sheet does not have.
        for (const SpriteRow& cells : spec.rows) {
            for (const CellRun& run : cells) {
                const int step = run.second >= run.first ? 1 : -1;
                for (int cell = run.first;; cell += step) {
                    sprite->AddFrame(cell, row);
                    if (cell == run.second) break;
                }
            }
            ++row;
        }
        if (spec.fps) sprite->SetFPS(spec.fps);
        if (spec.stopped) sprite->playing = false;
    }

    void Obb(GameObject* object) {
        if (auto box =
                Attach<VXOBB>(object, object->worldMatrix, object->scale[0], object->scale[1]))
            physics_->RegisterOBB(box);
    }
    void Aabb(GameObject* object, float width, float height) {
        if (auto box = Attach<VXAABB>(object, object->worldMatrix, width, height))
            physics_->RegisterAABB(box);
    }
    void Circle(GameObject* object, float radius) {
        if (auto circle = Attach<VXCircleCollider>(object, object->worldMatrix, radius))
            physics_->RegisterCircle(circle);
    }

    void Emitter(GameObject* object, const EmitterSpec& spec) {
        objects_.AddParticleEmitterComponent(object);
        auto* emitter = static_cast<VXParticleEmitter*>(object->GetComponent(CT_ParticleEmitter));
        if (!emitter) return;
        emitter->SetImageName(spec.image);
        emitter->LoadImage(spec.image, 1, 1);
        emitter->maxNumber = spec.maxNumber;
        emitter->lifetime = spec.lifetime;
        emitter->emitAmount = spec.emitAmount;
        emitter->scale = spec.scale;
        emitter->Init();
        emitter->FillInstances();
    }

    GameObject* BlockBomb(const std::string& name, GameObject* painter) {
        GameObject* bomb = Create(name, 998, 300.0f, 300.0f);
        Body(bomb);
        Sprite(bomb, kBombSprite);
        Aabb(bomb, bomb->scale[0], bomb->scale[1]);
        objects_.AddBlockBombComponent(bomb);
        g_blockBombContext.objectManager = &objects_;
        g_blockBombContext.painter = painter;
        bomb->SetActive(0);
        return bomb;
    }

    GameObject* BlockBombPointer(const std::string& name) {
        GameObject* pointer = Create(name, 998, 300.0f, 300.0f);
        objects_.AddSpriteComponent(pointer);
        Attach<VXBlockBombPointer>(pointer);
        pointer->SetActive(0);
        graphics_->AssignTexture(static_cast<VXSpriteComponent*>(pointer->GetComponent(CT_Sprite)),
                                 kBombPointerTexture);
        return pointer;
    }

private:
    VXObjectManager& objects_;
    VXGraphicsManager* graphics_;
    VXPhysicsManager* physics_;
};

bool KeepsItsLayer(const GameObject& object) {
    if (object.GetPlayerLogic() || object.GetFlag() || object.GetSpawnPoint()) return true;
    if (object.isChild || !object.HasComponent(CT_Sprite)) return true;
    for (const char* name : kLayerExceptions)
        if (object.g_name == name) return true;
    return false;
}

}  // namespace

void CreateLevelObjects(VXLevelObjectRecord& record, GameObject* player1, GameObject* player2,
                        GameObject* player3, GameObject* player4, std::string name1,
                        std::string name2, std::string name3, std::string name4) {
    g_levelPlayers.emplace(std::move(name1), player1);
    g_levelPlayers.emplace(std::move(name2), player2);
    g_levelPlayers.emplace(std::move(name3), player3);
    g_levelPlayers.emplace(std::move(name4), player4);

    if (!record.objectManager) {
        std::printf(" -> ERROR\n -> No object manager: the level's skill objects are not built\n");
        return;
    }
    VXObjectManager& objects = *record.objectManager;
    Builder build(objects);

    for (const char* name : {"Wall 1", "Wall 2", "Wall 3"}) {
        GameObject* wall = build.Create(name, 21, 50.0f, 300.0f);
        build.Attach<VXWallLogicCom>(wall);
        build.Body(wall);
        build.Sprite(wall, kWallSprite);
        build.Obb(wall);
        build.Emitter(wall, kWallEmitter);
        wall->SetActive(0);
        record.walls.push_back(wall);
    }

    for (int i = 1; i <= 9; ++i) {
        GameObject* mine = build.Create("Mine" + std::to_string(i), 5, 100.0f, 100.0f);
        build.Body(mine);
        build.Sprite(mine, kMineSprite);
        build.Emitter(mine, kMineEmitter);
        build.Attach<VXMineCom>(mine);
        build.Aabb(mine, 100.0f, 100.0f);
        mine->SetActive(0);
        record.mines.push_back(mine);
    }

    GameObject* curse = build.Create("Curse", 5, 150.0f, 150.0f);
    build.Sprite(curse, kCurseSprite);
    build.Circle(curse, 50.0f);
    curse->SetActive(0);

    // The painter stays inactive with an active player logic.
    GameObject* painter = build.Create("Painter", 17, 50.0f, 50.0f);
    build.Attach<VXPlayerLogic>(painter, 17);
    g_levelPainter = painter;

    for (const char* suffix : {"", "2"}) {
        GameObject* bomb = build.BlockBomb(std::string("bMine") + suffix, painter);
        GameObject* pointer = build.BlockBombPointer(std::string("bMinePointer") + suffix);
        record.blockBombs.emplace_back(bomb, pointer);
    }

    GameObject* bleed = build.Create("BleedPrj", 5, 150.0f, 250.0f);
    build.Body(bleed, 1.0f);
    build.Sprite(bleed, kBleedSprite);
    build.Obb(bleed);
    bleed->SetActive(0);

    GameObject* mop = build.Create("CleanUp_Mop", 5, 100.0f, 200.0f);
    VXRigidBody* mopBody = build.Body(mop);
    build.Sprite(mop, kMopSprite);
    build.Obb(mop);
    objects.AddMopComponent(mop);
    if (mopBody) mopBody->damping = 1.0f;
    mop->SetActive(0);

    for (const char* name : {"Popup", "Popup2"}) {
        GameObject* popup = build.Create(name, 21, 150.0f, 150.0f);
        build.Body(popup);
        build.Sprite(popup, kPopupSprite);
        popup->SetActive(0);
        record.popups.push_back(popup);
    }

    // Draw order: the level's own sprites in list order, these last.
    for (GameObject* object : objects.objects) {
        if (!object || KeepsItsLayer(*object)) continue;
        auto* sprite = static_cast<VXSpriteComponent*>(object->GetComponent(CT_Sprite));
        sprite->layer = ++g_levelLayerCounter;
    }
}

void FreeLevelObjects(VXLevelObjectRecord& record) {
    g_currentInstancer = nullptr;
    g_levelPlayers.clear();
    record.walls.clear();
    record.mines.clear();
    record.blockBombs.clear();
    record.popups.clear();
    record.skillObjects.clear();
    // The objects go with the level's manager: nothing may keep reaching
    // them, or its sounds, once the level has ended.
    record.objectManager = nullptr;
    record.soundMap = nullptr;
    g_levelPainter = nullptr;
    g_blockBombContext = VXBlockBombContext();
    if (g_currentLevelObjects == &record) g_currentLevelObjects = nullptr;
}

}  // namespace FrameWork
