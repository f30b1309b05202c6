#include "editor/VXLevelEditor.h"

namespace FrameWork {

// The editor's windows and tools come with the editor itself.
void VXLevelEditor::Initialize() {}
void VXLevelEditor::Update() {}
void VXLevelEditor::Free() {}

}  // namespace FrameWork
