// Where the program's bundled data lives.
#include "DataDirectory.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lumbra {
namespace {

constexpr const char* kManual = "help/index.html";
constexpr const char* kJapaneseManual = "help/index-ja.html";

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

std::vector<std::string> DataDirectoryCandidates(const std::string& programPath) {
    std::vector<std::string> out;
    if (!programPath.empty()) {
        const fs::path dir = fs::path(programPath).parent_path();
        out.push_back((dir.parent_path() / "share" / "lumbra32").lexically_normal().string());
    }
#ifdef LUMBRA_BUILD_DATA_DIR
    out.push_back(LUMBRA_BUILD_DATA_DIR);
#endif
    return out;
}

std::string DataDirectory(const std::string& programPath) {
    for (const std::string& dir : DataDirectoryCandidates(programPath))
        if (isFile(fs::path(dir) / kManual))
            return dir;
    return {};
}

std::string HelpManualPath(const std::string& programPath, bool japanese) {
    const std::string dir = DataDirectory(programPath);
    if (dir.empty())
        return {};
    if (japanese && isFile(fs::path(dir) / kJapaneseManual))
        return (fs::path(dir) / kJapaneseManual).string();
    return (fs::path(dir) / kManual).string();
}

std::string HelpAnchor(int commandId) {
    return "cmd-" + std::to_string(commandId);
}

} // namespace lumbra
