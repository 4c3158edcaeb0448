// An in-memory run-time for the logic's tests: a Windows-like directory tree
// (drive roots, hidden and system flags), recorded program starts, and
// failures that a test can inject.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime.hpp"

namespace varnsel::fake {

struct Start {
    std::string program;
    std::string commandLine;
    int windowStyle;
    std::string workingDirectory;
};

// A misuse that a real engine or run-time would refuse (focus to a hidden
// control, a click on one, an unsupported pattern): a fault in the code
// under test.
struct EngineFault : std::logic_error {
    using std::logic_error::logic_error;
};

class FakeFiles : public platform::Runtime {
public:
    char pathSeparator() const override { return separator_; }
    platform::Result<std::string> currentDirectory() override;
    platform::Result<platform::Done> enterDirectory(std::string_view path) override;
    platform::Result<std::string> firstEntry(std::string_view pattern, int kinds) override;
    platform::Result<std::string> nextEntry() override;
    platform::Result<int> attributes(std::string_view path) override;
    platform::Result<platform::Done> startProgram(std::string_view program,
                                                  std::string_view commandLine,
                                                  int windowStyle) override;

    // --- The directory tree (paths with "\", drive roots like "C:\") ---
    void setCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
    void addDirectory(const std::string& path, bool hidden = false, bool system = false);
    void addFile(const std::string& path, bool hidden = false, bool system = false);
    // The entry stays in its directory's listing but has no attributes any
    // more, as if removed between the enumeration and the attribute read.
    void vanish(const std::string& path);
    void setSeparator(char separator) { separator_ = separator; }

    // --- Injected failures ---
    void failCurrentDirectory(std::string reason) { currentDirectoryFailure_ = std::move(reason); }
    // The enumeration of `directory` fails after returning `after` names.
    void failEnumeration(const std::string& directory, int after, std::string reason);
    void failStarts(std::string reason) { startFailure_ = std::move(reason); }

    const std::vector<Start>& starts() const { return starts_; }

private:
    struct Node {
        bool directory = false;
        bool hidden = false;
        bool system = false;
        bool vanished = false;
        std::vector<std::string> children;  // bare names, in creation order
    };
    struct EnumerationFailure {
        int after;
        std::string reason;
    };

    std::string normalize(std::string_view path) const;
    std::string parentOf(const std::string& path) const;
    std::string nameOf(const std::string& path) const;
    void addNode(const std::string& path, bool directory, bool hidden, bool system);

    std::vector<Start> starts_;
    char separator_ = '\\';
    std::string currentDirectory_ = "C:\\";
    std::optional<std::string> currentDirectoryFailure_;
    std::optional<std::string> startFailure_;
    std::map<std::string, Node> nodes_;
    std::map<std::string, EnumerationFailure> enumerationFailures_;
    std::vector<std::string> enumeration_;
    std::size_t enumerationAt_ = 0;
    std::optional<EnumerationFailure> enumerationFailure_;
};

}  // namespace varnsel::fake
