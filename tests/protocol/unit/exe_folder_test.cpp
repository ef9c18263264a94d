#include "protocol/exe_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

// Calls weightFilePath with a command line built from `words` (argument 0 first).
std::string pathFor(const std::string& folder, std::vector<std::string> words, char separator) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return weightFilePath(folder, static_cast<int>(words.size()), argv.data(), separator);
}

TEST(ExeFolder, CutsAtTheLastSeparatorOfEachPlatform) {
    EXPECT_EQ(exeFolderOf(R"(C:\engines\korvane\pbrain-korvane64.exe)", '\\'),
              R"(C:\engines\korvane)");
    EXPECT_EQ(exeFolderOf("/opt/engines/pbrain-korvane", '/'), "/opt/engines");
    // Only the platform's own separator cuts.
    EXPECT_EQ(exeFolderOf(R"(Z:\tmp/a\b/pbrain.exe)", '\\'), R"(Z:\tmp/a)");
    EXPECT_EQ(exeFolderOf(R"(/tmp/a\b)", '/'), "/tmp");
}

TEST(ExeFolder, WithoutSeparatorTheWholeArgumentIsTheFolder) {
    EXPECT_EQ(exeFolderOf("pbrain-korvane64.exe", '\\'), "pbrain-korvane64.exe");
    EXPECT_EQ(exeFolderOf("C:/engines/pbrain.exe", '\\'), "C:/engines/pbrain.exe");
    EXPECT_EQ(exeFolderOf("", '/'), "");
}

TEST(WeightFilePath, DefaultFileSitsInTheFolderWithThePlatformSeparator) {
    const std::string exe = R"(C:\engines\pbrain-korvane64.exe)";
    EXPECT_EQ(pathFor(R"(C:\engines)", {exe}, '\\'), R"(C:\engines\eval.txt)");
    EXPECT_EQ(pathFor("/opt/engines", {"/opt/engines/pbrain-korvane"}, '/'),
              "/opt/engines/eval.txt");
    EXPECT_EQ(pathFor("pbrain-korvane64.exe", {"pbrain-korvane64.exe"}, '\\'),
              R"(pbrain-korvane64.exe\eval.txt)");
}

TEST(WeightFilePath, OnlyASingleNonEmptyArgumentNamesTheFile) {
    EXPECT_EQ(pathFor(R"(C:\e)", {"exe", R"(D:\w\mine.txt)"}, '\\'), R"(D:\w\mine.txt)");
    EXPECT_EQ(pathFor(R"(C:\e)", {"exe", ""}, '\\'), R"(C:\e\eval.txt)");
    EXPECT_EQ(pathFor("/e", {"exe", "a.txt", "b.txt"}, '/'), "/e/eval.txt");
}

}  // namespace
}  // namespace korvane
