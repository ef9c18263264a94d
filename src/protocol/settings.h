#pragma once

#include <cstdint>

namespace korvane {

// Nonzero: the board picture and the pattern counts follow every move.
extern int32_t showBoard;

}  // namespace korvane
