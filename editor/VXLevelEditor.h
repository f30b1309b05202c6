// State 1: the level editor.  It loads one object file into an object list
// of its own, builds the floor-tile grid of "Level_1", moves a free camera
// with the mouse and draws its windows with Dear ImGui: the menu bar with the
// file operations, the scene tools, the console.
#pragma once

#include <string>

#include "core/VXLevel_Base.h"

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
    // Ends the drags of the scene (a whole object, a handle, a brush stroke)
    // that are over: the button was let go or pressed anew, a popup opened,
    // the selection or the tool changed.  Runs every frame, whatever owns
    // the mouse.
    void EndFinishedDrags();
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
    // Acts on the file picker's answer to LOAD OBJECT, LOAD LEVEL or LOAD
    // NEW ASSETS.
    void HandlePickedFile(const VXFileAnswer& answer);

    // Unsaved work: QUIT, LOAD OBJECT and closing the window ask first
    // ("Discard changes?") while the scene or a tile set differs from what
    // was loaded or last saved.
    enum class Leave { None, Quit, Load, Close };
    void StartUnsavedWatch();
    void StopUnsavedWatch();
    bool HasUnsavedWork() const;
    // Goes on with `what` at once, or once "Discard changes?" is answered
    // YES when there is unsaved work.  `path`: the file LOAD OBJECT opens.
    void LeaveAsking(Leave what, const std::string& path);
    // Draws "Discard changes?" while it is open; once a frame.
    void DiscardChanges();

    // LIBRARY (VXEditorLibrary.cpp): the objects or tile sets to select.
    void DrawLibrary(VXObjectManager** objects);
    void StepLibrarySelection();
    void DrawScrollList();

    // The add-component menus of the two inspectors (VXEditorComponents.cpp).
    void AddComponentMenu(VXObjectManager** objects);
    void AddComponentMenuTiles(VXObjectManager** objects, VXShapeInstancer** tiles);

    // Tile set `set`'s size in cells, measured from its own tiles, into
    // g_tileSetColumns and g_tileSetRows.
    static void MeasureTileSet(int set, int cellWidth, int cellHeight);

    // Resource library (VXResourceLibrary.cpp): the loaded images, sheets
    // and sounds, and the import of new ones into the asset lists.
    void DrawResourceLibrary();
    // Asks the file picker for a ".png " or ".ogg " file; the answer is
    // taken by ImportAsset.
    void LoadNewAsset(const std::string& extension, int rows, int columns);
    // Takes the picker's answer to LOAD NEW ASSETS; false for any other.
    static bool HandleAssetAnswer(const VXFileAnswer& answer);
    // Appends `path`'s file name to the asset list of its kind and loads it.
    // Returns whether it was added.
    static bool ImportAsset(const std::string& path, bool image, int rows, int columns);

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
// The scene or the tile sets, as they are now, count as saved.
void NoteSceneSaved(const VXObjectManager* objects);
void NoteTilesSaved();

// The channel group "ChannelGP" of the resource library's PAUSE.
int EditorChannelGroup();
// Asks for the "Save?" modal of the menu (the inspector's SAVE).
void RequestSaveAll();
// A modal's YES / NO pair, each noted as modal + "/YES" or "/NO"; returns
// 1 for YES, -1 for NO, 0 for neither.
int EditorYesNo(const std::string& modal);
// Refreshes g_tileSetMin and g_tileSetMax of tile set `set` from the
// positions of its instances; false when it has none.
bool RefreshTileSetBounds(int set);

// ImGui takes the mouse: it is over an editor window, the menu bar or an
// open popup, or a widget is held.  Valid once the frame has begun.  The
// scene's mouse actions (picking, handles, brush, camera) wait while it is.
bool ImGuiOwnsMouse();
// A window of the editor (a popup and the menu bar included) lies under the
// cursor, whether or not a press began on it.  The brush paints only where
// none does, also while a stroke begun on the scene passes under one.
bool WindowUnderCursor();
// The left button was let go this frame.
bool LeftReleased();
// A drag of the mouse button `vk` begun on the scene may go on: the button
// is held and no popup is open (a popup takes the mouse until it closes).
bool SceneDragHeld(int vk);
// A text or number field has the keyboard: the editor's letter, digit and
// arrow keys are the field's then.
bool ImGuiTakesText();

// Where a widget of the editor was drawn last (window pixels), by a key such
// as "Save?/YES"; false when it has not been drawn.  Tests aim the mouse
// with it.
bool FindEditorItem(const std::string& key, float& x0, float& y0, float& x1, float& y1);
// Notes the rectangle of the widget just drawn under `key`.
void NoteEditorItem(const std::string& key);
// The editor frame in which the widget `key` was drawn last; -1 for never.
int EditorItemFrame(const std::string& key);

}  // namespace FrameWork
