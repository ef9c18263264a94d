#include "engine/eval/weights.h"

#include <fstream>
#include <istream>

namespace korvane {

// The built-in weights until the weight file or a command replaces them.
int32_t evalWeights[kPatternCodes] = {
    defaultWeights[0], defaultWeights[1], defaultWeights[2], defaultWeights[3], defaultWeights[4],
    defaultWeights[5], defaultWeights[6], defaultWeights[7], defaultWeights[8], defaultWeights[9]};

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
