// Where two texts part: for a test's failure message.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace TestHarness {

// Equal texts, or where they first differ: the line's number and both
// versions of it.  For EXPECT_PRED_FORMAT2, which names the two texts.
inline ::testing::AssertionResult SameText(const char* aName, const char* bName,
                                           const std::string& a, const std::string& b) {
    if (a == b) return ::testing::AssertionSuccess();
    // The texts differ, so some line does, or one of them ends there.
    const auto lineAt = [](const std::string& text, size_t start) -> std::string {
        if (start > text.size()) return "(past the end)";
        const size_t end = text.find('\n', start);
        return end == std::string::npos ? text.substr(start) + " (end of text)"
                                        : text.substr(start, end - start);
    };
    size_t start = 0, line = 1;
    while (lineAt(a, start) == lineAt(b, start)) {
        start = a.find('\n', start) + 1;
        ++line;
    }
    return ::testing::AssertionFailure()
           << aName << " and " << bName << " differ first at line " << line << ":\n  "
           << lineAt(a, start) << "\n  " << lineAt(b, start);
}

}  // namespace TestHarness
