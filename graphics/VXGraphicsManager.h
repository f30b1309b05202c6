// The rendering system: shader programs, texture and draw tables, the camera.
#pragma once

#include <cmath>
#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "core/System.h"
#include "graphics/VXFont.h"
#include "graphics/VXInstanceSet.h"
#include "graphics/VXPaintMap.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXTextureRecord.h"
#include "graphics/VXTilemapData.h"

namespace FrameWork {

class GameObject;
class VXSpriteComponent;
class VXTextComponent;
class VXParticleEmitter;

// Screen size, projection and view, as the shader programs receive them
// (column order, uploaded without transposing).
struct VXCameraBlock {
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    float projection[16] = {};
    VXShaderProgram* program = nullptr;
    float camView[16] = {};
};

// The camera arithmetic, free of GL so that it can be checked on its own.
namespace Camera {
// Pixels to clip space: (0, 0) bottom-left, (w, h) top-right.
void BuildProjection(float out[16], int width, int height);
// World (0, 0) at the screen centre, scaled by zoom, moved by the camera.
void BuildCamView(float out[16], float zoom, int width, int height, float camX, float camY);
// A view translation as whole pixels.  Targets flung far away (or to
// infinity) would take it beyond what an int holds: it is kept within a
// billion pixels, and a value that is not a number counts as 0.
int ViewPixel(float view);
// The share of the way to its target that the follow moves in one frame:
// the frame's own time, so that the camera closes on the players at the same
// pace whatever the frame rate (about two thirds of the way each second).
float Smoothing(float frameTime);
// The follow keeps the players' midpoint this many pixels above the centre.
constexpr float kLift = 10.0f;
// A level's largest scale is the one that fits its floor on a screen of
// this many lines.
constexpr int kScaleScreenHeight = 1080;
// The largest scale the follow may zoom out to in a window `height` lines
// tall whose bottom `hudLines` lines a HUD covers, where a 1080-line screen
// gives the HUD `hudLinesAt1080`: the level's own on a 1080-line screen,
// and larger by as much as the room between the players' midpoint and the
// nearer of the HUD and the top is smaller here, so that what fits at 1080
// lines fits in every window.  Taller windows keep the level's, and so does
// one with no room above the HUD.
float LargestScale(float levelScale, int height, float hudLines, float hudLinesAt1080);
// The camera positions along one axis (x or y) that draw a set of boxes
// between two lines of the window.
struct Span {
    float lowest = -INFINITY;
    float highest = INFINITY;
    // One box, centred on `centre` and `half` world pixels to each side,
    // drawn at `zoom` about the window's `middle` line, between the window
    // lines `from` and `to`.  A box at no finite place takes no part.
    void Fit(float zoom, float centre, float half, int middle, float from, float to);
    // `camera` moved just enough (to a whole pixel) to lie in the span; the
    // span's middle when the boxes cannot all fit, so they overhang both
    // lines alike.
    float Bound(float camera) const;
};
}  // namespace Camera

class VXGraphicsManager : public System {
public:
    static VXGraphicsManager* Instance();
    // Releases the GL textures, deletes the manager and prints its line.
    static void Shutdown();

    void HandleMessage(Message*) override {}
    void Update(float) override {}
    ~VXGraphicsManager() override;

    // Start-up (engine Init): build one shader program from its two files,
    // then publish the programs and camera to the renderer.
    void LoadShader(const std::string& vertexPath, const std::string& fragmentPath);
    void InitShaderGlobals();

    // Per frame (engine main loop).
    void UseTextureProgram();
    void UploadProjection();
    void UploadCameraView();
    void RenderScene();
    // Zooms to fit the camera targets and glides toward their midpoint;
    // `paused` keeps the camera's place but for what the pan bound needs.
    void UpdateCameraFollow(bool paused = false);
    // Moves the camera just enough that every camera target is drawn whole
    // inside the window and above the HUD's strip (see hudHeight).
    void KeepTargetsInView();
    // The window lines the HUD's strip covers: hudHeight at the screen scale.
    float HudLinesInWindow() const { return hudHeight * screenScale; }
    // The instanced pass (tiles and particles), first in the frame.
    void DrawInstanced();
    // State start: order the render list by sprite layer.
    void SortRenderList();
    static bool CompareLayer(const std::shared_ptr<VXSpriteComponent>& a,
                             const std::shared_ptr<VXSpriteComponent>& b);
    // State end: empty the render list, the text list and the camera targets.
    void ClearStateLists();
    // After the last state: release what the states loaded.
    void Clear();
    void ReleaseTextures();

    // Texture list and textures.
    void ReadTextureList(const std::string& path);
    // The entries of a texture list already open; `path` names it in lines.
    void ReadTextureList(std::istream& list, const std::string& path);
    VXTextureRecord* AddTexture(const std::string& path, int columns, int rows);
    VXTextureRecord* AddNamedTexture(const std::string& name, const std::string& path, int columns,
                                     int rows);
    VXTextureRecord* FindTexture(const std::string& name);
    void AssignTexture(VXSpriteComponent* sprite, const std::string& name);
    void AddToRenderList(const std::shared_ptr<VXSpriteComponent>& sprite);

    // Glyph sets.  A set that cannot be built is not added.
    bool AddFont(int pixelSize, const std::string& name);
    void AssignFont(const std::string& name, VXTextComponent* text);
    VXFont* FindFont(const std::string& name);

    // Instance sets (tiles, paint) and tile maps.
    VXInstanceSet* AddInstanceSet(const std::string& name, int32_t depth);
    VXInstanceSet* FindInstanceSet(const std::string& name);
    void LoadInstanceSetImage(const std::string& name, const std::string& path, int32_t rows,
                              int32_t columns);
    void LoadTilemap(const std::string& path);

    std::vector<std::string> textureImagePaths;
    std::vector<std::string> textureImageNames;
    std::vector<int> textureColumns;
    std::vector<int> textureRows;
    std::vector<std::string> tileSetImagePaths;
    std::vector<std::string> tileSetNames;
    std::deque<VXShaderProgram> shaderPrograms;
    // Records never move once made: sprites and texts keep plain pointers
    // into these two tables.
    std::deque<VXTextureRecord> textures;
    std::deque<VXFont> fonts;
    std::vector<std::shared_ptr<VXSpriteComponent>> renderList;
    std::vector<std::shared_ptr<VXTextComponent>> textList;
    std::vector<GameObject*> cameraTargets;
    std::vector<std::shared_ptr<VXParticleEmitter>> emitters;
    // Sets never move once made: the tile tools and emitters keep pointers.
    std::vector<std::unique_ptr<VXInstanceSet>> instanceSets;
    std::vector<VXPaintCell> paintCells;
    VXTilemapRegistry tilemaps;
    VXCameraBlock camera;
    VXCameraBlock* cameraBlock = nullptr;
    float zoom = 1.0f;
    float cameraX = 0.0f;
    float cameraY = 0.0f;
    // The follow's last place before rounding and lifting (see
    // UpdateCameraFollow).
    float followX = 0.0f;
    float followY = 0.0f;
    uint8_t editorMode = 0;
    float aspectRatio = 0.0f;
    float maxScale = 0.0f;
    // The height of the strip along the bottom that the match's HUD covers,
    // in the screens' layout pixels (those of a 1920 x 1080 window): the
    // follow zooms out and pans to keep the players above it.
    float hudHeight = 0.0f;
    // Window pixels to a pixel of the screens' 1920 x 1080 layout
    // (ScreenScale()): screen-space sprites and texts are drawn at this
    // scale from the window's bottom-left corner.
    float screenScale = 1.0f;
    // What the world view's zoom is multiplied by: the screen scale in the
    // screens, whose objects stand about the window's centre in layout
    // pixels; 1 in a match, whose camera zooms in window pixels, and in the
    // editor.
    float viewScale = 1.0f;
    // The one vertex array a core profile needs bound for every draw.
    GLuint vertexArray = 0;

private:
    VXGraphicsManager();
    VXShaderProgram* Program(size_t index);
    // The body of the instanced pass: visible sets, then active emitters.
    void DrawInstanceSets();
};

}  // namespace FrameWork
