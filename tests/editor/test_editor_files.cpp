// The editor's file operations, driven through its menus and modals.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "tests/editor/EditorTestSupport.h"

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
    EXPECT_TRUE(saved == ReadText(Data("objects/savefile1.json")));
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

TEST_F(EditorFixture, SaveAsTakesOnlyPlainFileNames) {
    EnterEditor();
    struct Case {
        std::string name;
        std::string written;  // the file that must appear, "" for none
    };
    const Case cases[] = {
        {"level copy_2.b", "objects/level copy_2.b.json"}, {"../escaped", ""}, {"a/b", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VXDebugConsole::Clear();
        ClickItem("MENU");
        ClickItem("MENU/SAVE AS");
        ClickItem("Save As?/NEW File name");
        TypeOver(c.name);
        ClickItem("Save As?/YES");
        if (!c.written.empty()) {
            EXPECT_TRUE(ReadText(Data(c.written)) == ReadText(Data("objects/savefile1.json")));
            EXPECT_EQ(VXDebugConsole::Text(), "ALL OBJECTS SAVED!\n");
        } else {
            EXPECT_EQ(VXDebugConsole::Text().rfind("NOT SAVED", 0), 0u) << VXDebugConsole::Text();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(Data("escaped.json")));
    EXPECT_FALSE(std::filesystem::exists(Data("objects/a")));
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

    EXPECT_EQ(ReadText(Data("objects/savefile.json")), old);
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
        EXPECT_EQ(g_selectedTileSet, none ? 0 : static_cast<int32_t>(loaded.size()) - 1);
        EXPECT_EQ(VXDebugConsole::Text(), none ? "There are no Tilesets loaded!\n" : "");
    }
}

}  // namespace
}  // namespace EditorTest
