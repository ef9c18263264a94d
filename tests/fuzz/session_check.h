#pragma once

// Runs one protocol session in-process on arbitrary input and checks what came out:
// shared by the protocol fuzzer and the unit tests that replay its findings.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board/pattern_table.h"
#include "engine/eval/cell_score.h"
#include "engine/eval/weights.h"
#include "protocol/command_loop.h"
#include "protocol/settings.h"

namespace korvane::fuzz {

// Keeps a session short whatever the input asks for. Searches get 5 ms (and the engine's
// floor of 20 ms), so the per-move time limit is capped; large tables are capped at
// 64 MiB so that sessions stay small; EVAL_FIX, a self-play tuning of minutes that
// also writes files, is renamed to an unknown word; beyond kMaxSearches move requests
// the request words are renamed too, each search costing those 20 ms.
class InputLimiter {
public:
    static constexpr int kMaxSearches = 16;
    static constexpr const char* kTimeLimit = "5";
    static constexpr const char* kMemoryLimit = "67108864";

    std::string limit(const std::string& input) {
        std::string result;
        size_t i = 0;
        while (i < input.size()) {
            const size_t start = i;
            while (i < input.size() && !isBlank(input[i])) ++i;
            if (i == start) {
                result += input[i++];
                continue;
            }
            result += capValue(input.substr(start, i - start));
        }
        renameCommands(result);
        return result;
    }

private:
    // The whitespace of formatted stream input in the classic locale.
    static bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    static std::string upper(std::string word) {
        for (char& c : word) c = char(std::toupper(static_cast<unsigned char>(c)));
        return word;
    }

    // A word that starts with a number above `cap` (as formatted input would read it,
    // huge values included) gets `cap` in place of that number.
    static std::string capNumber(const std::string& word, const std::string& cap) {
        size_t digits = word[0] == '+' || word[0] == '-' ? 1 : 0;
        if (word[0] == '-') return word;
        const size_t first = digits;
        while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits])))
            ++digits;
        if (digits == first) return word;
        std::string number = word.substr(first, digits - first);
        number.erase(0, std::min(number.find_first_not_of('0'), number.size()));
        const bool above =
            number.size() > cap.size() || (number.size() == cap.size() && number > cap);
        return above ? cap + word.substr(digits) : word;
    }

    // The value after TIMEOUT_TURN or MAX_MEMORY (keys are always whole words) is capped.
    std::string capValue(std::string word) {
        if (!pendingCap.empty()) {
            word = capNumber(word, pendingCap);
            pendingCap.clear();
            return word;
        }
        const std::string key = upper(word);
        if (key == "TIMEOUT_TURN") pendingCap = kTimeLimit;
        if (key == "MAX_MEMORY") pendingCap = kMemoryLimit;
        return word;
    }

    // A command word glued behind a number ("PLAY 5,5EVAL_FIX") is read as a command
    // too, so these words are renamed wherever they occur, not only as whole words.
    static void renameCommands(std::string& text) {
        const std::string upperText = upper(text);
        int searches = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            for (const std::string_view word : {"EVAL_FIX", "BEGIN", "TURN", "BOARD"}) {
                if (upperText.compare(i, word.size(), word) != 0) continue;
                const bool search = word != "EVAL_FIX";
                if (!search || ++searches > kMaxSearches) text[i + word.size() - 1] = '_';
            }
        }
    }

    std::string pendingCap;
};

// True when `text` holds no whitespace (a word as the engine reads it).
inline bool oneWord(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

// Reads a line piece by piece; every step is false once the line does not fit.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest(text) {}

    bool literal(std::string_view piece) {
        if (rest.substr(0, piece.size()) != piece) return false;
        rest.remove_prefix(piece.size());
        return true;
    }
    // An optional minus sign and at least one digit; the value in `value` when it fits.
    bool integer(long long* value = nullptr) {
        size_t n = !rest.empty() && rest[0] == '-' ? 1 : 0;
        const size_t first = n;
        while (n < rest.size() && std::isdigit(static_cast<unsigned char>(rest[n]))) ++n;
        if (n == first || n > 12) return false;
        if (value) *value = std::stoll(std::string(rest.substr(0, n)));
        rest.remove_prefix(n);
        return true;
    }
    // `step` as many times as it matches; a step that fails consumes nothing. The count.
    template <typename Step>
    int repeated(Step step) {
        int count = 0;
        while (!atEnd()) {
            const std::string_view before = rest;
            if (!step()) {
                rest = before;
                break;
            }
            ++count;
        }
        return count;
    }
    bool atEnd() const { return rest.empty(); }
    std::string_view remaining() const { return rest; }

private:
    std::string_view rest;
};

// A move line "x,y": true with the point in x and y.
inline bool moveLine(std::string_view line, long long& x, long long& y) {
    LineReader r(line);
    return r.integer(&x) && r.literal(",") && r.integer(&y) && r.atEnd();
}

// The lines of the board picture and of the pattern-count report.
inline bool pictureLine(std::string_view line) {
    // The prefix, then `step` at least `times` times (exactly, when `exact`), then the end.
    const auto whole = [line](std::string_view prefix, auto step, int times = 1,
                              bool exact = false) {
        LineReader r(line);
        if (!r.literal(prefix)) return false;
        const int count = r.repeated([&] { return step(r); });
        return (exact ? count == times : count >= times) && r.atEnd();
    };
    const auto letter = [](LineReader& r) {
        const std::string_view rest = r.remaining();
        return rest.size() > 1 && rest[0] == ' ' && rest[1] >= 'A' && rest[1] <= 'X' &&
               r.literal(rest.substr(0, 2)) && r.literal("  ");
    };
    const auto number = [](LineReader& r) {
        return (r.literal(" ") || true) && r.integer() && r.literal("  ");
    };
    const auto count = [](LineReader& r) { return r.integer() && r.literal("\t"); };
    LineReader row(line);
    const bool boardRow = row.literal(" |") && row.repeated([&] {
        return row.literal("   |") || row.literal(" B |") || row.literal(" W |");
    }) > 0 && row.integer() &&
                          row.atEnd();
    return boardRow || whole("", [](LineReader& r) { return r.literal("-+--"); }) ||
           whole(" ", letter) || whole("  ", number) ||
           line == "player\tSleep2\tLive2b\tlive2l\tSLeep3\tLive3b\tLive3l\tSleep4\tLive4\tFive" ||
           whole("_who:\t", count, 9, true) || whole("_opp:\t", count, 9, true);
}

// True when `line` is one of the replies the engine writes.
inline bool knownReplyLine(const std::string& text) {
    const std::string_view line(text);
    const std::string_view unknown = "ERROR Command \"", notSupported = "\" not support";
    const std::string_view badStone = "ERROR BOARD POS:";
    long long x = 0, y = 0;
    if (line.substr(0, 8) == "MESSAGE ") return true;
    if (line.substr(0, badStone.size()) == badStone) return oneWord(line.substr(badStone.size()));
    if (line.size() >= unknown.size() + notSupported.size() &&
        line.substr(0, unknown.size()) == unknown &&
        line.substr(line.size() - notSupported.size()) == notSupported) {
        return oneWord(
            line.substr(unknown.size(), line.size() - unknown.size() - notSupported.size()));
    }
    if (moveLine(line, x, y) || line == "OK" || line == "ERROR COORDINATE" ||
        line == "ERROR PLAY MOVE" || line == "0" || line == "1" || line == "2" ||
        pictureLine(line)) {
        return true;
    }
    LineReader about(line), size(line), invalid(line), vct(line), evals(line);
    return about.literal("name=\"Korvane\",author=\"Tolmaren\",version=\"2.0\",country=\"") ||
           (size.literal("ERROR:NOT SUPPORT<") && size.integer() && size.literal(">") &&
            size.atEnd()) ||
           (invalid.literal("INVALID POS:") && invalid.integer() && invalid.literal(",") &&
            invalid.integer() && invalid.atEnd()) ||
           (vct.literal("vct:") && vct.integer() && vct.atEnd()) ||
           (evals.repeated([&] { return evals.integer() && evals.literal(" "); }) == 8 &&
            evals.atEnd());
}

// A move line names a point of the largest board.
inline bool moveOnBoard(const std::string& line) {
    long long x = 0, y = 0;
    if (!moveLine(line, x, y)) return true;  // not a move line
    return x >= 0 && y >= 0 && x < 24 && y < 24;
}

struct SessionResult {
    std::vector<std::string> lines;  // the whole output
    bool consistent = false;
    std::vector<std::string> badLines;  // lines of no known form, or moves off the board
    bool endsWithLineEnd = true;
};

// Puts back what a session may change for the whole process (rule tables, weights, the
// board display), so that every session starts like a new process.
inline void restoreProcessDefaults() {
    if (ruleValue != 0 && !firstEngine) {
        ruleValue = 0;
        buildPatternTables(0);
    }
    std::copy(defaultWeights, defaultWeights + kPatternCodes, evalWeights);
    buildCellScore();
    showBoard = 0;
}

// Runs the session (after a 5 ms per-move limit) and checks the engine and its output.
inline SessionResult runSession(const std::string& rawInput) {
    restoreProcessDefaults();
    std::istringstream in(std::string("INFO timeout_turn 5\n") + InputLimiter().limit(rawInput));
    std::ostringstream out;
    SessionResult result;
    {
        CommandLoop loop(in, out);
        loop.run();
        result.consistent = loop.engineState().isConsistent();
    }
    restoreProcessDefaults();
    const std::string text = out.str();
    result.endsWithLineEnd = text.empty() || text.back() == '\n';
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        result.lines.push_back(line);
        if (!knownReplyLine(line) || !moveOnBoard(line)) result.badLines.push_back(line);
    }
    return result;
}

}  // namespace korvane::fuzz
