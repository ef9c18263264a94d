// korvane-book SIZE OPENINGS [REPLIES PRO-MS REPLY-MS...]: grows Korvane Pro's book for
// the openings of one list (lines of x,y offsets from the centre, black first) on a
// SIZE x SIZE board, and prints its lines.
//
// From every opening, with Pro on either side: where Pro is to move it searches for
// PRO-MS (default 2000) and the move goes into the book; where the other side is to move
// its replies are the distinct moves Pro's own searches of REPLY-MS each (default 100, 300
// and 1000) choose for it, each followed in turn, for REPLIES replies (default 6). Games
// that are decided, or that reach a position met before, are not followed further.
//
//   korvane-book 15 data/openings/piskvork_openings_15.txt >> data/book/pro_book.txt
//
// KORVANE_BOOK_PART=i/n keeps every n-th opening from the i-th (from 0), so that n
// processes share a list.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "engine/search/pro/opening_book.h"
#include "engine/search/pro/pro_search.h"

namespace korvane {
namespace {

class BookGrower {
public:
    BookGrower(int size, int replies, int proMs, std::vector<int> replyMs)
        : boardSize(size), opponentMoves(replies), proTime(proMs), replyTimes(std::move(replyMs)) {
        engine.setShowMessages(0);
        engine.setTimeLeft(1 << 30);
    }

    void grow(const std::vector<WirePoint>& opening) {
        for (int proColour : {BLACK, WHITE}) {
            engine.newGame(boardSize);
            for (WirePoint p : opening)
                if (!engine.play(p)) return;
            follow(proColour, opponentMoves);
        }
    }

private:
    void follow(int proColour, int repliesLeft) {
        const AI& ai = engine.ai();
        if (engine.lastMoveWinner() != 0) return;
        const bool proToMove = ai.who == proColour;
        if (!seen.insert({bookKey(ai).key, proToMove}).second) return;
        if (proToMove) {
            engine.setTurnTimeout(proTime);
            const ChosenMove chosen = engine.think();
            if (!chosen.played) return;
            print(chosen.point);
            if (std::abs(chosen.value) < kDecided) follow(proColour, repliesLeft);
            engine.takeBack();
            return;
        }
        if (repliesLeft == 0) return;
        for (WirePoint reply : replies()) {
            engine.play(reply);
            follow(proColour, repliesLeft - 1);
            engine.takeBack();
        }
    }

    // The distinct moves of the reply searches; none when one of them sees the game
    // decided.
    std::vector<WirePoint> replies() {
        std::vector<WirePoint> moves;
        for (int ms : replyTimes) {
            engine.setTurnTimeout(ms);
            const ChosenMove c = engine.think();
            if (!c.played) return {};
            engine.takeBack();
            if (std::abs(c.value) >= kDecided) return {};
            const auto same = [&c](WirePoint m) { return m.x == c.point.x && m.y == c.point.y; };
            if (std::none_of(moves.begin(), moves.end(), same)) moves.push_back(c.point);
        }
        return moves;
    }

    // The line of the position before `move`, which is on the board.
    void print(WirePoint move) {
        const AI& ai = engine.ai();
        std::printf("%d", boardSize);
        for (int i = 0; i < ai.history.last; ++i) {
            const WirePoint p = toWire(ai.history.moves[i]);
            std::printf(" %d,%d", p.x, p.y);
        }
        std::printf(" > %d,%d\n", move.x, move.y);
        std::fflush(stdout);
    }

    Engine engine{proSearch};
    int boardSize;
    int opponentMoves;
    int proTime;
    std::vector<int> replyTimes;
    std::set<std::pair<uint64_t, bool>> seen;
};

// The integers of `line`, each with its sign, in order.
std::vector<int> numbersIn(const std::string& line) {
    std::vector<int> numbers;
    const char* end = line.data() + line.size();
    for (const char* p = line.data(); p < end; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p))) continue;
        const char* start = (p > line.data() && p[-1] == '-') ? p - 1 : p;
        int value = 0;
        p = std::from_chars(start, end, value).ptr - 1;
        numbers.push_back(value);
    }
    return numbers;
}

std::vector<std::vector<WirePoint>> readOpenings(const char* path, int size) {
    std::vector<std::vector<WirePoint>> openings;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const std::vector<int> n = numbersIn(line);
        std::vector<WirePoint> stones;
        for (size_t i = 0; i + 1 < n.size(); i += 2)
            stones.push_back({size / 2 + n[i], size / 2 + n[i + 1]});
        if (!stones.empty() && n.size() % 2 == 0) openings.push_back(stones);
    }
    return openings;
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
    using namespace korvane;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SIZE OPENINGS [REPLIES PRO-MS REPLY-MS...]\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    const int replies = argc > 3 ? std::atoi(argv[3]) : 6;
    const int proMs = argc > 4 ? std::atoi(argv[4]) : 2000;
    std::vector<int> replyMs;
    for (int i = 5; i < argc; ++i) replyMs.push_back(std::atoi(argv[i]));
    if (replyMs.empty()) replyMs = {100, 300, 1000};
    int part = 0, parts = 1;
    if (const char* p = std::getenv("KORVANE_BOOK_PART")) std::sscanf(p, "%d/%d", &part, &parts);
    if (size < kMinSize || size > kMaxSize || part < 0 || parts < 1 || part >= parts) {
        std::fprintf(stderr, "ERROR bad board size or KORVANE_BOOK_PART\n");
        return 2;
    }
    const auto openings = readOpenings(argv[2], size);
    if (openings.empty()) {
        std::fprintf(stderr, "ERROR no openings read from %s\n", argv[2]);
        return 1;
    }

    BookGrower grower(size, replies, proMs, replyMs);
    for (size_t i = size_t(part); i < openings.size(); i += size_t(parts)) {
        std::fprintf(stderr, "opening %zu of %zu\n", i + 1, openings.size());
        grower.grow(openings[i]);
    }
}
