#include "graphics/VXTextComponent.h"

#include "graphics/VXFont.h"
#include "graphics/VXShaderProgram.h"
#include "objects/GameObject.h"

#include <string>

namespace FrameWork {

namespace {
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

VXTextComponent::VXTextComponent(GameObject* o) : Component(o) {}

VXTextComponent::~VXTextComponent() = default;

void VXTextComponent::Update(float) {}

float VXTextComponent::PenX() const {
    return (owner ? owner->position[0] : 0.0f) + offsetX;
}

float VXTextComponent::PenY() const {
    return (owner ? owner->position[1] : 0.0f) + offsetY;
}

void VXTextComponent::Draw() {
    if (!font) return;
    SetUniformMatrix(g_fontProgram, "transform", kIdentity);
    SetUniformFloat(g_fontProgram, "Alpha", alpha);
    SetUniformVec3(g_fontProgram, "uniColor", red, green, blue);
    font->RenderText(text, PenX(), PenY());
}

void VXTextComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    const std::string key = "VXTextComponent" + std::to_string(number);
    writer.Key(key.c_str());
    writer.StartArray();
    // The number is in the key; the first value is the text's value.
    writer.Uint(value);
    WriteNumber(writer, alpha);
    WriteNumber(writer, red);
    WriteNumber(writer, green);
    WriteNumber(writer, blue);
    writer.EndArray();
}

}  // namespace FrameWork
