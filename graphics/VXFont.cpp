#include "graphics/VXFont.h"

#include "core/DataRoot.h"
#include "graphics/VXShaderProgram.h"
#include "platform/Platform.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace FrameWork {

const std::string kFontPath = DataPath("font/Bangers.ttf");

VXFont::VXFont(VXFont&& other) noexcept {
    *this = std::move(other);
}

VXFont& VXFont::operator=(VXFont&& other) noexcept {
    if (this != &other) {
        glyphs = std::move(other.glyphs);
        vertexArray = std::exchange(other.vertexArray, 0);
        vertexBuffer = std::exchange(other.vertexBuffer, 0);
        pixelSize = other.pixelSize;
        name = std::move(other.name);
    }
    return *this;
}

VXFont::~VXFont() {
    // The glyph textures stay, as the manager's Clear expects; the set's own
    // buffer and vertex array go with it.
    if (HasGL()) {
        if (vertexBuffer) glDeleteBuffers(1, &vertexBuffer);
        if (vertexArray) glDeleteVertexArrays(1, &vertexArray);
    }
}

bool VXFont::InitFont(int size, const std::string& setName) {
    pixelSize = size;
    name = setName;
    glyphs.clear();

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        std::printf(" -> Error: Unable to initialize the font library\n");
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, kFontPath.c_str(), 0, &face)) {
        std::error_code ec;
        const bool file = std::filesystem::is_regular_file(std::filesystem::u8path(kFontPath), ec);
        std::printf(
            " -> Font Face fail to initialize: %s %s\n", kFontPath.c_str(),
            file ? "is no font the game reads" : Platform::WhyUnreadable(kFontPath).c_str());
        FT_Done_FreeType(library);
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));

    const bool gl = HasGL();
    if (gl) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int code = 0; code < 128; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER)) {
            std::printf(" ->ERROR: Failed to load glyph\n");
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        VXGlyph glyph;
        glyph.width = static_cast<float>(slot->bitmap.width);
        glyph.height = static_cast<float>(slot->bitmap.rows);
        glyph.bearingX = static_cast<float>(slot->bitmap_left);
        glyph.bearingY = static_cast<float>(slot->bitmap_top);
        glyph.advance = static_cast<int32_t>(slot->advance.x);
        if (gl) {
            glGenTextures(1, &glyph.texture);
            glBindTexture(GL_TEXTURE_2D, glyph.texture);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, static_cast<GLsizei>(slot->bitmap.width),
                         static_cast<GLsizei>(slot->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE,
                         slot->bitmap.buffer);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        }
        glyphs[static_cast<char>(code)] = glyph;
    }
    if (gl) glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    if (gl) {
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(1, &vertexBuffer);
        glBindVertexArray(vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof(float) * 6 * 4, nullptr, GL_DYNAMIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindVertexArray(0);
    }
    return true;
}

void VXFont::Bind() {
    if (!HasGL()) return;
    SetUniformMatrix(g_fontProgram, "proj", g_projectionMatrix);
    SetUniformMatrix(g_fontProgram, "camView", g_camViewMatrix);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vertexArray);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

const VXGlyph& VXFont::GlyphOf(char c) {
    return glyphs[c];
}

void VXFont::RenderText(const std::string& text, float x, float y) {
    const bool gl = HasGL() && vertexArray != 0;
    for (char c : text) {
        const VXGlyph& glyph = GlyphOf(c);
        if (gl && glyph.texture != 0) {
            const float xpos = x + glyph.bearingX;
            const float ypos = y - (glyph.height - glyph.bearingY);
            const float w = glyph.width;
            const float h = glyph.height;
            const float quad[6][4] = {
                {xpos, ypos + h, 0.0f, 0.0f}, {xpos, ypos, 0.0f, 1.0f},
                {xpos + w, ypos, 1.0f, 1.0f}, {xpos, ypos + h, 0.0f, 0.0f},
                {xpos + w, ypos, 1.0f, 1.0f}, {xpos + w, ypos + h, 1.0f, 0.0f}};
            glBindTexture(GL_TEXTURE_2D, glyph.texture);
            glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
            glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(quad), quad);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
            glDrawArrays(GL_TRIANGLES, 0, 6);
        }
        x += static_cast<float>(glyph.advance >> 6);
    }
}

}  // namespace FrameWork
