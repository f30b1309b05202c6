// Engine pieces that run without a window: matrices, directory listing, the
// random generator, the start-up tables, level objects and the frame-time
// arithmetic.  This executable never builds the start-up globals,
// so it owns the level count.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/GameState.h"
#include "core/Message.h"
#include "core/VXDebugManager.h"
#include "core/VXGlobalTables.h"
#include "core/VXInputManager.h"
#include "core/VXLevel_Base.h"
#include "core/VXMath.h"
#include "engine/VXEngine.h"
#include "engine/VXGameStateManager.h"
#include "engine/VXLevelObjects.h"
#include "graphics/VXGraphicsManager.h"
#include "physics/VXPhysicsManager.h"
#include "platform/Platform.h"

using namespace FrameWork;
namespace fs = std::filesystem;

namespace {

class EmptyLevel : public VXLevel_Base {
public:
    VXLevel_Base* Create() override { return new EmptyLevel(); }
    void Initialize() override {}
    void Update() override {}
    void Free() override {}
};

void ExpectMatrix(const float* actual, const float (&expected)[16]) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "index " << i;
}

// M p for a column point (x, y, z, 1) with M stored row by row.
void Transform(const float m[16], float x, float y, float z, float out[3]) {
    for (int r = 0; r < 3; ++r)
        out[r] = m[4 * r] * x + m[4 * r + 1] * y + m[4 * r + 2] * z + m[4 * r + 3];
}

}  // namespace

TEST(MatrixHelpers, RotateOnTheLeftMultiplyRowTimesColumn) {
    // A translation by (10, 0, 0) turned 90 degrees about z afterwards moves
    // the translation itself to (0, 10, 0); applied on the right it would not.
    float m[16];
    Matrix4::Identity(m);
    m[3] = 10.0f;
    Matrix4::Rotate(m, 90.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(m[3], 0.0f, 1e-5f);
    EXPECT_NEAR(m[7], 10.0f, 1e-5f);
    float p[3];
    Matrix4::Identity(m);
    Matrix4::Rotate(m, 90.0f, 1.0f, 0.0f, 0.0f);  // y -> z
    Transform(m, 0.0f, 1.0f, 0.0f, p);
    EXPECT_NEAR(p[2], 1.0f, 1e-6f);
    Matrix4::Identity(m);
    Matrix4::Rotate(m, 90.0f, 0.0f, 1.0f, 0.0f);  // z -> x
    Transform(m, 0.0f, 0.0f, 1.0f, p);
    EXPECT_NEAR(p[0], 1.0f, 1e-6f);

    const float a[16] = {1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float b[16] = {1, 0, 0, 5, 0, 1, 0, 7, 0, 0, 1, 0, 0, 0, 0, 1};
    float out[16];
    Matrix4::Multiply(a, out, b);
    ExpectMatrix(out, {1, 2, 0, 19, 0, 1, 0, 7, 0, 0, 1, 0, 0, 0, 0, 1});

    float r[9];
    Matrix3::SetRotationZ(r, 90.0f);
    EXPECT_NEAR(r[1], -1.0f, 1e-6f);  // (0, 1) = -sin
    EXPECT_NEAR(r[3], 1.0f, 1e-6f);   // (1, 0) = sin
    EXPECT_EQ(r[8], 1.0f);
}

TEST(ListDirectory, RegularFilesSortedByBytesWithUtf8Names) {
    const fs::path dir = fs::temp_directory_path() / ("pellwick-list-" + std::to_string(getpid()));
    fs::create_directories(dir / "sub");
    for (const char* name : {"b.json", "a.json", "Z.json", ".hidden", "\xc3\xbcmlaut.json"})
        std::ofstream(dir / fs::u8path(name)) << "x";
    const std::vector<std::string> expected = {".hidden", "Z.json", "a.json", "b.json",
                                               "\xc3\xbcmlaut.json"};
    for (const std::string pattern : {"/*", "\\*", ""})
        EXPECT_EQ(Platform::ListDirectory(dir.string() + pattern), expected) << pattern;
    EXPECT_TRUE(Platform::ListDirectory((dir / "missing").string() + "/*").empty());
    EXPECT_TRUE(Platform::ListDirectory((dir / "sub").string() + "/*").empty());
    fs::remove_all(dir);
}

TEST(Rand, FifteenBitsAndTheSameSequenceForASeed) {
    Platform::SRand(1234);
    std::vector<int> first;
    int highest = 0;
    for (int i = 0; i < 100000; ++i) {
        int v = Platform::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, Platform::RandMax);
        highest = std::max(highest, v);
        if (i < 10) first.push_back(v);
    }
    EXPECT_GT(highest, 32000);
    Platform::SRand(1234);
    for (int v : first) EXPECT_EQ(Platform::Rand(), v);
}

TEST(LevelObjects, TheLastLevelObjectToGoEmptiesTheOwnerTable) {
    ASSERT_EQ(g_liveLevels, 0);
    BuildClonedOwnerTypes();
    auto first = std::make_unique<EmptyLevel>();
    auto second = std::make_unique<EmptyLevel>();
    EXPECT_EQ(g_liveLevels, 2);
    EXPECT_TRUE(first->name.empty());
    first.reset();
    EXPECT_EQ(g_liveLevels, 1);
    EXPECT_EQ(g_clonedOwnerType.size(), 6u);
    second.reset();
    EXPECT_EQ(g_liveLevels, 0);
    EXPECT_TRUE(g_clonedOwnerType.empty());
}

TEST(GameStateManager, IdsWithoutAnObjectLeaveTheLevelAlone) {
    EmptyLevel replacement;
    ReplaceLevelObject(GameState::Level2, &replacement);
    VXGameStateManager* manager = VXGameStateManager::Instance();
    VXLevel_Base* level = nullptr;
    manager->GetLevelForState(GameState::Level2, level);
    EXPECT_EQ(level, &replacement);
    for (int id : std::vector<int>{GameState::Reload, GameState::Back, GameState::Quit, 9, -3}) {
        manager->GetLevelForState(id, level);
        EXPECT_EQ(level, &replacement) << "id " << id;
    }
    ReplaceLevelObject(GameState::Level2, nullptr);
}

TEST(FrameTime, WholeMicrosecondsOfTheCounter) {
    VXEngine* engine = VXEngine::Instance();
    Platform::TestClock clock;
    clock.frequency = 3000000;  // 3 counts a microsecond
    clock.now = 0;
    Platform::InstallTestClock(&clock);

    engine->counterLast = 0;
    clock.now = 50001;  // 16667 us
    engine->UpdateFrameTime();
    EXPECT_EQ(engine->frameTime, 16667 * 0.000001f);
    clock.now += 2;  // less than a microsecond
    engine->UpdateFrameTime();
    EXPECT_EQ(engine->frameTime, 0.0f);

    // Six hours on a nanosecond counter still come out in whole microseconds.
    clock.frequency = 1000000000;
    engine->counterLast = 0;
    clock.now = 21600ull * 1000000000ull + 999;
    engine->UpdateFrameTime();
    EXPECT_FLOAT_EQ(engine->frameTime, 21600.0f);
    clock.frequency = 3000000;
    engine->counterFrequency = 3000000;

    // A long frame: the limiter ends at once and adds the whole frame.
    engine->counterLast = clock.now;
    clock.now += 300000;  // 100 ms
    const float before = engine->totalTime;
    engine->LimitFrameRate();
    EXPECT_FLOAT_EQ(engine->frameTime, 0.1f);
    EXPECT_FLOAT_EQ(engine->totalTime, before + 0.1f);
    EXPECT_EQ(engine->counterLast + 300000, clock.now);  // the limiter leaves it
    Platform::InstallTestClock(nullptr);
}

TEST(FrameTime, TheLimiterWaitsForASixtiethOnTheRealCounter) {
    VXEngine* engine = VXEngine::Instance();
    Platform::InstallTestClock(nullptr);
    engine->counterFrequency = Platform::GetPerformanceFrequency();
    engine->counterLast = Platform::GetPerformanceCounter();
    engine->totalTime = 0.0f;
    engine->LimitFrameRate();
    EXPECT_GE(engine->frameTime, 0.016666668f);
    EXPECT_EQ(engine->totalTime, engine->frameTime);
}
