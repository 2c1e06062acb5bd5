#include "platform/runtime/rnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(RuntimeRnd, SameSequenceFromTheStartOfEveryProcess) {
    runtime::ResetRndForTesting();
    // The generator's first values, the same in every run.
    const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.2895625f, 0.301948f};
    for (float e : expected) EXPECT_NEAR(runtime::Rnd(), e, 1e-6f);

    runtime::ResetRndForTesting();
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) first.push_back(runtime::Rnd());
    runtime::ResetRndForTesting();
    for (float f : first) ASSERT_EQ(runtime::Rnd(), f);
}

TEST(RuntimeRnd, FractionsBelowOneOnA24BitGrid) {
    runtime::ResetRndForTesting();
    for (int i = 0; i < 100000; ++i) {
        float r = runtime::Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        float scaled = r * 16777216.0f;
        ASSERT_EQ(scaled, std::floor(scaled));
    }
}

}  // namespace
