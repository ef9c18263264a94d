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
    for (int s = 0; s < 8; ++s) {
        const WirePoint q = toImage(p, s, size);
        images[s] += mix(uint64_t(((size * 4 + colour) * 32 + q.y) * 32 + q.x));
    }
}

BookKey BookKeyBuilder::key() const {
    const int s = int(std::min_element(images, images + 8) - images);
    return {images[s], s};
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
    moves[key.key] = toImage(p, key.symmetry, size);
    return true;
}

std::optional<ScoredMove> OpeningBook::move(const AI& ai) const {
    const BookKey key = bookKey(ai);
    const auto found = moves.find(key.key);
    if (found == moves.end()) return std::nullopt;
    return toInternal(fromImage(found->second, key.symmetry, ai.size()));
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
