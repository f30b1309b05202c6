// The level editor's process-wide state: what is selected, the current tool
// and brush, the cursor in the world, the open flags of the editor windows,
// the name lists of the combos, the tile-set bounds and the sound entries.
// The editor's windows and tools share it; it outlives every visit to the
// editor unless a step says otherwise.
#pragma once

#include <GL/glew.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/VXAudioManager.h"

namespace FrameWork {

class GameObject;
class VXShapeInstancer;

struct VXEditorPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The scene tools, in the order of their icons.
enum VXEditorTool : int32_t {
    ToolDefault = 0,
    ToolTranslate = 1,
    ToolRotate = 2,
    ToolScale = 3,
    ToolPaint = 4,
    ToolPaintOver = 5,
    ToolErase = 6,
    ToolCount = 7,
};
extern const char* const g_toolNames[ToolCount];

// What LIBRARY lists and what a click picks.
enum VXSelectionKind : int32_t { SelectObjects = 0, SelectPrefabs = 1, SelectTilesets = 2 };

extern int32_t g_selectionKind;
extern GameObject* g_selectedObject;
extern int32_t g_libraryIndex;
extern int32_t g_libraryItemCount;
extern uint8_t g_selectionChanged;
extern int32_t g_currentTool;
extern int32_t g_brushSize;
// The cursor in world units, y growing downwards (world y is its negation).
extern VXEditorPoint g_mouseWorld;
// The selected object's world position minus the cursor when it was picked.
extern VXEditorPoint g_dragOffset;
// 0 NORMAL, 1 DEBUG.
extern uint8_t g_editorMode;
// The editor windows with a close box, each with its own open flag; a
// closed window is not drawn until the layout is reset.
enum VXEditorWindow : int32_t {
    WindowConsole = 0,
    WindowResources = 1,
    WindowLibrary = 2,
    WindowInstances = 3,
    WindowInspector = 4,
    WindowCount = 5,
};
extern bool g_windowOpen[WindowCount];
// Opens every editor window again (the layout reset).
void OpenEveryWindow();
extern uint8_t g_createObjectOpen;
extern uint8_t g_createTilesOpen;
// The object file LOAD OBJECT chose; the editor's next start loads it while
// g_loadChosenLevel is set (the first start loads "savefile1.json").
extern std::string g_levelPath;
extern bool g_loadChosenLevel;

extern std::vector<std::string> g_componentNames;
extern std::vector<std::string> g_objectTypeNames;
extern std::vector<std::string> g_consoleTabs;
extern std::vector<std::string> g_resourceTabs;
// C strings over the two name lists, for ImGui combos.
extern std::vector<const char*> g_componentNameItems;
extern std::vector<const char*> g_objectTypeNameItems;

// Per tile set: its lowest and highest tile position, and its size in cells.
extern std::vector<VXEditorPoint> g_tileSetMin;
extern std::vector<VXEditorPoint> g_tileSetMax;
extern std::vector<int32_t> g_tileSetRows;
extern std::vector<int32_t> g_tileSetColumns;

// The editor's floor-tile grid, for the overlay.
extern VXShapeInstancer* g_editorTiles;
// The buffer of the overlay's lines.
extern GLuint g_lineBuffer;

// An object as it is drawn: its centre, its own x and y axes as drawn (unit
// vectors, turned with the object and its parents) and its width and height
// along them (negative when mirrored).  Its quad's corners lie half the
// width along `ax` and half the height along `ay` from the centre.
struct VXEditorRect {
    float x = 0.0f, y = 0.0f;  // the centre
    float w = 0.0f, h = 0.0f;  // the full width and height
    VXEditorPoint ax{1.0f, 0.0f}, ay{0.0f, 1.0f};
};
VXEditorRect WorldRect(const GameObject* object);
// Grows the object's drawn size along its own `axis` (0 x, 1 y) by world
// `delta`; parents that leave no size on that axis leave it as it is.
void GrowWorldScale(GameObject* object, int axis, float delta);

// The sounds the resource library plays by name.
struct VXAudioEntry {
    std::string name;
    SoundCue cue;
};
extern std::vector<VXAudioEntry> g_audioEntries;
extern std::vector<std::string> g_audioNames;

// The editor's own marks on a game object: selected (from a click on it to
// the release of the button) and locked (never updated nor dragged).
struct VXEditorObjectFlags {
    uint8_t selected = 0;
    uint8_t locked = 0;
};
VXEditorObjectFlags& EditorFlags(const GameObject* object);
// Forgets every mark (the objects are gone).
void ClearEditorFlags();

// Fills the name lists (each emptied first) and their C-string views.
void BuildEditorNameLists();

// The animation row the sprite panel edits; every library pick resets it.
extern int32_t g_currentAnimation;

// A name the user typed for a file of the data folder: letters, digits,
// space, "_", "-" and "." only, not empty, not dots only, and no "..".
bool IsValidFileName(const std::string& name);
// A name that becomes a file name and a word of a whitespace-separated
// asset list (prefabs, images, sounds): the same rule, without spaces.
bool IsValidAssetName(const std::string& name);
// The part of a path after its last separator, '/' or '\\' (the whole path
// when there is none).
std::string FileNameOfPath(const std::string& path);
// Makes `index` the highlighted LIBRARY entry.
void HighlightLibraryEntry(int32_t index);
// Whether the LIBRARY entry `index` is drawn highlighted.
bool LibraryEntryHighlighted(int32_t index);
// The brush size kept within 0 to 50.
int32_t ClampBrushSize(int32_t size);
// Whether the selected tile set `index` has an entry in a list of `size`
// entries indexed by tile set (the tile-set names, a grid's object lists,
// the tile-set bounds): each use checks its own list.
inline bool TileSetIndexValid(int32_t index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

}  // namespace FrameWork
