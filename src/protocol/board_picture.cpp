#include "protocol/board_picture.h"

#include <cstdio>

#include "engine/wire_point.h"

namespace korvane {

namespace {

std::string separatorLine(int size) {
    std::string line;
    for (int i = 0; i < size; ++i) line += "-+--";
    return line;
}

const char* cellText(int state) {
    switch (state) {
        case BLACK: return " B |";
        case WHITE: return " W |";
        default: return "   |";
    }
}

std::string countsRow(const char* label, const int32_t* counts) {
    std::string row = label;
    for (int code = Sleep2; code <= Five; ++code) row += std::to_string(counts[code]) + "\t";
    return row + "\n";
}

}  // namespace

std::string printBoard(const AI& engine) {
    const int size = engine.size();
    std::string text = " ";
    for (int c = 0; c < size; ++c) text += std::string(" ") + char('A' + c) + "  ";
    text += "\n";
    for (int y = 0; y < size; ++y) {
        text += separatorLine(size) + "\n |";
        for (int x = 0; x < size; ++x) {
            const ScoredMove cell = toInternal({x, y});
            text += cellText(engine.cells[cell.y][cell.x].state);
        }
        text += std::to_string(y) + "\n";
    }
    text += separatorLine(size) + "\n  ";
    for (int c = 0; c < size; ++c) {
        char number[16];
        std::snprintf(number, sizeof number, "%2d  ", c);
        text += number;
    }
    return text + "\n";
}

std::string printPatternCounts(const AI& engine) {
    return "player\tSleep2\tLive2b\tlive2l\tSLeep3\tLive3b\tLive3l\tSleep4\tLive4\tFive\n" +
           countsRow("_who:\t", engine.patternCount[engine.who]) +
           countsRow("_opp:\t", engine.patternCount[engine.opp]);
}

}  // namespace korvane
