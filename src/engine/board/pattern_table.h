#pragma once

#include <cstdint>

namespace korvane {

// patternTable[c][key]: the code a stone of colour c makes on a cell whose eight line
// neighbours form `key`. Row 0 is never built or read.
extern uint8_t patternTable[3][65536];
// Both colours' codes for one key in one byte (colour 1 low nibble, colour 2 high):
// the form updateLines reads.
extern uint8_t patternPair[65536];
// The rule the tables were last built for; 99 before the first build.
extern int32_t ruleValue;
// Set until the first engine construction has built the process-wide tables.
extern bool firstEngine;

// Nine consecutive cells of a line, c4 being the cell the code is for.
struct LineWindow {
    int cell[9];
};

void decodeLine(int key, LineWindow& window, int colour);
// Fills row `colour` of patternTable. rule 0 is free-style, any other value exact five.
void buildPatternTable(int colour, int rule);
// Builds both rows for `rule` and the packed pair table.
void buildPatternTables(int rule);

}  // namespace korvane
