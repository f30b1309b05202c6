#include "editor/VXLevelEditor.h"

#include <GL/glew.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstdio>
#include <map>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorInspector.h"
#include "editor/VXEditorState.h"
#include "editor/VXFilePicker.h"
#include "editor/VXImGuiBinding.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXDebugLine.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXShapeInstancer.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/GameObject.h"
#include "physics/VXPhysicsManager.h"
#include "physics/VXRigidBody.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

const std::string kFirstLevel = DataPath("objects/savefile1.json");
const std::string kAudioList = DataPath("objects/audiolist.txt");
const char* const kEditorTilemap = "Level_1";
constexpr size_t kTileSetBounds = 10;
constexpr float kZoomStep = 5.0f;
constexpr int kWheelTowardUser = 200;
constexpr int kWheelAwayFromUser = 201;

// The channel group of the resource library, made once per audio manager.
const VXAudioManager* g_channelGroupOwner = nullptr;
int g_channelGroup = -1;

// Right-button pan: the cursor where the drag began.
bool g_panning = false;
VXEditorPoint g_panAnchor;
// The default layout waits for the end of the first frame.
bool g_layoutPending = false;
// An ImGui item was hovered in the previous frame (Shift+Enter waits).
bool g_itemHoveredBefore = false;

struct ItemRect {
    float x0, y0, x1, y1;
    int frame;
};
std::map<std::string, ItemRect> g_itemRects;
// The editor's frames, counted across restarts (ImGui's count starts again).
int g_editorFrame = 0;

// The camera's pixel offset: its view translation less the screen centre.
void CameraPixelOffset(int& px, int& py) {
    const VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    px = Camera::ViewPixel(graphics->camera.camView[12]) - (graphics->camera.screenWidth >> 1);
    py = Camera::ViewPixel(graphics->camera.camView[13]) - (graphics->camera.screenHeight >> 1);
}

// The end of the frame draw in the editor: the overlay, then the ImGui frame
// that Update built.
void DrawEditorFrame() {
    VXLevelEditor::DrawOverlay();
    VXImGuiBinding::Render();
}

}  // namespace

bool ImGuiOwnsMouse() {
    return ImGui::GetCurrentContext() && ImGui::GetIO().WantCaptureMouse;
}

bool LeftReleased() {
    return !FrameContext().inputBlocked &&
           VXInputManager::Instance()->keys[Platform::VK::LButton] == 0xFF;
}

bool WindowUnderCursor() {
    if (!ImGui::GetCurrentContext()) return false;
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    // ImGui forgets the hovered window while a button pressed outside its
    // windows is held: look at the windows drawn last frame instead.
    for (const ImGuiWindow* window : g.Windows)
        if (window->WasActive && !window->Hidden && !(window->Flags & ImGuiWindowFlags_Tooltip) &&
            window->Rect().Contains(g.IO.MousePos))
            return true;
    return false;
}

bool ImGuiTakesText() {
    return ImGui::GetCurrentContext() && ImGui::GetIO().WantTextInput;
}

int EditorChannelGroup() {
    return g_channelGroup;
}

void NoteEditorItem(const std::string& key) {
    const ImVec2 a = ImGui::GetItemRectMin();
    const ImVec2 b = ImGui::GetItemRectMax();
    g_itemRects[key] = {a.x, a.y, b.x, b.y, g_editorFrame};
}

int EditorItemFrame(const std::string& key) {
    auto it = g_itemRects.find(key);
    return it == g_itemRects.end() ? -1 : it->second.frame;
}

bool FindEditorItem(const std::string& key, float& x0, float& y0, float& x1, float& y1) {
    auto it = g_itemRects.find(key);
    if (it == g_itemRects.end()) return false;
    x0 = it->second.x0;
    y0 = it->second.y0;
    x1 = it->second.x1;
    y1 = it->second.y1;
    return true;
}

void VXLevelEditor::Initialize() {
    std::printf(" -> VXEditor Initialized\n");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->cameraX = 0.0f;
    graphics->cameraY = 0.0f;
    graphics->zoom = 0.33333334f;
    if (g_tileSetMin.size() < kTileSetBounds) g_tileSetMin.resize(kTileSetBounds);
    if (g_tileSetMax.size() < kTileSetBounds) g_tileSetMax.resize(kTileSetBounds);
    BuildEditorNameLists();

    // The first visit opens the game's level; a restart after LOAD OBJECT
    // opens the file chosen there.
    delete m_objects;
    ClearEditorFlags();
    g_selectedObject = nullptr;
    m_objects = new VXObjectManager();
    const std::string level = g_loadChosenLevel ? g_levelPath : std::string(kFirstLevel);
    if (!m_objects->LoadObjects(level))
        VXDebugConsole::Log("NOT LOADED! " + FileNameOfPath(level) + " (see the output)\n");
    // What the reader left out of a file it read in part.
    for (const std::string& line : m_objects->loader.warnings) VXDebugConsole::Log(line + "\n");

    if (m_tiles) m_tiles->Clear();
    delete m_tiles;
    m_tiles = new VXShapeInstancer(kEditorTilemap, nullptr);
    m_objects->CopyWallList(m_tiles);
    m_tiles->Setup();
    g_editorTiles = m_tiles;

    if (HasGL()) {
        glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
        if (!g_lineBuffer) glGenBuffers(1, &g_lineBuffer);
    }
    VXPhysicsManager::Instance();

    // Sounds: the loading screen has loaded the list; only what is missing
    // is loaded here, so every sound keeps its index.
    VXAudioManager* audio = VXAudioManager::Instance();
    if (g_channelGroupOwner != audio) {
        g_channelGroup = audio->CreateChannelGroup("ChannelGP");
        g_channelGroupOwner = audio;
    }
    if (audio->names.empty()) audio->LoadTextList(kAudioList);
    for (size_t i = audio->sounds.size(); i < audio->names.size(); ++i)
        audio->LoadSound(static_cast<int>(i));
    g_audioEntries.clear();
    for (int i = 0; i < 2; ++i) {
        VXAudioEntry entry{i == 0 ? "sfx" : "sfx2", SoundCue(i)};
        entry.cue.volume = FrameContext().masterVolume;
        bool listed = false;
        for (const std::string& name : g_audioNames) listed = listed || name == entry.name;
        if (!listed) g_audioNames.push_back(entry.name);
        g_audioEntries.push_back(entry);
    }

    m_objects->CreateGameObject(50.0f, 50.0f, 999, true, 0.0f, 0.0f, "mouse", 0.0f, 0.0f, 0.0f);
    GameObject* cursor = m_objects->objects.back();
    m_objects->AddSpriteComponent(cursor);
    if (auto* sprite = static_cast<VXSpriteComponent*>(cursor->GetComponent(CT_Sprite))) {
        graphics->AssignTexture(sprite, "Cursor.png");
        sprite->playing = false;
        sprite->worldSpace = false;
    }
    // The object made here, even where the file holds one named "mouse".
    m_mouse = cursor;

    VXImGuiBinding::Init();
    // With no saved layout the windows would start piled up at the top
    // left: the default layout is applied once they exist.
    g_layoutPending = !VXImGuiBinding::HasSavedLayout();
    g_drawEditorOverlay = DrawEditorFrame;
    g_libraryIndex = 0;
    HighlightLibraryEntry(0);
    g_createObjectOpen = 0;
    g_createTilesOpen = 0;
    g_panning = false;
    if (m_mouse) m_mouse->SetActive(0);
    StartUnsavedWatch();
}

void VXLevelEditor::Update() {
    UpdateWindowRect();
    // ImGui's frame begins first, so that what it owns is known for this
    // frame's mouse (a press on a widget, a widget held, a popup open).
    VXImGuiBinding::NewFrame();
    ++g_editorFrame;
    // Whatever owns the mouse now, a drag let go or cut short ends here.
    EndFinishedDrags();
    if (!ImGuiOwnsMouse()) {
        HandleMouseTool(&m_objects, &m_tiles);
        UpdateGizmo();
    }
    UpdateCamera();

    DrawMenuBar(&m_objects);
    VXDebugConsole::Draw();
    DrawResourceLibrary();
    DrawLibrary(&m_objects);
    DrawInstancesWindow();
    if (g_selectionKind == SelectObjects)
        VXEditorInspector::DrawObjectInspector(*this, &m_objects);
    else
        VXEditorInspector::DrawTileInspector(*this, &m_objects, &m_tiles);
    if (g_createObjectOpen == 1) CreateObjectDialog(&m_objects);
    if (g_createTilesOpen == 1) CreateTilesDialog();

    HandleKeys();
    SaveAll(&m_objects);
    SaveAs(&m_objects);
    HandlePickedFile(FilePicker().Update());
    DiscardChanges();
    if (g_layoutPending) {
        g_layoutPending = false;
        ResetWindowLayout();
    }

    VXAudioManager* audio = VXAudioManager::Instance();
    for (size_t i = 0; i < audio->channels.size(); ++i)
        audio->SetVolume(static_cast<int>(i), audio->volume);

    UpdateObjects();
}

void VXLevelEditor::HandleKeys() {
    using namespace Platform;
    const bool itemBusy = ImGui::IsAnyItemActive() || ImGui::IsAnyItemHovered();
    if (IsKeyDown(VK::Shift) && IsKeyTriggered(VK::Return) && !itemBusy && !g_itemHoveredBefore) {
        if (fullScreen)
            SetWindowed(1600, 900);
        else
            MakeBorderlessFullscreen();
        ResetWindowLayout();
    }
    g_itemHoveredBefore = ImGui::IsAnyItemHovered();
    if (IsKeyTriggered(VK::Key0 + 8) && !ImGuiTakesText())
        for (VXAudioEntry& entry : g_audioEntries)
            if (entry.name == "sfx") {
                entry.cue.Play();
                break;
            }

    // Ctrl+S asks first; the two Alt slots of old (a silent overwrite of
    // "savefile.json" and the tile-set dump) are left unbound.
    if (IsKeyDown(VK::Control) && IsKeyTriggered('S')) ImGui::OpenPopup("Save?");
    if (IsKeyTriggered(VK::F1 + 6)) VXDebugConsole::ToggleEditorMode();
    if (IsKeyTriggered(VK::F1 + 7)) VXDebugConsole::ClearWithHint();
    if (IsKeyTriggered(VK::F1 + 11)) ResetWindowLayout();
}

void VXLevelEditor::DrawInstancesWindow() {
    if (!g_windowOpen[WindowInstances]) return;
    ImGui::Begin("INSTANCES LOADED", &g_windowOpen[WindowInstances]);
    for (const auto& set : VXGraphicsManager::Instance()->instanceSets) {
        if (!ImGui::TreeNode(set.get(), "%s", set->_name.c_str())) continue;
        ImGui::LabelText("", "count %d", set->_count);
        ImGui::LabelText("", "_texture %u", static_cast<unsigned>(set->texture));
        ImGui::LabelText("", "_texColumns %d", set->_texColumns);
        ImGui::LabelText("", "_texRows %d", set->_texRows);
        ImGui::TreePop();
    }
    ImGui::End();
}

void VXLevelEditor::UpdateObjects() {
    const float dt = FrameContext().frameTime;
    if (g_selectionKind == SelectObjects && m_objects) {
        for (GameObject* object : m_objects->objects)
            if (object->m_active && !EditorFlags(object).locked) object->Update(dt);
    } else if (g_selectionKind == SelectTilesets && m_tiles &&
               TileSetIndexValid(g_selectedTileSet, m_tiles->objectLists.size())) {
        for (GameObject* tile : m_tiles->objectLists[static_cast<size_t>(g_selectedTileSet)])
            if (tile && tile->m_active) tile->Update(dt);
    }
    if (g_currentTool != ToolTranslate || !m_objects) return;
    for (GameObject* object : m_objects->objects) {
        const VXEditorObjectFlags& flags = EditorFlags(object);
        if (!flags.selected || flags.locked) continue;
        object->PlaceDrawnCentre(g_mouseWorld.x + g_dragOffset.x, g_dragOffset.y - g_mouseWorld.y);
        if (auto* body = static_cast<VXRigidBody*>(object->GetComponent(CT_RigidBody))) {
            body->Position.x = object->position[0];
            body->Position.y = object->position[1];
        }
    }
}

void VXLevelEditor::UpdateWindowRect() {
    VXInputManager* input = VXInputManager::Instance();
    const VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    int px = 0, py = 0;
    CameraPixelOffset(px, py);
    // The input manager's mouse is already in window pixels (the window's
    // rectangle taken off), with no frame to allow for.
    const int W = windowWidth;
    const int H = windowHeight;
    const float rx =
        static_cast<float>(input->mouseX) - static_cast<float>(W / 2) - static_cast<float>(px);
    const float ry =
        static_cast<float>(input->mouseY) - static_cast<float>(H / 2) + static_cast<float>(py);
    if (m_mouse) {
        m_mouse->position[0] = static_cast<float>(px + (W >> 1)) + rx;
        m_mouse->position[1] = -(ry - static_cast<float>(H >> 1) - static_cast<float>(py));
    }
    const float zoom = graphics->zoom;
    g_mouseWorld.x = zoom != 0.0f ? rx / zoom : 0.0f;
    g_mouseWorld.y = zoom != 0.0f ? ry / zoom : 0.0f;
    if (m_mouse) m_mouse->Update(FrameContext().frameTime);
}

void VXLevelEditor::UpdateCamera() {
    VXFrameContext& frame = FrameContext();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    VXInputManager* input = VXInputManager::Instance();
    // One wheel notch zooms by the same step however long the frame was.
    const float step = kZoomStep * kStepTime;
    const bool owned = ImGuiOwnsMouse();
    if (!owned && !frame.inputBlocked) {
        if (input->keys[kWheelTowardUser] && graphics->zoom - step > 0.0f) graphics->zoom -= step;
        if (input->keys[kWheelAwayFromUser] && graphics->zoom + step > 0.0f) graphics->zoom += step;
    }
    if (!SceneDragHeld(Platform::VK::RButton)) {
        g_panning = false;
        return;
    }
    if (!g_panning) {
        // A right press on a window is the window's.
        if (owned) return;
        g_panning = true;
        g_panAnchor = g_mouseWorld;
    }
    int px = 0, py = 0;
    CameraPixelOffset(px, py);
    const float dx = (g_mouseWorld.x - g_panAnchor.x) * graphics->zoom;
    const float dy = (g_mouseWorld.y - g_panAnchor.y) * graphics->zoom;
    graphics->cameraX = static_cast<float>(px) + dx;
    graphics->cameraY = static_cast<float>(py) - dy;
}

void VXLevelEditor::Free() {
    std::printf(" -> VXEditor Free\n");
    StopUnsavedWatch();
    g_audioEntries.clear();
    if (g_drawEditorOverlay == DrawEditorFrame) g_drawEditorOverlay = nullptr;
    VXImGuiBinding::Shutdown();
    g_componentNameItems.clear();
    g_objectTypeNameItems.clear();

    delete m_objects;
    m_objects = nullptr;
    m_mouse = nullptr;
    if (m_tiles) m_tiles->Clear();
    delete m_tiles;
    m_tiles = nullptr;
    g_editorTiles = nullptr;
    g_selectedObject = nullptr;
    ClearEditorFlags();

    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->cameraTargets.clear();
    graphics->paintCells.clear();
    // The colliders and bodies of the objects just deleted.
    VXPhysicsManager::Instance()->Reset();
    if (HasGL() && g_lineBuffer) glDeleteBuffers(1, &g_lineBuffer);
    g_lineBuffer = 0;
    // Only a restart (LOAD OBJECT) opens the chosen file.
    if (FrameContext().nextState != 6) g_loadChosenLevel = false;
}

}  // namespace FrameWork
