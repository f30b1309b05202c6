// The editor's scene tools: the tools panel, picking objects and tiles with
// a click, the transform handles (the gizmo) and their drags, the tile brush,
// and the overlay that draws the selection, the handles and the frame of the
// tile set being painted.
#include <GL/glew.h>
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/VXFrameContext.h"
#include "editor/VXEditorState.h"
#include "editor/VXLevelEditor.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXDebugLine.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/GameObject.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

const char* const kToolIcons = "64px_enginefunction_icons.png";

uint8_t g_cursorOverPicked = 0;
int32_t g_lastPickedIndex = 1000000;
uint8_t g_pickedFromTiles = 0;
// The cursor is on a handle of the selected object (a press there is the
// handle's, not a pick).
uint8_t g_gizmoDragging = 0;
// The handle drag under way: -1 none, 1 the x handle, 2 the y handle, 3 both
// axes of SCALE (Shift held over the object); the object and the tool it
// began with.  It lives from the press to the release.
int32_t g_gizmoDragState = -1;
const GameObject* g_gizmoDragObject = nullptr;
int32_t g_gizmoDragTool = ToolDefault;
// The tool a whole-object drag began with (the object dragged carries the
// selected flag from the press on it).
int32_t g_objectDragTool = ToolDefault;
// The brush tool of the stroke under way (-1 none): a stroke begins with a
// press on the scene, so a button held since a drag under another tool
// paints nothing.
int32_t g_brushStrokeTool = -1;
float g_rotateAnchorX = 0.0f;
VXEditorPoint g_scaleAnchor;

using Platform::VK::Control;
using Platform::VK::LButton;
using Platform::VK::Shift;

// A click that picks: a left press without Shift or Ctrl.
bool LeftPressed() {
    return IsKeyTriggered(LButton) && !IsKeyDown(Shift) && !IsKeyDown(Control);
}
bool LeftHeld() {
    return IsKeyDown(LButton);
}

// A drag of the left button goes on this frame: the button is still held,
// was not pressed anew, and no popup has taken the mouse since (a lost
// focus lets go of every button).
bool LeftDragGoesOn() {
    return SceneDragHeld(LButton) && !IsKeyTriggered(LButton);
}

// An object's pick box: its own quad where it is drawn, turned, scaled and
// placed with its parents (a mirrored object keeps its size).  Being inside
// is strict on all four sides; a quad drawn flat holds nothing.
struct PickBox {
    explicit PickBox(const GameObject* object) {
        const PlaneTransform drawn = object->DrawnTransform();
        valid = drawn.Inverse(undo);
        area = std::fabs(drawn.Determinant());
    }
    bool Contains(float x, float y) const {
        double u = 0.0, v = 0.0;
        undo.Apply(x, y, u, v);
        return valid && std::fabs(u) < 0.5 && std::fabs(v) < 0.5;
    }
    PlaneTransform undo;
    double area = 0.0;
    bool valid = false;
};

// The entry of `list` a press at (mx, my) picks: of the pick boxes that hold
// the point, the smallest (a crate standing on a wall is what the designer
// aims at), the first in list order among equal ones; -1 for none.  The
// cursor object is never picked.
int PickedEntry(const std::vector<GameObject*>& list, float mx, float my) {
    int picked = -1;
    double pickedArea = 0.0;
    for (size_t i = 0; i < list.size(); ++i) {
        const GameObject* object = list[i];
        if (!object || object->g_name == "mouse") continue;
        const PickBox box(object);
        if (!box.Contains(mx, my) || (picked >= 0 && box.area >= pickedArea)) continue;
        picked = static_cast<int>(i);
        pickedArea = box.area;
    }
    return picked;
}

// The point `along` the unit axis `a` from the object's centre and `across`
// to the axis's left.
VXEditorPoint AlongAxis(const VXEditorRect& r, const VXEditorPoint& a, float along, float across) {
    return {r.x + along * a.x - across * a.y, r.y + along * a.y + across * a.x};
}

// A handle's box: along its axis from `from` to `to` beyond the centre, and
// 15 to either side of it, strictly.
struct HandleBox {
    VXEditorRect r;
    VXEditorPoint a;
    float from, to;
    bool Contains(float x, float y) const {
        const float dx = x - r.x, dy = y - r.y;
        const float along = dx * a.x + dy * a.y, across = dy * a.x - dx * a.y;
        return along > from && along < to && across > -15.0f && across < 15.0f;
    }
};

// Where a handle points: along the object's own axis (0 x, 1 y) as drawn,
// to the side its quad's positive edge lies on (the other way when the
// object is mirrored on that axis), and the object's size along it.
struct HandleAxis {
    VXEditorPoint a;
    float size;
};
HandleAxis AxisOfHandle(const VXEditorRect& r, int axis) {
    const VXEditorPoint& a = axis == 0 ? r.ax : r.ay;
    const float size = axis == 0 ? r.w : r.h;
    if (size < 0.0f) return {{-a.x, -a.y}, -size};
    return {a, size};
}

// The handles begin at the edge and reach 210 beyond the object's size.
HandleBox Handle(const GameObject* o, int axis) {
    const VXEditorRect r = WorldRect(o);
    const HandleAxis h = AxisOfHandle(r, axis);
    return {r, h.a, h.size / 2.0f, h.size + 210.0f};
}
HandleBox XHandle(const GameObject* o) {
    return Handle(o, 0);
}
HandleBox YHandle(const GameObject* o) {
    return Handle(o, 1);
}

// How far the cursor went along the unit axis `a` since (x0, y0).
float Travel(float mx, float my, float x0, float y0, const VXEditorPoint& a) {
    return (mx - x0) * a.x + (my - y0) * a.y;
}

// The cursor is on a handle of the selected object that the current tool
// drags (ROTATE has the x handle only; TRANSLATE none while the cursor is
// on the object it drags whole).
bool OnSelectedHandle(float mx, float my) {
    const GameObject* o = g_selectedObject;
    if (!o || g_pickedFromTiles) return false;
    const bool onX = XHandle(o).Contains(mx, my);
    const bool onY = YHandle(o).Contains(mx, my);
    switch (g_currentTool) {
        case ToolTranslate:
            return !g_cursorOverPicked && (onX || onY);
        case ToolRotate:
            return onX;
        case ToolScale:
            return onX || onY;
        default:
            return false;
    }
}

// A handle drag ends with the release, with a new press, and when the
// selection or the tool changes; the uniform scale also when Shift is let go.
void EndFinishedHandleDrag(bool goesOn) {
    if (g_gizmoDragState < 0) return;
    if (goesOn && g_gizmoDragObject == g_selectedObject && g_gizmoDragTool == g_currentTool &&
        (g_gizmoDragState != 3 || IsKeyDown(Shift)))
        return;
    g_gizmoDragState = -1;
    g_gizmoDragObject = nullptr;
}

// Starts a drag on a press on a handle of the selected object `o`, or, with
// SCALE, when Shift and the left button are both down over the object and
// one of them went down this frame.
void StartHandleDrag(const GameObject* o, float mx, float my) {
    int32_t handle = -1;
    if (LeftPressed() && OnSelectedHandle(mx, my))
        handle = XHandle(o).Contains(mx, my) ? 1 : 2;
    else if (g_currentTool == ToolScale && IsKeyDown(Shift) && LeftHeld() &&
             (IsKeyTriggered(Shift) || IsKeyTriggered(LButton)) && PickBox(o).Contains(mx, my))
        handle = 3;
    if (handle < 0) return;
    g_gizmoDragState = handle;
    g_gizmoDragObject = o;
    g_gizmoDragTool = g_currentTool;
    const VXEditorRect r = WorldRect(o);
    g_dragOffset = {r.x - mx, r.y - my};
    g_rotateAnchorX = g_mouseWorld.x;
    g_scaleAnchor = {g_mouseWorld.x, my};
}

void SelectTool(int tool) {
    g_currentTool = tool;
}

void ApplyBrush(VXShapeInstancer* tiles) {
    for (int k = -(ClampBrushSize(g_brushSize) - 1); k <= ClampBrushSize(g_brushSize) - 1; ++k) {
        const float x = g_mouseWorld.x + 100.0f * static_cast<float>(k);
        const float y = g_mouseWorld.y;
        if (g_currentTool == ToolPaint) tiles->PaintTileCell(x, y, false);
        if (g_currentTool == ToolPaintOver) tiles->PaintTileCell(x, y, true);
        if (g_currentTool == ToolErase) tiles->EraseTileCell(x, y);
    }
}

void Line(float x0, float y0, float x1, float y1, float r, float g, float b) {
    const float line[2][3] = {{x0, y0, 0.0f}, {x1, y1, 0.0f}};
    VXLevelEditor::DrawLine(line, r, g, b);
}

void Line(const VXEditorPoint& p, const VXEditorPoint& q, float r, float g, float b) {
    Line(p.x, p.y, q.x, q.y, r, g, b);
}

// Left edge bottom to top, top edge, right edge, bottom edge.
void Quad(const VXEditorPoint (&c)[4], float r, float g, float b) {
    for (int k = 0; k < 4; ++k) Line(c[k], c[(k + 1) % 4], r, g, b);
}

void Rectangle(float x0, float y0, float x1, float y1, float r, float g, float b) {
    const VXEditorPoint corners[4] = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    Quad(corners, r, g, b);
}

}  // namespace

void VXLevelEditor::DrawToolsPanel() {
    VXTextureRecord* icons = VXGraphicsManager::Instance()->FindTexture(kToolIcons);
    for (int c = 0; c < ToolCount; ++c) {
        if (c > 0) ImGui::SameLine();
        const bool chosen = g_currentTool == c;
        const ImVec4 purple(0.5f, 0.0f, 0.5f, 1.0f);
        ImGui::PushStyleColor(ImGuiCol_Button, chosen ? purple : ImVec4(0, 0, 0, 1));
        ImGui::PushStyleColor(ImGuiCol_ButtonHovered, purple);
        ImGui::PushStyleColor(ImGuiCol_ButtonActive, purple);
        // An image button takes its id from its texture: one id per tool.
        ImGui::PushID(c);
        bool pressed = false;
        // Without a readable sheet the tools are plain text buttons.
        if (icons && icons->texture && icons->columns > 0 && icons->rows > 0 &&
            !icons->frameOffsets.empty()) {
            const float du = 1.0f / static_cast<float>(icons->columns);
            const float dv = 1.0f / static_cast<float>(icons->rows);
            const size_t cell = static_cast<size_t>(c) % icons->frameOffsets.size();
            const float u = icons->frameOffsets[cell].u;
            const float v = icons->frameOffsets[cell].v;
            pressed = ImGui::ImageButton(
                reinterpret_cast<ImTextureID>(static_cast<intptr_t>(icons->texture)),
                ImVec2(25, 25), ImVec2(u, v), ImVec2(u + du, v + dv), -1, ImVec4(0, 0, 0, 0),
                ImVec4(1, 1, 1, 1));
        } else {
            pressed = ImGui::Button(g_toolNames[c]);
        }
        NoteEditorItem(std::string("TOOL/") + g_toolNames[c]);
        ImGui::PopID();
        ImGui::PopStyleColor(3);
        if (pressed) SelectTool(c);
        if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", g_toolNames[c]);
    }
    // Digits typed into a field are the field's.
    for (int c = 0; c < ToolCount && !ImGuiTakesText(); ++c)
        if (IsKeyTriggered('1' + c)) {
            SelectTool(c);
            if (c >= ToolPaint) g_selectedObject = nullptr;
        }
    if (g_currentTool >= ToolPaint && g_currentTool <= ToolErase) {
        ImGui::SameLine();
        ImGui::PushItemWidth(100);
        if (ImGui::InputInt("BRUSH SIZE", &g_brushSize, 1, 1))
            g_brushSize = ClampBrushSize(g_brushSize);
        NoteEditorItem("TOOL/BRUSH SIZE");
        ImGui::PopItemWidth();
    }
}

void VXLevelEditor::HandleMouseTool(VXObjectManager** objects, VXShapeInstancer** tiles) {
    const float mx = g_mouseWorld.x;
    const float my = -g_mouseWorld.y;
    if (g_currentTool >= ToolPaint) {
        VXShapeInstancer* grid = *tiles;
        if (IsKeyTriggered(LButton)) g_brushStrokeTool = g_currentTool;
        if (grid && !VXGraphicsManager::Instance()->instanceSets.empty() &&
            g_brushStrokeTool == g_currentTool && LeftHeld() && !WindowUnderCursor())
            ApplyBrush(grid);
        return;
    }
    if (g_selectionKind == SelectObjects && *objects) {
        // A press on a handle of the selected object is the handle's drag
        // (UpdateGizmo), even where another object's box lies under it.
        g_gizmoDragging = OnSelectedHandle(mx, my) ? 1 : 0;
        if (LeftPressed() && g_gizmoDragging) return;
        uint8_t c = g_cursorOverPicked;
        std::vector<GameObject*>& list = (*objects)->objects;
        const int picked = LeftPressed() ? PickedEntry(list, mx, my) : -1;
        for (size_t i = 0; i < list.size(); ++i) {
            GameObject* object = list[i];
            if (object->g_name == "mouse") continue;
            const bool inside = PickBox(object).Contains(mx, my);
            if (static_cast<int32_t>(i) == g_lastPickedIndex) c = inside ? 1 : 0;
            g_cursorOverPicked = c;
            VXEditorObjectFlags& flags = EditorFlags(object);
            if (static_cast<int>(i) == picked) {
                HighlightLibraryEntry(static_cast<int32_t>(i));
                g_selectionChanged = 1;
                g_lastPickedIndex = static_cast<int32_t>(i);
                g_libraryIndex = static_cast<int32_t>(i);
                flags.selected = 1;
                g_objectDragTool = g_currentTool;
                g_selectionKind = SelectObjects;
                g_selectedObject = object;
                const VXEditorRect r = WorldRect(object);
                g_dragOffset = {r.x - mx, r.y + g_mouseWorld.y};
                return;
            }
            if (LeftReleased()) {
                flags.selected = 0;
            } else if (!inside && LeftPressed() && !g_gizmoDragging) {
                g_selectedObject = nullptr;
                g_selectionChanged = 0;
            }
        }
        g_pickedFromTiles = 0;
    } else if (g_selectionKind == SelectTilesets && *tiles) {
        VXShapeInstancer* grid = *tiles;
        if (!TileSetIndexValid(grid->currentList, grid->objectLists.size())) return;
        const uint8_t c = g_cursorOverPicked;
        std::vector<GameObject*>& list = grid->objectLists[static_cast<size_t>(grid->currentList)];
        const int picked = LeftPressed() ? PickedEntry(list, mx, my) : -1;
        for (size_t j = 0; j < list.size(); ++j) {
            GameObject* tile = list[j];
            if (!tile) continue;
            const bool inside = PickBox(tile).Contains(mx, my);
            VXEditorObjectFlags& flags = EditorFlags(tile);
            if (static_cast<int>(j) == picked) {
                g_selectionChanged = 1;
                g_gizmoDragging = 0;
                g_libraryIndex = static_cast<int32_t>(j);
                flags.selected = flags.selected ? 0 : 1;
                g_selectedObject = tile;
                g_selectionKind = SelectTilesets;
                HighlightLibraryEntry(static_cast<int32_t>(j));
                return;
            }
            if (LeftReleased()) {
                flags.selected = 0;
            } else if (!inside && LeftPressed() && !c) {
                g_selectedObject = nullptr;
                g_selectionChanged = 0;
            }
        }
        g_pickedFromTiles = 1;
    }
}

bool SceneDragHeld(int vk) {
    const bool popupOpen =
        ImGui::GetCurrentContext() &&
        ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel);
    return IsKeyDown(vk) && !popupOpen;
}

void VXLevelEditor::EndFinishedDrags() {
    const bool goesOn = LeftDragGoesOn();
    // The whole-object drag ends as a handle's does (the flag of an object
    // picked from the tiles never moves anything).
    if (m_objects)
        for (GameObject* object : m_objects->objects) {
            VXEditorObjectFlags& flags = EditorFlags(object);
            if (flags.selected &&
                !(goesOn && object == g_selectedObject && g_objectDragTool == g_currentTool))
                flags.selected = 0;
        }
    EndFinishedHandleDrag(goesOn);
    if (!goesOn || g_brushStrokeTool != g_currentTool) g_brushStrokeTool = -1;
}

void VXLevelEditor::UpdateGizmo() {
    GameObject* o = g_selectedObject;
    if (!o) return;
    const float mx = g_mouseWorld.x;
    const float my = -g_mouseWorld.y;
    if (g_gizmoDragState < 0) StartHandleDrag(o, mx, my);
    switch (g_gizmoDragState < 0 ? ToolDefault : g_currentTool) {
        case ToolTranslate: {
            // A handle moves the object along its own axis only: the centre
            // follows the cursor's travel along that axis.
            const VXEditorRect r = WorldRect(o);
            const VXEditorPoint& a = g_gizmoDragState == 1 ? r.ax : r.ay;
            const float along = Travel(mx + g_dragOffset.x, my + g_dragOffset.y, r.x, r.y, a);
            o->PlaceDrawnCentre(r.x + along * a.x, r.y + along * a.y);
            break;
        }
        case ToolRotate:
            // The anchor stays at the press: the farther right of it, the
            // faster the turn.  A stalled frame turns no further than the
            // match's steps would.
            o->rotation[2] += 2.0f * (g_mouseWorld.x - g_rotateAnchorX) *
                              std::min(FrameContext().frameTime, kMaxFrameSteps * kStepTime);
            break;
        case ToolScale:
            // The size follows the cursor's travel since the last frame: with
            // Shift, its sideways travel on both axes; on a handle, its travel
            // along the handle's axis.
            if (g_gizmoDragState == 3) {
                // A mirrored axis grows away from its drawn edge too.
                const float grow = g_mouseWorld.x - g_scaleAnchor.x;
                const VXEditorRect r = WorldRect(o);
                GrowWorldScale(o, 0, r.w < 0.0f ? -grow : grow);
                GrowWorldScale(o, 1, r.h < 0.0f ? -grow : grow);
            } else {
                const int axis = g_gizmoDragState - 1;
                const VXEditorRect r = WorldRect(o);
                GrowWorldScale(
                    o, axis,
                    Travel(mx, my, g_scaleAnchor.x, g_scaleAnchor.y, axis == 0 ? r.ax : r.ay));
            }
            g_scaleAnchor = {g_mouseWorld.x, my};
            break;
        default:
            break;
    }
}

void VXLevelEditor::DrawOverlay() {
    if (g_currentTool == ToolPaint || g_currentTool == ToolPaintOver) DrawToolGizmo(ToolPaint);
    const GameObject* o = g_selectedObject;
    if (!o) return;
    // The quad as drawn: left edge bottom to top, top, right, bottom.
    const PlaneTransform drawn = o->DrawnTransform();
    const double u[4] = {-0.5, -0.5, 0.5, 0.5}, v[4] = {-0.5, 0.5, 0.5, -0.5};
    VXEditorPoint corners[4];
    for (int k = 0; k < 4; ++k) {
        double x = 0.0, y = 0.0;
        drawn.Apply(u[k], v[k], x, y);
        corners[k] = {PlaneToFloat(x), PlaneToFloat(y)};
    }
    Quad(corners, 0.0f, 1.0f, 1.0f);
    DrawToolGizmo(g_currentTool);
}

void VXLevelEditor::DrawToolGizmo(int tool) {
    if (g_pickedFromTiles) return;
    const GameObject* o = g_selectedObject;
    if (tool >= ToolTranslate && tool <= ToolScale) {
        if (!o) return;
        // Along the object's own axes as drawn, out past its edges.
        const VXEditorRect r = WorldRect(o);
        const VXEditorPoint centre = {r.x, r.y};
        const HandleAxis hx = AxisOfHandle(r, 0), hy = AxisOfHandle(r, 1);
        const auto x = [&](float along, float across) { return AlongAxis(r, hx.a, along, across); };
        const auto y = [&](float along, float across) { return AlongAxis(r, hy.a, along, across); };
        const float u = hx.size + 200.0f, t = hy.size + 200.0f;
        Line(centre, x(u, 0), 0.0f, 1.0f, 0.35f);
        if (tool == ToolRotate) return;
        Line(centre, y(t, 0), 1.0f, 0.8f, 0.0f);
        if (tool == ToolScale) return;
        const VXEditorPoint yHead[3] = {y(t, 10), y(t, -10), y(t + 20, 0)};
        const VXEditorPoint xHead[3] = {x(u, 10), x(u, -10), x(u + 20, 0)};
        for (int k = 0; k < 3; ++k) Line(yHead[k], yHead[(k + 1) % 3], 1.0f, 0.8f, 0.0f);
        for (int k = 0; k < 3; ++k) Line(xHead[k], xHead[(k + 1) % 3], 0.0f, 1.0f, 0.35f);
        return;
    }
    if (tool < ToolPaint || tool > ToolErase) return;
    if (!RefreshTileSetBounds(g_selectedTileSet)) return;
    const VXEditorPoint lo = g_tileSetMin[static_cast<size_t>(g_selectedTileSet)];
    const VXEditorPoint hi = g_tileSetMax[static_cast<size_t>(g_selectedTileSet)];
    const float w = g_editorTiles ? static_cast<float>(g_editorTiles->cellWidth / 2) : 50.0f;
    const float h = g_editorTiles ? static_cast<float>(g_editorTiles->cellHeight / 2) : 50.0f;
    Rectangle(lo.x - w, lo.y - h, hi.x + w, hi.y + h, 1.0f, 1.0f, 0.3f);
}

bool RefreshTileSetBounds(int s) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    if (!TileSetIndexValid(s, graphics->tileSetNames.size())) return false;
    const VXInstanceSet* set =
        graphics->FindInstanceSet(graphics->tileSetNames[static_cast<size_t>(s)]);
    if (!set || set->m_data1.empty()) return false;
    VXEditorPoint lo{set->m_data1[0][0], set->m_data1[0][1]}, hi = lo;
    for (const auto& p : set->m_data1) {
        lo = {std::min(lo.x, p[0]), std::min(lo.y, p[1])};
        hi = {std::max(hi.x, p[0]), std::max(hi.y, p[1])};
    }
    if (g_tileSetMin.size() <= static_cast<size_t>(s)) g_tileSetMin.resize(s + 1);
    if (g_tileSetMax.size() <= static_cast<size_t>(s)) g_tileSetMax.resize(s + 1);
    g_tileSetMin[static_cast<size_t>(s)] = lo;
    g_tileSetMax[static_cast<size_t>(s)] = hi;
    return true;
}

void VXLevelEditor::DrawLine(const float line[2][3], float r, float g, float b) {
    if (!Platform::GetGLContext() || !g_lineBuffer || !g_primitivesProgram) return;
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    UseProgram(g_primitivesProgram);
    SetUniformMatrix(g_primitivesProgram, "projection", graphics->camera.projection);
    SetUniformMatrix(g_primitivesProgram, "camView", graphics->camera.camView);
    SetUniformVec3(g_primitivesProgram, "uniColor", r, g, b);
    std::copy(&line[0][0], &line[0][0] + 6, &g_linePoints[0][0]);
    VXDebugLine target;
    target.buffer = g_lineBuffer;
    DebugLineDraw(target);
}

}  // namespace FrameWork
