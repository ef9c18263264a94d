// libFuzzer target: arbitrary bytes as the input of a whole protocol session, run
// in-process. After every input the engine's derived state must agree with its stones
// and every output line must be one of the engine's reply forms; crashes, sanitizer
// reports and hangs (libFuzzer's -timeout) are found by the fuzzer itself.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/session_check.h"

namespace {
char scratchFolder[] = "/tmp/korvane-fuzz-XXXXXX";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A scratch folder as working directory, in case anything writes files there; it is
    // removed at exit when it stayed empty.
    if (!mkdtemp(scratchFolder) || chdir(scratchFolder) != 0) std::abort();
    std::atexit([] { rmdir(scratchFolder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const korvane::fuzz::SessionResult result = korvane::fuzz::runSession(input);
    bool failed = false;
    if (!result.consistent) {
        std::fprintf(stderr, "engine state does not agree with its stones\n");
        failed = true;
    }
    if (!result.endsWithLineEnd) {
        std::fprintf(stderr, "output ends inside a line\n");
        failed = true;
    }
    for (const std::string& line : result.badLines) {
        std::fprintf(stderr, "unknown output line: \"%s\"\n", line.c_str());
        failed = true;
    }
    if (failed) std::abort();
    return 0;
}
