// Shows its owner as a textured quad, tinted, faded and drawn by layer; plays
// sheet animations: rows of cells stepped every few draws, looping or once.
#pragma once

#include "graphics/VXTextureRecord.h"
#include "objects/Component.h"

#include <cstdint>
#include <string>
#include <vector>

namespace FrameWork {

// The frame stepping state of a sprite.  Rows hold pointers into the
// texture record's frame table.
struct VXSpriteAnimation {
    uint32_t tickCounter = 0;
    uint32_t ticksPerFrame = 60;
    int32_t framesPerSecond = 1;
    uint32_t currentFrame = 0;
    int32_t currentRowIndex = 0;
    // The row being played: an index into frameRows, -1 when none is.
    int32_t currentRow = -1;
    std::vector<std::vector<const VXFrameOffset*>> frameRows;

    bool HasCurrentRow() const {
        return currentRow >= 0 && static_cast<size_t>(currentRow) < frameRows.size();
    }
    const std::vector<const VXFrameOffset*>* CurrentRow() const {
        return HasCurrentRow() ? &frameRows[static_cast<size_t>(currentRow)] : nullptr;
    }
    // What a clone takes over: ticks, rate, current frame and the rows; the
    // copy has no current row and keeps its own row index.
    void CopyFrom(const VXSpriteAnimation& source);
};

class VXSpriteComponent : public Component {
public:
    explicit VXSpriteComponent(GameObject* owner);
    ~VXSpriteComponent() override;

    // The "VXSpriteComponent" block.
    void Serialize(JsonWriter& writer, rapidjson::StringBuffer& buffer) override;
    // The fades.
    void Update(float dt) override;

    // Steps the animation and draws the quad; the TEXTURE pass calls it
    // after binding the texture.
    void Draw();
    // The animation step of one draw without drawing: returns the frame that
    // draw shows (the current frame after stepping).  Draw runs the same step.
    uint32_t Tick();

    // n from 1 to 60: n frames per second, 60 / n draws per frame; any other
    // value stores 1 frame per second and 60 draws per frame.
    void SetFPS(int n);
    // Declares n more animation rows and makes the first row current.
    void SetAnimationCount(int n);
    // Appends one empty row (cells and frames) and makes it current.
    void AddAnimationRow();
    // Selects row n; the frame restarts only when the row changes.  A row
    // that does not exist is ignored.
    void SetAnimation(int n);
    // Adds sheet cell `cell` to animation row `row`; ignored without a
    // texture, for a cell outside the sheet or a row that cannot be made.
    void AddFrame(int cell, int row);
    // The rows of a saved sprite: the cells of rows[k] go to animation row
    // k, and every row, empty ones too, stays a cell row of its own, so a
    // save writes the rows back as they were.  Nothing without a texture.
    void AddCellRows(const std::vector<std::vector<int32_t>>& rows);
    // Jumps to frame i of the current row.
    void SetFrame(uint32_t i);
    // The finished flag, cleared by the call.
    bool TakeAnimationFinished();
    std::string GetTextureName() const;

    // The sheet offset the current frame shows, or null.
    const VXFrameOffset* CurrentOffset() const;

    int32_t rowCount = 0;
    std::vector<std::vector<int32_t>> cellRows;
    VXSpriteAnimation animation;
    float alpha = 1.0f;
    bool fadeOut = false;
    bool fadeIn = false;
    bool fadeStep = false;
    bool allowNegativeAlpha = false;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    int32_t layer = 0;
    VXTextureRecord* texture = nullptr;
    bool playing = true;
    bool worldSpace = true;
    bool playOnce = false;
    bool finished = false;

private:
    // Steps 1 and 2 of a draw: the one-shot request and the frame step;
    // returns the offset to show (null: leave the shift as it is).
    const VXFrameOffset* BeginDraw();
    // Step 3: the end of a one-shot animation.
    void EndDraw();
};

// Uploads a sheet offset as "TexCoordShift" to the TEXTURE program.
void UploadTexCoordShift(const VXFrameOffset* offset);

}  // namespace FrameWork
