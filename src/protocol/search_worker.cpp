#include "protocol/search_worker.h"

#include <string>

#include "protocol/board_picture.h"
#include "protocol/settings.h"

namespace korvane {

SearchWorker::SearchWorker(Engine& searched, Output& writer, const std::atomic<int>& runFlag)
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
    const WirePoint move = engine.think().point;
    if (showBoard) output.write(printBoard(engine.ai()) + printPatternCounts(engine.ai()));
    output.line(std::to_string(move.x) + "," + std::to_string(move.y));
}

}  // namespace korvane
