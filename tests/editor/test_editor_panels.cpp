// The INSPECTOR, its component panels and the add-component menu, driven
// through their widgets; what they edit must come back from a save.
#include <gtest/gtest.h>
#include <imgui_internal.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <utility>

#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "engine/VXLevelObjects.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTilemapData.h"
#include "levels/VXMatchLevels.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXRigidBody.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/ScreenBoxes.h"

namespace EditorTest {
namespace {

class PanelFixture : public EditorFixture {
protected:
    void EnterWithLayout() {
        EnterEditor();
        TapKey(SDL_SCANCODE_F12);
        StepFrames(2);
    }
    GameObject* Select(const std::string& name) {
        const std::vector<GameObject*>& list = Editor()->m_objects->objects;
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i]->g_name == name) {
                g_selectionKind = SelectObjects;
                g_libraryIndex = static_cast<int32_t>(i);
                g_selectionChanged = 1;
                StepFrames(2);
                return list[i];
            }
        ADD_FAILURE() << name << " not in the level";
        return nullptr;
    }
    // Clicks near the left end of a widget: inside the field, whatever the
    // width of its label.
    void ClickLeft(const std::string& key) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        ASSERT_TRUE(FindEditorItem(key, x0, y0, x1, y1)) << key << " was not drawn";
        ClickAt(static_cast<int>(x0) + 8, static_cast<int>((y0 + y1) / 2));
    }
    void Type(const std::string& field, const std::string& text) {
        ClickLeft(field);
        TypeOver(text);
        TapKey(SDL_SCANCODE_RETURN);
        StepFrames(2);
    }
    // Saves, loads what was saved, saves again; returns the two texts.
    std::pair<std::string, std::string> SaveReloadSave() {
        SaveWithCtrlS();
        const std::string first = ReadText(Data("objects/savefile.json"));
        g_levelPath = Data("objects/savefile.json");
        g_loadChosenLevel = true;
        Restart();
        StepFrames(2);
        SaveWithCtrlS();
        return {first, ReadText(Data("objects/savefile.json"))};
    }
    // Clicks the close box of the window `title`.
    void ClickCloseBox(const std::string& title) {
        const ImGuiWindow* window = ImGui::FindWindowByName(title.c_str());
        ASSERT_NE(window, nullptr) << title;
        const ImVec2 pad = ImGui::GetStyle().FramePadding;
        const float size = ImGui::GetFontSize();
        ClickAt(static_cast<int>(window->Pos.x + window->Size.x - pad.x - size / 2),
                static_cast<int>(window->Pos.y + pad.y + size / 2));
    }
    rapidjson::Document Saved() {
        rapidjson::Document doc;
        doc.Parse(ReadText(Data("objects/savefile.json")).c_str());
        return doc;
    }
};

TEST_F(PanelFixture, RenameGrowsAndShrinksTheNameThatIsSaved) {
    EnterWithLayout();
    Select("Archer");
    for (const std::string name : {"ArcherWithAMuchLongerName", "A"}) {
        Type("INSPECTOR/name", name);
        SaveWithCtrlS();
        rapidjson::Document doc = Saved();
        ASSERT_TRUE(doc.IsArray());
        EXPECT_STREQ(doc[0]["g_name"].GetString(), name.c_str());
        // The children name the new name as their parent.
        EXPECT_STREQ(doc[1]["MY PARENT"].GetString(), name.c_str());
    }
}

TEST_F(PanelFixture, AddParentRefusesACycleAndDeleteLeavesTheNextSave) {
    EnterWithLayout();
    GameObject* archer = Select("Archer");
    GameObject* shadow = Editor()->m_objects->FindObject("ArcherShadow");
    ASSERT_TRUE(archer && shadow);
    ASSERT_EQ(shadow->parent, archer);
    const float x = archer->position[0];
    ClickItem("INSPECTOR/ADD PARENT");
    ClickItem("Parent/ArcherShadow");
    ASSERT_PRED_FORMAT2(SameObject, archer->parent, nullptr) << "Archer under its own child";
    EXPECT_EQ(archer->position[0], x);
    EXPECT_NE(VXDebugConsole::Text().find("PARENT REFUSED!"), std::string::npos);

    // A parent listed after its child: the child (and its own children)
    // move after it, so the link comes back from the save.
    GameObject* knight = Select("Knight");
    ClickItem("INSPECTOR/ADD PARENT");
    ClickItem("Parent/Pirate");
    GameObject* pirate = Editor()->m_objects->FindObject("Pirate");
    ASSERT_EQ(knight->parent, pirate);
    EXPECT_EQ(Editor()->m_objects->objects[static_cast<size_t>(g_libraryIndex)], knight);

    // Under a parent drawn flat (no width, or a quarter turn about x, as a
    // file may give it): refused, nothing moves.
    Select("Archer");
    const Placement archerWas = PlacementOf(archer);
    for (float* flat : {&pirate->scale[0], &pirate->rotation[0]}) {
        const float was = std::exchange(*flat, flat == pirate->scale ? 0.0f : 90.0f);
        const size_t said = VXDebugConsole::Text().size();
        ClickItem("INSPECTOR/ADD PARENT");
        ClickItem("Parent/Pirate");
        *flat = was;
        const char* pirateIs = flat == pirate->scale ? "of scaleX 0" : "turned 90 about x";
        ASSERT_PRED_FORMAT2(SameObject, archer->parent, nullptr) << "a Pirate " << pirateIs;
        EXPECT_EQ(PlacementOf(archer), archerWas) << "Archer under a Pirate " << pirateIs;
        EXPECT_NE(VXDebugConsole::Text().find("PARENT REFUSED! ITS SCALE IS 0!\n", said),
                  std::string::npos)
            << VXDebugConsole::Text();
    }
    const auto texts = SaveReloadSave();
    EXPECT_TRUE(texts.first == texts.second) << "the second save differs";
    EXPECT_EQ(Editor()->m_objects->FindObject("Knight")->parent,
              Editor()->m_objects->FindObject("Pirate"));
    EXPECT_EQ(Editor()->m_objects->FindObject("KnightShadow")->parent,
              Editor()->m_objects->FindObject("Knight"));

    Select("ArcherShadow");
    ClickItem("INSPECTOR/DELETE");
    ClickItem("DELETE?/YES");
    EXPECT_EQ(g_selectionChanged, 0);
    SaveWithCtrlS();
    EXPECT_EQ(ReadText(Data("objects/savefile.json")).find("\"ArcherShadow\""), std::string::npos);
}

// What the renderer draws an object with: the plane part of its world
// matrix (x axis, y axis, centre).
std::array<float, 6> Drawn(const GameObject* o) {
    const float* m = o->worldMatrix;
    return {m[0], m[4], m[1], m[5], m[3], m[7]};
}

::testing::AssertionResult DrawnAlike(const std::array<float, 6>& want,
                                      const std::array<float, 6>& got) {
    const char* names[6] = {"x axis x", "x axis y", "y axis x", "y axis y", "centre x", "centre y"};
    for (int k = 0; k < 6; ++k)
        if (!(std::fabs(got[k] - want[k]) <= 0.01f + 1e-4f * std::fabs(want[k])))
            return ::testing::AssertionFailure()
                   << names[k] << " drawn " << got[k] << ", was " << want[k];
    return ::testing::AssertionSuccess();
}

// ADD PARENT keeps the child where, as large and as turned as it is drawn,
// under a turned root (Flag3) and under a child (the ring of its own flag);
// an ancestor cannot become the child's child.  The level saved, loaded
// again and played as Level_3 draws the ring the same.
TEST_F(PanelFixture, AddParentKeepsTheChildWhereItIsDrawnThroughSaveLoadAndMatch) {
    AnsweringPicker picker;
    EnterEditorOn(picker, Data("objects/savefile3.json"));
    TapKey(SDL_SCANCODE_F12);
    StepFrames(2);
    VXObjectManager* scene = Editor()->m_objects;
    GameObject* flag2 = scene->FindObject("Flag2");
    GameObject* ringA = scene->FindObject("Flag2RingA");
    GameObject* flag3 = scene->FindObject("Flag3");
    ASSERT_TRUE(flag2 && ringA && flag3 && ringA->parent == flag2 && !flag3->parent);
    Select("Flag3");
    Type("INSPECTOR/Rotation", "30");
    GameObject* ringB = Select("Flag2RingB");
    ASSERT_TRUE(ringB && ringB->parent == flag2);
    Type("INSPECTOR/Rotation", "45");
    const std::array<float, 6> drawn = Drawn(ringB);
    ASSERT_NEAR(drawn[0], 180.0f * std::sqrt(0.5f), 0.01f);  // 180 wide, turned 45

    const auto listed = [](const GameObject* parent, const GameObject* child) {
        return std::count(parent->children.begin(), parent->children.end(), child);
    };
    const struct {
        GameObject* parent;
        GameObject* before;  // the parent it leaves
        float turn;          // its own turn after
    } moves[] = {{flag3, flag2, 15.0f}, {ringA, flag3, 45.0f}};
    for (const auto& m : moves) {
        SCOPED_TRACE("ADD PARENT " + m.parent->g_name);
        Select("Flag2RingB");
        ClickItem("INSPECTOR/ADD PARENT");
        ClickItem("Parent/" + m.parent->g_name);
        StepFrames(2);
        ASSERT_EQ(ringB->parent, m.parent);
        EXPECT_EQ(listed(m.parent, ringB), 1);
        EXPECT_EQ(listed(m.before, ringB), 0);
        EXPECT_TRUE(DrawnAlike(drawn, Drawn(ringB)));
        EXPECT_NEAR(ringB->rotation[2], m.turn, 1e-3f);
    }
    // The ring: 180 inside a 220 ring at the same place.
    EXPECT_NEAR(ringB->scale[0], 180.0f / 220.0f, 1e-5f);
    EXPECT_NEAR(ringB->position[0], 0.0f, 1e-4f);

    // DISOWN! under the ring, itself a child: a root drawn as it was.
    Select("Flag2RingA");
    ClickItem("Children/Flag2RingB");
    ClickItem("DISOWN/Flag2RingB");
    ASSERT_PRED_FORMAT2(SameObject, ringB->parent, nullptr) << "DISOWN! under Flag2RingA";
    EXPECT_EQ(listed(ringA, ringB), 0);
    EXPECT_TRUE(DrawnAlike(drawn, Drawn(ringB))) << "after DISOWN! under Flag2RingA";
    Select("Flag2RingB");
    ClickItem("INSPECTOR/ADD PARENT");
    ClickItem("Parent/Flag2RingA");
    ASSERT_EQ(ringB->parent, ringA);

    // Flag2 under its own grandchild: refused, nothing moves.
    const std::array<float, 6> flag = Drawn(flag2);
    Select("Flag2");
    ClickItem("INSPECTOR/ADD PARENT");
    ClickItem("Parent/Flag2RingB");
    ASSERT_PRED_FORMAT2(SameObject, flag2->parent, nullptr) << "Flag2 under its own grandchild";
    EXPECT_TRUE(ringB->children.empty());
    EXPECT_TRUE(DrawnAlike(flag, Drawn(flag2)));
    EXPECT_NE(VXDebugConsole::Text().find("PARENT REFUSED! IT IS A CHILD OF THIS OBJECT!\n"),
              std::string::npos)
        << VXDebugConsole::Text();

    // Saved, then loaded by the editor and by the match of Level_3.
    SaveWithCtrlS();
    g_levelPath = Data("objects/savefile.json");
    g_loadChosenLevel = true;
    Restart();
    StepFrames(2);
    GameObject* loaded = Editor()->m_objects->FindObject("Flag2RingB");
    ASSERT_NE(loaded, nullptr);
    ASSERT_NE(loaded->parent, nullptr);
    EXPECT_EQ(loaded->parent->g_name, "Flag2RingA");
    EXPECT_TRUE(DrawnAlike(drawn, Drawn(loaded))) << "after a reload";

    // Its parent turned, the ring saved as a prefab (a match loads it where it
    // is drawn), then its parent deleted: the ring stays where it is drawn, a
    // root, alone changed in the save; ADD PARENT offers the deleted no more.
    ringB = loaded;
    ringA = Select("Flag2RingA");
    ASSERT_TRUE(ringA && ringA->parent && ringA->parent->g_name == "Flag2");
    flag2 = ringA->parent;
    Type("INSPECTOR/Rotation", "30");
    const std::array<float, 6> turned = Drawn(ringB);
    ASSERT_FALSE(DrawnAlike(drawn, turned)) << "the ring did not turn with its parent";
    Select("Flag2RingB");
    ClickItem("INSPECTOR/SAVE AS PREFAB");
    ClickItem("Save Prefab?/YES");
    VXObjectLoader prefab;
    ASSERT_TRUE(prefab.Load(Data("objects/prefabs/Flag2RingB.json")));
    EXPECT_EQ(prefab.records.at(0).parentName, "Flag2RingA") << "in the prefab Flag2RingB";
    SaveWithCtrlS();
    rapidjson::Document was = Saved();
    Select("Flag2RingA");
    ClickItem("INSPECTOR/DELETE");
    ClickItem("DELETE?/YES");
    EXPECT_PRED_FORMAT2(SameObject, ringB->parent, nullptr);
    EXPECT_TRUE(DrawnAlike(turned, Drawn(ringB))) << "after DELETE of Flag2RingA";
    EXPECT_EQ(listed(flag2, ringA), 0) << "Flag2 still lists the deleted Flag2RingA";
    Select("Flag2RingB");
    ClickItem("INSPECTOR/ADD PARENT");
    EXPECT_LT(EditorItemFrame("Parent/Flag2RingA"), EditorItemFrame("Parent/Flag2"))
        << "ADD PARENT offers the deleted Flag2RingA beside Flag2";
    TapKey(SDL_SCANCODE_ESCAPE);
    StepFrames(2);
    SaveWithCtrlS();
    for (rapidjson::SizeType i = 0; i < was.Size(); ++i)
        if (was[i].IsObject() && was[i].HasMember("g_name") && was[i]["g_name"] == "Flag2RingA")
            was.Erase(was.Begin() + i);
    tree->WriteData("objects/beforeDelete.json", JsonText(was));
    const ObjectChanges changes =
        ChangesBetween(Data("objects/beforeDelete.json"), Data("objects/savefile.json"));
    EXPECT_EQ(
        changes.keys,
        (ChangedKeys{{"Flag2RingB", {"MY PARENT", "position", "rotationZ", "scaleX", "scaleY"}}}))
        << changes.text;

    tree->WriteData("objects/savefile3.json", ReadText(Data("objects/savefile.json")));
    FrameContext().lineUp = {{1, 15, 1}, {2, 8, 2}, {3, 6, 0}, {4, 7, 0}, {5, 18, 0}, {6, 19, 0}};
    FrameContext().nextState = GameState::Level3;
    ASSERT_TRUE(RunUntilState(GameState::Level3));
    StepFrames(3);
    auto* match = dynamic_cast<VXMatchLevel*>(LevelObjectForState(GameState::Level3));
    ASSERT_NE(match, nullptr);
    GameObject* played = match->objectManager->FindObject("Flag2RingB");
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(DrawnAlike(turned, Drawn(played))) << "in the match";
    GameObject* template_ = nullptr;
    for (GameObject* prefab : match->objectManager->prefabs)
        if (prefab->g_name == "Flag2RingB") template_ = prefab;
    ASSERT_NE(template_, nullptr) << "the match loaded no prefab Flag2RingB";
    EXPECT_PRED_FORMAT2(SameObject, template_->parent, nullptr);
    EXPECT_TRUE(DrawnAlike(turned, Drawn(template_))) << "the prefab in the match";
}

// One row per panel: the menu entry that adds (or switches on) the kind,
// a field typed into, and the value read back from the component.
struct PanelCase {
    // The wall logic plays its owner's sprite while the editor runs: the
    // kinds without fields go on an object of their own.  (The block bomb
    // saves a countdown that runs in the editor: no row.)
    const char* object;
    const char* menu;
    const char* panel;
    const char* field;  // "" for a panel without fields
    const char* typed;
    std::function<float(GameObject*)> read;
    float expected;
};

template <class T>
T* Get(GameObject* o) {
    return o->GetTyped<T>();
}

const std::vector<PanelCase>& PanelCases() {
    static const std::vector<PanelCase> cases = {
        {"Crate", "Sprite", "SpriteComponent", "DEPTH", "7",
         [](GameObject* o) { return static_cast<float>(Get<VXSpriteComponent>(o)->layer); }, 7},
        {"Crate", "RigidBody", "RigidBody", "mass", "2.5",
         [](GameObject* o) { return Get<VXRigidBody>(o)->mass; }, 2.5f},
        {"Crate", "RigidBody", "RigidBody", "Velocity", "3",
         [](GameObject* o) { return Get<VXRigidBody>(o)->Velocity.x; }, 3},
        {"Crate", "AABB", "AABB", "width", "33",
         [](GameObject* o) { return Get<VXAABB>(o)->halfWidth; }, 33},
        {"Marker", "OOBB", "OOBBCollider", "", "",
         [](GameObject* o) { return o->HasComponent(CT_OBB) ? 1.0f : 0.0f; }, 1},
        {"Crate", "CircleCollider", "CircleCollider", "width", "12",
         [](GameObject* o) { return Get<VXCircleCollider>(o)->radius; }, 12},
        {"Crate", "PlayerLogic", "Player Logic", "Light Attacks duration", "0.25",
         [](GameObject* o) { return Get<VXPlayerLogic>(o)->lightAttackDuration; }, 0.25f},
        {"Crate", "ParticleEmmiter", "ParticleEmitter", "Lifetime", "4",
         [](GameObject* o) { return Get<VXParticleEmitter>(o)->lifetime; }, 4},
        {"Marker", "WallObjectLogicCom", "WallObjectLogicCom", "", "",
         [](GameObject* o) { return o->HasComponent(CT_WallLogic) ? 1.0f : 0.0f; }, 1},
        {"Crate", "SpawnPointComLogic", "SpawnPointComLogic", "Spawn Timer", "9",
         [](GameObject* o) { return Get<VXSpPointComponent>(o)->restTimer; }, 9},
        {"Marker", "VXFlagCom", "FlagComponentLogic", "", "",
         [](GameObject* o) { return o->HasComponent(CT_Flag) ? 1.0f : 0.0f; }, 1},
    };
    return cases;
}

TEST_F(PanelFixture, EveryPanelsValueSurvivesSaveLoadAndSaveByteForByte) {
    EnterWithLayout();
    // New objects take every kind through the menu.
    for (const char* name : {"Crate", "Marker"}) {
        ClickItem("CREATE");
        ClickItem("CREATE/CREATE NEW OBJECT");
        ClickItem("CREATE/Name");
        TypeOver(name);
        ClickItem("CREATE/CREATE");
    }
    for (const PanelCase& c : PanelCases()) {
        SCOPED_TRACE(c.menu);
        Select(c.object);
        ClickItem("INSPECTOR/ADD COMPONENT");
        ClickItem(std::string("select/") + c.menu);
        ClickItem(std::string("PANEL/") + c.panel);  // open
        if (*c.field) Type(std::string(c.panel) + "/" + c.field, c.typed);
        ClickItem(std::string("PANEL/") + c.panel);  // closed again
    }
    // REMOVE, then the menu again: the old values come back.
    Select("Crate");
    ClickItem("PANEL/RigidBody");
    ClickItem("RigidBody/REMOVE COMPONENT");
    GameObject* target = Editor()->m_objects->FindObject("Crate");
    EXPECT_FALSE(target->GetComponent(CT_RigidBody)->active);
    ClickItem("INSPECTOR/ADD COMPONENT");
    ClickItem("select/RigidBody");
    EXPECT_TRUE(target->GetComponent(CT_RigidBody)->active);
    EXPECT_EQ(target->GetTyped<VXRigidBody>()->mass, 2.5f);
    EXPECT_NE(VXDebugConsole::Text().find("EXISTING RigidBody!\n"), std::string::npos);

    const auto texts = SaveReloadSave();
    EXPECT_PRED_FORMAT2(SameText, texts.first, texts.second);
    for (const PanelCase& c : PanelCases()) {
        SCOPED_TRACE(c.menu);
        GameObject* loaded = Editor()->m_objects->FindObject(c.object);
        ASSERT_NE(loaded, nullptr);
        EXPECT_FLOAT_EQ(c.read(loaded), c.expected);
    }
}

TEST_F(PanelFixture, RemovedComponentIsLeftOutOfTheSave) {
    EnterWithLayout();
    Select("Archer");
    ClickItem("PANEL/Player Logic");
    ClickItem("Player Logic/REMOVE COMPONENT");
    SaveWithCtrlS();
    rapidjson::Document doc = Saved();
    EXPECT_FALSE(doc[0].HasMember("VXPlayerLogic"));
    EXPECT_TRUE(doc[0].HasMember("VXRigidBody"));
}

TEST_F(PanelFixture, TileSetSaveIsReadBackByTheTileMapReader) {
    EnterWithLayout();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    ASSERT_FALSE(graphics->tileSetNames.empty());
    const VXInstanceSet* set = graphics->FindInstanceSet(graphics->tileSetNames[0]);
    ASSERT_TRUE(set && set->_count > 0);
    ASSERT_FALSE(Editor()->m_tiles->objectLists[0].empty());
    g_selectionKind = SelectTilesets;
    g_selectedTileSet = 0;
    g_libraryIndex = 0;
    g_selectionChanged = 1;
    StepFrames(2);
    ClickItem("INSPECTOR/SAVE TILES");
    ClickItem("Save Tiles?/YES");
    EXPECT_NE(VXDebugConsole::Text().find("TILESET SAVED!\n"), std::string::npos);

    float lo[2] = {set->m_data1[0][0], set->m_data1[0][1]}, hi[2] = {lo[0], lo[1]};
    for (const auto& p : set->m_data1)
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    VXTilemapRegistry registry;
    ASSERT_TRUE(LoadTilemapFile(Data("objects/Level_0.json"), registry));
    const VXTilemapData& map = registry.at("Level_0");
    EXPECT_EQ(map.col, static_cast<int>(hi[0] - lo[0]) / 100 + 1);
    EXPECT_EQ(map.row, static_cast<int>(hi[1] - lo[1]) / 100 + 1);
    EXPECT_EQ(map._count, set->_count);
    EXPECT_EQ(map.m_data1.size(), static_cast<size_t>(set->_count));
    // The four maps share one floor sheet: it is written once, as set 0.
    ASSERT_EQ(graphics->tileSetNames.size(), 4u);
    for (const char* other :
         {"objects/Level_1.json", "objects/Level_2.json", "objects/Level_3.json"})
        EXPECT_FALSE(std::filesystem::exists(Data(other))) << other;
}

TEST_F(PanelFixture, ImageAndSheetImportsAppendTheirLinesAndLoadAtOnce) {
    AnsweringPicker picker;
    SetFilePicker(&picker);
    EnterWithLayout();
    const std::string list = Data("objects/texturelist.txt");
    std::string expected = ReadText(list);
    tree->WriteData("img/newtile.png", ReadText(Data("img/default.png")));
    tree->WriteData("img/newsheet.png", ReadText(Data("img/default.png")));

    picker.answer = Data("img/newtile.png");
    ClickItem("Resource/LOAD NEW ASSETS");
    ClickItem("Resource/SINGLE IMAGE");
    StepFrames(2);
    EXPECT_EQ(picker.last.root, Data("img/"));
    ASSERT_EQ(expected.back(), '\n');
    expected += "newtile.png\n1\n1\n";
    EXPECT_EQ(ReadText(list), expected);

    // A list left without its last line end (by hand) gets one before the
    // entry.
    expected.pop_back();
    tree->WriteData("objects/texturelist.txt", expected);
    picker.answer = Data("img/newsheet.png");
    ClickItem("Resource/LOAD NEW ASSETS");
    ClickItem("Resource/SPRITESHEETS");
    StepFrames(2);
    Type("Sheet/ROWS", "2");
    Type("Sheet/COLUMNS", "4");
    ClickItem("Sheet/CONFIRM");
    StepFrames(2);
    expected += "\nnewsheet.png\n4\n2\n";
    EXPECT_EQ(ReadText(list), expected);

    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXTextureRecord* sheet = graphics->FindTexture("newsheet.png");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->columns, 4u);
    EXPECT_EQ(sheet->rows, 2u);
    EXPECT_NE(graphics->FindTexture("newtile.png"), nullptr);
    EXPECT_EQ(graphics->textureImageNames.back(), "newsheet.png");

    // A name with a blank would become two words of the list.
    tree->WriteData("img/two words.png", ReadText(Data("img/default.png")));
    picker.answer = Data("img/two words.png");
    ClickItem("Resource/LOAD NEW ASSETS");
    ClickItem("Resource/SINGLE IMAGE");
    StepFrames(2);
    EXPECT_EQ(ReadText(list), expected);
}

// Every window has its own close box: closing one leaves the others and
// CREATE usable; LAYOUT > DEFAULT brings every window back.
TEST_F(PanelFixture, CloseBoxClosesItsOwnWindowAndTheLayoutReopensIt) {
    EnterWithLayout();
    ClickCloseBox(VXDebugConsole::WindowTitle());
    for (int w = 0; w < WindowCount; ++w) EXPECT_EQ(g_windowOpen[w], w != WindowConsole) << w;
    const ImGuiWindow* console = ImGui::FindWindowByName(VXDebugConsole::WindowTitle().c_str());
    ASSERT_NE(console, nullptr);
    EXPECT_FALSE(console->Active);

    ClickItem("CREATE");
    ClickItem("CREATE/CREATE NEW OBJECT");
    ASSERT_EQ(g_createObjectOpen, 1);
    StepFrames(1);
    ClickCloseBox("CREATE");
    EXPECT_EQ(g_createObjectOpen, 0);
    EXPECT_TRUE(g_windowOpen[WindowLibrary]);

    ClickItem("LAYOUT");
    ClickItem("LAYOUT/DEFAULT");
    StepFrames(1);
    for (int w = 0; w < WindowCount; ++w) EXPECT_TRUE(g_windowOpen[w]) << w;
    EXPECT_TRUE(console->Active);
}

// LIBRARY highlights the entry chosen last, whatever its index: entry 40
// does not light entry 8, and a restart highlights the entry it selects.
TEST_F(PanelFixture, LibraryHighlightsEntriesPastThirtyOne) {
    EnterWithLayout();
    ASSERT_GT(Editor()->m_objects->objects.size(), 41u);
    // The left end of LIBRARY's row `i`, where a highlight fills the row.
    auto rowColour = [&](const TestHarness::FrameImage& image, int i) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        EXPECT_TRUE(FindEditorItem("LIBRARY/" + std::to_string(i), x0, y0, x1, y1));
        return image.At(static_cast<int>(x0) + 2, static_cast<int>((y0 + y1) / 2));
    };
    for (const int32_t chosen : {8, 40}) {
        SCOPED_TRACE(chosen);
        g_selectionKind = SelectObjects;
        g_libraryIndex = chosen - 1;
        StepFrames(1);
        TapKey(SDL_SCANCODE_DOWN);
        ASSERT_EQ(g_libraryIndex, chosen);
        const TestHarness::FrameImage image = CaptureFrame();
        const int distance = TestHarness::ColourDistance(rowColour(image, 8), rowColour(image, 7));
        if (chosen == 8)
            EXPECT_GT(distance, 40);
        else
            EXPECT_LT(distance, 10);
        EXPECT_EQ(LibraryEntryHighlighted(8), chosen == 8);
    }
    Restart();
    EXPECT_EQ(g_libraryIndex, 0);
    EXPECT_TRUE(LibraryEntryHighlighted(0));
    EXPECT_FALSE(LibraryEntryHighlighted(40));
}

// With no "imgui.ini" the first start lays the windows out; a later start
// keeps the places saved in it.  A smaller window draws the level at the
// same pixels.
TEST_F(PanelFixture, FirstStartLaysTheWindowsOutAndLaterStartsKeepThem) {
    TestHarness::DrawRecorder recorder;
    ASSERT_FALSE(std::filesystem::exists("imgui.ini"));
    EnterEditor();
    const ImGuiWindow* library = ImGui::FindWindowByName("LIBRARY");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->Pos.x, 0.0f);
    EXPECT_EQ(library->Pos.y, 66.0f);
    const ImGuiWindow* inspector = ImGui::FindWindowByName("INSPECTOR");
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(inspector->Pos.x, static_cast<float>(windowWidth) * 0.8f);

    ImGui::SetWindowPos("LIBRARY", ImVec2(300, 300));
    StepFrames(1);
    Restart();
    StepFrames(1);
    library = ImGui::FindWindowByName("LIBRARY");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->Pos.x, 300.0f);
    EXPECT_EQ(library->Pos.y, 300.0f);

    // The editor draws in window pixels: in a smaller window each object is
    // drawn as large as before, as far from the window's centre.
    const auto before = TestHarness::DrawnBoxes(*Editor()->m_objects);
    engine->SetWindowed(1366, 768);
    StepFrames(1);
    const auto after = TestHarness::DrawnBoxes(*Editor()->m_objects);
    ASSERT_FALSE(before.empty());
    for (const auto& [name, box] : before) {
        ASSERT_TRUE(after.count(name)) << name << " is not drawn in 1366 x 768";
        const TestHarness::ScreenBox& now = after.at(name);
        // Larger, and farther from the centre (960, 540, then 683, 384).
        const float off[4] = {now.width - box.width, now.height - box.height,
                              now.CentreX() - box.CentreX() + 277,
                              now.CentreY() - box.CentreY() + 156};
        EXPECT_TRUE(std::all_of(off, off + 4, [](float d) { return std::fabs(d) < 0.5f; }))
            << name << " is drawn " << now << " in 1366 x 768, " << box << " in 1920 x 1080";
    }
}

}  // namespace
}  // namespace EditorTest
