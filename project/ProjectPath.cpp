// Path resolution for project entries: separators, case-insensitive lookup and relocation.
#include "ProjectPath.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "CodePage.h"
#include "Lang.h"

namespace fs = std::filesystem;

namespace lumbra {

namespace {

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string_view::npos)
            slash = path.size();
        if (slash > pos)
            parts.push_back(path.substr(pos, slash - pos));
        pos = slash + 1;
    }
    return parts;
}

void appendComponent(std::string& path, std::string_view name) {
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsWindowsAbsolute(std::string_view s) {
    const bool drive = s.size() >= 2 && s[1] == ':' &&
                       ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
    return drive || s.starts_with("//");
}

bool HasWildcard(std::string_view entry) {
    return entry.find_first_of("*?") != std::string_view::npos;
}

bool MatchWildcard(std::string_view pattern, std::string_view name) {
    // Greedy matching with one backtrack point: linear enough for file names.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsReadableRegularFile(const std::string& path) {
    return isRegularFile(path) && ::access(path.c_str(), R_OK) == 0;
}

std::string FolderOf(const std::string& path) {
    std::error_code ec;
    fs::path full = fs::absolute(fs::path(path), ec);
    if (ec)
        full = fs::path(path);
    std::string folder = full.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

ProjectPathResolver::ProjectPathResolver(std::string folder, int codePage)
    : folder_(std::move(folder)), codePage_(codePage) {
    if (folder_.empty() || folder_.back() != '/')
        folder_ += '/';
}

std::string ProjectPathResolver::ToSlashes(std::string_view entry) const {
    std::string out(entry);
    const bool dbcs = codePage_ == kCodePageShiftJis;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (dbcs && isShiftJisLead(c) && i + 1 < out.size()) {
            ++i; // a trail byte 0x5C is part of the character, not a separator
            continue;
        }
        if (c == '\\')
            out[i] = '/';
    }
    return out;
}

const std::unordered_map<std::string, std::string>&
ProjectPathResolver::listing(const std::string& dir) {
    auto [it, added] = listings_.try_emplace(dir);
    if (!added)
        return it->second;
    std::error_code ec;
    fs::directory_iterator entries(dir, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && entries != end; entries.increment(ec)) {
        std::string name = entries->path().filename().string();
        auto [slot, inserted] = it->second.try_emplace(LowerAscii(name), name);
        if (!inserted && name < slot->second)
            slot->second = name;
    }
    return it->second;
}

std::optional<std::string> ProjectPathResolver::Locate(const std::string& path) {
    if (pathExists(path))
        return path;
    if (path.empty() || path[0] != '/')
        return std::nullopt;
    std::string current = "/";
    for (std::string_view part : components(path)) {
        std::string next = current;
        appendComponent(next, part);
        if (part == "." || part == ".." || pathExists(next)) {
            current = std::move(next);
            continue;
        }
        const auto& names = listing(current);
        auto it = names.find(LowerAscii(part));
        if (it == names.end())
            return std::nullopt;
        appendComponent(current, it->second);
    }
    return current;
}

std::optional<std::string> ProjectPathResolver::relocate(std::string_view absolute) {
    std::string_view rest = absolute;
    if (rest.size() >= 2 && rest[1] == ':')
        rest.remove_prefix(2);
    std::vector<std::string_view> parts = components(rest);
    // Longest trailing part first, so that src/main.c wins over a main.c elsewhere.
    for (std::size_t first = 0; first < parts.size(); ++first) {
        std::string candidate = folder_;
        for (std::size_t i = first; i < parts.size(); ++i) {
            if (i > first)
                candidate += '/';
            candidate += parts[i];
        }
        if (auto found = Locate(candidate); found && isRegularFile(*found))
            return found;
    }
    return std::nullopt;
}

std::string ProjectPathResolver::Resolve(std::string_view entry) {
    std::string s = ToSlashes(entry);
    if (s.starts_with("./"))
        s.erase(0, 2);
    const bool windows = IsWindowsAbsolute(s);
    const bool absolute = windows || s.starts_with('/');
    std::string path = absolute ? s : folder_ + s;
    if (!windows)
        if (auto found = Locate(path))
            return *found;
    if (absolute) {
        if (auto found = relocate(s)) {
            relocated_.emplace_back(entry);
            return *found;
        }
    }
    return path;
}

void ProjectPathResolver::AddRelocated(const std::vector<std::string>& entries) {
    relocated_.insert(relocated_.end(), entries.begin(), entries.end());
}

// One walk over the components of a wildcard entry.
class ProjectPathResolver::Expansion {
public:
    Expansion(ProjectPathResolver& resolver, std::vector<std::string_view> parts, std::size_t limit)
        : resolver_(resolver), parts_(std::move(parts)), limit_(limit) {}

    void from(const std::string& dir, std::size_t i) {
        if (truncated_)
            return;
        if (i == parts_.size())
            return; // a pattern ending in "**" or '/' names folders, not files
        const std::string_view part = parts_[i];
        const bool last = i + 1 == parts_.size();
        if (part == "**") {
            from(dir, i + 1); // no folder at all
            std::error_code ec;
            fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied,
                                                ec),
                end;
            for (; !ec && it != end && !truncated_; it.increment(ec)) {
                if (!visit())
                    return;
                std::error_code ec2;
                // A link is not entered: a link to a parent would never end.
                if (it->is_symlink(ec2)) {
                    it.disable_recursion_pending();
                    continue;
                }
                if (it->is_directory(ec2))
                    from(it->path().string(), i + 1);
            }
            return;
        }
        if (HasWildcard(part)) {
            std::vector<std::string> names;
            std::error_code ec;
            fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
            for (; !ec && it != end; it.increment(ec)) {
                if (!visit())
                    return;
                std::string name = it->path().filename().string();
                if (MatchWildcard(part, name) && name != "." && name != "..")
                    names.push_back(std::move(name));
            }
            std::sort(names.begin(), names.end());
            for (const std::string& name : names)
                step(dir, name, last, i);
            return;
        }
        std::string next = dir;
        appendComponent(next, part);
        if (part != "." && part != ".." && !pathExists(next)) {
            const auto& names = resolver_.listing(dir);
            auto it = names.find(LowerAscii(part));
            if (it == names.end())
                return;
            step(dir, it->second, last, i);
            return;
        }
        step(dir, std::string(part), last, i);
    }

    std::vector<std::string> found;
    bool truncated() const { return truncated_; }

private:
    // "/**" would list the whole machine: past this many folder entries the walk gives up as
    // it does past the file limit.
    static constexpr std::size_t kMaxVisited = 20 * kMaxExpandedFiles;
    bool visit() {
        if (++visited_ > kMaxVisited)
            truncated_ = true;
        return !truncated_;
    }

    void step(const std::string& dir, const std::string& name, bool last, std::size_t i) {
        std::string next = dir;
        appendComponent(next, name);
        if (!last) {
            from(next, i + 1);
            return;
        }
        if (!isRegularFile(next))
            return;
        if (found.size() >= limit_) {
            truncated_ = true;
            return;
        }
        found.push_back(std::move(next));
    }

    ProjectPathResolver& resolver_;
    std::vector<std::string_view> parts_;
    std::size_t limit_;
    std::size_t visited_ = 0;
    bool truncated_ = false;
};

WildcardMatch ProjectPathResolver::Expand(std::string_view entry, std::size_t limit) {
    WildcardMatch out;
    std::string s = ToSlashes(entry);
    if (s.starts_with("./"))
        s.erase(0, 2);
    if (IsWindowsAbsolute(s))
        return out; // a folder of another machine cannot be listed here
    const std::string path = s.starts_with('/') ? s : folder_ + s;
    std::vector<std::string_view> parts;
    for (std::string_view part : components(path))
        if (part != "**" || parts.empty() || parts.back() != "**") // "**/**" is "**"
            parts.push_back(part);
    Expansion walk(*this, std::move(parts), limit);
    walk.from("/", 0);
    out.files = std::move(walk.found);
    // "**" reaches a file once per way of matching it ("**/*.c" finds a.c at depth 0 only,
    // but "**/x/**/*.c" may reach one file twice).
    std::sort(out.files.begin(), out.files.end());
    out.files.erase(std::unique(out.files.begin(), out.files.end()), out.files.end());
    out.truncated = walk.truncated();
    return out;
}

std::string RelocationNotice(const std::vector<std::string>& relocated) {
    constexpr std::size_t kNamed = 5;
    std::string names;
    for (std::size_t i = 0; i < relocated.size() && i < kNamed; ++i) {
        if (i)
            names += ", ";
        names += relocated[i];
    }
    if (relocated.size() > kNamed)
        names += ", ...";
    return Format(tr("Relocated below the project folder (%d): %s"),
                  static_cast<int>(relocated.size()), names.c_str());
}

} // namespace lumbra
