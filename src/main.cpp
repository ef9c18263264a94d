#include <iostream>

#include "engine/eval/weights.h"
#include "protocol/command_loop.h"
#include "protocol/exe_folder.h"

int main(int argc, char** argv) {
    using namespace korvane;
    const std::string folder = exeFolder(argc > 0 ? argv[0] : "");
    const bool read = loadWeights(weightFilePath(folder, argc, argv));
    std::cout << (read ? "MESSAGE READ CFG OK." : "MESSAGE READ CFG False.") << '\n' << std::flush;
    runCommandLoop(std::cin, std::cout);
    return 0;
}
