// What the loading, title and selection screens share: their objects are
// found by name every time they are needed, and an object that is not there
// (renamed or missing in the data) skips the step that needed it after one
// line on standard output.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "core/VXAudioManager.h"

namespace FrameWork {

class GameObject;
class VXObjectManager;
class VXSpriteComponent;
class VXTextComponent;

// The object named `name`, or null after a line " -> screen object "name"
// not found" (printed once per name until ForgetReportedMisses).
GameObject* FindScreenObject(const VXObjectManager& objects, const std::string& name);
// The sprite of that object (null, with the same line, when either is
// missing).
VXSpriteComponent* FindScreenSprite(const VXObjectManager& objects, const std::string& name);
VXSpriteComponent* SpriteOf(GameObject* object);
VXTextComponent* TextOf(GameObject* object);
// A screen's Initialize calls it so that each visit reports its misses again.
void ForgetReportedMisses();

// A root object of `type` at (x, y), `w` x `h`, rotation 0, with one sprite;
// returns the object (the sprite through SpriteOf).
GameObject* MakeSpriteObject(VXObjectManager& objects, const std::string& name, int type, float x,
                             float y, float w, float h);
// Gives the sprite the loaded image `image`; an image that is not loaded
// leaves the sprite without one (not drawn) after one line.  Returns whether
// the sprite has the image.
bool GiveImage(VXSpriteComponent* sprite, const std::string& image);
// Declares one animation row per entry of `rows` and appends the sheet cells
// row by row; the sprite restarts at row 0, frame 0.  Nothing without an
// image.
void SetSheetRows(VXSpriteComponent* sprite, const std::vector<std::vector<int>>& rows);
// Object and every component on or off.
void SetObjectActive(GameObject* object, bool active);
void SetSpriteColour(VXSpriteComponent* sprite, float r, float g, float b);

// A screen's sound table: each cue is made once (not playing, at the
// master volume), its index and loop flag set again on every call.
struct VXCueSpec {
    const char* name;
    int index;
    bool loop;
};
void FillSoundTable(std::map<std::string, SoundCue>& table, std::initializer_list<VXCueSpec> cues);

// The GL clear colour of the screen (nothing without a GL context).
void SetClearColour(float r, float g, float b, float a);

}  // namespace FrameWork
