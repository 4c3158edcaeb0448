// The POSIX run-time on a real directory, without a window: what the scan
// and PLAY get from it.
#include "platform/posix/posix_runtime.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace varnsel::platform::posix {
namespace {

class PosixRuntimeTest : public ::testing::Test {
protected:
    PosixRuntimeTest() {
        char pattern[] = "/tmp/varnsel-runtime-XXXXXX";
        root = mkdtemp(pattern);
        for (const char* dir : {"/game", "/.cache", "/\xff\xfe bytes"})
            std::filesystem::create_directory(root + dir);
        file("/notes.txt", "", 0644);
        std::filesystem::create_directory_symlink(root + "/game", root + "/link");
    }
    ~PosixRuntimeTest() override { std::filesystem::remove_all(root); }

    void file(const std::string& name, const std::string& content, mode_t mode) {
        std::ofstream(root + name, std::ios::binary) << content;
        chmod((root + name).c_str(), mode);
    }

    std::set<std::string> entries(int kinds) {
        std::set<std::string> names;
        auto entry = runtime.firstEntry(root + "/", kinds);
        for (; entry && !entry->empty(); entry = runtime.nextEntry()) names.insert(*entry);
        EXPECT_TRUE(entry) << entry.reason();
        return names;
    }

    PosixRuntime runtime;
    std::string root;
};

TEST_F(PosixRuntimeTest, EnumeratesExactBytesAndLeavesOutDotNames) {
    EXPECT_EQ(entries(kIncludeDirectories),
              (std::set<std::string>{".", "..", "game", "link", "notes.txt", "\xff\xfe bytes"}));
    EXPECT_EQ(entries(0), std::set<std::string>{"notes.txt"});
}

TEST_F(PosixRuntimeTest, AttributesOfWhatTheScanAsksAbout) {
    const struct {
        const char* name;
        int attributes;
    } cases[] = {{"/game", 16}, {"/link", 16}, {"/notes.txt", 0}, {"/.cache", 16 | 2}};
    for (const auto& c : cases) {
        const auto found = runtime.attributes(root + c.name);
        ASSERT_TRUE(found) << c.name << ": " << found.reason();
        EXPECT_EQ(*found, c.attributes) << c.name;
    }
    EXPECT_EQ(runtime.attributes(root + "/gone").reason(), "No such file or directory");
}

TEST_F(PosixRuntimeTest, EntersADirectoryAndSaysWhyNot) {
    const auto before = runtime.currentDirectory();
    ASSERT_TRUE(runtime.enterDirectory(root + "/game"));
    EXPECT_EQ(*runtime.currentDirectory(), root + "/game");
    EXPECT_EQ(runtime.enterDirectory(root + "/gone").reason(), "No such file or directory");
    ASSERT_TRUE(runtime.enterDirectory(*before));
}

TEST_F(PosixRuntimeTest, AStartTheSystemRefusesSaysWhy) {
    file("/empty", "", 0755);
    file("/windows.exe", "MZ\x90", 0755);
    const struct {
        const char* program;
        const char* reason;
    } cases[] = {{"/gone", "No such file or directory"},
                 {"/game", "it is a folder, not a program"},
                 {"/empty", "it is an empty file, not a program"},
                 {"/windows.exe", "wine-binfmt"},
                 {"/notes.txt", "Permission denied"}};
    for (const auto& c : cases) {
        const std::string program = root + c.program;
        const auto started = runtime.startProgram(program, "\"" + program + "\" -a", 1);
        ASSERT_FALSE(started) << c.program;
        EXPECT_NE(started.reason().find(c.reason), std::string::npos) << started.reason();
    }
}

}  // namespace
}  // namespace varnsel::platform::posix
