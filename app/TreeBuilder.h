// Builds the calling-tree rows from the engine's walk: which modules are roots, how deep and
// how wide the trees grow, cycles, omitted lower parts and the connector kind of every row.
#pragma once

#include <functional>
#include <string_view>

#include "NFileAnly.h"
#include "Settings.h"
#include "Sinks.h"
#include "TreeRowList.h"

namespace lumbra {

// Tree sort orders (the engine's SetTreeSortOrder).
enum TreeSortOrder : int {
    kSortCode = 0,
    kSortName = 1,
    kSortExec = 2,
    kSortPath = 3,
};

// Limits and modes of tree building: the [Analyze] restrictions "layer" and "Module", and the
// [TreeView] "ViewOpt" items 15 (Lower Omit) and 18 (sort order).
struct TreeBuildSettings {
    int layerLimit = 32;       // greatest level a tree is expanded to (at least 1)
    int boxLimit = 10000000;   // greatest number of rows of all trees together (at least 1)
    bool lowerOmit = false;    // a module with calls is expanded only where it first appears
    int sortOrder = kSortCode; // order of the rows under each caller
};

// The values of the settings: [Analyze] items 21 and 22, "ViewOpt" items 15 and 18.
TreeBuildSettings TreeBuildSettingsFrom(const Settings& settings);

// Where building reports to the user; every member may be left empty.
struct TreeBuildHooks {
    MessageSink* messages = nullptr; // "Structure Box Limit Over."
    StatusSink* status = nullptr;    // "Module Link( %d / %d ) : %s"
    // True once the user has cancelled.
    std::function<bool()> cancelled;
    // Position of the module loop (module id of count).
    std::function<void(int position, int count)> progress;
};

class TreeBuilder {
public:
    TreeBuilder(NFileAnly& engine, TreeRowList& rows) : engine_(engine), rows_(rows) {}

    void SetSettings(const TreeBuildSettings& settings) { settings_ = settings; }
    const TreeBuildSettings& Settings() const { return settings_; }
    void SetHooks(TreeBuildHooks hooks) { hooks_ = std::move(hooks); }

    // Frees all rows and resets the engine's walk.
    void ClearTreeRows();
    // The tree of the module of this name (the engine's lookup by name); append = false clears
    // the rows first. False when no module has the name (no rows are added).
    bool BuildTree(std::string_view name, bool append);
    // The same for one module record.
    bool BuildTreeId(int id, bool append);
    // The trees of all root modules in id order. Needs the engine state "analysed"; a cancel
    // sets the state to "stopped".
    void BuildAllTrees();
    // The trees as an analysis run shows them, in the sort order of the settings: the orders
    // Exec and Path need inclusive values, so the trees are first built in Name order (which
    // stores them) and then in the chosen order. An empty root builds all trees. False when the
    // root names no module.
    bool BuildTrees(std::string_view root = {});

    // A root: called by nobody, a container, or called only by itself.
    static bool IsRoot(const NFileAnly& engine, int id);

private:
    bool build(int id, std::string_view name, bool append);
    void warnLimitOver();
    bool cancelled() const { return hooks_.cancelled && hooks_.cancelled(); }

    NFileAnly& engine_;
    TreeRowList& rows_;
    TreeBuildSettings settings_;
    TreeBuildHooks hooks_;
    bool quiet_ = false; // the preliminary Name-ordered build shows no messages
};

} // namespace lumbra
