#include "editor/VXFilePicker.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/VXLevelEditor.h"

namespace FrameWork {

namespace {

VXImGuiFilePicker g_imguiPicker;
VXFilePicker* g_picker = nullptr;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A single name inside the current folder: no separators, not "." or "..".
bool PlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

}  // namespace

VXFilePicker& FilePicker() {
    return g_picker ? *g_picker : g_imguiPicker;
}

void SetFilePicker(VXFilePicker* picker) {
    g_picker = picker;
}

void VXImGuiFilePicker::Open(const VXFileRequest& request) {
    request_ = request;
    if (!request_.root.empty() && request_.root.back() != '/') request_.root += '/';
    folder_.clear();
    name_.clear();
    note_.clear();
    open_ = true;
    popupRequested_ = true;
}

std::string VXImGuiFilePicker::Title() const {
    // ImGui needs a non-empty title; the id part keeps it one window.
    return (request_.purpose.empty() ? std::string("OPEN FILE") : request_.purpose) +
           "###VXFilePicker";
}

std::vector<std::string> VXImGuiFilePicker::Entries() const {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(request_.root + folder_, error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            folders.push_back(name + "/");
        } else if (it->is_regular_file(kindError)) {
            for (const std::string& extension : request_.extensions)
                if (EndsWith(name, extension)) {
                    files.push_back(name);
                    break;
                }
        }
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    std::vector<std::string> entries;
    if (!folder_.empty()) entries.push_back("..");
    entries.insert(entries.end(), folders.begin(), folders.end());
    entries.insert(entries.end(), files.begin(), files.end());
    return entries;
}

void VXImGuiFilePicker::Enter(const std::string& folder) {
    std::string name = folder;
    if (!name.empty() && name.back() == '/') name.pop_back();
    if (name == "..") {
        if (folder_.empty()) return;
        folder_.pop_back();
        const size_t slash = folder_.rfind('/');
        folder_ = slash == std::string::npos ? std::string() : folder_.substr(0, slash + 1);
    } else if (PlainName(name)) {
        std::error_code error;
        if (!std::filesystem::is_directory(request_.root + folder_ + name, error)) return;
        folder_ += name + "/";
    } else {
        return;
    }
    name_.clear();
    note_.clear();
}

bool VXImGuiFilePicker::Choose(const std::string& name, VXFileAnswer& answer) {
    const std::string path = request_.root + folder_ + name;
    std::error_code error;
    bool accepted = PlainName(name) && std::filesystem::is_regular_file(path, error);
    if (accepted && !request_.extensions.empty())
        accepted = std::any_of(request_.extensions.begin(), request_.extensions.end(),
                               [&](const std::string& e) { return EndsWith(name, e); });
    if (!accepted) {
        std::error_code kindError;
        const bool folder = PlainName(name) && std::filesystem::is_directory(path, kindError);
        note_ = "\"" + name + (folder ? "\" IS A FOLDER!" : "\" NOT FOUND!");
        return false;
    }
    answer = Close(VXFileAnswer::Chosen, path);
    return true;
}

VXFileAnswer VXImGuiFilePicker::Close(VXFileAnswer::Kind kind, const std::string& path) {
    open_ = false;
    VXFileAnswer answer;
    answer.kind = kind;
    answer.purpose = request_.purpose;
    answer.path = path;
    return answer;
}

VXFileAnswer VXImGuiFilePicker::Update() {
    VXFileAnswer answer;
    if (!open_) return answer;
    const std::string title = Title();
    if (popupRequested_) {
        ImGui::OpenPopup(title.c_str());
        popupRequested_ = false;
    }
    ImGui::SetNextWindowSize(ImVec2(420, 0), ImGuiCond_Appearing);
    if (!ImGui::BeginPopupModal(title.c_str(), nullptr, ImGuiWindowFlags_NoSavedSettings)) {
        // Closed by ImGui itself (the popup stack was replaced): a cancel.
        if (!ImGui::IsPopupOpen(title.c_str())) return Close(VXFileAnswer::Cancelled, "");
        return answer;
    }
    const std::string where = request_.root + folder_;
    ImGui::TextUnformatted(where.c_str());
    std::string enter;
    if (ImGui::BeginListBox("##entries", ImVec2(-1, 240))) {
        for (const std::string& entry : Entries()) {
            const bool isFolder = entry == ".." || entry.back() == '/';
            const bool selected = !isFolder && entry == name_;
            if (ImGui::Selectable(entry.c_str(), selected, ImGuiSelectableFlags_AllowDoubleClick)) {
                // The second click of a double click that entered a folder
                // lands on a row of that folder: it does nothing.  A double
                // click opens the file its first click chose.
                const bool second = ImGui::IsMouseDoubleClicked(0);
                if (second && enteredByClick_) {
                    enteredByClick_ = false;
                } else if (isFolder) {
                    enter = entry;
                    enteredByClick_ = true;
                } else {
                    if (second && name_ == entry) Choose(entry, answer);
                    name_ = entry;
                    enteredByClick_ = false;
                }
            }
            NoteEditorItem("Picker/" + entry);
        }
        ImGui::EndListBox();
    }
    if (!enter.empty()) Enter(enter);
    bool open = ImGui::InputText("NAME", &name_, ImGuiInputTextFlags_EnterReturnsTrue);
    if (!note_.empty()) ImGui::TextUnformatted(note_.c_str());
    open = ImGui::Button("OPEN", ImVec2(120, 0)) || open;
    ImGui::SameLine();
    const bool cancel = ImGui::Button("CANCEL", ImVec2(120, 0)) ||
                        ImGui::IsKeyPressed(ImGui::GetIO().KeyMap[ImGuiKey_Escape], false);
    if (answer.kind == VXFileAnswer::None && open) Choose(name_, answer);
    if (answer.kind == VXFileAnswer::None && cancel) answer = Close(VXFileAnswer::Cancelled, "");
    if (!open_) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return answer;
}

}  // namespace FrameWork
