#include "graphics/VXParticleEmitter.h"

#include "core/DataRoot.h"
#include "graphics/VXInstanceSet.h"

namespace FrameWork {

VXParticleEmitter::VXParticleEmitter(GameObject* o, float life, float size)
    : Component(o), instanceSet(new VXInstanceSet("Shape", 0)), lifetime(life), scale(size) {}

VXParticleEmitter::~VXParticleEmitter() {
    // The image was loaded for this emitter alone: it goes with it.
    if (instanceSet) instanceSet->ReleaseTexture();
    delete instanceSet;
    instanceSet = nullptr;
}

void VXParticleEmitter::Serialize(JsonWriter& writer, rapidjson::StringBuffer&) {
    writer.Key("VXParticleEmitter");
    writer.StartArray();
    writer.Int(instanceSet ? instanceSet->_texColumns : 1);
    writer.Int(instanceSet ? instanceSet->_texRows : 1);
    const std::string name = instanceSet ? instanceSet->GetName() : std::string("Shape");
    writer.String(name.c_str(), static_cast<rapidjson::SizeType>(name.size()));
    writer.Int(maxNumber);
    WriteNumber(writer, lifetime);
    writer.Int(emitAmount);
    WriteNumber(writer, scale);
    writer.EndArray();
}

void VXParticleEmitter::LoadImage(const std::string& name, int32_t rows, int32_t columns) {
    if (!instanceSet) return;
    const std::string path = DataPath("img/" + name);
    instanceSet->LoadImage(path.c_str(), rows, columns);
}

void VXParticleEmitter::SetImageName(const std::string& name) {
    if (instanceSet) instanceSet->_name = name;
}

}  // namespace FrameWork
