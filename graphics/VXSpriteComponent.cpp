#include "graphics/VXSpriteComponent.h"

#include "core/VXFrameContext.h"
#include "graphics/VXShaderProgram.h"
#include "objects/GameObject.h"

#include <string>

namespace FrameWork {

namespace {

bool EnginePaused() {
    return FrameContext().paused != 0;
}

// The owner's world matrix (row by row, translation in elements 3, 7, 11)
// in GL's column order.
void TransposeInto(const float in[16], float out[16]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[c * 4 + r] = in[r * 4 + c];
}

}  // namespace

void UploadTexCoordShift(const VXFrameOffset* offset) {
    if (offset) SetUniformVec2(g_textureProgram, "TexCoordShift", offset->u, offset->v);
}

void VXSpriteAnimation::CopyFrom(const VXSpriteAnimation& source) {
    tickCounter = source.tickCounter;
    ticksPerFrame = source.ticksPerFrame;
    framesPerSecond = source.framesPerSecond;
    currentFrame = source.currentFrame;
    frameRows = source.frameRows;
    currentRow = -1;
}

VXSpriteComponent::VXSpriteComponent(GameObject* o) : Component(o) {}

VXSpriteComponent::~VXSpriteComponent() = default;

void VXSpriteComponent::Update(float dt) {
    if (fadeOut) alpha *= 0.95f;
    if (fadeIn) alpha = alpha + dt + dt;
    if (fadeStep) {
        alpha -= 0.05f;
        if (alpha < 0.0f && !allowNegativeAlpha) alpha += 0.05f;
    }
}

void VXSpriteComponent::SetFPS(int n) {
    if (n >= 1 && n <= 60) {
        animation.framesPerSecond = n;
        animation.ticksPerFrame = static_cast<uint32_t>(60 / n);
    } else {
        // Out of range: one step a second, and the rate saved says so too.
        animation.framesPerSecond = 1;
        animation.ticksPerFrame = 60;
    }
}

void VXSpriteComponent::SetAnimationCount(int n) {
    rowCount = n;
    for (int i = 0; i < n; ++i) animation.frameRows.emplace_back();
    animation.currentRowIndex = 0;
    if (!animation.frameRows.empty() && animation.currentRow != 0) {
        animation.currentRow = 0;
        animation.currentFrame = 0;
    }
}

void VXSpriteComponent::AddAnimationRow() {
    cellRows.emplace_back();
    animation.frameRows.emplace_back();
    animation.currentRow = static_cast<int32_t>(animation.frameRows.size()) - 1;
}

void VXSpriteComponent::SetAnimation(int n) {
    if (n < 0 || static_cast<size_t>(n) >= animation.frameRows.size()) return;
    animation.currentRowIndex = n;
    if (animation.currentRow != n) {
        animation.currentRow = n;
        animation.currentFrame = 0;
    }
}

void VXSpriteComponent::AddFrame(int cell, int row) {
    if (!texture) return;
    if (cell < 0 || static_cast<size_t>(cell) >= texture->frameOffsets.size()) return;
    if (row < 0 || static_cast<size_t>(row) > cellRows.size()) return;
    auto& frames = animation.frameRows;
    if (frames.empty()) return;
    const size_t frameRow = frames.size() >= 2 ? static_cast<size_t>(row) : 0;
    if (frameRow >= frames.size()) return;

    if (cellRows.size() == static_cast<size_t>(row)) cellRows.emplace_back();
    cellRows[static_cast<size_t>(row)].push_back(cell);
    frames[frameRow].push_back(&texture->frameOffsets[static_cast<size_t>(cell)]);
    animation.currentFrame = 0;
    const auto* current = animation.CurrentRow();
    if (current && !current->empty()) UploadTexCoordShift(current->front());
}

void VXSpriteComponent::AddCellRows(const std::vector<std::vector<int32_t>>& rows) {
    if (!texture) return;
    for (size_t k = 0; k < rows.size(); ++k) {
        while (cellRows.size() <= k) cellRows.emplace_back();
        for (int32_t cell : rows[k]) AddFrame(cell, static_cast<int>(k));
    }
}

void VXSpriteComponent::SetFrame(uint32_t i) {
    if (!texture) return;
    animation.currentFrame = i;
    const auto* current = animation.CurrentRow();
    if (current && i < current->size()) UploadTexCoordShift((*current)[i]);
}

bool VXSpriteComponent::TakeAnimationFinished() {
    const bool was = finished;
    finished = false;
    return was;
}

std::string VXSpriteComponent::GetTextureName() const {
    return texture ? texture->GetName() : std::string("- NO SHAPE FOUND -");
}

const VXFrameOffset* VXSpriteComponent::CurrentOffset() const {
    const auto* current = animation.CurrentRow();
    if (!current || animation.currentFrame >= current->size()) return nullptr;
    return (*current)[animation.currentFrame];
}

const VXFrameOffset* VXSpriteComponent::BeginDraw() {
    if (playOnce) {
        playing = true;
        finished = false;
    }
    if (!texture) return nullptr;
    const VXFrameOffset* shift = nullptr;
    const auto* current = animation.CurrentRow();
    if (current && !current->empty()) {
        if (!playing) {
            animation.tickCounter = 0;
        } else {
            // One tick for each 1/60 s step of the frame, so that an
            // animation takes the same time at any frame rate; a one-shot
            // stops on its last frame for EndDraw to finish it.
            const uint32_t last = static_cast<uint32_t>(current->size()) - 1;
            for (int32_t tick = 0; tick < FrameContext().frameSteps; ++tick) {
                if (animation.tickCounter >= animation.ticksPerFrame && !EnginePaused()) {
                    animation.tickCounter = 0;
                    animation.currentFrame =
                        animation.currentFrame >= last ? 0 : animation.currentFrame + 1;
                }
                ++animation.tickCounter;
                if (playOnce && animation.currentFrame != 0 && animation.currentFrame == last)
                    break;
            }
            shift = CurrentOffset();
        }
    }
    if (!playing && !cellRows.empty()) shift = CurrentOffset();
    return shift;
}

void VXSpriteComponent::EndDraw() {
    if (!playOnce || animation.currentFrame == 0) return;
    const auto& rows = animation.frameRows;
    const int32_t index = animation.currentRowIndex;
    if (index < 0 || static_cast<size_t>(index) >= rows.size()) return;
    const auto& row = rows[static_cast<size_t>(index)];
    if (row.empty() || animation.currentFrame != row.size() - 1) return;
    playOnce = false;
    finished = true;
    playing = false;
    animation.currentFrame = 0;
    // The next draw shows frame 0 (a stopped sprite uploads its frame); an
    // upload here would shift the next sprite of the pass instead.
}

uint32_t VXSpriteComponent::Tick() {
    BeginDraw();
    const uint32_t shown = animation.currentFrame;
    EndDraw();
    return shown;
}

void VXSpriteComponent::Draw() {
    const VXFrameOffset* shift = BeginDraw();
    if (texture && HasGL() && g_textureProgram && owner) {
        UploadTexCoordShift(shift);
        SetUniformFloat(g_textureProgram, "Alpha", alpha);
        SetUniformVec3(g_textureProgram, "uniColor", red, green, blue);
        float transform[16];
        TransposeInto(owner->worldMatrix, transform);
        SetUniformMatrix(g_textureProgram, "transform", transform);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
        glDisable(GL_BLEND);
        SetUniformVec2(g_textureProgram, "TexCoordShift", 0.0f, 0.0f);
    }
    EndDraw();
}

void VXSpriteComponent::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXSpriteComponent");
    writer.StartArray();
    WriteNumber(writer, alpha);
    SetOneLine(writer, true);
    WriteNumber(writer, red);
    WriteNumber(writer, green);
    WriteNumber(writer, blue);
    writer.Int(layer);
    SetOneLine(writer, false);
    writer.Bool(playing);
    SetOneLine(writer, true);
    writer.Int(animation.framesPerSecond);
    SetOneLine(writer, false);
    writer.Int(rowCount);
    if (texture) {
        texture->Serialize(writer);
    } else {
        // No texture record: a 1 x 1 sheet under a name no record carries,
        // so the sprite loads back without a texture.
        writer.Int(1);
        writer.Int(1);
        writer.String(GetTextureName().c_str());
    }
    // The rows list goes with every sprite that declares rows or holds cells,
    // so a reader that finds a row count also finds the list (maybe empty).
    if (!cellRows.empty() || rowCount != 0) {
        writer.StartArray();
        for (size_t i = 0; i < cellRows.size(); ++i) {
            writer.String(std::to_string(i).c_str());
            SetOneLine(writer, true);
            writer.StartArray();
            for (int32_t cell : cellRows[i]) writer.Int(cell);
            writer.EndArray();
            SetOneLine(writer, false);
        }
        writer.EndArray();
    }
    writer.EndArray();
}

}  // namespace FrameWork
