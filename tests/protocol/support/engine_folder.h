#pragma once

#include <filesystem>
#include <string>

#include "protocol/support/engine_process.h"

namespace korvane::protocol_test {

// A fresh temporary folder holding a link to the engine (or a copy of it), so that the
// engine looks for its weight file there. The folder is removed with everything in it at
// the end.
class EngineFolder {
public:
    // A copy is needed where the system resolves links to find the running program.
    enum Engine { kLink, kCopy };
    explicit EngineFolder(Engine engine = kLink);
    ~EngineFolder();
    EngineFolder(const EngineFolder&) = delete;
    EngineFolder& operator=(const EngineFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }
    // The engine's file name in the folder.
    std::string engineName() const { return link.filename().string(); }
    // Writes a file into the folder; returns its path.
    std::string write(const std::string& name, const std::string& content) const;
    // Starts the engine through the link, with the folder as its working directory.
    Launch launch(std::vector<std::string> args = {}) const;

private:
    std::filesystem::path folder;
    std::filesystem::path link;
};

}  // namespace korvane::protocol_test
