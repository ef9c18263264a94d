#include "protocol/search_worker.h"

#include <string>

#include "protocol/board_picture.h"
#include "protocol/settings.h"

namespace korvane {

SearchWorker::SearchWorker(AI& searched, Output& writer, const std::atomic<int>& runFlag)
    : engine(searched), output(writer), running(runFlag) {}

SearchWorker::~SearchWorker() {
    stop();
}

void SearchWorker::start() {
    thread = std::thread(&SearchWorker::searchWorker, this);
}

void SearchWorker::requestSearch() {
    std::lock_guard<std::mutex> lock(searchMutex);
    ++pendingSearches;
    searchSignal.notify_one();
}

void SearchWorker::waitIdle() {
    std::unique_lock<std::mutex> lock(searchMutex);
    idleSignal.wait(lock, [this] { return pendingSearches == 0 && !searching; });
}

void SearchWorker::stop() {
    if (!thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(searchMutex);
        searchSignal.notify_all();
    }
    thread.join();
}

void SearchWorker::searchWorker() {
    std::unique_lock<std::mutex> lock(searchMutex);
    for (;;) {
        searchSignal.wait(lock, [this] { return pendingSearches > 0 || !running.load(); });
        if (pendingSearches == 0) return;  // shutdown with nothing left to answer
        --pendingSearches;
        searching = true;
        lock.unlock();
        answerRequest();
        lock.lock();
        searching = false;
        idleSignal.notify_all();
    }
}

void SearchWorker::answerRequest() {
    const ScoredMove m = engine.searchRoot();
    // Only a full board yields no free cell; then nothing is placed.
    if (engine.isFree(m.x, m.y)) engine.makeMove(m.x, m.y);
    if (showBoard) output.write(printBoard(engine) + printPatternCounts(engine));
    output.line(std::to_string(m.x - kBorder) + "," + std::to_string(m.y - kBorder));
}

}  // namespace korvane
