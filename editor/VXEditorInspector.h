// INSPECTOR: the property window of the selected object or tile, and the
// panels that edit each of its components.
#pragma once

namespace FrameWork {

class GameObject;
class VXLevelEditor;
class VXObjectManager;
class VXShapeInstancer;

namespace VXEditorInspector {

// The inspectors' targets: entry g_libraryIndex of the object list, or of
// the tiles of set g_selectedTileSet; null when there is none.
GameObject* ObjectTarget(VXObjectManager* objects);
GameObject* TileTarget(VXShapeInstancer* tiles);

// The selected object of the editor's object list (g_libraryIndex).
void DrawObjectInspector(VXLevelEditor& editor, VXObjectManager** objects);
// The selected tile of tile set g_selectedTileSet.
void DrawTileInspector(VXLevelEditor& editor, VXObjectManager** objects, VXShapeInstancer** tiles);

// One panel per component kind; each draws nothing unless the target has
// an active component of its kind (VXEditorComponents.cpp).
void DrawSpriteComponent(VXLevelEditor& editor, GameObject* target);
void DrawRigidBody(GameObject* target);
void DrawAABB(GameObject* target);
void DrawOOBB(GameObject* target);
void DrawCircleCollider(GameObject* target);
void DrawPlayerLogic(GameObject* target);
void DrawParticleEmitter(GameObject* target);
void DrawGameManager(GameObject* target);
void DrawWallLogic(GameObject* target);
void DrawSpawnPoint(GameObject* target);
void DrawBlockLogic(GameObject* target);
void DrawFlagLogic(GameObject* target);

}  // namespace VXEditorInspector
}  // namespace FrameWork
