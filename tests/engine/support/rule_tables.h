#pragma once

#include <memory>

#include "engine/ai.h"
#include "engine/board/pattern_table.h"

namespace korvane::test {

// Builds the pattern tables for `rule` for the life of the object, then the free-style
// tables again: the tables are process-wide, and other tests expect free-style.
class RuleTables {
public:
    explicit RuleTables(int rule) {
        if (firstEngine) std::make_unique<AI>();  // the first engine builds the tables
        buildPatternTables(rule);
    }
    ~RuleTables() { buildPatternTables(0); }
    RuleTables(const RuleTables&) = delete;
    RuleTables& operator=(const RuleTables&) = delete;
};

}  // namespace korvane::test
