// Expansion of folders into source files.
#include "InputCollector.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "GitIgnoreFilter.h"
#include "Lang.h"
#include "ProjectPath.h"

namespace fs = std::filesystem;

namespace lumbra {

namespace {

// Every file of a known kind below `folder`, in sorted path order; false (with a message) when
// the folder cannot be listed or holds more than `limit` of them.
bool collectFolder(const std::string& folder, const ExtensionTable& table, std::size_t limit,
                   std::vector<std::string>& found, std::string& error) {
    std::error_code ec;
    // Links to folders are not followed (the iterator's default), so a link loop ends.
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec),
        end;
    if (ec) {
        error = folder + ": " + ec.message();
        return false;
    }
    const GitIgnoreFilter ignore(folder);
    const fs::path base(folder);
    auto relative = [&base](const fs::path& path) {
        return path.lexically_relative(base).generic_string();
    };
    for (; it != end; it.increment(ec)) {
        if (ec) {
            error = folder + ": " + ec.message();
            return false;
        }
        std::error_code ec2;
        if (it->is_directory(ec2) && !it->is_symlink(ec2)) {
            // ".git", ".svn", ".vs" and the like hold no sources of the project.
            if (it->path().filename().string().starts_with('.') ||
                (ignore.InWorkTree() && ignore.Ignored(relative(it->path()))))
                it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(ec2))
            continue;
        std::string path = it->path().string();
        if (LookupExtension(table, path) == 0)
            continue;
        if (ignore.InWorkTree() && ignore.Ignored(relative(it->path())))
            continue;
        if (found.size() >= limit) {
            error = Format(tr("%s: more than %d files of known kinds below this folder; choose a "
                              "smaller one"),
                           folder.c_str(), static_cast<int>(limit));
            found.clear();
            return false;
        }
        found.push_back(std::move(path));
    }
    std::sort(found.begin(), found.end());
    return true;
}

} // namespace

CollectedInput CollectInputs(const std::vector<std::string>& paths, const ExtensionTable& table,
                             std::size_t folderLimit) {
    CollectedInput out;
    for (const std::string& given : paths) {
        std::error_code ec;
        fs::file_status st = fs::status(given, ec);
        if (ec || !fs::exists(st)) {
            out.errors.push_back(given + ": " + (ec ? ec.message() : std::strerror(ENOENT)));
            continue;
        }
        if (!fs::is_directory(st)) {
            out.files.push_back(given);
            continue;
        }
        std::vector<std::string> found;
        std::string error;
        if (!collectFolder(given, table, folderLimit, found, error))
            out.errors.push_back(std::move(error));
        out.files.insert(out.files.end(), found.begin(), found.end());
    }
    return out;
}

} // namespace lumbra
