// Builds the line attribute word of each line during an analysis pass: statement kinds, pending
// bodies (and their cancelling on lines already stored), calls, comment lines and levels.
#pragma once

#include <cstdint>

#include "common/LineWord.h"

namespace lumbra {

class NFileAnly;

class LineWordBuilder {
public:
    explicit LineWordBuilder(NFileAnly& engine) : engine_(engine) {}

    // Start of a file.
    void Reset();
    // Start of a line with its first bits (active bit, directive kind).
    void BeginLine(int line, std::uint32_t start);

    // A keyword whose statement kind (bits 16-23) is `value`. Its kind bits go on this line when
    // a block is already open, unless the line already has a kind; its pending bits wait for the
    // block. A keyword met while a body is pending cancels that body first.
    void Keyword(std::uint32_t value, bool blockOpen);
    // A ';' ends the statement of a keyword on this line: its body is no longer pending.
    void EndStatementOnKeywordLine();
    // The block opener: applies the pending bits. `kindOverride` (when not 0) replaces the line's
    // statement kind, as for a "{" on a line that closed a brace.
    void OpenBlock(std::uint32_t kindOverride);
    // The block closer: a body still pending is cancelled.
    void CloseBlock();

    void Add(std::uint32_t bits) { word_ |= bits; }
    void MarkCall() { word_ |= kLineHasCall; }
    void MarkCommentLine() { word_ = (word_ & ~kLineKindMask) | kLineKindComment; }
    void ClearActive() { word_ &= ~kLineActive; }

    bool PendingOnThisLine() const { return pending_ != 0 && pendingLine_ == line_; }
    std::uint32_t Word() const { return word_; }

    // Completes the word with the pending bits, the container level and the nesting level, and
    // stores it for the line.
    void Finish(int nestingLevel, int containerLevel);

private:
    void cancelPending();

    NFileAnly& engine_;
    int line_ = 0;
    std::uint32_t word_ = 0;
    std::uint32_t pending_ = 0; // bits 20-23
    int pendingLine_ = 0;       // line of the keyword that made the body pending
};

} // namespace lumbra
