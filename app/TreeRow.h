// One box of the calling tree: its level, display row number and the packed flags (connector
// kind, selection, omitted lower part, fold state, module id).
#pragma once

#include <cstdint>

namespace lumbra {

// How a row joins its caller.
enum ConnectorKind : int {
    kConnectorNone = 0,   // a root row
    kConnectorEnd = 1,    // ends the caller's vertical line (a corner)
    kConnectorFirst = 2,  // first of several rows under one caller (a tee)
    kConnectorMiddle = 3, // further rows follow under the same caller (a tee)
    kConnectorLast = 4,   // last row under its caller, or the only one (a corner)
};

// Fold states of a row (and of a module in the engine).
enum FoldState : int {
    kFoldNone = 0,     // no lower rows
    kFoldFolded = 1,   // lower rows hidden
    kFoldExpanded = 2, // lower rows shown
};

struct TreeRow {
    static constexpr std::uint32_t kConnectorMask = 0x0f;
    static constexpr std::uint32_t kSelectedBit = 0x10;
    static constexpr std::uint32_t kOmittedBit = 0x20;
    static constexpr int kFoldShift = 6;
    static constexpr std::uint32_t kFoldMask = 0xc0;
    static constexpr int kIdShift = 8;

    int level = 0;
    int row = 0; // display row number, rewritten by every numbering pass
    std::uint32_t flags = 0;
    // A call whose callee no module stands for is drawn as a leaf with module id 0; its name is
    // entry `leafName` of the row list's leaf names (-1 for every row of a module).
    int leafName = -1;

    int connector() const { return static_cast<int>(flags & kConnectorMask); }
    void setConnector(int kind) {
        flags = (flags & ~kConnectorMask) | (static_cast<std::uint32_t>(kind) & kConnectorMask);
    }
    bool selected() const { return (flags & kSelectedBit) != 0; }
    void setSelected(bool on) { flags = on ? (flags | kSelectedBit) : (flags & ~kSelectedBit); }
    bool omitted() const { return (flags & kOmittedBit) != 0; }
    void setOmitted(bool on) { flags = on ? (flags | kOmittedBit) : (flags & ~kOmittedBit); }
    int foldState() const { return static_cast<int>((flags & kFoldMask) >> kFoldShift); }
    void setFoldState(int state) {
        flags =
            (flags & ~kFoldMask) | ((static_cast<std::uint32_t>(state) << kFoldShift) & kFoldMask);
    }
    int moduleId() const { return static_cast<int>(flags >> kIdShift); }
    bool isLeaf() const { return leafName >= 0; }
};

} // namespace lumbra
