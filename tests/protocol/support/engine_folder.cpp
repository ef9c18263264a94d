#include "protocol/support/engine_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

namespace korvane::protocol_test {

namespace fs = std::filesystem;

EngineFolder::EngineFolder(Engine engine) {
    std::string pattern = (fs::temp_directory_path() / "korvane-protocol-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a folder from " << pattern;
        return;
    }
    folder = pattern;
    const fs::path program = fs::absolute(engineExecutable());
    link = folder / program.filename();
    if (engine == kCopy)
        fs::copy_file(program, link);
    else
        fs::create_symlink(program, link);
}

EngineFolder::~EngineFolder() {
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
}

std::string EngineFolder::write(const std::string& name, const std::string& content) const {
    const fs::path file = folder / name;
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
}

Launch EngineFolder::launch(std::vector<std::string> args) const {
    return {std::move(args), folder.string(), link.string()};
}

}  // namespace korvane::protocol_test
