// The rendering system: shader programs, texture and draw tables, the camera.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/System.h"

namespace FrameWork {

class GameObject;
class VXSpriteComponent;
class VXTextComponent;

// Screen size, projection and view, as the shader programs receive them
// (column order, uploaded without transposing).
struct VXCameraBlock {
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    float projection[16] = {};
    float camView[16] = {};
};

class VXGraphicsManager : public System {
public:
    static VXGraphicsManager* Instance();
    // Releases the GL objects, deletes the manager and prints its line.
    static void Shutdown();

    void HandleMessage(Message* msg) override { IgnoreMessage(msg); }
    void Update(float dt) override { IgnoreUpdate(dt); }
    void Hook() override {}

    // Start-up (engine Init): build one shader program from its two files,
    // then publish the programs and camera to the renderer.
    void LoadShader(const std::string& vertexPath, const std::string& fragmentPath);
    void InitShaderGlobals();

    // Per frame (engine main loop).
    void UseTextureProgram();
    void UploadProjection();
    void RenderScene();
    // State start: order the render list by sprite layer.
    void SortRenderList();
    // State end: empty the render list, the text list and the camera targets.
    void ClearStateLists();
    // After the last state: release what the states loaded.
    void Clear();

    std::vector<std::shared_ptr<VXSpriteComponent>> renderList;
    std::vector<std::shared_ptr<VXTextComponent>> textList;
    std::vector<GameObject*> cameraTargets;
    VXCameraBlock camera;
    float zoom = 1.0f;
    float cameraX = 0.0f;
    float cameraY = 0.0f;
    uint8_t editorMode = 0;
    float aspectRatio = 0.0f;
    float maxScale = 0.0f;

private:
    VXGraphicsManager() = default;
};

}  // namespace FrameWork
