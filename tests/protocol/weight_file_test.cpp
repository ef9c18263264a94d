#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <optional>

#include "protocol/support/engine_folder.h"
#include "protocol/support/session.h"

namespace korvane::protocol_test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kRead = "MESSAGE READ CFG OK.";
constexpr const char* kNotRead = "MESSAGE READ CFG False.";
constexpr const char* kDefaults = "0 0 1 2 4 12 15 21 ";

// The start-up line and the weights that GET_EVALS shows afterwards.
Lines weightsAtStart(const Launch& launch) {
    const ScriptResult result = runScript("GET_EVALS\n", launch);
    EXPECT_EQ(result.exitCode, 0);
    return result.lines;
}

TEST(WeightFile, TheDefaultFileLiesBesideTheProgram) {
    EngineFolder folder;
    EXPECT_EQ(weightsAtStart(folder.launch()), (Lines{kNotRead, kDefaults}));
    folder.write("eval.txt", "");
    EXPECT_EQ(weightsAtStart(folder.launch()), (Lines{kRead, kDefaults}));
    folder.write("eval.txt", "5 7");
    // Found beside the program, not in the working directory.
    Launch elsewhere = folder.launch();
    elsewhere.workDir = folder.path().parent_path().string();
    EXPECT_EQ(weightsAtStart(elsewhere), (Lines{kRead, "5 7 1 2 4 12 15 21 "}));
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* variable, const std::string& value) : name(variable) {
        if (const char* old = getenv(name)) saved = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { saved ? setenv(name, saved->c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    std::optional<std::string> saved;
};

TEST(WeightFile, StartedByBareNameTheFileBesideTheProgramIsRead) {
    // Argument 0 is then the name alone, without a folder to cut from it. A link would
    // lead the system to the build folder, so the folder holds a copy.
    EngineFolder folder(EngineFolder::kCopy);
    folder.write("eval.txt", "5 7");
    const std::string where = folder.path().string();
    std::string searchPath = where;
    if (const char* path = getenv("PATH")) searchPath.append(":").append(path);
    const ScopedVariable pathFirst("PATH", searchPath);
    // Wine looks for a bare name on a search path of its own, in its own form of paths.
    std::string wineForm = "Z:" + where;
    std::replace(wineForm.begin(), wineForm.end(), '/', '\\');
    const ScopedVariable winePath("WINEPATH", wineForm);
    Launch bare = folder.launch();
    bare.executable = folder.engineName();
    bare.workDir = folder.path().parent_path().string();
    EXPECT_EQ(weightsAtStart(bare), (Lines{kRead, "5 7 1 2 4 12 15 21 "}));
}

TEST(WeightFile, OnlyASingleArgumentNamesTheFile) {
    EngineFolder folder;
    folder.write("eval.txt", "5 7");
    const std::string other = folder.write("other.txt", "9 8");
    EXPECT_EQ(weightsAtStart(folder.launch({"other.txt"})), (Lines{kRead, "9 8 1 2 4 12 15 21 "}));
    EXPECT_EQ(weightsAtStart(folder.launch({other})), (Lines{kRead, "9 8 1 2 4 12 15 21 "}));
    // A missing file keeps the defaults: the default file is not tried instead.
    EXPECT_EQ(weightsAtStart(folder.launch({"missing.txt"})), (Lines{kNotRead, kDefaults}));
    // No argument, an empty one, or two: the default file.
    EXPECT_EQ(weightsAtStart(folder.launch({""})), (Lines{kRead, "5 7 1 2 4 12 15 21 "}));
    EXPECT_EQ(weightsAtStart(folder.launch({"other.txt", "missing.txt"})),
              (Lines{kRead, "5 7 1 2 4 12 15 21 "}));
}

TEST(WeightFile, ReadingStopsAtTheFirstTokenThatIsNoNumber) {
    EngineFolder folder;
    const std::pair<const char*, const char*> cases[] = {
        {"3 x 9", "3 0 1 2 4 12 15 21 "},
        {"1 99999999999 5", "1 2147483647 1 2 4 12 15 21 "},
        {"-99999999999 5", "-2147483648 0 1 2 4 12 15 21 "},
        {"1 2 3 4 5 6 7 8 9 10 11 12", "1 2 3 4 5 6 7 8 "},
        {"1\n2\t3\r\n4  5\n\n6\n7 8", "1 2 3 4 5 6 7 8 "},
        {"1 2,3", "1 2 0 2 4 12 15 21 "},
    };
    for (const auto& [content, weights] : cases) {
        folder.write("eval.txt", content);
        EXPECT_EQ(weightsAtStart(folder.launch()), (Lines{kRead, weights})) << content;
    }
}

TEST(WeightFile, ExtremeWeightsLeaveAWorkingSearch) {
    EngineFolder folder;
    folder.write("eval.txt", "-2147483648 2147483647 1 2 4 12 15 21 2147483647 -2147483648");
    const ScriptResult result =
        runScript("INFO TIMEOUT_TURN 30\nIS_SHOW_MESSAGE 0\nTURN 7,7\nBOARD\n7,7\n8,9\n9,7\nDONE\n",
                  folder.launch());
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0], kRead);
    EXPECT_TRUE(parseMove(result.lines[1])) << result.lines[1];
    EXPECT_TRUE(parseMove(result.lines[2])) << result.lines[2];
}

}  // namespace
}  // namespace korvane::protocol_test
