// Component type ids and the id of each component class.
#pragma once

#include <cstdint>

namespace FrameWork {

// The integer id every component carries once attached (7 is not assigned).
enum ComponentType : int32_t {
    CT_Sprite = 1,
    CT_RigidBody = 2,
    CT_AABB = 3,
    CT_OBB = 4,
    CT_CircleCollider = 5,
    CT_Text = 6,
    CT_PlayerLogic = 8,
    CT_ParticleEmitter = 9,
    CT_GameManager = 10,
    CT_WallLogic = 11,
    CT_SpawnPoint = 12,
    CT_BlockBomb = 13,
    CT_Flag = 14,
    CT_Chest = 15,
    CT_Trap = 16,
    CT_BlockBombPointer = 17,
    CT_ShootLogic = 18,
    CT_EnemyLogic = 19,
    CT_Bullet = 20,
    CT_Mine = 21,
    CT_Mop = 22,
};

class VXSpriteComponent;
class VXRigidBody;
class VXAABB;
class VXOBB;
class VXCircleCollider;
class VXTextComponent;
class VXPlayerLogic;
class VXParticleEmitter;
class VXGameManagerComponent;
class VXWallLogicCom;
class VXSpPointComponent;
class VXBlockBombCom;
class VXFlagCom;
class VXChestComponent;
class VXTrapComponent;
class VXBlockBombPointer;
class VXShootLogicComponent;
class EnemyAILogicCom;
class VXBulletComponent;
class VXMineCom;
class VXMopCom;

// ComponentTypeOf<T>::value is the type id of component class T; the
// generic attach, create and find operations use it.
template <class T>
struct ComponentTypeOf;

#define VX_COMPONENT_TYPE(Class, Id)         \
    template <>                              \
    struct ComponentTypeOf<Class> {          \
        static constexpr int32_t value = Id; \
    }
VX_COMPONENT_TYPE(VXSpriteComponent, CT_Sprite);
VX_COMPONENT_TYPE(VXRigidBody, CT_RigidBody);
VX_COMPONENT_TYPE(VXAABB, CT_AABB);
VX_COMPONENT_TYPE(VXOBB, CT_OBB);
VX_COMPONENT_TYPE(VXCircleCollider, CT_CircleCollider);
VX_COMPONENT_TYPE(VXTextComponent, CT_Text);
VX_COMPONENT_TYPE(VXPlayerLogic, CT_PlayerLogic);
VX_COMPONENT_TYPE(VXParticleEmitter, CT_ParticleEmitter);
VX_COMPONENT_TYPE(VXGameManagerComponent, CT_GameManager);
VX_COMPONENT_TYPE(VXWallLogicCom, CT_WallLogic);
VX_COMPONENT_TYPE(VXSpPointComponent, CT_SpawnPoint);
VX_COMPONENT_TYPE(VXBlockBombCom, CT_BlockBomb);
VX_COMPONENT_TYPE(VXFlagCom, CT_Flag);
VX_COMPONENT_TYPE(VXChestComponent, CT_Chest);
VX_COMPONENT_TYPE(VXTrapComponent, CT_Trap);
VX_COMPONENT_TYPE(VXBlockBombPointer, CT_BlockBombPointer);
VX_COMPONENT_TYPE(VXShootLogicComponent, CT_ShootLogic);
VX_COMPONENT_TYPE(EnemyAILogicCom, CT_EnemyLogic);
VX_COMPONENT_TYPE(VXBulletComponent, CT_Bullet);
VX_COMPONENT_TYPE(VXMineCom, CT_Mine);
VX_COMPONENT_TYPE(VXMopCom, CT_Mop);
#undef VX_COMPONENT_TYPE

}  // namespace FrameWork
