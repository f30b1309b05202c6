// The editor's file operations, driven through its menus and modals.
#include <gtest/gtest.h>
#include <imgui_internal.h>
#include <rapidjson/document.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/Capture.h"

namespace EditorTest {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(EditorFixture, CtrlSThenYesWritesTheLoadedLevelUnchanged) {
    EnterEditor();
    SaveWithCtrlS();
    const std::string saved = ReadText(Data("objects/savefile.json"));
    ASSERT_FALSE(saved.empty());
    EXPECT_PRED_FORMAT2(SameText, saved, ReadText(Data("objects/savefile1.json")));
    EXPECT_TRUE(EndsWith(VXDebugConsole::Text(), "ALL OBJECTS SAVED!\n"));
}

TEST_F(EditorFixture, CreatedObjectIsSavedLastAndTheCursorStaysLast) {
    EnterEditor();
    ClickItem("CREATE");
    ClickItem("CREATE/CREATE NEW OBJECT");
    ClickItem("CREATE/Name");
    Platform::InjectText("Crate%d");
    StepFrames(2);
    ClickItem("CREATE/CREATE");
    const std::vector<GameObject*>& objects = Editor()->m_objects->objects;
    ASSERT_GE(objects.size(), 2u);
    EXPECT_EQ(objects.back()->g_name, "mouse");
    EXPECT_EQ(objects[objects.size() - 2]->g_name, "Crate%d");
    EXPECT_TRUE(EndsWith(VXDebugConsole::Text(), "Crate%d CREATED!\n"));

    SaveWithCtrlS();
    rapidjson::Document before, after;
    before.Parse(ReadText(Data("objects/savefile1.json")).c_str());
    after.Parse(ReadText(Data("objects/savefile.json")).c_str());
    ASSERT_TRUE(after.IsArray());
    ASSERT_EQ(after.Size(), before.Size() + 1);
    EXPECT_STREQ(after[after.Size() - 1]["g_name"].GetString(), "Crate%d");
}

// "mouse" is the cursor object's name, which the editor never lists nor
// saves: CREATE refuses it and says so.  The default layout puts
// INSTANCES LOADED clear of LIBRARY.
TEST_F(EditorFixture, CreateRefusesTheCursorsNameAndTheLayoutPlacesEveryWindow) {
    EnterEditor();
    const size_t count = Editor()->m_objects->objects.size();
    ClickItem("CREATE");
    ClickItem("CREATE/CREATE NEW OBJECT");
    ClickItem("CREATE/Name");
    TypeOver("mouse");  // the field keeps its text between openings
    ClickItem("CREATE/CREATE");
    EXPECT_EQ(Editor()->m_objects->objects.size(), count);
    EXPECT_TRUE(EndsWith(VXDebugConsole::Text(), "NOT CREATED! mouse IS THE CURSOR'S NAME\n"));

    TapKey(SDL_SCANCODE_F12);
    StepFrames(2);
    const ImGuiWindow* library = ImGui::FindWindowByName("LIBRARY");
    const ImGuiWindow* instances = ImGui::FindWindowByName("INSTANCES LOADED");
    ASSERT_TRUE(library && instances);
    EXPECT_FALSE(library->Rect().Overlaps(instances->Rect()));
}

TEST_F(EditorFixture, SaveAsTakesOnlyPlainFileNames) {
    EnterEditor();
    struct Case {
        std::string name;
        std::string written;  // the file that must appear, "" for none
    };
    const Case cases[] = {{"level copy_2.b", "objects/level copy_2.b.json"},
                          {"../escaped", ""},
                          {"a/b", ""},
                          {".", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VXDebugConsole::Clear();
        ClickItem("MENU");
        ClickItem("MENU/SAVE AS");
        ClickItem("Save As?/NEW File name");
        TypeOver(c.name);
        ClickItem("Save As?/YES");
        if (!c.written.empty()) {
            EXPECT_TRUE(SameFile(Data(c.written), Data("objects/savefile1.json")));
            EXPECT_EQ(VXDebugConsole::Text(), "ALL OBJECTS SAVED!\n");
        } else {
            EXPECT_EQ(VXDebugConsole::Text().rfind("NOT SAVED", 0), 0u) << VXDebugConsole::Text();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(Data("escaped.json")));
    EXPECT_FALSE(std::filesystem::exists(Data("objects/a")));
    EXPECT_FALSE(std::filesystem::exists(Data("objects/..json")));
    EXPECT_EQ(VXDebugConsole::Text(), "NOT SAVED! A NAME OF DOTS ONLY IS NO FILE NAME\n");
}

TEST_F(EditorFixture, FailedSaveIsLoggedAndKeepsTheOldFile) {
    EnterEditor();
    const std::string old = "[]\n";
    tree->WriteData("objects/savefile.json", old);
    // A file-size limit makes every write of more than a few bytes fail, as
    // a full or read-only disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit original{};
    getrlimit(RLIMIT_FSIZE, &original);
    rlimit limit = original;
    limit.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &limit);
    SaveWithCtrlS();
    setrlimit(RLIMIT_FSIZE, &original);

    EXPECT_PRED_FORMAT2(SameText, ReadText(Data("objects/savefile.json")), old);
    EXPECT_NE(VXDebugConsole::Text().find("SAVE FAILED!"), std::string::npos);
    EXPECT_EQ(VXDebugConsole::Text().find("ALL OBJECTS SAVED!"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(Data("objects")))
        EXPECT_EQ(entry.path().filename().string().find("savefile.json."), std::string::npos)
            << "left behind: " << entry.path();
}

TEST_F(EditorFixture, LoadObjectRestartsOnTheChosenFile) {
    AnsweringPicker picker;
    picker.answer = Data("objects/savefile2.json");
    SetFilePicker(&picker);
    EnterEditor();
    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(3);
    EXPECT_EQ(picker.last.root, Data("objects/"));
    EXPECT_EQ(picker.last.extensions, std::vector<std::string>{".json"});

    rapidjson::Document chosen;
    chosen.Parse(ReadText(picker.answer).c_str());
    ASSERT_TRUE(chosen.IsArray());
    const std::vector<GameObject*>& objects = Editor()->m_objects->objects;
    ASSERT_EQ(objects.size(), chosen.Size() + 1);  // and the cursor object
    for (rapidjson::SizeType i = 0; i < chosen.Size(); ++i)
        EXPECT_EQ(objects[i]->g_name, chosen[i]["g_name"].GetString());
}

// A file LOAD OBJECT cannot open as a level, or from which the game's
// object reader gets no game object, is refused: the scene stays, the
// console and the output say which file and the same reason, and a save
// afterwards writes the scene that stayed.  A file read in part loads, and
// the console shows the reader's warnings as the output does.
TEST_F(EditorFixture, LoadObjectSaysWhyItRefusesAFileOrWhatItLeftOut) {
    AnsweringPicker picker;
    SetFilePicker(&picker);
    EnterEditor();
    const std::string level = ReadText(Data("objects/savefile1.json"));
    tree->WriteData("objects/cut.json", level.substr(0, level.size() / 2));
    tree->WriteData("objects/single.json", "{\"g_name\": \"x\"}");
    tree->WriteData("objects/numbers.json", "[1, 2, 3]");
    tree->WriteData("objects/binary.json", std::string("[\0\x01\x7f]", 5));
    // Deep enough to overflow any reader that recurses.
    const size_t depth = 1000000;
    tree->WriteData("objects/deep.json", std::string(depth, '[') + std::string(depth, ']'));
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {{"cut.json", "IS NOT VALID JSON"},
                 {"single.json", "HOLDS NO LIST OF OBJECTS"},
                 {"gone.json", "CANNOT BE READ"},
                 {"binary.json", "IS NOT VALID JSON (a binary file, not JSON)"},
                 {"numbers.json", "HOLDS NO GAME OBJECTS"},
                 {"TilemapJsons/Level_1.json", "HOLDS NO GAME OBJECTS"},
                 {"deep.json", "HOLDS NO GAME OBJECTS"}};
    const VXObjectManager* scene = Editor()->m_objects;
    const size_t count = scene->objects.size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        picker.answer = Data(std::string("objects/") + c.file);
        VXDebugConsole::Clear();
        const std::string printed = TestHarness::Printed([&] {
            ClickItem("MENU");
            ClickItem("MENU/LOAD OBJECT");
            StepFrames(3);
        });
        // The scene is read next: a replaced one has been freed.
        ASSERT_EQ(Editor()->m_objects, scene);
        EXPECT_EQ(scene->objects.size(), count);
        EXPECT_NE(printed.find(" -> LOAD OBJECT refused: " + picker.answer + " " + c.reason),
                  std::string::npos)
            << printed.substr(0, 2000);
        EXPECT_EQ(VXDebugConsole::Text().rfind(
                      "NOT LOADED! " + FileNameOfPath(c.file) + " " + c.reason, 0),
                  0u)
            << VXDebugConsole::Text();
    }
    SaveWithCtrlS();
    EXPECT_PRED_FORMAT2(SameText, ReadText(Data("objects/savefile.json")), level);

    std::string partly = ReadText(Data("objects/savefile2.json"));
    const size_t position = partly.find("\"position\"");
    const size_t scale = partly.find("\"scaleX\"");
    ASSERT_TRUE(position != std::string::npos && scale != std::string::npos);
    partly.replace(scale, partly.find(',', scale) - scale, "\"scaleX\": \"wide\"");
    partly.replace(position, partly.find(']', position) + 1 - position, "\"position\": \"here\"");
    tree->WriteData("objects/partly.json", partly);
    picker.answer = Data("objects/partly.json");
    VXDebugConsole::Clear();
    const std::string printed = TestHarness::Printed([&] {
        ClickItem("MENU");
        ClickItem("MENU/LOAD OBJECT");
        StepFrames(3);
    });
    rapidjson::Document loaded;
    loaded.Parse(partly.c_str());
    ASSERT_TRUE(loaded.IsArray());
    ASSERT_EQ(Editor()->m_objects->objects.size(), loaded.Size() + 1);  // and the cursor
    // The check before the restart reads the file too: its lines come twice.
    std::vector<std::string> warnings;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("WARNING: ", 0) == 0 &&
            std::find(warnings.begin(), warnings.end(), line + "\n") == warnings.end())
            warnings.push_back(line + "\n");
    ASSERT_EQ(warnings.size(), 2u) << printed.substr(0, 2000);
    EXPECT_EQ(VXDebugConsole::Text(), warnings[0] + warnings[1]);
}

// A level saved by an editor that starts files with a byte-order mark: the
// check and the loader agree, and both read past the mark, so LOAD OBJECT
// opens the file's objects and a save writes them back without the mark.
// A cut file with the mark is refused at the offset of its text, the one
// the same file without the mark names.
TEST_F(EditorFixture, LoadObjectOfAFileWithAByteOrderMarkLoadsItOrNamesTheOffsetInItsText) {
    AnsweringPicker picker;
    SetFilePicker(&picker);
    EnterEditor();
    const std::string other = ReadText(Data("objects/savefile2.json"));
    const std::string cut = other.substr(0, other.size() / 2);
    tree->WriteData("objects/cut.json", cut);
    tree->WriteData("objects/markedcut.json", "\xEF\xBB\xBF" + cut);
    std::string refused[2];
    for (int marked : {0, 1}) {
        picker.answer = Data(marked ? "objects/markedcut.json" : "objects/cut.json");
        VXDebugConsole::Clear();
        ClickItem("MENU");
        ClickItem("MENU/LOAD OBJECT");
        StepFrames(3);
        refused[marked] = VXDebugConsole::Text();
    }
    const std::string plainStart = "NOT LOADED! cut.json IS NOT VALID JSON (";
    ASSERT_EQ(refused[0].rfind(plainStart, 0), 0u) << refused[0];
    EXPECT_EQ(refused[1], "NOT LOADED! markedcut.json" +
                              refused[0].substr(std::strlen("NOT LOADED! cut.json")));
    tree->WriteData("objects/marked.json", "\xEF\xBB\xBF" + other);
    picker.answer = Data("objects/marked.json");
    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(4);
    rapidjson::Document chosen;
    chosen.Parse(other.c_str());
    ASSERT_TRUE(chosen.IsArray());
    const std::vector<GameObject*>& objects = Editor()->m_objects->objects;
    ASSERT_EQ(objects.size(), chosen.Size() + 1);  // and the cursor object
    for (rapidjson::SizeType i = 0; i < chosen.Size(); ++i)
        EXPECT_EQ(objects[i]->g_name, chosen[i]["g_name"].GetString());
    SaveWithCtrlS();
    EXPECT_PRED_FORMAT2(SameText, ReadText(Data("objects/savefile.json")), other);
}

// A level from another version of the tools, with component kinds this
// game does not know and keys added inside the components it knows and
// inside their lists: LOAD OBJECT keeps them with their objects and
// components, and SAVE writes them back where they stood, digit for digit.
TEST_F(EditorFixture, LoadObjectAndSaveKeepBlocksTheGameDoesNotRead) {
    AnsweringPicker picker;
    SetFilePicker(&picker);
    EnterEditor();
    std::string level = ReadText(Data("objects/savefile1.json"));
    const size_t archer = level.find("\"m_active\": true,", level.find("\"Archer\""));
    level.insert(archer + 17,
                 "\n    \"VXUnknownComponent\": [\n        1,\n        2,\n        3\n    ],");
    const size_t shadow = level.find("\"MY PARENT\"", level.find("\"ArcherShadow\""));
    level.insert(shadow, "\"FancyThing\": {\n        \"a\": 1\n    },\n    ");
    // In the Viking's blocks: at the end of its sprite, in the middle of its
    // player logic, at the start of its particle emitter.
    const size_t viking = level.find("\"g_name\": \"Viking\"");
    ASSERT_NE(viking, std::string::npos);
    const size_t spriteEnd = level.find("\n    ],\n    \"VXRigidBody\"", viking);
    level.insert(
        spriteEnd,
        ",\n        \"EXTRA\",\n        [\n            9.99,\n            1.50\n        ]");
    const size_t logic = level.find("\"VXPlayerLogic\"", viking);
    const size_t hit = level.find("        true,\n", logic) + 14;
    level.insert(hit, "        \"Added\",\n        1E3,\n");
    const size_t emitter = level.find("\"VXParticleEmitter\": [\n", viking) + 23;
    level.insert(emitter, "        \"First\",\n        -0.50,\n");
    // Inside its lists: after its first animation row, at the end of its
    // body's "Position" and of its "PlayerKey" list.
    const size_t row = level.find("]", level.find("\"0\", [", viking)) + 1;
    level.insert(row,
                 ",\n            \"EXTRA_R\",\n            [\n                9.99,\n"
                 "                1.50\n            ]");
    const size_t position = level.find("]", level.find("\"Position\", [", viking));
    level.insert(position, ", \"EXTRA_P\"");
    const size_t keys = level.find("\n        ]", level.find("\"PlayerKey\"", viking));
    level.insert(keys, ",\n            27");
    tree->WriteData("objects/newer.json", level);
    picker.answer = Data("objects/newer.json");
    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(3);
    ASSERT_NE(Editor()->m_objects->FindObject("ArcherShadow"), nullptr);
    SaveWithCtrlS();
    EXPECT_PRED_FORMAT2(SameText, ReadText(Data("objects/savefile.json")), level);
}

// QUIT, LOAD OBJECT and closing the window go on at once over a scene as it
// was loaded, and ask "Discard changes?" once an object or a tile changed:
// NO keeps the editor and the work, YES goes on.
TEST_F(EditorFixture, UnsavedWorkIsAskedForBeforeQuitLoadOrCloseDropsIt) {
    AnsweringPicker picker;
    picker.answer = Data("objects/savefile2.json");
    SetFilePicker(&picker);
    EnterEditor();
    Platform::InjectWindowEvent(SDL_WINDOWEVENT_CLOSE);
    StepFrames(2);
    EXPECT_EQ(closeRequests, 1);

    GameObject* first = Editor()->m_objects->objects.front();
    first->position[0] += 100.0f;
    ClickItem("MENU");
    ClickItem("MENU/QUIT");
    ASSERT_TRUE(Running());
    ASSERT_NE(FrameContext().nextState, -2);
    ClickItem("Discard changes?/NO");
    EXPECT_TRUE(EndsWith(VXDebugConsole::Text(), "CHANGES KEPT!\n"));
    ASSERT_TRUE(StepFrames(2));

    Platform::InjectWindowEvent(SDL_WINDOWEVENT_CLOSE);
    StepFrames(2);
    EXPECT_EQ(closeRequests, 1);
    ClickItem("Discard changes?/YES");
    StepFrames(2);
    EXPECT_EQ(closeRequests, 2);

    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(2);
    EXPECT_EQ(Editor()->m_objects->objects.front(), first);
    ClickItem("Discard changes?/YES");
    StepFrames(3);
    rapidjson::Document chosen;
    chosen.Parse(ReadText(picker.answer).c_str());
    ASSERT_TRUE(chosen.IsArray());
    ASSERT_EQ(Editor()->m_objects->objects.size(), chosen.Size() + 1);
    EXPECT_EQ(Editor()->m_objects->objects.front()->g_name, chosen[0]["g_name"].GetString());

    // A tile erased is unsaved work too; YES on QUIT ends the program.
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames.at(0));
    ASSERT_TRUE(set && !set->m_data1.empty());
    g_selectedTileSet = 0;
    const size_t tiles = set->m_data1.size();
    Editor()->m_tiles->EraseTileCell(set->m_data1[0][0], -set->m_data1[0][1]);
    ASSERT_EQ(set->m_data1.size(), tiles - 1);
    ClickItem("MENU");
    ClickItem("MENU/QUIT");
    ASSERT_TRUE(Running());
    ClickMouse(0, 0);  // nothing: the modal holds the mouse
    ASSERT_TRUE(Running());
    ClickItem("Discard changes?/YES");
    EXPECT_FALSE(StepFrames(2));
}

// A double click on a folder of the file picker enters it and opens
// nothing, whatever row its second click lands on; a double click on a file
// opens that file.
TEST_F(EditorFixture, DoubleClickOnAFolderOnlyEntersIt) {
    EnterEditor();
    const VXObjectManager* scene = Editor()->m_objects;
    auto doubleClick = [&](const std::string& key) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        ASSERT_TRUE(FindEditorItem(key, x0, y0, x1, y1)) << key;
        const int x = static_cast<int>(x0) + 20, y = static_cast<int>((y0 + y1) / 2);
        MoveMouse(x, y);
        StepFrames(1);
        for (int k = 0; k < 2; ++k) {
            MouseButton(true, x, y);
            StepFrames(1);
            MouseButton(false, x, y);
            StepFrames(1);
        }
        StepFrames(3);
    };
    ClickItem("MENU");
    ClickItem("MENU/LOAD OBJECT");
    StepFrames(2);
    auto* picker = dynamic_cast<VXImGuiFilePicker*>(&FilePicker());
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(picker->IsOpen());
    doubleClick("Picker/prefabs/");
    EXPECT_TRUE(picker->IsOpen());
    EXPECT_EQ(picker->Folder(), "prefabs/");
    EXPECT_EQ(Editor()->m_objects, scene);
    StepFrames(30);  // past ImGui's double-click time
    doubleClick("Picker/Arrow.json");
    EXPECT_FALSE(picker->IsOpen());
    ASSERT_NE(Editor()->m_objects->objects.size(), 0u);
    EXPECT_EQ(Editor()->m_objects->objects.front()->g_name, "Arrow");
}

TEST_F(EditorFixture, LoadLevelSelectsTheLastTileSetOrSaysThereIsNone) {
    AnsweringPicker picker;
    picker.answer = Data("objects/savefile1.json");
    SetFilePicker(&picker);
    EnterEditor();
    std::vector<std::string>& names = VXGraphicsManager::Instance()->tileSetNames;
    const std::vector<std::string> loaded = names;
    ASSERT_FALSE(loaded.empty());
    for (const bool none : {true, false}) {
        SCOPED_TRACE(none ? "no tile sets" : "tile sets");
        names = none ? std::vector<std::string>() : loaded;
        g_selectionKind = SelectObjects;
        g_selectedTileSet = 0;
        VXDebugConsole::Clear();
        ClickItem("MENU");
        ClickItem("MENU/LOAD LEVEL");
        StepFrames(2);
        EXPECT_EQ(g_selectionKind, none ? SelectObjects : SelectTilesets);
        // The last set of the editor's own grid, which may hold fewer sets
        // than there are tile-map names.
        const size_t sets = Editor()->m_tiles->objectLists.size();
        ASSERT_GT(sets, 0u);
        EXPECT_EQ(g_selectedTileSet, static_cast<int32_t>(sets) - 1);
        // LOAD LEVEL says which set it chose and that the file is not read,
        // never that anything was loaded.
        EXPECT_EQ(VXDebugConsole::Text(), none ? "There are no Tilesets loaded!\n"
                                               : "TILESET " + std::to_string(sets - 1) +
                                                     " SELECTED FOR PAINTING! (savefile1.json "
                                                     "NOT READ)\n");
        EXPECT_EQ(g_libraryIndex, 0);
    }
    // LIBRARY shows the chosen set highlighted and lists its tiles; a click
    // on one fills the INSPECTOR.
    EXPECT_TRUE(LibraryEntryHighlighted(g_selectedTileSet));
    const std::vector<GameObject*>& tiles =
        Editor()->m_tiles->objectLists[static_cast<size_t>(g_selectedTileSet)];
    ASSERT_FALSE(tiles.empty());
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(FindEditorItem("LIBRARY/tile 0", x0, y0, x1, y1));
    // Near its left end: "INSTANCES LOADED" may cover the rest.
    ClickAt(static_cast<int>(x0) + 10, static_cast<int>((y0 + y1) / 2));
    EXPECT_EQ(g_selectionChanged, 1);
    EXPECT_EQ(g_libraryIndex, 0);
    EXPECT_TRUE(FindEditorItem("INSPECTOR/name", x0, y0, x1, y1));
}

}  // namespace
}  // namespace EditorTest
