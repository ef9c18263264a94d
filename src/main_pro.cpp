#include "protocol/start_up.h"

int main(int argc, char** argv) {
    return korvane::runEngine(argc, argv, korvane::korvaneProFlavour());
}
