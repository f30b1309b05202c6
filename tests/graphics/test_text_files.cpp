// Files as a Windows editor saves them: a UTF-8 byte-order mark and CRLF line
// ends.  Every reader of a JSON or list file reads them as the same file
// without the mark, and prints nothing more about them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/DataRoot.h"
#include "core/VXAudioManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXTilemapData.h"
#include "objects/VXObjectLoader.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/TempDataTree.h"

using namespace FrameWork;
using TestHarness::Printed;

namespace {

// `text` as Notepad saves it.
std::string AsWindowsSaves(const std::string& text) {
    std::string out = "\xEF\xBB\xBF";
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

class WindowsFiles : public ::testing::Test {
protected:
    // Writes the shipped file `relative` as Windows saves it next to itself,
    // under `name`; the path of both.
    std::pair<std::string, std::string> Both(const std::string& relative, const std::string& name) {
        const std::string text = TestHarness::ReadFile(tree.Data(relative));
        EXPECT_FALSE(text.empty()) << relative;
        tree.WriteData(name, AsWindowsSaves(text));
        return {tree.Data(relative).string(), tree.Data(name).string()};
    }
    TestHarness::TempDataTree tree;
};

std::vector<std::string> Names(const VXObjectLoader& loader) {
    std::vector<std::string> names;
    for (const GameObjectData& record : loader.records) names.push_back(record.name);
    return names;
}

}  // namespace

TEST_F(WindowsFiles, LevelAndPrefabFilesLoadWhole) {
    for (const char* relative : {"objects/savefile1.json", "objects/prefabs/Arrow.json"}) {
        // Plain names, not a structured binding: a lambda may not capture one
        // before C++20 (clang refuses).
        const auto files = Both(relative, "objects/windows.json");
        const std::string& plain = files.first;
        const std::string& windows = files.second;
        VXObjectLoader expected;
        ASSERT_TRUE(expected.Load(plain));
        VXObjectLoader loaded;
        EXPECT_EQ(Printed([&] { EXPECT_TRUE(loaded.Load(windows)) << relative; }), "");
        EXPECT_EQ(Names(loaded), Names(expected)) << relative;

        const std::string text = TestHarness::ReadFile(windows);
        VXObjectLoader fromMemory;
        EXPECT_EQ(Printed([&] {
                      EXPECT_TRUE(fromMemory.LoadFromMemory(text.data(), text.size(), relative));
                  }),
                  "");
        EXPECT_EQ(Names(fromMemory), Names(expected)) << relative;
    }
    // The JSON reader itself reads past a leading mark, but counts it in the
    // offset it names: a cut file with the mark is reported at the same
    // offset as without it, from a file and from memory.
    const std::string text = TestHarness::ReadFile(tree.Data("objects/savefile1.json"));
    const std::string cut = text.substr(0, text.size() / 2);
    tree.WriteData("objects/cut.json", cut);
    tree.WriteData("objects/markedcut.json", "\xEF\xBB\xBF" + cut);
    const std::string marked = "\xEF\xBB\xBF" + cut;
    VXObjectLoader plain, fromFile, fromMemory;
    Printed([&] {
        plain.Load(tree.Data("objects/cut.json").string());
        fromFile.Load(tree.Data("objects/markedcut.json").string());
        fromMemory.LoadFromMemory(marked.data(), marked.size(), "markedcut.json");
    });
    ASSERT_EQ(plain.failure, VXObjectLoader::NotJson);
    EXPECT_EQ(fromFile.failureDetail, plain.failureDetail) << "from the file";
    EXPECT_EQ(fromMemory.failureDetail, plain.failureDetail) << "from memory";
}

// (The JSON reader reads past a leading mark by itself, and a tile map's
// complaints name no offset: nothing here tells whether the mark was
// dropped first.)
TEST_F(WindowsFiles, TileMapsReadTheSameFloor) {
    const auto files = Both("objects/TilemapJsons/Level_1.json", "objects/w/Level_1.json");
    const std::string& plain = files.first;
    const std::string& windows = files.second;
    VXTilemapRegistry expected;
    VXTilemapRegistry loaded;
    ASSERT_TRUE(LoadTilemapFile(plain, expected));
    EXPECT_EQ(Printed([&] { EXPECT_TRUE(LoadTilemapFile(windows, loaded)); }), "");
    ASSERT_EQ(loaded.size(), 1u);
    const VXTilemapData& a = expected.begin()->second;
    const VXTilemapData& b = loaded.begin()->second;
    EXPECT_EQ(b.row, a.row);
    EXPECT_EQ(b.col, a.col);
    EXPECT_EQ(b.m_data1.size(), a.m_data1.size());
    EXPECT_EQ(b._name, a._name);
}

TEST_F(WindowsFiles, TextureAndSoundListsKeepTheirFirstName) {
    const auto textures = Both("objects/texturelist.txt", "objects/windows_textures.txt");
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->ReadTextureList(textures.first);
    const std::vector<std::string> expected = graphics->textureImageNames;
    const std::vector<int> columns = graphics->textureColumns;
    graphics->Clear();
    EXPECT_EQ(Printed([&] { graphics->ReadTextureList(textures.second); }), "");
    EXPECT_EQ(graphics->textureImageNames, expected);
    EXPECT_EQ(graphics->textureColumns, columns);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(graphics->textureImageNames.front(), "default.png");
    graphics->Clear();

    const auto sounds = Both("objects/audiolist.txt", "objects/windows_sounds.txt");
    std::vector<std::string> plainNames;
    std::vector<std::string> windowsNames;
    LoadTextList(sounds.first, plainNames);
    EXPECT_EQ(Printed([&] { LoadTextList(sounds.second, windowsNames); }), "");
    EXPECT_EQ(windowsNames, plainNames);
    ASSERT_FALSE(plainNames.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(tree.Data("audio/" + windowsNames.front())));
}

// A list that is not UTF-8 text is named once with the reason and read as
// no list at all, instead of a line per entry with a broken name.
TEST_F(WindowsFiles, ListsThatAreNotUtf8AreNamedOnceAndNotRead) {
    auto utf16 = [](const std::string& text, bool bigEndian, bool mark) {
        std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
        for (char c : text) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        return out;
    };
    const std::string sounds = TestHarness::ReadFile(tree.Data("objects/audiolist.txt"));
    const std::string textures = TestHarness::ReadFile(tree.Data("objects/texturelist.txt"));
    const struct {
        const char* what;
        std::string sounds, textures;
    } cases[] = {
        {"UTF-16", utf16(sounds, false, true), utf16(textures, true, true)},
        {"zero bytes: UTF-16 or binary", utf16(sounds, false, false), utf16(textures, true, false)},
        {"byte 0xE9 at offset 4", "bell\xE9.wav\n", "wall\xE9.png 1 1\n"},
    };
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tree.WriteData("objects/s.txt", c.sounds);
        tree.WriteData("objects/t.txt", c.textures);
        const std::string soundList = tree.Data("objects/s.txt").string();
        const std::string textureList = tree.Data("objects/t.txt").string();
        std::vector<std::string> names;
        EXPECT_EQ(Printed([&] { LoadTextList(soundList, names); }),
                  " -> " + soundList + " is not UTF-8 text (" + c.what + "): not read\n");
        EXPECT_TRUE(names.empty());
        graphics->Clear();
        EXPECT_EQ(Printed([&] { graphics->ReadTextureList(textureList); }),
                  " -> " + textureList + " is not UTF-8 text (" + c.what + "): not read\n");
        EXPECT_TRUE(graphics->textureImageNames.empty());
    }
    // UTF-8 names beyond ASCII read as they are.
    tree.WriteData("objects/s.txt", "cl\xC3\xA9.wav \xF0\x9F\x94\x94.ogg\n");
    std::vector<std::string> names;
    EXPECT_EQ(Printed([&] { LoadTextList(tree.Data("objects/s.txt").string(), names); }), "");
    EXPECT_EQ(names, (std::vector<std::string>{"cl\xC3\xA9.wav", "\xF0\x9F\x94\x94.ogg"}));
}

// The bounds of UTF-8 text, each beside its nearest valid neighbour: no
// overlong form of two, three or four bytes, no surrogate (D800 to DFFF),
// nothing past U+10FFFF.  Each stands in the second name of a list, at
// offset 10, where a refusal names its first byte.
TEST_F(WindowsFiles, ListNamesAreUtf8UpToEachBoundAndNoFurther) {
    const struct {
        const char* what;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"U+0080, the first of two bytes", "\xC2\x80", true},
        {"U+0000 in two bytes", "\xC0\x80", false},
        {"U+007F in two bytes", "\xC1\xBF", false},
        {"U+07FF, the last of two bytes", "\xDF\xBF", true},
        {"U+0800, the first of three bytes", "\xE0\xA0\x80", true},
        {"U+07FF in three bytes", "\xE0\x9F\xBF", false},
        {"U+0000 in three bytes", "\xE0\x80\x80", false},
        {"U+D7FF, below the surrogates", "\xED\x9F\xBF", true},
        {"U+D800, the first surrogate", "\xED\xA0\x80", false},
        {"U+DFFF, the last surrogate", "\xED\xBF\xBF", false},
        {"U+E000, above the surrogates", "\xEE\x80\x80", true},
        {"U+FFFF, the last of three bytes", "\xEF\xBF\xBF", true},
        {"U+10000, the first of four bytes", "\xF0\x90\x80\x80", true},
        {"U+FFFF in four bytes", "\xF0\x8F\xBF\xBF", false},
        {"U+10FFFF, the last code point", "\xF4\x8F\xBF\xBF", true},
        {"U+110000, past the last", "\xF4\x90\x80\x80", false},
        {"lead byte F5", "\xF5\x80\x80\x80", false},
    };
    const std::string list = tree.Data("objects/s.txt").string();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string second = "bad" + c.bytes + ".wav";
        tree.WriteData("objects/s.txt", "ok.wav " + second + "\n");
        std::vector<std::string> names;
        const std::string said = Printed([&] { LoadTextList(list, names); });
        if (c.valid) {
            EXPECT_EQ(said, "");
            EXPECT_EQ(names, (std::vector<std::string>{"ok.wav", second}));
        } else {
            char lead[8];
            std::snprintf(lead, sizeof lead, "0x%02X", static_cast<unsigned char>(c.bytes[0]));
            EXPECT_EQ(said, " -> " + list + " is not UTF-8 text (byte " + lead +
                                " at offset 10): not read\n");
            EXPECT_TRUE(names.empty());
        }
    }
}

// The shipped lists end with a line end.  Read without it or with a blank
// line more they give the same entries, and a line a shell appends comes
// after them as an entry of its own; nothing is said.
TEST_F(WindowsFiles, ListsReadTheSameWhateverEndsThemAndTakeAnAppendedLine) {
    const std::string sounds = TestHarness::ReadFile(tree.Data("objects/audiolist.txt"));
    const std::string textures = TestHarness::ReadFile(tree.Data("objects/texturelist.txt"));
    ASSERT_FALSE(sounds.empty());
    ASSERT_FALSE(textures.empty());
    EXPECT_EQ(sounds.back(), '\n') << "the shipped sound list ends with a line end";
    EXPECT_EQ(textures.back(), '\n') << "the shipped texture list ends with a line end";
    auto cut = [](const std::string& text) {
        return text.back() == '\n' ? text.substr(0, text.size() - 1) : text;
    };
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    std::vector<std::string> shippedSounds;
    LoadTextList(tree.Data("objects/audiolist.txt").string(), shippedSounds);
    graphics->Clear();
    graphics->ReadTextureList(tree.Data("objects/texturelist.txt").string());
    const std::vector<std::string> shippedTextures = graphics->textureImageNames;
    const std::vector<int> shippedColumns = graphics->textureColumns;
    ASSERT_FALSE(shippedSounds.empty());
    ASSERT_FALSE(shippedTextures.empty());

    const std::string soundList = tree.Data("objects/s.txt").string();
    const std::string textureList = tree.Data("objects/t.txt").string();
    // Marks and no-break spaces a designer cannot see are named with the
    // line, read as it looks; a mark opening a file (as Windows writes) is not.
    auto with = [](std::string text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    auto named = [](const std::string& list, const char* line, const char* what,
                    const std::string& in, const std::string& read) {
        return " -> " + list + " line " + line + ": a " + what + " in \"" + in + "\"; read as \"" +
               read + "\"\n";
    };
    const std::string mark = "\xEF\xBB\xBF", nb = "\xC2\xA0", hit = "PlayerToPlayerHit.ogg",
                      title = "MainMenu_FullSpriteSheet.png 5 7",
                      splash = "Splash_screen_ZT.png 1 1";
    const char *bom = "byte-order mark (U+FEFF)", *nbsp = "no-break space (U+00A0)";
    const std::string marks = named(soundList, "1", bom, "<U+FEFF>bgm.ogg", "bgm.ogg") +
                              named(textureList, "5", bom, "<U+FEFF>" + title, title);
    const std::string spaces =
        named(soundList, "2", nbsp, hit + "<U+00A0>", hit) +
        named(textureList, "2", nbsp, "Splash_screen_ZT.png<U+00A0>1<U+00A0>1", splash);

    const struct {
        const char* what;
        std::string sounds, textures;
        bool appended;
        std::string said = "";
    } variants[] = {
        {"without the last line end", cut(sounds), cut(textures), false},
        {"with a blank line more", sounds + "\n", textures + "\n", false},
        {"with a line appended", sounds + "added.ogg\n", textures + "added.png 2 3\n", true},
        {"with marks before a line's name", mark + mark + sounds,
         mark + with(textures, title, mark + title), false, marks},
        {"with no-break spaces between names and counts", with(sounds, hit, hit + nb),
         with(textures, splash, "Splash_screen_ZT.png" + nb + "1" + nb + "1"), false, spaces},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.what);
        tree.WriteData("objects/s.txt", v.sounds);
        tree.WriteData("objects/t.txt", v.textures);
        std::vector<std::string> names;
        graphics->Clear();
        EXPECT_EQ(Printed([&] {
                      LoadTextList(soundList, names);
                      graphics->ReadTextureList(textureList);
                  }),
                  v.said);
        std::vector<std::string> expectedSounds = shippedSounds;
        std::vector<std::string> expectedTextures = shippedTextures;
        std::vector<int> expectedColumns = shippedColumns;
        if (v.appended) {
            expectedSounds.push_back("added.ogg");
            expectedTextures.push_back("added.png");
            expectedColumns.push_back(2);
        }
        EXPECT_EQ(names, expectedSounds) << "last: " << (names.empty() ? "" : names.back());
        EXPECT_EQ(graphics->textureImageNames, expectedTextures)
            << "last: "
            << (graphics->textureImageNames.empty() ? "" : graphics->textureImageNames.back());
        EXPECT_EQ(graphics->textureColumns, expectedColumns);
    }
    graphics->Clear();
}
