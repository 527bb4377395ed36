// Which lines conditional directives leave active, for the C, Pascal and assembler families, and
// what the expression evaluator makes of conditions and "#define" values.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <sstream>

#include "NFileAnly.h"
#include "cfamily/CPreprocessor.h"
#include "common/ConditionalCompilation.h"

namespace lumbra::test {
namespace {

// A preprocessor on a bare engine with options 1 and 2 on; the global constants stand for the
// constant define file.
class Conditions {
public:
    Conditions() {
        engine.SetOption(kOptUseDefineConstant, 1);
        engine.SetOption(kOptUseConditionInFile, 1);
    }

    void Define(const std::string& name, int value, const char* text = nullptr) {
        ConstantRecord c;
        c.name = name;
        c.value = value;
        if (text) {
            c.isText = 1;
            c.hasText = true;
            c.text = text;
        }
        engine.AddGlobalConstant(std::move(c));
    }

    // One state per line, "#" marking a directive line, then 1 (active) or 0.
    std::string States(std::string_view source) {
        pre.BeginPass(engine, file, false);
        std::string out;
        std::istringstream in{std::string(source)};
        for (std::string line; std::getline(in, line);) {
            // The scanner skips leading blanks before it asks.
            const std::size_t first = std::min(line.find_first_not_of(' '), line.size());
            const unsigned s = pre.LineState(engine, std::string_view(line).substr(first), false);
            if (!out.empty())
                out += ' ';
            out += (s & kConditionDirective) ? "#" : "";
            out += (s & kConditionActive) ? "1" : "0";
        }
        return out;
    }

    NFileAnly engine;
    FileRecord file;
    std::shared_ptr<ConditionalCompilation> shared = std::make_shared<ConditionalCompilation>();
    CPreprocessor pre{shared};
};

struct StateCase {
    const char* name;
    const char* source;
    const char* states;
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << c.name;
}

class CDirectives : public ::testing::TestWithParam<StateCase> {};

TEST_P(CDirectives, LeaveTheExpectedLinesActive) {
    Conditions c;
    c.Define("A", 1);
    c.Define("ZERO", 0);
    c.Define("WINVER", 0x0601);
    EXPECT_EQ(c.States(GetParam().source), GetParam().states);
}

const StateCase kCDirectives[] = {
    {"IfZeroElse", "#if 0\na\n#else\nb\n#endif\nc", "#0 0 #1 1 #1 1"},
    {"OnlyTheFirstTakenBranch", "#if 1\na\n#elif 1\nb\n#else\nc\n#endif", "#1 1 #0 0 #0 0 #1"},
    {"ElifAfterUntakenBranches", "#if 0\n#elif ZERO\n#elif A\nx\n#else\ny\n#endif",
     "#0 #0 #1 1 #0 0 #1"},
    {"IfdefInsideAnExcludedRegion", "#if 0\n#ifdef A\nx\n#else\ny\n#endif\nz\n#endif\nw",
     "#0 #0 0 #0 0 #0 0 #1 1"},
    {"IfdefAndIfndef", "#ifdef A\na\n#endif\n#ifndef A\nb\n#endif\n#ifdef B\nc\n#endif",
     "#1 1 #1 #0 0 #1 #0 0 #1"},
    {"DefinedWithAndWithoutParentheses",
     "#if defined(WINVER) && WINVER >= 0x0500\na\n#endif\n#if defined B || !defined A\nb\n#endif",
     "#1 1 #1 #0 0 #1"},
    {"EndifWithoutAGroupStaysAtLevelZero", "#endif\na\n#if 0\nb\n#endif\nc", "#1 1 #0 0 #1 1"},
    {"BlanksAfterTheHash", "# if 0\na\n  # else\nb\n#  endif", "#0 0 #1 1 #1"},
    {"CommentsAndOtherDirectivesAreOrdinaryLines",
     "#if 0 /* x */\n#define Q\n#elseif 1\n#endif // done\n#ifdef A // note\nq\n#endif",
     "#0 0 0 #1 #1 1 #1"},
    {"UnknownNamesAreZero", "#if UNKNOWN\na\n#elif UNKNOWN == 0\nb\n#endif", "#0 0 #1 1 #1"},
    {"ElseAfterATakenElif", "#if 0\n#elif 1\na\n#else\nb\n#endif", "#0 #1 1 #0 0 #1"},
    {"NestedGroupsReturnToTheirLevel", "#if 1\n#if 0\na\n#endif\nb\n#else\nc\n#endif\nd",
     "#1 #0 0 #1 1 #0 0 #1 1"},
};

INSTANTIATE_TEST_SUITE_P(Lines, CDirectives, ::testing::ValuesIn(kCDirectives),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CDirectives, InsideABlockCommentNothingIsADirective) {
    Conditions c;
    c.pre.BeginPass(c.engine, c.file, false);
    EXPECT_EQ(c.pre.LineState(c.engine, "#if 0", true), kConditionActive);
    EXPECT_EQ(c.pre.LineState(c.engine, "x", false), kConditionActive);
}

TEST(CDirectives, WithOption2ClearEveryLineIsActive) {
    Conditions c;
    c.engine.SetOption(kOptUseConditionInFile, 0);
    EXPECT_EQ(c.States("#if 0\na\n#else\nb\n#endif"), "1 1 1 1 1");
}

TEST(CDirectives, ANewPassStartsWithAnEmptyStack) {
    Conditions c;
    EXPECT_EQ(c.States("#if 0\n#if 1"), "#0 #0");
    EXPECT_EQ(c.States("a"), "1");
}

TEST(ConditionStack, DeepGroupsAreEvaluated) {
    Conditions c;
    std::string source;
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        source += "#if 1\n";
        expected += "#1 ";
    }
    source += "#if 0\nx\n#else\ny\n#endif\n";
    expected += "#0 0 #1 1 #1 ";
    for (int i = 0; i < 40; ++i) {
        source += "#endif\n";
        expected += "#1 ";
    }
    EXPECT_EQ(c.States(source + "z"), expected + "1");
}

TEST(ConditionStack, GroupsBeyondTheLastLevelAreCountedNotEvaluated) {
    ConditionStack stack;
    for (int i = 0; i < ConditionStack::kMaxLevels; ++i)
        stack.Open(true);
    EXPECT_EQ(stack.Level(), ConditionStack::kMaxLevels - 1);
    // Beyond the levels a "#if 0" changes nothing, and its "#endif" closes only it.
    EXPECT_EQ(stack.Open(false), kConditionDirective | kConditionActive);
    EXPECT_EQ(stack.Else(), kConditionDirective | kConditionActive);
    EXPECT_EQ(stack.Open(false), kConditionDirective | kConditionActive);
    EXPECT_EQ(stack.Overflow(), 2);
    stack.EndIf();
    stack.EndIf();
    EXPECT_EQ(stack.Level(), ConditionStack::kMaxLevels - 1);
    stack.EndIf();
    EXPECT_EQ(stack.Open(false), kConditionDirective) << "the last level is evaluated";
    for (int i = 0; i < ConditionStack::kMaxLevels; ++i)
        stack.EndIf();
    EXPECT_EQ(stack.Level(), 0);
    EXPECT_EQ(stack.LineState(), kConditionActive);
}

TEST(ConditionStack, AnExcludedOuterGroupStaysExcludedThroughDeepNesting) {
    Conditions c;
    std::string source = "#if 0\n";
    for (int i = 0; i < 30; ++i)
        source += "#if 1\n";
    source += "x\n";
    for (int i = 0; i < 30; ++i)
        source += "#endif\n";
    source += "y\n#endif\nz";
    std::string expected;
    for (int i = 0; i < 31; ++i)
        expected += "#0 ";
    expected += "0 ";
    for (int i = 0; i < 30; ++i)
        expected += "#0 ";
    expected += "0 #1 1";
    EXPECT_EQ(c.States(source), expected);
}

// --- Pascal and assembler directives ---------------------------------------------------------

class OtherFamilies : public ::testing::Test {
protected:
    unsigned state(DirectiveFamily family, Directive d, std::string_view operand = {}) {
        return c.shared->DirectiveState(c.engine, family, d, operand);
    }
    Conditions c;
};

TEST_F(OtherFamilies, PascalNamesCompareExactlyAndConstantsUpperCased) {
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$IFDEF"), Directive::IfDef);
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$IFNDEF"), Directive::IfNDef);
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$ELIF"), Directive::ElseIf);
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$ENDIF"), Directive::EndIf);
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$ifdef"), Directive::None);
    EXPECT_EQ(ConditionalCompilation::PascalDirective("$IFOPT"), Directive::None);

    c.Define("DEBUG", 1);
    c.Define("OFF", 0);
    c.shared->BeginPass(c.engine);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::IfDef, "debug"), 0x8001u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::EndIf), 0x8001u);
    // "$IF": a number is true when non-zero, a name when its constant is non-zero.
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::If, "off"), 0x8000u);
    EXPECT_EQ(c.shared->LineState(c.engine), 0u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::ElseIf, "2"), 0x8001u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::Else), 0x8000u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::EndIf), 0x8001u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::If, "MISSING"), 0x8000u);
    EXPECT_EQ(state(DirectiveFamily::Pascal, Directive::IfNDef, "MISSING"), 0x8000u)
        << "inside an excluded group";
}

TEST_F(OtherFamilies, AssemblerNamesComeFromTheConditionWord) {
    c.engine.AddKeywords(".aif", 9);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AIF"), Directive::If);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".aifdef"), Directive::IfDef);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AIFNDEF"), Directive::IfNDef);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AELSE"), Directive::Else);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AELIF"), Directive::ElseIf);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AENDI"), Directive::EndIf);
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(c.engine, ".AENDIF"), Directive::None);

    NFileAnly none;
    EXPECT_EQ(ConditionalCompilation::AssemblerDirective(none, "IF"), Directive::None)
        << "no Condition word, no directives";

    // An equate keeps the spelling of its label; upper-cased names are found as well.
    c.Define("mode", 2);
    c.shared->BeginPass(c.engine);
    EXPECT_EQ(state(DirectiveFamily::Assembler, Directive::If, "mode"), 0x8001u);
    EXPECT_EQ(state(DirectiveFamily::Assembler, Directive::EndIf), 0x8001u);
    c.Define("FLAG", 1);
    EXPECT_EQ(state(DirectiveFamily::Assembler, Directive::IfDef, "flag"), 0x8001u);
    EXPECT_EQ(state(DirectiveFamily::Assembler, Directive::Else), 0x8000u);
}

// --- expressions -------------------------------------------------------------------------------

struct ValueCase {
    const char* expression;
    std::int32_t value;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.expression;
}

class Expressions : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Expressions, EvaluateWithSigned32BitWrapAround) {
    Conditions c;
    c.Define("FOUR", 4);
    c.Define("TEXT", 1, "12abc");
    const Evaluation e = c.shared->Evaluate(c.engine, GetParam().expression, false);
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Expressions,
    ::testing::Values(ValueCase{"1 + 2 * 3", 7}, ValueCase{"(1 + 2) * 3", 9},
                      ValueCase{"7 % 4 + 1", 4}, ValueCase{"A && B || 1", 1},
                      ValueCase{"3 > 2 == 1", 1}, ValueCase{"2 <= 1", 0}, ValueCase{"5 != 5", 0},
                      ValueCase{"0x10 | 1", 17}, ValueCase{"6 & 3 ^ 1", 3}, ValueCase{"-5", -5},
                      ValueCase{"+5", 5}, ValueCase{"!0 + !7", 1}, ValueCase{"~0", -1},
                      ValueCase{"10 / 0", 10}, ValueCase{"10 % 0", 0}, ValueCase{"1 << 33", 2},
                      ValueCase{"1 << 31", INT_MIN}, ValueCase{"-8 >> 1", -4},
                      ValueCase{"-8 >> (0 - 31)", -4}, ValueCase{"2147483647 + 1", INT_MIN},
                      ValueCase{"65536 * 65536", 0}, ValueCase{"0 - 2147483647 - 2", INT_MAX},
                      ValueCase{"(0 - 2147483647 - 1) / (0 - 1)", INT_MIN},
                      ValueCase{"(0 - 2147483647 - 1) % (0 - 1)", 0}, ValueCase{"FOUR * 2", 8},
                      ValueCase{"TEXT + 1", 13},
                      ValueCase{"defined FOUR + defined(TEXT) + defined NONE", 2},
                      ValueCase{"1e+5 > 0", 1}, ValueCase{"07 + 010", 17}, ValueCase{"2 *", 2},
                      ValueCase{"", 0}, ValueCase{"1 ? 2 : 3", 3}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Expressions, TheDefineContextMarksWhatIsNoNumber) {
    Conditions c;
    c.Define("FOUR", 4);
    c.Define("TEXT", 1, "abc");
    auto status = [&](const char* text) { return c.shared->Evaluate(c.engine, text, true).status; };
    EXPECT_EQ(status("(4*2)"), 0);
    EXPECT_EQ(status("FOUR << 1"), 0);
    EXPECT_EQ(status("-1"), 0);
    EXPECT_NE(status("foo"), 0);
    EXPECT_NE(status("TEXT"), 0);
    EXPECT_NE(status("sizeof(int)"), 0);
    EXPECT_NE(status("1 2"), 0) << "no single expression";
    EXPECT_NE(status("()"), 0);
    EXPECT_EQ(c.shared->Evaluate(c.engine, "foo", false).status, 0) << "conditions read text as 0";
}

} // namespace
} // namespace lumbra::test
