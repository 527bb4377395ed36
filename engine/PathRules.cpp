// Path rules for names read from sources and projects written on Windows.
#include "PathRules.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace lumbra {

std::string ToSlashes(std::string_view text, bool codePage932) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (codePage932 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) &&
            i + 1 < out.size()) {
            ++i; // the trail byte may be 0x5C and is no separator
            continue;
        }
        if (c == '\\')
            out[i] = '/';
    }
    return out;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of `dir` whose name equals `name` ignoring case; "" when none.
std::string matchEntry(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return {};
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string FindPathIgnoringCase(const std::string& path) {
    if (path.empty())
        return {};
    if (IsRegularFile(path))
        return path;
    std::string built = path[0] == '/' ? "/" : "";
    std::size_t pos = path[0] == '/' ? 1 : 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(pos, end - pos);
        const bool last = end == path.size();
        pos = end + 1;
        if (part.empty())
            continue;
        std::string candidate = built + part;
        bool ok = last ? IsRegularFile(candidate) : isDirectory(candidate);
        if (!ok && part != "." && part != "..") {
            std::string entry = matchEntry(built, part);
            if (entry.empty())
                return {};
            candidate = built + entry;
            ok = last ? IsRegularFile(candidate) : isDirectory(candidate);
        }
        if (!ok)
            return {};
        if (last)
            return candidate;
        built = candidate + "/";
    }
    return {};
}

} // namespace lumbra
