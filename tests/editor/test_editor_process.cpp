// The game started with --editor, as a separate process.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "tests/support/GameProcess.h"

namespace {

TEST(EditorProcess, StartsTheEditorAndWritesImguiIniOnSigterm) {
    TestHarness::TempDataTree tree(false);
    TestHarness::GameProcess::Options options;
    options.args = {"--editor"};
    TestHarness::GameProcess game(tree, options);
    ASSERT_TRUE(game.WaitForLine(" -> VXEditor Initialized")) << game.Output();
    game.Signal(SIGTERM);
    EXPECT_EQ(game.Wait(), 16) << game.Output();
    EXPECT_NE(game.Output().find(" -> VXEditor Free\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(tree.RunDir() / "imgui.ini"));
}

}  // namespace
