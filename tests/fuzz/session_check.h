#pragma once

// Runs one protocol session in-process on arbitrary input and checks what came out:
// shared by the protocol fuzzer and the unit tests that replay its findings.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <regex>
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
            result += rewrite(input.substr(start, i - start));
        }
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
        while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits]))) ++digits;
        if (digits == first) return word;
        std::string number = word.substr(first, digits - first);
        number.erase(0, std::min(number.find_first_not_of('0'), number.size()));
        const bool above = number.size() > cap.size() || (number.size() == cap.size() && number > cap);
        return above ? cap + word.substr(digits) : word;
    }

    std::string rewrite(std::string word) {
        if (!pendingCap.empty()) {
            word = capNumber(word, pendingCap);
            pendingCap.clear();
            return word;
        }
        const std::string key = upper(word);
        if (key == "TIMEOUT_TURN") pendingCap = kTimeLimit;
        if (key == "MAX_MEMORY") pendingCap = kMemoryLimit;
        if (key == "EVAL_FIX") word.back() = '_';
        if ((key == "BEGIN" || key == "TURN" || key == "BOARD") && ++searches > kMaxSearches) {
            word.back() = '_';
        }
        return word;
    }

    std::string pendingCap;
    int searches = 0;
};

// True when `text` holds no whitespace (a word as the engine reads it).
inline bool oneWord(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

// True when `line` is one of the replies the engine writes.
inline bool knownReplyLine(const std::string& line) {
    // The forms that repeat an input word, of any length, are checked without regex (its
    // recursion would overflow the stack on a line of megabytes).
    const std::string_view view(line);
    const std::string_view unknown = "ERROR Command \"", notSupported = "\" not support";
    const std::string_view badStone = "ERROR BOARD POS:";
    if (view.substr(0, 8) == "MESSAGE ") return true;
    if (view.substr(0, badStone.size()) == badStone) return oneWord(view.substr(badStone.size()));
    if (view.size() >= unknown.size() + notSupported.size() && view.substr(0, unknown.size()) == unknown &&
        view.substr(view.size() - notSupported.size()) == notSupported) {
        return oneWord(view.substr(unknown.size(), view.size() - unknown.size() - notSupported.size()));
    }
    static const std::regex forms(
        "-?\\d+,-?\\d+"  // a move
        "|OK"
        "|name=\"Korvane\",author=\"Tolmaren\",version=\"2\\.0\",country=\"[^\"]*\",email=\"[^\"]*\""
        "|ERROR COORDINATE|ERROR PLAY MOVE"
        "|ERROR:NOT SUPPORT<-?\\d+>|INVALID POS:-?\\d+,-?\\d+"
        "|vct:-?\\d+|[012]"      // VCT, IS_WIN
        "|(-?\\d+ ){8}"          // GET_EVALS
        "| ( [A-X]  )+|(-\\+--)+| \\|(   \\|| [BW] \\|)+\\d+|  ([ \\d]\\d  )+"  // board picture
        "|player(\\t\\w+){9}|_(who|opp):\\t(-?\\d+\\t){9}");                 // pattern counts
    return line.size() < 1000 && std::regex_match(line, forms);
}

// A move line names a point of the largest board.
inline bool moveOnBoard(const std::string& line) {
    static const std::regex move("(-?\\d+),(-?\\d+)");
    std::smatch m;
    if (line.size() > 30 || !std::regex_match(line, m, move)) return true;  // not a move line
    const auto inside = [](const std::string& n) { return n.size() <= 2 && n[0] != '-' && std::stoi(n) < 24; };
    return inside(m[1]) && inside(m[2]);
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
