// The project reader's compilation database (compile_commands.json of CMake, Meson, Bear...).
#include <filesystem>
#include <nlohmann/json.hpp>
#include <unordered_set>

#include "CNvPrjFile.h"
#include "CompileCommand.h"
#include "Lang.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace lumbra {

namespace {

// The parser's message without its "[json.exception.parse_error.101] " tag.
std::string parseReason(const std::exception& e) {
    std::string_view what = e.what();
    if (what.starts_with('[')) {
        std::size_t close = what.find("] ");
        if (close != std::string_view::npos)
            what.remove_prefix(close + 2);
    }
    return std::string(what);
}

std::optional<std::string> stringMember(const json& entry, const char* key) {
    auto it = entry.find(key);
    if (it == entry.end() || !it->is_string())
        return std::nullopt;
    return it->get<std::string>();
}

// The words of an entry: its "arguments", else its "command" split as the shell would.
std::vector<std::string> entryArguments(const json& entry) {
    std::vector<std::string> words;
    if (auto it = entry.find("arguments"); it != entry.end() && it->is_array()) {
        for (const json& word : *it)
            if (word.is_string())
                words.push_back(word.get<std::string>());
        return words;
    }
    if (auto command = stringMember(entry, "command"))
        return SplitCommandLine(*command);
    return words;
}

} // namespace

bool CNvPrjFile::ReadCompileDatabase(const std::string& path) {
    begin(path);
    std::string bytes;
    if (!ReadProjectBytes(path, bytes))
        return false;
    std::unordered_set<std::string> seen;
    int incomplete = 0;
    auto take = [&](const json& entry) {
        auto file = entry.is_object() ? stringMember(entry, "file") : std::nullopt;
        if (!file || file->empty()) {
            ++incomplete;
            return;
        }
        auto directory = stringMember(entry, "directory");
        // A database written on Windows names "C:\\..." paths: they stay such, so that the
        // resolver looks for them below the database's folder.
        const std::string fileText = resolver_->ToSlashes(*file);
        const std::string dirText = directory ? resolver_->ToSlashes(*directory) : std::string();
        // The directory is absolute in every database seen; a relative one is taken against
        // the database's own folder.
        fs::path dir(dirText);
        if (!IsWindowsAbsolute(dirText) && dir.is_relative())
            dir = fs::path(folder_) / dir;
        dir = dir.lexically_normal();
        fs::path source(fileText);
        if (!IsWindowsAbsolute(fileText) && source.is_relative())
            source = dir / source;
        std::string normal = source.lexically_normal().string();
        CollectBuildDefinitions(entryArguments(entry), dir.string(), definitions_);
        // A file compiled in several configurations is listed once per configuration.
        if (seen.insert(normal).second)
            files_.push_back(resolver_->Resolve(normal));
    };
    // Each entry is taken as soon as it is parsed and then dropped, so that a database of a
    // large code base never stands in memory as a whole.
    bool list = false;
    auto entries = [&](int depth, json::parse_event_t event, json& parsed) {
        if (depth == 0 && event == json::parse_event_t::array_start)
            list = true;
        if (depth != 1 || !list)
            return true;
        if (event == json::parse_event_t::object_end || event == json::parse_event_t::value ||
            event == json::parse_event_t::array_end) {
            take(parsed);
            return false;
        }
        return true;
    };
    std::string reason;
    try {
        json::parse(bytes, entries);
        if (!list)
            reason = tr("no list of entries");
    } catch (const json::exception& e) {
        reason = parseReason(e);
    }
    if (!reason.empty()) {
        files_.clear();
        definitions_.Clear();
        notices_.push_back(
            Format(tr("%s: not a compilation database (%s)"), path.c_str(), reason.c_str()));
        return false;
    }
    if (incomplete > 0)
        notices_.push_back(
            Format(tr("%s: %d entries without a file were skipped"), path.c_str(), incomplete));
    return true;
}

} // namespace lumbra
