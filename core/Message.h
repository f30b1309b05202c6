// The messages systems and components exchange.  They are built on the
// sender's stack and handed on by pointer; nobody keeps a message.
#pragma once

#include <cstdint>
#include <vector>

// Message type ids (0, 1, 2 and 6 are not used).
enum MessageType : int32_t {
    MSG_UPDATE = 3,
    MSG_DEBUG_TOGGLE = 4,
    MSG_DEBUG_INIT = 5,
    MSG_PHYSICS_LISTS = 7,
    MSG_CHAR_SKILL_INIT = 8,
    MSG_BOMB_INIT = 9,
    MSG_LEVEL_INIT = 10,
};

class Message {
public:
    explicit Message(int32_t t) : type(t) {}
    virtual ~Message() = default;
    int32_t type;
};

namespace FrameWork {

class GameObject;
class VXDebugManager;
class VXShapeInstancer;

// Type 3: the frame time, sent by a game object to each of its components.
class UpdateMessage : public Message {
public:
    explicit UpdateMessage(float frameTime) : Message(MSG_UPDATE), dt(frameTime) {}
    float dt;
};

// Type 4 (debug toggle, both pointers null) and type 5 (debug set-up: the
// graphics manager's camera-view and projection matrices).
class MSGDebug : public Message {
public:
    MSGDebug(int32_t t, float* view, float* projection)
        : Message(t), camView(view), projection(projection) {}
    float* camView;
    float* projection;
};

// Type 7: the physics manager writes its list addresses into `debug`.
class MSGPhysics : public Message {
public:
    explicit MSGPhysics(VXDebugManager* d) : Message(MSG_PHYSICS_LISTS), debug(d) {}
    VXDebugManager* debug;
};

// Type 8: the running level's object list.
class MSGCharSkillInit : public Message {
public:
    explicit MSGCharSkillInit(std::vector<GameObject*>* list)
        : Message(MSG_CHAR_SKILL_INIT), objects(list) {}
    std::vector<GameObject*>* objects;
};

// Type 9: the running level's floor-tile grid.
class MsgBombInit : public Message {
public:
    explicit MsgBombInit(VXShapeInstancer* g) : Message(MSG_BOMB_INIT), grid(g) {}
    VXShapeInstancer* grid;
};

// Character kinds are the object types of the six playable characters
// (their names and numbers: kCharacters, core/VXGlobalTables.h).
enum VXCharacterKind : int32_t {
    Pirate = 6,
    Viking = 7,
    Knight = 8,
    Archer = 15,
    Samurai = 18,
    Maid = 19,
};

// Type 10: one entry of the match line-up (player number 1 to 6, whose object
// is "Player" + number; character kind; team 1 Blue, 2 Red, 0 none).  Not
// sent: the engine keeps six of them in `lineUp`.
class GameLevelInitObject : public Message {
public:
    GameLevelInitObject(int32_t number = 0, int32_t kind = 0, int32_t teamId = 0)
        : Message(MSG_LEVEL_INIT), playerNumber(number), characterKind(kind), team(teamId) {}
    int32_t playerNumber;
    int32_t characterKind;
    int32_t team;
};

}  // namespace FrameWork
