// A scratch folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumbra::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file below the folder (creating sub-folders) and returns its full path.
    std::string write(const std::string& relative, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// The bytes of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

// Runs a command through /bin/sh, capturing stdout and stderr separately.
struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::string& command);

} // namespace lumbra::test
