#include "levels/VXLoadingScreen.h"

#include <memory>

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "gameplay/VXMatchFlow.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXScreenObjects.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

const std::string kData = kDataRoot;
const std::string kImg = kData + "img/";
const char* const kLoaderObjects[3] = {"LoaderLogo", "LoaderBall", "LoaderText"};
constexpr float kPulseStep = 1.0f / 12.0f;
constexpr float kFadeStep = 1.0f / 60.0f;

VXLoadingState g_state;

// The loader's objects; made by Initialize, deleted by Free (a manager
// keeps the graphics manager of the engine it was made under).
std::unique_ptr<VXObjectManager> g_objects;

VXObjectManager& LoaderObjects() {
    if (!g_objects) g_objects = std::make_unique<VXObjectManager>();
    return *g_objects;
}

}  // namespace

float PulseCaption(float alpha, bool& up) {
    if (alpha <= 0.35f) up = true;
    if (alpha >= 1.0f) {
        up = false;
        return alpha - kPulseStep;
    }
    return up ? alpha + kPulseStep : alpha - kPulseStep;
}

const VXLoadingState& VXLoadingScreen::State() {
    return g_state;
}

const VXObjectManager* VXLoadingScreen::Objects() {
    return g_objects.get();
}

void VXLoadingScreen::Initialize() {
    // Every visit (and every engine of a test process) starts from the
    // beginning; what an earlier visit loaded into the managers of the same
    // engine counts as loaded.
    g_state = VXLoadingState();
    ForgetReportedMisses();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXAudioManager* audio = VXAudioManager::Instance();

    if (graphics->textureImageNames.empty())
        graphics->ReadTextureList(kData + "objects/texturelist.txt");
    for (const std::string& name : Platform::ListDirectory(kData + "objects/TilemapJsons/*"))
        graphics->LoadTilemap(kData + "objects/TilemapJsons/" + name);
    if (audio->names.empty()) audio->LoadTextList(kData + "objects/audiolist.txt");
    // Sounds are loaded by index in list order: indexes already loaded stay.
    g_state.sounds = audio->sounds.size();
    InitMatchUIResources();

    g_objects = std::make_unique<VXObjectManager>();
    VXObjectManager& objects = *g_objects;
    for (const char* name : kLoaderObjects)
        MakeSpriteObject(objects, name, GameObject::UI, 0.0f, 0.0f, 400.0f, 400.0f);
    if (!graphics->FindTexture("LoaderSprite"))
        graphics->AddNamedTexture("LoaderSprite", kImg + "LoadingScreen.png", 3, 1);
    for (int cell = 0; cell < 3; ++cell) {
        VXSpriteComponent* sprite = SpriteOf(objects.objects[static_cast<size_t>(cell)]);
        if (!sprite) continue;
        sprite->texture = graphics->FindTexture("LoaderSprite");
        SetSheetRows(sprite, {{cell}});
        sprite->playing = false;
    }
    SetClearColour(0.0f, 0.0f, 0.0f, 1.0f);
}

void VXLoadingScreen::LoadOneOfEach() {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXAudioManager* audio = VXAudioManager::Instance();
    if (g_state.sounds < audio->names.size()) {
        audio->LoadSound(static_cast<int>(g_state.sounds));
        ++g_state.sounds;
    }
    const size_t textureTotal = graphics->textureImageNames.size();
    if (g_state.textures < textureTotal) {
        const size_t i = g_state.textures;
        const std::string& name = graphics->textureImageNames[i];
        if (!graphics->FindTexture(name))
            graphics->AddNamedTexture(name, graphics->textureImagePaths[i],
                                      graphics->textureColumns[i], graphics->textureRows[i]);
        ++g_state.textures;
    }
    if (g_state.tilemaps < g_state.tilemapTotal && !g_state.workList.empty()) {
        const VXTilemapData& record = g_state.workList.begin()->second;
        const std::string image = record._name;
        graphics->AddInstanceSet(image, g_state.serial++);
        graphics->LoadInstanceSetImage(image, kImg + image, record._texRows, record._texColumns);
        graphics->tileSetNames.push_back(image);
        graphics->tileSetImagePaths.push_back(kImg + image);
        g_state.workList.erase(g_state.workList.begin());
        ++g_state.tilemaps;
    }
    if (g_state.sounds >= audio->names.size() && g_state.textures >= textureTotal &&
        g_state.tilemaps >= g_state.tilemapTotal)
        g_state.loading = false;
}

void VXLoadingScreen::Fade() {
    VXFrameContext& frame = FrameContext();
    if (g_state.fade <= 0.0f) {
        frame.nextState = frame.stateAfterLoading;
        frame.active = 1;
    }
    VXObjectManager& objects = LoaderObjects();
    for (const char* name : kLoaderObjects)
        if (VXSpriteComponent* sprite = FindScreenSprite(objects, name))
            if (sprite->alpha > 0.0f) sprite->alpha -= kFadeStep;
    if (VXSpriteComponent* caption = FindScreenSprite(objects, "LoaderText"))
        g_state.fade = caption->alpha;
}

void VXLoadingScreen::Update() {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    if (!g_state.workListTaken) {
        g_state.workListTaken = true;
        // Tile sets an earlier visit made are not made again.
        if (graphics->tileSetNames.empty()) g_state.workList = graphics->tilemaps;
        g_state.tilemapTotal = g_state.workList.size();
    }

    if (g_state.loading) {
        LoadOneOfEach();
    } else if (!g_state.done) {
        const std::string carpet = "carpetBomb2.png";
        if (!graphics->FindInstanceSet(carpet)) {
            graphics->AddInstanceSet(carpet, g_state.serial++);
            graphics->LoadInstanceSetImage(carpet, kImg + carpet, 8, 8);
        }
        g_state.done = true;
    }

    // The spin, the pulse and the fade move on by the frame's steps of
    // 1/60 s, so that they take the same seconds at any frame rate; the
    // loading above stays one of each kind a frame.
    VXFrameContext& frame = FrameContext();
    VXObjectManager& objects = LoaderObjects();
    GameObject* ball = FindScreenObject(objects, "LoaderBall");
    VXSpriteComponent* caption = FindScreenSprite(objects, "LoaderText");
    for (int32_t step = 0; step < frame.frameSteps && frame.nextState == frame.currentState;
         ++step) {
        if (ball) {
            ball->rotation[2] -= 10.0f;
            if (ball->rotation[2] < 0.0f) ball->rotation[2] = 359.0f;
        }
        const float pulse = caption ? PulseCaption(caption->alpha, g_state.pulseUp) : 0.0f;
        if (g_state.done)
            Fade();
        else if (caption)
            caption->alpha = pulse;
    }

    const float dt = FrameContext().frameTime;
    for (GameObject* object : objects.objects) object->Update(dt);
}

void VXLoadingScreen::Free() {
    g_objects.reset();
}

}  // namespace FrameWork
