#include "protocol/output.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace korvane {

void Output::line(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex);
    out << text << '\n';
    out.flush();
}

void Output::write(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex);
    out << text;
    out.flush();
}

void Output::printMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text = "MESSAGE ";
    const size_t prefix = text.size();
    text.resize(prefix + size_t(std::max(length, 0)) + 1);
    std::vsnprintf(text.data() + prefix, text.size() - prefix, format, args);
    va_end(args);
    text.back() = '\n';
    write(text);
}

}  // namespace korvane
