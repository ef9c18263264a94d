#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/ai.h"
#include "engine/wire_point.h"

namespace korvane {

// A position's key that is the same for all eight images of it under the symmetries of
// the board and for every shift of it on the board; the symmetry that takes the position
// to the image the key stands for, the corner of that image's bounding box, and the
// stones' least distance to an edge.
struct BookKey {
    uint64_t key;
    int symmetry;
    WirePoint origin;
    int margin;
};

// Collects the stones of one position, in any order, into its BookKey.
class BookKeyBuilder {
public:
    explicit BookKeyBuilder(int boardSize) : size(boardSize) {}
    void add(WirePoint p, int colour);
    BookKey key() const;

private:
    struct Stone {
        WirePoint p;
        int colour;
    };
    int size;
    std::vector<Stone> stones;
    WirePoint low{size, size}, high{-1, -1};  // the stones' bounding box
};

// Symmetry s of a size x size board: bit 0 mirrors x, bit 1 mirrors y, bit 2 swaps the
// axes after both; fromImage undoes it.
WirePoint toImage(WirePoint p, int symmetry, int size);
WirePoint fromImage(WirePoint p, int symmetry, int size);

// The key of the stones on the board of `ai`.
BookKey bookKey(const AI& ai);

// Moves for known free-style positions, whichever of its images a position comes in as,
// and wherever on the board: on an even board the mirror image of a position round the
// centre is a cell off. A position nearer an edge than the stored one, and nearer than
// kRoomNeeded, is left to the search, since the edge may change what the move is worth.
// Its text has one position a line: the board size, the stones in the order played
// (black first) and the move after ">", points as x,y; "#" starts a comment.
class OpeningBook {
public:
    static constexpr int kRoomNeeded = 5;
    // Adds every well-formed line of `text`; returns the count of malformed ones.
    int read(std::string_view text);
    // The move stored for the position of `ai`, in internal coordinates.
    std::optional<ScoredMove> move(const AI& ai) const;
    size_t positions() const { return moves.size(); }

private:
    bool readLine(std::string_view line);
    struct Entry {
        int margin;      // of the stored position
        WirePoint move;  // in the key's image, from its origin
    };
    // Keys of all sizes share one map: the size is part of every key.
    std::unordered_map<uint64_t, Entry> moves;
};

// The text of the book built into Korvane Pro, and the book read from it on first use.
extern const char* const kProBookText;
const OpeningBook& proBook();

}  // namespace korvane
