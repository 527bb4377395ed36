// Class nodes and the calling-tree walk: the stack from a root module down its calls, the
// callee ordering and the inclusive counts.
#include <algorithm>
#include <strings.h>

#include "NFileAnly.h"

namespace lumbra {

void NFileAnly::AddClassNodes() {
    state_.store(kStateRunning);
    cancel_ = 0;
    fileCount_.store(0);
    FileRecord* saved = currentFile_;
    for (auto& file : files_) {
        if (file->kind != kKindCFamily)
            continue;
        currentFile_ = file.get();
        // Class nodes go to the head of the list; walk the members as they were.
        std::vector<ModuleRecord*> members(file->modules.begin(), file->modules.end());
        for (ModuleRecord* m : members) {
            if (cancel_)
                break;
            std::size_t sep = m->name.find("::");
            if (sep == std::string::npos || sep == 0)
                continue;
            std::string className = m->name.substr(0, sep);
            if (!FindModule(className))
                CreateClassNode(*file, className, m->line);
        }
    }
    currentFile_ = saved;
}

int NFileAnly::BeginWalk(std::string_view name) {
    EndWalk();
    nameWidth_ = 1;
    shortNameWidth_ = 1;
    ModuleRecord* m = FindModule(name);
    if (!m)
        return 0;
    walkCount_.assign(modules_.size() + 1, 0);
    walk_.push_back({0, 0, m->exec, m->pathNumb, m});
    ++walkCount_[static_cast<std::size_t>(m->id)];
    walkDepth_ = 0;
    walkNodeCount_ = 1;
    return 1;
}

int NFileAnly::GetWalkDepth() const {
    return walkDepth_;
}

int NFileAnly::GetWalkNodeCount() const {
    return walkNodeCount_;
}

int NFileAnly::WalkDown() {
    if (walk_.empty())
        return 0;
    WalkNode& top = walk_.back();
    ModuleRecord* m = top.module;
    const int n = m->lowerCount();
    if (top.visited >= n)
        return 0;

    if (top.visited == 0 && n > 1 && m->calls.front().sortStamp != treeSortOrder_) {
        auto targetValue = [&](const CallRecord& c, bool path) {
            const ModuleRecord* t = GetModuleRecord(c.targetId);
            return t ? (path ? t->pathInc : t->execInc) : 0;
        };
        auto& calls = m->calls;
        switch (treeSortOrder_) {
        case 1:
            std::stable_sort(calls.begin(), calls.end(),
                             [](const CallRecord& a, const CallRecord& b) {
                                 return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
                             });
            break;
        case 2:
        case 3: {
            const bool path = treeSortOrder_ == 3;
            std::stable_sort(calls.begin(), calls.end(),
                             [&](const CallRecord& a, const CallRecord& b) {
                                 return targetValue(a, path) > targetValue(b, path);
                             });
            break;
        }
        default:
            std::stable_sort(
                calls.begin(), calls.end(),
                [](const CallRecord& a, const CallRecord& b) { return a.ordinal < b.ordinal; });
            break;
        }
        for (CallRecord& c : calls)
            c.sortStamp = static_cast<std::uint16_t>(treeSortOrder_);
        m->callIndex.reset(); // positions changed
    }

    ++top.visited;
    const CallRecord& call = m->calls[static_cast<std::size_t>(top.visited - 1)];
    if (call.targetLine == 0) {
        if (m->fileIndex > GetFileCount())
            return 0;
        if (FileRecord* f = GetFile(m->fileIndex))
            currentFile_ = f;
    }
    ModuleRecord* target = GetModuleRecord(call.targetId);
    if (!target)
        return 1;

    const int level = top.level + 1;
    const int e = target->exec;
    const int p = target->pathNumb;
    bool shareInFull = false;
    for (auto it = walk_.rbegin(); it != walk_.rend(); ++it) {
        it->execInc += e;
        const bool container = it->module->containerKind != kModuleOrdinary;
        it->pathInc += (container || shareInFull) ? p : std::max(p - 1, 0);
        if (container)
            shareInFull = true;
    }
    walk_.push_back({level, 0, e, p, target});
    if (static_cast<std::size_t>(target->id) >= walkCount_.size())
        walkCount_.resize(static_cast<std::size_t>(target->id) + 1, 0);
    ++walkCount_[static_cast<std::size_t>(target->id)];
    walkDepth_ = level;
    ++walkNodeCount_;
    return 1;
}

int NFileAnly::WalkUp() {
    if (walk_.empty() || walk_.back().level == 0)
        return 0;
    --walkCount_[static_cast<std::size_t>(walk_.back().module->id)];
    walk_.pop_back();
    walkDepth_ = walk_.back().level;
    --walkNodeCount_;
    return 1;
}

int NFileAnly::WalkNext() {
    WalkUp();
    return WalkDown();
}

int NFileAnly::WalkAgain() {
    WalkUp();
    if (walk_.empty())
        return 0;
    if (walk_.back().visited > 0)
        --walk_.back().visited;
    return WalkDown();
}

int NFileAnly::GetWalkNode(WalkNodeInfo& out) {
    if (walk_.empty())
        return 0;
    const WalkNode& node = walk_.back();
    ModuleRecord& m = *node.module;
    m.execInc = node.execInc;
    m.pathInc = node.pathInc;

    const std::string& name = m.name;
    nameWidth_ = std::max(nameWidth_, static_cast<int>(name.size()));
    std::size_t shortStart = 0;
    if (std::size_t dot = name.rfind('.'); dot != std::string::npos)
        shortStart = dot + 1;
    else if (std::size_t colons = name.find("::"); colons != std::string::npos)
        shortStart = colons + 2;
    shortNameWidth_ = std::max(shortNameWidth_, static_cast<int>(name.size() - shortStart));

    out.name = name;
    out.id = m.id;
    out.fileIndex = m.fileIndex;
    out.line = m.line;
    out.spare = m.spare;
    out.exec = m.exec;
    out.comment = m.comment;
    out.define = m.define;
    out.space = m.space;
    out.other = m.other;
    out.containerKind = m.containerKind;
    out.recursive = m.recursive;
    out.foldState = m.foldState;
    out.lowerCount = m.lowerCount();
    out.upperCount = m.upperCount();
    out.pathNumb = m.pathNumb;
    std::copy(std::begin(m.scannerValues), std::end(m.scannerValues), out.scannerValues);
    out.level = node.level;
    out.visited = node.visited;
    return 1;
}

int NFileAnly::IsWalkNodeNew() const {
    if (walk_.empty())
        return 1;
    return walkCount_[static_cast<std::size_t>(walk_.back().module->id)] > 1 ? 0 : 1;
}

void NFileAnly::EndWalk() {
    walk_.clear();
    walkCount_.clear();
    walkDepth_ = 0;
    walkNodeCount_ = 0;
}

} // namespace lumbra
