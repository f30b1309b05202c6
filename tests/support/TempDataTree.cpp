#include "tests/support/TempDataTree.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace TestHarness {

fs::path SourceDir() {
    return fs::path(PELLWICK_SOURCE_DIR);
}
fs::path GameExecutable() {
    return fs::path(PELLWICK_GAME_EXE);
}

TempDataTree::TempDataTree(bool enterRun) {
    fs::path base = fs::temp_directory_path();
    std::string pattern = (base / "pellwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    fs::create_directories(DataDir());
    fs::create_directories(RunDir());
    const fs::path source = SourceDir() / "data";
    if (fs::is_directory(source))
        fs::copy(source, DataDir(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    if (enterRun) {
        previousDir_ = fs::current_path();
        fs::current_path(RunDir());
        entered_ = true;
    }
}

TempDataTree::~TempDataTree() {
    std::error_code ec;
    if (entered_) fs::current_path(previousDir_, ec);
    if (!std::getenv("PELLWICK_KEEP_TEMP")) fs::remove_all(root_, ec);
}

void TempDataTree::WriteData(const std::string& relative, const std::string& content) const {
    const fs::path path = Data(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

void TempDataTree::RemoveData(const std::string& relative) const {
    std::error_code ec;
    fs::remove_all(Data(relative), ec);
}

}  // namespace TestHarness
