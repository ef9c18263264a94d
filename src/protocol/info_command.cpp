#include <cstdint>
#include <sstream>
#include <string>

#include "protocol/command_loop.h"

namespace korvane {

namespace {

// The first 10 MiB of a memory limit are left for everything but the table.
constexpr int64_t kReservedBytes = 10 * 1024 * 1024;

// The table slots a memory limit leaves room for: the largest power of two of 16-byte
// entries above the reserve; 0 when not even one fits.
uint32_t tableEntriesFor(int bytes) {
    const int64_t room = (int64_t(bytes) - kReservedBytes) / int64_t(sizeof(HashEntry));
    if (room < 1) return 0;
    uint32_t n = 1;
    while (int64_t(n) * 2 <= room) n *= 2;
    return n;
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
    // A setting as formatted input leaves it: unchanged when the line holds no value.
    const auto readValue = [&setting](int current) {
        setting.readInt(current);
        return current;
    };
    const AI& ai = engine.ai();
    if (key == "TIMEOUT_TURN") {
        engine.setTurnTimeout(readValue(ai.turnTimeout));
    } else if (key == "TIME_LEFT") {
        engine.setTimeLeft(readValue(ai.timeLeft));
    } else if (key == "TIMEOUT_MATCH") {
        engine.setTimeoutMatch(readValue(ai.timeoutMatch));
    } else if (key == "MAX_MEMORY") {
        const int bytes = readValue(0);
        const uint32_t entries = tableEntriesFor(bytes);
        if (entries != 0 && !engine.setTableEntries(entries)) {
            output.printMessage("MAX_MEMORY %d: not enough memory, table kept at %u entries", bytes,
                                ai.hashEntries);
        }
    } else if (key == "RULE") {
        // Free-style is the start-up rule; once another is set, 0 does not bring it back.
        if (const int rule = readValue(0)) engine.setRule(rule);
    }
    // GAME_TYPE, FOLDER (the rest of the line, blanks included) and unknown keys change
    // nothing.
}

}  // namespace korvane
