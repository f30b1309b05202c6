// Sound files the mixer must not see: files too short for any sound format
// and folders.  Loading them leaves no file descriptor open.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/PlatformAudio.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;

namespace {

size_t OpenDescriptors() {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++n;
    }
    return n;
}

TEST(PlatformSounds, ShortFilesAndFoldersAreRefusedWithoutLeakingDescriptors) {
    TestHarness::TempDataTree tree;
    if (!Platform::OpenAudio()) GTEST_SKIP() << "no sound device: " << Platform::LastAudioError();
    std::vector<std::string> paths = {tree.Data("audio").string()};
    for (size_t size = 0; size < 12; ++size) {
        const std::string name = "audio/short" + std::to_string(size) + ".wav";
        tree.WriteData(name, std::string("OggS\0\0\0\0\0\0\0\0", size));
        paths.push_back(tree.Data(name).string());
    }
    const size_t before = OpenDescriptors();
    for (int round = 0; round < 10; ++round)
        for (const std::string& path : paths)
            EXPECT_EQ(Platform::LoadSoundClip(path), nullptr) << path;
    EXPECT_EQ(OpenDescriptors(), before);
    Platform::CloseAudio();
}

}  // namespace
