// A launcher on the fake engine, in a games folder holding the emulator.
#pragma once

#include <gtest/gtest.h>

#include "app/frmVarnsel.hpp"
#include "tests/fake/fake_engine.hpp"

namespace varnsel::testing {

class LauncherTest : public ::testing::Test {
protected:
    static constexpr const char* kFolder = "C:\\Games";

    LauncherTest() {
        engine.setCurrentDirectory(kFolder);
        engine.addFile("C:\\Games\\Neorage.exe");
    }

    void start() { engine.run(form); }

    void addGames(std::initializer_list<const char*> names) {
        for (const char* name : names) engine.addDirectory(std::string(kFolder) + "\\" + name);
    }

    // Selects the entry of that name and presses "CHOSE GAME".
    void choose(const std::string& game) {
        const auto list = engine.entries("lstDirs");
        const auto at = std::find(list.begin(), list.end(), game);
        ASSERT_NE(at, list.end()) << game;
        engine.selectEntry("lstDirs", static_cast<int>(at - list.begin()));
        engine.click("cmdChoseGame");
    }

    std::string lastCommandLine() const {
        return engine.starts().empty() ? std::string("(nothing started)")
                                       : engine.starts().back().commandLine;
    }

    fake::FakeEngine engine;
    frmVarnsel form{engine};
};

}  // namespace varnsel::testing
