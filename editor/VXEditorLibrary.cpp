// LIBRARY: the editor's objects (active, then inactive) or its tile sets
// and the tiles of the chosen set; a click, the arrow keys or the page
// buttons choose the entry the INSPECTOR shows.
#include <imgui.h>

#include <algorithm>
#include <string>

#include "core/VXFrameContext.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "editor/VXLevelEditor.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

int32_t g_pageJumpAmount = 15;
int32_t g_tileListFirst = 0;
int32_t g_tileListLast = 10;

// The tile objects of the selected set, or null.
std::vector<GameObject*>* SelectedTiles(VXShapeInstancer* tiles) {
    if (!tiles || !TileSetIndexValid(g_selectedTileSet, tiles->objectLists.size())) return nullptr;
    return &tiles->objectLists[static_cast<size_t>(g_selectedTileSet)];
}

void Select(int32_t index) {
    g_libraryIndex = index;
    HighlightLibraryEntry(index);
}

bool ClickedLeaf(const std::string& label, int32_t highlightIndex, const std::string& probe) {
    ImGuiTreeNodeFlags flags = ImGuiTreeNodeFlags_Leaf | ImGuiTreeNodeFlags_NoTreePushOnOpen;
    if (LibraryEntryHighlighted(highlightIndex)) flags |= ImGuiTreeNodeFlags_Selected;
    ImGui::TreeNodeEx(probe.c_str(), flags, "%s", label.c_str());
    NoteEditorItem(probe);
    return ImGui::IsItemHovered() && ImGui::IsMouseClicked(0);
}

void Gap() {
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
}

void ListObjects(const std::vector<GameObject*>& list, bool active) {
    for (size_t i = 0; i < list.size(); ++i) {
        const GameObject* object = list[i];
        if (!object || (object->m_active != 0) != active || object->g_name == "mouse") continue;
        const int32_t index = static_cast<int32_t>(i);
        if (ClickedLeaf(object->g_name, index, "LIBRARY/" + std::to_string(i))) {
            g_selectionChanged = 1;
            g_currentAnimation = 0;
            Select(index);
        }
    }
}

}  // namespace

void VXLevelEditor::DrawLibrary(VXObjectManager** objects) {
    if (!g_windowOpen[WindowLibrary]) return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::Begin("LIBRARY", &g_windowOpen[WindowLibrary]);
    VXObjectManager* list = *objects;
    std::vector<GameObject*>* tiles = SelectedTiles(m_tiles);
    if (g_selectionKind == SelectObjects && list && !list->objects.empty())
        g_libraryItemCount = static_cast<int32_t>(list->objects.size()) - 1;
    else if (g_selectionKind == SelectTilesets && tiles)
        g_libraryItemCount = static_cast<int32_t>(tiles->size());
    else
        g_libraryItemCount = 0;

    static const char* const kKinds[] = {"Objects", "Prefabs", "Tilesets"};
    const std::string count = std::to_string(g_libraryItemCount);
    if (ImGui::Combo(count.c_str(), &g_selectionKind, kKinds, 3)) {
        g_libraryIndex = 0;
        g_selectedObject = nullptr;
        g_selectionChanged = 0;
    }
    NoteEditorItem("LIBRARY/kind");
    const bool noSets = !m_tiles || m_tiles->objectLists.empty() ||
                        VXGraphicsManager::Instance()->tileSetNames.empty();
    if (g_selectionKind == SelectTilesets && noSets) {
        g_selectionKind = SelectObjects;
        VXDebugConsole::Log("There are no Tilesets loaded!\n");
    }
    Gap();

    if (g_selectionKind == SelectObjects && list) {
        ImGui::LabelText("", "Active:");
        ListObjects(list->objects, true);
        Gap();
        ImGui::LabelText("", "Inactive:");
        ListObjects(list->objects, false);
    } else if (g_selectionKind == SelectTilesets && m_tiles) {
        for (size_t s = 0; s < m_tiles->objectLists.size(); ++s) {
            const int32_t set = static_cast<int32_t>(s);
            if (ClickedLeaf("Tileset " + std::to_string(s), set,
                            "LIBRARY/Tileset " + std::to_string(s))) {
                g_selectionChanged = 1;
                g_selectedTileSet = set;
                HighlightLibraryEntry(set);
            }
        }
        Gap();
        if (g_libraryIndex > g_tileListFirst + 5)
            g_tileListFirst = g_libraryIndex;
        else
            g_tileListFirst = std::max(0, g_libraryIndex - 5);
        g_tileListLast = g_tileListFirst + 10;
        tiles = SelectedTiles(m_tiles);
        for (int32_t j = g_tileListFirst; tiles && j <= g_tileListLast; ++j) {
            if (j >= static_cast<int32_t>(tiles->size())) break;
            const GameObject* tile = (*tiles)[static_cast<size_t>(j)];
            if (!tile) continue;
            if (ClickedLeaf(tile->g_name, j, "LIBRARY/tile " + std::to_string(j))) {
                g_selectionChanged = 1;
                Select(j);
            }
        }
    }

    StepLibrarySelection();
    Gap();
    DrawScrollList();
    ImGui::End();
    ImGui::PopStyleVar();
}

void VXLevelEditor::StepLibrarySelection() {
    // The arrows move the caret of a field that has the keyboard.
    if (ImGuiTakesText()) return;
    if (IsKeyTriggered(Platform::VK::Up)) {
        if (g_libraryIndex > 0) --g_libraryIndex;
        g_selectionChanged = 1;
        HighlightLibraryEntry(g_libraryIndex);
    }
    if (IsKeyTriggered(Platform::VK::Down)) {
        if (g_libraryIndex < g_libraryItemCount) ++g_libraryIndex;
        HighlightLibraryEntry(g_libraryIndex);
        g_selectionChanged = 1;
    }
}

void VXLevelEditor::DrawScrollList() {
    if (g_libraryItemCount == 0) return;
    ImGui::PushItemWidth(200);
    ImGui::LabelText("", "Current selected: %d", g_libraryIndex);
    ImGui::PopItemWidth();
    ImGui::Spacing();
    ImGui::PushItemWidth(80);
    float amount = static_cast<float>(g_pageJumpAmount);
    if (ImGui::SliderFloat("##page", &amount, 1.0f, 50.0f, "%.0f"))
        g_pageJumpAmount = std::clamp(static_cast<int32_t>(amount), 1, 50);
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("PAGE JUMP AMOUNT \nCTRL + LCLICK to type values!");
    ImGui::PopItemWidth();

    ImGui::PushStyleColor(ImGuiCol_Button, ImVec4(0.3f, 0, 0.3f, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, ImVec4(0.5f, 0, 0.5f, 1));
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, ImVec4(0.5f, 0, 0.7f, 1));
    const std::string jump = std::to_string(g_pageJumpAmount);
    ImGui::SameLine();
    if (ImGui::Button("^", ImVec2(40, 20))) Select(g_libraryIndex - g_pageJumpAmount);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", ("PAGE UP " + jump).c_str());
    ImGui::SameLine();
    if (ImGui::Button("v", ImVec2(40, 20))) Select(g_libraryIndex + g_pageJumpAmount);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", ("PAGE DOWN " + jump).c_str());
    ImGui::Spacing();
    if (ImGui::Button("TOP", ImVec2(80, 20))) Select(0);
    NoteEditorItem("LIBRARY/TOP");
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("JUMP TO TOP");
    ImGui::SameLine();
    if (ImGui::Button("BOTTOM", ImVec2(90, 20))) Select(g_libraryItemCount);
    NoteEditorItem("LIBRARY/BOTTOM");
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("JUMP TO BOTTOM");
    ImGui::PopStyleColor(3);

    if (g_libraryIndex >= g_libraryItemCount)
        Select(g_libraryItemCount - 1);
    else if (g_libraryIndex < 0)
        Select(0);
}

}  // namespace FrameWork
