// The shipped game data, read through the game's own loaders on a temporary
// copy of data/: the texture list and every image it names, the four save
// files and the prefabs (loaded, then written
// back unchanged), the tile maps, the objects each level looks up by name,
// and the glyph sets of the font.  The loaders print only when something is
// wrong, so every load here must stay silent.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/DataRoot.h"
#include "engine/StartupGlobals.h"
#include "engine/VXEngine.h"
#include "gameplay/VXFlagCom.h"
#include "gameplay/VXObjectManager.h"
#include "gameplay/VXPlayerLogic.h"
#include "graphics/VXFont.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "objects/ComponentType.h"
#include "objects/GameObject.h"
#include "physics/VXAABB.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;
using TestHarness::Printed;
using TestHarness::ReadFile;
namespace fs = std::filesystem;

namespace {

const std::string kData = kDataRoot;
const std::string kObjects = kData + "objects/";

uint32_t BigEndian32(const std::string& b, size_t at) {
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}
uint32_t LittleEndian32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8) |
           (uint32_t(uint8_t(b[at + 2])) << 16) | (uint32_t(uint8_t(b[at + 3])) << 24);
}

// The pixel size an image file declares in its header (PNG or DDS), read
// without any decoder; false when the file is neither.
bool DeclaredSize(const std::string& path, int& width, int& height) {
    const std::string head = ReadFile(path).substr(0, 128);
    if (head.size() >= 24 && head.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
        head.compare(12, 4, "IHDR") == 0) {
        width = static_cast<int>(BigEndian32(head, 16));
        height = static_cast<int>(BigEndian32(head, 20));
        return true;
    }
    if (head.size() >= 128 && head.compare(0, 4, "DDS ") == 0) {
        height = static_cast<int>(LittleEndian32(head, 12));
        width = static_cast<int>(LittleEndian32(head, 16));
        return true;
    }
    return false;
}

// The projectile prefabs, each file named for its object.
const std::vector<std::string> kPrefabs = {"Arrow.json",  "CannonBall.json", "Fist.json",
                                           "Katana.json", "Lance.json",      "Mop.json"};

VXSpriteComponent* SpriteOf(const GameObject* object) {
    return object ? static_cast<VXSpriteComponent*>(object->GetComponent(CT_Sprite)) : nullptr;
}

size_t RowsOf(const GameObject* object) {
    const VXSpriteComponent* sprite = SpriteOf(object);
    return sprite ? sprite->cellRows.size() : 0;
}

class GameData : public TestHarness::EngineFixture {
protected:
    void TearDown() override {
        if (engine) VXGraphicsManager::Instance()->ClearStateLists();
        EngineFixture::TearDown();
    }

    // Reads the texture list and loads every entry, as the loading screen
    // does; returns what the loads printed.
    std::string LoadListedTextures() {
        VXGraphicsManager* g = VXGraphicsManager::Instance();
        return Printed([&] {
            g->ReadTextureList(kObjects + "texturelist.txt");
            for (size_t i = 0; i < g->textureImageNames.size(); ++i)
                g->AddNamedTexture(g->textureImageNames[i], g->textureImagePaths[i],
                                   g->textureColumns[i], g->textureRows[i]);
        });
    }
};

// --- Images --------------------------------------------------------------------

TEST_F(GameData, EveryListedImageLoadsAsTheFileItIs) {
    VXGraphicsManager* g = VXGraphicsManager::Instance();
    EXPECT_EQ(Printed([&] { g->ReadTextureList(kObjects + "texturelist.txt"); }), "");
    ASSERT_GT(g->textureImageNames.size(), 30u);

    // The loading screen adds its own sheet beside the list.
    std::vector<std::string> names = g->textureImageNames;
    std::vector<std::string> paths = g->textureImagePaths;
    std::vector<int> columns = g->textureColumns, rows = g->textureRows;
    names.push_back("LoaderSprite");
    paths.push_back(kData + "img/LoadingScreen.png");
    columns.push_back(3);
    rows.push_back(1);

    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        // A missing file would silently show the default image instead.
        ASSERT_TRUE(fs::is_regular_file(paths[i])) << paths[i];
        int fileWidth = 0, fileHeight = 0;
        ASSERT_TRUE(DeclaredSize(paths[i], fileWidth, fileHeight)) << "neither PNG nor DDS";

        VXTextureRecord* record = nullptr;
        EXPECT_EQ(
            Printed([&] { record = g->AddNamedTexture(names[i], paths[i], columns[i], rows[i]); }),
            "");
        ASSERT_NE(record, nullptr);
        // The grid is the listed one (a fallback resets it to 1 x 1), splits
        // the image into whole cells, and the image is the file's own.
        EXPECT_EQ(record->frameOffsets.size(), static_cast<size_t>(columns[i] * rows[i]));
        EXPECT_EQ(record->width, fileWidth);
        EXPECT_EQ(record->height, fileHeight);
        EXPECT_TRUE(fileWidth % columns[i] == 0 && fileHeight % rows[i] == 0)
            << fileWidth << " x " << fileHeight << " px in " << columns[i] << " x " << rows[i]
            << " cells";
    }
}

// --- Save files and prefabs ------------------------------------------------------

TEST_F(GameData, SaveFilesLoadQuietlyAndSaveBackUnchanged) {
    ASSERT_EQ(LoadListedTextures(), "");
    for (int n = 0; n < 4; ++n) {
        const std::string file = kObjects + "savefile" + std::to_string(n) + ".json";
        SCOPED_TRACE(file);
        const std::string original = ReadFile(file);
        ASSERT_FALSE(original.empty());
        VXObjectManager level;
        bool loaded = false;
        EXPECT_EQ(Printed([&] { loaded = level.LoadObjects(file); }), "");
        ASSERT_TRUE(loaded);
        for (const GameObject* object : level.objects)
            if (const VXSpriteComponent* sprite = SpriteOf(object)) {
                EXPECT_NE(sprite->texture, nullptr)
                    << object->g_name << " names an unlisted texture";
            }

        const std::string copy = kObjects + "resaved" + std::to_string(n) + ".json";
        bool saved = false;
        EXPECT_EQ(Printed([&] { saved = level.SaveObjects(copy); }), "");
        ASSERT_TRUE(saved);
        EXPECT_TRUE(ReadFile(copy) == original) << "saving the loaded level gives another text:\n"
                                                << ReadFile(copy);
        VXGraphicsManager::Instance()->ClearStateLists();
    }
}

TEST_F(GameData, PrefabFolderHoldsTheSixProjectilesAndEachSavesBackUnchanged) {
    ASSERT_EQ(LoadListedTextures(), "");
    const std::vector<std::string> listed = engine->ListDirectory(kObjects + "prefabs/*");
    ASSERT_EQ(listed, kPrefabs) << "the shipped folder holds the six projectiles";

    for (const std::string& name : listed) {
        SCOPED_TRACE(name);
        const std::string file = kObjects + "prefabs/" + name;
        const std::string original = ReadFile(file);
        VXObjectManager level;
        bool loaded = false;
        EXPECT_EQ(Printed([&] { loaded = level.LoadPrefabs(file); }), "");
        ASSERT_TRUE(loaded);
        ASSERT_EQ(level.prefabs.size(), 1u);
        GameObject* prefab = level.prefabs[0];
        EXPECT_EQ(prefab->objectType, GameObject::Bullet);
        ASSERT_NE(SpriteOf(prefab), nullptr);
        EXPECT_NE(SpriteOf(prefab)->texture, nullptr);
        ASSERT_GE(RowsOf(prefab), 1u);
        EXPECT_FALSE(SpriteOf(prefab)->cellRows[0].empty()) << "a shot plays row 0";
        EXPECT_NE(prefab->GetComponent(CT_Bullet), nullptr);
        // Saved under its object's name, which must be the file's own.

        fs::remove(file);
        bool saved = false;
        EXPECT_EQ(Printed([&] { saved = SavePrefab(prefab); }), "");
        ASSERT_TRUE(saved);
        ASSERT_TRUE(fs::exists(file)) << "the prefab was saved under another name";
        EXPECT_TRUE(ReadFile(file) == original) << "saving the loaded prefab gives another text:\n"
                                                << ReadFile(file);
        VXGraphicsManager::Instance()->ClearStateLists();
    }
}

// --- Tile maps -------------------------------------------------------------------

TEST_F(GameData, EveryTileMapLoadsAsAFullGrid) {
    VXGraphicsManager* g = VXGraphicsManager::Instance();
    const std::vector<std::string> files = engine->ListDirectory(kObjects + "TilemapJsons/*");
    ASSERT_FALSE(files.empty());
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Printed([&] { g->LoadTilemap(kObjects + "TilemapJsons/" + name); }), "");
    }
    EXPECT_EQ(g->tilemaps.size(), files.size());
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(g->tilemaps.count("Level_" + std::to_string(n)), 1u) << "level " << n;
    for (const auto& [key, map] : g->tilemaps) {
        SCOPED_TRACE(key);
        EXPECT_GT(map._count, 0);
        EXPECT_EQ(map._count, map.row * map.col);
        EXPECT_EQ(map.m_data3Index.size(), static_cast<size_t>(map._count));
        EXPECT_EQ(map.m_data1.size(), static_cast<size_t>(map._count));
        for (int32_t frame : map.m_data3Index)
            EXPECT_TRUE(frame >= 0 && frame < map._texColumns * map._texRows) << frame;
    }
}

// --- Font --------------------------------------------------------------------------

TEST_F(GameData, FontGivesEveryNamedGlyphSet) {
    VXGraphicsManager* g = VXGraphicsManager::Instance();
    const std::vector<std::pair<std::string, int>> sets = {{"Volume", 35},
                                                           {"ForScore", 40},
                                                           {"RedBlueScore", 40},
                                                           {"VolumeSplash", 60},
                                                           {"Timer", 65}};
    // What the game writes with them: clock, scores, volume and the placeholders.
    const std::string shown = "0123456789:%-<>ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    float lastHeight = 0.0f;  // the sizes are honoured: a larger set draws larger digits
    for (const auto& set_ : sets) {
        const std::string& name = set_.first;
        const int size = set_.second;
        SCOPED_TRACE(name);
        EXPECT_EQ(Printed([&] { EXPECT_TRUE(g->AddFont(size, name)); }), "");
        VXFont* set = g->FindFont(name);
        ASSERT_NE(set, nullptr);
        for (char c : shown)
            EXPECT_TRUE(set->glyphs[c].width > 0 && set->glyphs[c].texture != 0)
                << "'" << c << "' has no outline";
        EXPECT_GT(set->glyphs[' '].advance, 0) << "a space moves the pen";
        EXPECT_GE(set->glyphs['0'].height, lastHeight);
        lastHeight = set->glyphs['0'].height;
    }
}

}  // namespace
