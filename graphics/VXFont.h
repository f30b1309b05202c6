// A glyph set: one coverage texture per character code 0 to 127 of the game's
// typeface at one pixel size, and the small buffer each glyph quad goes through.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <map>
#include <string>

namespace FrameWork {

extern const std::string kFontPath;

struct VXGlyph {
    GLuint texture = 0;
    float width = 0.0f;  // bitmap width and rows, in pixels
    float height = 0.0f;
    float bearingX = 0.0f;  // bitmap left and top
    float bearingY = 0.0f;
    int32_t advance = 0;  // 1/64 pixel
};

class VXFont {
public:
    VXFont() = default;
    VXFont(VXFont&& other) noexcept;
    VXFont& operator=(VXFont&& other) noexcept;
    VXFont(const VXFont&) = delete;
    VXFont& operator=(const VXFont&) = delete;
    ~VXFont();

    // Builds the set; false (after its line) when FreeType cannot start or
    // the font file cannot be opened.
    bool InitFont(int pixelSize, const std::string& name);
    // Camera matrices, texture unit 0, the set's vertex array, blending.
    void Bind();
    // Draws the string with its baseline starting at (x, y).
    void RenderText(const std::string& text, float x, float y);
    std::string GetName() const { return name; }

    std::map<char, VXGlyph> glyphs;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    int pixelSize = 0;
    std::string name;

private:
    // The glyph of a byte; a code without one gets an empty glyph.
    const VXGlyph& GlyphOf(char c);
};

}  // namespace FrameWork
