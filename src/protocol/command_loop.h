#pragma once

#include <atomic>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include "engine/ai.h"
#include "protocol/arguments.h"
#include "protocol/output.h"
#include "protocol/report_printer.h"
#include "protocol/search_worker.h"

namespace korvane {

// Reads command words and dispatches them to their handlers until END or the end of
// input, with the search worker answering move requests on its own thread.
class CommandLoop {
public:
    CommandLoop(std::istream& in, std::ostream& out);
    ~CommandLoop();

    void run();
    const AI& engineState() const { return *engine; }

private:
    using Handler = void (CommandLoop::*)();
    void buildCommandTable();
    // True when wire point (x, y) is on the board and empty.
    bool acceptable(int x, int y) const;
    void playWire(int x, int y) { engine->makeMove(x + kBorder, y + kBorder); }
    // Reads a point argument and plays it when acceptable; false when it is not.
    bool playArgumentPoint();

    // Game commands.
    void start();
    void restart();
    void takeback();
    void begin();
    void turn();
    void board();
    void play();
    void end();
    void about();
    // Manager settings.
    void info();
    void setMaxMemory(int bytes);
    void setRule(int rule);
    // Diagnostics.
    void setEvals();
    void getEvals();
    void setDepth();
    void isWin();
    void showBoardCommand();
    void vct();
    void evalFix();
    void isShowMessage();

    Arguments args;
    Output output;
    std::unique_ptr<AI> engine;
    ReportPrinter reporter;
    std::atomic<int> running{1};
    SearchWorker worker;
    std::map<std::string, Handler> commandTable;
};

// Runs one engine session on the given streams; returns when it has shut down.
void runCommandLoop(std::istream& in, std::ostream& out);

}  // namespace korvane
