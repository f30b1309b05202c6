#include "graphics/VXDebugLine.h"

#include "graphics/VXShaderProgram.h"

namespace FrameWork {

float g_linePoints[2][3] = {{-0.1f, -0.1f, 0.0f}, {0.1f, 0.1f, 0.0f}};
void (*g_drawDebugShapes)(VXDebugManager& debug) = nullptr;
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

}  // namespace FrameWork
