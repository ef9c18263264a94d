#include "engine/engine.h"

#include <algorithm>

#include "engine/board/pattern_table.h"
#include "engine/eval/cell_score.h"
#include "engine/search/clock.h"

namespace korvane {

Engine::Engine(const SearchFactory& makeSearch)
    : state(std::make_unique<AI>()), search(makeSearch(*state)) {}

bool Engine::newGame(int size) {
    if (size < kMinSize || size > kMaxSize) return false;
    state->limit = size + kBorder;
    newGame();
    return true;
}

void Engine::newGame() {
    state->resetGame();
    search->newGame();
}

bool Engine::play(WirePoint point) {
    const int size = state->size();
    if (point.x < 0 || point.y < 0 || point.x >= size || point.y >= size) return false;
    const ScoredMove cell = toInternal(point);
    if (!state->isFree(cell.x, cell.y)) return false;
    state->makeMove(cell.x, cell.y);
    return true;
}

bool Engine::takeBack() {
    if (state->history.last < 0) return false;
    const ScoredMove last = state->history.moves[state->history.last];
    state->unmakeMove(last.x, last.y);
    return true;
}

int Engine::lastMoveWinner() const {
    const int i = state->history.last;
    if (i < 0) return 0;
    const ScoredMove last = state->history.moves[i];
    const int colour = i % 2 == 0 ? BLACK : WHITE;
    return state->cells[last.y][last.x].hasPattern(colour, Five) ? colour : 0;
}

ChosenMove Engine::think() {
    const ScoredMove m = search->chooseMove(*state);
    // Only a full board yields no free cell; then nothing is placed.
    const bool played = state->isFree(m.x, m.y);
    if (played) state->makeMove(m.x, m.y);
    return {toWire(m), m.score, played};
}

void Engine::startProof() {
    state->ply = 0;
    state->deadline = clockMs() + state->budgetMs();
    state->abortSearch.store(0);
}

int Engine::vcf() {
    startProof();
    return state->vcfProbe();
}

int Engine::vct(int depth) {
    startProof();
    return state->vctProbe(depth);
}

void Engine::setRule(int rule) {
    if (rule == ruleValue) return;
    ruleValue = rule;
    buildPatternTables(rule);
    state->replayStones();
    search->evaluationChanged();
}

Weights Engine::weights() const {
    Weights w;
    std::copy(evalWeights, evalWeights + kPatternCodes, w.begin());
    return w;
}

void Engine::setWeights(std::span<const int32_t, kPatternCodes> weights) {
    std::copy(weights.begin(), weights.end(), evalWeights);
    buildCellScore();
    search->evaluationChanged();
}

void Engine::setEvaluationWeights(std::span<const int32_t, kPatternCodes> weights) {
    std::copy(weights.begin(), weights.end(), evalWeights);
    search->evaluationChanged();
}

void Engine::setMaxDepth(int depth) {
    state->maxDepth = std::clamp(depth, kMinSearchDepth, kMaxSearchDepth);
}

}  // namespace korvane
