// State 1: the level editor.  It loads one object file into an object list
// of its own, builds the floor-tile grid of "Level_1", moves a free camera
// with the mouse and draws its windows with Dear ImGui: the menu bar with the
// file operations, the scene tools, the console.
#pragma once

#include <string>

#include "engine/core/VXLevel_Base.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;
class VXShapeInstancer;
struct VXFileAnswer;

class VXLevelEditor : public VXLevel_Base {
public:
    using Tool = int;

    VXLevel_Base* Create() override { return nullptr; }
    void Initialize() override;
    void Update() override;
    void Free() override;

    // The cursor: the window rectangle, g_mouseWorld and the cursor object.
    void UpdateWindowRect();
    // Wheel zoom and right-button pan.
    void UpdateCamera();

    // Scene tools (VXEditorTools.cpp).
    void DrawToolsPanel();
    void HandleMouseTool(VXObjectManager** objects, VXShapeInstancer** tiles);
    void UpdateGizmo();
    // The overlay the frame draw ends with in the editor: the selection
    // rectangle, the handles and the frame of the tile set being painted.
    static void DrawOverlay();
    static void DrawToolGizmo(int tool);
    static void DrawLine(const float line[2][3], float r, float g, float b);

    // Menu bar and file operations (VXEditorMenu.cpp).
    void DrawMenuBar(VXObjectManager** objects);
    void MainMenuBar(VXObjectManager** objects, VXShapeInstancer** tiles);
    void SaveAll(VXObjectManager** objects);
    void SaveAs(VXObjectManager** objects);
    static void ResetWindowLayout();
    void CreateObjectDialog(VXObjectManager** objects);
    void CreateTilesDialog();
    // Acts on the file picker's answer to LOAD OBJECT or LOAD LEVEL.
    void HandlePickedFile(const VXFileAnswer& answer);

    VXObjectManager* m_objects = nullptr;
    GameObject* m_mouse = nullptr;
    VXShapeInstancer* m_tiles = nullptr;
    uint8_t m_spritesheetOpen = 1;

private:
    void HandleKeys();
    void DrawInstancesWindow();
    void UpdateObjects();
};

// Writes the active objects of `objects` (all but the cursor object
// "mouse") to `path` and logs the outcome: "ALL OBJECTS SAVED!\n", or the
// failure (the previous file stays whole).  Returns whether it was written.
bool SaveObjectsAndLog(VXObjectManager* objects, const std::string& path);

// Where a widget of the editor was drawn last (window pixels), by a key such
// as "Save?/YES"; false when it has not been drawn.  Tests aim the mouse
// with it.
bool FindEditorItem(const std::string& key, float& x0, float& y0, float& x1, float& y1);
// Notes the rectangle of the widget just drawn under `key`.
void NoteEditorItem(const std::string& key);

}  // namespace FrameWork
