#include "editor/VXDebugConsole.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>

#include "core/VXFrameContext.h"
#include "editor/VXEditorState.h"

namespace FrameWork {
namespace VXDebugConsole {

namespace {

std::string g_consoleText;
bool g_consoleScrollToBottom = false;
int g_consoleTab = 0;
// ImGui refuses a window without a title, so the window is "CONSOLE" from
// its first frame on.
std::string g_windowTitle = "CONSOLE";
constexpr int kFpsHistory = 20;
float g_fpsHistory[kFpsHistory] = {};
int g_fpsPlotMode = 0;

}  // namespace

void Log(const std::string& text) {
    g_consoleText += text;
    g_consoleScrollToBottom = true;
    if (g_consoleText.size() > kMaxLogLength) g_consoleText.clear();
}

void Clear() {
    g_consoleText.clear();
}

void ClearWithHint() {
    Clear();
    g_consoleText += "PRESS F12 to reset layout.\n";
}

const std::string& Text() {
    return g_consoleText;
}

const std::string& WindowTitle() {
    return g_windowTitle;
}

void ToggleEditorMode() {
    g_editorMode = g_editorMode ? 0 : 1;
    Log("CURRENT EDITOR MODE: ");
    Log(g_editorMode ? "DEBUG\n" : "NORMAL\n");
}

void Draw() {
    if (!g_windowOpen[WindowConsole]) return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::PushStyleColor(ImGuiCol_MenuBarBg, ImVec4(0, 0, 0, 0));
    ImGui::Begin(g_windowTitle.c_str(), &g_windowOpen[WindowConsole], ImGuiWindowFlags_MenuBar);
    if (ImGui::BeginMenuBar()) {
        if (ImGui::BeginMenu(g_windowTitle.c_str())) {
            for (size_t i = 0; i < g_consoleTabs.size(); ++i) {
                if (static_cast<int>(i) == g_consoleTab) continue;
                if (ImGui::MenuItem(g_consoleTabs[i].c_str())) g_consoleTab = static_cast<int>(i);
            }
            ImGui::EndMenu();
        }
        if (g_consoleTab == 0) {
            if (ImGui::BeginMenu("EDITOR MODE (F7)")) {
                const char* label = g_editorMode ? "SWITCH TO NORMAL" : "SWITCH TO DEBUG";
                if (ImGui::MenuItem(label, "F7")) ToggleEditorMode();
                ImGui::EndMenu();
            }
            if (ImGui::MenuItem("CLEAR CONSOLE (F8)")) ClearWithHint();
        }
        ImGui::EndMenuBar();
    }
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
    DrawTab();
    ImGui::End();
    ImGui::PopStyleColor();
    ImGui::PopStyleVar();
}

void DrawTab() {
    if (g_consoleTab == 1) {
        g_windowTitle = "FPS";
        DrawFpsGraph();
        return;
    }
    g_windowTitle = "CONSOLE";
    // Shown as it is: a "%" in an object name is text, not a format.
    ImGui::PushTextWrapPos(0.0f);
    ImGui::TextUnformatted(g_consoleText.c_str(), g_consoleText.c_str() + g_consoleText.size());
    ImGui::PopTextWrapPos();
    if (g_consoleScrollToBottom) {
        ImGui::SetScrollHereY(1.0f);
        g_consoleScrollToBottom = false;
    }
}

void DrawFpsGraph() {
    std::copy(g_fpsHistory + 1, g_fpsHistory + kFpsHistory, g_fpsHistory);
    const float frameTime = FrameContext().frameTime;
    g_fpsHistory[kFpsHistory - 1] = frameTime > 0.0f ? 1.0f / frameTime : 0.0f;
    char label[64];
    std::snprintf(label, sizeof label, "Current FPS: %f", g_fpsHistory[kFpsHistory - 1]);
    ImGui::LabelText("", "%s", label);
    ImGui::RadioButton("Line", &g_fpsPlotMode, 0);
    ImGui::SameLine();
    ImGui::RadioButton("Histogram", &g_fpsPlotMode, 1);
    if (g_fpsPlotMode == 0)
        ImGui::PlotLines("##fps", g_fpsHistory, kFpsHistory, 0, nullptr, 0.0f, 100.0f,
                         ImVec2(0, 60));
    else
        ImGui::PlotHistogram("##fps", g_fpsHistory, kFpsHistory, 0, nullptr, 0.0f, 100.0f,
                             ImVec2(0, 60));
}

}  // namespace VXDebugConsole
}  // namespace FrameWork
