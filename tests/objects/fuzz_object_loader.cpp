// libFuzzer target: any bytes as an object file.  The reader must not crash,
// every object built from it must save as valid JSON, and that text must
// load again.
#include <rapidjson/document.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "physics/VXPhysicsManager.h"

using namespace FrameWork;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The loader's lines would drown the fuzzer's own.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    BuildComponentFactories();
    auto& record = VXGraphicsManager::Instance()->textures.emplace_back(1.0f, 1.0f, 1.0f);
    record.name = "crate.png";
    record.columns = 4;
    record.rows = 2;
    record.ComputeFrameOffsets();
    return 0;
}

static void ResetLists() {
    VXGraphicsManager* g = VXGraphicsManager::Instance();
    g->renderList.clear();
    g->textList.clear();
    g->emitters.clear();
    VXPhysicsManager::Instance()->Reset();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    {
        VXObjectManager manager;
        manager.loader.LoadFromMemory(text, size, "fuzz");
        manager.BuildLoadedObjects(false);
        manager.loader.LoadFromMemory(text, size, "fuzz");
        manager.BuildLoadedObjects(true);

        const std::string saved = ObjectsToText(manager.objects);
        rapidjson::Document doc;
        doc.Parse(saved.c_str(), saved.size());
        if (doc.HasParseError() || !doc.IsArray()) std::abort();

        VXObjectManager again;
        if (!again.loader.LoadFromMemory(saved.c_str(), saved.size(), "saved")) std::abort();
        again.BuildLoadedObjects(false);
        if (again.objects.size() != doc.Size()) std::abort();
    }
    ResetLists();
    return 0;
}
