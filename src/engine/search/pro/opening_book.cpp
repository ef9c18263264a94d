#include "engine/search/pro/opening_book.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace korvane {

namespace {

uint64_t mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t stoneCode(int size, int colour, WirePoint p) {
    return mix(uint64_t(((size * 4 + colour) * 32 + p.y) * 32 + p.x));
}

// Reads "x,y" from the front of `text`; false when it is not a point of the board.
bool readPoint(std::string_view& text, int size, WirePoint& p) {
    const char* end = text.data() + text.size();
    auto [afterX, ex] = std::from_chars(text.data(), end, p.x);
    if (ex != std::errc() || afterX == end || *afterX != ',') return false;
    auto [afterY, ey] = std::from_chars(afterX + 1, end, p.y);
    if (ey != std::errc()) return false;
    text.remove_prefix(size_t(afterY - text.data()));
    return p.x >= 0 && p.y >= 0 && p.x < size && p.y < size;
}

void skipSpaces(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
}

}  // namespace

WirePoint toImage(WirePoint p, int symmetry, int size) {
    if (symmetry & 1) p.x = size - 1 - p.x;
    if (symmetry & 2) p.y = size - 1 - p.y;
    if (symmetry & 4) std::swap(p.x, p.y);
    return p;
}

WirePoint fromImage(WirePoint p, int symmetry, int size) {
    if (symmetry & 4) std::swap(p.x, p.y);
    return toImage(p, symmetry & 3, size);
}

void BookKeyBuilder::add(WirePoint p, int colour) {
    stones.push_back({p, colour});
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
}

BookKey BookKeyBuilder::key() const {
    // A shape that is its own image under a symmetry ties on the key; the images' places
    // on the board break the tie, so that an unshifted position maps its move exactly.
    const int margin = std::min({low.x, low.y, size - 1 - high.x, size - 1 - high.y});
    BookKey best{~0ull, 0, {0, 0}, margin};
    uint64_t bestPlace = ~0ull;
    for (int s = 0; s < 8; ++s) {
        // The image's bounding box has two of the box's corners for its own.
        const WirePoint a = toImage(low, s, size), b = toImage(high, s, size);
        const WirePoint origin{std::min(a.x, b.x), std::min(a.y, b.y)};
        uint64_t key = 0, place = 0;
        for (const Stone& stone : stones) {
            const WirePoint q = toImage(stone.p, s, size);
            key += stoneCode(size, stone.colour, {q.x - origin.x, q.y - origin.y});
            place += stoneCode(size, stone.colour, q);
        }
        if (key < best.key || (key == best.key && place < bestPlace)) {
            best = {key, s, origin, margin};
            bestPlace = place;
        }
    }
    return best;
}

BookKey bookKey(const AI& ai) {
    BookKeyBuilder builder(ai.size());
    for (int i = 0; i <= ai.history.last; ++i) {
        const ScoredMove m = ai.history.moves[i];
        builder.add(toWire(m), ai.cells[m.y][m.x].state);
    }
    return builder.key();
}

int OpeningBook::read(std::string_view text) {
    int malformed = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('#'));
        skipSpaces(line);
        if (!line.empty() && !readLine(line)) ++malformed;
    }
    return malformed;
}

bool OpeningBook::readLine(std::string_view line) {
    int size = 0;
    auto [afterSize, e] = std::from_chars(line.data(), line.data() + line.size(), size);
    if (e != std::errc() || size < kMinSize || size > kMaxSize) return false;
    line.remove_prefix(size_t(afterSize - line.data()));
    BookKeyBuilder builder(size);
    std::vector<WirePoint> stones;
    WirePoint p;
    for (skipSpaces(line); !line.empty() && line.front() != '>'; skipSpaces(line)) {
        if (!readPoint(line, size, p)) return false;
        builder.add(p, stones.size() % 2 == 0 ? BLACK : WHITE);
        stones.push_back(p);
    }
    if (line.empty()) return false;
    line.remove_prefix(1);
    skipSpaces(line);
    if (!readPoint(line, size, p)) return false;
    skipSpaces(line);
    const auto taken = [&p](WirePoint s) { return s.x == p.x && s.y == p.y; };
    if (!line.empty() || std::any_of(stones.begin(), stones.end(), taken)) return false;
    const BookKey key = builder.key();
    const WirePoint q = toImage(p, key.symmetry, size);
    moves[key.key] = {key.margin, {q.x - key.origin.x, q.y - key.origin.y}};
    return true;
}

std::optional<ScoredMove> OpeningBook::move(const AI& ai) const {
    const BookKey key = bookKey(ai);
    const auto found = moves.find(key.key);
    if (found == moves.end()) return std::nullopt;
    const Entry& e = found->second;
    if (key.margin < std::min(e.margin, kRoomNeeded)) return std::nullopt;
    const WirePoint q{key.origin.x + e.move.x, key.origin.y + e.move.y};
    const ScoredMove m = toInternal(fromImage(q, key.symmetry, ai.size()));
    if (!ai.inside(m.x, m.y)) return std::nullopt;
    return m;
}

const OpeningBook& proBook() {
    static const OpeningBook book = [] {
        OpeningBook b;
        b.read(kProBookText);
        return b;
    }();
    return book;
}

}  // namespace korvane
