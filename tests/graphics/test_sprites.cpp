// Sprites, textures, texts and the camera without a GL context: image
// fallbacks, the texture list and table, animation stepping, fades, camera
// follow, glyph sets and the JSON blocks of sprites and texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/DataRoot.h"
#include "core/VXFrameContext.h"
#include "graphics/VXFont.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;
using TestHarness::Printed;

namespace {

std::unique_ptr<GameObject> MakeObject(float x = 0.0f, float y = 0.0f) {
    return std::make_unique<GameObject>(100.0f, 100.0f, 1, 1, 1, 0, x, y, "obj", 0.0f, 0.0f, 0.0f);
}

// A record of a columns x rows sheet, built without loading an image.
std::unique_ptr<VXTextureRecord> Sheet(uint32_t columns, uint32_t rows) {
    auto record = std::make_unique<VXTextureRecord>(1.0f, 1.0f, 1.0f);
    record->columns = columns;
    record->rows = rows;
    record->ComputeFrameOffsets();
    return record;
}

// The frames a sprite shows over `draws` draws.
std::vector<uint32_t> Shown(VXSpriteComponent& sprite, int draws) {
    std::vector<uint32_t> frames;
    for (int i = 0; i < draws; ++i) frames.push_back(sprite.Tick());
    return frames;
}

// A sprite on `sheet` with one row of the cells `cells`.
std::shared_ptr<VXSpriteComponent> Animated(GameObject* owner, VXTextureRecord* sheet,
                                            const std::vector<int>& cells, int fps) {
    auto sprite = std::make_shared<VXSpriteComponent>(owner);
    sprite->texture = sheet;
    sprite->SetAnimationCount(1);
    for (int cell : cells) sprite->AddFrame(cell, 0);
    sprite->SetFPS(fps);
    return sprite;
}

std::string Json(Component& component) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.SetIndent(' ', 4);
    writer.StartObject();
    component.Serialize(writer, buffer);
    writer.EndObject();
    return buffer.GetString();
}

const std::string kImg = DataPath("img/");

}  // namespace

// --- Texture files and the texture table -------------------------------------------

class SpriteTextures : public ::testing::Test {
protected:
    TestHarness::TempDataTree tree;
};

TEST_F(SpriteTextures, FailedImagesFallBackAsDocumented) {
    struct Case {
        const char* what;
        bool defaultImage;  // a 2 x 3 default.png, or none at all
        const char* file;
        int columns, rows;
        std::string printed;
        uint32_t sheetColumns, sheetRows;
        int width, height;
        size_t frames;
    };
    const Case cases[] = {
        {"missing file: the default, silently", true, "none.png", 4, 2, "", 1, 1, 2, 3, 1},
        {"missing default too", false, "none.png", 4, 2,
         "\nERROR\n -> Default texture not found, please find a replacement thank you\n" + kImg +
             "none.png\n\n",
         4, 2, 0, 0, 0},
        {"corrupt file: a one-pixel sheet", true, "broken.png", 4, 2,
         "\nERROR\n -> Texture image fail to load, image file may be corrupted.\n" + kImg +
             "broken.png\n\n",
         4, 2, 1, 1, 8},
        {"zero columns and rows: one cell", true, "default.png", 0, 0, "", 1, 1, 2, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tree.RemoveData("img/default.png");
        if (c.defaultImage)
            TestHarness::WritePng(tree.Data("img/default.png"), 2, 3,
                                  std::vector<TestHarness::Pixel>(6, {9, 9, 9, 255}));
        tree.WriteData("img/broken.png", "this is not an image");
        VXTextureRecord record(1, 1, 1);
        EXPECT_EQ(Printed([&] { record.Load(kImg + c.file, c.columns, c.rows); }), c.printed);
        EXPECT_EQ(record.frameOffsets.size(), c.frames);
        if (c.frames == 0) {
            EXPECT_EQ(record.texture, 0u);
            continue;
        }
        EXPECT_EQ(record.columns, c.sheetColumns);
        EXPECT_EQ(record.rows, c.sheetRows);
        EXPECT_EQ(record.width, c.width);
        EXPECT_EQ(record.height, c.height);
    }
}

TEST_F(SpriteTextures, TextureListReadsTriplesAndReportsAMissingFile) {
    tree.WriteData("objects/texturelist.txt", "a.png 4 2\nb.png 1 1\nArrow.png 51 42949672\n");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const std::string list = DataPath("objects/texturelist.txt");
    EXPECT_EQ(Printed([&] { graphics->ReadTextureList(list); }),
              " -> " + list + ": Arrow.png asks for a 51 x 42949672 sheet; 51 x 256 used\n");
    ASSERT_EQ(graphics->textureImageNames,
              (std::vector<std::string>{"a.png", "b.png", "Arrow.png"}));
    EXPECT_EQ(graphics->textureImagePaths[1], kImg + "b.png");
    EXPECT_EQ(graphics->textureColumns, (std::vector<int>{4, 1, 51}));
    EXPECT_EQ(graphics->textureRows, (std::vector<int>{2, 1, 256}));
    for (const std::string& path : {std::string("missing.txt"), DataPath("objects")})
        EXPECT_EQ(Printed([&] { graphics->ReadTextureList(path); }),
                  "loading from " + path + " failed!\n");
    EXPECT_EQ(graphics->textureImageNames.size(), 3u);
    graphics->Clear();
    EXPECT_TRUE(graphics->textureImageNames.empty());
}

TEST_F(SpriteTextures, ABadEntryIsReportedWithItsLineAndTheRestOfTheListLoads) {
    // The shipped list behind a first line whose sizes are not numbers, with
    // a short entry in the middle and another at the end.
    const std::string shipped = TestHarness::ReadFile(tree.Data("objects/texturelist.txt"));
    tree.WriteData("objects/texturelist.txt",
                   "Broken.png one two\n" + shipped + "\nShort.png 4\nc.png 1 1\nEnd.png 2");
    std::vector<std::string> names;
    std::istringstream words(shipped);
    for (std::string name, columns, rows; words >> name >> columns >> rows;) names.push_back(name);
    names.push_back("c.png");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const std::string list = DataPath("objects/texturelist.txt");
    const size_t lines = static_cast<size_t>(std::count(shipped.begin(), shipped.end(), '\n'));
    auto line = [&](size_t n, const std::string& entry) {
        return " -> " + list + " line " + std::to_string(n) + ": \"" + entry +
               "\" is not an image name, columns and rows; skipped\n";
    };
    EXPECT_EQ(Printed([&] { graphics->ReadTextureList(list); }),
              line(1, "Broken.png one two") + line(lines + 3, "Short.png 4") +
                  line(lines + 5, "End.png 2"));
    EXPECT_EQ(graphics->textureImageNames, names);
    EXPECT_EQ(graphics->textureColumns.back(), 1);
    graphics->Clear();
}

TEST_F(SpriteTextures, RecordsKeepTheirAddressAndTheFirstOfANameIsFound) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->Clear();
    const std::string file = kImg + "default.png";
    VXTextureRecord* first = graphics->AddNamedTexture("same", file, 1, 1);
    VXTextureRecord* second = graphics->AddNamedTexture("same", file, 1, 1);
    EXPECT_EQ(second->serial, first->serial + 1);
    EXPECT_EQ(graphics->AddTexture(file, 1, 1)->name, "Shape");
    for (int i = 0; i < 400; ++i) graphics->AddNamedTexture("filler", file, 1, 1);
    EXPECT_EQ(graphics->FindTexture("same"), first);
    EXPECT_EQ(graphics->FindTexture("other"), nullptr);

    auto owner = MakeObject();
    auto sprite = std::make_shared<VXSpriteComponent>(owner.get());
    graphics->AssignTexture(sprite.get(), "same");
    graphics->AssignTexture(sprite.get(), "nothing");  // kept
    EXPECT_EQ(sprite->texture, first);
    graphics->AddToRenderList(sprite);
    graphics->AddToRenderList(sprite);
    EXPECT_EQ(graphics->renderList.size(), 1u) << "the same sprite is listed once";
}

// --- Animation ----------------------------------------------------------------------

TEST(SpriteAnimation, FramesPerSecondGiveTicksPerFrame) {
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    const int rates[][2] = {{60, 1}, {1, 60}, {7, 8}, {25, 2}, {0, 60}, {61, 60}, {-4, 60}};
    for (const auto& r : rates) {
        sprite.SetFPS(r[0]);
        EXPECT_EQ(sprite.animation.ticksPerFrame, static_cast<uint32_t>(r[1])) << "fps " << r[0];
    }
    EXPECT_EQ(sprite.animation.framesPerSecond, 1) << "out of range stores one frame a second";
}

TEST(SpriteAnimation, PauseHoldsTheFrameAndPlayOnceStopsOnFrameZero) {
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    auto sprite = Animated(owner.get(), sheet.get(), {0, 1, 2}, 60);
    EXPECT_EQ(Shown(*sprite, 2), (std::vector<uint32_t>{0, 1}));
    FrameContext().paused = 1;
    EXPECT_EQ(Shown(*sprite, 3), (std::vector<uint32_t>{1, 1, 1}));
    FrameContext().paused = 0;
    EXPECT_EQ(Shown(*sprite, 2), (std::vector<uint32_t>{2, 0}));

    auto once = Animated(owner.get(), sheet.get(), {0, 1, 2, 3}, 60);
    once->playing = false;
    once->playOnce = true;
    EXPECT_EQ(Shown(*once, 7), (std::vector<uint32_t>{0, 1, 2, 3, 0, 0, 0}));
    EXPECT_TRUE(once->finished);
    EXPECT_FALSE(once->playing || once->playOnce);
    EXPECT_TRUE(once->TakeAnimationFinished());
    EXPECT_FALSE(once->TakeAnimationFinished());

    auto single = Animated(owner.get(), sheet.get(), {2}, 60);
    single->playOnce = true;
    Shown(*single, 10);
    EXPECT_FALSE(single->finished) << "its last frame is frame 0";
}

TEST(SpriteAnimation, RowsFramesAndOutOfRangeCalls) {
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    sprite.AddFrame(0, 0);  // no texture: ignored
    sprite.texture = sheet.get();
    sprite.AddFrame(0, 0);  // no frame rows yet: ignored
    EXPECT_TRUE(sprite.cellRows.empty());

    sprite.SetAnimationCount(1);
    sprite.AddFrame(4, 0);
    sprite.AddFrame(5, 1);  // one frame row: the frame joins row 0, the cell a second cell row
    ASSERT_EQ(sprite.cellRows.size(), 2u);
    EXPECT_EQ(sprite.cellRows[1], std::vector<int32_t>{5});
    ASSERT_EQ(sprite.animation.frameRows[0].size(), 2u);
    EXPECT_EQ(sprite.animation.frameRows[0][1], &sheet->frameOffsets[5]);
    for (auto [cell, row] : {std::pair{8, 0}, {-1, 0}, {1, 7}}) sprite.AddFrame(cell, row);
    EXPECT_EQ(sprite.cellRows.size(), 2u);
    EXPECT_EQ(sprite.animation.frameRows[0].size(), 2u);

    sprite.SetAnimationCount(1);  // now two frame rows
    sprite.AddFrame(6, 1);
    sprite.AddFrame(7, 1);
    sprite.SetAnimation(1);
    sprite.SetFrame(1);
    sprite.SetAnimation(1);  // the same row keeps its frame
    sprite.SetAnimation(2);  // no such row: ignored
    sprite.SetAnimation(-1);
    EXPECT_EQ(sprite.CurrentOffset(), &sheet->frameOffsets[7]);

    VXSpriteComponent bare(owner.get());  // no current row: draws without stepping
    bare.texture = sheet.get();
    EXPECT_EQ(Shown(bare, 3), (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(bare.CurrentOffset(), nullptr);

    VXSpriteComponent clone(owner.get());  // a clone shares the cells, no current row
    clone.animation.CopyFrom(sprite.animation);
    EXPECT_EQ(clone.animation.frameRows, sprite.animation.frameRows);
    EXPECT_FALSE(clone.animation.HasCurrentRow());
}

TEST(SpriteAnimation, FadesPerUpdate) {
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    struct Step {
        bool step, out, in, negative;
        float from, dt, to;
    };
    const Step steps[] = {{true, false, false, false, 0.03f, 0.016f, 0.03f},
                          {true, false, false, true, 0.03f, 0.016f, -0.02f},
                          {false, true, false, false, 1.0f, 0.5f, 0.95f},
                          {false, false, true, false, 0.9f, 0.25f, 1.4f}};  // no clamp
    for (const Step& s : steps) {
        sprite.fadeStep = s.step;
        sprite.fadeOut = s.out;
        sprite.fadeIn = s.in;
        sprite.allowNegativeAlpha = s.negative;
        sprite.alpha = s.from;
        sprite.Update(s.dt);
        EXPECT_NEAR(sprite.alpha, s.to, 1e-6) << s.from << " over " << s.dt;
    }
}

// --- Camera -------------------------------------------------------------------------

// The camera of a 1920 x 1080 screen with a largest scale of 2.2, following
// nothing yet.
static VXGraphicsManager* CameraOnAFullHdScreen() {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->ClearStateLists();
    graphics->camera.screenWidth = 1920;
    graphics->camera.screenHeight = 1080;
    graphics->maxScale = 2.2f;
    return graphics;
}

TEST(SpriteCamera, FollowZoomsOnTwoTargetsAndSettlesOnTheirMidpoint) {
    VXGraphicsManager* graphics = CameraOnAFullHdScreen();
    auto a = MakeObject(40, 40), b = MakeObject(40, 40);
    auto step = [graphics] {
        graphics->UploadCameraView();
        graphics->UpdateCameraFollow();
    };
    auto follow = [&](std::vector<GameObject*> targets, float zoom) {
        graphics->zoom = zoom;
        graphics->cameraX = graphics->cameraY = 0.0f;
        graphics->cameraTargets = targets;
        step();
    };
    FrameContext().frameTime = 1.0f / 60.0f;
    follow({a.get()}, 0.7f);
    EXPECT_FLOAT_EQ(graphics->zoom, 0.7f) << "one target leaves the camera";
    follow({a.get(), b.get()}, 1.0f);
    EXPECT_NEAR(graphics->zoom, 1.0f / 1.1f, 1e-5) << "targets at one point";

    // At rest the midpoint settles 10 pixels above the centre, whatever the
    // frame time, and stays there; the lift never piles up.
    auto c = MakeObject(0, 0), d = MakeObject(0, 0);
    for (float frameTime : {1.0f / 60.0f, 1.0f / 144.0f, 0.11f, 0.0f}) {
        FrameContext().frameTime = frameTime;
        follow({c.get(), d.get()}, 1.0f);
        for (int i = 0; i < 3000; ++i) step();
        EXPECT_FLOAT_EQ(graphics->cameraY, 10.0f) << frameTime;
        EXPECT_FLOAT_EQ(graphics->cameraX, 0.0f) << frameTime;
    }
    // Targets apart: the camera ends on their midpoint as the zoom scales it,
    // to the pixel, rather than stalling while a frame's step is below one.
    c->position[0] = 620.0f, c->position[1] = -330.0f;
    d->position[0] = 700.0f, d->position[1] = -250.0f;
    FrameContext().frameTime = 1.0f / 60.0f;
    for (int i = 0; i < 3000; ++i) step();
    const float z = graphics->zoom;
    EXPECT_NEAR(graphics->cameraX, -660.0f * z, 1.0f);
    EXPECT_NEAR(graphics->cameraY, 290.0f * z + 10.0f, 1.0f);

    // The pace is the same in seconds: after one second of frames at 30 Hz
    // or at 120 Hz the camera has come the same part of the way.
    auto afterOneSecond = [&](float hz) {
        FrameContext().frameTime = 1.0f / hz;
        follow({c.get(), d.get()}, z);
        for (int i = 1; i < static_cast<int>(hz); ++i) step();
        return graphics->cameraX;
    };
    const float at30 = afterOneSecond(30.0f), at120 = afterOneSecond(120.0f);
    EXPECT_LT(at30, -0.5f * 660.0f * z);
    EXPECT_NEAR(at30, at120, 0.02f * 660.0f * z);
    FrameContext().frameTime = 0.0f;
}

TEST(SpriteCamera, TargetsFlungFarAwayKeepTheFollowDefined) {
    VXGraphicsManager* graphics = CameraOnAFullHdScreen();
    FrameContext().frameTime = 1.0f / 60.0f;
    auto a = MakeObject(), b = MakeObject();
    graphics->cameraTargets = {a.get(), b.get()};
    // Each pair of places for some frames: the view translation passes the
    // int range, infinity and not-a-number (the sanitizer build checks the
    // conversions); the zoom stays within its bounds throughout.
    const float far = 3e38f, inf = INFINITY, nan = NAN;
    const float places[][4] = {{far, far, far, -far},
                               {far, 0, far, 0},
                               {-inf, 0, inf, 0},
                               {nan, 0, 0, 0},
                               {1e20f, 0, 1e20f, 0}};
    for (const auto& p : places)
        for (int frame = 0; frame < 3; ++frame) {
            a->position[0] = p[0];
            a->position[1] = p[1];
            b->position[0] = p[2];
            b->position[1] = p[3];
            graphics->UploadCameraView();
            graphics->UpdateCameraFollow();
            EXPECT_TRUE(graphics->zoom >= 1.0f / 2.2f - 1e-6f && graphics->zoom <= 1.0f / 1.1f)
                << p[0] << " " << p[2] << ": " << graphics->zoom;
        }
    graphics->ClearStateLists();
}

TEST(SpriteCamera, PansJustEnoughToKeepTheTargetsWholeAboveTheHud) {
    VXGraphicsManager* graphics = CameraOnAFullHdScreen();
    graphics->hudHeight = 140.0f;
    FrameContext().frameTime = 1.0f / 60.0f;
    auto a = MakeObject(-500, 0), b = MakeObject(500, -700);
    graphics->cameraTargets = {a.get(), b.get()};
    // A target's box (100 x 100) as the view draws it: left, bottom, right, top.
    auto drawn = [graphics](const GameObject& o) {
        graphics->UploadCameraView();
        const float* v = graphics->camera.camView;
        return std::vector<float>{
            v[0] * (o.position[0] - 50) + v[12], v[5] * (o.position[1] - 50) + v[13],
            v[0] * (o.position[0] + 50) + v[12], v[5] * (o.position[1] + 50) + v[13]};
    };
    // A state's first frame: the smoothing has barely left the centre, the
    // view has come just far enough to show the lower target above the HUD.
    graphics->zoom = 1.0f;
    graphics->cameraX = graphics->cameraY = 0.0f;
    graphics->UploadCameraView();
    graphics->UpdateCameraFollow();
    EXPECT_GE(drawn(*b)[1], 140.0f);
    EXPECT_LT(drawn(*b)[1], 141.0f);
    EXPECT_GE(drawn(*a)[0], 0.0f);
    EXPECT_LE(drawn(*a)[3], 1080.0f);
    // A mirrored target is as big, and one whose box is no number takes no
    // part: from the centre the bound shows the lower one whole above the HUD.
    b->scale[0] = b->scale[1] = -100.0f;
    auto c = MakeObject(0, 0);
    c->scale[0] = NAN, c->scale[1] = INFINITY;
    for (const size_t targets : {2, 3}) {
        if (targets == 3) graphics->cameraTargets.push_back(c.get());
        graphics->cameraX = graphics->cameraY = 0.0f;
        graphics->KeepTargetsInView();
        EXPECT_TRUE(drawn(*b)[1] >= 140.0f && drawn(*a)[0] >= 0.0f)
            << targets << " targets (one at scale -100 x -100, a third nan x inf): the left one "
            << "from x " << drawn(*a)[0] << " (not below 0), the mirrored one from y "
            << drawn(*b)[1] << " (not below 140), camera " << graphics->cameraX << ", "
            << graphics->cameraY;
    }
    graphics->cameraTargets.pop_back();
    b->scale[0] = b->scale[1] = 100.0f;
    // Too far apart for the largest scale: as centred as they can be, both
    // overhanging their sides alike, though the smoothing lags behind.
    a->position[0] = -2000.0f, b->position[0] = 4000.0f, b->position[1] = 0.0f;
    graphics->UpdateCameraFollow();
    const float left = -drawn(*a)[0], right = drawn(*b)[2] - 1920.0f;
    EXPECT_GT(left, 0.0f);
    EXPECT_NEAR(left, right, 1.0f);
    graphics->hudHeight = 0.0f;
    graphics->ClearStateLists();
    FrameContext().frameTime = 0.0f;
}

// --- Glyph sets, texts and JSON -------------------------------------------------------

TEST(SpriteText, FontsTextsAndTheirBlocks) {
    TestHarness::TempDataTree tree;
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    ASSERT_TRUE(graphics->AddFont(30, "Timer"));
    ASSERT_TRUE(graphics->AddFont(65, "Timer"));
    auto owner = MakeObject(5, 6);
    VXTextComponent text(owner.get());
    EXPECT_EQ(text.GetText(), "<- Text ->");
    graphics->AssignFont("Timer", &text);
    ASSERT_NE(text.font, nullptr);
    EXPECT_EQ(text.font->pixelSize, 65) << "the last set of that name";
    VXFont* chosen = text.font;
    graphics->AssignFont("Nothing", &text);
    for (int i = 0; i < 20; ++i) graphics->AddFont(10, "filler");
    EXPECT_EQ(text.font, chosen) << "later sets move no earlier one";
    text.SetPosition(10, -4);
    EXPECT_FLOAT_EQ(text.PenX(), 15.0f);
    EXPECT_FLOAT_EQ(text.PenY(), 2.0f);

    text.number = 3;
    text.value = 7;
    text.alpha = 0.5f;
    text.red = 1.0f;
    text.green = text.blue = 0.0f;
    EXPECT_EQ(
        Json(text),
        "{\n    \"VXTextComponent3\": [\n        7,\n        0.5,\n        1.0,\n        0.0,\n"
        "        0.0\n    ]\n}");
    VXSpriteComponent sprite(owner.get());
    sprite.red = 0.1f;
    const std::string json = Json(sprite);
    EXPECT_NE(json.find("0.10000000149011612"), std::string::npos);
    EXPECT_NE(json.find("\"- NO SHAPE FOUND -\"\n    ]"), std::string::npos) << json;

    tree.RemoveData("font/Bangers.ttf");
    const size_t before = graphics->fonts.size();
    bool added = true;
    const std::string font = DataPath("font/Bangers.ttf");
    EXPECT_EQ(Printed([&] { added = graphics->AddFont(35, "Volume"); }),
              " -> Font Face fail to initialize: " + font + " not found\n");
    EXPECT_FALSE(added);
    EXPECT_EQ(graphics->fonts.size(), before);
    tree.WriteData("font/Bangers.ttf", "[\"a JSON file, not a font\"]");
    EXPECT_EQ(Printed([&] { added = graphics->AddFont(35, "Volume"); }),
              " -> Font Face fail to initialize: " + font + " is no font the game reads\n");
    EXPECT_EQ(graphics->fonts.size(), before);
}
