// Line attribute words: statement kinds and pending bodies across lines.
#include "common/LineWordBuilder.h"

#include <algorithm>

#include "NFileAnly.h"

namespace lumbra {

void LineWordBuilder::Reset() {
    line_ = 0;
    word_ = 0;
    pending_ = 0;
    pendingLine_ = 0;
}

void LineWordBuilder::BeginLine(int line, std::uint32_t start) {
    line_ = line;
    word_ = start;
}

void LineWordBuilder::cancelPending() {
    // The lines already stored since the keyword lose their pending bits.
    for (int line = line_ - 1; line >= pendingLine_ && line >= 1; --line)
        engine_.SetLineWord(line, engine_.GetLineWord(line) & ~kPendingMask);
    pending_ = 0;
}

void LineWordBuilder::Keyword(std::uint32_t value, bool blockOpen) {
    if (value == 0)
        return;
    if (pending_)
        cancelPending();
    if (blockOpen && (word_ & kStatementMask) == 0)
        word_ |= value & kStatementMask;
    if (value & kPendingMask) {
        pending_ = value & kPendingMask;
        pendingLine_ = line_;
    }
}

void LineWordBuilder::EndStatementOnKeywordLine() {
    if (PendingOnThisLine())
        pending_ = 0;
}

void LineWordBuilder::OpenBlock(std::uint32_t kindOverride) {
    if (kindOverride)
        word_ = (word_ & ~kStatementMask) | (kindOverride & kStatementMask);
    word_ |= pending_;
    pending_ = 0;
}

void LineWordBuilder::CloseBlock() {
    if (pending_)
        cancelPending();
}

void LineWordBuilder::Finish(int nestingLevel, int containerLevel) {
    word_ |= pending_;
    word_ = (word_ & ~(kLineLevelMask | kContainerMask)) |
            static_cast<std::uint32_t>(std::clamp(nestingLevel, 0, kLineLevelMax)) |
            ((static_cast<std::uint32_t>(containerLevel) << kContainerShift) & kContainerMask);
    engine_.SetLineWord(line_, word_);
}

} // namespace lumbra
