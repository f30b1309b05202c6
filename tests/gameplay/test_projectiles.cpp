// Each character's shot: the clone, its flight, lifetime, states and sound.
#include "engine/core/VXAudioManager.h"
#include "gameplay/VXProjectiles.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/ComponentFactory.h"
#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXObjectManager.h"
#include "physics/VXAABB.h"
#include "tests/gameplay/GameplayTestSupport.h"
#include "tests/harness/TempDataTree.h"

using namespace GameplayTest;

TEST(Projectiles, EachCharactersShotFliesForItsLifetimeWithItsSound) {
    StartMatchFrames();
    BuildComponentFactories();
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    VXAudioManager* audio = VXAudioManager::Instance();
    VXSoundMap sounds;  // no "pirate": its shot plays nothing and adds nothing
    for (const char* name : {"VikingFire", "knight", "ArcherFire"}) {
        audio->CreateSound((TestHarness::SourceDir() / "data/audio/knight.ogg").string());
        sounds[name] = SoundCue(static_cast<int>(sounds.size()));
    }
    g_instancerSoundMap = &sounds;
    FrameContext().active = 1;
    VXObjectManager manager;
    VXObjectManager* om = &manager;
    GameObject* prefab =
        new GameObject(40, 40, GameObject::Bullet, 0, 1, 0, 300, 0, "Shot", 0, 0, 0);
    manager.prefabs.push_back(prefab);
    for (int type : {CT_Sprite, CT_AABB, CT_RigidBody, CT_Bullet})
        manager.AddComponentById(prefab, type, 0);
    Objects objects;
    const struct {
        int kind;
        float lifetime;
        int sound;  // cue index, -1 none
    } table[] = {{6, 0.6f, -1},   {7, 0.25f, 0},    {8, 0.25f, 1}, {15, 0.8f, 2},
                 {18, 0.25f, -1}, {19, 1.125f, -1}, {11, 0.2f, -1}};
    for (const auto& row : table) {
        for (VXChannel& c : audio->channels) c.played = false;
        GameObject* shooter = objects.Player("Player1", row.kind);
        shooter->rotation[2] = 90.0f;
        LogicOf(shooter)->FireProjectile(prefab, &om);
        GameObject* shot = manager.objects.back();
        auto* bullet = static_cast<VXBulletComponent*>(shot->GetComponent(CT_Bullet));
        EXPECT_EQ(shot->g_name, "Shot_cloned");
        EXPECT_EQ(bullet->state, 2);
        EXPECT_EQ(shot->GetAABB()->halfWidth, 25.0f);
        EXPECT_EQ(shot->position[0], 300.0f);
        EXPECT_NEAR(BodyOf(shot)->Velocity.y, row.kind == 11 ? 0.0f : 800.0f, 1e-3);
        EXPECT_NEAR(BodyOf(shot)->Velocity.x, 0.0f, 1e-3);
        for (size_t i = 0; audio->HasDevice() && i < audio->channels.size(); ++i)
            EXPECT_EQ(audio->channels[i].played, static_cast<int>(i) == row.sound) << row.kind;
        int frames = 0;
        for (; shot->m_active && frames < 100; ++frames) shot->Update(kFrame);
        EXPECT_NEAR(frames, row.lifetime * 60, 1) << "kind " << row.kind;
        EXPECT_FALSE(shot->GetAABB()->active);
    }
    EXPECT_EQ(sounds.size(), 3u);
    // States above 2 stop the clock.
    GameObject* shot = manager.objects.back();
    auto* bullet = static_cast<VXBulletComponent*>(shot->GetComponent(CT_Bullet));
    shot->SetActive(1);
    bullet->lifetime = 0.1f;
    bullet->state = 3;
    for (int i = 0; i < 20; ++i) shot->Update(kFrame);
    EXPECT_TRUE(shot->m_active);
    g_instancerSoundMap = nullptr;
    VXAudioManager::Destroy();
}
