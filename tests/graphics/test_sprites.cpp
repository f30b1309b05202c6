// Rendering logic that runs without a GL context: sheets and frame offsets,
// the texture table, animation stepping, fades, the camera arithmetic, glyph
// advances and the JSON blocks of sprites and texts.
#include "engine/VXEngine.h"
#include "graphics/VXFont.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "tests/support/TempDataTree.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace FrameWork;
using TestHarness::Printed;

namespace {

std::unique_ptr<GameObject> MakeObject(float x = 0.0f, float y = 0.0f, const char* name = "obj") {
    return std::make_unique<GameObject>(100.0f, 100.0f, 1, 1, 1, 0, x, y, name, 0.0f, 0.0f, 0.0f);
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

}  // namespace

// --- Texture files ----------------------------------------------------------------

class RenderTextureFiles : public ::testing::Test {
protected:
    TestHarness::TempDataTree tree;
    void WriteDefault() {
        TestHarness::WritePng(tree.Data("img/default.png"), 2, 3,
                             std::vector<TestHarness::Pixel>(6, {9, 9, 9, 255}));
    }
};

TEST_F(RenderTextureFiles, MissingImageFallsBackToDefaultSilently) {
    WriteDefault();
    VXTextureRecord record(1, 1, 1);
    const std::string out = Printed([&] { record.Load("../VXEngine/data/img/none.png", 4, 2); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(record.columns, 1u);
    EXPECT_EQ(record.rows, 1u);
    EXPECT_EQ(record.width, 2);
    EXPECT_EQ(record.height, 3);
    EXPECT_EQ(record.frameOffsets.size(), 1u);
}

TEST_F(RenderTextureFiles, MissingDefaultReportsAndLeavesNoFrames) {
    tree.RemoveData("img/default.png");
    VXTextureRecord record(1, 1, 1);
    const std::string out = Printed([&] { record.Load("../VXEngine/data/img/none.png", 4, 2); });
    EXPECT_EQ(out,
              "\nERROR\n -> Default texture not found, please find a replacement thank you\n"
              "../VXEngine/data/img/none.png\n\n");
    EXPECT_TRUE(record.frameOffsets.empty());
    EXPECT_EQ(record.texture, 0u);
}

TEST_F(RenderTextureFiles, CorruptImageReportsAndKeepsAOnePixelSheet) {
    tree.WriteData("img/broken.png", "this is not an image");
    VXTextureRecord record(1, 1, 1);
    const std::string out = Printed([&] { record.Load("../VXEngine/data/img/broken.png", 4, 2); });
    EXPECT_EQ(out,
              "\nERROR\n -> Texture image fail to load, image file may be corrupted.\n"
              "../VXEngine/data/img/broken.png\n\n");
    EXPECT_EQ(record.width, 1);
    EXPECT_EQ(record.height, 1);
    EXPECT_EQ(record.frameOffsets.size(), 8u);  // the requested sheet
}

TEST_F(RenderTextureFiles, ZeroColumnsOrRowsAreOneCell) {
    WriteDefault();
    VXTextureRecord record(1, 1, 1);
    record.Load("../VXEngine/data/img/default.png", 0, 0);
    EXPECT_EQ(record.columns, 1u);
    EXPECT_EQ(record.rows, 1u);
    ASSERT_EQ(record.frameOffsets.size(), 1u);
    EXPECT_FLOAT_EQ(record.vertices[0].u, 1.0f);
}

TEST_F(RenderTextureFiles, TextureListReadsTriplesAndReportsAMissingFile) {
    tree.WriteData("objects/texturelist.txt", "a.png 4 2\nb.png 1 1\nArrow.png 51 42949672\n");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const std::string list = "../VXEngine/data/objects/texturelist.txt";
    EXPECT_EQ(Printed([&] { graphics->ReadTextureList(list); }),
              " -> " + list + ": Arrow.png asks for a 51 x 42949672 sheet; 51 x 256 used\n");
    ASSERT_EQ(graphics->textureImageNames, (std::vector<std::string>{"a.png", "b.png", "Arrow.png"}));
    EXPECT_EQ(graphics->textureImagePaths[1], "../VXEngine/data/img/b.png");
    EXPECT_EQ(graphics->textureColumns, (std::vector<int>{4, 1, 51}));
    EXPECT_EQ(graphics->textureRows, (std::vector<int>{2, 1, 256}));
    // A missing list and a folder say so and add nothing.
    for (const std::string path : {"missing.txt", "../VXEngine/data/objects"})
        EXPECT_EQ(Printed([&] { graphics->ReadTextureList(path); }),
                  "loading from " + path + " failed!\n");
    EXPECT_EQ(graphics->textureImageNames.size(), 3u);
    graphics->Clear();
    EXPECT_TRUE(graphics->textureImageNames.empty());
}

// --- The texture table ---------------------------------------------------------

TEST_F(RenderTextureFiles, TableLookupsSerialsAndStableAddresses) {
    WriteDefault();
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->Clear();
    VXTextureRecord* first = graphics->AddNamedTexture("same", "../VXEngine/data/img/default.png", 1, 1);
    VXTextureRecord* second = graphics->AddNamedTexture("same", "../VXEngine/data/img/default.png", 1, 1);
    EXPECT_EQ(second->serial, first->serial + 1);
    EXPECT_EQ(graphics->FindTexture("same"), first);
    EXPECT_EQ(graphics->FindTexture("other"), nullptr);
    EXPECT_EQ(graphics->AddTexture("../VXEngine/data/img/default.png", 1, 1)->name, "Shape");

    // Records keep their address however many follow.
    for (int i = 0; i < 400; ++i)
        graphics->AddNamedTexture("filler", "../VXEngine/data/img/default.png", 1, 1);
    EXPECT_EQ(graphics->FindTexture("same"), first);
    EXPECT_EQ(first->name, "same");

    auto owner = MakeObject();
    auto sprite = std::make_shared<VXSpriteComponent>(owner.get());
    graphics->AssignTexture(sprite.get(), "same");
    EXPECT_EQ(sprite->texture, first);
    graphics->AssignTexture(sprite.get(), "nothing");
    EXPECT_EQ(sprite->texture, first);

    graphics->Clear();
    EXPECT_EQ(graphics->FindTexture("same"), nullptr);
    VXTextureRecord fresh(1, 1, 1);
    EXPECT_EQ(fresh.serial, 0);
}

TEST(RenderLists, RenderListRefusesTheSameSprite) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    auto owner = MakeObject();
    auto a = std::make_shared<VXSpriteComponent>(owner.get());
    auto b = std::make_shared<VXSpriteComponent>(owner.get());
    graphics->AddToRenderList(a);
    graphics->AddToRenderList(a);
    graphics->AddToRenderList(b);
    EXPECT_EQ(graphics->renderList, (std::vector<std::shared_ptr<VXSpriteComponent>>{a, b}));
}

// --- Animation --------------------------------------------------------------------

TEST(RenderAnimation, FramesPerSecondGiveTicksPerFrame) {
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    const int rates[][2] = {{60, 1}, {1, 60}, {7, 8}, {25, 2}, {0, 60}, {61, 60}, {-4, 60}};
    for (const auto& r : rates) {
        sprite.SetFPS(r[0]);
        EXPECT_EQ(sprite.animation.ticksPerFrame, static_cast<uint32_t>(r[1])) << "fps " << r[0];
    }
    // Out of range stores one frame a second, consistent with its ticks.
    EXPECT_EQ(sprite.animation.framesPerSecond, 1);
}

TEST(RenderAnimation, PausedEngineHoldsTheFrameWhileTicksRise) {
    VXEngine* engine = VXEngine::Instance();
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    auto sprite = Animated(owner.get(), sheet.get(), {0, 1, 2}, 60);
    EXPECT_EQ(Shown(*sprite, 2), (std::vector<uint32_t>{0, 1}));
    engine->paused = 1;
    EXPECT_EQ(Shown(*sprite, 3), (std::vector<uint32_t>{1, 1, 1}));
    engine->paused = 0;
    EXPECT_EQ(Shown(*sprite, 2), (std::vector<uint32_t>{2, 0}));
}

TEST(RenderAnimation, PlayOnceFinishesExactlyOnceOnFrameZero) {
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    auto sprite = Animated(owner.get(), sheet.get(), {0, 1, 2, 3}, 60);
    sprite->playing = false;
    sprite->playOnce = true;
    EXPECT_EQ(Shown(*sprite, 4), (std::vector<uint32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(sprite->finished);
    EXPECT_FALSE(sprite->playing);
    EXPECT_FALSE(sprite->playOnce);
    EXPECT_EQ(sprite->animation.currentFrame, 0u);
    EXPECT_EQ(Shown(*sprite, 3), (std::vector<uint32_t>{0, 0, 0}));  // stopped
    EXPECT_TRUE(sprite->TakeAnimationFinished());
    EXPECT_FALSE(sprite->TakeAnimationFinished());

    auto single = Animated(owner.get(), sheet.get(), {2}, 60);
    single->playOnce = true;
    Shown(*single, 10);
    EXPECT_FALSE(single->finished);  // its last frame is frame 0
}

TEST(RenderAnimation, RowsFramesAndOutOfRangeCalls) {
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    sprite.AddFrame(0, 0);  // no texture: ignored
    EXPECT_TRUE(sprite.cellRows.empty());
    sprite.texture = sheet.get();
    sprite.AddFrame(0, 0);  // no frame rows yet: ignored
    EXPECT_TRUE(sprite.cellRows.empty());

    sprite.SetAnimationCount(1);
    sprite.AddFrame(4, 0);
    sprite.AddFrame(5, 1);  // one frame row: the frame joins row 0, the cell a second cell row
    ASSERT_EQ(sprite.cellRows.size(), 2u);
    EXPECT_EQ(sprite.cellRows[0], std::vector<int32_t>{4});
    EXPECT_EQ(sprite.cellRows[1], std::vector<int32_t>{5});
    ASSERT_EQ(sprite.animation.frameRows[0].size(), 2u);
    EXPECT_EQ(sprite.animation.frameRows[0][1], &sheet->frameOffsets[5]);

    sprite.AddFrame(8, 0);   // outside the 8-cell sheet
    sprite.AddFrame(-1, 0);
    sprite.AddFrame(1, 7);   // a row that cannot be made
    EXPECT_EQ(sprite.cellRows.size(), 2u);
    EXPECT_EQ(sprite.animation.frameRows[0].size(), 2u);

    sprite.SetAnimationCount(1);  // now two frame rows
    sprite.AddFrame(6, 1);
    sprite.AddFrame(7, 1);
    sprite.SetAnimation(1);
    sprite.SetFrame(1);
    sprite.SetAnimation(1);  // the same row keeps its frame
    EXPECT_EQ(sprite.animation.currentFrame, 1u);
    sprite.SetAnimation(2);  // no such row: ignored
    sprite.SetAnimation(-1);
    EXPECT_EQ(sprite.animation.currentRowIndex, 1);
    EXPECT_EQ(sprite.CurrentOffset(), &sheet->frameOffsets[7]);
    sprite.SetAnimation(0);
    EXPECT_EQ(sprite.animation.currentFrame, 0u);

    // A sprite without a current row draws without stepping.
    VXSpriteComponent bare(owner.get());
    bare.texture = sheet.get();
    EXPECT_EQ(Shown(bare, 3), (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(bare.CurrentOffset(), nullptr);
}

TEST(RenderAnimation, CopyForClonesSharesCellsButNoCurrentRow) {
    auto sheet = Sheet(4, 2);
    auto owner = MakeObject();
    auto source = Animated(owner.get(), sheet.get(), {1, 2}, 30);
    source->Tick();
    VXSpriteComponent clone(owner.get());
    clone.animation.currentRowIndex = 3;
    clone.animation.CopyFrom(source->animation);
    EXPECT_EQ(clone.animation.ticksPerFrame, 2u);
    EXPECT_EQ(clone.animation.frameRows, source->animation.frameRows);
    EXPECT_FALSE(clone.animation.HasCurrentRow());
    EXPECT_EQ(clone.animation.currentRowIndex, 3);
}

TEST(RenderAnimation, FadesPerUpdate) {
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    sprite.fadeStep = true;
    sprite.alpha = 0.03f;
    sprite.Update(0.016f);
    EXPECT_FLOAT_EQ(sprite.alpha, 0.03f);
    sprite.allowNegativeAlpha = true;
    sprite.Update(0.016f);
    EXPECT_NEAR(sprite.alpha, -0.02f, 1e-6);
    sprite.fadeStep = false;
    sprite.fadeOut = true;
    sprite.alpha = 1.0f;
    sprite.Update(0.5f);
    EXPECT_FLOAT_EQ(sprite.alpha, 0.95f);
    sprite.fadeOut = false;
    sprite.fadeIn = true;
    sprite.alpha = 0.9f;
    sprite.Update(0.25f);
    EXPECT_FLOAT_EQ(sprite.alpha, 1.4f);  // fades do not clamp
    EXPECT_EQ(sprite.GetTextureName(), "- NO SHAPE FOUND -");
}

// --- Camera -------------------------------------------------------------------------

class RenderCamera : public ::testing::Test {
protected:
    void SetUp() override {
        graphics = VXGraphicsManager::Instance();
        graphics->ClearStateLists();
        graphics->camera.screenWidth = 1920;
        graphics->camera.screenHeight = 1080;
        graphics->zoom = 1.0f;
        graphics->cameraX = graphics->cameraY = 0.0f;
        graphics->maxScale = 2.2f;
        graphics->UploadCameraView();
    }
    void Follow(GameObject& a, GameObject& b) {
        graphics->cameraTargets = {&a, &b};
        graphics->UpdateCameraFollow();
        graphics->UploadCameraView();
    }
    VXGraphicsManager* graphics = nullptr;
};

TEST_F(RenderCamera, OneTargetOrNoneLeavesTheCamera) {
    auto a = MakeObject(300, 300);
    graphics->cameraTargets = {a.get()};
    graphics->zoom = 0.7f;
    graphics->UpdateCameraFollow();
    EXPECT_FLOAT_EQ(graphics->zoom, 0.7f);
    EXPECT_FLOAT_EQ(graphics->cameraY, 0.0f);
}

TEST_F(RenderCamera, TargetsAtOnePointZoomToOneOverOnePointOne) {
    auto a = MakeObject(40, 40), b = MakeObject(40, 40);
    Follow(*a, *b);
    EXPECT_NEAR(graphics->zoom, 1.0f / 1.1f, 1e-5);
}

TEST_F(RenderCamera, RestingTargetsDriftUpByTenASmoothedStep) {
    Camera::g_smoothing = 1.0f / 60.0f;
    Camera::g_smoothingFixed = true;
    auto a = MakeObject(0, 0), b = MakeObject(0, 0);
    std::vector<float> ys;
    for (int i = 0; i < 4; ++i) {
        Follow(*a, *b);
        ys.push_back(graphics->cameraY);
    }
    EXPECT_EQ(ys, (std::vector<float>{10, 19, 28, 37}));
    for (int i = 0; i < 2000; ++i) Follow(*a, *b);
    EXPECT_FLOAT_EQ(graphics->cameraY, 541.0f);
    EXPECT_FLOAT_EQ(graphics->cameraX, 0.0f);
}

TEST_F(RenderCamera, ViewportsThatCannotBeFittedAreLeftAlone) {
    auto a = MakeObject(-500, 0), b = MakeObject(500, 0);
    for (int size : {250, 0}) {
        graphics->camera.screenWidth = size;
        graphics->zoom = 0.8f;
        graphics->cameraTargets = {a.get(), b.get()};
        graphics->UpdateCameraFollow();
        EXPECT_FLOAT_EQ(graphics->zoom, 0.8f) << "width " << size;
        EXPECT_FLOAT_EQ(graphics->cameraY, 0.0f);
    }
}

// --- Glyph sets and texts -------------------------------------------------------------

class RenderText : public ::testing::Test {
protected:
    TestHarness::TempDataTree tree;
};

TEST_F(RenderText, MissingFontReportsAndAddsNoSet) {
    tree.RemoveData("font/Bangers.ttf");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    const size_t before = graphics->fonts.size();
    bool added = true;
    const std::string out = Printed([&] { added = graphics->AddFont(35, "Volume"); });
    EXPECT_EQ(out, " -> Font Face fail to initialize\n");
    EXPECT_FALSE(added);
    EXPECT_EQ(graphics->fonts.size(), before);
    EXPECT_EQ(graphics->FindFont("Volume"), nullptr);
}

TEST_F(RenderText, AssignFontTakesTheLastSetOfThatName) {
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    ASSERT_TRUE(graphics->AddFont(30, "Timer"));
    ASSERT_TRUE(graphics->AddFont(65, "Timer"));
    auto owner = MakeObject(5, 6);
    VXTextComponent text(owner.get());
    EXPECT_EQ(text.GetText(), "<- Text ->");
    EXPECT_FLOAT_EQ(text.alpha, 1.0f);
    EXPECT_FLOAT_EQ(text.red + text.green + text.blue, 0.0f);
    graphics->AssignFont("Timer", &text);
    ASSERT_NE(text.font, nullptr);
    EXPECT_EQ(text.font->pixelSize, 65);
    VXFont* chosen = text.font;
    graphics->AssignFont("Nothing", &text);
    EXPECT_EQ(text.font, chosen);
    // Later sets do not move the earlier ones.
    for (int i = 0; i < 20; ++i) graphics->AddFont(10, "filler");
    EXPECT_EQ(text.font, chosen);
    EXPECT_EQ(chosen->name, "Timer");
    text.SetPosition(10, -4);
    EXPECT_FLOAT_EQ(text.PenX(), 15.0f);
    EXPECT_FLOAT_EQ(text.PenY(), 2.0f);
}

// --- JSON blocks ------------------------------------------------------------------

TEST(RenderJson, SpriteWithoutRowsOrTextureAndTextBlocks) {
    auto owner = MakeObject();
    VXSpriteComponent sprite(owner.get());
    sprite.red = 0.1f;
    const std::string json = Json(sprite);
    EXPECT_NE(json.find("0.10000000149011612"), std::string::npos);
    EXPECT_NE(json.find("\"- NO SHAPE FOUND -\"\n    ]"), std::string::npos) << json;

    VXTextComponent text(owner.get());
    text.number = 3;
    text.value = 7;
    text.alpha = 0.5f;
    text.red = 1.0f;
    EXPECT_EQ(Json(text),
              "{\n"
              "    \"VXTextComponent3\": [\n"
              "        7,\n"
              "        0.5,\n"
              "        1.0,\n"
              "        0.0,\n"
              "        0.0\n"
              "    ]\n"
              "}");
}
