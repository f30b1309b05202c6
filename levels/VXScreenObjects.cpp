#include "levels/VXScreenObjects.h"

#include <GL/glew.h>

#include <cstdio>
#include <set>

#include "core/VXFrameContext.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "graphics/VXShaderProgram.h"
#include "graphics/VXSpriteComponent.h"
#include "graphics/VXTextComponent.h"
#include "objects/GameObject.h"

namespace FrameWork {

namespace {

std::set<std::string>& Reported() {
    static std::set<std::string> names;
    return names;
}

void ReportOnce(const std::string& what) {
    if (Reported().insert(what).second) std::printf(" -> %s\n", what.c_str());
}

}  // namespace

GameObject* FindScreenObject(const VXObjectManager& objects, const std::string& name) {
    GameObject* object = objects.FindObject(name);
    if (!object) ReportOnce("screen object \"" + name + "\" not found");
    return object;
}

VXSpriteComponent* FindScreenSprite(const VXObjectManager& objects, const std::string& name) {
    GameObject* object = FindScreenObject(objects, name);
    if (!object) return nullptr;
    VXSpriteComponent* sprite = SpriteOf(object);
    if (!sprite) ReportOnce("screen object \"" + name + "\" has no sprite");
    return sprite;
}

VXSpriteComponent* SpriteOf(GameObject* object) {
    return object ? static_cast<VXSpriteComponent*>(object->GetComponent(CT_Sprite)) : nullptr;
}

VXTextComponent* TextOf(GameObject* object) {
    return object ? static_cast<VXTextComponent*>(object->GetComponent(CT_Text)) : nullptr;
}

void ForgetReportedMisses() {
    Reported().clear();
}

GameObject* MakeSpriteObject(VXObjectManager& objects, const std::string& name, int type, float x,
                             float y, float w, float h) {
    objects.CreateGameObject(w, h, type, true, x, y, name, 0.0f, 0.0f, 0.0f);
    GameObject* object = objects.objects.back();
    objects.AddSpriteComponent(object);
    return object;
}

bool GiveImage(VXSpriteComponent* sprite, const std::string& image) {
    if (!sprite) return false;
    if (VXTextureRecord* record = VXGraphicsManager::Instance()->FindTexture(image)) {
        sprite->texture = record;
        return true;
    }
    ReportOnce("image " + image + " is not loaded: its sprite is not drawn");
    return false;
}

void SetSheetRows(VXSpriteComponent* sprite, const std::vector<std::vector<int>>& rows) {
    if (!sprite || !sprite->texture) return;
    sprite->SetAnimationCount(static_cast<int>(rows.size()));
    for (size_t row = 0; row < rows.size(); ++row)
        for (int cell : rows[row]) sprite->AddFrame(cell, static_cast<int>(row));
    sprite->SetAnimation(0);
}

void SetObjectActive(GameObject* object, bool active) {
    if (object) object->SetActive(active ? 1 : 0);
}

void SetSpriteColour(VXSpriteComponent* sprite, float r, float g, float b) {
    if (!sprite) return;
    sprite->red = r;
    sprite->green = g;
    sprite->blue = b;
}

void FillSoundTable(std::map<std::string, SoundCue>& table, std::initializer_list<VXCueSpec> cues) {
    for (const VXCueSpec& spec : cues) {
        SoundCue cue;
        cue.volume = FrameContext().masterVolume;
        SoundCue& entry = table.emplace(spec.name, cue).first->second;
        entry.index = spec.index;
        entry.loop = spec.loop ? 1 : 0;
    }
}

void SetClearColour(float r, float g, float b, float a) {
    if (HasGL()) glClearColor(r, g, b, a);
}

}  // namespace FrameWork
