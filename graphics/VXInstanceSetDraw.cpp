// The GL side of an instance set: its buffers, its sheet texture and the
// instanced draw.  Every GL call waits for a current context, so the set's
// lists can be filled and tested without one.
#include "graphics/VXInstanceSet.h"

#include "graphics/VXImageFile.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXSheetTexture.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdio>

namespace FrameWork {

namespace {

// The unit quad in triangle-strip order: bottom-left, bottom-right,
// top-left, top-right.
const float kQuad[12] = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                         -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};

// Attribute slots of the "INST" program.
enum Attribute : GLuint {
    kCorner = 0,
    kCentreSize = 1,
    kColour = 2,
    kCornerUV = 3,
    kCellOffset = 4
};

void SetAttribute(GLuint slot, GLuint buffer, GLint size) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(slot);
    glVertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

template <class T>
void Stream(GLuint slot, GLuint buffer, const std::vector<T>& list, GLint size) {
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(list.size() * sizeof(T));
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, list.data());
    SetAttribute(slot, buffer, size);
}

// How many instances a per-instance list can feed: all of its entries when
// it advances per instance, and either all or none when it advances per
// vertex (four corners a quad).  An empty list is not bound at all.
size_t Feeds(size_t entries, uint8_t perInstance, size_t wanted) {
    if (entries == 0) return wanted;
    if (perInstance) return std::min(entries, wanted);
    return entries >= 4 ? wanted : 0;
}

}  // namespace

VXInstanceSet::~VXInstanceSet() {
    if (quadBuffer && HasGL()) {
        const GLuint buffers[5] = {quadBuffer, uvBuffer, positionBuffer, colourBuffer,
                                   offsetBuffer};
        glDeleteBuffers(5, buffers);
    }
}

void VXInstanceSet::MakeBuffers() {
    if (quadBuffer) return;
    glGenBuffers(1, &quadBuffer);
    glGenBuffers(1, &uvBuffer);
    glGenBuffers(1, &positionBuffer);
    glGenBuffers(1, &colourBuffer);
    glGenBuffers(1, &offsetBuffer);
}

void VXInstanceSet::ReleaseTexture() {
    if (texture && HasGL()) glDeleteTextures(1, &texture);
    texture = 0;
}

void VXInstanceSet::LoadImage(const char* path, int32_t rows, int32_t columns) {
    VXImage image;
    const std::string file = path ? path : "";
    const VXImageLoad result = LoadImageFile(file, image);
    if (result == VXImageLoad::Missing)
        std::printf("\nERROR\n -> Texture image fail to load, image file %s.\n%s\n\n",
                    Platform::WhyUnreadable(file).c_str(), file.c_str());
    if (result == VXImageLoad::Undecodable)
        std::printf("\nERROR\n -> Texture image fail to load, image file may be corrupted.\n%s\n\n",
                    file.c_str());

    ClampSheetSize(columns, rows);
    _texColumns = columns;
    _texRows = rows;
    ComputeFrames(rows, columns);
    // Image row 0 (the top of the file) is uploaded first and so lies at
    // v = 0: the quad's top corners take v = 0, so the sheet shows upright
    // and a cell's offset is its top-left corner.
    const float du = 1.0f / static_cast<float>(_texColumns);
    const float dv = 1.0f / static_cast<float>(_texRows);
    uvCorners = {{{0.0f, dv}, {du, dv}, {0.0f, 0.0f}, {du, 0.0f}}};

    if (HasGL()) {
        ReleaseTexture();
        bool fellBack = false;
        texture = UploadSheetImage(image, file, fellBack);
    }
}

void VXInstanceSet::Upload() {
    if (!HasGL()) return;
    MakeBuffers();
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    SetAttribute(kCorner, quadBuffer, 3);
    if (!m_data1.empty()) Stream(kCentreSize, positionBuffer, m_data1, 4);
    if (!m_data2.empty()) Stream(kColour, colourBuffer, m_data2, 4);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindBuffer(GL_ARRAY_BUFFER, uvBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof uvCorners, uvCorners.data(), GL_STATIC_DRAW);
    SetAttribute(kCornerUV, uvBuffer, 2);
    if (!texOffsets.empty()) Stream(kCellOffset, offsetBuffer, texOffsets, 2);
}

void VXInstanceSet::Draw() {
    if (!HasGL()) return;
    // Never draw more instances than the lists hold.
    size_t n = _count > 0 ? static_cast<size_t>(_count) : 0;
    n = Feeds(m_data1.size(), m_default1, n);
    n = Feeds(m_data2.size(), m_default2, n);
    n = Feeds(texOffsets.size(), m_default3, n);

    glVertexAttribDivisor(kCorner, 0);
    glVertexAttribDivisor(kCentreSize, m_default1);
    glVertexAttribDivisor(kColour, m_default2);
    glVertexAttribDivisor(kCornerUV, 0);
    glVertexAttribDivisor(kCellOffset, m_default3);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (n > 0) glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(n));

    // Leave no divisor or attribute behind for the passes that follow.
    glVertexAttribDivisor(kCentreSize, 0);
    glVertexAttribDivisor(kColour, 0);
    glVertexAttribDivisor(kCellOffset, 0);
    glDisable(GL_BLEND);
    for (GLuint slot : {kCorner, kCentreSize, kColour, kCornerUV, kCellOffset})
        glDisableVertexAttribArray(slot);
}

}  // namespace FrameWork
