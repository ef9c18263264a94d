#include <gtest/gtest.h>

#include "engine/ai.h"

namespace korvane {
namespace {

TEST(Board, Placeholder) {
    auto ai = std::make_unique<AI>();
    EXPECT_TRUE(ai->isConsistent());
}

}  // namespace
}  // namespace korvane
