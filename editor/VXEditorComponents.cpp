// The INSPECTOR's component panels, one per kind, each editing its
// component in place and ending with REMOVE COMPONENT (which switches the
// component off), and the menus that add a component or switch a removed
// one on again.
#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/VXDebugConsole.h"
#include "editor/VXEditorInspector.h"
#include "editor/VXEditorState.h"
#include "editor/VXLevelEditor.h"
#include "gameplay/VXArenaComponents.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "physics/VXCircleCollider.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

namespace {

float g_spritesheetCellSize = 50.0f;
int g_spawnKindChoice = 0;
int g_emitterImageChoice = 0;
bool g_emitterChoiceSeeded = false;
const char* const kTypeTip = "CTRL + LCLICK to type values!";

void Tip(const char* text) {
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", text);
}

// The names of the loaded images, one per texture record, in table order:
// entry k of the combos is record k.
std::vector<const char*> ImageNames() {
    std::vector<const char*> names;
    for (const VXTextureRecord& record : VXGraphicsManager::Instance()->textures)
        names.push_back(record.name.c_str());
    return names;
}

int TextureIndex(const VXTextureRecord* texture) {
    const auto& table = VXGraphicsManager::Instance()->textures;
    for (size_t k = 0; k < table.size(); ++k)
        if (&table[k] == texture) return static_cast<int>(k);
    return 0;
}

// The shared frame of a panel: item width, the tree node shown only for an
// active component of the kind, the fields, REMOVE COMPONENT.  Panels that
// print write the owner's active flag before and after the removal.
template <class Body>
void Panel(GameObject* target, int type, const char* label, float width, bool prints, Body body) {
    ImGui::PushItemWidth(width);
    Component* component = target ? target->GetComponent(type) : nullptr;
    if (component && component->active) {
        const bool open = ImGui::TreeNode(label);
        NoteEditorItem(std::string("PANEL/") + label);
        if (open) {
            body(component);
            const bool remove = ImGui::Button("REMOVE COMPONENT");
            NoteEditorItem(std::string(label) + "/REMOVE COMPONENT");
            if (remove) {
                if (prints) std::printf("%d\n", target->m_active);
                component->active = 0;
                if (prints) std::printf("%d\n", target->m_active);
            }
            ImGui::TreePop();
        }
    }
    ImGui::PopItemWidth();
}

// A field noted for the tests as panel + "/" + label.
bool Float(const char* panel, const char* label, float* value, const char* format,
           float step = 0.0f) {
    const bool changed = ImGui::InputFloat(label, value, step, step, format);
    NoteEditorItem(std::string(panel) + "/" + label);
    return changed;
}
bool Float3(const char* panel, const char* label, float* value) {
    const bool changed = ImGui::InputFloat3(label, value, "%.2f");
    NoteEditorItem(std::string(panel) + "/" + label);
    return changed;
}
bool Int(const char* panel, const char* label, int* value) {
    const bool changed = ImGui::InputInt(label, value, 1, 100);
    NoteEditorItem(std::string(panel) + "/" + label);
    return changed;
}

void ClampCurrentAnimation(const VXSpriteComponent* sprite) {
    const int32_t rows = static_cast<int32_t>(sprite->cellRows.size());
    g_currentAnimation = std::clamp(g_currentAnimation, 0, std::max(0, rows - 1));
}

// Cell c in or out of the current row, in both row lists.
void ToggleCell(VXSpriteComponent* sprite, int cell) {
    const size_t row = static_cast<size_t>(g_currentAnimation);
    if (row >= sprite->cellRows.size()) return;
    std::vector<int32_t>& cells = sprite->cellRows[row];
    auto it = std::find(cells.begin(), cells.end(), cell);
    if (it == cells.end()) {
        sprite->AddFrame(cell, g_currentAnimation);
        return;
    }
    cells.erase(it);
    auto& frames = sprite->animation.frameRows;
    if (row < frames.size()) {
        const VXFrameOffset* offset = &sprite->texture->frameOffsets[static_cast<size_t>(cell)];
        auto f = std::find(frames[row].begin(), frames[row].end(), offset);
        if (f != frames[row].end()) frames[row].erase(f);
    }
    sprite->animation.currentFrame = 0;
}

void DrawSpritesheet(VXLevelEditor& editor, VXSpriteComponent* sprite) {
    bool open = editor.m_spritesheetOpen != 0;
    ImGui::Begin("Spritesheet", &open);
    editor.m_spritesheetOpen = open ? 1 : 0;
    ImGui::Columns(2, "Spritesheet");
    ImGui::PushItemWidth(120);
    ImGui::SliderFloat("Size", &g_spritesheetCellSize, 1.0f, 100.0f, "%.0f");
    ImGui::PopItemWidth();
    ImGui::SameLine();
    const size_t row = static_cast<size_t>(g_currentAnimation);
    if (ImGui::Button("CLEAR")) {
        if (row < sprite->cellRows.size()) sprite->cellRows[row].clear();
        if (row < sprite->animation.frameRows.size()) sprite->animation.frameRows[row].clear();
        sprite->animation.currentFrame = 0;
    }
    VXTextureRecord* texture = sprite->texture;
    const int columns = texture ? static_cast<int>(texture->columns) : 0;
    const int rows = texture ? static_cast<int>(texture->rows) : 0;
    const int cells =
        texture ? std::min(columns * rows, static_cast<int>(texture->frameOffsets.size())) : 0;
    for (int c = 0; c < cells; ++c) {
        if (c % columns != 0) ImGui::SameLine();
        const VXFrameOffset& at = texture->frameOffsets[static_cast<size_t>(c)];
        const bool inRow = row < sprite->cellRows.size() &&
                           std::find(sprite->cellRows[row].begin(), sprite->cellRows[row].end(),
                                     c) != sprite->cellRows[row].end();
        // Every button shows the same texture: its id comes from PushID.
        ImGui::PushID(c);
        const bool pressed = ImGui::ImageButton(
            reinterpret_cast<ImTextureID>(static_cast<intptr_t>(texture->texture)),
            ImVec2(g_spritesheetCellSize, g_spritesheetCellSize), ImVec2(at.u, at.v),
            ImVec2(at.u + 1.0f / columns, at.v + 1.0f / rows), -1,
            inRow ? ImVec4(0.5f, 0, 0.5f, 0.5f) : ImVec4(0, 0, 0, 0), ImVec4(1, 1, 1, 1));
        NoteEditorItem("Spritesheet/" + std::to_string(c));
        ImGui::PopID();
        if (ImGui::IsItemHovered()) ImGui::SetTooltip("Frame: %d", c);
        if (pressed) ToggleCell(sprite, c);
    }
    ImGui::NextColumn();
    ImGui::LabelText("", "Details: ");
    if (texture) {
        ImGui::LabelText("", "%s", ("Image: " + texture->GetName()).c_str());
        ImGui::LabelText("", "Rows: %d , Columns: %d", rows, columns);
        ImGui::LabelText("", "Total frames: %d", columns * rows);
        ImGui::LabelText("", "CURRENT animation: %d", g_currentAnimation);
        const std::vector<int32_t>* current =
            row < sprite->cellRows.size() ? &sprite->cellRows[row] : nullptr;
        ImGui::LabelText("", "Number of frames: %d",
                         current ? static_cast<int>(current->size()) : 0);
        ImGui::PushItemWidth(200);
        float fps = static_cast<float>(sprite->animation.framesPerSecond);
        if (ImGui::SliderFloat("FPS", &fps, 1.0f, 60.0f, "%.0f"))
            sprite->SetFPS(static_cast<int>(fps));
        NoteEditorItem("Spritesheet/FPS");
        ImGui::PopItemWidth();
        if (current && !current->empty()) {
            int first = current->front(), last = current->back();
            ImGui::InputInt("Start Frame", &first, 0, 0, ImGuiInputTextFlags_ReadOnly);
            ImGui::InputInt("End Frame", &last, 0, 0, ImGuiInputTextFlags_ReadOnly);
        }
        ImGui::PushItemWidth(150);
        size_t total = 0;
        for (size_t k = 0; k <= row && k < sprite->cellRows.size(); ++k)
            total += sprite->cellRows[k].size();
        ImGui::LabelText("", "Current frame number: %d", static_cast<int>(total));
        ImGui::PopItemWidth();
        const int count = current ? static_cast<int>(current->size()) : 0;
        float frame = static_cast<float>(sprite->animation.currentFrame);
        if (ImGui::SliderFloat("Frame order", &frame, 0.0f,
                               static_cast<float>(std::max(0, count - 1)), "%.0f"))
            sprite->animation.currentFrame = static_cast<uint32_t>(std::max(0.0f, frame));
    }
    ImGui::Columns(1);
    ImGui::End();
}

void DrawAnimationRows(VXLevelEditor& editor, VXSpriteComponent* sprite) {
    const int rows = static_cast<int>(sprite->cellRows.size());
    for (int i = 0; i < rows; ++i) {
        const bool current = i == g_currentAnimation;
        const std::string label = "Animation " + std::to_string(i);
        const ImGuiTreeNodeFlags flags =
            current ? (ImGuiTreeNodeFlags_DefaultOpen | ImGuiTreeNodeFlags_Selected) : 0;
        if (!ImGui::TreeNodeEx(label.c_str(), flags)) continue;
        const bool set = ImGui::Button("SET");
        const bool edit = ImGui::Button("EDIT");
        const bool erase = ImGui::Button("DELETE");
        NoteEditorItem("Sprite/" + label + "/DELETE");
        ImGui::TreePop();
        if (edit) editor.m_spritesheetOpen = current ? !editor.m_spritesheetOpen : 1;
        if (set || edit) {
            g_currentAnimation = i;
            sprite->SetAnimation(i);
        }
        if (erase && sprite->rowCount > 0) {
            sprite->cellRows.erase(sprite->cellRows.begin() + i);
            auto& frames = sprite->animation.frameRows;
            if (static_cast<size_t>(i) < frames.size()) frames.erase(frames.begin() + i);
            g_currentAnimation = 0;
            sprite->animation.currentRow = frames.empty() ? -1 : 0;
            sprite->animation.currentRowIndex = 0;
            sprite->animation.currentFrame = 0;
            if (--sprite->rowCount <= 0) sprite->playing = false;
            return;
        }
    }
}

}  // namespace

namespace VXEditorInspector {

void DrawSpriteComponent(VXLevelEditor& editor, GameObject* target) {
    Panel(target, CT_Sprite, "SpriteComponent", 180, false, [&](Component* c) {
        auto* sprite = static_cast<VXSpriteComponent*>(c);
        ClampCurrentAnimation(sprite);
        std::vector<const char*> names = ImageNames();
        int choice = sprite->texture ? TextureIndex(sprite->texture) : 0;
        if (!names.empty() &&
            ImGui::Combo("##CI", &choice, names.data(), static_cast<int>(names.size()))) {
            sprite->playing = false;
            sprite->texture = &VXGraphicsManager::Instance()->textures[static_cast<size_t>(choice)];
        }
        NoteEditorItem("SpriteComponent/##CI");
        float* colour[4] = {&sprite->alpha, &sprite->red, &sprite->green, &sprite->blue};
        const char* labels[4] = {"Alpha", "R", "G", "B"};
        for (int k = 0; k < 4; ++k) {
            ImGui::SliderFloat(labels[k], colour[k], 0.0f, 1.0f, "%.1f");
            NoteEditorItem(std::string("SpriteComponent/") + labels[k]);
            Tip(kTypeTip);
        }
        Int("SpriteComponent", "DEPTH", &sprite->layer);
        Tip(kTypeTip);
        ImGui::Spacing();
        ImGui::Checkbox("Animate", &sprite->playing);
        NoteEditorItem("SpriteComponent/Animate");
        const bool added = ImGui::Button("NEW");
        NoteEditorItem("SpriteComponent/NEW");
        if (added) {
            sprite->AddAnimationRow();
            sprite->animation.ticksPerFrame = 60;
            sprite->animation.framesPerSecond = 1;
            sprite->AddFrame(0, g_currentAnimation);
            sprite->playing = true;
            g_currentAnimation = 0;
            ++sprite->rowCount;
        }
        if (!sprite->cellRows.empty() && editor.m_spritesheetOpen) DrawSpritesheet(editor, sprite);
        ImGui::TextColored(ImVec4(1, 1, 0, 1), "CURRENT animation: %d", g_currentAnimation);
        DrawAnimationRows(editor, sprite);
    });
}

void DrawRigidBody(GameObject* target) {
    Panel(target, CT_RigidBody, "RigidBody", 160, false, [](Component* c) {
        auto* body = static_cast<VXRigidBody*>(c);
        Float("RigidBody", "mass", &body->mass, "%.2f");
        Float("RigidBody", "damping", &body->damping, "%.2f");
        Float("RigidBody", "inversemass", &body->inversemass, "%.2f");
        Float3("RigidBody", "Acceleration", &body->Acceleration.x);
        Float3("RigidBody", "Velocity", &body->Velocity.x);
        Float3("RigidBody", "Position", &body->Position.x);
        Float3("RigidBody", "AccumForce", &body->AccumForce.x);
    });
}

void DrawAABB(GameObject* target) {
    Panel(target, CT_AABB, "AABB", 180, true, [](Component* c) {
        auto* box = static_cast<VXAABB*>(c);
        Float("AABB", "width", &box->halfWidth, "%.2f");
        Float("AABB", "height", &box->halfHeight, "%.2f");
        Float3("AABB", "Min", &box->Min.x);
        Float3("AABB", "Max", &box->Max.x);
    });
}

void DrawOOBB(GameObject* target) {
    Panel(target, CT_OBB, "OOBBCollider", 140, true, [](Component*) {});
}

void DrawCircleCollider(GameObject* target) {
    Panel(target, CT_CircleCollider, "CircleCollider", 180, false, [](Component* c) {
        auto* circle = static_cast<VXCircleCollider*>(c);
        Float3("CircleCollider", "centerpt", &circle->centerPt.x);
        Float("CircleCollider", "width", &circle->radius, "%.2f");
    });
}

void DrawPlayerLogic(GameObject* target) {
    Panel(target, CT_PlayerLogic, "Player Logic", 80, true, [](Component* c) {
        auto* logic = static_cast<VXPlayerLogic*>(c);
        Float("Player Logic", "Light Attacks duration", &logic->lightAttackDuration, "%f");
        Float("Player Logic", "Medium Attacks duration", &logic->mediumAttackDuration, "%f");
        Float("Player Logic", "Heavy Attacks duration", &logic->heavyAttackDuration, "%f");
        Float("Player Logic", "Delay duration", &logic->delayDuration, "%f");
    });
}

void DrawParticleEmitter(GameObject* target) {
    Panel(target, CT_ParticleEmitter, "ParticleEmitter", 180, false, [](Component* c) {
        auto* emitter = static_cast<VXParticleEmitter*>(c);
        if (ImGui::Button("PLAY")) emitter->Emit();
        std::vector<const char*> names = ImageNames();
        if (!g_emitterChoiceSeeded && emitter->instanceSet) {
            g_emitterChoiceSeeded = true;
            for (size_t k = 0; k < names.size(); ++k)
                if (emitter->instanceSet->GetName() == names[k])
                    g_emitterImageChoice = static_cast<int>(k);
        }
        g_emitterImageChoice =
            std::clamp(g_emitterImageChoice, 0, std::max(0, static_cast<int>(names.size()) - 1));
        if (!names.empty() && ImGui::Combo("##CI", &g_emitterImageChoice, names.data(),
                                           static_cast<int>(names.size()))) {
            VXInstanceSet* set = emitter->instanceSet;
            if (set) {
                const std::string name = names[static_cast<size_t>(g_emitterImageChoice)];
                emitter->LoadImage(name, set->_texRows, set->_texColumns);
                emitter->SetImageName(name);
            } else {
                VXDebugConsole::Log("THE EMITTER HAS NO INSTANCE SET!\n");
            }
        }
        NoteEditorItem("ParticleEmitter/##CI");
        if (Int("ParticleEmitter", "Max Number", &emitter->maxNumber))
            emitter->maxNumber =
                std::clamp(emitter->maxNumber, 0, VXParticleEmitter::kMaxParticles);
        Float("ParticleEmitter", "Lifetime", &emitter->lifetime, "%f");
        Int("ParticleEmitter", "Emit amount", &emitter->emitAmount);
        Float("ParticleEmitter", "Scale", &emitter->scale, "%f");
    });
}

void DrawGameManager(GameObject* target) {
    Panel(target, CT_GameManager, "GameManagerComponentTreeNode", 140, true, [](Component*) {});
}

void DrawWallLogic(GameObject* target) {
    Panel(target, CT_WallLogic, "WallObjectLogicCom", 140, true, [](Component*) {});
}

void DrawSpawnPoint(GameObject* target) {
    Panel(target, CT_SpawnPoint, "SpawnPointComLogic", 140, true, [](Component* c) {
        auto* point = static_cast<VXSpPointComponent*>(c);
        Float("SpawnPointComLogic", "Spawn Timer", &point->restTimer, "%f");
        static const char* const kKinds[] = {"PaintFuelSPBlue", "PaintFuelSPRed", "BulletSpawner"};
        if (ImGui::Combo("##spawn", &g_spawnKindChoice, kKinds, 3))
            point->savedInt = g_spawnKindChoice;
        NoteEditorItem("SpawnPointComLogic/##spawn");
    });
}

void DrawBlockLogic(GameObject* target) {
    Panel(target, CT_BlockBomb, "BlockObjectLogicCom", 140, true, [](Component*) {});
}

void DrawFlagLogic(GameObject* target) {
    Panel(target, CT_Flag, "FlagComponentLogic", 140, true, [](Component*) {});
}

}  // namespace VXEditorInspector

namespace {

struct MenuEntry {
    int type;  // 0: no component kind
    void (VXObjectManager::*add)(GameObject*);
    const char* logged;  // after "ADDED " or "EXISTING "
    bool onTiles;
};

// The entries of g_componentNames, in order.
const MenuEntry kMenu[] = {
    {CT_Sprite, &VXObjectManager::AddSpriteComponent, "Sprite", true},
    {CT_RigidBody, &VXObjectManager::AddRigidBodyComponent, "RigidBody", true},
    {CT_AABB, &VXObjectManager::AddAABBComponent, "AABB", true},
    {CT_OBB, &VXObjectManager::AddOBBComponent, "OOBB", false},
    {CT_CircleCollider, &VXObjectManager::AddCircleColliderComponent, "CircleCollider", true},
    {0, nullptr, nullptr, false},  // Text
    {0, nullptr, nullptr, false},  // Audio
    {CT_PlayerLogic, &VXObjectManager::AddPlayerLogicComponent, "PlayerLogic", false},
    {CT_ParticleEmitter, &VXObjectManager::AddParticleEmitterComponent, "ParticleEmitter", false},
    {CT_GameManager, &VXObjectManager::AddGameManagerComponent, "GameManager", false},
    {CT_WallLogic, &VXObjectManager::AddWallLogicComponent, "WallObjectLogicCom", false},
    {CT_SpawnPoint, &VXObjectManager::AddSpawnPointComponent, "SpawnPointComLogic", false},
    {CT_BlockBomb, &VXObjectManager::AddBlockBombComponent, "BlockObjectLogicCom", false},
    {CT_Flag, &VXObjectManager::AddFlagComponent, "FlagComponentLogic", false},
};
constexpr int kMenuSize = sizeof(kMenu) / sizeof(kMenu[0]);

// The popup "select"; the entry chosen this frame, or -1.
int MenuChoice() {
    int chosen = -1;
    if (!ImGui::BeginPopup("select")) return chosen;
    ImGui::Text("Components");
    ImGui::Separator();
    for (size_t k = 0; k < g_componentNameItems.size(); ++k) {
        if (ImGui::Selectable(g_componentNameItems[k])) chosen = static_cast<int>(k);
        NoteEditorItem(std::string("select/") + g_componentNameItems[k]);
    }
    ImGui::EndPopup();
    return chosen;
}

// Adds the entry's kind to `target`, or switches the one it has back on.
void AddOrSwitchOn(VXObjectManager* objects, GameObject* target, const MenuEntry& entry,
                   bool onTiles) {
    Component* existing = target->GetComponent(entry.type);
    VXDebugConsole::Log(std::string(existing ? "EXISTING " : "ADDED ") + entry.logged + "!\n");
    if (existing) {
        existing->active = 1;
        return;
    }
    (objects->*entry.add)(target);
    if (entry.type == CT_Sprite && !onTiles)
        if (auto* sprite = static_cast<VXSpriteComponent*>(target->GetComponent(CT_Sprite)))
            VXGraphicsManager::Instance()->AssignTexture(sprite, "default.png");
    if (entry.type == CT_ParticleEmitter)
        if (auto* emitter =
                static_cast<VXParticleEmitter*>(target->GetComponent(CT_ParticleEmitter))) {
            emitter->emitAmount = 5;
            emitter->maxNumber = 50;
            emitter->Init();
        }
}

}  // namespace

void VXLevelEditor::AddComponentMenu(VXObjectManager** objects) {
    const int k = MenuChoice();
    if (k < 0) return;
    VXObjectManager* list = *objects;
    GameObject* target = VXEditorInspector::ObjectTarget(list);
    if (k == 5) {
        VXDebugConsole::Log("Some VXFont bug...\n");
    } else if (k == 6) {
        VXDebugConsole::Log("There is no audio component?\n");
    } else if (k < kMenuSize && target) {
        AddOrSwitchOn(list, target, kMenu[k], false);
    } else {
        VXDebugConsole::Log("ERROR OCCURED SOMEWHERE!\n");
    }
}

void VXLevelEditor::AddComponentMenuTiles(VXObjectManager** objects, VXShapeInstancer** tiles) {
    const int k = MenuChoice();
    if (k < 0) return;
    GameObject* target = VXEditorInspector::TileTarget(*tiles);
    if (k == 5) {
        VXDebugConsole::Log("ERROR!\n");
    } else if (k < kMenuSize && kMenu[k].onTiles && target && *objects) {
        AddOrSwitchOn(*objects, target, kMenu[k], true);
    } else {
        VXDebugConsole::Log("ERROR\n");
    }
}

}  // namespace FrameWork
