// Where two texts part: for a test's failure message.
#pragma once

#include <sstream>
#include <string>

namespace TestHarness {

// "" when the texts are equal; otherwise the number of the first line that
// differs and that line of each text ("(none)" past a text's end).
inline std::string FirstDifferingLine(const std::string& expected, const std::string& actual) {
    if (expected == actual) return "";
    std::istringstream a(expected), b(actual);
    std::string lineA, lineB;
    for (size_t line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA) lineA = "(none)";
        if (!moreB) lineB = "(none)";
        if (lineA != lineB || !moreA || !moreB)
            return "line " + std::to_string(line) + " differs:\n  expected: " + lineA +
                   "\n  actual:   " + lineB;
    }
}

}  // namespace TestHarness
