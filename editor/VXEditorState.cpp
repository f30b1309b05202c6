#include "editor/VXEditorState.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "core/DataRoot.h"
#include "objects/GameObject.h"

namespace FrameWork {

const char* const g_toolNames[ToolCount] = {"DEFAULT", "TRANSLATE",  "ROTATE", "SCALE",
                                            "PAINT",   "PAINT OVER", "ERASE"};

int32_t g_selectionKind = SelectObjects;
GameObject* g_selectedObject = nullptr;
int32_t g_libraryIndex = 0;
int32_t g_libraryItemCount = 0;
uint8_t g_selectionChanged = 0;
int32_t g_currentTool = ToolDefault;
int32_t g_brushSize = 1;
VXEditorPoint g_mouseWorld;
VXEditorPoint g_dragOffset;
uint8_t g_editorMode = 0;
bool g_windowOpen[WindowCount] = {true, true, true, true, true};
uint8_t g_createObjectOpen = 0;
uint8_t g_createTilesOpen = 0;
std::string g_levelPath = DataPath("objects/savefile.json");
bool g_loadChosenLevel = false;

std::vector<std::string> g_componentNames;
std::vector<std::string> g_objectTypeNames;
std::vector<std::string> g_consoleTabs;
std::vector<std::string> g_resourceTabs;
std::vector<const char*> g_componentNameItems;
std::vector<const char*> g_objectTypeNameItems;

std::vector<VXEditorPoint> g_tileSetMin;
std::vector<VXEditorPoint> g_tileSetMax;
std::vector<int32_t> g_tileSetRows;
std::vector<int32_t> g_tileSetColumns;

VXShapeInstancer* g_editorTiles = nullptr;
GLuint g_lineBuffer = 0;

int32_t g_currentAnimation = 0;

std::vector<VXAudioEntry> g_audioEntries;
std::vector<std::string> g_audioNames;

namespace {
std::map<const GameObject*, VXEditorObjectFlags> g_objectFlags;
}

VXEditorObjectFlags& EditorFlags(const GameObject* object) {
    return g_objectFlags[object];
}

void ClearEditorFlags() {
    g_objectFlags.clear();
}

void BuildEditorNameLists() {
    g_componentNames = {"Sprite",         "RigidBody",          "AABB",
                        "OOBB",           "CircleCollider",     "Text",
                        "Audio",          "PlayerLogic",        "ParticleEmmiter",
                        "GameManager",    "WallObjectLogicCom", "SpawnPointComLogic",
                        "VXBlockBombCom", "VXFlagCom"};
    g_objectTypeNames = {"BaseGameObject",
                         "Empty",
                         "MainPlayer",
                         "Enemy",
                         "Tiles",
                         "Bullet",
                         "Pirate",
                         "Viking",
                         "Knight",
                         "UI",
                         "AudioObject",
                         "Menu",
                         "GameManagerObject",
                         "SpawnPointObject",
                         "WallCollider"};
    g_consoleTabs = {"CONSOLE", "FPS"};
    g_resourceTabs = {"IMAGES", "AUDIO "};
    g_componentNameItems.clear();
    for (const std::string& name : g_componentNames) g_componentNameItems.push_back(name.c_str());
    g_objectTypeNameItems.clear();
    for (const std::string& name : g_objectTypeNames) g_objectTypeNameItems.push_back(name.c_str());
}

VXEditorRect WorldRect(const GameObject* object) {
    VXEditorRect r;
    if (!object) return r;
    const PlaneTransform axes = object->DrawnTransform(false);
    r.x = PlaneToFloat(axes.x);
    r.y = PlaneToFloat(axes.y);
    const double kx = std::hypot(axes.xx, axes.yx), ky = std::hypot(axes.xy, axes.yy);
    if (kx > 0.0) r.ax = {static_cast<float>(axes.xx / kx), static_cast<float>(axes.yx / kx)};
    if (ky > 0.0) r.ay = {static_cast<float>(axes.xy / ky), static_cast<float>(axes.yy / ky)};
    r.w = PlaneToFloat(object->scale[0] * kx);
    r.h = PlaneToFloat(object->scale[1] * ky);
    return r;
}

void GrowWorldScale(GameObject* object, int axis, float delta) {
    const PlaneTransform axes = object->DrawnTransform(false);
    const double size = axis == 0 ? std::hypot(axes.xx, axes.yx) : std::hypot(axes.xy, axes.yy);
    if (size > 0.0) object->scale[axis] = PlaneToFloat(object->scale[axis] + delta / size);
}

bool IsValidFileName(const std::string& name) {
    // "." alone names the folder itself, and "x.json" of a name "." would
    // be a hidden file.
    if (name.find_first_not_of('.') == std::string::npos || name.find("..") != std::string::npos)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return std::isalnum(u) || c == ' ' || c == '_' || c == '-' || c == '.';
    });
}

bool IsValidAssetName(const std::string& name) {
    return IsValidFileName(name) && name.find(' ') == std::string::npos;
}

std::string FileNameOfPath(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

namespace {
// The LIBRARY entry highlighted last.
int32_t g_libraryHighlight = 0;
}  // namespace

void HighlightLibraryEntry(int32_t index) {
    g_libraryHighlight = index;
}

bool LibraryEntryHighlighted(int32_t index) {
    return index == g_libraryHighlight;
}

void OpenEveryWindow() {
    for (bool& open : g_windowOpen) open = true;
}

int32_t ClampBrushSize(int32_t size) {
    return std::clamp(size, 0, 50);
}

}  // namespace FrameWork
