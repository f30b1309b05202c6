// The editor's scene tools, keys, console and restarts.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

TEST_F(EditorFixture, DraggedObjectChangesOnlyItsPositionInTheSave) {
    EnterEditor();
    TapKey(SDL_SCANCODE_2);  // TRANSLATE
    ASSERT_EQ(g_currentTool, ToolTranslate);
    // The first object shown in a free part of the window.
    int x = 0, y = 0;
    bool found = false;
    for (GameObject* object : Editor()->m_objects->objects) {
        ScreenOf(object->position[0], object->position[1], x, y);
        if (object->g_name == "mouse" || x < 100 || y < 150 || x > windowWidth - 100 ||
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

    size_t index = 0;
    while (Editor()->m_objects->objects[index] != moved) ++index;
    SaveWithCtrlS();
    rapidjson::Document before, after;
    before.Parse(ReadText(Data("objects/savefile1.json")).c_str());
    after.Parse(ReadText(Data("objects/savefile.json")).c_str());
    ASSERT_TRUE(after.IsArray());
    ASSERT_EQ(after.Size(), before.Size());
    for (rapidjson::SizeType i = 0; i < after.Size(); ++i) {
        if (i != index) {
            EXPECT_TRUE(after[i] == before[i]) << "object " << i << " changed";
            continue;
        }
        for (auto& member : after[i].GetObject()) {
            const bool same = member.value == before[i][member.name];
            EXPECT_EQ(same, std::string(member.name.GetString()) != "position")
                << member.name.GetString();
        }
    }
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
    for (const char* name : {"b.json", "a.json", "c.txt", "sub/d.json"})
        std::ofstream(root / name) << "[]";
    VXImGuiFilePicker picker;
    picker.Open({"LOAD OBJECT", {".json"}, root.string()});
    EXPECT_EQ(picker.Entries(), (std::vector<std::string>{"sub/", "zdir/", "a.json", "b.json"}));
    picker.Enter("..");  // never above the root
    EXPECT_EQ(picker.Folder(), "");
    VXFileAnswer answer;
    for (const char* refused : {"c.txt", "zdir", "missing.json", "../a.json", "sub/d.json"})
        EXPECT_FALSE(picker.Choose(refused, answer)) << refused;
    EXPECT_TRUE(picker.IsOpen());
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
