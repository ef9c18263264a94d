#include "protocol/support/engine_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

namespace korvane::protocol_test {

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int remainingMs(long long deadline) {
    const long long left = deadline - nowMs();
    return left > 0 ? int(left) : 0;
}

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// A write to an engine that has already exited must fail, not kill the test process.
void ignoreBrokenPipes() {
    static const bool done = [] {
        signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)done;
}

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execEngine(int input, int output, const char* workDir, char* const* argv) {
    if (dup2(input, STDIN_FILENO) < 0 || dup2(output, STDOUT_FILENO) < 0) _exit(126);
    if (workDir != nullptr && chdir(workDir) != 0) _exit(126);
    execvp(argv[0], argv);
    _exit(127);
}

// KORVANE_ENGINE_CMD split at whitespace, else the built engine alone.
std::vector<std::string> engineCommand() {
    std::vector<std::string> command;
    if (const char* text = std::getenv("KORVANE_ENGINE_CMD")) {
        std::istringstream words(text);
        for (std::string word; words >> word;) command.push_back(word);
    }
    if (command.empty()) command.push_back(KORVANE_ENGINE_PATH);
    return command;
}

}  // namespace

std::string engineExecutable() {
    return engineCommand().back();
}

EngineProcess::EngineProcess(const Launch& launch) {
    ignoreBrokenPipes();
    std::vector<std::string> command = engineCommand();
    if (!launch.executable.empty()) command.back() = launch.executable;
    command.insert(command.end(), launch.args.begin(), launch.args.end());
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);

    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "cannot create pipes";
        return;
    }
    const char* workDir = launch.workDir.empty() ? nullptr : launch.workDir.c_str();
    pid = fork();
    if (pid == 0) execEngine(input[0], output[1], workDir, argv.data());
    close(input[0]);
    close(output[1]);
    toEngine = input[1];
    fromEngine = output[0];
    // Partial writes let send() read the output in between.
    fcntl(toEngine, F_SETFL, O_NONBLOCK);
    if (pid < 0) {
        ADD_FAILURE() << "cannot start " << command.front();
        closeInput();
        closeFd(fromEngine);
    }
}

EngineProcess::~EngineProcess() {
    closeInput();
    closeFd(fromEngine);
    if (pid > 0) kill();
}

void EngineProcess::send(const std::string& line) {
    write(line + "\n");
}

void EngineProcess::write(const std::string& data) {
    size_t written = 0;
    const long long deadline = nowMs() + kDefaultTimeoutMs;
    while (written < data.size()) {
        pollfd fds[2] = {{toEngine, POLLOUT, 0}, {fromEngine, POLLIN, 0}};
        const int fdCount = outputEnded ? 1 : 2;
        if (poll(fds, fdCount, remainingMs(deadline)) <= 0) {
            ADD_FAILURE() << "the engine does not read its input";
            return;
        }
        if (fdCount == 2 && fds[1].revents != 0) readSome(nowMs());
        if (fds[0].revents == 0) continue;
        const ssize_t n = ::write(toEngine, data.data() + written, data.size() - written);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) {
            ADD_FAILURE() << "the engine closed its input";
            return;
        }
        written += size_t(n);
    }
}

void EngineProcess::closeInput() {
    closeFd(toEngine);
}

bool EngineProcess::readSome(long long deadline) {
    if (outputEnded) return false;
    pollfd fd = {fromEngine, POLLIN, 0};
    const int ready = poll(&fd, 1, remainingMs(deadline));
    if (ready < 0 && errno == EINTR) return true;
    if (ready <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(fromEngine, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
        outputEnded = true;
        return false;
    }
    pending.append(buffer, size_t(n));
    return true;
}

bool EngineProcess::takeLine(std::string& line) {
    const size_t end = pending.find('\n');
    if (end == std::string::npos) return false;
    line = pending.substr(0, end);
    pending.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool EngineProcess::readLine(std::string& line, int timeoutMs) {
    const long long deadline = nowMs() + timeoutMs;
    while (!takeLine(line)) {
        if (!readSome(deadline)) {
            if (outputEnded && pending.empty()) return false;
            // A last line without its line end still counts as a line.
            if (outputEnded) {
                pending += '\n';
                continue;
            }
            ADD_FAILURE() << "no output line within " << timeoutMs << " ms; so far: " << pending;
            return false;
        }
    }
    return true;
}

std::vector<std::string> EngineProcess::readAll(int timeoutMs) {
    const long long deadline = nowMs() + timeoutMs;
    std::vector<std::string> lines;
    for (std::string line; readLine(line, remainingMs(deadline));) lines.push_back(line);
    return lines;
}

int EngineProcess::waitExit(int timeoutMs) {
    if (pid <= 0) return -1;
    const long long deadline = nowMs() + timeoutMs;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || nowMs() >= deadline) break;
        // Keep draining the output so that an engine writing a lot can finish.
        if (!readSome(std::min(deadline, nowMs() + 10))) usleep(1000);
    }
    ADD_FAILURE() << "the engine did not exit within " << timeoutMs << " ms";
    kill();
    return -1;
}

void EngineProcess::kill() {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

ScriptResult runScript(const std::string& input, const Launch& launch) {
    EngineProcess engine(launch);
    ScriptResult result;
    engine.write(input);
    engine.closeInput();
    result.lines = engine.readAll();
    result.exitCode = engine.waitExit();
    return result;
}

}  // namespace korvane::protocol_test
