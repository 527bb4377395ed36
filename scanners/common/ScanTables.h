// The keyword tables every scanner shares: which names may be calls or module names, which
// keywords open blocks (statement kinds of the line word) and which count as branch points.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumbra {

class NFileAnly;

// Source flavours of the C family that change a rule.
enum class CFlavor { C, Java, CSharp };

// --- call-candidate filters (the exception-module list, option 7, applies on top) ----------------

// C family: C, C++, C# and Java.
bool IsCCandidate(std::string_view name, CFlavor flavor);
bool IsBasicCandidate(std::string_view name);
bool IsPascalCandidate(std::string_view name);

// The filter of a language plus option 7 (names of the exception-module list are no calls).
bool IsCCandidate(const NFileAnly& engine, std::string_view name, CFlavor flavor);
bool IsBasicCandidate(const NFileAnly& engine, std::string_view name);
bool IsPascalCandidate(const NFileAnly& engine, std::string_view name);

// --- statement kinds: bits 16-23 of the line word for a keyword, 0 for other names ---------------

std::uint32_t CStatementKind(std::string_view name);
std::uint32_t BasicStatementKind(std::string_view name);

// --- branch points that raise the path number ----------------------------------------------------

// C family: tokens inside a module body ("?" characters count as well).
bool IsCBranchKeyword(std::string_view name);
// Basic: the first token of a line inside a module.
bool IsBasicBranchKeyword(std::string_view name);
// Pascal: tokens inside a module body (case labels count as well).
bool IsPascalBranchKeyword(std::string_view name);

// The tables themselves, in the order the design gives them.
struct StatementKindEntry {
    std::string_view name;
    std::uint32_t value;
};

namespace tables {

inline constexpr std::array<std::string_view, 18> kCRejectedNames = {
    "~",  "case", "char", "do",     "double", "else",   "for",  "foreach", "float",
    "if", "int",  "long", "return", "sizeof", "switch", "void", "while",   "until"};
// Keywords that take parentheses but are no calls, in every C-family file.
inline constexpr std::array<std::string_view, 17> kCRejectedParenKeywords = {
    "catch",    "throw",         "delete",        "typeof",     "decltype", "alignof",
    "noexcept", "static_assert", "__attribute__", "__declspec", "asm",      "__asm",
    "offsetof", "va_arg",        "volatile",      "alignas",    "typeid"};
inline constexpr std::string_view kCRejectedPrefix = "__builtin_";
// The same for Java and C# sources only (C code may name functions so).
inline constexpr std::array<std::string_view, 9> kJavaCsRejectedNames = {
    "synchronized", "using", "lock", "nameof", "default", "checked", "unchecked", "fixed", "try"};

inline constexpr std::array<std::string_view, 22> kBasicRejectedNames = {
    "For",  "To",     "Step",   "Next",  "Select", "Case",   "If",  "Then",
    "Else", "End",    "Return", "While", "Until",  "Public", "Dim", "Integer",
    "Long", "String", "Float",  "Void",  "Sizeof", "Begin"};

inline constexpr std::array<std::string_view, 16> kPascalRejectedNames = {
    "~",    "and",    "or",     "not",   "if",    "If",  "case", "do",
    "else", "SizeOf", "string", "while", "until", "for", "on",   "class"};

inline constexpr std::array<StatementKindEntry, 11> kCStatementKinds = {{
    {"if", 0x220000},
    {"else", 0x220000},
    {"switch", 0x220000},
    {"catch", 0x220000},
    {"case", 0x80000},
    {"default", 0x80000},
    {"for", 0x110000},
    {"do", 0x110000},
    {"while", 0x110000},
    {"until", 0x110000},
    {"foreach", 0x110000},
}};

inline constexpr std::array<StatementKindEntry, 8> kBasicStatementKinds = {{
    {"Do", 0x110000},
    {"For", 0x110000},
    {"Then", 0x200000},
    {"Else", 0x280000},
    {"ElseIf", 0x280000},
    {"If", 0x220000},
    {"Select", 0x220000},
    {"Case", 0x80000},
}};

inline constexpr std::array<std::string_view, 6> kCBranchKeywords = {"if",    "for",    "while",
                                                                     "until", "switch", "case"};
inline constexpr std::array<std::string_view, 7> kBasicBranchKeywords = {
    "If", "ElseIf", "For", "Do", "While", "Select", "Case"};
inline constexpr std::array<std::string_view, 5> kPascalBranchKeywords = {"if", "for", "while",
                                                                          "until", "case"};

} // namespace tables
} // namespace lumbra
