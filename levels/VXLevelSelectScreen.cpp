#include "levels/VXLevelSelectScreen.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXSpriteComponent.h"
#include "levels/VXScreenObjects.h"
#include "objects/GameObject.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

constexpr int kSelectorType = 16;
const char* const kSelectorSheet = "PlayerCharacterSelection_FullSpritesheet.png";
const char* const kPortraitSheet = "CharacterPortraits_FullSpritesheet.dds";
const char* const kReadySheet = "ReadyIcon_FullSpritesheet.png";
const char* const kDenyImage = "570x870_CharacteSelect_deny.png";
const float kSlideTarget[2] = {0.0f, -100.0f};
// Portraits rest at grey 0.3 or above; the deny state holds one at 0.1.
constexpr float kDeniedBelow = 0.25f;
const char* const kPortraitGroup[8] = {"BlueTeamIcon1",   "BlueTeamIcon2",  "RedTeamIcon1",
                                       "RedTeamIcon2",    "SelectedImage1", "SelectedImage2",
                                       "SelectedImage1a", "SelectedImage2b"};

std::map<std::string, SoundCue> g_sounds;
// The fade-in's level: it rises during the fade-in and is never reset, so a
// later visit shows the selectors and portraits at once.
float g_fadeLevel = 0.1f;
// The quit button's rest point, taken at the first frame that needs it.
bool g_restTaken = false;
float g_quitRest[2] = {0.0f, 0.0f};

bool InGroup(const std::string& name, const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (name == names[i]) return true;
    return false;
}

struct ObjectSpec {
    const char* name;
    int type;
    float x, y, w, h;
    const char* image;
    std::vector<std::vector<int>> rows;
    int layer;
    float alpha;
};

std::vector<std::vector<int>> PortraitRows(int firstCell) {
    std::vector<std::vector<int>> rows(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 12; ++c) rows[static_cast<size_t>(r)].push_back(firstCell - 12 * r + c);
    return rows;
}

}  // namespace

const int32_t kPortraitKinds[6] = {Archer, Knight, Pirate, Viking, Samurai, Maid};

void PlaySelectScreenCue(const char* name) {
    auto cue = g_sounds.find(name);
    if (cue != g_sounds.end()) cue->second.PlayAlways();
}

void SmoothMove(float point[2], const float target[2]) {
    const float dx = target[0] - point[0];
    const float dy = target[1] - point[1];
    if (std::fabs(dy) <= 0.001f) return;
    point[0] += 0.2f * dx;
    point[1] += 0.2f * dy;
}

void AnimateColour(GameObject* object, float frameTime) {
    VXSpriteComponent* sprite = SpriteOf(object);
    if (!sprite) return;
    if (sprite->red >= 1.0f) SetSpriteColour(sprite, 0.0f, 0.0f, 0.0f);
    SetSpriteColour(sprite, sprite->red + frameTime, sprite->green + frameTime,
                    sprite->blue + frameTime);
}

VXLevelSelectScreen::VXLevelSelectScreen() = default;
VXLevelSelectScreen::~VXLevelSelectScreen() = default;

bool* VXLevelSelectScreen::TakenFlag(int32_t kind) {
    switch (kind) {
        case Pirate:
            return &m_pirateTaken;
        case Viking:
            return &m_vikingTaken;
        case Archer:
            return &m_archerTaken;
        case Knight:
            return &m_knightTaken;
        case Samurai:
            return &m_samuraiTaken;
        case Maid:
            return &m_maidTaken;
        default:
            return nullptr;
    }
}

int32_t VXLevelSelectScreen::DetectControllerMode() {
    if (PlayerPad(1) >= 0) return 2;
    return PlayerPad(0) >= 0 ? 1 : 0;
}

void VXLevelSelectScreen::Initialize() {
    VXFrameContext& frame = FrameContext();
    ForgetReportedMisses();
    frame.lineUp.clear();

    m_introDone = m_p1OnBlue = m_p1OnRed = m_p2OnBlue = m_p2OnRed = false;
    m_pirateTaken = m_vikingTaken = m_archerTaken = m_knightTaken = m_samuraiTaken = m_maidTaken =
        false;
    m_p1Ready = m_p2Ready = m_mapSelectOpen = m_quitFocused = false;
    m_p1RepeatTimer = m_p2RepeatTimer = 0.0f;
    // A visit starts from empty records, not the last visit's choices.
    for (GameLevelInitObject& record : m_lineUp) record = GameLevelInitObject();
    m_controllerMode = DetectControllerMode();

    FillSoundTable(g_sounds, {{"select", 9, false},
                              {"cantSelect", 10, false},
                              {"MenuBGM", 12, true},
                              {"CharSelect", 22, false}});

    m_objects = std::make_unique<VXObjectManager>();
    BuildObjects();
    VXObjectManager& objects = *m_objects;

    // Two players, whatever the number of pads: one portrait a side,
    // halfway between the two places.
    for (const char* side : {"RedTeamIcon", "BlueTeamIcon"}) {
        const std::string first = std::string(side) + "1";
        GameObject* icon = FindScreenObject(objects, first);
        GameObject* lower = FindScreenObject(objects, std::string(side) + "2");
        GameObject* ready = FindScreenObject(objects, first + "Ready");
        if (!icon || !lower) continue;
        icon->position[1] -= (icon->position[1] - lower->position[1]) / 2.0f;
        if (ready) {
            ready->position[0] = icon->position[0];
            ready->position[1] = icon->position[1];
        }
    }
    GameObject* p2 = FindScreenObject(objects, "Player2Selector");
    GameObject* p4 = FindScreenObject(objects, "Player4Selector");
    if (p2 && p4) p2->position[1] = p4->position[1];
    for (const char* name : {"RedTeamIcon2", "RedTeamIcon2Ready", "BlueTeamIcon2",
                             "BlueTeamIcon2Ready", "Player3Selector", "Player4Selector"})
        SetObjectActive(FindScreenObject(objects, name), false);
    SetObjectActive(FindScreenObject(objects, "RedTeamIcon1Ready"), false);
    SetObjectActive(FindScreenObject(objects, "BlueTeamIcon1Ready"), false);

    const struct {
        const char* image;
        const char* portrait;
        float dx;
    } overlays[4] = {{"SelectedImage1", "BlueTeamIcon1", 35.0f},
                     {"SelectedImage2", "RedTeamIcon1", -15.0f},
                     {"SelectedImage1a", "BlueTeamIcon1", 35.0f},
                     {"SelectedImage2b", "RedTeamIcon1", -15.0f}};
    for (const auto& o : overlays) {
        GameObject* image = FindScreenObject(objects, o.image);
        GameObject* portrait = FindScreenObject(objects, o.portrait);
        if (!image || !portrait) continue;
        image->position[0] = portrait->position[0] + o.dx;
        image->position[1] = portrait->position[1];
        SetObjectActive(image, false);
    }
    SetClearColour(1.0f, 211.0f / 255.0f, 0.0f, 1.0f);
}

void VXLevelSelectScreen::BuildObjects() {
    const float W = LayoutWidth(), H = LayoutHeight();
    const float pw = 665.28f, ph = 451.44f;
    const ObjectSpec specs[] = {
        {"LevelSelectAnimation",
         GameObject::Menu,
         0,
         0,
         W,
         H,
         "CharacterSelect_BG_Animated.png",
         {{0, 1, 2, 3, 4, 5}, {5}},
         0,
         1},
        {"Player1Selector", kSelectorType, 0, 100, 300, 180, kSelectorSheet, {{8, 4, 0}}, 3, 0},
        {"Player2Selector", kSelectorType, 0, 0, 300, 180, kSelectorSheet, {{9, 5, 1}}, 3, 0},
        {"Player3Selector", kSelectorType, 0, -200, 300, 180, kSelectorSheet, {{10, 6, 2}}, 3, 0},
        {"Player4Selector", kSelectorType, 0, -325, 300, 180, kSelectorSheet, {{11, 7, 3}}, 3, 0},
        {"VSIcon", kSelectorType, 0, -0.75f * H, 200, 200, "VS_Icon.png", {}, 1, 1},
        {"CS_Icon",
         kSelectorType,
         0,
         0.5f * H - 200,
         880,
         170,
         "CharacterSelect_Icon.png",
         {},
         1,
         1},
        {"BlueTeamIcon1", kSelectorType, 375 - 0.5f * W, 50, pw, ph, kPortraitSheet,
         PortraitRows(132), 0, 0},
        {"BlueTeamIcon1Ready", kSelectorType, 375 - 0.5f * W, 50, pw, ph, kReadySheet, {{0}}, 1, 1},
        {"BlueTeamIcon2",
         kSelectorType,
         375 - 0.5f * W,
         -325,
         pw,
         ph,
         kPortraitSheet,
         {{4, 5, 6, 7}},
         0,
         0},
        {"BlueTeamIcon2Ready",
         kSelectorType,
         375 - 0.5f * W,
         -325,
         pw,
         ph,
         kReadySheet,
         {{0}},
         1,
         1},
        {"RedTeamIcon1", kSelectorType, 0.5f * W - 375, 50, pw, ph, kPortraitSheet,
         PortraitRows(60), 0, 0},
        {"RedTeamIcon1Ready", kSelectorType, 0.5f * W - 375, 50, pw, ph, kReadySheet, {{1}}, 1, 1},
        {"RedTeamIcon2",
         kSelectorType,
         0.5f * W - 375,
         -325,
         pw,
         ph,
         kPortraitSheet,
         {{0, 1, 2, 3}},
         0,
         0},
        {"RedTeamIcon2Ready",
         kSelectorType,
         0.5f * W - 375,
         -325,
         pw,
         ph,
         kReadySheet,
         {{1}},
         1,
         0},
        {"MapSelector",
         kSelectorType,
         0,
         0,
         0.8f * W,
         0.8f * H,
         "MapSelection_FullSpriteSheet.png",
         {{1, 0, 2}},
         4,
         0},
        {"QuitButton", kSelectorType, 0, -H, 550, 270, "Pause_Quit.png", {{1, 0}}, 5, 1},
        {"SelectedImage1", kSelectorType, 0, 0, 696, 456, kDenyImage, {}, 6, 1},
        {"SelectedImage2", kSelectorType, 0, 0, 696, 456, kDenyImage, {}, 7, 1},
        {"SelectedImage1a", kSelectorType, 0, 0, 696, 456, kDenyImage, {}, 8, 1},
        {"SelectedImage2b", kSelectorType, 0, 0, 696, 456, kDenyImage, {}, 9, 1},
    };
    for (const ObjectSpec& spec : specs) {
        GameObject* object =
            MakeSpriteObject(*m_objects, spec.name, spec.type, spec.x, spec.y, spec.w, spec.h);
        VXSpriteComponent* sprite = SpriteOf(object);
        if (!sprite) continue;
        GiveImage(sprite, spec.image);
        if (!spec.rows.empty()) SetSheetRows(sprite, spec.rows);
        sprite->layer = spec.layer;
        sprite->alpha = spec.alpha;
        sprite->playing = false;
    }
    VXObjectManager& objects = *m_objects;
    if (VXSpriteComponent* background = FindScreenSprite(objects, "LevelSelectAnimation")) {
        background->SetFPS(20);
        background->playing = true;
    }
    for (const char* name : {"BlueTeamIcon1", "RedTeamIcon1", "BlueTeamIcon2", "RedTeamIcon2"})
        SetSpriteColour(FindScreenSprite(objects, name), 0.3f, 0.3f, 0.3f);
    for (const char* name : {"BlueTeamIcon1", "RedTeamIcon1"})
        if (VXSpriteComponent* portrait = FindScreenSprite(objects, name)) portrait->SetFPS(15);
}

void VXLevelSelectScreen::ColourPasses() {
    for (GameObject* object : m_objects->objects) {
        VXSpriteComponent* sprite = SpriteOf(object);
        if (!sprite) continue;
        const std::string& name = object->g_name;
        if (m_mapSelectOpen) {
            if (name == "MapSelector") continue;
            SetSpriteColour(sprite, 0.25f, 0.25f, 0.25f);
            if (name == "CS_Icon") sprite->alpha = 0.0f;
        } else {
            if (name == "MapSelector" || InGroup(name, kPortraitGroup, 8)) continue;
            SetSpriteColour(sprite, 1.0f, 1.0f, 1.0f);
            if (name == "CS_Icon") sprite->alpha = 1.0f;
        }
    }
    if (m_mapSelectOpen) return;
    for (GameObject* object : m_objects->objects) {
        VXSpriteComponent* sprite = SpriteOf(object);
        if (!sprite) continue;
        const std::string& name = object->g_name;
        if (m_quitFocused) {
            if (name != "QuitButton") SetSpriteColour(sprite, 0.25f, 0.25f, 0.25f);
        } else if (!InGroup(name, kPortraitGroup, 8)) {
            SetSpriteColour(sprite, 1.0f, 1.0f, 1.0f);
        }
    }
}

void VXLevelSelectScreen::SlideAndFade() {
    VXObjectManager& objects = *m_objects;
    GameObject* vs = FindScreenObject(objects, "VSIcon");
    if (m_introDone && vs && kSlideTarget[1] - vs->position[1] >= 0.001f)
        SmoothMove(vs->position, kSlideTarget);
    if (GameObject* quit = FindScreenObject(objects, "QuitButton")) {
        if (!g_restTaken) {
            g_restTaken = true;
            g_quitRest[1] = -LayoutHeight();
        }
        SmoothMove(quit->position, m_quitFocused ? kSlideTarget : g_quitRest);
    }
    if (!m_introDone || !vs || kSlideTarget[1] - vs->position[1] > 0.001f) return;
    for (const char* name :
         {"Player1Selector", "Player2Selector", "Player3Selector", "Player4Selector",
          "BlueTeamIcon1", "BlueTeamIcon2", "RedTeamIcon1", "RedTeamIcon2"}) {
        GameObject* object = FindScreenObject(objects, name);
        VXSpriteComponent* sprite = SpriteOf(object);
        if (!sprite || (!object->m_active && std::string(name) != "Player1Selector")) continue;
        if (sprite->alpha < 1.0f) sprite->alpha = g_fadeLevel;
    }
    g_fadeLevel += 0.1f;
}

void VXLevelSelectScreen::HighlightPortraits(bool firstStep) {
    // A portrait the deny state darkened this frame (to 0.1, below the grey
    // it rests at) is lifted once a frame, not once a step, so that it reads
    // as dark at any frame rate.
    auto brighten = [firstStep](VXSpriteComponent* s, bool ready) {
        if (s && s->blue <= 1.0f && !ready && (firstStep || s->blue >= kDeniedBelow))
            SetSpriteColour(s, s->red + 0.1f, s->green + 0.1f, s->blue + 0.1f);
    };
    auto darken = [](VXSpriteComponent* s) {
        if (s && s->blue > 0.3f) SetSpriteColour(s, s->red - 0.1f, s->green - 0.1f, s->blue - 0.1f);
    };
    const struct {
        const char* portrait;
        bool p1On, p2On;
    } sides[2] = {{"BlueTeamIcon1", m_p1OnBlue, m_p2OnBlue},
                  {"RedTeamIcon1", m_p1OnRed, m_p2OnRed}};
    for (const auto& side : sides) {
        VXSpriteComponent* sprite = FindScreenSprite(*m_objects, side.portrait);
        if (side.p1On) brighten(sprite, m_p1Ready);
        if (!side.p1On && !side.p2On) darken(sprite);
        if (side.p2On) brighten(sprite, m_p2Ready);
    }
}

void VXLevelSelectScreen::Update() {
    VXObjectManager& objects = *m_objects;
    // The pulses, slides, fades, highlights and repeat timers move on by the
    // frame's steps of 1/60 s, so that they take the same seconds at any
    // frame rate.
    const int32_t steps = FrameContext().frameSteps;
    const float dt = SteppedFrameTime();
    g_sounds["MenuBGM"].UpdateLoop();
    for (const char* name :
         {"SelectedImage1", "SelectedImage2", "SelectedImage1a", "SelectedImage2b"}) {
        GameObject* image = FindScreenObject(objects, name);
        if (image && image->m_active) AnimateColour(image, dt);
    }
    ColourPasses();

    // A pad that comes or goes changes the mode at once.
    m_controllerMode = DetectControllerMode();
    UpdatePlayers();
    UpdateMapSelection();
    UpdateSelectedImages();

    VXSpriteComponent* background = FindScreenSprite(objects, "LevelSelectAnimation");
    if (background && background->playing && background->animation.currentFrame == 5) {
        m_introDone = true;
        background->playing = false;
    }
    for (int32_t step = 0; step < steps; ++step) {
        SlideAndFade();
        HighlightPortraits(step == 0);
    }
    if (m_p1RepeatTimer > 0.0f) m_p1RepeatTimer -= dt;
    if (m_p2RepeatTimer > 0.0f) m_p2RepeatTimer -= dt;
    for (GameObject* object : objects.objects) object->Update(FrameContext().frameTime);
}

void VXLevelSelectScreen::Free() {
    if (m_objects)
        for (GameObject* object : m_objects->objects)
            if (VXSpriteComponent* sprite = SpriteOf(object)) sprite->active = 0;
    VXAudioManager::Instance()->StopChannel(12);
    m_objects.reset();
}

}  // namespace FrameWork
