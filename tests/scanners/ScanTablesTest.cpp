// The shared keyword tables: call-candidate filters of the three languages, statement kinds and
// branch keywords.
#include <gtest/gtest.h>

#include "NFileAnly.h"
#include "common/ScanTables.h"

namespace lumbra {
namespace {

TEST(CallCandidates, CRejectsLiteralsNumbersAndTypeKeywords) {
    for (const char* name : {"", "\"s\"", "'c'", "\\x", "9lives", "0x10", "if", "while", "sizeof",
                             "return", "void", "int", "~", "@Override"})
        EXPECT_FALSE(IsCCandidate(name, CFlavor::C)) << name;
    for (const char* name : {"printf", "Shape::Draw", "->run", "obj.method", "~Shape", "_init"})
        EXPECT_TRUE(IsCCandidate(name, CFlavor::C)) << name;
}

TEST(CallCandidates, KeywordsWithParenthesesAreNoCallsInEveryFlavour) {
    for (CFlavor flavor : {CFlavor::C, CFlavor::Java, CFlavor::CSharp})
        for (const char* name : {"catch", "throw", "delete", "typeof", "decltype", "alignof",
                                 "noexcept", "static_assert", "__attribute__", "__declspec", "asm",
                                 "__asm", "offsetof", "va_arg", "volatile", "__builtin_expect"})
            EXPECT_FALSE(IsCCandidate(name, flavor)) << name;
}

TEST(CallCandidates, JavaAndCSharpKeywordsMayNameCFunctions) {
    for (const char* name :
         {"synchronized", "using", "lock", "nameof", "default", "checked", "unchecked", "fixed"}) {
        EXPECT_TRUE(IsCCandidate(name, CFlavor::C)) << name;
        EXPECT_FALSE(IsCCandidate(name, CFlavor::Java)) << name;
        EXPECT_FALSE(IsCCandidate(name, CFlavor::CSharp)) << name;
    }
}

TEST(CallCandidates, BasicAndPascalHaveTheirOwnLists) {
    EXPECT_FALSE(IsBasicCandidate("_hidden"));
    EXPECT_FALSE(IsBasicCandidate(".Method"));
    EXPECT_FALSE(IsBasicCandidate("Dim"));
    EXPECT_TRUE(IsBasicCandidate("dim")); // keyword comparisons keep letter case
    EXPECT_TRUE(IsBasicCandidate("Calculate"));
    EXPECT_FALSE(IsPascalCandidate("class"));
    EXPECT_FALSE(IsPascalCandidate(":label"));
    EXPECT_FALSE(IsPascalCandidate("SizeOf"));
    EXPECT_TRUE(IsPascalCandidate("_private"));
}

TEST(CallCandidates, ExceptionListAppliesWithOptionSeven) {
    NFileAnly engine;
    engine.AddExceptModule("TRACE");
    EXPECT_TRUE(IsCCandidate(engine, "TRACE", CFlavor::C)); // option 7 off
    engine.SetOption(kOptExceptModule, 1);
    EXPECT_FALSE(IsCCandidate(engine, "TRACE", CFlavor::C));
    EXPECT_TRUE(IsCCandidate(engine, "trace", CFlavor::C));
    EXPECT_FALSE(IsBasicCandidate(engine, "TRACE"));
    EXPECT_FALSE(IsPascalCandidate(engine, "TRACE"));
    engine.SetOption(kOptIgnoreCase, 1);
    EXPECT_FALSE(IsCCandidate(engine, "trace", CFlavor::C));
}

TEST(StatementKinds, BlockKeywordsGiveHeadAndPendingBits) {
    EXPECT_EQ(CStatementKind("if"), 0x220000u);
    EXPECT_EQ(CStatementKind("catch"), 0x220000u);
    EXPECT_EQ(CStatementKind("default"), 0x80000u);
    EXPECT_EQ(CStatementKind("foreach"), 0x110000u);
    EXPECT_EQ(CStatementKind("If"), 0u); // C keywords are case-sensitive
    EXPECT_EQ(CStatementKind("~"), 0u);
    EXPECT_EQ(CStatementKind("\"if\""), 0u);
    EXPECT_EQ(BasicStatementKind("Then"), 0x200000u);
    EXPECT_EQ(BasicStatementKind("ElseIf"), 0x280000u);
    EXPECT_EQ(BasicStatementKind("Select"), 0x220000u);
    EXPECT_EQ(BasicStatementKind("if"), 0u);
}

TEST(BranchKeywords, ElseDefaultAndCatchAreNoBranchPoints) {
    for (const char* k : {"if", "for", "while", "until", "switch", "case"})
        EXPECT_TRUE(IsCBranchKeyword(k)) << k;
    for (const char* k : {"else", "default", "catch", "do", "foreach"})
        EXPECT_FALSE(IsCBranchKeyword(k)) << k;
    EXPECT_TRUE(IsBasicBranchKeyword("ElseIf"));
    EXPECT_FALSE(IsBasicBranchKeyword("Else"));
    EXPECT_TRUE(IsPascalBranchKeyword("until"));
    EXPECT_FALSE(IsPascalBranchKeyword("switch"));
}

} // namespace
} // namespace lumbra
