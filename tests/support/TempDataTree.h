// A throw-away copy of the game's data for one test: T/VXEngine/data holds a
// copy of the repository's data/ folder (empty when there is none), and the
// working directory is T/run while the tree lives, so kDataRoot
// reaches the copy and nothing a test does touches the repository.
#pragma once

#include <filesystem>
#include <string>

namespace TestHarness {

class TempDataTree {
public:
    // `enterRun`: change into T/run now (and back when destroyed).
    explicit TempDataTree(bool enterRun = true);
    ~TempDataTree();
    TempDataTree(const TempDataTree&) = delete;
    TempDataTree& operator=(const TempDataTree&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path RunDir() const { return root_ / "run"; }
    std::filesystem::path DataDir() const { return root_ / "VXEngine" / "data"; }
    // A path below the data copy, e.g. Data("objects/audiolist.txt").
    std::filesystem::path Data(const std::string& relative) const { return DataDir() / relative; }
    // Writes a file below the data copy, creating its folders.
    void WriteData(const std::string& relative, const std::string& content) const;
    void RemoveData(const std::string& relative) const;

private:
    std::filesystem::path root_;
    std::filesystem::path previousDir_;
    bool entered_ = false;
};

// The repository's root folder and the built game, as CMake saw them.
std::filesystem::path SourceDir();
std::filesystem::path GameExecutable();

}  // namespace TestHarness
