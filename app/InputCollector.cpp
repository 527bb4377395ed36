// Expansion of folders into source files.
#include "InputCollector.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace lumbra {

CollectedInput CollectInputs(const std::vector<std::string>& paths, const ExtensionTable& table) {
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
        auto options = fs::directory_options::skip_permission_denied;
        fs::recursive_directory_iterator it(given, options, ec), end;
        if (ec) {
            out.errors.push_back(given + ": " + ec.message());
            continue;
        }
        for (; it != end; it.increment(ec)) {
            if (ec) {
                out.errors.push_back(given + ": " + ec.message());
                break;
            }
            std::error_code ec2;
            if (!it->is_regular_file(ec2))
                continue;
            std::string path = it->path().string();
            if (LookupExtension(table, path) != 0)
                found.push_back(std::move(path));
        }
        std::sort(found.begin(), found.end());
        out.files.insert(out.files.end(), found.begin(), found.end());
    }
    return out;
}

} // namespace lumbra
