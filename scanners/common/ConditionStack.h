// The stack of open conditional-compilation groups ("#if" ... "#endif" and their Pascal and
// assembler equivalents) that decides whether a line is compiled.
#pragma once

#include <cstdint>
#include <vector>

namespace lumbra {

class ConditionStack {
public:
    // Groups are evaluated at every depth up to this many levels. Include pre-scans share the
    // stack, so every open include guard holds a level: a chain of headers easily nests deeper
    // than the 16 levels a fixed stack would offer, and a guard that is not evaluated lets its
    // header be read again at every inclusion. Groups opened beyond the limit are counted, not
    // evaluated: their lines (directives included) keep the state of the last level, and their
    // "#endif" lines close them, never an outer group.
    static constexpr int kMaxLevels = 1 << 16;

    void Reset();

    // The current line is compiled: the current level has no open group or its branch is taken.
    bool Active() const;
    // The state of an ordinary line: the active bit alone.
    unsigned LineState() const;

    // Directives. Each returns the directive bit plus the active bit of the level the stack is
    // left on.
    unsigned Open(bool condition);   // "#if", "#ifdef", "#ifndef"
    unsigned ElseIf(bool condition); // "#elif"
    unsigned Else();                 // "#else"
    unsigned EndIf();                // "#endif"

    // False when a new group's condition cannot matter (it opens inside an excluded branch or
    // beyond the evaluated levels), so that it need not be evaluated.
    bool OpenNeedsCondition() const;
    // False when the "#elif" of the current group takes no branch whatever its condition says.
    bool ElseIfNeedsCondition() const;

    int Level() const { return index_; }
    int Overflow() const { return overflow_; }

private:
    enum : std::uint8_t { kNoGroup = 0, kFirstBranch = 1, kElseBranch = 2 };
    struct Group {
        std::uint8_t state = kNoGroup;
        bool condition = false;
        bool takenBefore = false;
    };

    unsigned directive() const;
    // An excluded enclosing branch excludes every branch of the groups inside it.
    void forceByEnclosing();

    std::vector<Group> levels_ = std::vector<Group>(1); // index 0 always exists
    int index_ = 0;
    int overflow_ = 0; // groups open beyond the last level
};

} // namespace lumbra
