// Reading object files (level save files and prefabs) into plain records.
// The records are scratch data: the object manager builds objects from them
// and empties the list.
#pragma once

#include "objects/UnreadBlock.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

struct GameObjectData {
    // The entry carries "g_name" or "GameObject", as every object written
    // does; an entry with neither (a tile record, say) still gives a record.
    bool marked = false;
    int32_t type = 0;
    std::string name;
    bool active = false;

    struct Sprite {
        bool present = false;
        int32_t fps = 1;
        float alpha = 1.0f, red = 1.0f, green = 1.0f, blue = 1.0f;
        int32_t layer = 0;
        bool playing = true;
        int32_t rowCount = 0;
        int32_t sheetColumns = 1, sheetRows = 1;
        std::string textureName;
        std::vector<std::vector<int32_t>> rows;
    } sprite;

    struct RigidBody {
        bool present = false;
        bool read[7] = {};
        float mass = 1.0f, damping = 0.99f, inverseMass = 0.9f;
        float acceleration[3] = {}, velocity[3] = {}, position[3] = {}, accumForce[3] = {};
    } rigidBody;

    struct AABB {
        bool present = false;
        bool read[4] = {};
        float halfWidth = 0.0f, halfHeight = 0.0f;
        float min[3] = {}, max[3] = {};
    } aabb;

    struct Circle {
        bool present = false;
        bool read[2] = {};
        float centre[3] = {};
        float radius = 0.0f;
    } circle;

    struct Marker {
        bool present = false;
        int32_t value = 0;
    } shootLogic, enemyAI;

    struct Bullet {
        bool present = false;
        int32_t first = 0;
        float lifetime = 0.0f, number = 0.0f;
        int32_t state = 0;
    } bullet;

    // One per text block, in file order; the number is the one that ends
    // the block's key.
    struct Text {
        bool present = false;
        int32_t number = 0;
        uint32_t value = 0;  // the text component's value
        float alpha = 1.0f, red = 0.0f, green = 0.0f, blue = 0.0f;
    };
    std::vector<Text> texts;

    // No component writes it; its last integer and last boolean are read.
    struct Audio {
        bool present = false;
        int32_t lastInt = 0;
        bool lastBool = false;
    } audio;

    struct PlayerLogic {
        bool present = false;
        float durations[4] = {0.5f, 1.5f, 3.0f, 0.0f};
        std::vector<std::string> clonedNames;
        int32_t paintFuel = 0;
        float savedNumbers[2] = {5.0f, 0.0f};  // savedNumber1, savedNumber2
        bool canBeHit = true;
        int32_t score = 0;
        float thirdAndCooldown[2] = {0.0f, 0.0f};  // savedNumber3, attackCooldown
        float force[2] = {0.0f, 0.0f};
        int32_t keys[7] = {};
    } playerLogic;

    struct Emitter {
        bool present = false;
        int32_t sheetColumns = 1, sheetRows = 1;
        std::string imageName;
        int32_t maxNumber = 1;
        float lifetime = 1.5f;
        int32_t emitAmount = 1;
        float scale = 100.0f;
    } emitter;

    bool trapPresent = false;
    bool chestPresent = false;

    struct Wall {
        bool present = false;
        int32_t hitPoints = 100;
        float lifeTimer = 20.0f;
    } wall;

    struct SpawnPoint {
        bool present = false;
        float restTimer = 15.0f;
        int32_t value = 0;
    } spawnPoint;

    bool flagPresent = false;
    // The block carries nothing the component keeps; it marks presence.
    bool blockBombPresent = false;
    // The oriented box is made anew from the object; the block marks it.
    bool obbPresent = false;

    std::string parentName;
    float position[2] = {0.0f, 0.0f};
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    float scale[2] = {1.0f, 1.0f};

    // The blocks no component is built from, kept as they stand.
    std::vector<UnreadBlock> unreadBlocks;
    // The values inside component blocks that no component takes, by block;
    // the arrays the block readers saw had them taken out.
    std::vector<UnreadValues> unreadValues;
};

class VXObjectLoader {
public:
    // Reads the file at `path` and appends one record per object, in file
    // order.  A file that is missing, is not JSON or whose root is not an
    // array gets a line on standard output and adds nothing (false).
    // Values of the wrong type take their defaults, with a line.
    bool Load(const std::string& path);
    // The same for text already in memory; `source` names it in messages.
    bool LoadFromMemory(const char* text, size_t length, const std::string& source);

    // Why the last Load or LoadFromMemory added nothing.
    enum Failure { None, Unreadable, NotJson, NotArray };
    Failure failure = None;
    // For NotJson: the parser's message and the offset it stopped at.
    std::string failureDetail;
    // The "WARNING: " lines the last read of a whole file printed about
    // values it could not take as they stood.
    std::vector<std::string> warnings;

    std::vector<GameObjectData> records;
};

// Limits on what a file may ask the loader to build.
constexpr int32_t kMaxSpriteRows = 256;
constexpr int32_t kMaxFramesPerRow = 4096;
constexpr int32_t kMaxEmitterParticles = 10000;
constexpr int32_t kMaxSheetCells = 256;

}  // namespace FrameWork
