#pragma once

#include <string>

namespace korvane {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder of the executable: argument 0 up to its last separator, or the whole
// argument when it holds none.
std::string exeFolderOf(const std::string& argument0, char separator = kPathSeparator);
// The weight file to read: the one argument when exactly one was given, else
// "eval.txt" in `exeFolder`.
std::string weightFilePath(const std::string& exeFolder, int argc, char** argv,
                           char separator = kPathSeparator);

}  // namespace korvane
