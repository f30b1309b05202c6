#include "gameplay/VXMatchFlow.h"

#include "graphics/VXGraphicsManager.h"

namespace FrameWork {

VXMatchFlow& MatchFlow() {
    static VXMatchFlow flow;
    return flow;
}

// The pause pages, end screens and countdown are built here once the match
// interface exists; for now the flow only tracks whether a match runs.
void VXMatchFlow::LoadStateUI(int flag) {
    matchUI = flag ? 1 : 0;
}
void VXMatchFlow::Update() {}
void VXMatchFlow::Reset() {}
void VXMatchFlow::Clear() {
    matchUI = 0;
}

void InitMatchUIResources() {
    static const struct {
        const char* name;
        int pixels;
    } kSets[] = {{"Volume", 35}, {"VolumeSplash", 60}, {"ForScore", 40}, {"Timer", 65},
                 {"RedBlueScore", 40}};
    VXGraphicsManager* graphics = VXGraphicsManager::Instance();
    for (const auto& set : kSets)
        if (!graphics->FindFont(set.name)) graphics->AddFont(set.pixels, set.name);
}

}  // namespace FrameWork
