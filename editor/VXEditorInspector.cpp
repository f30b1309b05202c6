// INSPECTOR: the name, the save, prefab and delete actions, grid snapping,
// the transform, the component panels, the children and the parent of the
// selected object, or of the selected tile of the tile set being edited.
#include "editor/VXEditorInspector.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/DataRoot.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "editor/VXLevelEditor.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"

namespace FrameWork {

namespace {

const std::string kTilesPrefix = DataPath("objects/Level_");
const char* const kTypeTip = "CTRL + LCLICK to type values!";
const char* const kArithmeticTip =
    "CTRL + LCLICK to type values! \nYou can apply arithmetic operators! (+ - * /)";

// One inspector's own settings; the object and the tile inspector each
// have a set.
struct InspectorSettings {
    int typeChoice = 0;
    bool snap = false;
    int gridAmount = 25;
    bool keepProportions = false;
};
InspectorSettings g_objectSettings;
InspectorSettings g_tileSettings;

void Tip(const char* text) {
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", text);
}

void Gap() {
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
}

// A modal with a prompt and YES / NO; returns 1, -1 or 0 as EditorYesNo and
// closes itself on an answer.
int Modal(const char* title, const std::string& prompt) {
    if (!ImGui::BeginPopupModal(title)) return 0;
    ImGui::TextUnformatted(prompt.c_str());
    const int answer = EditorYesNo(title);
    if (answer != 0) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return answer;
}

bool ProbedButton(const char* label, const std::string& probe, ImVec2 size = ImVec2(0, 0)) {
    const bool pressed = ImGui::Button(label, size);
    NoteEditorItem(probe);
    return pressed;
}

// Steps 8 to 13: handle, snapping, position, rotation, scale.
void DrawTransform(GameObject* target, InspectorSettings& s, bool withLock) {
    ImGui::Combo("Handle", &s.typeChoice, g_objectTypeNameItems.data(),
                 static_cast<int>(g_objectTypeNameItems.size()), 7);
    ImGui::Checkbox("Snap to grid", &s.snap);
    target->snapToGrid = s.snap ? 1 : 0;
    if (withLock) {
        ImGui::SameLine();
        bool locked = EditorFlags(target).locked != 0;
        if (ImGui::Checkbox("LOCK", &locked)) EditorFlags(target).locked = locked ? 1 : 0;
    }
    if (s.snap) {
        ImGui::InputInt("Amount", &s.gridAmount, 5, 100);
        Tip("CTRL + LCLICK to type values! \nMin 1, Max 50");
        s.gridAmount = std::clamp(s.gridAmount, 1, 50);
        target->gridSize = s.gridAmount;
    }
    ImGui::InputFloat("PositionX", &target->position[0], 50.0f, 0.0f, "%.2f");
    NoteEditorItem("INSPECTOR/PositionX");
    Tip(kArithmeticTip);
    ImGui::InputFloat("PositionY", &target->position[1], 50.0f, 0.0f, "%.2f");
    Tip(kArithmeticTip);
    if (g_editorMode) {
        const char* labels[3] = {"RotationX", "RotationY", "RotationZ"};
        for (int k = 0; k < 3; ++k) {
            ImGui::InputFloat(labels[k], &target->rotation[k], 10.0f, 10.0f, "%.2f");
            Tip(kTypeTip);
        }
    } else {
        ImGui::InputFloat("Rotation", &target->rotation[2], 10.0f, 10.0f, "%.2f");
        NoteEditorItem("INSPECTOR/Rotation");
        Tip(kTypeTip);
    }
    ImGui::Checkbox("Keep scale proportions", &s.keepProportions);
    if (s.keepProportions) target->scale[1] = target->scale[0];
    ImGui::SliderFloat("ScaleX", &target->scale[0], 0.1f, 500.0f, "%.1f");
    NoteEditorItem("INSPECTOR/ScaleX");
    Tip(kArithmeticTip);
    ImGui::SliderFloat("ScaleY", &target->scale[1], 0.1f, 500.0f, "%.1f");
    Tip(kArithmeticTip);
}

// Steps 1 to 5; false when nothing is selected (the window is then ended).
bool BeginInspector(GameObject* target, bool showName) {
    if (!g_windowOpen[WindowInspector]) return false;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::Begin("INSPECTOR", &g_windowOpen[WindowInspector]);
    if (ImGui::IsWindowHovered() && !g_selectionChanged)
        ImGui::SetTooltip("Select an object first!");
    if (!g_selectionChanged || !target) {
        ImGui::End();
        ImGui::PopStyleVar();
        return false;
    }
    ImGui::PushItemWidth(200);
    ImGui::LabelText("", "%s", (target->g_name + "'s PROPERTIES").c_str());
    if (showName) {
        ImGui::InputText("##name", &target->g_name);
        NoteEditorItem("INSPECTOR/name");
    }
    return true;
}

void EndInspector() {
    ImGui::End();
    ImGui::PopStyleVar();
}

// Why `parent` cannot take `target`, or null when it can.
const char* ParentRefusal(const GameObject* target, const GameObject* parent) {
    for (const GameObject* up = parent; up; up = up->parent)
        if (up == target) return "PARENT REFUSED! IT IS A CHILD OF THIS OBJECT!\n";
    // A parent drawn flat could not show the child as it is drawn now.
    PlaneTransform undo;
    if (!parent->DrawnTransform().Inverse(undo)) return "PARENT REFUSED! ITS SCALE IS 0!\n";
    return nullptr;
}

// Whether `object` is among its own parents (links no refusal prevented).
bool InACycle(const GameObject* object, size_t listSize) {
    const GameObject* up = object->parent;
    for (size_t steps = 0; up && steps <= listSize; ++steps, up = up->parent)
        if (up == object) return true;
    return false;
}

// Moves every child listed before its parent to just after it, so that a
// save lists parents first and loads back with every link.
void KeepParentsFirst(std::vector<GameObject*>& list) {
    for (bool moved = true; moved;) {
        moved = false;
        for (size_t i = 0; i < list.size() && !moved; ++i) {
            GameObject* child = list[i];
            auto parent = std::find(list.begin() + static_cast<std::ptrdiff_t>(i), list.end(),
                                    child ? child->parent : nullptr);
            if (!child || !child->parent || parent == list.end() || InACycle(child, list.size()))
                continue;
            std::rotate(list.begin() + static_cast<std::ptrdiff_t>(i),
                        list.begin() + static_cast<std::ptrdiff_t>(i) + 1, parent + 1);
            moved = true;
        }
    }
}

void SetParent(GameObject* target, GameObject* parent, std::vector<GameObject*>& list) {
    if (const char* why = ParentRefusal(target, parent)) {
        VXDebugConsole::Log(why);
        return;
    }
    if (target->parent == parent) return;
    parent->AdoptWhereDrawn(target);
    KeepParentsFirst(list);
    const auto at = std::find(list.begin(), list.end(), target);
    g_libraryIndex = static_cast<int32_t>(at - list.begin());
    HighlightLibraryEntry(g_libraryIndex);
}

void DrawParentPopup(GameObject* target, std::vector<GameObject*>& objects) {
    if (!ImGui::BeginPopup("Parent")) return;
    ImGui::Text("Parents");
    ImGui::Separator();
    for (size_t i = 0; i < objects.size(); ++i) {
        GameObject* candidate = objects[i];
        // The cursor object and deleted objects are never saved: they take
        // no children.
        if (!candidate || !candidate->m_active || candidate->g_name == target->g_name ||
            candidate->g_name == "mouse")
            continue;
        ImGui::PushID(static_cast<int>(i));
        ImGui::Selectable(candidate->g_name.c_str());
        NoteEditorItem("Parent/" + candidate->g_name);
        const bool clicked = ImGui::IsItemHovered() && ImGui::IsMouseClicked(0);
        ImGui::PopID();
        if (clicked) {
            SetParent(target, candidate, objects);
            ImGui::CloseCurrentPopup();
            break;
        }
    }
    ImGui::EndPopup();
}

void DrawChildren(GameObject* target) {
    if (target->children.empty()) return;
    Gap();
    ImGui::LabelText("", "%s", (target->g_name + "'s Children").c_str());
    Gap();
    const std::vector<GameObject*> children = target->children;
    for (GameObject* child : children) {
        const bool open = ImGui::TreeNode(child, "%s", child->g_name.c_str());
        NoteEditorItem("Children/" + child->g_name);
        if (!open) continue;
        const bool disown = ProbedButton("DISOWN!", "DISOWN/" + child->g_name);
        ImGui::TreePop();
        // Only while this object is still the parent shown: a second press
        // would apply the world transform once more.  A child of a child is
        // disowned as a child of a root is.
        if (disown && child->parent == target) {
            target->Disown(child);
            if (child->parent != target) VXDebugConsole::Log("DISOWNED\n");
        }
    }
}

void SavePrefabAndLog(GameObject* target, const std::string& shown, bool selectedEntry,
                      VXObjectManager* objects) {
    VXDebugConsole::Log(shown);
    if (!IsValidAssetName(target->g_name)) {
        VXDebugConsole::Log(" prefab NOT SAVED! USE LETTERS, DIGITS, _ - AND . ONLY\n");
        return;
    }
    bool saved = false;
    if (selectedEntry && objects) {
        selectedObjectIndex = g_libraryIndex;
        saved = objects->SaveSelectedAsPrefab();
    } else {
        saved = SavePrefab(target);
    }
    VXDebugConsole::Log(saved ? " prefab SAVED!\n" : " prefab SAVE FAILED!\n");
}

void DeleteTarget(GameObject* target) {
    // Its children stay where they are drawn, as roots: neither the save nor
    // the match may hang them on an object that is no longer there.
    target->StandAlone();
    target->SetActive(0);
    g_selectionChanged = 0;
    if (g_selectedObject == target) g_selectedObject = nullptr;
    VXDebugConsole::Log("OBJECT DELETED!\n");
}

// The three modals both inspectors share.
void DrawActionModals(GameObject* target, const std::string& prefabName, bool objectInspector,
                      VXObjectManager* objects) {
    const std::string prefabPrompt = "You are about to save the changes \nmade to the " +
                                     prefabName + " prefab. \nAre you sure ? ";
    const int prefab = Modal("Save Prefab?", prefabPrompt);
    if (prefab == 1) SavePrefabAndLog(target, prefabName, objectInspector, objects);
    if (prefab == -1) {
        VXDebugConsole::Log(prefabName);
        VXDebugConsole::Log(" prefab NOT SAVED!\n");
    }
    const int erase = Modal("DELETE?", "You are about to DELETE this object. \nAre you sure?");
    if (erase == 1) DeleteTarget(target);
    if (erase == -1) VXDebugConsole::Log("OBJECT NOT DELETED!\n");
}

// Steps 6 to 13 after SAVE: SAVE AS PREFAB, DELETE, their modals, the
// transform and the components' heading.
void DrawActionsAndTransform(GameObject* target, InspectorSettings& settings, bool objectInspector,
                             const std::string& prefabName, VXObjectManager* objects) {
    ImGui::SameLine();
    if (ProbedButton("SAVE AS PREFAB", "INSPECTOR/SAVE AS PREFAB"))
        ImGui::OpenPopup("Save Prefab?");
    ImGui::SameLine();
    if (ProbedButton("DELETE", "INSPECTOR/DELETE")) ImGui::OpenPopup("DELETE?");
    DrawActionModals(target, prefabName, objectInspector, objects);
    Gap();
    DrawTransform(target, settings, objectInspector);
    ImGui::Separator();
    ImGui::LabelText("", "%s", (target->g_name + "'s COMPONENTS").c_str());
    ImGui::Separator();
    ImGui::PopItemWidth();
}

bool SaveTileSets(VXShapeInstancer* tiles) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    bool saved = true;
    for (size_t i = 0; i < graphics->tileSetNames.size(); ++i) {
        const int set = static_cast<int>(i);
        VXLevelEditor::MeasureTileSet(set, tiles->cellWidth, tiles->cellHeight);
        // The maps may share one floor sheet: a set named twice is written
        // once, under its first number.
        const auto first = graphics->tileSetNames.begin();
        if (std::find(first, first + set, graphics->tileSetNames[i]) != first + set) continue;
        saved = tiles->Save(0, g_tileSetRows[i], g_tileSetColumns[i], set, kTilesPrefix) && saved;
    }
    if (saved) NoteTilesSaved();
    return saved;
}

}  // namespace

void VXLevelEditor::MeasureTileSet(int set, int cellWidth, int cellHeight) {
    if (set < 0) return;
    // Each set from its own tiles; a set without tiles measures 1 x 1.
    VXEditorPoint lo, hi;
    if (RefreshTileSetBounds(set)) {
        lo = g_tileSetMin[static_cast<size_t>(set)];
        hi = g_tileSetMax[static_cast<size_t>(set)];
    }
    const int columns = static_cast<int>(hi.x - lo.x) / std::max(1, cellWidth) + 1;
    const int rows = static_cast<int>(hi.y - lo.y) / std::max(1, cellHeight) + 1;
    auto store = [set](std::vector<int32_t>& list, int value) {
        const size_t index = static_cast<size_t>(set);
        if (index < list.size()) {
            list[index] = value;
            return;
        }
        list.resize(index + 1, 1);
        list[index] = value;
        std::printf("%d\n", value);
    };
    store(g_tileSetColumns, columns);
    store(g_tileSetRows, rows);
}

namespace VXEditorInspector {

GameObject* ObjectTarget(VXObjectManager* objects) {
    if (!objects || g_libraryIndex < 0 ||
        static_cast<size_t>(g_libraryIndex) >= objects->objects.size())
        return nullptr;
    return objects->objects[static_cast<size_t>(g_libraryIndex)];
}

GameObject* TileTarget(VXShapeInstancer* tiles) {
    if (!tiles || !TileSetIndexValid(g_selectedTileSet, tiles->objectLists.size())) return nullptr;
    const auto& list = tiles->objectLists[static_cast<size_t>(g_selectedTileSet)];
    if (g_libraryIndex < 0 || static_cast<size_t>(g_libraryIndex) >= list.size()) return nullptr;
    return list[static_cast<size_t>(g_libraryIndex)];
}

void DrawObjectInspector(VXLevelEditor& editor, VXObjectManager** objects) {
    VXObjectManager* list = *objects;
    GameObject* target = ObjectTarget(list);
    if (!BeginInspector(target, true)) return;

    if (ProbedButton("SAVE", "INSPECTOR/SAVE")) RequestSaveAll();
    DrawActionsAndTransform(target, g_objectSettings, true, target->g_name, list);

    DrawSpriteComponent(editor, target);
    DrawRigidBody(target);
    DrawAABB(target);
    DrawOOBB(target);
    DrawCircleCollider(target);
    DrawPlayerLogic(target);
    DrawParticleEmitter(target);
    DrawGameManager(target);
    DrawWallLogic(target);
    DrawSpawnPoint(target);
    DrawBlockLogic(target);
    DrawFlagLogic(target);
    DrawChildren(target);

    if (ProbedButton("ADD COMPONENT", "INSPECTOR/ADD COMPONENT", ImVec2(120, 20)))
        ImGui::OpenPopup("select");
    editor.AddComponentMenu(objects);
    if (ProbedButton("ADD PARENT", "INSPECTOR/ADD PARENT", ImVec2(120, 20)))
        ImGui::OpenPopup("Parent");
    DrawParentPopup(target, list->objects);
    EndInspector();
}

void DrawTileInspector(VXLevelEditor& editor, VXObjectManager** objects, VXShapeInstancer** tiles) {
    VXShapeInstancer* grid = *tiles;
    GameObject* target = TileTarget(grid);
    const bool hasSets = !VXGraphicsManager::Instance()->tileSetNames.empty();
    if (!BeginInspector(target, hasSets)) return;

    ImGui::PushStyleColor(ImGuiCol_Button, ImVec4(0, 0, 0, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, ImVec4(0.5f, 0, 0.5f, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, ImVec4(0.5f, 0, 0.5f, 1));
    if (ProbedButton("SAVE", "INSPECTOR/SAVE TILES")) ImGui::OpenPopup("Save Tiles?");
    ImGui::PopStyleColor(3);
    const int save =
        Modal("Save Tiles?", "You are about to save the current tileset. \nAre you sure?");
    if (save == 1)
        VXDebugConsole::Log(SaveTileSets(grid) ? "TILESET SAVED!\n" : "TILESET SAVE FAILED!\n");
    if (save == -1) VXDebugConsole::Log("TILESET NOT SAVED!\n");
    DrawActionsAndTransform(target, g_tileSettings, false, target->GetTypeName(), *objects);

    DrawSpriteComponent(editor, target);
    DrawRigidBody(target);
    DrawAABB(target);
    DrawCircleCollider(target);
    if (ProbedButton("ADD COMPONENT", "INSPECTOR/ADD COMPONENT")) ImGui::OpenPopup("select");
    editor.AddComponentMenuTiles(objects, tiles);
    EndInspector();
}

}  // namespace VXEditorInspector
}  // namespace FrameWork
