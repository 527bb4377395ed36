// Path rules for names read from sources and projects written on Windows.
#include "PathRules.h"

#include <dirent.h>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

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

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Folder listings by lower-case name, kept while the folder's modification time stays the same:
// unresolved include names are looked up again for every file that names them.
class ListingCache {
public:
    std::string find(const std::string& dir, const std::string& name) {
        const std::string key = dir.empty() ? "." : dir;
        struct stat st {};
        if (::stat(key.c_str(), &st) != 0)
            return {};
        std::lock_guard lock(mutex_);
        Listing& l = listings_[key];
        if (!l.valid || l.mtime.tv_sec != st.st_mtim.tv_sec ||
            l.mtime.tv_nsec != st.st_mtim.tv_nsec) {
            l.entries.clear();
            if (DIR* d = ::opendir(key.c_str())) {
                while (dirent* e = ::readdir(d))
                    l.entries.emplace(lowerAscii(e->d_name), e->d_name); // first spelling wins
                ::closedir(d);
            }
            l.mtime = st.st_mtim;
            l.valid = true;
        }
        auto it = l.entries.find(lowerAscii(name));
        return it == l.entries.end() ? std::string() : it->second;
    }

private:
    struct Listing {
        bool valid = false;
        timespec mtime{};
        std::unordered_map<std::string, std::string> entries;
    };
    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
};

// The entry of `dir` whose name equals `name` ignoring case; "" when none.
std::string matchEntry(const std::string& dir, const std::string& name) {
    static ListingCache cache;
    return cache.find(dir, name);
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
