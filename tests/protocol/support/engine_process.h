#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace korvane::protocol_test {

// Waits long enough for a slow sanitizer build, short enough that a hung engine fails
// the test instead of the whole suite.
inline constexpr int kDefaultTimeoutMs = 30000;

// How to start the engine.
struct Launch {
    std::vector<std::string> args;  // the arguments after the program
    std::string workDir;            // empty: the test's own working directory
    std::string executable;         // empty: the built engine; else a path that stands for it
};

// The engine program: the last word of the engine's command line, which is
// KORVANE_ENGINE_CMD split at whitespace when it is set (for a launcher such as wine in
// front of the program), else the path of the built engine.
std::string engineExecutable();

// The engine as a child process, its standard input and output connected to pipes.
// Standard error is inherited, so sanitizer reports reach the test log.
class EngineProcess {
public:
    explicit EngineProcess(const Launch& launch = {});
    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // Writes the line and a line end.
    void send(const std::string& line);
    // Writes the bytes as they are. Output arriving meanwhile is kept for readLine, so an
    // engine that writes a lot never blocks the writer.
    void write(const std::string& data);
    // Ends the engine's input.
    void closeInput();
    // The next output line without its line end ("\n" or "\r\n"); false at the end of
    // the output or when no complete line came within the time (the test then fails).
    bool readLine(std::string& line, int timeoutMs = kDefaultTimeoutMs);
    // Every remaining output line, up to the end of the output.
    std::vector<std::string> readAll(int timeoutMs = kDefaultTimeoutMs);
    // The exit code (128 + signal number after a signal). An engine still running after
    // the time is killed, the test fails and the result is -1.
    int waitExit(int timeoutMs = kDefaultTimeoutMs);

private:
    // Reads what the engine has written within the time into `pending`; false at the end
    // of the output or after the time.
    bool readSome(long long deadline);
    bool takeLine(std::string& line);
    void kill();

    pid_t pid = -1;
    int toEngine = -1;
    int fromEngine = -1;
    bool outputEnded = false;
    std::string pending;
};

struct ScriptResult {
    std::vector<std::string> lines;
    int exitCode = -1;
};

// Runs the engine on the whole input at once: writes it, closes the input, reads the
// output to its end and waits for the exit.
ScriptResult runScript(const std::string& input, const Launch& launch = {});

}  // namespace korvane::protocol_test
