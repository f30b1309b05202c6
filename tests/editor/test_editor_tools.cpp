// The editor's scene tools, keys, console and restarts.
#include <gtest/gtest.h>
#include <imgui_internal.h>
#include <rapidjson/document.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/VXAudioManager.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "physics/VXPhysicsManager.h"
#include "tests/editor/EditorTestSupport.h"

namespace EditorTest {
namespace {

// Where the editor's camera shows a world point, in window pixels.
void ScreenOf(float wx, float wy, int& x, int& y) {
    const VXGraphicsManager* g = VXGraphicsManager::Instance();
    x = static_cast<int>(wx * g->zoom + windowWidth / 2 + g->cameraX);
    y = windowHeight - static_cast<int>(wy * g->zoom + windowHeight / 2 + g->cameraY);
}

// A TRANSLATE drag moves the object until the drag ends: cut short by ERASE
// over a tile (which stays) or by Ctrl+S's "Save?", it stays where the cut
// found it while the cursor moves on, and is saved there.
TEST_F(EditorFixture, DraggedObjectChangesOnlyItsPositionInTheSave) {
    EnterEditor();
    TapKey(SDL_SCANCODE_2);  // TRANSLATE
    ASSERT_EQ(g_currentTool, ToolTranslate);
    // The first object shown in a free part of the window.
    int x = 0, y = 0;
    bool found = false;
    for (GameObject* object : Editor()->m_objects->objects) {
        ScreenOf(object->position[0], object->position[1], x, y);
        if (object->g_name == "mouse" || x < 100 || y < 150 || x > windowWidth - 400 ||
            y > windowHeight - 100)
            continue;
        MoveMouse(x, y);
        StepFrames(2);
        if ((found = !ImGui::IsWindowHovered(ImGuiHoveredFlags_AnyWindow))) break;
    }
    ASSERT_TRUE(found);
    MouseButton(true, x, y);
    StepFrames(1);
    GameObject* moved = g_selectedObject;
    ASSERT_NE(moved, nullptr);
    const float startX = moved->position[0];
    MoveMouse(x + 30, y);
    StepFrames(1);
    MouseButton(false, x + 30, y);
    StepFrames(2);
    EXPECT_NEAR(moved->position[0] - startX, 30.0f / VXGraphicsManager::Instance()->zoom, 0.5f);

    // Held again and moved, cut short by ERASE over a tile or by Ctrl+S, let
    // go further on, TRANSLATE chosen again and the cursor on.
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames.at(0));
    ASSERT_NE(set, nullptr);
    g_selectedTileSet = 0;
    MoveMouse(x + 90, y);
    StepFrames(2);
    Editor()->m_tiles->PaintTileCell(g_mouseWorld.x, g_mouseWorld.y, false);
    const size_t tiles = set->m_data1.size();
    Placement held{};
    for (const SDL_Scancode cut : {SDL_SCANCODE_7, SDL_SCANCODE_S}) {
        ScreenOf(moved->position[0], moved->position[1], x, y);
        MoveMouse(x, y);
        StepFrames(1);
        MouseButton(true, x, y);
        StepFrames(1);
        MoveMouse(x + 20, y);
        StepFrames(2);
        held = PlacementOf(moved);
        if (cut == SDL_SCANCODE_S) PressKey(SDL_SCANCODE_LCTRL);
        TapKey(cut);
        ReleaseKey(SDL_SCANCODE_LCTRL);
        MoveMouse(x + 60, y);
        StepFrames(2);
        MouseButton(false, x + 60, y);
        StepFrames(1);
        TapKey(SDL_SCANCODE_2);
        MoveMouse(x + 100, y);
        StepFrames(2);
        EXPECT_EQ(PlacementOf(moved), held)
            << moved->g_name << " moved on after " << (cut == SDL_SCANCODE_S ? "Ctrl+S" : "ERASE");
    }
    EXPECT_EQ(set->m_data1.size(), tiles) << "tiles erased by a button held since a drag";
    ClickItem("Save?/YES");
    const ObjectChanges changes =
        ChangesBetween(Data("objects/savefile1.json"), Data("objects/savefile.json"));
    EXPECT_EQ(changes.keys, (ChangedKeys{{moved->g_name, {"position"}}})) << changes.text;
    EXPECT_TRUE(SavedAs(Data("objects/savefile.json"), moved->g_name, held));
}

// The editor with the Pirate of the shipped level at hand, picked and
// handled in the scene with the mouse.
class ToolFixture : public EditorFixture {
protected:
    GameObject* Find(const std::string& name) {
        for (GameObject* object : Editor()->m_objects->objects)
            if (object->g_name == name) return object;
        ADD_FAILURE() << "no " << name << " in the level";
        return nullptr;
    }
    GameObject* Pirate() { return Find("Pirate"); }
    // A click on the object in the scene, `dx`, `dy` world units off its
    // middle.
    void Pick(GameObject* object, float dx = 0.0f, float dy = 0.0f) {
        const VXEditorRect r = WorldRect(object);
        int x = 0, y = 0;
        ScreenOf(r.x + dx, r.y + dy, x, y);
        ClickAt(x, y);
        ASSERT_PRED_FORMAT2(SameObject, g_selectedObject, object);
    }
    // A press on the object's x (axis 0) or y handle and a drag of `pixels`
    // along it, away from the object, the button held; (x, y): where the
    // cursor is then.
    void HoldHandle(GameObject* object, int axis, int pixels, int& x, int& y) {
        const VXEditorRect r = WorldRect(object);
        if (axis == 0)
            ScreenOf(r.x + r.w / 2 + 60, r.y, x, y);
        else
            ScreenOf(r.x, r.y + r.h / 2 + 60, x, y);
        MoveMouse(x, y);
        StepFrames(2);
        ASSERT_FALSE(WindowUnderCursor()) << "a window covers the handle";
        MouseButton(true, x, y);
        StepFrames(1);
        (axis == 0 ? x : y) += axis == 0 ? pixels : -pixels;
        MoveMouse(x, y);
        StepFrames(2);
    }
    // The same, and a release there.
    void DragHandle(GameObject* object, int axis, int pixels) {
        int x = 0, y = 0;
        HoldHandle(object, axis, pixels, x, y);
        MouseButton(false, x, y);
        StepFrames(2);
    }
    // A press at (x, y), a drag to (toX, toY) and a release there, with the
    // key `held` (none: SDL_SCANCODE_UNKNOWN) down throughout.
    void DragMouse(int x, int y, int toX, int toY, SDL_Scancode held = SDL_SCANCODE_UNKNOWN) {
        if (held != SDL_SCANCODE_UNKNOWN) PressKey(held);
        MoveMouse(x, y);
        StepFrames(1);
        MouseButton(true, x, y);
        StepFrames(1);
        MoveMouse(toX, toY);
        StepFrames(2);
        MouseButton(false, toX, toY);
        StepFrames(1);
        if (held != SDL_SCANCODE_UNKNOWN) ReleaseKey(held);
        StepFrames(1);
    }
    void DragXHandle(GameObject* object, int dx) { DragHandle(object, 0, dx); }
    // A press at (x, y), a move by (dx, dy) pixels, a release there.
    void Drag(int x, int y, int dx, int dy) { DragMouse(x, y, x + dx, y + dy); }
};

// Where a widget was drawn, a few pixels in from its left end.
bool WidgetPoint(const std::string& key, int& x, int& y) {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!FindEditorItem(key, x0, y0, x1, y1)) return false;
    x = static_cast<int>(x0) + 12;
    y = static_cast<int>((y0 + y1) / 2);
    return true;
}

// A press and a drag, or a click held for a few frames, on a widget of a
// window lying over the scene: whatever the tool, no tile and no object of
// the scene changes, and the selection stays.
TEST_F(ToolFixture, ToolsDoNotActThroughAWindowWidget) {
    EnterEditor();
    GameObject* pirate = Pirate();
    ASSERT_NE(pirate, nullptr);
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    g_selectedTileSet = 0;
    VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames[0]);
    ASSERT_NE(set, nullptr);
    const struct {
        SDL_Scancode key;
        int tool;
    } tools[] = {
        {SDL_SCANCODE_7, ToolErase}, {SDL_SCANCODE_5, ToolPaint}, {SDL_SCANCODE_2, ToolTranslate}};
    const struct {
        const char* widget;
        int drag;  // pixels to the right while held; 0 for a click
    } widgets[] = {{"INSPECTOR/PositionX", 0}, {"INSPECTOR/ScaleX", 60}};
    for (const auto& t : tools) {
        TapKey(t.key);
        ASSERT_EQ(g_currentTool, t.tool);
        if (t.tool == ToolTranslate) {
            // Pick the Pirate in the scene and drag its x handle once, so
            // that a handle drag is the last one the gizmo knows.
            Pick(pirate);
            DragXHandle(pirate, 10);
        } else {
            g_selectionKind = SelectObjects;
            g_libraryIndex = 9;  // the Pirate, for the INSPECTOR
            g_selectionChanged = 1;
            StepFrames(2);
        }
        for (const auto& w : widgets) {
            SCOPED_TRACE(std::string(g_toolNames[t.tool]) + " on " + w.widget);
            int x = 0, y = 0;
            ASSERT_TRUE(WidgetPoint(w.widget, x, y));
            // Tiles under the whole path for ERASE, none for PAINT.
            for (int dx = 0; dx <= w.drag; dx += 10) {
                MoveMouse(x + dx, y);
                StepFrames(1);
                if (t.tool == ToolErase)
                    Editor()->m_tiles->PaintTileCell(g_mouseWorld.x, g_mouseWorld.y, false);
                if (t.tool == ToolPaint)
                    Editor()->m_tiles->EraseTileCell(g_mouseWorld.x, g_mouseWorld.y);
            }
            MoveMouse(x, y);
            StepFrames(1);
            const size_t tiles = set->m_data1.size();
            GameObject* selected = g_selectedObject;
            const float px = pirate->position[0], py = pirate->position[1];
            MouseButton(true, x, y);
            StepFrames(2);
            for (int dx = 10; dx <= w.drag; dx += 10) {
                MoveMouse(x + dx, y);
                StepFrames(1);
            }
            MouseButton(false, x + w.drag, y);
            StepFrames(2);
            EXPECT_EQ(set->m_data1.size(), tiles);
            EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, selected);
            EXPECT_EQ(pirate->position[0], px);
            EXPECT_EQ(pirate->position[1], py);
        }
    }
}

// The walls' boxes cover the arena; a press on a handle of the selected
// object drives that handle, not a pick of the wall under it.
TEST_F(ToolFixture, HandlePressOverAWallDrivesTheSelectedObject) {
    EnterEditor();
    const std::vector<GameObject*>& objects = Editor()->m_objects->objects;
    GameObject* pirate = Pirate();
    ASSERT_NE(pirate, nullptr);
    std::vector<std::pair<GameObject*, std::array<float, 3>>> walls;
    for (GameObject* o : objects)
        if (o->g_name.rfind("WallCollider", 0) == 0)
            walls.push_back({o, {o->position[0], o->rotation[2], o->scale[0]}});
    ASSERT_FALSE(walls.empty());
    const struct {
        SDL_Scancode key;
        const float* value;
    } cases[] = {{SDL_SCANCODE_2, &pirate->position[0]},
                 {SDL_SCANCODE_3, &pirate->rotation[2]},
                 {SDL_SCANCODE_4, &pirate->scale[0]}};
    for (const auto& c : cases) {
        TapKey(c.key);
        SCOPED_TRACE(g_toolNames[g_currentTool]);
        Pick(pirate);
        const float before = *c.value;
        DragXHandle(pirate, 30);
        EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, pirate);
        // Rotation is kept within a turn: compare the change modulo 360.
        EXPECT_GT(std::remainder(*c.value - before, 360.0f), 1.0f);
        for (const auto& [wall, was] : walls) {
            EXPECT_EQ(wall->position[0], was[0]) << wall->g_name;
            EXPECT_EQ(wall->rotation[2], was[1]) << wall->g_name;
            EXPECT_EQ(wall->scale[0], was[2]) << wall->g_name;
        }
    }
}

// A handle's drag lasts from the press on the handle to its release.  After
// the GameManager's x handle is dragged and let go on the handle: a click on
// bare floor drops the selection, a press held on the Pirate picks it, and
// a Ctrl press dragged over the floor (neither a pick nor a handle's) leaves
// it as it was; the save holds the handle's one change.  One case a tool.
// A drag cut short (let go, a new press, another object selected) changes
// nothing while the cursor moves on.
struct HandleDragCase {
    SDL_Scancode key;
    const char* tool;
    const char* changed;  // the key of the saved record the drag changes
};

// The case's name in the test's name.
void PrintTo(const HandleDragCase& c, std::ostream* out) {
    *out << c.tool;
}

class HandleDrag : public ToolFixture, public ::testing::WithParamInterface<HandleDragCase> {};

TEST_P(HandleDrag, EndsAtItsRelease) {
    EnterEditor();
    const auto transform = PlacementOf;
    TapKey(GetParam().key);
    ASSERT_STREQ(g_toolNames[g_currentTool], GetParam().tool);
    GameObject* manager = Find("GameManager");
    GameObject* pirate = Pirate();
    ASSERT_TRUE(manager && pirate);
    // Inside the 100-unit GameManager, outside the 50-unit Painter on it.
    Pick(manager, 35.0f, 35.0f);
    const std::array<float, 5> loaded = transform(manager);
    DragHandle(manager, 0, 30);
    EXPECT_NE(transform(manager), loaded) << "the handle did nothing";
    const Placement pirateLoaded = transform(pirate);
    int x = 0, y = 0;
    const auto cutShort = [&](const char* what, const auto& cut) {
        HoldHandle(manager, 0, 20, x, y);
        const Placement held = transform(manager);
        cut();
        StepFrames(1);
        MoveMouse(x += 40, y);
        StepFrames(2);
        MouseButton(false, x, y);
        StepFrames(2);
        EXPECT_EQ(transform(manager), held) << "GameManager moved on after " << what;
        EXPECT_EQ(transform(pirate), pirateLoaded) << "the Pirate changed after " << what;
        ReleaseKey(SDL_SCANCODE_LCTRL);
        Pick(manager, 35.0f, 35.0f);
    };
    cutShort("the release", [&] { MouseButton(false, x, y); });
    cutShort("a new press", [&] {  // with Ctrl: a release and a press in one frame
        PressKey(SDL_SCANCODE_LCTRL);
        MouseButton(false, x, y);
        MouseButton(true, x, y);
    });
    cutShort("another object selected", [&] { g_selectedObject = pirate; });
    const Placement dragged = transform(manager);

    int floorX = 0, floorY = 0;
    ScreenOf(150.0f, 250.0f, floorX, floorY);
    MoveMouse(floorX, floorY);
    StepFrames(1);
    ASSERT_FALSE(WindowUnderCursor());
    ClickMouse(floorX, floorY);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, nullptr);
    const std::array<float, 5> was = transform(pirate);
    ScreenOf(pirate->position[0], pirate->position[1], x, y);
    MoveMouse(x, y);
    StepFrames(1);
    MouseButton(true, x, y);
    StepFrames(8);
    MouseButton(false, x, y);
    StepFrames(2);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, pirate);
    EXPECT_EQ(transform(pirate), was) << "a press held on the Pirate";

    DragMouse(floorX, floorY, floorX + 40, floorY, SDL_SCANCODE_LCTRL);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, pirate);
    EXPECT_EQ(transform(pirate), was) << "a Ctrl press on the floor";
    SaveWithCtrlS();
    const ObjectChanges changes =
        ChangesBetween(Data("objects/savefile1.json"), Data("objects/savefile.json"));
    EXPECT_EQ(changes.keys, (ChangedKeys{{"GameManager", {GetParam().changed}}})) << changes.text;
    EXPECT_TRUE(SavedAs(Data("objects/savefile.json"), "GameManager", dragged));
}

INSTANTIATE_TEST_SUITE_P(EachTool, HandleDrag,
                         ::testing::Values(HandleDragCase{SDL_SCANCODE_2, "TRANSLATE", "position"},
                                           HandleDragCase{SDL_SCANCODE_3, "ROTATE", "rotationZ"},
                                           HandleDragCase{SDL_SCANCODE_4, "SCALE", "scaleX"}),
                         [](const auto& info) { return std::string(info.param.tool); });

// The handles of a child (a flag's ring, stored in its flag's units) move
// and resize it as far as the cursor went, in world units, until the drag
// ends, and so does a SCALE drag with Shift held on the ring.
TEST_F(ToolFixture, AChildsHandlesFollowTheCursorInWorldUnits) {
    EnterEditor();
    GameObject* ring = Find("Flag1RingA");
    ASSERT_TRUE(ring && ring->parent);
    ASSERT_GT(ring->parent->scale[0], 10.0f) << "a parent whose units are the world's";
    // The flag in the middle of the free part of the window.
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    int x = 0, y = 0;
    ScreenOf(ring->parent->position[0], ring->parent->position[1], x, y);
    graphics->cameraX += static_cast<float>(windowWidth / 2 - 60 - x);
    graphics->cameraY -= static_cast<float>(windowHeight / 2 - 90 - y);
    // Between the 180 and the 220 ring, inside the 300 capture circle.
    Pick(ring, 100.0f, 50.0f);
    const float travel = 30.0f / graphics->zoom;
    const struct {
        SDL_Scancode key;
        int axis;
        float VXEditorRect::*value;
    } drags[] = {{SDL_SCANCODE_2, 0, &VXEditorRect::x},
                 {SDL_SCANCODE_2, 1, &VXEditorRect::y},
                 {SDL_SCANCODE_4, 0, &VXEditorRect::w},
                 {SDL_SCANCODE_4, 1, &VXEditorRect::h}};
    for (const auto& d : drags) {
        TapKey(d.key);
        SCOPED_TRACE(std::string(g_toolNames[g_currentTool]) + (d.axis ? " y" : " x"));
        const VXEditorRect before = WorldRect(ring);
        DragHandle(ring, d.axis, 30);
        const VXEditorRect after = WorldRect(ring);
        EXPECT_NEAR(after.*d.value - before.*d.value, travel, 0.5f)
            << "drawn at " << after.x << ", " << after.y << ", " << after.w << " x " << after.h;
        EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, ring);
    }

    // Another tool chosen while a handle is held ends its drag: what the
    // cursor does after moves and resizes nothing.
    TapKey(SDL_SCANCODE_2);
    const VXEditorRect before = WorldRect(ring);
    HoldHandle(ring, 0, 20, x, y);
    TapKey(SDL_SCANCODE_4);
    MoveMouse(x + 30, y);
    StepFrames(2);
    MouseButton(false, x + 30, y);
    StepFrames(1);
    const VXEditorRect after = WorldRect(ring);
    EXPECT_NEAR(after.x - before.x, 20.0f / graphics->zoom, 0.5f) << "moved on with SCALE";
    EXPECT_EQ(after.w, before.w) << "resized by a TRANSLATE drag";

    // SCALE with Shift held: a drag begun on the ring grows it on both axes
    // as far as the cursor went; one begun beside it grows nothing.
    const auto shiftDrag = [&](float dx, float dy) {
        const VXEditorRect r = WorldRect(ring);
        ScreenOf(r.x + dx, r.y + dy, x, y);
        DragMouse(x, y, x + 30, y, SDL_SCANCODE_LSHIFT);
        const VXEditorRect after = WorldRect(ring);
        return std::array<float, 2>{after.w - r.w, after.h - r.h};
    };
    const std::array<float, 2> onRing = shiftDrag(60.0f, 30.0f);
    EXPECT_NEAR(onRing[0], travel, 0.5f);
    EXPECT_NEAR(onRing[1], travel, 0.5f);
    EXPECT_EQ(shiftDrag(-400.0f, 0.0f), (std::array<float, 2>{0.0f, 0.0f})) << "beside the ring";
}

// A click on a crate standing on a wall picks the crate (the smallest box
// under the cursor), and a TRANSLATE drag moves the crate and leaves every
// wall where it was.
TEST_F(ToolFixture, ClickOnACrateOverTheWallsPicksTheCrate) {
    EnterEditor();
    TapKey(SDL_SCANCODE_2);  // TRANSLATE
    // On the 100 x 500 wall at (450, -350) of the shipped level.
    int x = 0, y = 0;
    ScreenOf(450.0f, -300.0f, x, y);
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(ImGui::IsWindowHovered(ImGuiHoveredFlags_AnyWindow));
    const float wx = g_mouseWorld.x, wy = -g_mouseWorld.y;
    VXObjectManager* scene = Editor()->m_objects;
    std::vector<std::pair<GameObject*, std::array<float, 2>>> walls;
    for (GameObject* o : scene->objects) {
        if (o->g_name.rfind("WallCollider", 0) == 0 &&
            std::fabs(wx - o->position[0]) < o->scale[0] / 2 &&
            std::fabs(wy - o->position[1]) < o->scale[1] / 2)
            walls.push_back({o, {o->position[0], o->position[1]}});
    }
    ASSERT_FALSE(walls.empty()) << "no wall box under the point";
    scene->CreateGameObject(100.0f, 100.0f, 0, true, wx, wy, "Crate", 0.0f, 0.0f, 0.0f);
    GameObject* crate = scene->objects.back();
    std::swap(scene->objects.back(), scene->objects[scene->objects.size() - 2]);
    MouseButton(true, x, y);
    StepFrames(1);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, crate);
    MoveMouse(x, y - 30);
    StepFrames(2);
    MouseButton(false, x, y - 30);
    StepFrames(2);
    EXPECT_NEAR(crate->position[1] - wy, 30.0f / VXGraphicsManager::Instance()->zoom, 0.5f);
    for (const auto& [wall, was] : walls) {
        EXPECT_EQ(wall->position[0], was[0]) << wall->g_name;
        EXPECT_EQ(wall->position[1], was[1]) << wall->g_name;
    }
}

// An object's pick box is its own rectangle where it is drawn.  In the
// first map, 800 units under the 2400 x 100 top wall, a click on bare floor
// picks nothing and a TRANSLATE drag there moves nothing, so a save writes
// the file loaded; a click on a flag's ring (a child, stored relative to
// its flag) picks the ring, and a drag moves it as far as the cursor went.
TEST_F(ToolFixture, PickBoxesAreTheObjectsOwnRectangles) {
    AnsweringPicker picker;
    picker.answer = Data("objects/savefile0.json");
    SetFilePicker(&picker);
    EnterEditor();
    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(3);
    const std::vector<GameObject*>& objects = Editor()->m_objects->objects;
    auto find = [&](const std::string& name) -> GameObject* {
        for (GameObject* o : objects)
            if (o->g_name == name) return o;
        return nullptr;
    };
    GameObject* wall = find("WallCollider_1");
    GameObject* ring = find("Flag1RingA");
    ASSERT_TRUE(wall && ring) << "no WallCollider_1 or no Flag1RingA";
    ASSERT_PRED_FORMAT2(SameObject, ring->parent, find("Flag1"));
    ASSERT_EQ(wall->position[1], 1150.0f);
    TapKey(SDL_SCANCODE_2);  // TRANSLATE
    std::vector<std::array<float, 2>> places;
    for (const GameObject* o : objects) places.push_back({o->position[0], o->position[1]});

    int x = 0, y = 0;
    ScreenOf(0.0f, 1150.0f - 800.0f, x, y);
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(WindowUnderCursor());
    ClickMouse(x, y);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, nullptr);
    MouseButton(true, x, y);
    StepFrames(1);
    MoveMouse(x + 60, y);
    StepFrames(2);
    MouseButton(false, x + 60, y);
    StepFrames(2);
    for (size_t i = 0; i < objects.size() - 1; ++i) {  // the cursor object last
        EXPECT_EQ(objects[i]->position[0], places[i][0]) << objects[i]->g_name;
        EXPECT_EQ(objects[i]->position[1], places[i][1]) << objects[i]->g_name;
    }
    SaveWithCtrlS();
    EXPECT_TRUE(SameFile(Data("objects/savefile.json"), picker.answer));

    // Between the 180 and the 220 ring, inside the 300 capture circle.
    const GameObject* flag = ring->parent;
    const auto ringX = [&] { return flag->position[0] + flag->scale[0] * ring->position[0]; };
    ScreenOf(flag->position[0] + 100.0f, flag->position[1] + 50.0f, x, y);
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(WindowUnderCursor());
    const float before = ringX();
    MouseButton(true, x, y);
    StepFrames(1);
    EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, ring);
    MoveMouse(x + 30, y);
    StepFrames(2);
    MouseButton(false, x + 30, y);
    StepFrames(2);
    EXPECT_NEAR(ringX() - before, 30.0f / VXGraphicsManager::Instance()->zoom, 0.5f);
    EXPECT_EQ(wall->position[0], 0.0f);
}

// Whether a pixel of the overlay's selection colour (0, 1, 1) lies within
// two pixels of window point (x, y).
bool OutlineNear(const TestHarness::FrameImage& image, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const auto p = image.At(x + dx, y + dy);
            if (p.r < 80 && p.g > 200 && p.b > 200) return true;
        }
    return false;
}

// A 300 x 60 bar turned 45 degrees, and a 100 x 20 arm (local x 50) of a
// base scaled 2 and turned 90: each is picked where it is drawn, outlined
// there, and its handles lie along its own axes.  A click on a drawn end
// picks the object; bare floor beside it, inside the unturned rectangle,
// picks nothing.  The TRANSLATE x handle moves the bar along its own axis,
// the SCALE x handle makes it longer as far as the cursor went along it.
TEST_F(ToolFixture, TurnedObjectsArePickedOutlinedAndHandledWhereDrawn) {
    tree->WriteData("objects/turned.json", R"([
{"GameObject": 1, "g_name": "Bar", "m_active": true, "position": [0.0, 0.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 45.0, "scaleX": 300.0, "scaleY": 60.0},
{"GameObject": 1, "g_name": "Base", "m_active": true, "position": [-300.0, -100.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 90.0, "scaleX": 2.0, "scaleY": 2.0},
{"GameObject": 1, "g_name": "Arm", "m_active": true, "MY PARENT": "Base",
 "position": [-200.0, -100.0], "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 0.0,
 "scaleX": 200.0, "scaleY": 40.0},
{"GameObject": 1, "g_name": "MirrorX", "m_active": true, "position": [250.0, -250.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 0.0, "scaleX": -300.0, "scaleY": 100.0},
{"GameObject": 1, "g_name": "MirrorY", "m_active": true, "position": [300.0, 150.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 0.0, "scaleX": 100.0, "scaleY": -200.0},
{"GameObject": 1, "g_name": "TurnedMirror", "m_active": true, "position": [-200.0, -200.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 270.0, "scaleX": -160.0, "scaleY": 60.0},
{"GameObject": 1, "g_name": "Flat", "m_active": true, "position": [200.0, 200.0],
 "rotationX": 0.0, "rotationY": 0.0, "rotationZ": 0.0, "scaleX": 0.0, "scaleY": 100.0}]
)");
    AnsweringPicker picker;
    EnterEditorOn(picker, Data("objects/turned.json"));
    VXObjectManager* scene = Editor()->m_objects;
    GameObject* bar = scene->FindObject("Bar");
    GameObject* arm = scene->FindObject("Arm");
    ASSERT_TRUE(bar && arm && arm->parent == scene->FindObject("Base"));
    const auto name = [] { return g_selectedObject ? g_selectedObject->g_name : "nothing"; };
    const float d = std::sqrt(0.5f);  // the bar's axis is (d, d)
    const struct {
        float x, y;
        const GameObject* picks;
    } clicks[] = {
        // The bar's drawn ends, beside it, beyond an end.
        {130 * d, 130 * d, bar},
        {-130 * d, -130 * d, bar},
        {120, -25, nullptr},
        {-120, 25, nullptr},
        {160 * d, 160 * d, nullptr},
        // The arm's drawn end, the middle of its unturned box.
        {-300, 80, arm},
        {-200, -100, nullptr},
        {0, 0, bar},  // Flat, of no width, holds no point: not even the bar's centre
    };
    for (const auto& c : clicks) {
        int x = 0, y = 0;
        ScreenOf(c.x, c.y, x, y);
        MoveMouse(x, y);
        StepFrames(2);
        ASSERT_FALSE(WindowUnderCursor()) << c.x << ", " << c.y;
        ClickMouse(x, y);
        EXPECT_EQ(name(), c.picks ? c.picks->g_name : "nothing")
            << "a click at world " << c.x << ", " << c.y;
    }
    // A click exactly on a box's right edge is outside it: inside is strict.
    int x = 0, y = 0;
    ScreenOf(100.0f, 250.0f, x, y);
    MoveMouse(x, y);
    StepFrames(2);
    const float edge = g_mouseWorld.x;
    scene->CreateGameObject(64.0f, 64.0f, 1, true, edge - 32.0f, -g_mouseWorld.y, "Edge", 0, 0, 0);
    std::swap(scene->objects.back(), scene->objects[scene->objects.size() - 2]);
    ClickMouse(x, y);
    EXPECT_EQ(name(), "nothing") << "a click on the right edge of Edge, at world " << edge;

    TapKey(SDL_SCANCODE_2);  // TRANSLATE
    const auto pickTheBar = [&] {
        ScreenOf(bar->position[0], bar->position[1], x, y);
        ClickAt(x, y);
        ASSERT_EQ(name(), "Bar");
    };
    pickTheBar();
    // The outline runs along the drawn edges, not the unturned rectangle's.
    const TestHarness::FrameImage image = CaptureFrame();
    const struct {
        float x, y;
        bool outline;
    } edges[] = {
        // The short edges, the long edges, the unturned rectangle's sides.
        {150 * d, 150 * d, true}, {-150 * d, -150 * d, true},
        {-30 * d, 30 * d, true},  {30 * d, -30 * d, true},
        {150, 0, false},          {-150, 0, false},
    };
    for (const auto& e : edges) {
        ScreenOf(e.x, e.y, x, y);
        EXPECT_EQ(OutlineNear(image, x, y), e.outline) << "outline at world " << e.x << ", " << e.y;
    }
    // The x handle begins past the drawn end, along the bar's own axis.
    const float zoom = VXGraphicsManager::Instance()->zoom;
    const int push = static_cast<int>(60.0f * zoom);  // pixels right: 60 units
    ScreenOf(210 * d, 210 * d, x, y);
    Drag(x, y, push, 0);
    EXPECT_EQ(name(), "Bar") << "after a press on its x handle";
    // Only the travel along the axis counts: 60 * d each way, half of 60.
    const float moved = static_cast<float>(push) / zoom / 2.0f;
    EXPECT_NEAR(bar->position[0], moved, 0.5f);
    EXPECT_NEAR(bar->position[1], moved, 0.5f);
    EXPECT_EQ(bar->scale[0], 300.0f);

    TapKey(SDL_SCANCODE_4);  // SCALE
    pickTheBar();
    const float px = bar->position[0];
    ScreenOf(px + 210 * d, bar->position[1] + 210 * d, x, y);
    Drag(x, y, push, -push);  // 60 units right and 60 up: along the axis
    EXPECT_NEAR(bar->scale[0], 300.0f + static_cast<float>(push) / zoom / d, 1.0f);
    EXPECT_EQ(bar->scale[1], 60.0f);
    EXPECT_EQ(bar->position[0], px);

    // A mirrored object's handles reach past its drawn edge, the way its
    // drawn axis points, drawn in their colours, and drive it along that
    // axis: TRANSLATE moves it, SCALE grows it away from 0.
    // Name, drawn axis (0 x, 1 y) and where it points in the world.
    const std::tuple<const char*, int, float, float> mirrored[] = {
        {"MirrorX", 0, -1.0f, 0.0f}, {"MirrorY", 1, 0.0f, -1.0f}, {"TurnedMirror", 0, 0.0f, 1.0f}};
    const float units = static_cast<float>(push) / zoom;
    for (const auto& [mirror, axis, outX, outY] : mirrored) {
        GameObject* o = scene->FindObject(mirror);
        ASSERT_NE(o, nullptr) << mirror;
        for (const SDL_Scancode tool : {SDL_SCANCODE_2, SDL_SCANCODE_4}) {
            TapKey(tool);
            ScreenOf(o->position[0], o->position[1], x, y);
            ClickAt(x, y);
            ASSERT_EQ(name(), mirror) << "after a click on its middle at " << x << ", " << y;
            Placement expected = PlacementOf(o);
            const float reach = std::fabs(o->scale[axis]) / 2.0f + 60.0f;  // 60 past the edge
            ScreenOf(expected[0] + reach * outX, expected[1] + reach * outY, x, y);
            ASSERT_FALSE(WindowUnderCursor()) << "a window covers the handle of " << mirror;
            const TestHarness::FrameImage shot = CaptureFrame();
            int drawn = 0;  // pixels of the handle's colour within two of (x, y)
            for (int k = 0; k < 25; ++k) {
                const auto p = shot.At(x + k % 5 - 2, y + k / 5 - 2);
                drawn +=
                    axis ? p.r > 200 && p.g > 150 && p.b < 80 : p.r < 80 && p.g > 200 && p.b < 140;
            }
            EXPECT_GT(drawn, 0) << (axis ? "no y" : "no x") << " handle of " << mirror << " at "
                                << x << ", " << y << " with " << g_toolNames[g_currentTool];
            Drag(x, y, static_cast<int>(outX) * push, -static_cast<int>(outY) * push);
            if (tool == SDL_SCANCODE_4) expected[3 + axis] -= units;
            if (tool == SDL_SCANCODE_2) {
                expected[0] += units * outX;
                expected[1] += units * outY;
            }
            EXPECT_TRUE(PlacedAs(mirror, PlacementOf(o), expected, 1.0f))
                << "after a drag on its handle with " << g_toolNames[g_currentTool];
        }
    }
    // Shift grows a mirrored object on both axes away from its edges, until
    // Shift is let go.
    GameObject* mirrorX = scene->FindObject("MirrorX");
    ScreenOf(mirrorX->position[0], mirrorX->position[1], x, y);
    ClickAt(x, y);
    const Placement was = PlacementOf(mirrorX);
    PressKey(SDL_SCANCODE_LSHIFT);
    MouseButton(true, x, y);
    StepFrames(1);
    MoveMouse(x + push, y);
    StepFrames(2);
    ReleaseKey(SDL_SCANCODE_LSHIFT);
    StepFrames(1);
    MoveMouse(x + 2 * push, y);
    StepFrames(2);
    MouseButton(false, x + 2 * push, y);
    StepFrames(1);
    EXPECT_TRUE(PlacedAs("MirrorX", PlacementOf(mirrorX),
                         {was[0], was[1], was[2], was[3] - units, was[4] + units}, 1.0f))
        << "after a Shift drag " << push << " px right, and " << push << " more after Shift";
}

// A frame stalled for a second with a wheel notch queued, or with the
// rotate handle held, zooms by one notch's step and turns no further than
// a match would step in one frame.
TEST_F(ToolFixture, AStalledFrameZoomsOneNotchAndTurnsBoundedly) {
    EnterEditor();
    GameObject* pirate = Pirate();
    ASSERT_NE(pirate, nullptr);
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    int x = 0, y = 0;
    ScreenOf(pirate->position[0], pirate->position[1], x, y);
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(ImGui::GetIO().WantCaptureMouse) << "the Pirate lies under no window";
    const auto notch = [&](uint64_t micro) {
        clock.tick = micro;
        StepFrames(1);  // the next frame lasts `micro`
        clock.tick = 16667;
        const float before = graphics->zoom;
        Platform::InjectMouseWheel(1);
        StepFrames(1);
        return graphics->zoom - before;
    };
    const float steady = notch(16667);
    EXPECT_GT(steady, 0.0f);
    EXPECT_NEAR(notch(1000000), steady, 1e-4f);

    TapKey(SDL_SCANCODE_3);
    Pick(pirate);
    HoldHandle(pirate, 0, 30, x, y);
    const auto turn = [&](uint64_t micro) {
        clock.tick = micro;
        StepFrames(1);
        clock.tick = 16667;
        const float before = pirate->rotation[2];
        StepFrames(1);
        return std::remainder(pirate->rotation[2] - before, 360.0f);
    };
    const float perFrame = turn(16667);
    const float stalled = turn(1000000);
    MouseButton(false, x, y);
    StepFrames(2);
    EXPECT_GT(perFrame, 0.0f);
    EXPECT_LE(stalled, kMaxFrameSteps * perFrame * 1.01f);
}

// Digits typed into a field are the field's: the tool, the selection and
// the LIBRARY entry stay, and an 8 does not play the editor's sound, which
// it does outside a field.
TEST_F(ToolFixture, DigitsTypedIntoAFieldKeepTheTool) {
    EnterEditor();
    GameObject* pirate = Pirate();
    ASSERT_NE(pirate, nullptr);
    VXAudioManager* audio = VXAudioManager::Instance();
    ASSERT_TRUE(audio->HasDevice()) << "the tests run with SDL_AUDIODRIVER=dummy";
    ASSERT_FALSE(audio->channels.empty());
    audio->channels[0].played = false;  // the "sfx" entry's sound
    const struct {
        SDL_Scancode toolKey;
        const char* field;
        const char* typed;
    } cases[] = {{SDL_SCANCODE_2, "INSPECTOR/PositionX", "-680"},
                 {SDL_SCANCODE_5, "TOOL/BRUSH SIZE", "3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        TapKey(c.toolKey);
        const int tool = g_currentTool;
        if (tool == ToolTranslate) Pick(pirate);
        GameObject* selected = g_selectedObject;
        const int32_t entry = g_libraryIndex;
        int x = 0, y = 0;
        ASSERT_TRUE(WidgetPoint(c.field, x, y));
        ClickAt(x, y);
        Chord(SDL_SCANCODE_LCTRL, SDL_SCANCODE_A);
        // Each character as the keyboard sends it: a key, then its text.
        for (const char* p = c.typed; *p; ++p) {
            if (*p >= '1' && *p <= '9')
                TapKey(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (*p - '1')));
            if (*p == '0') TapKey(SDL_SCANCODE_0);
            const char text[2] = {*p, 0};
            Platform::InjectText(text);
            StepFrames(1);
        }
        TapKey(SDL_SCANCODE_UP);
        EXPECT_EQ(g_currentTool, tool);
        EXPECT_PRED_FORMAT2(SameObject, g_selectedObject, selected);
        EXPECT_EQ(g_libraryIndex, entry);
        TapKey(SDL_SCANCODE_RETURN);
        StepFrames(2);
        EXPECT_EQ(tool == ToolTranslate ? pirate->position[0] : static_cast<float>(g_brushSize),
                  tool == ToolTranslate ? -680.0f : 3.0f);
    }
    EXPECT_FALSE(audio->channels[0].played) << "an 8 typed into a field played the sound";
    TapKey(SDL_SCANCODE_8);
    EXPECT_TRUE(audio->channels[0].played) << "8 outside a field plays it";
}

// An icon sheet that could not be read leaves the tools as text buttons.
TEST_F(EditorFixture, ToolsPanelWithoutItsIconsShowsTextButtons) {
    EnterEditor();
    VXTextureRecord* icons =
        VXGraphicsManager::Instance()->FindTexture("64px_enginefunction_icons.png");
    ASSERT_NE(icons, nullptr);
    const GLuint texture = icons->texture;
    icons->texture = 0;
    icons->frameOffsets.clear();
    StepFrames(2);
    ClickItem("TOOL/ERASE");
    EXPECT_EQ(g_currentTool, ToolErase);
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(FindEditorItem("TOOL/PAINT OVER", x0, y0, x1, y1));
    EXPECT_GT(x1 - x0, 40.0f);  // the name, wider than an icon
    icons->texture = texture;
}

TEST_F(EditorFixture, BrushPaintsTwoNMinusOneCells) {
    EnterEditor();
    TapKey(SDL_SCANCODE_5);  // PAINT
    ASSERT_EQ(g_currentTool, ToolPaint);
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    ASSERT_FALSE(graphics->tileSetNames.empty());
    VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames[0]);
    ASSERT_NE(set, nullptr);
    const int x = windowWidth * 3 / 5, y = windowHeight / 2;
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(ImGui::IsWindowHovered(ImGuiHoveredFlags_AnyWindow));
    const struct {
        int size;
        size_t cells;
    } cases[] = {{0, 0}, {1, 1}, {3, 5}, {500, 99}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        g_selectedTileSet = 0;
        set->ClearInstances();
        g_brushSize = c.size;
        ClickMouse(x, y);
        EXPECT_EQ(set->m_data1.size(), c.cells);
    }
}

// An ERASE stroke begun on the scene and dragged under the INSPECTOR erases
// the tiles it passes on the scene and none under the window.
TEST_F(EditorFixture, BrushStrokeFromTheSceneStopsUnderAWindow) {
    EnterEditor();
    TapKey(SDL_SCANCODE_F12);
    TapKey(SDL_SCANCODE_7);  // ERASE
    ASSERT_EQ(g_currentTool, ToolErase);
    g_brushSize = 1;
    g_selectedTileSet = 0;
    StepFrames(2);
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames.at(0));
    ASSERT_NE(set, nullptr);
    const ImGuiWindow* inspector = ImGui::FindWindowByName("INSPECTOR");
    ASSERT_NE(inspector, nullptr);
    const int edge = static_cast<int>(inspector->Pos.x);
    const int y = static_cast<int>(inspector->Pos.y + inspector->Size.y / 2);
    ASSERT_GT(edge, windowWidth / 2);
    // Three points each side of the window's edge, more than a cell apart
    // and more than half a cell off the edge, each on a tile.
    const float zoom = graphics->zoom;
    const int step = static_cast<int>(120.0f * zoom) + 1,
              margin = static_cast<int>(60.0f * zoom) + 1;
    std::vector<int> xs;
    for (int k = 2; k >= 0; --k) xs.push_back(edge - margin - k * step);
    for (int k = 0; k <= 2; ++k) xs.push_back(edge + margin + k * step);
    ASSERT_LT(xs.back(), inspector->Pos.x + inspector->Size.x);
    std::vector<VXEditorPoint> cells;
    for (int x : xs) {
        MoveMouse(x, y);
        StepFrames(1);
        cells.push_back(g_mouseWorld);
        Editor()->m_tiles->PaintTileCell(g_mouseWorld.x, g_mouseWorld.y, false);
    }
    MoveMouse(xs.front(), y);
    StepFrames(2);
    ASSERT_FALSE(WindowUnderCursor());
    MouseButton(true, xs.front(), y);
    StepFrames(1);
    for (int x = xs.front(); x <= xs.back(); x += 10) {
        MoveMouse(x, y);
        StepFrames(1);
    }
    MouseButton(false, xs.back(), y);
    StepFrames(2);
    for (size_t k = 0; k < xs.size(); ++k) {
        const size_t before = set->m_data1.size();
        Editor()->m_tiles->EraseTileCell(cells[k].x, cells[k].y);
        EXPECT_EQ(set->m_data1.size() < before, xs[k] > edge) << "at x " << xs[k];
    }
}

// The bottom-left picture of the floor sheet, clicked in the SPRITESHEETS
// view, is the tile PAINT OVER lays down: same sheet cell, same picture.
TEST_F(EditorFixture, TilePaintedIsThePicturePicked) {
    EnterEditor();
    TapKey(SDL_SCANCODE_F12);
    StepFrames(2);
    ClickItem("Resource/SPRITESHEETS");
    const VXTextureRecord* sheet = VXGraphicsManager::Instance()->FindTexture("FloorTiles.png");
    ASSERT_NE(sheet, nullptr);
    const int cell = static_cast<int>((sheet->rows - 1) * sheet->columns);  // bottom left
    ASSERT_GT(cell, 0);
    const std::string key = "Resource/FloorTiles.png/" + std::to_string(cell);
    StepFrames(1);
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(FindEditorItem(key, x0, y0, x1, y1));
    // Scroll the library until the picture is in view.
    ImGuiWindow* library = ImGui::FindWindowByName("Resource Library");
    ASSERT_NE(library, nullptr);
    ImGui::SetScrollY(library, library->Scroll.y + y0 - (library->Pos.y + 70));
    StepFrames(2);
    ClickItem(key);
    ASSERT_EQ(g_paintCell, cell);

    TapKey(SDL_SCANCODE_6);  // PAINT OVER
    g_brushSize = 1;
    g_selectedTileSet = 0;
    const int x = windowWidth * 3 / 5, y = windowHeight / 2;
    MoveMouse(x, y);
    StepFrames(2);
    ASSERT_FALSE(WindowUnderCursor());
    ClickMouse(x, y);
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames.at(0));
    ASSERT_NE(set, nullptr);
    const float wx = g_mouseWorld.x, wy = -g_mouseWorld.y;
    size_t found = set->m_data1.size();
    for (size_t k = 0; k < set->m_data1.size(); ++k)
        if (std::fabs(set->m_data1[k][0] - wx) <= 50 && std::fabs(set->m_data1[k][1] - wy) <= 50)
            found = k;
    ASSERT_LT(found, set->m_data1.size());
    EXPECT_EQ(set->m_data3Index.at(found), cell);
    const VXFrameOffset& shown = sheet->frameOffsets.at(static_cast<size_t>(cell));
    EXPECT_FLOAT_EQ(set->texOffsets.at(found)[0], shown.u);
    EXPECT_FLOAT_EQ(set->texOffsets.at(found)[1], shown.v);
}

// Light pixels (text) inside the rectangle the editor noted for `key`.
long TextPixels(const TestHarness::FrameImage& image, const std::string& key) {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!FindEditorItem(key, x0, y0, x1, y1)) return -1;
    long count = 0;
    for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
        for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x)
            if (image.At(x, y).r > 200 && image.At(x, y).g > 200) ++count;
    return count;
}

TEST_F(EditorFixture, TwoRestartsInARowStillDrawTheWindows) {
    EnterEditor();
    const TestHarness::FrameImage first = CaptureFrame();
    ASSERT_GT(TextPixels(first, "MENU"), 10);
    const size_t boxes = VXPhysicsManager::Instance()->aabbs.size();
    const size_t sounds = VXAudioManager::Instance()->sounds.size();
    ASSERT_EQ(sounds, VXAudioManager::Instance()->names.size());
    Restart();
    Restart();
    StepFrames(2);
    const TestHarness::FrameImage again = CaptureFrame();
    EXPECT_GT(TextPixels(again, "MENU"), 10);
    // Each start registers its own objects' colliders only.
    EXPECT_EQ(VXPhysicsManager::Instance()->aabbs.size(), boxes);
    EXPECT_EQ(VXAudioManager::Instance()->sounds.size(), sounds);
    EXPECT_LT(TestHarness::CountDifferentPixels(first, again, 24),
              first.width * first.height / 100);
}

TEST_F(EditorFixture, FramesWithNothingDrawnDoNotStopTheEditor) {
    EnterEditor();
    // A window with no size (minimised) skips the frame draw, ImGui's
    // included; the next frames begin ImGui frames all the same.
    const int width = windowWidth;
    windowWidth = 0;
    StepFrames(2);
    windowWidth = width;
    StepFrames(2);
    EXPECT_GT(TextPixels(CaptureFrame(), "MENU"), 10);
}

// A camera sent beyond what an int holds (or to infinity, or not a number)
// is taken within a billion pixels by the mouse and by a right-button pan,
// which then brings it back to a finite place; the sanitizer build checks
// the conversions.
TEST_F(EditorFixture, ACameraFlungFarStillPansToAFinitePlace) {
    EnterEditor();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    // A point of the scene that no window covers.
    int x = windowWidth / 2, y = 0;
    bool free = false;
    for (y = windowHeight / 2; y < windowHeight - 20 && !free; y += 40) {
        MoveMouse(x, y);
        StepFrames(2);
        free = !ImGui::IsWindowHovered(ImGuiHoveredFlags_AnyWindow);
    }
    ASSERT_TRUE(free);
    for (const float far : {3e38f, -INFINITY, NAN}) {
        SCOPED_TRACE(far);
        graphics->cameraX = far;
        graphics->cameraY = far;
        MoveMouse(x, y);
        StepFrames(2);
        EXPECT_TRUE(std::isfinite(g_mouseWorld.x) && std::isfinite(g_mouseWorld.y));
        Platform::InjectMouseButton(SDL_BUTTON_RIGHT, true, x, y);
        StepFrames(1);
        MoveMouse(x + 40, y);
        StepFrames(2);
        Platform::InjectMouseButton(SDL_BUTTON_RIGHT, false, x + 40, y);
        StepFrames(1);
        EXPECT_LE(std::fabs(graphics->cameraX), 1.001e9f);
        EXPECT_LE(std::fabs(graphics->cameraY), 1.001e9f);
    }
}

TEST_F(EditorFixture, F8LeavesOnlyTheLayoutHint) {
    EnterEditor();
    VXDebugConsole::Log("SOMETHING\n");
    TapKey(SDL_SCANCODE_F8);
    EXPECT_EQ(VXDebugConsole::Text(), "PRESS F12 to reset layout.\n");
}

TEST(EditorConsole, EmptiesWhenTheWritePassesOneThousandCharacters) {
    const struct {
        size_t message;
        size_t kept;
    } cases[] = {{10, 1000}, {20, 0}};
    for (const auto& c : cases) {
        VXDebugConsole::Clear();
        VXDebugConsole::Log(std::string(990, 'a'));
        VXDebugConsole::Log(std::string(c.message, 'b'));
        EXPECT_EQ(VXDebugConsole::Text().size(), c.kept) << c.message;
    }
    VXDebugConsole::Log("NEXT\n");
    EXPECT_EQ(VXDebugConsole::Text(), "NEXT\n");
}

}  // namespace
}  // namespace EditorTest

namespace EditorTest {
namespace {

TEST(EditorFilePicker, ListsAndOpensOnlyFilesBelowItsRoot) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("picker_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "sub");
    std::filesystem::create_directories(root / "zdir");
    std::filesystem::create_directories(root / "x.json");
    for (const char* name : {"b.json", "a.json", "c.txt", "sub/d.json"})
        std::ofstream(root / name) << "[]";
    VXImGuiFilePicker picker;
    picker.Open({"LOAD OBJECT", {".json"}, root.string()});
    EXPECT_EQ(picker.Entries(),
              (std::vector<std::string>{"sub/", "x.json/", "zdir/", "a.json", "b.json"}));
    picker.Enter("..");  // never above the root
    EXPECT_EQ(picker.Folder(), "");
    VXFileAnswer answer;
    for (const char* refused : {"c.txt", "zdir", "missing.json", "../a.json", "sub/d.json"})
        EXPECT_FALSE(picker.Choose(refused, answer)) << refused;
    EXPECT_TRUE(picker.IsOpen());
    // The note says what the name is.
    const struct {
        const char* name;
        const char* note;
    } notes[] = {{"x.json", "\"x.json\" IS A FOLDER!"},
                 {"missing.json", "\"missing.json\" NOT FOUND!"}};
    for (const auto& n : notes) {
        EXPECT_FALSE(picker.Choose(n.name, answer));
        EXPECT_EQ(picker.Note(), n.note);
    }
    picker.Enter("sub/");
    EXPECT_EQ(picker.Entries(), (std::vector<std::string>{"..", "d.json"}));
    ASSERT_TRUE(picker.Choose("d.json", answer));
    EXPECT_EQ(answer.kind, VXFileAnswer::Chosen);
    EXPECT_EQ(answer.path, root.string() + "/sub/d.json");
    EXPECT_FALSE(picker.IsOpen());
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace EditorTest
