// Calling-tree building over the engine's walk.
#include "TreeBuilder.h"

#include <algorithm>

#include "CodePage.h"
#include "Lang.h"

namespace lumbra {

TreeBuildSettings TreeBuildSettingsFrom(const Settings& s) {
    return {s.anlyOpt[kAnlyLayerLimit], s.anlyOpt[kAnlyModuleLimit],
            s.viewOpt[kViewExceptViewed] != 0, s.viewOpt[kViewSort]};
}

void TreeBuilder::ClearTreeRows() {
    rows_.clear();
    engine_.BeginWalk(""); // ends a walk left behind and resets the name widths
}

bool TreeBuilder::BuildTree(std::string_view name, bool append) {
    return build(0, name, append);
}

bool TreeBuilder::BuildTreeId(int id, bool append) {
    return build(id, {}, append);
}

bool TreeBuilder::IsRoot(const NFileAnly& engine, int id) {
    const int upper = engine.GetUpperCount(id);
    if (upper < 0)
        return false;
    return upper == 0 || engine.GetContainerKind(id) != kModuleOrdinary ||
           (upper == 1 && engine.IsRecursive(id) == 1);
}

bool TreeBuilder::build(int id, std::string_view name, bool append) {
    if (!append)
        ClearTreeRows();
    if (!(id ? engine_.BeginWalkId(id) : engine_.BeginWalk(name)))
        return false;
    const int layerLimit = std::max(settings_.layerLimit, 1);
    const auto boxLimit = static_cast<std::size_t>(std::max(settings_.boxLimit, 1));

    WalkNodeInfo node;
    engine_.GetWalkNode(node);
    rows_.append(node).setFoldState(kFoldNone);
    int remaining = node.lowerCount - node.visited;
    bool limitOver = false;
    while (node.level != 0 || remaining != 0) {
        bool leaf = false; // the last row stands for a callee without a module
        if (remaining > 0) {
            const int visited = node.visited;
            const int lowerCount = node.lowerCount;
            const int callerId = node.id;
            const int callerLevel = node.level;
            const int nodesBefore = engine_.GetWalkNodeCount();
            const int walked = engine_.WalkDown();
            TreeRow* row = nullptr;
            if (engine_.GetWalkNodeCount() == nodesBefore) {
                // Nothing was pushed: the caller stays on top, and its call is drawn as a leaf.
                engine_.GetWalkNode(node);
                if (walked) {
                    row = &rows_.appendLeaf(callerLevel + 1,
                                            engine_.GetLowerName(callerId, visited + 1));
                    leaf = true;
                }
            } else {
                engine_.GetWalkNode(node);
                row = &rows_.append(node);
            }
            if (row) {
                row->setConnector(visited == 0 ? kConnectorFirst : kConnectorMiddle);
                if (visited == lowerCount - 1)
                    row->setConnector(kConnectorLast);
            }
            if (row && !leaf) {
                if (!engine_.IsWalkNodeNew()) {
                    // A cycle is shown once more and not expanded.
                    row->setOmitted(settings_.lowerOmit);
                    engine_.WalkUp();
                    engine_.GetWalkNode(node);
                } else if (settings_.lowerOmit && node.lowerCount > 0 &&
                           rows_.rowsOfModule(node.id) > 1) {
                    row->setOmitted(true);
                    engine_.WalkUp();
                    engine_.GetWalkNode(node);
                }
            }
        } else {
            engine_.WalkUp();
            engine_.GetWalkNode(node);
        }

        // A node at the layer limit is left at once, and so is its caller in the next round:
        // a node just above the limit shows only its first lower row.
        const int level = leaf ? node.level + 1 : node.level;
        if (level >= layerLimit) {
            rows_.rows().back().setConnector(kConnectorLast);
            if (!leaf) {
                engine_.WalkUp();
                engine_.GetWalkNode(node);
            }
            remaining = 0;
        } else {
            remaining = node.lowerCount - node.visited;
        }
        if (rows_.size() > boxLimit || cancelled()) {
            limitOver = true;
            break;
        }
    }
    if (limitOver) {
        rows_.rows().back().setConnector(kConnectorLast);
        warnLimitOver();
    }
    engine_.EndWalk();
    return true;
}

void TreeBuilder::warnLimitOver() {
    if (hooks_.messages && !quiet_)
        hooks_.messages->Message(tr("Structure Box Limit Over."), tr("Caution"),
                                 MessageKind::Warning);
}

void TreeBuilder::BuildAllTrees() {
    ClearTreeRows();
    const int count = engine_.GetModuleCount();
    const int codePage = engine_.GetTextReadSettings().codePage;
    const auto boxLimit = static_cast<std::size_t>(std::max(settings_.boxLimit, 1));
    bool first = true;
    for (int id = 1; id <= count; ++id) {
        if (engine_.GetState() != kStateAnalysed)
            break;
        const char* name = engine_.GetModuleName(id);
        if (hooks_.status)
            hooks_.status->ShowStatus(2,
                                      Format(tr("Module Link( %d / %d ) : %s"), id, count,
                                             InternalToUtf8(name ? name : "", codePage).c_str()));
        if (IsRoot(engine_, id)) {
            if (rows_.size() >= boxLimit) {
                // Another tree would go past the limit: tell the user something is left out.
                warnLimitOver();
                break;
            }
            build(id, {}, !first);
            first = false;
        }
        if (hooks_.progress)
            hooks_.progress(id, count);
        if (cancelled()) {
            engine_.SetState(kStateStopped);
            break;
        }
        if (rows_.size() > boxLimit)
            break;
    }
}

bool TreeBuilder::BuildTrees(std::string_view root) {
    auto buildOnce = [&] {
        if (root.empty()) {
            BuildAllTrees();
            return true;
        }
        return BuildTree(root, false);
    };
    const int order = settings_.sortOrder;
    if (order == kSortExec || order == kSortPath) {
        engine_.SetTreeSortOrder(kSortName);
        quiet_ = true;
        buildOnce();
        quiet_ = false;
        engine_.SetTreeSortOrder(order);
        if (root.empty() && engine_.GetState() != kStateAnalysed)
            return true; // cancelled: the rows built so far stay
    }
    engine_.SetTreeSortOrder(order);
    return buildOnce();
}

} // namespace lumbra
