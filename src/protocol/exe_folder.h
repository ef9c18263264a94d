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
// The path of the running executable as the system reports it; empty when it cannot
// tell.
std::string runningExecutablePath();
// The folder the default weight file is looked for in. A program started by its bare name
// (found through PATH) has no folder in argument 0, so the system is asked instead.
std::string exeFolder(const std::string& argument0);
// The weight file to read: the one argument when exactly one was given, else
// "eval.txt" in `exeFolder`.
std::string weightFilePath(const std::string& exeFolder, int argc, char** argv,
                           char separator = kPathSeparator);

}  // namespace korvane
