#include "engine/VXAudioManager.h"

#include <cstdio>

namespace FrameWork {

namespace {
VXAudioManager* g_audioManager = nullptr;
}

VXAudioManager* VXAudioManager::Instance() {
    if (!g_audioManager) {
        g_audioManager = new VXAudioManager();
        std::printf(" -> Audio management system\n");
    }
    return g_audioManager;
}

void VXAudioManager::Destroy() {
    delete g_audioManager;
    g_audioManager = nullptr;
}

// The mixer and its channels come with the sound support; with nothing
// loaded there is nothing to resume or release.
void VXAudioManager::ResumePlayedChannels() {}
void VXAudioManager::ReleaseSounds() {}

}  // namespace FrameWork
