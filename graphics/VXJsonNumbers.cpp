#include "graphics/VXJsonNumbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace FrameWork {

std::string FloatText(float value) {
    if (!std::isfinite(value)) return "0.0";
    char text[48];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    std::string out(text);
    if (out.find_first_of(".e") == std::string::npos) out += ".0";
    return out;
}

void WriteRawArray(rapidjson::PrettyWriter<rapidjson::StringBuffer>& writer, const char* key,
                   const std::vector<std::string>& values, size_t perLine) {
    // Members of an element of the top-level array sit at depth 2 (eight
    // spaces); the values one level deeper.
    static const char* const kValueIndent = "\n            ";
    static const char* const kCloseIndent = "\n        ";
    std::string text = "[";
    for (size_t k = 0; k < values.size(); ++k) {
        if (k == 0 || (perLine && k % perLine == 0)) {
            if (k) text += ",";
            text += kValueIndent;
        } else {
            text += ", ";
        }
        text += values[k];
    }
    if (!values.empty()) text += kCloseIndent;
    text += "]";
    writer.Key(key);
    writer.RawValue(text.c_str(), text.size(), rapidjson::kArrayType);
}

}  // namespace FrameWork
