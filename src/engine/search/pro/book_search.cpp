#include "engine/search/pro/book_search.h"

#include "engine/board/pattern_table.h"
#include "engine/search/pro/pro_search.h"

namespace korvane {

ScoredMove BookSearch::chooseMove(AI& ai) {
    if (ruleValue == 0) {
        const std::optional<ScoredMove> m = book.move(ai);
        if (m && ai.isFree(m->x, m->y)) return *m;
    }
    return search->chooseMove(ai);
}

std::unique_ptr<MoveSearch> bookedProSearch(AI& ai) {
    return std::make_unique<BookSearch>(proBook(), proSearch(ai));
}

}  // namespace korvane
