#include "gameplay/VXPlayerLogic.h"

#include "objects/GameObject.h"

namespace FrameWork {

int32_t g_playerSerialCounter = 0;
std::vector<int32_t> g_playerNumbers;

static bool IsCharacterKind(int32_t kind) {
    return kind == 6 || kind == 7 || kind == 8 || kind == 15 || kind == 18 || kind == 19;
}

VXPlayerLogic::VXPlayerLogic(GameObject* o, int32_t kind) : Component(o), characterKind(kind) {
    // Archer's mark, mine stun, bleed, hit stun.
    actionTimers = {{6.0f, 6.0f, 0, 0}, {2.5f, 2.5f, 0, 1}, {5.0f, 5.0f, 0, 2}, {4.0f, 4.0f, 0, 3}};
    moveForce = IsCharacterKind(kind) ? 400.0f : 0.0f;
    serial = g_playerSerialCounter;
    ++g_playerSerialCounter;
    g_playerNumbers.push_back(g_playerSerialCounter);
}

VXPlayerLogic::~VXPlayerLogic() {
    g_playerSerialCounter = 0;
    g_playerNumbers.clear();
}

void VXPlayerLogic::SetForceToAdd(float x, float y) {
    forceToAdd[0] = x;
    forceToAdd[1] = y;
}

void VXPlayerLogic::SetKeyBindings(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4,
                                   int32_t k5, int32_t k6) {
    keys = {k0, k1, k2, k3, k4, k5, k6};
}

void VXPlayerLogic::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXPlayerLogic");
    writer.StartArray();
    WriteNumber(writer, lightAttackDuration);
    WriteNumber(writer, mediumAttackDuration);
    WriteNumber(writer, heavyAttackDuration);
    WriteNumber(writer, delayDuration);
    if (clonedObjects.size() > 1) {
        writer.String("ClonedObj");
        writer.StartArray();
        for (GameObject* o : clonedObjects)
            writer.String(o ? o->g_name.c_str() : "");
        writer.EndArray();
    }
    writer.Int(paintFuel);
    WriteNumber(writer, savedNumber1);
    WriteNumber(writer, savedNumber2);
    writer.Bool(canBeHit != 0);
    writer.Int(score);
    WriteNumber(writer, savedNumber3);
    WriteNumber(writer, attackCooldown);
    writer.String("ForceToAdd");
    writer.StartArray();
    WriteNumber(writer, forceToAdd[0]);
    WriteNumber(writer, forceToAdd[1]);
    writer.EndArray();
    writer.String("PlayerKey");
    writer.StartArray();
    for (int32_t k : keys) writer.Int(k);
    writer.EndArray();
    writer.EndArray();
}

}  // namespace FrameWork
