#pragma once

#include <optional>
#include <string>
#include <vector>

#include "protocol/support/engine_process.h"

namespace korvane::protocol_test {

// The identification line of ABOUT; the engine's name is that of the executable tested.
inline constexpr const char* kAboutLine = "name=\"" KORVANE_ENGINE_NAME
                                          "\",author=\"Tolmaren\",version=\"2.0\","
                                          "country=\"International\",email=\"korvane@example.org\"";

// Runs the engine on the input and returns its output after the start-up line (the
// weight-file message, whose text depends on the folder). Checks the exit code 0.
std::vector<std::string> session(const std::string& input, const Launch& launch = {});

// The lines that do not begin with "MESSAGE ".
std::vector<std::string> withoutMessages(const std::vector<std::string>& lines);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A move line "x,y" and nothing else.
std::optional<Point> parseMove(const std::string& line);

// Reads the engine's next move line, passing over MESSAGE lines; nothing when another
// line or the end of the output comes first.
std::optional<Point> readMove(EngineProcess& engine);

// Reads the board picture that starts at lines[first] (its column-letter line): the
// stones as rows of '.', 'B' and 'W', one string per board row.
std::vector<std::string> pictureStones(const std::vector<std::string>& lines, size_t first,
                                       int size);

}  // namespace korvane::protocol_test
