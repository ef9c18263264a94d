#include "protocol/exe_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <vector>

namespace korvane {

std::string exeFolderOf(const std::string& argument0, char separator) {
    const size_t cut = argument0.rfind(separator);
    return cut == std::string::npos ? argument0 : argument0.substr(0, cut);
}

std::string runningExecutablePath() {
#if defined(_WIN32)
    std::vector<wchar_t> wide(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, wide.data(), DWORD(wide.size()));
        if (n == 0) return "";
        if (n < wide.size()) {
            wide.resize(n);
            break;
        }
        wide.resize(wide.size() * 2);  // truncated: try a larger buffer
    }
    // The weight file is opened by a narrow path, which Windows reads in the ANSI code
    // page; a folder that page cannot spell could not be opened, so it counts as unknown.
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                         int(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return "";
    std::string path(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), path.data(),
                        size, nullptr, nullptr);
    return path;
#elif defined(__linux__)
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n <= 0) return "";
        if (size_t(n) < buffer.size()) return std::string(buffer.data(), size_t(n));
        buffer.resize(buffer.size() * 2);  // possibly truncated: try a larger buffer
    }
#else
    return "";
#endif
}

std::string exeFolder(const std::string& argument0) {
    if (argument0.find(kPathSeparator) == std::string::npos) {
        const std::string path = runningExecutablePath();
        if (path.find(kPathSeparator) != std::string::npos) return exeFolderOf(path);
    }
    return exeFolderOf(argument0);
}

std::string weightFilePath(const std::string& exeFolder, int argc, char** argv, char separator) {
    std::string path = argc == 2 ? argv[1] : "";
    if (path.empty()) path = exeFolder + separator + "eval.txt";
    return path;
}

}  // namespace korvane
