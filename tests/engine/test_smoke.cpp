// The built game as a player starts it: its standard output line by line,
// and the exit codes of its ways to end.
#include <gtest/gtest.h>

#include <csignal>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/GameProcess.h"

using TestHarness::GameProcess;
using TestHarness::TempDataTree;

namespace {

const char* const kRunning = " -- Engine running --";

// One expected line: exact text, a prefix, or a regular expression.
struct Expect {
    enum Kind { Exact, Prefix, Pattern } kind;
    std::string text;
};

// The lines of the start-up tables and the engine's first systems.
std::vector<Expect> SystemLines() {
    return {
        {Expect::Exact, " -> Audio management system"},
        {Expect::Exact, "Starting Engine systems: "},
        {Expect::Exact, " -> Input system"},
        {Expect::Exact, " -> Graphics management system"},
        {Expect::Exact, " -> Game state manager"},
        {Expect::Exact, ""},
    };
}

std::vector<Expect> Concat(std::vector<Expect> a, const std::vector<Expect>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Expect> StartupLines(const std::string& versionPattern) {
    return Concat(SystemLines(), {
                                     {Expect::Pattern, "Team Quorvane - OpenGL v" + versionPattern},
                                     {Expect::Exact, ""},
                                     {Expect::Exact, "System GPU"},
                                     {Expect::Prefix, " -> Graphic card    : "},
                                     {Expect::Prefix, " -> Model           : "},
                                     {Expect::Exact, ""},
                                     {Expect::Exact, "Processes"},
                                     {Expect::Exact, " -> OpenGL scene setup complete"},
                                     {Expect::Exact, " -> Debug manager"},
                                     {Expect::Exact, " -> Shaders initialized"},
                                     {Expect::Exact, ""},
                                     {Expect::Exact, kRunning},
                                     {Expect::Exact, ""},
                                 });
}

// Shut-down after a close request: the shut-down lines and two line ends.
std::vector<Expect> CloseRoadLines() {
    return {
        {Expect::Exact, ""},
        {Expect::Exact, "Engine systems shutting down"},
        {Expect::Exact, " -> Input system"},
        {Expect::Exact, " -> Graphics management system"},
        {Expect::Exact, ""},
        {Expect::Exact, ""},
    };
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<Expect>& expected) {
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        const Expect& e = expected[i];
        const std::string& line = actual[i];
        switch (e.kind) {
            case Expect::Exact:
                EXPECT_EQ(line, e.text) << "line " << i + 1;
                break;
            case Expect::Prefix:
                EXPECT_EQ(line.substr(0, e.text.size()), e.text) << "line " << i + 1;
                EXPECT_GT(line.size(), e.text.size()) << "line " << i + 1 << " has no value";
                break;
            case Expect::Pattern:
                EXPECT_TRUE(std::regex_match(line, std::regex(e.text)))
                    << "line " << i + 1 << ": \"" << line << "\" against " << e.text;
                break;
        }
    }
    EXPECT_EQ(actual.size(), expected.size());
}

}  // namespace

TEST(GameSmoke, StartsAndEndsOnSigtermThroughTheCloseRoad) {
    TempDataTree tree(false);
    GameProcess game(tree);
    ASSERT_TRUE(game.WaitForLine(kRunning)) << game.Output();
    game.Signal(SIGTERM);
    EXPECT_EQ(game.Wait(), 16) << game.Output();
    ExpectLines(game.Lines(), Concat(StartupLines("4\\.[0-9]+"), CloseRoadLines()));
}

TEST(GameSmoke, ClosingTheWindowTakesTheCloseRoad) {
    TempDataTree tree(false);
    GameProcess game(tree);
    ASSERT_TRUE(game.WaitForLine(kRunning)) << game.Output();
    ASSERT_TRUE(TestHarness::RequestWindowClose(game.Pid()));
    EXPECT_EQ(game.Wait(), 16) << game.Output();
    ExpectLines(game.Lines(), Concat(StartupLines("[34]\\.[0-9]+"), CloseRoadLines()));
}

TEST(GameSmoke, RunsOnAnOpenGL33Driver) {
    TempDataTree tree(false);
    GameProcess::Options options;
    options.setEnv = {{"MESA_GL_VERSION_OVERRIDE", "3.3"}};
    GameProcess game(tree, options);
    ASSERT_TRUE(game.WaitForLine(kRunning)) << game.Output();
    game.Signal(SIGTERM);
    EXPECT_EQ(game.Wait(), 16);
    ExpectLines(game.Lines(), Concat(StartupLines("3\\.3"), CloseRoadLines()));
}

// No display, or no OpenGL 3.3 context: the error lines that say which,
// then a non-zero exit code.
void ExpectStartFailure(const GameProcess::Options& options, const Expect& reason) {
    TempDataTree tree(false);
    GameProcess game(tree, options);
    const int code = game.Wait();
    EXPECT_NE(code, 0);
    EXPECT_LT(code, 128) << "ended by a signal";
    ExpectLines(game.Lines(), Concat(SystemLines(), {
                                                        {Expect::Exact, "ERROR"},
                                                        reason,
                                                        {Expect::Exact, ""},
                                                    }));
}

TEST(GameSmoke, WithoutADisplayItReportsTheFailureAndExitsNonZero) {
    GameProcess::Options options;
    options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    ExpectStartFailure(options, {Expect::Prefix, " -> No display to open the window on ("});
}

TEST(GameSmoke, ADriverBelowOpenGL33IsAFailedStart) {
    GameProcess::Options options;
    options.setEnv = {{"MESA_GL_VERSION_OVERRIDE", "2.1"}};
    ExpectStartFailure(options, {Expect::Exact, " -> OpenGL failed to start up"});
}

TEST(GameSmoke, TheDataTreeIsACopyAndTheRunFolderReachesIt) {
    TempDataTree tree(false);
    EXPECT_TRUE(std::filesystem::is_directory(tree.RunDir()));
    EXPECT_TRUE(std::filesystem::is_directory(tree.RunDir() / ".." / "VXEngine" / "data"));
    tree.WriteData("objects/probe.txt", "x");
    EXPECT_TRUE(std::filesystem::exists(tree.RunDir() / "../VXEngine/data/objects/probe.txt"));
    EXPECT_FALSE(std::filesystem::exists(TestHarness::SourceDir() / "data/objects/probe.txt"));
}
