#include <string>

#include "protocol/board_picture.h"
#include "protocol/command_loop.h"
#include "protocol/settings.h"

namespace korvane {

void CommandLoop::start() {
    int size = 0;
    args.readInt(size);
    if (size < kMinSize || size > kMaxSize) {
        output.line("ERROR:NOT SUPPORT<" + std::to_string(size) + ">");
        return;
    }
    engine->limit = size + kBorder;
    engine->resetGame();
    output.line("OK");
}

void CommandLoop::restart() {
    engine->resetGame();
    output.line("OK");
}

void CommandLoop::takeback() {
    const Arguments::Point p = args.readPoint();
    if (engine->history.last < 0) {
        output.line("INVALID POS:" + std::to_string(p.x) + "," + std::to_string(p.y));
        return;
    }
    // The last stone is taken back whatever the coordinates say.
    const ScoredMove last = engine->history.moves[engine->history.last];
    engine->unmakeMove(last.x, last.y);
    output.line("OK");
}

void CommandLoop::begin() {
    worker.requestSearch();
}

bool CommandLoop::playArgumentPoint() {
    const Arguments::Point p = args.readPoint();
    if (!p.ok || !acceptable(p.x, p.y)) return false;
    playWire(p.x, p.y);
    return true;
}

void CommandLoop::turn() {
    if (!playArgumentPoint()) {
        output.line("ERROR COORDINATE");
        return;
    }
    if (showBoard) output.write(printBoard(*engine) + printPatternCounts(*engine));
    worker.requestSearch();
}

void CommandLoop::board() {
    engine->resetGame();
    std::string word;
    // The block ends at DONE or at the end of input.
    while (args.readWord(word) && word != "DONE") {
        const Arguments::Point p = parseStone(word);
        if (p.ok && acceptable(p.x, p.y)) {
            playWire(p.x, p.y);
            continue;
        }
        output.line("ERROR BOARD POS:" + word);
        // The rest of the block is dropped unanswered.
        while (args.readWord(word) && word != "DONE") {
        }
        break;
    }
    worker.requestSearch();
}

void CommandLoop::play() {
    if (!playArgumentPoint()) output.line("ERROR PLAY MOVE");
}

void CommandLoop::end() {
    running.store(0);
}

void CommandLoop::about() {
    output.line(
        "name=\"Korvane\",author=\"Tolmaren\",version=\"2.0\",country=\"International\","
        "email=\"korvane@example.org\"");
}

}  // namespace korvane
