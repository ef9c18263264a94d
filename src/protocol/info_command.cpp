#include <cstdint>
#include <sstream>
#include <string>

#include "engine/board/pattern_table.h"
#include "protocol/command_loop.h"

namespace korvane {

namespace {

// The first 10 MiB of a memory limit are left for everything but the table.
constexpr int64_t kReservedBytes = 10 * 1024 * 1024;

uint32_t largestPowerOfTwoUpTo(int64_t n) {
    uint32_t p = 1;
    while (int64_t(p) * 2 <= n) p *= 2;
    return p;
}

}  // namespace

// Managers send one key and its value per line. The line belongs to INFO whatever it
// holds: a folder may contain blanks, and keys this engine does not know (thread_num,
// max_depth, ...) come in every game; were their values read as commands, the error
// lines would stand where a manager waits for the reply to its next command.
void CommandLoop::info() {
    std::istringstream line(args.readRestOfLine());
    Arguments setting(line);
    std::string key;
    if (!setting.readWord(key)) return;
    int value = 0;
    if (key == "TIMEOUT_TURN") {
        setting.readInt(engine->turnTimeout);
    } else if (key == "TIME_LEFT") {
        setting.readInt(engine->timeLeft);
    } else if (key == "TIMEOUT_MATCH") {
        setting.readInt(engine->timeoutMatch);
    } else if (key == "MAX_MEMORY") {
        setting.readInt(value);
        setMaxMemory(value);
    } else if (key == "RULE") {
        setting.readInt(value);
        setRule(value);
    }
    // GAME_TYPE, FOLDER (the rest of the line, blanks included) and unknown keys change
    // nothing.
}

void CommandLoop::setMaxMemory(int bytes) {
    const int64_t entries = (int64_t(bytes) - kReservedBytes) / int64_t(sizeof(HashEntry));
    if (entries < 1) return;  // no room for a single entry: keep the table
    const uint32_t n = largestPowerOfTwoUpTo(entries);
    if (n == engine->hashEntries) return;
    if (!engine->resizeHashTable(n)) {
        output.printMessage("MAX_MEMORY %d: not enough memory, table kept at %u entries", bytes,
                            engine->hashEntries);
    }
}

void CommandLoop::setRule(int rule) {
    if (rule == 0 || rule == ruleValue) return;
    ruleValue = rule;
    buildPatternTables(rule);
    // Stones already on the board get the codes of the new rule.
    engine->replayStones();
}

}  // namespace korvane
