#pragma once

#include <memory>

#include "engine/search/move_search.h"
#include "engine/search/pro/opening_book.h"

namespace korvane {

// Plays the book's move in the free-style positions it knows, and leaves every other
// position to the search it wraps. Book moves come from long searches made beforehand,
// so the first moves after an opening, where a game is most often decided, get the
// depth the time per move cannot give.
class BookSearch final : public MoveSearch {
public:
    BookSearch(const OpeningBook& openings, std::unique_ptr<MoveSearch> searched)
        : book(openings), search(std::move(searched)) {}

    ScoredMove chooseMove(AI& ai) override;
    void newGame() override { search->newGame(); }
    void evaluationChanged() override { search->evaluationChanged(); }
    bool resizeTable(uint32_t entries) override { return search->resizeTable(entries); }

private:
    const OpeningBook& book;
    std::unique_ptr<MoveSearch> search;
};

// Korvane Pro's search behind its built-in book.
std::unique_ptr<MoveSearch> bookedProSearch(AI& ai);

}  // namespace korvane
