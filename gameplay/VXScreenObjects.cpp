#include "gameplay/VXScreenObjects.h"

#include <cstdio>

#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"

namespace FrameWork {

GameObject* AddScreenSprite(VXObjectManager& objects, const std::string& name, float width,
                            float height, float x, float y, int layer, const std::string& texture) {
    objects.CreateGameObject(width, height, GameObject::Menu, true, x, y, name, 0.0f, 0.0f, 0.0f);
    GameObject* object = objects.objects.back();
    objects.AddSpriteComponent(object);
    VXSpriteComponent* sprite = SpriteOf(object);
    if (!sprite) return object;
    sprite->worldSpace = false;
    sprite->layer = layer;
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    graphics->AssignTexture(sprite, texture);
    if (!sprite->texture) {
        std::printf(" -> %s is not loaded: %s shows the default image\n", texture.c_str(),
                    name.c_str());
        graphics->AssignTexture(sprite, "default.png");
    }
    return object;
}

void AddStillRow(VXSpriteComponent* sprite, std::initializer_list<int> cells) {
    if (!sprite) return;
    sprite->SetAnimationCount(1);
    for (int cell : cells) sprite->AddFrame(cell, 0);
    sprite->playing = false;
    sprite->SetFrame(0);
}

VXTextComponent* AddScreenText(VXObjectManager& objects, GameObject* owner, const std::string& font,
                               float x, float y, const std::string& text, float red, float green,
                               float blue) {
    if (!owner) return nullptr;
    objects.AddTextComponent(owner, 0);
    VXTextComponent* component = TextOf(owner);
    if (!component) return nullptr;
    VXGraphicsManager::Instance()->AssignFont(font, component);
    component->worldSpace = false;
    component->SetPosition(x, y);
    component->SetText(text);
    component->red = red;
    component->green = green;
    component->blue = blue;
    return component;
}

VXTextComponent* TextOf(const GameObject* object) {
    return object ? static_cast<VXTextComponent*>(object->GetComponent(CT_Text)) : nullptr;
}

void SetAlpha(GameObject* object, float alpha) {
    if (VXSpriteComponent* sprite = SpriteOf(object)) sprite->alpha = alpha;
}

void PlaceAt(GameObject* object, float x, float y) {
    if (!object) return;
    object->position[0] = x;
    object->position[1] = y;
    object->UpdateTransform();
}

}  // namespace FrameWork
