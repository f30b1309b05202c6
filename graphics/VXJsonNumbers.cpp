#include "graphics/VXJsonNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace FrameWork {

std::string FloatText(float value) {
    if (!std::isfinite(value)) return "0.0";
    // The fewest significant digits that read back as the same f32.
    char text[48];
    for (int precision = 0; precision <= 8; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    // text is [-]d[.ddd]e[+-]xx: split it into sign, digits and exponent.
    std::string mantissa(text, std::strchr(text, 'e'));
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    std::string sign;
    if (mantissa[0] == '-') {
        sign = "-";
        mantissa.erase(0, 1);
    }
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (exponent >= 0 && exponent < 21) {
        // Plain decimal: 104.0, 0.5, 1050.25.
        std::string whole = digits.substr(0, std::min(digits.size(), size_t(exponent) + 1));
        whole.append(size_t(exponent) + 1 - whole.size(), '0');
        std::string fraction =
            digits.size() > size_t(exponent) + 1 ? digits.substr(size_t(exponent) + 1) : "0";
        out = whole + "." + fraction;
    } else if (exponent < 0 && exponent > -7) {
        out = "0." + std::string(size_t(-exponent - 1), '0') + digits;
    } else {
        out = digits.substr(0, 1) + "." + (digits.size() > 1 ? digits.substr(1) : "0") + "e" +
              std::to_string(exponent);
    }
    return sign + out;
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
