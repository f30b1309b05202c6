// The resource library: the loaded images as single pictures, as sheet
// cells (the cell chosen is the one the paint tools lay down) and as the
// instance cells, the loaded sounds to play and pause, and the import of a
// new image, sheet or sound into the asset lists, usable at once.
#include <imgui.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "core/VXFrameContext.h"
#include "editor/VXDebugConsole.h"
#include "editor/VXEditorState.h"
#include "editor/VXFilePicker.h"
#include "editor/VXLevelEditor.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShapeInstancer.h"
#include "objects/VXFileWrite.h"
#include "platform/Platform.h"
#include "platform/PlatformInput.h"

namespace FrameWork {

namespace {

const std::string kTextureList = DataPath("objects/texturelist.txt");
const std::string kAudioList = DataPath("objects/audiolist.txt");
const std::string kImageFolder = DataPath("img/");
const std::string kAudioFolder = DataPath("audio/");
const char* const kTypeTip = "CTRL + LCLICK to type values!";
const char* const kLoadNewAssets = "LOAD NEW ASSETS";

int g_resourceTab = 0;
std::string g_tabTitle;
int g_imageSize = 50;
int g_imageView = 0;  // 0 SINGLE IMAGES, 1 SPRITESHEETS, 2 INSTANCES
bool g_sheetDialogOpen = false;
int g_sheetRows = 1;
int g_sheetColumns = 1;
// The sheet size of the import the picker is answering.
int g_pendingRows = 1;
int g_pendingColumns = 1;

ImTextureID TextureId(GLuint name) {
    return reinterpret_cast<ImTextureID>(static_cast<intptr_t>(name));
}

// A picture button with the library's colours, its id pushed apart from
// the texture's.
bool Picture(const std::string& id, GLuint texture, float size, ImVec2 uv0, ImVec2 uv1) {
    ImGui::PushID(id.c_str());
    const bool pressed = ImGui::ImageButton(TextureId(texture), ImVec2(size, size), uv0, uv1, -1,
                                            ImVec4(0, 0, 0, 1), ImVec4(1, 1, 1, 1));
    NoteEditorItem("Resource/" + id);
    ImGui::PopID();
    return pressed;
}

// One button per cell of `record`, `perLine` to a line (0: the sheet's own
// lines, top line first); a click sets the paint cell to the cell shown.
void CellButtons(const VXTextureRecord& record, int perLine, bool tooltip) {
    const int C = static_cast<int>(record.columns), R = static_cast<int>(record.rows);
    const float du = 1.0f / static_cast<float>(std::max(1, C));
    const float dv = 1.0f / static_cast<float>(std::max(1, R));
    const int cells = std::min(C * R, static_cast<int>(record.frameOffsets.size()));
    for (int p = 0; p < cells; ++p) {
        // The button shows sheet cell p (reading order from the top-left,
        // as the tiles draw it): that is the cell painted.
        const int cell = p;
        const int wrap = perLine > 0 ? perLine : C;
        if (p % wrap != 0) ImGui::SameLine();
        const VXFrameOffset& at = record.frameOffsets[static_cast<size_t>(p)];
        const std::string id = record.name + "/" + std::to_string(p);
        if (Picture(id, record.texture, static_cast<float>(g_imageSize), ImVec2(at.u, at.v),
                    ImVec2(at.u + du, at.v + dv)))
            g_paintCell = cell;
        if (tooltip && ImGui::IsItemHovered())
            ImGui::SetTooltip("%s",
                              (record.name + "\nFrame: " + std::to_string(cell) +
                               "\nRows : " + std::to_string(R) + "\nCols : " + std::to_string(C))
                                  .c_str());
    }
}

void Gap() {
    ImGui::Spacing();
    ImGui::Separator();
    ImGui::Spacing();
}

void DrawImages() {
    const auto& textures = VXGraphicsManager::Instance()->textures;
    const float width = ImGui::GetWindowWidth();
    const int perLine = std::max(1, static_cast<int>(width / static_cast<float>(g_imageSize + 16)));
    int count = 0;
    for (size_t k = 1; k < textures.size(); ++k) {
        const VXTextureRecord& record = textures[k];
        if (g_imageView == 0) {
            if (count++ % perLine != 0) ImGui::SameLine();
            Picture(record.name, record.texture, static_cast<float>(g_imageSize), ImVec2(0, 0),
                    ImVec2(1, 1));
        } else if (g_imageView == 1) {
            if (record.columns <= 1 && record.rows <= 1) continue;
            CellButtons(record, 0, false);
            Gap();
        } else {
            CellButtons(record, perLine, true);
            Gap();
        }
    }
}

VXAudioEntry* FindAudioEntry(const std::string& name) {
    for (VXAudioEntry& entry : g_audioEntries)
        if (entry.name == name) return &entry;
    return nullptr;
}

void DrawSounds() {
    VXAudioManager* audio = VXAudioManager::Instance();
    const VXTextureRecord* icon = VXGraphicsManager::Instance()->FindTexture("default.png");
    for (size_t i = 0; i < audio->names.size(); ++i) {
        if (i > 0) ImGui::SameLine();
        const std::string id = "audio " + std::to_string(i);
        const bool pressed = icon ? Picture(id, icon->texture, 50.0f, ImVec2(0, 0), ImVec2(1, 1))
                                  : ImGui::Button(id.c_str(), ImVec2(50, 50));
        if (ImGui::IsItemHovered())
            ImGui::SetTooltip("%s", ("ID: " + std::to_string(i) + "\n" + audio->names[i]).c_str());
        if (!pressed) continue;
        VXAudioEntry* entry =
            audio->names.size() == g_audioEntries.size() && i < g_audioNames.size()
                ? FindAudioEntry(g_audioNames[i])
                : nullptr;
        if (entry)
            entry->cue.Play();
        else
            audio->PlayIndex(static_cast<int>(i));
        for (size_t other = 0; other < audio->channels.size(); ++other)
            if (other != (entry ? static_cast<size_t>(entry->cue.index) : i))
                audio->StopChannel(static_cast<int>(other));
    }
}

void DrawResourceMenuBar(VXLevelEditor& editor) {
    if (!ImGui::BeginMenuBar()) return;
    if (ImGui::BeginMenu(g_tabTitle.empty() ? "IMAGES" : g_tabTitle.c_str())) {
        for (size_t t = 0; t < g_resourceTabs.size(); ++t)
            if (static_cast<int>(t) != g_resourceTab && ImGui::MenuItem(g_resourceTabs[t].c_str()))
                g_resourceTab = static_cast<int>(t);
        ImGui::EndMenu();
    }
    if (g_resourceTab == 0) {
        ImGui::PushItemWidth(100);
        float size = static_cast<float>(g_imageSize);
        if (ImGui::SliderFloat("IMAGE SIZE", &size, 50.0f, 200.0f, "%.0f"))
            g_imageSize = std::clamp(static_cast<int>(size), 50, 200);
        if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kTypeTip);
        ImGui::PopItemWidth();
        const char* views[3] = {"SINGLE IMAGES", "SPRITESHEETS", "INSTANCES"};
        for (int v = 0; v < 3; ++v) {
            ImGui::SameLine();
            if (ImGui::Button(views[v])) g_imageView = v;
            NoteEditorItem(std::string("Resource/") + views[v]);
        }
        const bool menu = ImGui::BeginMenu("LOAD NEW ASSETS");
        NoteEditorItem("Resource/LOAD NEW ASSETS");
        if (menu) {
            ImGui::MenuItem("SINGLE IMAGE");
            NoteEditorItem("Resource/SINGLE IMAGE");
            if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(0))
                editor.LoadNewAsset(".png ", 1, 1);
            ImGui::MenuItem("SPRITESHEETS");
            NoteEditorItem("Resource/SPRITESHEETS");
            if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(0)) g_sheetDialogOpen = true;
            ImGui::EndMenu();
        }
    } else {
        VXAudioManager* audio = VXAudioManager::Instance();
        ImGui::PushItemWidth(100);
        ImGui::SliderFloat("VOLUME", &audio->volume, 0.0f, 1.0f, "%0.1f");
        if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kTypeTip);
        ImGui::PopItemWidth();
        if (IsKeyTriggered('P') && !ImGuiTakesText())
            for (size_t i = 0; i < audio->channels.size(); ++i)
                audio->SetPaused(static_cast<int>(i), true);
        const int group = EditorChannelGroup();
        if (ImGui::Checkbox("PAUSE", &audio->paused)) {
            if (audio->paused)
                for (size_t i = 0; i < audio->channels.size(); ++i)
                    audio->SetChannelGroup(static_cast<int>(i), group);
            audio->SetGroupPaused(group, audio->paused);
        }
        ImGui::MenuItem("LOAD NEW AUDIO");
        NoteEditorItem("Resource/LOAD NEW AUDIO");
        if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(0)) editor.LoadNewAsset(".ogg ", 1, 1);
    }
    ImGui::EndMenuBar();
}

void DrawSheetDialog(VXLevelEditor& editor) {
    if (g_sheetDialogOpen && !ImGui::IsPopupOpen("Loading Spritesheet..."))
        ImGui::OpenPopup("Loading Spritesheet...");
    if (!ImGui::BeginPopupModal("Loading Spritesheet...")) return;
    ImGui::PushItemWidth(60);
    ImGui::InputInt("ROWS ", &g_sheetRows, 0, 0);
    NoteEditorItem("Sheet/ROWS");
    ImGui::InputInt("COLUMNS ", &g_sheetColumns, 0, 0);
    NoteEditorItem("Sheet/COLUMNS");
    ImGui::PopItemWidth();
    // A sheet of 1 to 256 cells a side, as the texture list allows.
    g_sheetRows = std::clamp(g_sheetRows, 1, 256);
    g_sheetColumns = std::clamp(g_sheetColumns, 1, 256);
    ImGui::Separator();
    const bool confirm = ImGui::Button("CONFIRM", ImVec2(60, 0));
    NoteEditorItem("Sheet/CONFIRM");
    ImGui::SameLine();
    const bool cancel = ImGui::Button("CANCEL", ImVec2(60, 0));
    if (confirm) editor.LoadNewAsset(".png ", g_sheetRows, g_sheetColumns);
    if (cancel) VXDebugConsole::Log("LOAD NEW ASSETS CANCELLED!\n");
    if (confirm || cancel) {
        g_sheetDialogOpen = false;
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

}  // namespace

void VXLevelEditor::DrawResourceLibrary() {
    if (!g_windowOpen[WindowResources]) return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
    ImGui::PushStyleColor(ImGuiCol_MenuBarBg, ImVec4(0, 0, 0, 0));
    ImGui::Begin("Resource Library", &g_windowOpen[WindowResources],
                 ImGuiWindowFlags_MenuBar | ImGuiWindowFlags_AlwaysHorizontalScrollbar);
    DrawResourceMenuBar(*this);
    DrawSheetDialog(*this);
    if (g_resourceTab == 0)
        DrawImages();
    else
        DrawSounds();
    ImGui::End();
    ImGui::PopStyleColor();
    ImGui::PopStyleVar();
    g_tabTitle = g_resourceTab == 1 ? "AUDIO " : "IMAGES";
}

void VXLevelEditor::LoadNewAsset(const std::string& extension, int rows, int columns) {
    const bool image = extension.rfind(".png", 0) == 0;
    g_pendingRows = rows;
    g_pendingColumns = columns;
    FilePicker().Open(
        {kLoadNewAssets, {image ? ".png" : ".ogg"}, image ? kImageFolder : kAudioFolder});
}

bool VXLevelEditor::HandleAssetAnswer(const VXFileAnswer& answer) {
    if (answer.purpose != kLoadNewAssets || answer.kind == VXFileAnswer::None) return false;
    if (answer.kind == VXFileAnswer::Cancelled) {
        VXDebugConsole::Log("LOAD NEW ASSETS CANCELLED!\n");
        return true;
    }
    const bool image = answer.path.rfind(kImageFolder, 0) == 0;
    ImportAsset(answer.path, image, g_pendingRows, g_pendingColumns);
    return true;
}

bool VXLevelEditor::ImportAsset(const std::string& path, bool image, int rows, int columns) {
    const std::string folder = image ? kImageFolder : kAudioFolder;
    const std::string name = FileNameOfPath(path);
    // The name becomes one word of a whitespace-separated list, read back
    // from the asset folder itself.
    if (!IsValidAssetName(name) || path != folder + name) {
        VXDebugConsole::Log("LOAD NEW ASSETS REFUSED! USE A FILE OF THE " +
                            std::string(image ? "img" : "audio") +
                            " FOLDER NAMED WITH LETTERS, DIGITS, _ - AND . ONLY\n");
        return false;
    }
    const std::string list = image ? kTextureList : kAudioList;
    std::string text;
    {
        std::ifstream in(list, std::ios::binary);
        std::ostringstream old;
        if (in) old << in.rdbuf();
        text = old.str();
    }
    // Every line ends with a line end, the last one too, so that a line
    // added later (by hand or by a shell) starts a line of its own.
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += name + '\n';
    if (image) text += std::to_string(columns) + '\n' + std::to_string(rows) + '\n';
    if (!WriteFileAtomic(list, text)) {
        VXDebugConsole::Log("ERROR OPENING FILE!\n");
        return false;
    }
    if (image) {
        VXGraphicsManager* graphics = VXGraphicsManager::Instance();
        graphics->textureImageNames.clear();
        graphics->textureImagePaths.clear();
        graphics->textureColumns.clear();
        graphics->textureRows.clear();
        graphics->ReadTextureList(list);
        graphics->AddNamedTexture(name, folder + name, columns, rows);
        return true;
    }
    VXAudioManager* audio = VXAudioManager::Instance();
    audio->names.clear();
    audio->LoadTextList(list);
    audio->CreateSound(folder + name);
    if (audio->names.empty()) return true;
    const std::string added = audio->names.back();
    g_audioNames.push_back(added);
    SoundCue cue(static_cast<int>(audio->sounds.size()) - 1);
    cue.volume = FrameContext().masterVolume;
    if (VXAudioEntry* entry = FindAudioEntry(added))
        entry->cue = cue;
    else
        g_audioEntries.push_back({added, cue});
    return true;
}

}  // namespace FrameWork
