// A launcher in the fake window, on a fake file system whose games folder
// holds the emulator.
#pragma once

#include <gtest/gtest.h>

#include "app/frmVarnsel.hpp"
#include "tests/fake/fake_window.hpp"

namespace varnsel::testing {

class LauncherTest : public ::testing::Test {
protected:
    static constexpr const char* kFolder = "C:\\Games";

    LauncherTest() {
        files.setCurrentDirectory(kFolder);
        files.addFile("C:\\Games\\Neorage.exe");
    }

    void start() { window.run(form); }

    void addGames(std::initializer_list<const char*> names) {
        for (const char* name : names) files.addDirectory(std::string(kFolder) + "\\" + name);
    }

    // Selects the entry of that name and presses "CHOSE GAME".
    void choose(const std::string& game) {
        const auto list = window.entries("lstDirs");
        const auto at = std::find(list.begin(), list.end(), game);
        ASSERT_NE(at, list.end()) << game;
        window.selectEntry("lstDirs", static_cast<int>(at - list.begin()));
        window.click("cmdChoseGame");
    }

    std::string lastCommandLine() const {
        return files.starts().empty() ? std::string("(nothing started)")
                                      : files.starts().back().commandLine;
    }

    fake::FakeWindow window;
    fake::FakeFiles files;
    frmVarnsel form{window, files};
};

}  // namespace varnsel::testing
