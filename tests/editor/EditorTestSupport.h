// The editor under test: the real engine started into state 1, a file
// picker the test answers, and the mouse aimed at the editor's widgets.
#pragma once

#include <gtest/gtest.h>
#include <imgui.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/DataRoot.h"
#include "core/GameState.h"
#include "editor/VXFilePicker.h"
#include "editor/VXLevelEditor.h"
#include "engine/VXGameStateManager.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "objects/VXObjectLoader.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TextDiff.h"

namespace EditorTest {

using namespace FrameWork;
using TestHarness::SameText;

// Answers every request at once with `answer` (empty: a cancel).
class AnsweringPicker : public VXFilePicker {
public:
    void Open(const VXFileRequest& request) override {
        last = request;
        open = true;
    }
    bool IsOpen() const override { return open; }
    VXFileAnswer Update() override {
        VXFileAnswer result;
        if (!open) return result;
        open = false;
        result.kind = answer.empty() ? VXFileAnswer::Cancelled : VXFileAnswer::Chosen;
        result.purpose = last.purpose;
        result.path = answer;
        return result;
    }
    VXFileRequest last;
    std::string answer;
    bool open = false;
};

inline std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Two files of the same bytes, or where they first differ.
inline ::testing::AssertionResult SameFile(const std::string& a, const std::string& b) {
    return SameText(a.c_str(), b.c_str(), ReadText(a), ReadText(b));
}

inline std::string NameOf(const GameObject* object) {
    return object ? "\"" + object->g_name + "\"" : "nothing";
}

// The same object, or the names of the two.
inline ::testing::AssertionResult SameObject(const char* aName, const char* bName,
                                             const GameObject* a, const GameObject* b) {
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << aName << " is " << NameOf(a) << ", " << bName << " is " << NameOf(b);
}

inline std::string JsonText(const rapidjson::Value& value) {
    rapidjson::StringBuffer text;
    rapidjson::Writer<rapidjson::StringBuffer> writer(text);
    value.Accept(writer);
    return text.GetString();
}

// What differs between two object files, record by record: the keys changed
// of each object (by name), and each change as "name key: old -> new".
using ChangedKeys = std::map<std::string, std::set<std::string>>;
struct ObjectChanges {
    ChangedKeys keys;
    std::string text;
    void Note(const std::string& object, const std::string& key, const std::string& was,
              const std::string& is) {
        keys[object].insert(key);
        text += object + " " + key + ": " + was + " -> " + is + "\n";
    }
};

inline ObjectChanges ChangesBetween(const std::string& beforePath, const std::string& afterPath) {
    ObjectChanges changes;
    rapidjson::Document before, after;
    before.Parse(ReadText(beforePath).c_str());
    after.Parse(ReadText(afterPath).c_str());
    if (!before.IsArray() || !after.IsArray()) {
        changes.Note(afterPath, "(file)", before.IsArray() ? "objects" : "no objects",
                     after.IsArray() ? "objects" : "no objects");
        return changes;
    }
    const rapidjson::Value none(rapidjson::kObjectType);
    const rapidjson::SizeType count = std::max(before.Size(), after.Size());
    for (rapidjson::SizeType i = 0; i < count; ++i) {
        const rapidjson::Value& was = i < before.Size() ? before[i] : none;
        const rapidjson::Value& is = i < after.Size() ? after[i] : none;
        const rapidjson::Value& named = is.IsObject() && is.HasMember("g_name") ? is : was;
        const bool hasName =
            named.IsObject() && named.HasMember("g_name") && named["g_name"].IsString();
        const std::string name =
            hasName ? named["g_name"].GetString() : "object " + std::to_string(i);
        if (!was.IsObject() || !is.IsObject()) {
            if (was != is) changes.Note(name, "(record)", JsonText(was), JsonText(is));
            continue;
        }
        for (const auto& member : is.GetObject()) {
            const auto old = was.FindMember(member.name);
            if (old == was.MemberEnd())
                changes.Note(name, member.name.GetString(), "(none)", JsonText(member.value));
            else if (old->value != member.value)
                changes.Note(name, member.name.GetString(), JsonText(old->value),
                             JsonText(member.value));
        }
        for (const auto& member : was.GetObject())
            if (!is.HasMember(member.name))
                changes.Note(name, member.name.GetString(), JsonText(member.value), "(none)");
    }
    return changes;
}

// An object's transform as the tool tests follow it: position x and y,
// rotation z, scale x and y.
using Placement = std::array<float, 5>;
inline Placement PlacementOf(const GameObject* o) {
    return {o->position[0], o->position[1], o->rotation[2], o->scale[0], o->scale[1]};
}

// `is` within `tolerance` of `expected` (turns modulo 360), or each value
// that differs as "name key is ..., expected ...".
inline ::testing::AssertionResult PlacedAs(const std::string& name, const Placement& is,
                                           const Placement& expected, float tolerance) {
    const char* const keys[5] = {"position x", "position y", "rotationZ", "scaleX", "scaleY"};
    std::ostringstream differs;
    for (int k = 0; k < 5; ++k) {
        const float off = is[k] - expected[k];
        if (!(std::fabs(k == 2 ? std::remainder(off, 360.0f) : off) <= tolerance))
            differs << name << " " << keys[k] << " is " << is[k] << ", expected " << expected[k]
                    << "\n";
    }
    if (differs.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differs.str();
}

// Object `name` of the object file `path` is saved as `expected`, to 0.01.
inline ::testing::AssertionResult SavedAs(const std::string& path, const std::string& name,
                                          const Placement& expected) {
    VXObjectLoader file;
    file.Load(path);
    for (const GameObjectData& d : file.records)
        if (d.name == name)
            return PlacedAs(name + " saved",
                            {d.position[0], d.position[1], d.rotation[2], d.scale[0], d.scale[1]},
                            expected, 0.01f);
    return ::testing::AssertionFailure() << "no " << name << " in " << path;
}

// The tests share one X server: windows of other tests appearing under the
// pointer send this window real pointer motion.  Only the motion a test
// injects reaches the editor.
inline bool g_injectingMouse = false;
inline int DropRealMouseMotion(void*, SDL_Event* e) {
    return e->type != SDL_MOUSEMOTION || g_injectingMouse;
}

class EditorFixture : public TestHarness::EngineFixture {
protected:
    void SetUp() override {
        TestHarness::EngineFixture::SetUp();
        SDL_SetEventFilter(DropRealMouseMotion, nullptr);
    }
    void TearDown() override {
        SDL_SetEventFilter(nullptr, nullptr);
        SetFilePicker(nullptr);
        TestHarness::EngineFixture::TearDown();
    }

    void MoveMouse(int x, int y) {
        g_injectingMouse = true;
        Platform::InjectMouseMove(x, y);
        g_injectingMouse = false;
    }
    void MouseButton(bool down, int x, int y) {
        g_injectingMouse = true;
        Platform::InjectMouseButton(SDL_BUTTON_LEFT, down, x, y);
        g_injectingMouse = false;
    }
    // Press in one frame, release in the next.
    void ClickMouse(int x, int y) {
        MouseButton(true, x, y);
        StepFrames(1);
        MouseButton(false, x, y);
        StepFrames(1);
    }

    // Starts the game with the editor after the loading screen.  Until the
    // loading screen loads the asset lists, the few assets the editor looks
    // up are loaded here and the editor restarted on them.
    void EnterEditor() {
        FrameContext().stateAfterLoading = GameState::LevelEditor;
        BeginRun();
        ASSERT_TRUE(RunUntilState(GameState::LevelEditor));
        VXGraphicsManager* graphics = VXGraphicsManager::Instance();
        if (graphics->tileSetNames.empty()) {
            graphics->ReadTextureList(DataPath("objects/texturelist.txt"));
            for (size_t i = 0; i < graphics->textureImageNames.size(); ++i)
                graphics->AddNamedTexture(graphics->textureImageNames[i],
                                          graphics->textureImagePaths[i],
                                          graphics->textureColumns[i], graphics->textureRows[i]);
            graphics->LoadTilemap(DataPath("objects/TilemapJsons/Level_1.json"));
            const VXTilemapData& map = graphics->tilemaps.at("Level_1");
            graphics->AddInstanceSet(map._name, 0);
            graphics->LoadInstanceSetImage(map._name, DataPath("img/" + map._name), map._texRows,
                                           map._texColumns);
            graphics->tileSetNames.push_back(map._name);
            Restart();
        }
        StepFrames(2);
    }

    // The editor with the object file `path` loaded through LOAD OBJECT,
    // which `picker` answers.
    void EnterEditorOn(AnsweringPicker& picker, const std::string& path) {
        picker.answer = path;
        SetFilePicker(&picker);
        EnterEditor();
        ClickItem("MENU");
        ClickItem("MENU/LOAD OBJECT");
        StepFrames(3);
    }

    void Restart() {
        engine->nextState = GameState::Reload;
        StepFrames(3);
    }

    VXLevelEditor* Editor() { return static_cast<VXLevelEditor*>(engine->gameState->level); }

    // Moves to the middle of a widget the editor drew, then clicks it.
    void ClickItem(const std::string& key) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        ASSERT_TRUE(FindEditorItem(key, x0, y0, x1, y1)) << key << " was not drawn";
        ClickAt(static_cast<int>((x0 + x1) / 2), static_cast<int>((y0 + y1) / 2));
    }
    void ClickAt(int x, int y) {
        MoveMouse(x, y);
        StepFrames(1);
        ClickMouse(x, y);
        StepFrames(1);
    }
    void Chord(SDL_Scancode modifier, SDL_Scancode key) {
        PressKey(modifier);
        TapKey(key);
        ReleaseKey(modifier);
        StepFrames(2);
    }
    // Ctrl+S, then YES in "Save?".
    void SaveWithCtrlS() {
        Chord(SDL_SCANCODE_LCTRL, SDL_SCANCODE_S);
        ClickItem("Save?/YES");
    }
    // Replaces the text of the focused field by `text`.
    void TypeOver(const std::string& text) {
        Chord(SDL_SCANCODE_LCTRL, SDL_SCANCODE_A);
        Platform::InjectText(text.c_str());
        StepFrames(2);
    }
    static std::string Data(const std::string& relative) { return DataPath(relative); }
};

}  // namespace EditorTest
