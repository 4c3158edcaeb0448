#include "tests/fake/fake_files.hpp"

namespace varnsel::fake {
namespace {

using platform::Result;

const char* kPathNotFound = "The system cannot find the path specified.";
const char* kFileNotFound = "The system cannot find the file specified.";

}  // namespace

Result<std::string> FakeFiles::currentDirectory() {
    if (currentDirectoryFailure_) return Result<std::string>::failure(*currentDirectoryFailure_);
    return Result<std::string>::ok(currentDirectory_);
}

Result<platform::Done> FakeFiles::enterDirectory(std::string_view path) {
    const auto node = nodes_.find(normalize(path));
    if (node == nodes_.end() || !node->second.directory || node->second.vanished)
        return Result<platform::Done>::failure(kPathNotFound);
    currentDirectory_ = normalize(path);
    return Result<platform::Done>::ok({});
}

Result<std::string> FakeFiles::firstEntry(std::string_view pattern, int kinds) {
    if (pattern.empty() || pattern.back() != separator_) {
        throw EngineFault("only patterns that end in the separator are supported");
    }
    enumeration_.clear();
    enumerationAt_ = 0;
    enumerationFailure_.reset();
    const std::string directory = normalize(pattern);
    const auto node = nodes_.find(directory);
    if (node == nodes_.end() || !node->second.directory) {
        return Result<std::string>::failure(kPathNotFound);
    }
    if (parentOf(directory) != directory) enumeration_ = {".", ".."};
    for (const std::string& name : node->second.children) {
        const Node& child = nodes_.at(
            directory + (directory.back() == separator_ ? "" : std::string(1, separator_)) + name);
        if (child.hidden || child.system) continue;
        if (child.directory && (kinds & platform::kIncludeDirectories) == 0) continue;
        enumeration_.push_back(name);
    }
    if (const auto failure = enumerationFailures_.find(directory);
        failure != enumerationFailures_.end()) {
        enumerationFailure_ = failure->second;
    }
    return nextEntry();
}

Result<std::string> FakeFiles::nextEntry() {
    if (enumerationFailure_ && static_cast<int>(enumerationAt_) == enumerationFailure_->after) {
        return Result<std::string>::failure(enumerationFailure_->reason);
    }
    if (enumerationAt_ >= enumeration_.size()) return Result<std::string>::ok("");
    return Result<std::string>::ok(enumeration_[enumerationAt_++]);
}

Result<int> FakeFiles::attributes(std::string_view path) {
    const auto node = nodes_.find(normalize(path));
    if (node == nodes_.end() || node->second.vanished) return Result<int>::failure(kFileNotFound);
    const Node& n = node->second;
    return Result<int>::ok((n.directory ? 16 : 32) | (n.hidden ? 2 : 0) | (n.system ? 4 : 0));
}

Result<platform::Done> FakeFiles::startProgram(std::string_view program,
                                               std::string_view commandLine, int windowStyle) {
    if (startFailure_) return Result<platform::Done>::failure(*startFailure_);
    const auto node = nodes_.find(normalize(program));
    if (node == nodes_.end() || node->second.directory || node->second.vanished) {
        return Result<platform::Done>::failure(kFileNotFound);
    }
    starts_.push_back(
        {std::string(program), std::string(commandLine), windowStyle, currentDirectory_});
    return Result<platform::Done>::ok({});
}

// --- The directory tree ----------------------------------------------------

// Runs of separators fold into one, as the system reads them; no trailing
// separator except at a root ("C:\" or "/").
std::string FakeFiles::normalize(std::string_view path) const {
    std::string out;
    for (char c : path) {
        if (c == separator_ && !out.empty() && out.back() == separator_) continue;
        out += c;
    }
    if (out.size() > 1 && out.back() == separator_) out.pop_back();
    if (separator_ == '\\' && out.size() == 2 && out[1] == ':') out += '\\';
    return out;
}

std::string FakeFiles::parentOf(const std::string& path) const {
    const std::size_t at = path.rfind(separator_);
    if (at == std::string::npos || at + 1 == path.size()) return path;  // a root
    return normalize(path.substr(0, at + 1));
}

std::string FakeFiles::nameOf(const std::string& path) const {
    return path.substr(path.rfind(separator_) + 1);
}

void FakeFiles::addNode(const std::string& path, bool directory, bool hidden, bool system) {
    const std::string full = normalize(path);
    const std::string parent = parentOf(full);
    if (parent != full) {
        if (!nodes_.count(parent)) addNode(parent, true, false, false);
        if (!nodes_.count(full)) nodes_[parent].children.push_back(nameOf(full));
    }
    Node& node = nodes_[full];
    node.directory = directory;
    node.hidden = hidden;
    node.system = system;
}

void FakeFiles::addDirectory(const std::string& path, bool hidden, bool system) {
    addNode(path, true, hidden, system);
}

void FakeFiles::addFile(const std::string& path, bool hidden, bool system) {
    addNode(path, false, hidden, system);
}

void FakeFiles::vanish(const std::string& path) {
    nodes_.at(normalize(path)).vanished = true;
}

void FakeFiles::failEnumeration(const std::string& directory, int after, std::string reason) {
    enumerationFailures_[normalize(directory)] = {after, std::move(reason)};
}

}  // namespace varnsel::fake
