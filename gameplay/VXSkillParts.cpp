#include "gameplay/VXSkillParts.h"

#include "core/VXAudioManager.h"
#include "gameplay/VXGameManagerComponent.h"
#include "gameplay/VXGameplayParts.h"
#include "gameplay/VXLevelObjectRecord.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXPaintMap.h"
#include "objects/GameObject.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

GameObject* FindLevelPlayer(const std::string& name) {
    auto it = g_levelPlayers.find(name);
    return it == g_levelPlayers.end() ? nullptr : it->second;
}

GameObject* OpponentOf(const std::string& name) {
    if (name == "Player1") return FindLevelPlayer("Player2");
    if (name == "Player2") return FindLevelPlayer("Player1");
    return nullptr;
}

GameObject* FindLevelObject(const std::string& name) {
    VXLevelObjectRecord* record = g_currentLevelObjects;
    return record && record->objectManager ? record->objectManager->FindObject(name) : nullptr;
}

void PlaySkillCue(const char* name) {
    VXLevelObjectRecord* record = g_currentLevelObjects;
    if (!record || !record->soundMap) return;
    auto it = record->soundMap->find(name);
    if (it != record->soundMap->end()) it->second.Play();
}

VXSpriteComponent* ChildSpriteOf(const GameObject* object, size_t index) {
    if (!object || index >= object->children.size()) return nullptr;
    return SpriteOf(object->children[index]);
}

void PlaceObject(GameObject* object, float x, float y) {
    if (!object) return;
    object->position[0] = x;
    object->position[1] = y;
    if (VXRigidBody* body = BodyOf(object)) {
        body->Position.x = x;
        body->Position.y = y;
    }
    object->UpdateTransform();
}

namespace {

GameObject* LevelPainter() {
    return g_levelPainter ? g_levelPainter : g_painterObject;
}

}  // namespace

int StrokeWithPainter(float x, float y, int team, int strokeKind) {
    GameObject* painter = LevelPainter();
    VXPlayerLogic* logic = LogicOf(painter);
    if (!logic) return -1;
    painter->objectType = strokeKind;
    painter->SetActive(1);
    logic->team = team;
    painter->position[0] = x;
    painter->position[1] = y;
    const int tile = VXPaintMap::Splat(painter);
    painter->objectType = kFlagPainterType;
    painter->SetActive(0);
    // The painter keeps no last painted tile between strokes.
    if (logic->serial >= 0 && static_cast<size_t>(logic->serial) < g_playerNumbers.size())
        g_playerNumbers[static_cast<size_t>(logic->serial)] = -1;
    return tile;
}

void HidePainter() {
    if (GameObject* painter = LevelPainter()) painter->SetActive(0);
}

}  // namespace FrameWork
