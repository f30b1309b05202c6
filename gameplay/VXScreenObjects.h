// Building blocks of the screen-space interface of a match (HUD, countdown,
// pause pages, end screens): objects of type "Menu" with a sprite drawn
// without the camera, and texts drawn the same way.
#pragma once

#include <initializer_list>
#include <string>

#include "gameplay/VXGameplayParts.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;
class VXSpriteComponent;
class VXTextComponent;

// A new "Menu" object of `objects` with a screen-space sprite on `layer`
// showing the texture `texture`; when the graphics manager does not have it
// a line is printed and the default image is used.
GameObject* AddScreenSprite(VXObjectManager& objects, const std::string& name, float width,
                            float height, float x, float y, int layer, const std::string& texture);
// One animation row (row 0) of the given sheet cells; not playing, frame 0.
void AddStillRow(VXSpriteComponent* sprite, std::initializer_list<int> cells);
// A screen-space text (number 0) on `owner`: glyph set, offset, string and
// colour.
VXTextComponent* AddScreenText(VXObjectManager& objects, GameObject* owner, const std::string& font,
                               float x, float y, const std::string& text, float red, float green,
                               float blue);

// The object's first text component, or null.
VXTextComponent* TextOf(const GameObject* object);
void SetAlpha(GameObject* object, float alpha);
// Moves an object and rebuilds its matrices.
void PlaceAt(GameObject* object, float x, float y);

}  // namespace FrameWork
