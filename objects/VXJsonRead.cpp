#include "objects/VXJsonRead.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace FrameWork {

bool JsonFloat(const rapidjson::Value& v, float& out) {
    if (!v.IsNumber()) return false;
    double d = v.GetDouble();
    if (!std::isfinite(d)) return false;
    if (d > FLT_MAX) d = FLT_MAX;
    if (d < -FLT_MAX) d = -FLT_MAX;
    out = static_cast<float>(d);
    return true;
}

bool JsonInt(const rapidjson::Value& v, int32_t& out) {
    if (v.IsInt()) {
        out = v.GetInt();
        return true;
    }
    if (!v.IsNumber()) return false;
    double d = v.GetDouble();
    if (std::isnan(d)) return false;
    d = std::trunc(d);
    if (d > INT_MAX) d = INT_MAX;
    if (d < INT_MIN) d = INT_MIN;
    out = static_cast<int32_t>(d);
    return true;
}

const rapidjson::Value* JsonMember(const rapidjson::Value& object, const char* key) {
    if (!object.IsObject()) return nullptr;
    const auto it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

}  // namespace FrameWork
