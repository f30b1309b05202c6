// The editor's glue to Dear ImGui: the context, its input and display state
// taken from the engine's input manager each frame, and a renderer of ImGui's
// draw lists with a shader program, buffers and font texture of its own.
#pragma once

struct ImDrawData;

namespace FrameWork {
namespace VXImGuiBinding {

// Creates the ImGui context (a new one for every visit to the editor) and
// sets up its key map, clipboard and renderer flags.  Returns true.
bool Init();
// Whether "imgui.ini" gave any window a place (read by Init).
bool HasSavedLayout();
// Fills ImGui's input and display state and begins its frame; builds the
// device objects first when they do not exist.
void NewFrame();
// Whether a frame has been begun and not yet rendered.
bool FrameBegun();
// Ends the begun frame and draws it; nothing when no frame was begun.
void Render();
// Draws ImGui's draw lists.
void RenderDrawLists(ImDrawData* drawData);
// The shader program, buffers and vertex array (false when the shaders do
// not build), and the font texture.
bool CreateDeviceObjects();
void CreateFontsTexture();
void DestroyDeviceObjects();
// Deletes the GL objects and then the context, which writes "imgui.ini".
void Shutdown();

}  // namespace VXImGuiBinding
}  // namespace FrameWork
