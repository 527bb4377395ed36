// The shared keyword tables: lookups over the constexpr arrays of ScanTables.h.
#include "common/ScanTables.h"

#include "NFileAnly.h"

namespace lumbra {
namespace {

template <typename Table> bool contains(const Table& table, std::string_view name) {
    for (std::string_view entry : table)
        if (entry == name)
            return true;
    return false;
}

template <typename Table> std::uint32_t kindOf(const Table& table, std::string_view name) {
    if (name.empty() || name.front() == '"' || name.front() == '\'' || name == "~")
        return 0;
    for (const StatementKindEntry& e : table)
        if (e.name == name)
            return e.value;
    return 0;
}

bool startsWithOneOf(std::string_view name, std::string_view chars) {
    return name.empty() || chars.find(name.front()) != std::string_view::npos;
}

} // namespace

bool IsCCandidate(std::string_view name, CFlavor flavor) {
    // "@" starts a Java annotation; a digit starts a number.
    if (startsWithOneOf(name, "\"'\\@") || (name.front() >= '0' && name.front() <= '9'))
        return false;
    if (contains(tables::kCRejectedNames, name) ||
        contains(tables::kCRejectedParenKeywords, name) ||
        name.substr(0, tables::kCRejectedPrefix.size()) == tables::kCRejectedPrefix)
        return false;
    if (flavor != CFlavor::C && contains(tables::kJavaCsRejectedNames, name))
        return false;
    // "sizeof...(Ts)" and other pack expansions name nothing.
    return name.find("...") == std::string_view::npos;
}

bool IsBasicCandidate(std::string_view name) {
    return !startsWithOneOf(name, "\"'.:_") && !contains(tables::kBasicRejectedNames, name);
}

bool IsPascalCandidate(std::string_view name) {
    return !startsWithOneOf(name, "\"'.:") && !contains(tables::kPascalRejectedNames, name);
}

namespace {
bool notExcepted(const NFileAnly& engine, std::string_view name) {
    return !engine.GetOption(kOptExceptModule) || engine.IsNotExcepted(name);
}
} // namespace

bool IsCCandidate(const NFileAnly& engine, std::string_view name, CFlavor flavor) {
    return IsCCandidate(name, flavor) && notExcepted(engine, name);
}

bool IsBasicCandidate(const NFileAnly& engine, std::string_view name) {
    return IsBasicCandidate(name) && notExcepted(engine, name);
}

bool IsPascalCandidate(const NFileAnly& engine, std::string_view name) {
    return IsPascalCandidate(name) && notExcepted(engine, name);
}

std::uint32_t CStatementKind(std::string_view name) {
    return kindOf(tables::kCStatementKinds, name);
}

std::uint32_t BasicStatementKind(std::string_view name) {
    return kindOf(tables::kBasicStatementKinds, name);
}

bool IsCBranchKeyword(std::string_view name) {
    return contains(tables::kCBranchKeywords, name);
}

bool IsBasicBranchKeyword(std::string_view name) {
    return contains(tables::kBasicBranchKeywords, name);
}

bool IsPascalBranchKeyword(std::string_view name) {
    return contains(tables::kPascalBranchKeywords, name);
}

} // namespace lumbra
