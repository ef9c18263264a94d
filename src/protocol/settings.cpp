#include "protocol/settings.h"

namespace korvane {

int32_t showBoard = 0;

}  // namespace korvane
