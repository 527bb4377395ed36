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
    json database;
    try {
        database = json::parse(bytes);
    } catch (const json::exception& e) {
        notices_.push_back(Format(tr("%s: not a compilation database (%s)"), path.c_str(),
                                  parseReason(e).c_str()));
        return false;
    }
    if (!database.is_array()) {
        notices_.push_back(Format(tr("%s: not a compilation database (%s)"), path.c_str(),
                                  tr("no list of entries")));
        return false;
    }
    std::unordered_set<std::string> seen;
    int incomplete = 0;
    for (const json& entry : database) {
        if (!entry.is_object()) {
            ++incomplete;
            continue;
        }
        auto file = stringMember(entry, "file");
        auto directory = stringMember(entry, "directory");
        if (!file || file->empty()) {
            ++incomplete;
            continue;
        }
        // The directory is absolute in every database seen; a relative one is taken against
        // the database's own folder.
        fs::path dir = directory ? fs::path(*directory) : fs::path();
        if (dir.is_relative())
            dir = fs::path(folder_) / dir;
        dir = dir.lexically_normal();
        fs::path source(*file);
        if (source.is_relative())
            source = dir / source;
        std::string normal = source.lexically_normal().string();
        CollectBuildDefinitions(entryArguments(entry), dir.string(), definitions_);
        // A file compiled in several configurations is listed once per configuration.
        if (!seen.insert(normal).second)
            continue;
        files_.push_back(resolver_->Resolve(normal));
    }
    if (incomplete > 0)
        notices_.push_back(
            Format(tr("%s: %d entries without a file were skipped"), path.c_str(), incomplete));
    return true;
}

} // namespace lumbra
