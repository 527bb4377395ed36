// Tokenizing conditional expressions and bringing them into postfix order.
#include <gtest/gtest.h>

#include "common/NvParser.h"

namespace lumbra {
namespace {

std::string postfix(std::string_view expression) {
    CNvParserCpp parser;
    parser.Tokenize(expression);
    std::vector<ParserToken> copy = parser.Tokens();
    parser.ToPostfix(copy);
    std::string out;
    for (const ParserToken& t : parser.Output()) {
        if (!out.empty())
            out += ' ';
        out += t.text;
    }
    return out;
}

struct PostfixCase {
    const char* expression;
    const char* expected;
};

class PostfixTest : public ::testing::TestWithParam<PostfixCase> {};

TEST_P(PostfixTest, FollowsThePrecedenceTable) {
    EXPECT_EQ(postfix(GetParam().expression), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, PostfixTest,
    ::testing::Values(PostfixCase{"A && B || C", "A B && C ||"},
                      PostfixCase{"(1 + 2) * 3", "1 2 + 3 *"},
                      PostfixCase{"1 + 2 * 3", "1 2 3 * +"}, PostfixCase{"7 % 4 + 1", "7 4 % 1 +"},
                      PostfixCase{"defined(X) && X > 2", "defined X X 2 > &&"},
                      PostfixCase{"1e+5 > 0", "1e+5 0 >"},
                      PostfixCase{"A /* note */ + B // tail", "A B +"},
                      PostfixCase{"a - b - c", "a b - c -"},     // equal precedence: from the left
                      PostfixCase{"x << 2 >= y", "x 2 << y >="}, // shift binds tighter
                      PostfixCase{"(a", "a"},                    // "(" without ")" is dropped
                      PostfixCase{"a ) + b", "a b +"},           // ")" without "(" is ignored
                      PostfixCase{"!A && ~B", "A ! B ~ &&"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Tokenize, OperatorsMatchTheFirstTableEntry) {
    CNvParser parser;
    int length = 0;
    EXPECT_EQ(parser.GetPrecedence(parser.MatchOperator("->x", length), 0), 16);
    EXPECT_EQ(length, 2);
    parser.MatchOperator(">>=1", length);
    EXPECT_EQ(length, 3);
    parser.MatchOperator("-1", length);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(parser.MatchOperator("abc", length), 0);
    EXPECT_EQ(parser.GetPrecedence(parser.MatchOperator("&&", length), 1), 3);
    EXPECT_EQ(parser.GetPrecedence(1, 2), 0);
    EXPECT_EQ(parser.GetPrecedence(999, 0), 0);
}

TEST(Tokenize, KeywordsLiteralsAndLineEnds) {
    CNvParserCpp parser;
    parser.Tokenize("#if sizeof(\"a)b\") 'x'\r\nint");
    const auto& t = parser.Tokens();
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[0].kind, ParserTokenKind::Keyword);
    EXPECT_EQ(t[0].text, "#if");
    EXPECT_EQ(t[1].kind, ParserTokenKind::Blank);
    EXPECT_EQ(t[2].kind, ParserTokenKind::Keyword); // sizeof
    EXPECT_EQ(t[3].kind, ParserTokenKind::Operator);
    EXPECT_EQ(t[4].kind, ParserTokenKind::String);
    EXPECT_EQ(t[4].text, "\"a)b\"");
    EXPECT_EQ(t[7].kind, ParserTokenKind::Character);
    EXPECT_EQ(t[8].kind, ParserTokenKind::LineEnd);
    EXPECT_EQ(t[9].text, "int");
    EXPECT_EQ(parser.FindKeyword("while"), 48);
    EXPECT_EQ(parser.FindKeyword("defined"), 0);
}

TEST(Tokenize, ExponentsJoinOnlyBetweenNumbers) {
    CNvParserCpp cpp;
    cpp.Tokenize("2.5E-3+x");
    ASSERT_EQ(cpp.Tokens().size(), 3u);
    EXPECT_EQ(cpp.Tokens()[0].text, "2.5E-3");
    cpp.Tokenize("xe+1");
    EXPECT_EQ(cpp.Tokens().size(), 3u); // "xe" is no number
    CNvParser plain;
    plain.Tokenize("1e+5");
    EXPECT_EQ(plain.Tokens().size(), 3u); // only the C++ variant joins
}

TEST(Tokenize, ShiftJisTrailBytesStayInTheirWord) {
    CNvParser parser;
    parser.SetCodePage(932);
    parser.Tokenize("\x95\x5c+1"); // a character whose second byte is a backslash
    ASSERT_EQ(parser.Tokens().size(), 3u);
    EXPECT_EQ(parser.Tokens()[0].text, "\x95\x5c");
}

} // namespace
} // namespace lumbra
