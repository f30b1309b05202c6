// Saves never leave a half-written file: a failed save reports itself and
// keeps the previous file, and a process killed while saving leaves either
// the old or the new file, whole.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "tests/support/ObjectsFixture.h"

using namespace FrameWork;
using TestHarness::ObjectsTest;
class ObjectSaves : public ObjectsTest {};
using TestHarness::Printed;
using TestHarness::ReadFile;

namespace {

// `count` objects whose names carry `tag`, as a save file's text.
std::vector<std::unique_ptr<GameObject>> MakeObjects(int count, const std::string& tag) {
    std::vector<std::unique_ptr<GameObject>> list;
    for (int i = 0; i < count; ++i)
        list.emplace_back(new GameObject(1, 1, 4, 1, 1, 0, static_cast<float>(i), 0.0f,
                                         tag + std::to_string(i), 0, 0, 0));
    return list;
}

std::vector<GameObject*> Pointers(const std::vector<std::unique_ptr<GameObject>>& owned) {
    std::vector<GameObject*> list;
    for (const auto& o : owned) list.push_back(o.get());
    return list;
}

size_t CountTemporaryFiles(const std::filesystem::path& folder, const std::string& stem) {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(stem + ".", 0) == 0) ++n;
    return n;
}

}  // namespace

TEST_F(ObjectSaves, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    auto first = MakeObjects(3, "first");
    auto second = MakeObjects(2, "second");
    const std::filesystem::path path = Scratch("level.json");
    ASSERT_TRUE(SaveObjectsToFile(Pointers(first), path.string()));
    EXPECT_EQ(ReadFile(path), ObjectsToText(Pointers(first)));
    ASSERT_TRUE(SaveObjectsToFile(Pointers(second), path.string()));
    EXPECT_EQ(ReadFile(path), ObjectsToText(Pointers(second)));
    EXPECT_EQ(CountTemporaryFiles(scratch, "level.json"), 0u);
    // A new file is readable by others, as an ordinary save would be.
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(ObjectSaves, FailedSaveReportsAndKeepsThePreviousFile) {
    auto objects = MakeObjects(2, "o");
    VXObjectManager manager;
    std::string out = Printed([&] {
        EXPECT_FALSE(
            SaveObjectsToFile(Pointers(objects), Scratch("no/such/folder/x.json").string()));
        EXPECT_FALSE(SaveObjectsToFile(Pointers(objects), ""));
    });
    EXPECT_NE(out.find("ERROR: could not save " + Scratch("no/such/folder/x.json").string()),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Scratch("no")));

    // A target that cannot be replaced (a non-empty folder of that name).
    const std::filesystem::path blocked = Scratch("blocked.json");
    std::filesystem::create_directories(blocked / "inside");
    out = Printed([&] { EXPECT_FALSE(SaveObjectsToFile(Pointers(objects), blocked.string())); });
    EXPECT_NE(out.find("ERROR"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_EQ(CountTemporaryFiles(scratch, "blocked.json"), 0u);
}

TEST_F(ObjectSaves, ProcessKilledWhileSavingLeavesAWholeFile) {
    // Two large versions of one level; the child saves them in turn until it
    // is killed at a random moment.
    auto a = MakeObjects(4000, "alpha");
    auto b = MakeObjects(4000, "beta");
    const std::string textA = ObjectsToText(Pointers(a));
    const std::string textB = ObjectsToText(Pointers(b));
    const std::filesystem::path path = Scratch("level.json");
    ASSERT_TRUE(SaveObjectsToFile(Pointers(a), path.string()));

    std::mt19937 rng(99);
    int sawNew = 0;
    int killedMidSave = 0;
    for (int round = 0; round < 25; ++round) {
        std::fflush(stdout);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::freopen("/dev/null", "w", stdout);
            for (int i = 0;; ++i) SaveObjectsToFile(Pointers(i % 2 ? a : b), path.string());
        }
        usleep(1000 + rng() % 40000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string now = ReadFile(path);
        ASSERT_TRUE(now == textA || now == textB)
            << "round " << round << ": a file of " << now.size() << " bytes";
        if (now == textB) ++sawNew;
        // What the killed save left behind is at most its own temporary file.
        size_t left = CountTemporaryFiles(scratch, "level.json");
        EXPECT_LE(left, 1u);
        if (left) ++killedMidSave;
        for (const auto& entry : std::filesystem::directory_iterator(scratch))
            if (entry.path() != path) std::filesystem::remove(entry.path());
    }
    std::cout << "rounds killed during a save: " << killedMidSave << " of 25; rounds whose "
              << "last save had completed with the second version: " << sawNew << std::endl;
}
