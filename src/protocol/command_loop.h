#pragma once

#include <atomic>
#include <iosfwd>
#include <map>
#include <string>

#include "engine/engine.h"
#include "protocol/arguments.h"
#include "protocol/output.h"
#include "protocol/report_printer.h"
#include "protocol/search_worker.h"
#include "protocol/start_up.h"

namespace korvane {

// Reads command words and dispatches them to their handlers until END or the end of
// input, with the search worker answering move requests on its own thread.
class CommandLoop {
public:
    CommandLoop(std::istream& in, std::ostream& out,
                const EngineFlavour& flavour = korvaneFlavour());
    ~CommandLoop();

    void run();
    const AI& engineState() const { return engine.ai(); }

private:
    using Handler = void (CommandLoop::*)();
    void buildCommandTable();
    // Reads a point argument and plays it; false when it is not a free point.
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
    Engine engine;
    const std::string aboutLine;
    ReportPrinter reporter;
    std::atomic<int> running{1};
    SearchWorker worker;
    std::map<std::string, Handler> commandTable;
};

// Runs one engine session on the given streams; returns when it has shut down.
void runCommandLoop(std::istream& in, std::ostream& out);
void runCommandLoop(std::istream& in, std::ostream& out, const EngineFlavour& flavour);

}  // namespace korvane
