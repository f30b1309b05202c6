// The editor's console: one text log in which every editor action reports
// its outcome, and the window that shows it with two tabs, CONSOLE (the log,
// the editor-mode switch, the clear command) and FPS (the frame rate).
#pragma once

#include <string>

namespace FrameWork {
namespace VXDebugConsole {

// The log never grows past this many characters: the write that passes it
// empties the log, itself included.
constexpr size_t kMaxLogLength = 1000;

// Appends `text`, asks the CONSOLE tab to scroll to the end, and empties the
// log when it now holds more than kMaxLogLength characters.
void Log(const std::string& text);
// Empties the log.
void Clear();
// F8 and CLEAR CONSOLE: empties the log and leaves the layout hint in it.
void ClearWithHint();
// The log as it stands.
const std::string& Text();
// The console window's title: the name of the tab shown.
const std::string& WindowTitle();
// Switches the editor mode and logs the mode now in force.
void ToggleEditorMode();

// The window (once a frame, inside the editor's ImGui frame), the body of
// the tab shown, and the FPS tab's body.
void Draw();
void DrawTab();
void DrawFpsGraph();

}  // namespace VXDebugConsole
}  // namespace FrameWork
