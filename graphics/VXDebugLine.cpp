#include "graphics/VXDebugLine.h"

#include "graphics/VXShaderProgram.h"
#include "physics/VXAABB.h"
#include "physics/VXDebugDraw.h"
#include "physics/VXOBB.h"
#include "physics/VXRigidBody.h"

namespace FrameWork {

float g_linePoints[2][3] = {{-0.1f, -0.1f, 0.0f}, {0.1f, 0.1f, 0.0f}};
void (*g_drawDebugShapes)(VXDebugManager& debug) = &DrawDebugShapes;
void (*g_drawEditorOverlay)() = nullptr;

void DebugLineUploadCamera(const VXDebugLine& line) {
    SetUniformMatrix(g_primitivesProgram, "projection", line.projection);
    SetUniformMatrix(g_primitivesProgram, "camView", line.camView);
}

void DebugLineDraw(const VXDebugLine& line) {
    if (!HasGL() || line.buffer == 0) return;
    glBindBuffer(GL_ARRAY_BUFFER, line.buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(g_linePoints), g_linePoints, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_LINES, 0, 2);
    glDisableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

namespace {

// Sets the colour once, then draws every segment through the shared points.
void DrawSegments(const std::vector<DebugSegment>& segments, const DebugColour& colour,
                  const VXDebugLine& line) {
    if (segments.empty()) return;
    SetUniformVec3(g_primitivesProgram, "uniColor", colour.r, colour.g, colour.b);
    for (const DebugSegment& s : segments) {
        g_linePoints[0][0] = s.x1;
        g_linePoints[0][1] = s.y1;
        g_linePoints[1][0] = s.x2;
        g_linePoints[1][1] = s.y2;
        DebugLineDraw(line);
    }
}

void DrawRigidBodySegments(const std::vector<std::shared_ptr<VXRigidBody>>& list,
                           const VXDebugLine& line) {
    DrawSegments(VelocitySegments(list), kDebugVelocityColour, line);
}

void DrawAABBSegments(const std::vector<std::shared_ptr<VXAABB>>& list, const VXDebugLine& line) {
    DrawSegments(BoxOutlineSegments(list), kDebugBoxColour, line);
}

void DrawOBBSegments(const std::vector<std::shared_ptr<VXOBB>>& list, const VXDebugLine& line) {
    for (const auto& box : list) {
        if (!box || !box->active) continue;
        DrawSegments(OBBEdgeSegments(*box), kDebugOBBEdgeColour, line);
        DrawSegments(OBBNormalSegments(*box), kDebugOBBNormalColour, line);
    }
}

}  // namespace

void InstallDebugShapeDrawers() {
    VXDebugManager::drawers.rigidBodies = &DrawRigidBodySegments;
    VXDebugManager::drawers.aabbs = &DrawAABBSegments;
    VXDebugManager::drawers.obbs = &DrawOBBSegments;
}

void DrawDebugShapes(VXDebugManager& debug) {
    if (debug.bodies) debug.DrawRigidBodies(*debug.bodies, debug.line);
    if (debug.aabbs) debug.DrawAABBs(*debug.aabbs, debug.line);
    if (debug.obbs) debug.DrawOBBs(*debug.obbs, debug.line);
}

}  // namespace FrameWork
