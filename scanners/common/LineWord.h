// The line attribute word: one 32-bit word per source line, written by the analysis pass and read
// by the source view for block levels, block figures and folding.
#pragma once

#include <cstdint>

namespace lumbra {

// Bits 0-7: depth of open blocks when the line ends.
inline constexpr std::uint32_t kLineLevelMask = 0x000000FFu;
inline constexpr int kLineLevelMax = 0xFF;

// Bits 8-11: line kind.
inline constexpr std::uint32_t kLineKindMask = 0x00000F00u;
inline constexpr std::uint32_t kLineKindComment = 0x00000100u;
inline constexpr std::uint32_t kLineKindDirective = 0x00000200u;

// Bits 16-19: statement kind of a block-opening keyword on the line.
inline constexpr std::uint32_t kStatementMask = 0x000F0000u;
inline constexpr std::uint32_t kStatementLoopHead = 0x00010000u;
inline constexpr std::uint32_t kStatementConditionalHead = 0x00020000u;
inline constexpr std::uint32_t kStatementBranchContinuation = 0x00080000u;

// Bits 20-23: a loop or conditional body is pending (head or brace-less body).
inline constexpr std::uint32_t kPendingMask = 0x00F00000u;
inline constexpr std::uint32_t kPendingLoop = 0x00100000u;
inline constexpr std::uint32_t kPendingConditional = 0x00200000u;

// Bits 24-27: container level (namespace and nested-class nesting modulo 4, plus one inside the
// body of a class that is a module).
inline constexpr std::uint32_t kContainerMask = 0x0F000000u;
inline constexpr int kContainerShift = 24;

inline constexpr std::uint32_t kLineHasCall = 0x20000000u;
inline constexpr std::uint32_t kLineModuleStart = 0x40000000u;
inline constexpr std::uint32_t kLineActive = 0x80000000u;

static_assert((kLineLevelMask & kLineKindMask) == 0 && (kStatementMask & kPendingMask) == 0 &&
                  (kContainerMask & (kLineHasCall | kLineModuleStart | kLineActive)) == 0,
              "line word fields must not overlap");

inline constexpr std::uint32_t LineLevel(std::uint32_t word) {
    return word & kLineLevelMask;
}

} // namespace lumbra
