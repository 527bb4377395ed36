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
    const ModuleRecord* m = FindModule(name);
    return BeginWalkId(m ? m->id : 0); // id 0 still ends the previous walk
}

int NFileAnly::BeginWalkId(int id) {
    EndWalk();
    nameWidth_ = 1;
    shortNameWidth_ = 1;
    ModuleRecord* m = GetModuleRecord(id);
    if (!m)
        return 0;
    pushWalkNode(m, 0);
    return 1;
}

void NFileAnly::pushWalkNode(ModuleRecord* module, int level) {
    walk_.push_back({level, 0, module->exec, module->pathNumb, module->pathNumb, 0, module});
    const auto id = static_cast<std::size_t>(module->id);
    if (id >= walkCount_.size())
        walkCount_.resize(std::max(id + 1, modules_.size() + 1), 0);
    ++walkCount_[id];
    walkDepth_ = level;
    ++walkNodeCount_;
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
    pushWalkNode(target, top.level + 1);
    return 1;
}

int NFileAnly::WalkUp() {
    if (walk_.empty() || walk_.back().level == 0)
        return 0;
    const WalkNode child = walk_.back();
    --walkCount_[static_cast<std::size_t>(child.module->id)];
    walk_.pop_back();
    // What the child gathered goes to its parent. A container, having no path of its own to
    // share, takes path numbers in full, and so does every node above a container; any other
    // node takes each path number less one (a call adds one path to a caller that already
    // counted one for it).
    WalkNode& parent = walk_.back();
    parent.execInc += child.execInc;
    if (parent.module->containerKind != kModuleOrdinary)
        parent.pathInc += child.ownPath + child.pathBelow;
    else
        parent.pathInc += std::max(child.ownPath - 1, 0) + (child.pathInc - child.ownPath);
    parent.pathBelow += child.ownPath + child.pathBelow;
    walkDepth_ = parent.level;
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
    shortNameWidth_ =
        std::max(shortNameWidth_, static_cast<int>(name.size() - ShortNameStart(name)));

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

std::size_t NFileAnly::ShortNameStart(std::string_view name) {
    if (std::size_t dot = name.rfind('.'); dot != std::string_view::npos)
        return dot + 1;
    if (std::size_t colons = name.find("::"); colons != std::string_view::npos)
        return colons + 2;
    return 0;
}

int NFileAnly::IsWalkNodeNew() const {
    if (walk_.empty())
        return 1;
    return walkCount_[static_cast<std::size_t>(walk_.back().module->id)] > 1 ? 0 : 1;
}

void NFileAnly::EndWalk() {
    // Only the entries of the nodes still on the stack are nonzero: clearing them keeps the
    // cost of a walk proportional to its own length, not to the number of modules.
    for (const WalkNode& node : walk_)
        --walkCount_[static_cast<std::size_t>(node.module->id)];
    walk_.clear();
    walkDepth_ = 0;
    walkNodeCount_ = 0;
}

} // namespace lumbra
