// Compares two lists whole and says how they differ: both lengths and the
// first differing entries with their indexes (GoogleTest's own printer
// shows only the first 32 entries of each).
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace TestHarness {

template <class T>
::testing::AssertionResult SameList(const std::vector<T>& actual, const std::vector<T>& expected,
                                    size_t shown = 8) {
    size_t differing = 0;
    ::testing::Message where;
    const size_t common = actual.size() < expected.size() ? actual.size() : expected.size();
    for (size_t k = 0; k < common; ++k) {
        if (actual[k] == expected[k]) continue;
        if (differing++ < shown)
            where << "\n  [" << k << "] " << ::testing::PrintToString(actual[k]) << ", expected "
                  << ::testing::PrintToString(expected[k]);
    }
    if (differing == 0 && actual.size() == expected.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual.size() << " entries, expected " << expected.size() << "; " << differing
           << " of the first " << common << " differ" << where;
}

}  // namespace TestHarness
