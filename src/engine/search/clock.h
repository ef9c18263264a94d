#pragma once

#include <cstdint>

namespace korvane {

// Milliseconds of wall time since the process started, from a monotonic clock.
int64_t clockMs();

}  // namespace korvane
