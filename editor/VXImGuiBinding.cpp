#include "editor/VXImGuiBinding.h"

#include <GL/glew.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstdint>
#include <cstdio>
#include <utility>

#include "core/VXFrameContext.h"
#include "core/VXInputManager.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {
namespace VXImGuiBinding {

namespace {

GLuint g_fontTexture = 0;
GLuint g_shaderProgram = 0;
GLuint g_vertexShader = 0;
GLuint g_fragmentShader = 0;
GLint g_uniformTexture = 0;
GLint g_uniformProjection = 0;
GLint g_attribPosition = 0;
GLint g_attribUV = 0;
GLint g_attribColor = 0;
GLuint g_vertexBuffer = 0;
GLuint g_elementBuffer = 0;
GLuint g_vertexArray = 0;
bool g_frameBegun = false;
// The shaders failed to build: the editor runs without its windows drawn.
bool g_deviceFailed = false;

const char* const kVertexShader =
    "#version 330\nuniform mat4 ProjMtx;\nin vec2 Position;\nin vec2 UV;\nin vec4 Color;\nout "
    "vec2 Frag_UV;\nout vec4 Frag_Color;\nvoid main()\n{\n\tFrag_UV = UV;\n\tFrag_Color = "
    "Color;\n\tgl_Position = ProjMtx * vec4(Position.xy,0,1);\n}\n";
const char* const kFragmentShader =
    "#version 330\nuniform sampler2D Texture;\nin vec2 Frag_UV;\nin vec4 Frag_Color;\nout vec4 "
    "Out_Color;\nvoid main()\n{\n\tOut_Color = Frag_Color * texture( Texture, Frag_UV.st);\n}\n";

// ImGui's keys by the virtual-key codes of the input manager.
const std::pair<ImGuiKey, int> kKeyMap[] = {
    {ImGuiKey_Tab, Platform::VK::Tab},
    {ImGuiKey_LeftArrow, Platform::VK::Left},
    {ImGuiKey_RightArrow, Platform::VK::Right},
    {ImGuiKey_UpArrow, Platform::VK::Up},
    {ImGuiKey_DownArrow, Platform::VK::Down},
    {ImGuiKey_PageUp, Platform::VK::Prior},
    {ImGuiKey_PageDown, Platform::VK::Next},
    {ImGuiKey_Home, Platform::VK::Home},
    {ImGuiKey_End, Platform::VK::End},
    {ImGuiKey_Delete, Platform::VK::Delete},
    {ImGuiKey_Backspace, Platform::VK::Back},
    {ImGuiKey_Enter, Platform::VK::Return},
    {ImGuiKey_Escape, Platform::VK::Escape},
    {ImGuiKey_A, 'A'},
    {ImGuiKey_C, 'C'},
    {ImGuiKey_V, 'V'},
    {ImGuiKey_X, 'X'},
    {ImGuiKey_Y, 'Y'},
    {ImGuiKey_Z, 'Z'},
};

// Pasting into an ImGui text field inserts nothing.
const char* NoClipboardText(void*) {
    return "";
}

bool HasGL() {
    return Platform::GetGLContext() != nullptr;
}

bool CompileShader(GLuint shader, const char* source, const char* what) {
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return true;
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::printf("ERROR\n -> ImGui %s shader failed to compile: %s\n", what, log);
    return false;
}

bool LinkProgram(GLuint program) {
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok == GL_TRUE) return true;
    char log[512] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    std::printf("ERROR\n -> ImGui shader program failed to link: %s\n", log);
    return false;
}

void SetEnabled(GLenum capability, GLboolean on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

}  // namespace

bool Init() {
    if (!ImGui::GetCurrentContext()) ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    for (const auto& [key, vk] : kKeyMap) io.KeyMap[key] = vk;
    io.GetClipboardTextFn = NoClipboardText;
    // Large windows go past 65,535 vertices: draw with a base vertex.
    io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;
    // The settings are read now rather than at the first frame, so that a
    // visit that ends before its first frame still writes them back whole.
    if (io.IniFilename && !GImGui->SettingsLoaded) {
        ImGui::LoadIniSettingsFromDisk(io.IniFilename);
        GImGui->SettingsLoaded = true;
    }
    g_frameBegun = false;
    g_deviceFailed = false;
    return true;
}

void NewFrame() {
    if (!ImGui::GetCurrentContext()) return;
    if (!g_fontTexture && !g_deviceFailed && HasGL()) CreateDeviceObjects();
    ImGuiIO& io = ImGui::GetIO();
    int x = 0, y = 0, width = 0, height = 0;
    Platform::GetWindowRect(x, y, width, height);
    if (width <= 0 || height <= 0) {
        width = windowWidth;
        height = windowHeight;
    }
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    const float dt = FrameContext().frameTime;
    io.DeltaTime = dt > 0.0f ? dt : 1.0f / 60.0f;

    // Input has one source: the engine's input manager.
    VXInputManager* input = VXInputManager::Instance();
    using namespace Platform;
    io.MousePos = ImVec2(static_cast<float>(input->mouseX), static_cast<float>(input->mouseY));
    io.MouseDown[0] = input->IsDown(VK::LButton);
    io.MouseDown[1] = input->IsDown(VK::RButton);
    io.MouseWheel += input->wheel;
    for (int vk = 0; vk < 256; ++vk) io.KeysDown[vk] = input->IsDown(vk);
    io.KeyCtrl = input->IsDown(VK::Control);
    io.KeyShift = input->IsDown(VK::Shift);
    io.KeyAlt = input->IsDown(VK::Menu);
    io.KeySuper = false;
    if (!input->text.empty()) io.AddInputCharactersUTF8(input->text.c_str());

    // A frame whose draw was skipped (a minimised window) is closed first:
    // ImGui refuses to begin a frame while the last one is open.
    if (g_frameBegun) ImGui::EndFrame();
    ImGui::NewFrame();
    g_frameBegun = true;
}

bool HasSavedLayout() {
    return ImGui::GetCurrentContext() && !GImGui->SettingsWindows.empty();
}

bool FrameBegun() {
    return g_frameBegun && ImGui::GetCurrentContext();
}

void Render() {
    if (!FrameBegun()) return;
    g_frameBegun = false;
    ImGui::Render();
    if (g_fontTexture && HasGL()) RenderDrawLists(ImGui::GetDrawData());
}

bool CreateDeviceObjects() {
    GLint lastTexture = 0, lastArrayBuffer = 0, lastVertexArray = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &lastTexture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &lastArrayBuffer);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &lastVertexArray);

    g_shaderProgram = glCreateProgram();
    g_vertexShader = glCreateShader(GL_VERTEX_SHADER);
    g_fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    bool ok = CompileShader(g_vertexShader, kVertexShader, "vertex");
    ok = CompileShader(g_fragmentShader, kFragmentShader, "fragment") && ok;
    glAttachShader(g_shaderProgram, g_vertexShader);
    glAttachShader(g_shaderProgram, g_fragmentShader);
    ok = ok && LinkProgram(g_shaderProgram);
    if (!ok) {
        // Nothing is drawn with a program that did not build; the editor
        // keeps running and the next visit tries again.
        DestroyDeviceObjects();
        g_deviceFailed = true;
        return false;
    }

    g_uniformTexture = glGetUniformLocation(g_shaderProgram, "Texture");
    g_uniformProjection = glGetUniformLocation(g_shaderProgram, "ProjMtx");
    g_attribPosition = glGetAttribLocation(g_shaderProgram, "Position");
    g_attribUV = glGetAttribLocation(g_shaderProgram, "UV");
    g_attribColor = glGetAttribLocation(g_shaderProgram, "Color");

    glGenBuffers(1, &g_vertexBuffer);
    glGenBuffers(1, &g_elementBuffer);
    glGenVertexArrays(1, &g_vertexArray);
    glBindVertexArray(g_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, g_vertexBuffer);
    glEnableVertexAttribArray(static_cast<GLuint>(g_attribPosition));
    glEnableVertexAttribArray(static_cast<GLuint>(g_attribUV));
    glEnableVertexAttribArray(static_cast<GLuint>(g_attribColor));
    const GLsizei stride = sizeof(ImDrawVert);
    glVertexAttribPointer(static_cast<GLuint>(g_attribPosition), 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(IM_OFFSETOF(ImDrawVert, pos)));
    glVertexAttribPointer(static_cast<GLuint>(g_attribUV), 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(IM_OFFSETOF(ImDrawVert, uv)));
    glVertexAttribPointer(static_cast<GLuint>(g_attribColor), 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(IM_OFFSETOF(ImDrawVert, col)));

    CreateFontsTexture();

    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(lastTexture));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(lastArrayBuffer));
    glBindVertexArray(static_cast<GLuint>(lastVertexArray));
    return true;
}

void CreateFontsTexture() {
    ImGuiIO& io = ImGui::GetIO();
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    GLint lastTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &lastTexture);
    glGenTextures(1, &g_fontTexture);
    glBindTexture(GL_TEXTURE_2D, g_fontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    io.Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(g_fontTexture)));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(lastTexture));
}

void RenderDrawLists(ImDrawData* drawData) {
    if (!drawData) return;
    ImGuiIO& io = ImGui::GetIO();
    const int fbWidth = static_cast<int>(io.DisplaySize.x * io.DisplayFramebufferScale.x);
    const int fbHeight = static_cast<int>(io.DisplaySize.y * io.DisplayFramebufferScale.y);
    if (fbWidth == 0 || fbHeight == 0) return;
    drawData->ScaleClipRects(io.DisplayFramebufferScale);

    GLint lastProgram = 0, lastTexture = 0, lastActiveTexture = 0, lastArrayBuffer = 0,
          lastElementBuffer = 0, lastVertexArray = 0, lastBlendSrc = 0, lastBlendDst = 0,
          lastEquationRgb = 0, lastEquationAlpha = 0, lastViewport[4] = {};
    glGetIntegerv(GL_CURRENT_PROGRAM, &lastProgram);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &lastTexture);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &lastActiveTexture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &lastArrayBuffer);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &lastElementBuffer);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &lastVertexArray);
    glGetIntegerv(GL_BLEND_SRC, &lastBlendSrc);
    glGetIntegerv(GL_BLEND_DST, &lastBlendDst);
    glGetIntegerv(GL_BLEND_EQUATION_RGB, &lastEquationRgb);
    glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &lastEquationAlpha);
    glGetIntegerv(GL_VIEWPORT, lastViewport);
    const GLboolean blend = glIsEnabled(GL_BLEND);
    const GLboolean cullFace = glIsEnabled(GL_CULL_FACE);
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    const GLboolean scissorTest = glIsEnabled(GL_SCISSOR_TEST);

    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE0);
    glViewport(0, 0, fbWidth, fbHeight);

    const float w = io.DisplaySize.x;
    const float h = io.DisplaySize.y;
    const float projection[16] = {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    glUseProgram(g_shaderProgram);
    glUniform1i(g_uniformTexture, 0);
    glUniformMatrix4fv(g_uniformProjection, 1, GL_FALSE, projection);
    glBindVertexArray(g_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, g_vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_elementBuffer);

    for (int n = 0; n < drawData->CmdListsCount; ++n) {
        const ImDrawList* list = drawData->CmdLists[n];
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(list->VtxBuffer.Size) * sizeof(ImDrawVert),
                     list->VtxBuffer.Data, GL_STREAM_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(list->IdxBuffer.Size) * sizeof(ImDrawIdx),
                     list->IdxBuffer.Data, GL_STREAM_DRAW);
        for (int c = 0; c < list->CmdBuffer.Size; ++c) {
            const ImDrawCmd& cmd = list->CmdBuffer[c];
            if (cmd.UserCallback) {
                cmd.UserCallback(list, &cmd);
                continue;
            }
            glBindTexture(GL_TEXTURE_2D,
                          static_cast<GLuint>(reinterpret_cast<intptr_t>(cmd.GetTexID())));
            glScissor(static_cast<int>(cmd.ClipRect.x), static_cast<int>(fbHeight - cmd.ClipRect.w),
                      static_cast<int>(cmd.ClipRect.z - cmd.ClipRect.x),
                      static_cast<int>(cmd.ClipRect.w - cmd.ClipRect.y));
            glDrawElementsBaseVertex(
                GL_TRIANGLES, static_cast<GLsizei>(cmd.ElemCount),
                sizeof(ImDrawIdx) == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                reinterpret_cast<void*>(static_cast<intptr_t>(cmd.IdxOffset * sizeof(ImDrawIdx))),
                static_cast<GLint>(cmd.VtxOffset));
        }
    }

    glUseProgram(static_cast<GLuint>(lastProgram));
    glActiveTexture(static_cast<GLenum>(lastActiveTexture));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(lastTexture));
    glBindVertexArray(static_cast<GLuint>(lastVertexArray));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(lastArrayBuffer));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLuint>(lastElementBuffer));
    glBlendEquationSeparate(static_cast<GLenum>(lastEquationRgb),
                            static_cast<GLenum>(lastEquationAlpha));
    glBlendFunc(static_cast<GLenum>(lastBlendSrc), static_cast<GLenum>(lastBlendDst));
    SetEnabled(GL_BLEND, blend);
    SetEnabled(GL_CULL_FACE, cullFace);
    SetEnabled(GL_DEPTH_TEST, depthTest);
    SetEnabled(GL_SCISSOR_TEST, scissorTest);
    glViewport(lastViewport[0], lastViewport[1], lastViewport[2], lastViewport[3]);
}

void DestroyDeviceObjects() {
    if (HasGL()) {
        if (g_vertexArray) glDeleteVertexArrays(1, &g_vertexArray);
        if (g_vertexBuffer) glDeleteBuffers(1, &g_vertexBuffer);
        if (g_elementBuffer) glDeleteBuffers(1, &g_elementBuffer);
        if (g_shaderProgram && g_vertexShader) glDetachShader(g_shaderProgram, g_vertexShader);
        if (g_shaderProgram && g_fragmentShader) glDetachShader(g_shaderProgram, g_fragmentShader);
        if (g_vertexShader) glDeleteShader(g_vertexShader);
        if (g_fragmentShader) glDeleteShader(g_fragmentShader);
        if (g_shaderProgram) glDeleteProgram(g_shaderProgram);
        if (g_fontTexture) glDeleteTextures(1, &g_fontTexture);
    }
    g_vertexArray = g_vertexBuffer = g_elementBuffer = 0;
    g_vertexShader = g_fragmentShader = g_shaderProgram = 0;
    if (g_fontTexture && ImGui::GetCurrentContext()) ImGui::GetIO().Fonts->SetTexID(nullptr);
    g_fontTexture = 0;
}

void Shutdown() {
    DestroyDeviceObjects();
    g_frameBegun = false;
    // The context goes with the visit (it writes "imgui.ini" on its way
    // out); the next visit makes a new one, since ImGui cannot be used again
    // once it has been shut down.
    if (ImGui::GetCurrentContext()) ImGui::DestroyContext();
}

}  // namespace VXImGuiBinding
}  // namespace FrameWork
