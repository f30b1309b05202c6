// Shared set-up of the object tests: the factory registry, clean graphics
// and physics lists, a scratch folder, texture records without GL, and
// capture of what the code prints.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gameplay/VXComponentKinds.h"
#include "gameplay/VXObjectManager.h"
#include "graphics/VXGraphicsManager.h"
#include "objects/GameObject.h"
#include "physics/VXPhysicsManager.h"
#include "tests/support/Capture.h"
#include "tests/support/DataFiles.h"

namespace TestHarness {

// The hand-written files of tests/objects/files.
inline std::filesystem::path TestFile(const std::string& name) {
    return std::filesystem::path(OBJECT_TEST_FILES) / name;
}

class ObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        FrameWork::BuildComponentFactories();
        ResetManagers();
        scratch = std::filesystem::temp_directory_path() /
                  ("pellwick-objects-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(scratch);
        std::filesystem::create_directories(scratch);
    }
    void TearDown() override {
        ResetManagers();
        std::filesystem::remove_all(scratch);
    }
    static void ResetManagers() {
        auto* g = FrameWork::VXGraphicsManager::Instance();
        g->renderList.clear();
        g->textList.clear();
        g->emitters.clear();
        g->textures.clear();
        FrameWork::VXPhysicsManager::Instance()->Reset();
    }
    // A texture record as the loading screen would make it, without GL.
    static void AddTexture(const std::string& name, uint32_t columns, uint32_t rows) {
        auto& record =
            FrameWork::VXGraphicsManager::Instance()->textures.emplace_back(1.0f, 1.0f, 1.0f);
        record.name = name;
        record.columns = columns;
        record.rows = rows;
        record.ComputeFrameOffsets();
    }
    std::filesystem::path Scratch(const std::string& name) const { return scratch / name; }
    // Writes `text` to a scratch file and returns its path.
    std::string Scratch(const std::string& name, const std::string& text) const {
        WriteFile(scratch / name, text);
        return (scratch / name).string();
    }

    std::filesystem::path scratch;
};

}  // namespace TestHarness
