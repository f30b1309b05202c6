// Where the last frame drew the objects of a screen: each sprite's quad and
// each text's glyphs as a box in window pixels (y up), from the matrices
// the renderer used, and how far each reaches past the window's edges in the
// screens' layout pixels, for comparing one window with another.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "core/VXFrameContext.h"
#include "engine/VXEngine.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXFont.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"

namespace TestHarness {

struct ScreenBox {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
};

// A point of a sprite or text (world or screen space) in window pixels.
inline void ToWindow(bool worldSpace, float x, float y, float& wx, float& wy) {
    const FrameWork::VXGraphicsManager* g = FrameWork::VXGraphicsManager::Instance();
    if (worldSpace) {
        const float* view = g->camera.camView;
        wx = view[0] * x + view[12];
        wy = view[5] * y + view[13];
    } else {
        wx = g->screenScale * x;
        wy = g->screenScale * y;
    }
}

// The quad of the object's transform (corners at +-0.5), rotation included.
inline ScreenBox SpriteBox(const FrameWork::GameObject& object, bool worldSpace) {
    const float* m = object.worldMatrix;
    ScreenBox box{1e30f, 1e30f, -1e30f, -1e30f};
    for (float cx : {-0.5f, 0.5f})
        for (float cy : {-0.5f, 0.5f}) {
            float wx = 0.0f, wy = 0.0f;
            ToWindow(worldSpace, m[0] * cx + m[1] * cy + m[3], m[4] * cx + m[5] * cy + m[7], wx,
                     wy);
            box.left = std::min(box.left, wx);
            box.right = std::max(box.right, wx);
            box.bottom = std::min(box.bottom, wy);
            box.top = std::max(box.top, wy);
        }
    return box;
}

// The glyphs' bitmaps from the pen along the baseline.
inline ScreenBox TextBox(const FrameWork::VXTextComponent& text) {
    float x = text.PenX(), left = x, right = x, bottom = text.PenY(), top = text.PenY();
    for (char c : text.text) {
        auto it = text.font->glyphs.find(c);
        if (it == text.font->glyphs.end()) continue;
        const FrameWork::VXGlyph& g = it->second;
        left = std::min(left, x + g.bearingX);
        right = std::max(right, x + g.bearingX + g.width);
        bottom = std::min(bottom, text.PenY() - (g.height - g.bearingY));
        top = std::max(top, text.PenY() + g.bearingY);
        x += static_cast<float>(g.advance >> 6);
    }
    ScreenBox box;
    ToWindow(text.worldSpace, left, bottom, box.left, box.bottom);
    ToWindow(text.worldSpace, right, top, box.right, box.top);
    return box;
}

// How far the box reaches past the nearest of the window's edges, in the
// screens' layout pixels; 0 inside.
inline float Overflow(const ScreenBox& b) {
    const float w = static_cast<float>(FrameWork::windowWidth);
    const float h = static_cast<float>(FrameWork::windowHeight);
    const float past = std::max({0.0f, -b.left, -b.bottom, b.right - w, b.top - h});
    return past / FrameWork::ScreenScale();
}

// Every drawn sprite and text of `objects` (active, with an image or font
// and not transparent), by object name (a text as name + " text").
inline std::map<std::string, ScreenBox> DrawnBoxes(const FrameWork::VXObjectManager& objects) {
    std::map<std::string, ScreenBox> boxes;
    for (const FrameWork::GameObject* object : objects.objects) {
        if (!object->m_active) continue;
        auto* sprite =
            static_cast<FrameWork::VXSpriteComponent*>(object->GetComponent(FrameWork::CT_Sprite));
        if (sprite && sprite->active && sprite->texture && sprite->alpha > 0.0f)
            boxes[object->g_name] = SpriteBox(*object, sprite->worldSpace);
        auto* text =
            static_cast<FrameWork::VXTextComponent*>(object->GetComponent(FrameWork::CT_Text));
        if (text && text->active && text->font && text->alpha > 0.0f && !text->text.empty())
            boxes[object->g_name + " text"] = TextBox(*text);
    }
    return boxes;
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
