// Choosing a file of the data folder from inside the editor.  A request
// names its purpose, the file extensions it accepts and the folder it is
// rooted at; the picker answers it with a path below that folder, or with a
// cancel.  The editor talks to the picker through this interface only, so
// that another picker (a test's) can answer in its place.
#pragma once

#include <string>
#include <vector>

namespace FrameWork {

struct VXFileRequest {
    // Shown as the picker's title and handed back with the answer.
    std::string purpose;
    // Accepted endings, with their dot (".json").
    std::vector<std::string> extensions;
    // The folder the picker starts in and never leaves, ending in "/".
    std::string root;
};

struct VXFileAnswer {
    enum Kind { None, Chosen, Cancelled };
    Kind kind = None;
    std::string purpose;
    // For Chosen: root + the chosen file's path below it.
    std::string path;
};

class VXFilePicker {
public:
    virtual ~VXFilePicker() = default;
    // Starts a request; one that is still open is replaced.
    virtual void Open(const VXFileRequest& request) = 0;
    virtual bool IsOpen() const = 0;
    // Once a frame inside the editor's ImGui frame: draws the picker while
    // it is open and returns the answer in the frame it is given (None in
    // every other frame).
    virtual VXFileAnswer Update() = 0;
};

// The picker in use: the ImGui one unless another was set.
VXFilePicker& FilePicker();
// Puts `picker` in place of the ImGui one; null puts the ImGui one back.
void SetFilePicker(VXFilePicker* picker);

// The ImGui picker: one modal listing "..", the folders and the matching
// files of the current folder, each sorted, with a name field; a
// double-click or Enter opens, Escape cancels.  It never changes the
// working directory.
class VXImGuiFilePicker : public VXFilePicker {
public:
    void Open(const VXFileRequest& request) override;
    bool IsOpen() const override { return open_; }
    VXFileAnswer Update() override;

    // The current folder's entries as the modal lists them: ".." (below the
    // root only), then folders ending in "/", then the files the request
    // accepts.
    std::vector<std::string> Entries() const;
    // Opens the file `name` of the current folder: an existing regular file
    // with an accepted ending answers Chosen; anything else keeps the
    // picker open with a note: "IS A FOLDER!" for a folder, "NOT FOUND!"
    // for anything else.
    bool Choose(const std::string& name, VXFileAnswer& answer);
    // The note under the name field ("" when there is none).
    const std::string& Note() const { return note_; }
    // Enters a folder of the current one (".." goes up, never above the
    // root).
    void Enter(const std::string& folder);
    const std::string& Folder() const { return folder_; }

private:
    std::string Title() const;
    VXFileAnswer Close(VXFileAnswer::Kind kind, const std::string& path);

    VXFileRequest request_;
    // The current folder below the root ("" or "a/b/").
    std::string folder_;
    std::string name_;
    std::string note_;
    bool open_ = false;
    bool popupRequested_ = false;
    // The last click on a row entered a folder.
    bool enteredByClick_ = false;
};

}  // namespace FrameWork
