// A small painted floor drawn by the real instanced pass: floor tiles from
// their sheet, upright; the paint quarter-tiles of each team where painted
// and the floor through the hidden ones; a particle; and a sprite after the
// pass, unharmed by it.
#include <tuple>

#include "core/DataRoot.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXShapeInstancer.h"
#include "tests/support/GlFixture.h"

using namespace FrameWork;
using namespace TestHarness;

namespace {

const Pixel kFloorTop{90, 90, 90, 255};        // cell 0, upper half
const Pixel kFloorBottom{200, 200, 200, 255};  // cell 0, lower half
const Pixel kFloorOther{120, 70, 20, 255};     // cell 1
const Pixel kBlueEdge{0, 0, 255, 255};         // team 1's open and joined cells
const Pixel kBlueInner{120, 160, 255, 255};    // team 1's inner corner (39)
const Pixel kRedEdge{255, 0, 0, 255};          // team 2's cells
const Pixel kUnused{255, 0, 255, 255};
const Pixel kParticle{0, 255, 0, 255};

Rgb Of(const Pixel& p) {
    return {p.r, p.g, p.b};
}

bool Team1Cell(int cell) {
    for (int c : {60, 62, 55, 44, 39, 61, 63, 45, 52, 54, 36, 53, 37})
        if (c == cell) return true;
    return false;
}

// 1 column x 2 rows of 16 px cells; cell 0 is darker in its upper half.
std::vector<Pixel> FloorSheet() {
    std::vector<Pixel> px;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x)
            px.push_back(y < 8 ? kFloorTop : y < 16 ? kFloorBottom : kFloorOther);
    return px;
}

// 8 x 8 cells of 8 px: team 1's atlas cells blue, team 2's red.
std::vector<Pixel> PaintSheet() {
    std::vector<Pixel> px;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int cell = (y / 8) * 8 + x / 8;
            if (cell == 39)
                px.push_back(kBlueInner);
            else if (Team1Cell(cell))
                px.push_back(kBlueEdge);
            else if (cell >= 32 && Team1Cell(cell + 4))
                px.push_back(kRedEdge);
            else
                px.push_back(kUnused);
        }
    return px;
}

class TilesPixels : public RenderGL {
protected:
    void SetUp() override {
        RenderGL::SetUp();
        if (HasFatalFailure()) return;
        // The instanced pass runs once two texture records exist.
        Solid("one.png", {0, 0, 0, 255});
        Solid("two.png", {0, 0, 0, 255});
        ASSERT_TRUE(WritePng(tree->Data("img/Floor.png"), 16, 32, FloorSheet()));
        ASSERT_TRUE(WritePng(tree->Data("img/carpetBomb2.png"), 64, 64, PaintSheet()));
        graphics->AddInstanceSet("Floor.png", 0);
        graphics->LoadInstanceSetImage("Floor.png", DataPath("img/Floor.png"), 2, 1);
        graphics->AddInstanceSet("carpetBomb2.png", 0);
        graphics->LoadInstanceSetImage("carpetBomb2.png", DataPath("img/carpetBomb2.png"), 8, 8);

        // Three rows of four tiles, the top-left one at (-150, 100); the
        // bottom row uses floor cell 1.
        VXTilemapData record;
        record.row = 3;
        record.col = 4;
        record._name = "Floor.png";
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) {
                record.m_data1.push_back({-150.0f + 100.0f * c, 100.0f - 100.0f * r, 104, 104});
                record.m_data3Index.push_back(r == 2 ? 1 : 0);
            }
        graphics->tilemaps["PixelFloor"] = record;
        grid = std::make_unique<VXShapeInstancer>("PixelFloor", nullptr);
        grid->Setup();
        g_currentInstancer = grid.get();
    }
    void TearDown() override {
        g_currentInstancer = nullptr;
        painters.clear();
        RenderGL::TearDown();
    }

    // Paints the tile at (x, y) for `team` with a helper painter.
    int32_t Splat(int32_t team, float x, float y) {
        GameObject* painter = Object(x, y, 50, 50);
        painter->objectType = 6;
        painter->m_active = 0;
        auto logic = std::make_shared<VXPlayerLogic>(painter, 6);
        logic->team = team;
        painter->AddComponent(logic);
        painters.push_back(logic);
        return VXPaintMap::Splat(painter);
    }
    Rgb At(const FrameImage& f, float x, float y) { return f.At(ScreenX(x), ScreenY(y)); }

    std::unique_ptr<VXShapeInstancer> grid;
    std::vector<std::shared_ptr<VXPlayerLogic>> painters;
};

}  // namespace

TEST_F(TilesPixels, PaintedFloorShowsEachTeamsQuartersOverUprightTiles) {
    // Team 1: a 2 x 2 block at the top left; team 2: one tile at the right.
    for (auto [team, x, y, tile] : {std::tuple{1, -150, 100, 0},
                                    {1, -50, 100, 1},
                                    {1, -150, 0, 4},
                                    {1, -50, 0, 5},
                                    {2, 150, 0, 7}})
        EXPECT_EQ(Splat(team, x, y), tile);

    const FrameImage f = CaptureFrame();
    ASSERT_FALSE(f.Empty());
    // Unpainted tiles show the floor sheet upright: the darker half on top.
    EXPECT_LE(ColourDistance(At(f, 50, 100 + 30), Of(kFloorTop)), 2);
    EXPECT_LE(ColourDistance(At(f, 50, 100 - 30), Of(kFloorBottom)), 2);
    // The bottom row shows the sheet's second cell.
    EXPECT_LE(ColourDistance(At(f, 50, -100), Of(kFloorOther)), 2);
    // Team 1's block: open outer corners, the inner corner round its centre.
    EXPECT_LE(ColourDistance(At(f, -150 - 25, 100 + 25), Of(kBlueEdge)), 2);
    EXPECT_LE(ColourDistance(At(f, -150 + 25, 100 - 25), Of(kBlueInner)), 2);
    EXPECT_LE(ColourDistance(At(f, -50 - 25, 0 + 25), Of(kBlueInner)), 2);
    EXPECT_LE(ColourDistance(At(f, -50 + 25, 0 - 25), Of(kBlueEdge)), 2);
    // Team 2's lone tile, all four quarters.
    for (float dx : {-25.0f, 25.0f})
        for (float dy : {-25.0f, 25.0f})
            EXPECT_LE(ColourDistance(At(f, 150 + dx, dy), Of(kRedEdge)), 2);
    // The tile between them is unpainted.
    EXPECT_LE(ColourDistance(At(f, 50, 0 + 30), Of(kFloorTop)), 2);
    // Outside the floor: the clear colour.
    EXPECT_EQ(ColourDistance(At(f, 400, 0), background), 0);

    // Retaking a tile repaints it in the other team's colour.
    EXPECT_EQ(Splat(2, -50, 0), 5);
    const FrameImage g = CaptureFrame();
    EXPECT_LE(ColourDistance(At(g, -50 + 25, 0 - 25), Of(kRedEdge)), 2);
    EXPECT_LE(ColourDistance(At(g, -150 + 25, 100 - 25), Of(kBlueEdge)), 2);
}

TEST_F(TilesPixels, ParticlesAndLaterSpritesDrawAfterTheTiles) {
    GameObject* owner = Object(-300, -200, 10, 10);
    auto emitter = std::make_shared<VXParticleEmitter>(owner, 1.5f, 30.0f);
    emitter->maxNumber = 4;
    emitter->emitAmount = 1;
    ASSERT_TRUE(WritePng(tree->Data("img/spark.png"), 4, 4, std::vector<Pixel>(16, kParticle)));
    emitter->LoadImage("spark.png", 1, 1);
    emitter->Init();
    emitter->FillInstances();
    graphics->emitters.push_back(emitter);
    // A sprite drawn after the instanced pass still shows its texture.
    Sprite(Solid("sprite.png", {255, 255, 0, 255}), 300, -200, 40);

    // Before a burst the pool draws nothing.
    FrameImage f = CaptureFrame();
    EXPECT_EQ(ColourDistance(At(f, -300, -200), background), 0);
    EXPECT_EQ(ColourDistance(At(f, 300, -200), Rgb{255, 255, 0}), 0);

    emitter->Emit();
    emitter->particles[0].position[0] = 60.0f;
    f = CaptureFrame();
    EXPECT_EQ(ColourDistance(At(f, -240, -200), Of(kParticle)), 0);
    EXPECT_EQ(ColourDistance(At(f, -300, -200), background), 0);
    EXPECT_EQ(ColourDistance(At(f, 300 + 15, -200 + 15), Rgb{255, 255, 0}), 0);
    graphics->emitters.clear();
}

TEST_F(TilesPixels, InstancedPassLeavesNoAttributeOrDivisorBehind) {
    EXPECT_EQ(Splat(2, 150, 0), 7);
    glBindVertexArray(graphics->vertexArray);
    UseProgram(&graphics->shaderPrograms[3]);
    graphics->DrawInstanced();
    for (GLuint slot = 0; slot < 5; ++slot) {
        GLint enabled = 1, divisor = 1;
        glGetVertexAttribiv(slot, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(slot, GL_VERTEX_ATTRIB_ARRAY_DIVISOR, &divisor);
        EXPECT_EQ(enabled, 0) << slot;
        EXPECT_EQ(divisor, 0) << slot;
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // A set whose lists were emptied draws nothing and reads nothing.
    VXShapeInstancer::ClearInstanceData();
    graphics->DrawInstanced();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const FrameImage f = CaptureFrame();
    EXPECT_EQ(ColourDistance(At(f, 150, 0), background), 0);
}

TEST_F(TilesPixels, ReloadedSheetReplacesItsTexture) {
    VXInstanceSet* set = graphics->FindInstanceSet("Floor.png");
    ASSERT_NE(set, nullptr);
    const GLuint first = set->texture;
    ASSERT_NE(first, 0u);
    graphics->LoadInstanceSetImage("Floor.png", DataPath("img/Floor.png"), 2, 1);
    EXPECT_NE(set->texture, 0u);
    EXPECT_TRUE(set->texture == first || !glIsTexture(first))
        << "the first texture was left behind";
    EXPECT_EQ(set->frameTable.size(), 2u);
    // A sheet that cannot be decoded still draws: one white texel.
    graphics->LoadInstanceSetImage("Floor.png", DataPath("img/none.png"), 2, 1);
    const FrameImage f = CaptureFrame();
    EXPECT_LE(ColourDistance(f.At(ScreenX(50), ScreenY(100)), Rgb{255, 255, 255}), 2);
}
