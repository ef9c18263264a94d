#include "protocol/support/session.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korvane::protocol_test {

std::vector<std::string> session(const std::string& input, const Launch& launch) {
    ScriptResult result = runScript(input, launch);
    EXPECT_EQ(result.exitCode, 0);
    if (result.lines.empty() || result.lines.front().rfind("MESSAGE READ CFG ", 0) != 0) {
        ADD_FAILURE() << "no start-up line";
        return result.lines;
    }
    result.lines.erase(result.lines.begin());
    return result.lines;
}

std::vector<std::string> withoutMessages(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        if (line.rfind("MESSAGE ", 0) != 0) kept.push_back(line);
    }
    return kept;
}

std::optional<Point> parseMove(const std::string& line) {
    std::istringstream in(line);
    Point p;
    char comma = 0;
    in >> p.x >> comma >> p.y;
    // Written back, a move line is the same text again.
    if (!in || std::to_string(p.x) + "," + std::to_string(p.y) != line) return std::nullopt;
    return p;
}

std::optional<Point> readMove(EngineProcess& engine) {
    std::string line;
    while (engine.readLine(line)) {
        if (line.rfind("MESSAGE ", 0) == 0) continue;
        const std::optional<Point> move = parseMove(line);
        EXPECT_TRUE(move) << "not a move: " << line;
        return move;
    }
    return std::nullopt;
}

std::vector<std::string> pictureStones(const std::vector<std::string>& lines, size_t first,
                                       int size) {
    std::vector<std::string> rows;
    for (int y = 0; y < size; ++y) {
        // Row y follows the letter line and y + 1 separator lines; cell x is at 2 + 4x + 1.
        const size_t index = first + 2 + 2 * size_t(y);
        const std::string row = index < lines.size() ? lines[index] : "";
        std::string stones;
        for (int x = 0; x < size; ++x) {
            const size_t at = 3 + 4 * size_t(x);
            const char c = at < row.size() ? row[at] : '?';
            stones += c == ' ' ? '.' : c;
        }
        rows.push_back(stones);
    }
    return rows;
}

}  // namespace korvane::protocol_test
