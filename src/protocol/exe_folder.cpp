#include "protocol/exe_folder.h"

namespace korvane {

std::string exeFolderOf(const std::string& argument0, char separator) {
    const size_t cut = argument0.rfind(separator);
    return cut == std::string::npos ? argument0 : argument0.substr(0, cut);
}

std::string weightFilePath(const std::string& exeFolder, int argc, char** argv, char separator) {
    std::string path = argc == 2 ? argv[1] : "";
    if (path.empty()) path = exeFolder + separator + "eval.txt";
    return path;
}

}  // namespace korvane
