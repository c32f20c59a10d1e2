#pragma once

// The smallest check harness for the test programs that run under wine:
// each failed check prints a line, and the program ends with the count in
// the form "N passed, N failed" and a non-zero status on any failure.

#include <cstdio>
#include <cstdlib>

namespace testing {

struct Checks
{
    int passed = 0;
    int failed = 0;

    void operator()(bool condition, const char* what)
    {
        if (condition) {
            ++passed;
        } else {
            ++failed;
            std::printf("FAIL: %s\n", what);
        }
    }

    int finish() const
    {
        std::printf("%d passed, %d failed\n", passed, failed);
        return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    }
};

} // namespace testing
