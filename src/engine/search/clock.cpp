#include "engine/search/clock.h"

#include <chrono>

namespace korvane {

namespace {
const auto processStart = std::chrono::steady_clock::now();
}

int64_t clockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 processStart)
        .count();
}

}  // namespace korvane
