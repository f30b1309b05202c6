// Where the last frame drew the objects of a screen: each sprite's quad and
// each text's glyphs as a box in window pixels (y up), read from what the
// renderer handed GL.  While a DrawRecorder lives, the matrices the sprite
// and text programs receive and the glyph quads streamed to the text program
// are seen on their way to GL (GLEW's entry points), and every draw's box is
// its vertices through its own projection, view and transform and the
// viewport of the moment.
#pragma once

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/VXFrameContext.h"
#include "engine/VXEngine.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"

namespace TestHarness {

// The box a sprite's quad or a text's glyphs cover, and the drawn length of
// the quad's sides (a turned quad's own; a text's box's).
struct ScreenBox {
    float left = 1e30f, bottom = 1e30f, right = -1e30f, top = -1e30f;
    float width = 0.0f, height = 0.0f;
    void Add(float x, float y) {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    float CentreX() const { return (left + right) / 2; }
    float CentreY() const { return (bottom + top) / 2; }
};

namespace Drawn {
struct Draw {
    float transform[16];
    ScreenBox box;
};
// The last frame's draws (a frame starts where the sprite program is given
// its projection), and the matrices each program holds: [sprite, text] x
// [projection, view, transform].
inline std::vector<Draw> sprites, texts;
inline float held[2][3][16];
inline PFNGLUNIFORMMATRIX4FVPROC realUniformMatrix = nullptr;
inline PFNGLBUFFERSUBDATAPROC realBufferSubData = nullptr;

// 0 while the renderer's sprite program is the current one, 1 its text
// program, else -1; `program` is the current one's name.
inline int Program(GLint& program) {
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    const FrameWork::VXShaderProgram* p[2] = {FrameWork::g_textureProgram,
                                              FrameWork::g_fontProgram};
    for (int i = 0; i < 2; ++i)
        if (p[i] && static_cast<GLint>(p[i]->program) == program) return i;
    return -1;
}

// (x, y, 0, 1) through the program's three matrices and the viewport.
inline void ToWindow(int program, float x, float y, float out[2]) {
    float v[4] = {x, y, 0.0f, 1.0f};
    for (int m = 2; m >= 0; --m) {
        float next[4] = {};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) next[r] += held[program][m][c * 4 + r] * v[c];
        std::copy(next, next + 4, v);
    }
    GLint port[4] = {};
    glGetIntegerv(GL_VIEWPORT, port);
    out[0] = port[0] + (v[0] / v[3] + 1.0f) / 2.0f * port[2];
    out[1] = port[1] + (v[1] / v[3] + 1.0f) / 2.0f * port[3];
}

inline void GLAPIENTRY UniformMatrix(GLint at, GLsizei count, GLboolean transpose,
                                     const GLfloat* m) {
    static const char* const kNames[2][3] = {{"projection", "camView", "transform"},
                                             {"proj", "camView", "transform"}};
    GLint current = 0;
    const int program = Program(current);
    for (int k = 0; program >= 0 && at >= 0 && count == 1 && !transpose && k < 3; ++k) {
        if (at != glGetUniformLocation(current, kNames[program][k])) continue;
        std::copy(m, m + 16, held[program][k]);
        if (program == 0 && k == 0) sprites.clear(), texts.clear();
        if (k != 2) continue;
        Draw draw;
        std::copy(m, m + 16, draw.transform);
        if (program == 0) {  // the sprite's unit quad
            const float unit[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}};
            float p[4][2];
            for (int i = 0; i < 4; ++i) {
                ToWindow(0, unit[i][0], unit[i][1], p[i]);
                draw.box.Add(p[i][0], p[i][1]);
            }
            draw.box.width = std::hypot(p[1][0] - p[0][0], p[1][1] - p[0][1]);
            draw.box.height = std::hypot(p[2][0] - p[0][0], p[2][1] - p[0][1]);
        }
        (program == 0 ? sprites : texts).push_back(draw);
    }
    realUniformMatrix(at, count, transpose, m);
}

// A text's glyph quads: six vertices of x, y, u, v.
inline void GLAPIENTRY BufferSubData(GLenum target, GLintptr offset, GLsizeiptr size,
                                     const void* data) {
    GLint current = 0;
    if (target == GL_ARRAY_BUFFER && size == 24 * sizeof(float) && !texts.empty() &&
        Program(current) == 1) {
        const float* v = static_cast<const float*>(data);
        ScreenBox& box = texts.back().box;
        for (int i = 0; i < 6; ++i) {
            float p[2];
            ToWindow(1, v[4 * i], v[4 * i + 1], p);
            box.Add(p[0], p[1]);
        }
        box.width = box.right - box.left;
        box.height = box.top - box.bottom;
    }
    realBufferSubData(target, offset, size, data);
}
}  // namespace Drawn

// Sees the draws while it lives; made after the engine has started (GLEW's
// entry points are set then).
struct DrawRecorder {
    DrawRecorder() {
        Drawn::realUniformMatrix = __glewUniformMatrix4fv;
        Drawn::realBufferSubData = __glewBufferSubData;
        __glewUniformMatrix4fv = Drawn::UniformMatrix;
        __glewBufferSubData = Drawn::BufferSubData;
    }
    ~DrawRecorder() {
        __glewUniformMatrix4fv = Drawn::realUniformMatrix;
        __glewBufferSubData = Drawn::realBufferSubData;
    }
};

// How far the box reaches past the nearest of the window's edges, in the
// screens' layout pixels; 0 inside.
inline float Overflow(const ScreenBox& b) {
    const float w = static_cast<float>(FrameWork::windowWidth);
    const float h = static_cast<float>(FrameWork::windowHeight);
    const float past = std::max({0.0f, -b.left, -b.bottom, b.right - w, b.top - h});
    return past / FrameWork::ScreenScale();
}

// Every sprite and text of `objects` the last frame drew visibly (active,
// with an image or font and not transparent), by object name (a text as
// name + " text"), from a DrawRecorder's draws: a sprite's by the transform
// it was drawn with, a text's by its place in the renderer's text list.
inline std::map<std::string, ScreenBox> DrawnBoxes(const FrameWork::VXObjectManager& objects) {
    std::map<const FrameWork::VXTextComponent*, const ScreenBox*> textBoxes;
    size_t next = 0;
    for (const auto& text : FrameWork::VXGraphicsManager::Instance()->textList)
        if (text->active && text->font && next < Drawn::texts.size())
            textBoxes[text.get()] = &Drawn::texts[next++].box;
    std::map<std::string, ScreenBox> boxes;
    for (const FrameWork::GameObject* object : objects.objects) {
        if (!object->m_active) continue;
        auto* sprite =
            static_cast<FrameWork::VXSpriteComponent*>(object->GetComponent(FrameWork::CT_Sprite));
        if (sprite && sprite->active && sprite->texture && sprite->alpha > 0.0f) {
            const float* m = object->worldMatrix;
            auto drawn = std::find_if(Drawn::sprites.begin(), Drawn::sprites.end(), [&](auto& d) {
                for (int i = 0; i < 16; ++i)
                    if (d.transform[i] != m[(i % 4) * 4 + i / 4]) return false;
                return true;
            });
            if (drawn != Drawn::sprites.end())
                boxes[object->g_name] = drawn->box;
            else
                ADD_FAILURE() << object->g_name << " was not drawn (" << Drawn::sprites.size()
                              << " sprites were)";
        }
        auto* text =
            static_cast<FrameWork::VXTextComponent*>(object->GetComponent(FrameWork::CT_Text));
        if (text && text->active && text->font && text->alpha > 0.0f && !text->text.empty()) {
            if (textBoxes.count(text))
                boxes[object->g_name + " text"] = *textBoxes[text];
            else
                ADD_FAILURE() << object->g_name << "'s text \"" << text->text << "\" was not drawn";
        }
    }
    return boxes;
}

// Along one axis of the layout (`full` pixels: 1920 across, 1080 up) and of
// a window `window` pixels long whose screens are scaled by `s`: whether a
// piece drawn centred at `c` and `d` long in the layout's own window is
// drawn centred at `c2` and `d2` long where the layout may put it: scaled
// about the window's middle or from either of its ends, or spread with the
// window; as long scaled, or spread with the window.
inline bool PlacedAlong(float full, float window, float s, float c, float d, float c2, float d2) {
    constexpr float kSlack = 1.5f;  // window pixels
    const float spread = window / full;
    const float places[4] = {window / 2 + s * (c - full / 2), s * c, window - s * (full - c),
                             spread * c};
    const float lengths[2] = {s * d, spread * d};
    auto near = [](float v) { return [v](float p) { return std::fabs(v - p) <= kSlack; }; };
    return std::any_of(places, places + 4, near(c2)) && std::any_of(lengths, lengths + 2, near(d2));
}

// The pieces of each screen as the first window, 1920 x 1080 (the layout's
// own pixels), drew them; in any other window each piece must be drawn where
// and as large as the layout puts it there, scaled by min(width / 1920,
// height / 1080), and each text at the same place on its owner's picture.
class LayoutRecord {
public:
    void Check(const std::string& screen, const std::map<std::string, ScreenBox>& boxes,
               bool first) {
        const float w = static_cast<float>(FrameWork::windowWidth);
        const float h = static_cast<float>(FrameWork::windowHeight);
        const float s = std::min(w / 1920.0f, h / 1080.0f);
        std::map<std::string, ScreenBox>& was = record[screen];
        if (first) was = boxes;
        for (const auto& [name, box] : boxes) {
            const auto then = was.find(name);
            if (then == was.end()) {
                ADD_FAILURE() << screen << ": " << name << " is drawn in " << w << " x " << h
                              << " but was not in 1920 x 1080";
                continue;
            }
            const ScreenBox& a = then->second;
            EXPECT_TRUE(PlacedAlong(1920, w, s, a.CentreX(), a.width, box.CentreX(), box.width) &&
                        PlacedAlong(1080, h, s, a.CentreY(), a.height, box.CentreY(), box.height))
                << screen << ": " << name << " is drawn " << box.width << " x " << box.height
                << " px about (" << box.CentreX() << ", " << box.CentreY() << ") in " << w << " x "
                << h << "; in 1920 x 1080 " << a.width << " x " << a.height << " about ("
                << a.CentreX() << ", " << a.CentreY() << "), which scaled by " << s
                << " about the centre is " << s * a.width << " x " << s * a.height << " about ("
                << w / 2 + s * (a.CentreX() - 960) << ", " << h / 2 + s * (a.CentreY() - 540)
                << ")";
            const std::string owner = name.size() > 5 ? name.substr(0, name.size() - 5) : "";
            if (name.compare(owner.size(), 5, " text") || !boxes.count(owner) || !was.count(owner))
                continue;
            const ScreenBox &o = boxes.at(owner), &ao = was.at(owner);
            const float across = (box.left - o.left) / (o.right - o.left) -
                                 (a.left - ao.left) / (ao.right - ao.left);
            const float up = (box.bottom - o.bottom) / (o.top - o.bottom) -
                             (a.bottom - ao.bottom) / (ao.top - ao.bottom);
            EXPECT_TRUE(std::fabs(across * (o.right - o.left)) <= 1.5f &&
                        std::fabs(up * (o.top - o.bottom)) <= 1.5f)
                << screen << ": " << name << " stands " << across * (o.right - o.left)
                << " px right and " << up * (o.top - o.bottom) << " px above its place on " << owner
                << " in " << w << " x " << h << " (at " << a.left - ao.left << ", "
                << a.bottom - ao.bottom << " px from its corner in 1920 x 1080)";
        }
        for (const auto& [name, box] : was)
            EXPECT_TRUE(boxes.count(name)) << screen << ": " << name << " is drawn in 1920 x 1080"
                                           << " but not in " << w << " x " << h;
    }

private:
    std::map<std::string, std::map<std::string, ScreenBox>> record;
};

inline std::ostream& operator<<(std::ostream& out, const ScreenBox& b) {
    return out << "(" << b.left << ", " << b.bottom << ") to (" << b.right << ", " << b.top << ")";
}

// The windows the screens are checked in, the first where they are drawn at
// their own pixels: full screen on a 1920 x 1080 display, full screen on a
// 1366 x 768 display, and the options' window of that display.
struct CheckedWindow {
    const char* name;
    int display[2];
    bool fullScreen;
    int width, height;  // what the window comes to
};
inline const CheckedWindow kCheckedWindows[3] = {
    {"full screen on a 1920 x 1080 display", {1920, 1080}, true, 1920, 1080},
    {"full screen on a 1366 x 768 display", {1366, 768}, true, 1366, 768},
    {"the options' window of a 1366 x 768 display", {1366, 768}, false, 1266, 668},
};

// Takes the window's display size and opens it the way the game does.
inline void OpenWindow(FrameWork::VXEngine* engine, const CheckedWindow& window) {
    FrameWork::screenWidth = window.display[0];
    FrameWork::screenHeight = window.display[1];
    if (window.fullScreen)
        engine->MakeBorderlessFullscreen();
    else
        engine->SetWindowed(window.display[0], window.display[1]);
}

}  // namespace TestHarness
