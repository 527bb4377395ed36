// Services the engine offers every scanner: the include queue and include resolution, the line
// table and its finishing step, the branch chart and header-comment items.
#include <algorithm>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "NFileAnly.h"
#include "PathRules.h"

namespace lumbra {

// --- include files -------------------------------------------------------------------------------

int NFileAnly::QueueInclude(const std::string& path, int kind) {
    // The index follows the list; the list's paths are unique, so a size mismatch means the list
    // was cleared since.
    if (pendingIndex_.size() != pendingIncludes_.size()) {
        pendingIndex_.clear();
        for (const auto& [p, k] : pendingIncludes_)
            pendingIndex_.insert(p);
    }
    if (!pendingIndex_.insert(path).second)
        return 0;
    pendingIncludes_.emplace_back(path, kind);
    return 1;
}

namespace {

std::string directoryOf(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// base + name, where each leading "../" of the name removes one folder from the base.
std::string climb(std::string base, std::string_view name) {
    while (name.substr(0, 3) == "../") {
        name.remove_prefix(3);
        if (base.size() > 1) {
            std::size_t slash = base.rfind('/', base.size() - 2);
            base.erase(slash == std::string::npos ? 0 : slash + 1);
        }
    }
    base.append(name);
    return base;
}

} // namespace

std::string NFileAnly::ResolveInclude(std::string_view includingPath, std::string_view name) const {
    if (name.size() >= 1 && name.front() == '"')
        name.remove_prefix(1);
    if (!name.empty() && name.back() == '"')
        name.remove_suffix(1);
    if (name.empty())
        return {};
    const std::string relative = ToSlashes(name, readSettings_.codePage == kCodePageShiftJis);
    if (relative.front() == '/')
        return IsRegularFile(relative) ? relative : FindPathIgnoringCase(relative);

    std::vector<std::string> tries;
    if (currentFile_)
        tries.push_back(directoryOf(currentFile_->path) + relative);
    tries.push_back(climb(directoryOf(includingPath), relative));
    for (const std::string& folder : includePaths_)
        tries.push_back(climb(folder, relative));
    for (const std::string& path : tries)
        if (IsRegularFile(path))
            return path;
    // Sources written on Windows often spell a name in another case than the file on disk.
    for (const std::string& path : tries) {
        std::string found = FindPathIgnoringCase(path);
        if (!found.empty())
            return found;
    }
    return {};
}

// --- header-comment items ------------------------------------------------------------------------

void NFileAnly::ClearCommentItems() {
    for (auto& item : commentItems_)
        item.clear();
}

std::string_view NFileAnly::ReadCommentItem(std::string_view text) {
    std::string word;
    auto rest = NextWord(text, word, 1);
    if (!rest || word.empty())
        return rest ? *rest : std::string_view{};
    for (std::size_t k = 0; k < commentKeywords_.size(); ++k) {
        if (word != commentKeywords_[k])
            continue;
        std::string value;
        auto after = NextWord(*rest, value, 1);
        commentItems_[k] = value;
        return after ? *after : std::string_view{};
    }
    return *rest;
}

std::string_view NFileAnly::ReadCommentItem(std::string_view text, CommentWordSplitter split,
                                            std::initializer_list<std::string_view> commentEnds) {
    std::string word;
    std::string_view rest = split(text, word, separators_);
    if (word.empty())
        return rest;
    for (std::size_t k = 0; k < commentKeywords_.size(); ++k) {
        if (word != commentKeywords_[k])
            continue;
        std::string value;
        std::string_view after = split(rest, value, separators_);
        // Step back to a comment end the word ran into.
        for (std::string_view end : commentEnds) {
            std::size_t at = value.find(end);
            if (end.empty() || at == std::string::npos)
                continue;
            after = std::string_view(after.data() - (value.size() - at),
                                     after.size() + value.size() - at);
            value.erase(at);
        }
        commentItems_[k] = value;
        return after;
    }
    return rest;
}

// --- line table ----------------------------------------------------------------------------------

void NFileAnly::AllocateLineTable(int lineCount) {
    if (!currentFile_ || lineCount <= 0)
        return;
    currentFile_->lineTable.assign(static_cast<std::size_t>(lineCount) + 1, 0u);
    currentFile_->lineCount = lineCount;
}

void NFileAnly::SetLineWord(int line, std::uint32_t value) {
    if (!currentFile_ || line < 1 ||
        static_cast<std::size_t>(line) >= currentFile_->lineTable.size())
        return;
    currentFile_->lineTable[static_cast<std::size_t>(line) - 1] = value;
}

std::uint32_t NFileAnly::GetLineWord(int line) const {
    if (!currentFile_ || line < 1 ||
        static_cast<std::size_t>(line) >= currentFile_->lineTable.size())
        return 0;
    return currentFile_->lineTable[static_cast<std::size_t>(line) - 1];
}

void NFileAnly::FinishLineTable() {
    FileRecord* file = currentFile_;
    if (!file || file->lineTable.empty())
        return;
    auto& table = file->lineTable;
    const int n = static_cast<int>(table.size()) - 1;
    auto level = [&](int line) {
        return line <= n ? static_cast<int>(table[static_cast<std::size_t>(line) - 1] & 0xFFu) : 0;
    };
    for (ModuleRecord* m : file->modules) {
        const int start = m->line;
        if (start < 1 || start > n)
            continue;
        table[static_cast<std::size_t>(start) - 1] |= 0x40000000u;
        if (m->containerKind != kModuleContainer)
            continue;
        // A container spans its head, its body down to the last line at its level, and the
        // closing line (or the end of the file).
        int count = 1;
        int line = start + 1;
        int threshold = level(start);
        if (threshold == 0) {
            for (; line <= n && level(line) == 0; ++line)
                ++count;
            threshold = 1;
        }
        for (; line <= n && level(line) >= threshold; ++line)
            ++count;
        ++count;
        m->exec = m->comment = m->space = m->other = 0;
        m->define = count;
    }
    int greatest = 0;
    for (int line = 1; line <= n; ++line)
        greatest = std::max(greatest, level(line));
    file->greatestBlockLevel = greatest;
}

// --- branch chart --------------------------------------------------------------------------------

// Lookups over a file's branch records, rebuilt whenever the list was cleared.
struct BranchIndex {
    std::size_t covered = 0;
    std::unordered_set<int> sources;
    std::unordered_map<int, std::size_t> firstByTarget;
    // Per column: the union of the ranges of its branches, as disjoint [first, last] pieces.
    std::vector<std::map<int, int>> columns;

    static bool intersects(const std::map<int, int>& pieces, int first, int last) {
        auto it = pieces.upper_bound(last);
        if (it == pieces.begin())
            return false;
        return std::prev(it)->second >= first;
    }

    static void insert(std::map<int, int>& pieces, int first, int last) {
        auto it = pieces.upper_bound(last);
        while (it != pieces.begin()) {
            auto prev = std::prev(it);
            if (prev->second < first - 1)
                break;
            first = std::min(first, prev->first);
            last = std::max(last, prev->second);
            it = pieces.erase(prev);
        }
        pieces.emplace(first, last);
    }

    void add(const BranchRecord& b, std::size_t position) {
        sources.insert(b.sourceLine);
        firstByTarget.emplace(b.targetLine, position);
        if (columns.size() < static_cast<std::size_t>(b.column))
            columns.resize(static_cast<std::size_t>(b.column));
        insert(columns[static_cast<std::size_t>(b.column) - 1],
               std::min(b.sourceLine, b.targetLine), std::max(b.sourceLine, b.targetLine));
        covered = position + 1;
    }
};

int NFileAnly::AddBranch(int sourceLine, int targetLine) {
    FileRecord* file = currentFile_;
    if (!file)
        return 0;
    auto& branches = file->branches;
    if (!file->branchIndex || file->branchIndex->covered != branches.size()) {
        file->branchIndex = std::make_shared<BranchIndex>();
        for (std::size_t i = 0; i < branches.size(); ++i)
            file->branchIndex->add(branches[i], i);
    }
    BranchIndex& index = *file->branchIndex;
    const int f = sourceLine;
    const int t = targetLine;
    if (index.sources.count(f))
        return 0;

    BranchRecord n;
    n.sourceLine = f;
    n.targetLine = t;
    n.joinLine = t;
    if (branches.empty()) {
        n.column = 1;
        file->branchColumnCount = 1;
    } else if (auto it = index.firstByTarget.find(t); it != index.firstByTarget.end()) {
        // Jumps to one target share a column; the join lines mark where they meet.
        BranchRecord& r = branches[it->second];
        n.column = r.column;
        const int s = r.sourceLine;
        if (t > s) {
            if (s < f && f < t)
                r.joinLine = f;
            else if (f < s)
                n.joinLine = f;
        } else if (t < s) {
            if (t < f && f < s)
                r.joinLine = f;
            else if (f > s)
                n.joinLine = s;
        }
    } else {
        const int first = std::min(f, t);
        const int last = std::max(f, t);
        n.column = 0;
        for (int c = 1; c <= file->branchColumnCount; ++c) {
            const auto col = static_cast<std::size_t>(c) - 1;
            if (col >= index.columns.size() ||
                !BranchIndex::intersects(index.columns[col], first, last)) {
                n.column = c;
                break;
            }
        }
        if (n.column == 0)
            n.column = ++file->branchColumnCount;
    }
    branches.push_back(n);
    index.add(branches.back(), branches.size() - 1);
    return 1;
}

} // namespace lumbra
