#pragma once

#include <mutex>
#include <ostream>
#include <string_view>

namespace korvane {

// The one writer of the engine's output. Both threads write through it; each call
// emits its whole text under the lock and flushes, so lines never interleave.
class Output {
public:
    explicit Output(std::ostream& stream) : out(stream) {}

    // One reply line: the text, a line end, a flush.
    void line(std::string_view text);
    // Text as it is (pictures, progress), flushed.
    void write(std::string_view text);
    // An informational line: "MESSAGE ", the printf-formatted text, a line end.
    void printMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    std::mutex mutex;
    std::ostream& out;
};

}  // namespace korvane
