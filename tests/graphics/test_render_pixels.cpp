// Frames of the real renderer read back under Xvfb: where sprites land, their
// order, tint and alpha, sheet cells upright, text advancing, the camera
// follow, and start-up with a shader file missing.
#include <cstdlib>

#include "core/DataRoot.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXTextComponent.h"
#include "tests/support/GlFixture.h"

using namespace FrameWork;
using namespace TestHarness;

namespace {

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kYellow{255, 255, 0};
const Rgb kBlack{0, 0, 0};
const Pixel kRedPx{255, 0, 0, 255};

Rgb Of(const Pixel& p) {
    return {p.r, p.g, p.b};
}

}  // namespace

TEST_F(RenderGL, HundredPixelSpriteAtTheOriginLandsAtTheScreenCentre) {
    Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    const FrameImage f = CaptureFrame();
    const int cx = ScreenX(0), cy = ScreenY(0);
    for (int d : {-45, 0, 45}) {
        EXPECT_EQ(ColourDistance(f.At(cx + d, cy), kRed), 0) << d;
        EXPECT_EQ(ColourDistance(f.At(cx, cy + d), kRed), 0) << d;
    }
    for (int d : {-55, 55}) {
        EXPECT_EQ(ColourDistance(f.At(cx + d, cy), background), 0) << d;
        EXPECT_EQ(ColourDistance(f.At(cx, cy + d), background), 0) << d;
    }
    EXPECT_NEAR(TestHarness::CountPixelsNotOf(f, background, 0), 100 * 100, 400);
}

TEST_F(RenderGL, ScreenSpaceSpriteIgnoresTheCameraAndTheNextOneUsesItAgain) {
    graphics->zoom = 0.5f;
    graphics->cameraX = 100.0f;
    auto hud = Sprite(Solid("green.png", {0, 255, 0, 255}), 200, 150, 60);
    hud->worldSpace = false;
    Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    const FrameImage f = CaptureFrame();
    // The screen sprite at its pixel position from the bottom-left corner.
    EXPECT_EQ(ColourDistance(f.At(200, height - 150), kGreen), 0);
    EXPECT_EQ(ColourDistance(f.At(200 + 25, height - 150 - 25), kGreen), 0);
    EXPECT_EQ(ColourDistance(f.At(200 + 35, height - 150), background), 0);
    // The world sprite: half size, moved 100 pixels right.
    EXPECT_EQ(ColourDistance(f.At(ScreenX(100), ScreenY(0)), kRed), 0);
    EXPECT_EQ(ColourDistance(f.At(ScreenX(100 + 20), ScreenY(0)), kRed), 0);
    EXPECT_EQ(ColourDistance(f.At(ScreenX(100 + 30), ScreenY(0)), background), 0);
}

TEST_F(RenderGL, LayersOrderTheSortedListAndLaterSpritesComeOnTop) {
    auto blue = Sprite(Solid("blue.png", {0, 0, 255, 255}), 0, 0, 100);
    auto red = Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    auto green = Sprite(Solid("green.png", {0, 255, 0, 255}), 0, 0, 100);
    blue->layer = 3;
    red->layer = 2;
    green->layer = 1;
    EXPECT_EQ(ColourDistance(CaptureFrame().At(ScreenX(0), ScreenY(0)), kGreen), 0);  // list order
    graphics->SortRenderList();  // what a state start does
    EXPECT_EQ(ColourDistance(CaptureFrame().At(ScreenX(0), ScreenY(0)), kBlue), 0);
    // A clone made during play joins the end: drawn last whatever its layer.
    auto clone = Sprite(Solid("yellow.png", {255, 255, 0, 255}), 0, 0, 100);
    clone->layer = -5;
    EXPECT_EQ(ColourDistance(CaptureFrame().At(ScreenX(0), ScreenY(0)), kYellow), 0);
    clone->active = 0;
    EXPECT_EQ(ColourDistance(CaptureFrame().At(ScreenX(0), ScreenY(0)), kBlue), 0);
}

TEST_F(RenderGL, ColourAndAlphaTintTheTexture) {
    auto sprite = Sprite(Solid("white.png", {255, 255, 255, 255}), 0, 0, 100);
    sprite->red = 0.0f;
    sprite->green = 1.0f;
    sprite->blue = 0.0f;
    EXPECT_EQ(ColourDistance(CaptureFrame().At(ScreenX(0), ScreenY(0)), kGreen), 0);
    sprite->alpha = 0.5f;
    const Rgb half = CaptureFrame().At(ScreenX(0), ScreenY(0));
    const Rgb expected{(0 + background.r) / 2, (255 + background.g) / 2, (0 + background.b) / 2};
    EXPECT_LE(ColourDistance(half, expected), 2) << half.r << " " << half.g << " " << half.b;
    sprite->alpha = 0.0f;
    EXPECT_EQ(TestHarness::CountPixelsNotOf(CaptureFrame(), background, 0), 0);
}

// The 4 x 2 sheet drawn 200 pixels square: each cell shows its own colour
// with its black mark in the top-left quarter of the quad.
class RenderSheetGL : public RenderGL {
protected:
    void CheckCellsUpright(const std::string& file) {
        WriteDds(tree->Data("img/sheet.dds"), 64, 32, AsymmetricSheet(16));
        WritePng(tree->Data("img/sheet.png"), 64, 32, AsymmetricSheet(16));
        VXTextureRecord* sheet = graphics->AddNamedTexture(file, DataPath("img/" + file), 4, 2);
        auto sprite = Sprite(sheet, 0, 0, 200);
        sprite->SetAnimationCount(1);
        for (int cell = 0; cell < 8; ++cell) sprite->AddFrame(cell, 0);
        sprite->playing = false;
        const int left = ScreenX(-100), top = ScreenY(100);
        for (uint32_t cell = 0; cell < 8; ++cell) {
            sprite->SetFrame(cell);
            const FrameImage f = CaptureFrame();
            const Rgb colour = Of(kSheetColours[cell]);
            EXPECT_EQ(ColourDistance(f.At(left + 20, top + 20), kBlack), 0)
                << file << " cell " << cell;
            for (auto [dx, dy] : {std::pair{180, 20}, {20, 180}, {180, 180}})
                EXPECT_EQ(ColourDistance(f.At(left + dx, top + dy), colour), 0)
                    << file << " cell " << cell;
        }
    }
};

TEST_F(RenderSheetGL, PngCellsShowUprightInReadingOrder) {
    CheckCellsUpright("sheet.png");
}

TEST_F(RenderSheetGL, DdsCellsShowUprightInReadingOrder) {
    CheckCellsUpright("sheet.dds");
}

TEST_F(RenderGL, TextAdvancesByTheGlyphAdvance) {
    ASSERT_TRUE(graphics->AddFont(40, "ForScore"));
    VXFont* font = graphics->FindFont("ForScore");
    const float advanceA = static_cast<float>(font->glyphs['A'].advance >> 6);
    auto text = [&](const char* s, float x) {
        auto t = std::make_shared<VXTextComponent>(Object(x, 0, 1, 1));
        t->SetText(s);
        graphics->AssignFont("ForScore", t.get());
        graphics->textList.push_back(t);
        return t;
    };
    text("AB", -100);
    const FrameImage both = CaptureFrame();
    EXPECT_GT(TestHarness::CountPixelsNotOf(both, background, 10), 200);

    // A byte outside the set draws nothing and leaves the pen where it was.
    graphics->textList.clear();
    text(
        "A\xC8"
        "B",
        -100);
    EXPECT_EQ(TestHarness::CountDifferentPixels(CaptureFrame(), both, 0), 0);

    graphics->textList.clear();
    text("A", -100);
    auto b = text("B", -100 + advanceA);
    EXPECT_EQ(TestHarness::CountDifferentPixels(CaptureFrame(), both, 0), 0);
    // Without the advance the B would sit on the A.
    b->owner->position[0] = -100;
    EXPECT_GT(TestHarness::CountDifferentPixels(CaptureFrame(), both, 10), 50);

    // The glyphs stand upright: an A is wider at its foot than at its top.
    graphics->textList.clear();
    text("A", 0);
    const FrameImage a = CaptureFrame();
    const VXGlyph& glyph = font->glyphs['A'];
    const int baseline = ScreenY(0);
    auto inkIn = [&](int row) {
        int count = 0;
        for (int x = ScreenX(0); x < ScreenX(glyph.width + glyph.bearingX) + 1; ++x)
            if (ColourDistance(a.At(x, row), background) > 100) ++count;
        return count;
    };
    const int topRow = baseline - static_cast<int>(glyph.bearingY) + 3;
    EXPECT_GT(inkIn(baseline - 3), inkIn(topRow));
}

TEST_F(RenderGL, TextWithoutAFontIsSkipped) {
    auto t = std::make_shared<VXTextComponent>(Object(0, 0, 1, 1));
    graphics->textList.push_back(t);
    Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    const FrameImage f = CaptureFrame();
    EXPECT_EQ(ColourDistance(f.At(ScreenX(0), ScreenY(0)), kRed), 0);
}

TEST_F(RenderGL, CameraFollowKeepsTwoFarTargetsInView) {
    graphics->maxScale = 2.2f;
    auto left = Sprite(Solid("red.png", kRedPx), -1000, 0, 100);
    auto right = Sprite(Solid("blue.png", {0, 0, 255, 255}), 1000, 0, 100);
    graphics->cameraTargets = {left->owner, right->owner};
    const FrameImage f = CaptureFrame();
    EXPECT_NEAR(graphics->zoom, 1.0f / 2.2f, 1e-5);
    EXPECT_FLOAT_EQ(graphics->cameraY, 10.0f);
    // zoom * x + W/2 + camera x; y lifted by the camera's 10.
    const int y = height - (height / 2 + 10);
    EXPECT_EQ(ColourDistance(f.At(width / 2 - 455, y), kRed), 0);
    EXPECT_EQ(ColourDistance(f.At(width / 2 + 455, y), kBlue), 0);
    EXPECT_EQ(ColourDistance(f.At(width / 2 - 455 - 30, y), background), 0);
    EXPECT_EQ(ColourDistance(f.At(width / 2, y), background), 0);
}

TEST_F(RenderGL, MinimisedViewportDrawsNothingAndDoesNotFail) {
    Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    graphics->cameraTargets = {objects[0].get(), objects[0].get()};
    const int savedW = windowWidth;
    windowWidth = 0;
    CaptureFrame();
    windowWidth = 250;
    CaptureFrame();
    windowWidth = savedW;
    // Back to a real size the sprite shows again, zoomed by the follow.
    const FrameImage f = CaptureFrame();
    EXPECT_GT(TestHarness::CountPixelsNotOf(f, background, 0), 80 * 80);
}

class RenderMissingShader : public RenderGL {
    void PrepareData(TestHarness::TempDataTree& data) override {
        data.RemoveData("bin/fFONT.frag");
    }
};

TEST_F(RenderMissingShader, ReportsTheFileAndTheOtherProgramsStillDraw) {
    EXPECT_NE(startupOutput.find("Error - Fragment shader file not found\n -> " +
                                 DataPath("bin/fFONT.frag") + "\n"),
              std::string::npos)
        << startupOutput;
    EXPECT_NE(startupOutput.find(" -> " + DataPath("bin/vFONT.vert") + " and " +
                                 DataPath("bin/fFONT.frag") + " did not link\n"),
              std::string::npos);
    EXPECT_NE(startupOutput.find(" -> Shaders: 1 of 4 programs did not build"), std::string::npos);
    Sprite(Solid("red.png", kRedPx), 0, 0, 100);
    ASSERT_TRUE(graphics->AddFont(40, "Timer"));
    auto t = std::make_shared<VXTextComponent>(Object(0, -200, 1, 1));
    graphics->AssignFont("Timer", t.get());
    graphics->textList.push_back(t);
    const FrameImage f = CaptureFrame();
    EXPECT_EQ(ColourDistance(f.At(ScreenX(0), ScreenY(0)), kRed), 0);
    // The text has no program to draw with: nothing but the sprite shows.
    EXPECT_EQ(TestHarness::CountPixelsNotOf(f, background, 0),
              f.width * f.height - TestHarness::CountPixelsNotOf(f, kRed, 0));
}

class RenderBrokenShader : public RenderGL {
    void PrepareData(TestHarness::TempDataTree& data) override {
        data.WriteData("bin/vINST.vert", "#version 330 core\nthis is not a shader\n");
    }
};

TEST_F(RenderBrokenShader, NamesTheFileThatDidNotCompile) {
    EXPECT_NE(startupOutput.find(" -> " + DataPath("bin/vINST.vert") + " did not compile\n"),
              std::string::npos)
        << startupOutput;
    EXPECT_EQ(graphics->shaderPrograms[3].status, 0);
}

// The game's own level 0: the listed textures loaded as the loading screen
// does, the save file built by the object manager, one frame drawn.  The
// players stand where the file puts them.  With PELLWICK_LEVEL_SHOT set the
// frame is saved there.
TEST_F(RenderGL, SaveFileObjectsAppearWhereTheFilePutsThem) {
    graphics->ReadTextureList(DataPath("objects/texturelist.txt"));
    ASSERT_GT(graphics->textureImageNames.size(), 10u);
    for (size_t i = 0; i < graphics->textureImageNames.size(); ++i)
        graphics->AddNamedTexture(graphics->textureImageNames[i], graphics->textureImagePaths[i],
                                  graphics->textureColumns[i], graphics->textureRows[i]);
    VXObjectManager level;
    ASSERT_TRUE(level.LoadObjects(DataPath("objects/savefile0.json")));
    graphics->SortRenderList();
    GameObject* archer = level.FindObject("Archer");
    ASSERT_NE(archer, nullptr);
    graphics->zoom = 0.45f;
    const FrameImage f = CaptureFrame();
    if (const char* path = std::getenv("PELLWICK_LEVEL_SHOT")) {
        EXPECT_TRUE(f.SavePng(path));
    }
    // Something of the archer's body shows around its position.
    const int ax = width / 2 + static_cast<int>(0.45f * archer->position[0]);
    const int ay = height - (height / 2 + static_cast<int>(0.45f * archer->position[1]));
    int drawn = 0;
    for (int dy = -15; dy <= 15; dy += 3)
        for (int dx = -15; dx <= 15; dx += 3)
            if (ColourDistance(f.At(ax + dx, ay + dy), background) > 30) ++drawn;
    EXPECT_GT(drawn, 20);
    graphics->ClearStateLists();
    level.Clear();
}
