#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/engine.h"
#include "protocol/output.h"

namespace korvane {

// The thread that answers move requests: it waits for a request, searches, plays the
// move on the engine's board and writes it. The command thread touches the engine
// only while the worker is idle (waitIdle).
class SearchWorker {
public:
    SearchWorker(Engine& searched, Output& writer, const std::atomic<int>& runFlag);
    ~SearchWorker();

    void start();
    // Adds one move request and wakes the worker.
    void requestSearch();
    // Returns once no request is pending and no search runs.
    void waitIdle();
    // Wakes the worker for shutdown and joins it; requests already made are answered.
    void stop();

private:
    void searchWorker();
    void answerRequest();

    Engine& engine;
    Output& output;
    const std::atomic<int>& running;
    std::mutex searchMutex;
    std::condition_variable searchSignal;
    std::condition_variable idleSignal;
    int pendingSearches = 0;
    bool searching = false;
    std::thread thread;
};

}  // namespace korvane
