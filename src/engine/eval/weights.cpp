#include "engine/eval/weights.h"

#include <fstream>
#include <istream>

namespace korvane {

const int32_t defaultWeights[kPatternCodes] = {0, 0, 1, 2, 4, 12, 15, 21, 30, 40};
int32_t evalWeights[kPatternCodes] = {0, 0, 1, 2, 4, 12, 15, 21, 30, 40};

void readWeights(std::istream& in) {
    // Formatted extraction stores 0 for a non-number and the nearer limit on overflow,
    // and leaves the target alone when only the end of input was found.
    for (int32_t& weight : evalWeights) {
        if (!(in >> weight)) break;
    }
}

bool loadWeights(const std::string& path) {
    std::ifstream file(path);
    if (!file.is_open()) return false;
    readWeights(file);
    return true;
}

}  // namespace korvane
