#pragma once

#include <string>

#include "engine/search/move_search.h"

namespace korvane {

// What tells one engine program from another: its ABOUT line and its move choice.
struct EngineFlavour {
    std::string about;
    SearchFactory makeSearch;
};

// Korvane with the alpha-beta search.
EngineFlavour korvaneFlavour();
// Korvane Pro: the same commands, the tournament search.
EngineFlavour korvaneProFlavour();

// The whole program: finds the executable's folder, reads the weight file and says
// whether it did, then answers commands on the standard streams until END or the end of
// input. Returns the exit code.
int runEngine(int argc, char** argv, const EngineFlavour& flavour);

}  // namespace korvane
