#include "protocol/start_up.h"

#include <iostream>

#include "engine/eval/weights.h"
#include "engine/search/pro/book_search.h"
#include "protocol/command_loop.h"
#include "protocol/exe_folder.h"

namespace korvane {

EngineFlavour korvaneFlavour() {
    return {
        "name=\"Korvane\",author=\"Tolmaren\",version=\"2.0\",country=\"International\","
        "email=\"korvane@example.org\"",
        alphaBetaSearch};
}

EngineFlavour korvaneProFlavour() {
    return {
        "name=\"Korvane Pro\",author=\"Tolmaren\",version=\"2.0\",country=\"International\","
        "email=\"korvane@example.org\"",
        bookedProSearch};
}

int runEngine(int argc, char** argv, const EngineFlavour& flavour) {
    const std::string folder = exeFolder(argc > 0 ? argv[0] : "");
    // Read before the engine exists, so that the score tables it builds use them.
    const bool read = loadWeights(weightFilePath(folder, argc, argv));
    std::cout << (read ? "MESSAGE READ CFG OK." : "MESSAGE READ CFG False.") << '\n' << std::flush;
    runCommandLoop(std::cin, std::cout, flavour);
    return 0;
}

}  // namespace korvane
