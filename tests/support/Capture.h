// What a call prints on standard output, captured for a test to compare.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace TestHarness {

// Runs `body` with standard output captured and returns what it printed.
template <class Body>
std::string Printed(Body&& body) {
    std::fflush(stdout);
    ::testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

}  // namespace TestHarness
