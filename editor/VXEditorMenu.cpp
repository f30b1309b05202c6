// The editor's menu bar and file operations: the MENU window, saving the
// objects with or without a new file name, loading an object file or a tile
// set through the file picker, the layout reset, and the CREATE windows.
#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/DataRoot.h"
#include "core/VXFrameContext.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "editor/VXFilePicker.h"
#include "editor/VXLevelEditor.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "objects/VXObjectLoader.h"
#include "platform/Platform.h"

namespace FrameWork {

namespace {

const std::string kObjectsFolder = DataPath("objects/");
const std::string kSavePath = DataPath("objects/savefile.json");
const char* const kLoadObject = "LOAD OBJECT";
const char* const kLoadLevel = "LOAD LEVEL";
const char* const kSaveQuestion =
    "You are about to save ALL \nthe changes made to the objects. \nAre you sure?";
const char* const kDiscard = "Discard changes?";
const char* const kDiscardQuestion =
    "You are about to DISCARD ALL \nthe changes made since the last save. \nAre you sure?";

// The modals are opened at the top of the window stack, whichever button
// asked for them, so that one "Save?" answers every caller.
bool g_saveRequested = false;
bool g_saveAsRequested = false;

std::string g_saveAsName = "new_Level";
std::string g_newObjectName;
int g_newObjectType = 0;
float g_newObjectPosition[2] = {0.0f, 0.0f};
float g_newObjectRotation[3] = {0.0f, 0.0f, 0.0f};
float g_newObjectScale[2] = {0.0f, 0.0f};

// Why the object file at `path` cannot be opened as a level ("" when it
// can), judged by the game's own object-file reader, which the restart
// loads the file with: unreadable, not JSON, no list, or a list from which
// no game object can be read (numbers, tile records).
std::string ObjectFileProblem(const std::string& path) {
    VXObjectLoader loader;
    if (!loader.Load(path)) {
        switch (loader.failure) {
            case VXObjectLoader::NotJson:
                return "IS NOT VALID JSON (" + loader.failureDetail + ")";
            case VXObjectLoader::NotArray:
                return "HOLDS NO LIST OF OBJECTS";
            default:
                return "CANNOT BE READ";
        }
    }
    for (const GameObjectData& record : loader.records)
        if (record.marked) return "";
    return "HOLDS NO GAME OBJECTS";
}

// Unsaved work: the scene's save text and the tile sets' tiles as they
// were loaded or last saved.  A start takes its snapshot a few frames in,
// once the colliders have followed their objects.
std::string g_savedScene;
std::vector<float> g_savedTiles;
int g_snapshotFrames = 0;
constexpr int kSnapshotDelay = 2;

// What waits for the answer to "Discard changes?".
using Leave = VXLevelEditor::Leave;
Leave g_pendingLeave = Leave::None;
std::string g_pendingPath;
bool g_discardRequested = false;
// The window close was confirmed: the close request it sent goes through.
bool g_closeConfirmed = false;

// Every tile of the editor's tile sets (each set once): position, size and
// sheet cell.
std::vector<float> TilesSnapshot() {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    std::vector<float> tiles;
    std::vector<std::string> seen;
    for (const std::string& name : graphics->tileSetNames) {
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        seen.push_back(name);
        const VXInstanceSet* set = graphics->FindInstanceSet(name);
        if (!set) continue;
        tiles.push_back(static_cast<float>(set->m_data1.size()));
        for (const Vec4f& tile : set->m_data1) tiles.insert(tiles.end(), tile.begin(), tile.end());
        for (int32_t cell : set->m_data3Index) tiles.push_back(static_cast<float>(cell));
    }
    return tiles;
}

void GoOn(Leave what, const std::string& path) {
    switch (what) {
        case Leave::Quit:
            FrameContext().nextState = -2;
            break;
        case Leave::Load:
            g_levelPath = path;
            g_loadChosenLevel = true;
            FrameContext().nextState = 6;
            break;
        case Leave::Close:
            // The close request goes round again, past the guard.
            g_closeConfirmed = true;
            Platform::InjectQuit();
            break;
        case Leave::None:
            break;
    }
}

bool ColouredButton(const char* label, const std::string& probe) {
    ImGui::PushStyleColor(ImGuiCol_Button, ImVec4(0, 0, 0, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, ImVec4(0.5f, 0, 0.5f, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, ImVec4(0.5f, 0, 0.5f, 1));
    const bool pressed = ImGui::Button(label);
    NoteEditorItem(probe);
    ImGui::PopStyleColor(3);
    return pressed;
}

}  // namespace

void RequestSaveAll() {
    g_saveRequested = true;
}

int EditorYesNo(const std::string& modal) {
    int answer = 0;
    if (ImGui::Button("YES", ImVec2(120, 0))) answer = 1;
    NoteEditorItem(modal + "/YES");
    ImGui::SameLine();
    if (ImGui::Button("NO", ImVec2(120, 0))) answer = -1;
    NoteEditorItem(modal + "/NO");
    return answer;
}

bool SaveObjectsAndLog(VXObjectManager* objects, const std::string& path) {
    const bool saved = objects && objects->SaveObjects(path);
    // Only the cursor may bear its name: another "mouse" is left out.
    if (objects)
        for (const GameObject* object : objects->objects)
            if (object->g_name == "mouse" && object != objects->objects.back() && object->m_active)
                VXDebugConsole::Log("OBJECT mouse NOT SAVED! RENAME IT\n");
    if (saved) NoteSceneSaved(objects);
    if (saved)
        VXDebugConsole::Log("ALL OBJECTS SAVED!\n");
    else
        VXDebugConsole::Log("SAVE FAILED! " + path + " NOT WRITTEN!\n");
    return saved;
}

void NoteSceneSaved(const VXObjectManager* objects) {
    g_savedScene = objects ? ObjectsToText(objects->objects) : std::string();
}

void NoteTilesSaved() {
    g_savedTiles = TilesSnapshot();
}

void VXLevelEditor::StartUnsavedWatch() {
    g_snapshotFrames = kSnapshotDelay;
    g_pendingLeave = Leave::None;
    g_discardRequested = false;
    g_closeConfirmed = false;
    // A window close (not a terminate signal) waits for the answer.
    Platform::SetCloseGuard([this] {
        if (g_closeConfirmed || !HasUnsavedWork()) return false;
        LeaveAsking(Leave::Close, "");
        return true;
    });
}

void VXLevelEditor::StopUnsavedWatch() {
    Platform::SetCloseGuard(nullptr);
}

bool VXLevelEditor::HasUnsavedWork() const {
    if (g_snapshotFrames > 0) return false;
    return (m_objects && ObjectsToText(m_objects->objects) != g_savedScene) ||
           TilesSnapshot() != g_savedTiles;
}

void VXLevelEditor::LeaveAsking(Leave what, const std::string& path) {
    if (!HasUnsavedWork()) {
        GoOn(what, path);
        return;
    }
    g_pendingLeave = what;
    g_pendingPath = path;
    g_discardRequested = true;
}

void VXLevelEditor::DiscardChanges() {
    if (g_snapshotFrames > 0 && --g_snapshotFrames == 0) {
        NoteSceneSaved(m_objects);
        NoteTilesSaved();
    }
    if (g_discardRequested) {
        ImGui::OpenPopup(kDiscard);
        g_discardRequested = false;
    }
    if (!ImGui::BeginPopupModal(kDiscard)) return;
    ImGui::TextUnformatted(kDiscardQuestion);
    const int answer = EditorYesNo(kDiscard);
    if (answer == 1) {
        VXDebugConsole::Log("CHANGES DISCARDED!\n");
        GoOn(g_pendingLeave, g_pendingPath);
    }
    if (answer == -1) VXDebugConsole::Log("CHANGES KEPT!\n");
    if (answer != 0) {
        g_pendingLeave = Leave::None;
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

void VXLevelEditor::DrawMenuBar(VXObjectManager** objects) {
    ImGui::PushStyleColor(ImGuiCol_MenuBarBg, ImVec4(0, 0, 0, 0));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(windowWidth), 0));
    // The menu has no title bar, so no close box: it is always there.
    ImGui::Begin("MENU", nullptr,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_MenuBar |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);
    if (ImGui::BeginMenuBar()) {
        if (ImGui::BeginMenu("VXEditor", false)) ImGui::EndMenu();
        const bool menuOpen = ImGui::BeginMenu("MENU");
        NoteEditorItem("MENU");
        if (menuOpen) {
            MainMenuBar(objects, &m_tiles);
            ImGui::EndMenu();
        }
        const bool createOpen = ImGui::BeginMenu("CREATE");
        NoteEditorItem("CREATE");
        if (createOpen) {
            if (ImGui::MenuItem("CREATE NEW OBJECT")) g_createObjectOpen = 1;
            NoteEditorItem("CREATE/CREATE NEW OBJECT");
            if (ImGui::MenuItem("CREATE NEW TILESET")) g_createTilesOpen = 1;
            ImGui::EndMenu();
        }
        const bool layoutOpen = ImGui::BeginMenu("LAYOUT");
        NoteEditorItem("LAYOUT");
        if (layoutOpen) {
            ImGui::MenuItem("DEFAULT", "F12");
            NoteEditorItem("LAYOUT/DEFAULT");
            // Acts on the press, before the menu closes.
            if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(0)) ResetWindowLayout();
            ImGui::EndMenu();
        }
        ImGui::EndMenuBar();
    }
    DrawToolsPanel();
    ImGui::End();
    ImGui::PopStyleVar();
    ImGui::PopStyleColor();
}

void VXLevelEditor::MainMenuBar(VXObjectManager**, VXShapeInstancer**) {
    const std::vector<std::string> json = {".json"};
    if (ImGui::MenuItem(kLoadObject)) {
        FilePicker().Open({kLoadObject, json, kObjectsFolder});
        return;
    }
    NoteEditorItem("MENU/LOAD OBJECT");
    if (ImGui::MenuItem(kLoadLevel)) {
        FilePicker().Open({kLoadLevel, json, kObjectsFolder});
        return;
    }
    NoteEditorItem("MENU/LOAD LEVEL");
    ImGui::Separator();
    ImGui::LabelText("", "OBJECT");
    if (ColouredButton("SAVE", "MENU/SAVE")) g_saveRequested = true;
    if (ColouredButton("SAVE AS", "MENU/SAVE AS")) g_saveAsRequested = true;
    ImGui::Separator();
    ImGui::LabelText("", "LEVEL");
    if (ColouredButton("SAVE##level", "MENU/LEVEL SAVE")) g_saveRequested = true;
    ImGui::Separator();
    if (ImGui::MenuItem("QUIT")) LeaveAsking(Leave::Quit, "");
    NoteEditorItem("MENU/QUIT");
}

void VXLevelEditor::HandlePickedFile(const VXFileAnswer& answer) {
    if (HandleAssetAnswer(answer)) return;
    if (answer.kind != VXFileAnswer::Chosen) return;
    if (answer.purpose == kLoadObject) {
        // A file that cannot be read is refused before the restart, which
        // would otherwise leave an empty scene to be saved over the level.
        const std::string problem = ObjectFileProblem(answer.path);
        if (!problem.empty()) {
            std::printf(" -> LOAD OBJECT refused: %s %s\n", answer.path.c_str(), problem.c_str());
            VXDebugConsole::Log("NOT LOADED! " + FileNameOfPath(answer.path) + " " + problem +
                                "\n");
            return;
        }
        LeaveAsking(Leave::Load, answer.path);
    } else if (answer.purpose == kLoadLevel) {
        // The tile sets of the editor's own grid, which LIBRARY and the
        // INSPECTOR show.
        const size_t count = m_tiles ? m_tiles->objectLists.size() : 0;
        if (count == 0 || VXGraphicsManager::Instance()->tileSetNames.empty()) {
            VXDebugConsole::Log("There are no Tilesets loaded!\n");
            return;
        }
        g_selectionKind = SelectTilesets;
        g_currentTool = ToolPaint;
        g_selectedTileSet = static_cast<int32_t>(count) - 1;
        HighlightLibraryEntry(g_selectedTileSet);
        // The tile list starts again at its first tile.
        g_libraryIndex = 0;
        // The editor paints its own floor; the file chosen is not read.
        VXDebugConsole::Log("TILESET " + std::to_string(g_selectedTileSet) +
                            " SELECTED FOR PAINTING! (" + FileNameOfPath(answer.path) +
                            " NOT READ)\n");
    }
}

void VXLevelEditor::SaveAll(VXObjectManager** objects) {
    if (g_saveRequested) {
        ImGui::OpenPopup("Save?");
        g_saveRequested = false;
    }
    if (!ImGui::BeginPopupModal("Save?")) return;
    ImGui::TextUnformatted(kSaveQuestion);
    const int answer = EditorYesNo("Save?");
    if (answer == 1) SaveObjectsAndLog(*objects, kSavePath);
    if (answer == -1) VXDebugConsole::Log("OBJECTS NOT SAVED!\n");
    if (answer != 0) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

void VXLevelEditor::SaveAs(VXObjectManager** objects) {
    if (g_saveAsRequested) {
        ImGui::OpenPopup("Save As?");
        g_saveAsRequested = false;
    }
    if (!ImGui::BeginPopupModal("Save As?")) return;
    ImGui::InputText("NEW File name", &g_saveAsName);
    NoteEditorItem("Save As?/NEW File name");
    ImGui::TextUnformatted(kSaveQuestion);
    const int answer = EditorYesNo("Save As?");
    if (answer == 1) {
        // The name is a file name in the objects folder, never a path.
        if (IsValidFileName(g_saveAsName)) {
            const std::string path = kObjectsFolder + g_saveAsName + ".json";
            std::printf("%s\n", path.c_str());
            SaveObjectsAndLog(*objects, path);
        } else if (!g_saveAsName.empty() &&
                   g_saveAsName.find_first_not_of('.') == std::string::npos) {
            VXDebugConsole::Log("NOT SAVED! A NAME OF DOTS ONLY IS NO FILE NAME\n");
        } else {
            VXDebugConsole::Log("NOT SAVED! USE LETTERS, DIGITS, SPACE, _ - AND . ONLY\n");
        }
    }
    if (answer == -1) VXDebugConsole::Log("OBJECTS NOT SAVED!\n");
    if (answer != 0) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

void VXLevelEditor::ResetWindowLayout() {
    VXDebugConsole::Log("Window positions resetted!\n");
    OpenEveryWindow();
    const float W = static_cast<float>(windowWidth);
    const float H = static_cast<float>(windowHeight);
    ImGui::SetWindowPos("LIBRARY", ImVec2(0, 66));
    ImGui::SetWindowSize("LIBRARY", ImVec2(200, 430));
    const char* console = VXDebugConsole::WindowTitle().c_str();
    ImGui::SetWindowPos(console, ImVec2(0, H - 240));
    ImGui::SetWindowSize(console, ImVec2(400, H / 100 * 20));
    ImGui::SetWindowPos("Resource Library", ImVec2(400, H - 240));
    ImGui::SetWindowSize("Resource Library", ImVec2(680, H / 100 * 20));
    ImGui::SetWindowPos("INSPECTOR", ImVec2(W - W / 100 * 20, 66));
    ImGui::SetWindowSize("INSPECTOR", ImVec2(W / 100 * 20, H / 100 * 70));
    // Under LIBRARY, down to the console.
    ImGui::SetWindowPos("INSTANCES LOADED", ImVec2(0, 496));
    ImGui::SetWindowSize("INSTANCES LOADED", ImVec2(200, std::max(100.0f, H - 240 - 496)));
}

void VXLevelEditor::CreateObjectDialog(VXObjectManager** objects) {
    bool open = true;
    ImGui::Begin("CREATE", &open, ImGuiWindowFlags_AlwaysAutoResize);
    if (!open) g_createObjectOpen = 0;
    ImGui::InputText("Name", &g_newObjectName);
    NoteEditorItem("CREATE/Name");
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
    ImGui::LabelText("", "%s", GameObject::TypeToString(g_newObjectType).c_str());
    ImGui::InputInt("Handle", &g_newObjectType, 1, 100);
    ImGui::InputFloat2("Position", g_newObjectPosition, "%.2f");
    ImGui::InputFloat("Rotation", &g_newObjectRotation[2], 1.0f, 10.0f, "%.2f");
    ImGui::InputFloat("ScaleX", &g_newObjectScale[0], 0.0f, 0.0f, "%.2f");
    ImGui::InputFloat("ScaleY", &g_newObjectScale[1], 0.0f, 0.0f, "%.2f");
    const bool create = ImGui::Button("CREATE");
    NoteEditorItem("CREATE/CREATE");
    ImGui::SameLine();
    const bool cancel = ImGui::Button("CANCEL");
    ImGui::End();
    VXObjectManager* list = *objects;
    if (create && g_newObjectName == "mouse") {
        // The editor's cursor object: never listed nor saved.
        VXDebugConsole::Log("NOT CREATED! mouse IS THE CURSOR'S NAME\n");
    } else if (create && list) {
        list->CreateGameObject(g_newObjectScale[0], g_newObjectScale[1], g_newObjectType, true,
                               g_newObjectPosition[0], g_newObjectPosition[1], g_newObjectName,
                               g_newObjectRotation[0], g_newObjectRotation[1],
                               g_newObjectRotation[2]);
        // The cursor object stays last.
        std::vector<GameObject*>& all = list->objects;
        for (GameObject*& object : all)
            if (object->g_name == "mouse") {
                std::swap(object, all.back());
                break;
            }
        VXDebugConsole::Log(g_newObjectName);
        VXDebugConsole::Log(" CREATED!\n");
        g_createObjectOpen = 0;
    } else if (cancel) {
        VXDebugConsole::Log("OBJECT NOT CREATED!\n");
        g_createObjectOpen = 0;
    }
}

void VXLevelEditor::CreateTilesDialog() {
    bool open = true;
    ImGui::Begin("CREATE TILES", &open, ImGuiWindowFlags_AlwaysAutoResize);
    if (!open) g_createTilesOpen = 0;
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
    if (ImGui::Button("CREATE")) {
        g_selectionKind = SelectTilesets;
        g_currentTool = ToolPaint;
        g_createTilesOpen = 0;
    }
    ImGui::SameLine();
    if (ImGui::Button("CANCEL")) {
        VXDebugConsole::Log("OBJECT NOT CREATED!\n");
        g_createTilesOpen = 0;
    }
    ImGui::End();
}

}  // namespace FrameWork
