#include "graphics/VXGraphicsManager.h"

#include "core/DataRoot.h"
#include "core/VXDebugManager.h"
#include "core/VXFrameContext.h"
#include "graphics/VXDebugLine.h"
#include "graphics/VXParticleEmitter.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"
#include "objects/VXObjectLoader.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace FrameWork {

namespace {

VXGraphicsManager* g_graphicsManager = nullptr;

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The serial of the texture record bound last in the sprite pass.
int32_t g_boundSerial = -1;

enum ProgramIndex : size_t { kPrimitives = 0, kTexture = 1, kFont = 2, kInst = 3 };

void UnbindSpriteState() {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool DrawableSize(int width, int height) {
    return width > 0 && height > 0;
}

}  // namespace

namespace Camera {

int ViewPixel(float view) {
    constexpr float kFarthest = 1e9f;
    if (std::isnan(view)) return 0;
    return static_cast<int>(std::trunc(std::clamp(view, -kFarthest, kFarthest)));
}

float Smoothing(float frameTime) {
    // A frame that measured nothing (or a whole second) would freeze the
    // camera or make it jump: 1/60 stands in.
    if (!(frameTime > 0.0f && frameTime < 1.0f)) return 0.016666668f;
    return frameTime;
}

float LargestScale(float levelScale, int height, float hudLines, float hudLinesAt1080) {
    // The room from the players' midpoint to the nearer of the top and the
    // HUD (a floor that fits at 1080 lines leaves about half of the width of
    // a 1920 x 1080 screen free: the height is what limits).
    auto room = [](int h, float hud) {
        return std::min(static_cast<float>(h / 2) - kLift, static_cast<float>(h / 2) + kLift - hud);
    };
    const float here = room(height, hudLines);
    const float there = room(kScaleScreenHeight, hudLinesAt1080);
    if (!(here > 0.0f && there > 0.0f)) return levelScale;
    return levelScale * std::max(1.0f, there / here);
}

void Span::Fit(float zoom, float centre, float half, int middle, float from, float to) {
    const float nearSide = zoom * (centre - half);
    const float farSide = zoom * (centre + half);
    if (!std::isfinite(nearSide) || !std::isfinite(farSide)) return;
    const float m = static_cast<float>(middle);
    lowest = std::max(lowest, from - m - nearSide);
    highest = std::min(highest, to - m - farSide);
}

float Span::Bound(float camera) const {
    const float low = std::ceil(lowest);
    const float high = std::floor(highest);
    if (low <= high) return std::clamp(camera, low, high);
    return static_cast<float>(ViewPixel(std::round(lowest / 2.0f + highest / 2.0f)));
}

void BuildProjection(float out[16], int width, int height) {
    std::fill(out, out + 16, 0.0f);
    out[0] = 2.0f / static_cast<float>(width);
    out[5] = 2.0f / static_cast<float>(height);
    out[10] = -0.1f;
    out[12] = -1.0f;
    out[13] = -1.0f;
    out[14] = -0.0f;
    out[15] = 1.0f;
}

void BuildCamView(float out[16], float zoom, int width, int height, float camX, float camY) {
    std::fill(out, out + 16, 0.0f);
    out[0] = zoom;
    out[5] = zoom;
    out[10] = 1.0f;
    out[12] = static_cast<float>(width / 2) + camX;
    out[13] = static_cast<float>(height / 2) + camY;
    out[14] = -1.0f;
    out[15] = 1.0f;
}

}  // namespace Camera

VXGraphicsManager* VXGraphicsManager::Instance() {
    if (!g_graphicsManager) {
        g_graphicsManager = new VXGraphicsManager();
        InstallDebugShapeDrawers();
        std::printf(" -> Graphics management system\n");
    }
    return g_graphicsManager;
}

VXGraphicsManager::VXGraphicsManager() {
    emitters.reserve(1500);
}

VXGraphicsManager::~VXGraphicsManager() {
    if (HasGL() && vertexArray) glDeleteVertexArrays(1, &vertexArray);
    if (g_textureProgram && g_graphicsManager == this) {
        g_primitivesProgram = g_textureProgram = g_fontProgram = nullptr;
        g_projectionMatrix = g_camViewMatrix = nullptr;
    }
}

void VXGraphicsManager::Shutdown() {
    if (!g_graphicsManager) return;
    if (HasGL())
        for (VXTextureRecord& record : g_graphicsManager->textures)
            if (record.texture) glDeleteTextures(1, &record.texture);
    for (auto& set : g_graphicsManager->instanceSets) set->ReleaseTexture();
    delete g_graphicsManager;
    g_graphicsManager = nullptr;
    std::printf(" -> Graphics management system\n");
}

VXShaderProgram* VXGraphicsManager::Program(size_t index) {
    return index < shaderPrograms.size() ? &shaderPrograms[index] : nullptr;
}

// --- Shader programs ----------------------------------------------------------

void VXGraphicsManager::LoadShader(const std::string& vertexPath, const std::string& fragmentPath) {
    shaderPrograms.emplace_back();
    if (!HasGL()) return;
    VXShaderProgram& record = shaderPrograms.back();
    record.CompileShaderFiles(vertexPath, fragmentPath);
    record.LinkProgram();
    if (record.status == 0)
        std::printf(" -> %s and %s did not link\n", vertexPath.c_str(), fragmentPath.c_str());
    if (record.vertexShader) {
        glDetachShader(record.program, record.vertexShader);
        glDeleteShader(record.vertexShader);
    }
    if (record.fragmentShader) {
        glDetachShader(record.program, record.fragmentShader);
        glDeleteShader(record.fragmentShader);
    }
}

void VXGraphicsManager::InitShaderGlobals() {
    g_primitivesProgram = Program(kPrimitives);
    g_textureProgram = Program(kTexture);
    g_fontProgram = Program(kFont);
    g_projectionMatrix = camera.projection;
    g_camViewMatrix = camera.camView;
    cameraBlock = &camera;
    camera.program = g_textureProgram;
    if (HasGL()) {
        if (!vertexArray) glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
    }
}

// --- Camera ---------------------------------------------------------------------

void VXGraphicsManager::UseTextureProgram() {
    UseProgram(g_textureProgram);
}

void VXGraphicsManager::UploadProjection() {
    if (!DrawableSize(camera.screenWidth, camera.screenHeight)) return;
    Camera::BuildProjection(camera.projection, camera.screenWidth, camera.screenHeight);
    SetUniformMatrix(g_textureProgram, "projection", camera.projection);
}

void VXGraphicsManager::UploadCameraView() {
    Camera::BuildCamView(camera.camView, zoom * viewScale, camera.screenWidth, camera.screenHeight,
                         cameraX, cameraY);
    SetUniformMatrix(g_textureProgram, "camView", camera.camView);
}

void VXGraphicsManager::UpdateCameraFollow(bool paused) {
    const size_t n = cameraTargets.size();
    if (n < 2) return;
    const int W = camera.screenWidth;
    const int H = camera.screenHeight;
    // A minimised window, or one 250 pixels across, leaves nothing to fit.
    if (!DrawableSize(W, H) || W == 250 || H == 250) return;

    const float k = Camera::Smoothing(FrameContext().frameTime);

    const float z = zoom;
    float sumX = 0.0f, sumY = 0.0f;
    float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        const float x = cameraTargets[i]->position[0];
        const float y = cameraTargets[i]->position[1];
        sumX += x * z;
        sumY += y * z;
        if (i == 0 || x < minX) minX = x;
        if (i == 0 || x > maxX) maxX = x;
        if (i == 0 || y < minY) minY = y;
        if (i == 0 || y > maxY) maxY = y;
    }
    const float tx = -sumX / static_cast<float>(n);
    const float ty = -sumY / static_cast<float>(n);
    // Start from the camera as it stands, in whole pixels: the one the view
    // was last built with, read apart from the window's size, so that a
    // window that changes size carries no offset into the new one.  While
    // that is still the follow's own last camera, go on from its unrounded
    // place before the lift: steps below a pixel add up, and the lift is not
    // smoothed again (it would pile up to 10 / k pixels above the players).
    // A camera set by anyone else (a state start, the editor) is taken as it
    // is.
    float bx = static_cast<float>(Camera::ViewPixel(cameraX));
    float by = static_cast<float>(Camera::ViewPixel(cameraY));
    if (std::trunc(followX) == bx && std::trunc(followY) + Camera::kLift == by) {
        bx = followX;
        by = followY;
    }
    const float nx = (tx - bx) * k + bx;
    const float ny = (ty - by) * k + by;
    if (!paused) {
        followX = nx;
        followY = ny;
        cameraX = std::trunc(nx);
        cameraY = std::trunc(ny) + Camera::kLift;
    }

    const float dx = std::fabs(maxX - minX);
    const float dy = std::fabs(maxY - minY);
    const float sx = (dx + 250.0f) / (static_cast<float>(W) - 250.0f);
    const float sy = (dy + 250.0f) / (static_cast<float>(H) - 250.0f);
    float s = sx + std::fabs(sx - sy);
    // Targets at places that are not numbers give no scale: the nearest
    // one is used.
    const float largest = Camera::LargestScale(maxScale, H, HudLinesInWindow(), hudHeight);
    if (!(s >= 1.1f))
        s = 1.1f;
    else if (maxScale > 0.0f && s > largest)
        s = largest;

    zoom = 1.0f / s;
    // The smoothing may trail a fast player, or start far from the players
    // (a match's first frame, a window of another size): the view never
    // lets them out.
    KeepTargetsInView();
}

void VXGraphicsManager::KeepTargetsInView() {
    const int W = camera.screenWidth;
    const int H = camera.screenHeight;
    const float hud = HudLinesInWindow();
    Camera::Span across, down;
    for (const GameObject* target : cameraTargets) {
        across.Fit(zoom, target->position[0], std::fabs(target->scale[0]) / 2.0f, W / 2, 0.0f,
                   static_cast<float>(W));
        down.Fit(zoom, target->position[1], std::fabs(target->scale[1]) / 2.0f, H / 2, hud,
                 static_cast<float>(H));
    }
    // The follow goes on from where the view now is.
    const float x = across.Bound(cameraX);
    const float y = down.Bound(cameraY);
    if (x != cameraX) cameraX = followX = x;
    if (y != cameraY) {
        cameraY = y;
        followY = y - Camera::kLift;
    }
}

bool VXGraphicsManager::CompareLayer(const std::shared_ptr<VXSpriteComponent>& a,
                                     const std::shared_ptr<VXSpriteComponent>& b) {
    return a->layer < b->layer;
}

void VXGraphicsManager::SortRenderList() {
    std::sort(renderList.begin(), renderList.end(), CompareLayer);
}

// --- The frame draw ---------------------------------------------------------------

void VXGraphicsManager::DrawInstanced() {
    if (textures.size() < 2) return;
    VXShaderProgram* inst = Program(kInst);
    SetUniformMatrix(inst, "camView", camera.camView);
    SetUniformMatrix(inst, "projection", camera.projection);
    DrawInstanceSets();
}

void VXGraphicsManager::RenderScene() {
    if (!HasGL() || !DrawableSize(camera.screenWidth, camera.screenHeight)) return;
    if (vertexArray) glBindVertexArray(vertexArray);

    // 1. Tiles and particles.
    UseProgram(Program(kInst));
    DrawInstanced();

    // 2. The camera follows the players during play; while paused it holds
    // its place, but still shows them whole (the frame that pauses has moved
    // them, and the window may change size).
    if (!editorMode) UpdateCameraFollow(FrameContext().paused != 0);

    // 3. Sprites, in render-list order; a texture shared by neighbours is
    // bound once.
    UseProgram(g_textureProgram);
    // The instanced pass leaves its per-instance arrays enabled; sprites feed
    // only position and texture coordinate.
    for (GLuint attribute = 2; attribute <= 4; ++attribute) glDisableVertexAttribArray(attribute);
    g_boundSerial = -1;
    UploadCameraView();
    // Screen-space sprites and texts: layout pixels from the bottom-left
    // corner, scaled to the window.
    float screenView[16];
    std::copy(kIdentity, kIdentity + 16, screenView);
    screenView[0] = screenView[5] = screenScale;
    SetUniformVec2(g_textureProgram, "TexCoordShift", 0.0f, 0.0f);
    for (const auto& sprite : renderList) {
        VXTextureRecord* record = sprite->texture;
        if (!record) continue;
        if (record->serial != g_boundSerial) {
            g_boundSerial = record->serial;
            UnbindSpriteState();
            record->Bind();
        }
        if (!sprite->active) continue;
        if (!sprite->worldSpace) SetUniformMatrix(g_textureProgram, "camView", screenView);
        sprite->Draw();
        if (!sprite->worldSpace) UploadCameraView();
    }
    if (g_boundSerial != -1) UnbindSpriteState();

    // 4. Texts.  A text without a glyph set, or a FONT program that did not
    // link, has nothing to draw with.
    UseProgram(g_fontProgram);
    const bool fontProgram = Usable(g_fontProgram);
    for (const auto& text : textList) {
        if (!fontProgram || !text->active || !text->font) continue;
        text->font->Bind();
        if (!text->worldSpace) SetUniformMatrix(g_fontProgram, "camView", screenView);
        text->Draw();
        glDisable(GL_BLEND);
        glBindVertexArray(vertexArray);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // 5. Debug lines.
    UseProgram(g_primitivesProgram);
    VXDebugManager* debug = VXDebugManager::Existing();
    if (debug && debug->enabled) {
        DebugLineUploadCamera(debug->line);
        if (g_drawDebugShapes) g_drawDebugShapes(*debug);
    }

    // 6. The editor's overlay and windows.
    if (editorMode && g_drawEditorOverlay) g_drawEditorOverlay();
}

// --- Tables -----------------------------------------------------------------------

void VXGraphicsManager::ReadTextureList(const std::string& path) {
    std::ifstream file;
    if (!Platform::OpenReadableFile(path, file)) {
        std::printf("loading from %s failed!\n", path.c_str());
        return;
    }
    ReadTextureList(file, path);
}

namespace {

// A sheet count as the list writes it: decimal digits only.  A count too
// large for the type reads as the largest, which the sheet bound clamps.
bool ReadCount(const std::string& text, unsigned long& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    out = std::strtoul(text.c_str(), nullptr, 10);
    if (errno == ERANGE) out = ULONG_MAX;
    return true;
}

}  // namespace

void VXGraphicsManager::ReadTextureList(std::istream& file, const std::string& path) {
    struct Token {
        std::string text;
        int line;
    };
    std::vector<Token> tokens;
    std::string all(std::istreambuf_iterator<char>(file), {});
    Platform::DropByteOrderMark(all);
    const std::string why = Platform::WhyNotUtf8Text(all);
    if (!why.empty()) {
        std::printf(" -> %s is not UTF-8 text (%s): not read\n", path.c_str(), why.c_str());
        return;
    }
    std::istringstream lines(all);
    std::string text;
    for (int line = 1; std::getline(lines, text); ++line) {
        Platform::ReadListLineAsItLooks(path, line, text);
        std::istringstream words(text);
        for (std::string word; words >> word;) tokens.push_back({word, line});
    }

    // Three tokens an entry: the image, its sheet columns and rows.  An
    // entry whose counts are not numbers is reported and skipped with the
    // rest of its line, and reading goes on from the next line.
    size_t i = 0;
    while (i < tokens.size()) {
        unsigned long columns = 0;
        unsigned long rows = 0;
        if (i + 2 >= tokens.size() || !ReadCount(tokens[i + 1].text, columns) ||
            !ReadCount(tokens[i + 2].text, rows)) {
            const int line = tokens[i].line;
            std::string skipped;
            for (; i < tokens.size() && tokens[i].line == line; ++i)
                skipped += (skipped.empty() ? "" : " ") + tokens[i].text;
            std::printf(" -> %s line %d: \"%s\" is not an image name, columns and rows; skipped\n",
                        path.c_str(), line, skipped.c_str());
            continue;
        }
        const std::string& name = tokens[i].text;
        // A sheet as large as a file may ask for, like the object files' sheets.
        const unsigned long most = kMaxSheetCells;
        if (columns < 1 || rows < 1 || columns > most || rows > most) {
            const unsigned long c = std::clamp(columns, 1ul, most), r = std::clamp(rows, 1ul, most);
            std::printf(" -> %s: %s asks for a %s x %s sheet; %lu x %lu used\n", path.c_str(),
                        name.c_str(), tokens[i + 1].text.c_str(), tokens[i + 2].text.c_str(), c, r);
            columns = c;
            rows = r;
        }
        textureImageNames.push_back(name);
        textureImagePaths.push_back(DataPath("img/" + name));
        textureColumns.push_back(static_cast<int>(columns));
        textureRows.push_back(static_cast<int>(rows));
        i += 3;
    }
}

VXTextureRecord* VXGraphicsManager::AddTexture(const std::string& path, int columns, int rows) {
    return AddNamedTexture("Shape", path, columns, rows);
}

VXTextureRecord* VXGraphicsManager::AddNamedTexture(const std::string& name,
                                                    const std::string& path, int columns,
                                                    int rows) {
    textures.emplace_back(1.0f, 1.0f, 1.0f);
    VXTextureRecord& record = textures.back();
    record.name = name;
    record.Load(path, columns > 0 ? static_cast<uint32_t>(columns) : 1u,
                rows > 0 ? static_cast<uint32_t>(rows) : 1u);
    return &record;
}

VXTextureRecord* VXGraphicsManager::FindTexture(const std::string& name) {
    for (VXTextureRecord& record : textures)
        if (record.name == name) return &record;
    return nullptr;
}

void VXGraphicsManager::AssignTexture(VXSpriteComponent* sprite, const std::string& name) {
    if (!sprite) return;
    if (VXTextureRecord* record = FindTexture(name)) sprite->texture = record;
}

void VXGraphicsManager::AddToRenderList(const std::shared_ptr<VXSpriteComponent>& sprite) {
    if (!sprite) return;
    if (std::find(renderList.begin(), renderList.end(), sprite) != renderList.end()) return;
    renderList.push_back(sprite);
}

bool VXGraphicsManager::AddFont(int pixelSize, const std::string& name) {
    VXFont set;
    if (!set.InitFont(pixelSize, name)) return false;
    fonts.push_back(std::move(set));
    return true;
}

void VXGraphicsManager::AssignFont(const std::string& name, VXTextComponent* text) {
    if (!text) return;
    for (VXFont& set : fonts)
        if (set.name == name) text->font = &set;
}

VXFont* VXGraphicsManager::FindFont(const std::string& name) {
    VXFont* found = nullptr;
    for (VXFont& set : fonts)
        if (set.name == name) found = &set;
    return found;
}

// --- Life cycle -------------------------------------------------------------------

void VXGraphicsManager::ReleaseTextures() {
    if (HasGL())
        for (VXTextureRecord& record : textures)
            if (record.texture) glDeleteTextures(1, &record.texture);
    for (auto& set : instanceSets) set->ReleaseTexture();
    for (auto& emitter : emitters)
        if (emitter && emitter->instanceSet) emitter->instanceSet->ReleaseTexture();
    textures.clear();
    instanceSets.clear();
}

void VXGraphicsManager::ClearStateLists() {
    renderList.clear();
    textList.clear();
    cameraTargets.clear();
}

void VXGraphicsManager::Clear() {
    ReleaseTextures();
    renderList.clear();
    textList.clear();
    textureImageNames.clear();
    textureImagePaths.clear();
    textureColumns.clear();
    textureRows.clear();
    paintCells.clear();
    emitters.clear();
    fonts.clear();
    tilemaps.clear();
    ResetTextureSerials();
}

}  // namespace FrameWork
