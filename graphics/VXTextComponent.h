// A string drawn with a glyph set at its owner's position plus an offset, in
// world space, with a colour and an alpha.
#pragma once

#include <cstdint>
#include <string>

#include "objects/Component.h"

namespace FrameWork {

class VXFont;

class VXTextComponent : public Component {
public:
    explicit VXTextComponent(GameObject* owner);
    ~VXTextComponent() override;

    // The "VXTextComponent" + number block.
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // Texts do nothing per frame.
    void Update(float dt) override;

    // Draws the string with the FONT program (its font is bound already);
    // a text without a font draws nothing.
    void Draw();
    void SetText(const std::string& value) { text = value; }
    std::string GetText() const { return text; }
    void SetPosition(float x, float y) {
        offsetX = x;
        offsetY = y;
    }
    // Where the string's baseline starts: the owner's position plus the offset.
    float PenX() const;
    float PenY() const;

    VXFont* font = nullptr;
    int32_t number = 0;
    uint32_t value = 0;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    std::string text = "<- Text ->";
    float alpha = 1.0f;
    // Cleared for interface texts: drawn in screen pixels, not under the camera.
    bool worldSpace = true;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

}  // namespace FrameWork
