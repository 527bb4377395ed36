// The C-family token reader: where tokens end, literals taken whole, literals that go on over
// lines, and the label mode of header comments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfamily/CTokenReader.h"

namespace lumbra {
namespace {

// The tokens of the lines, read as the scanner does: blanks skipped, a stop character is a token
// of its own, a literal still open at a line end is continued on the next line.
std::vector<std::string> tokens(std::vector<std::string> lines, CFlavor flavor = CFlavor::C,
                                bool cp932 = false) {
    CTokenReader reader;
    reader.SetFlavor(flavor);
    reader.SetCodePage932(cp932);
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const char* p = line.c_str();
        if (reader.InLiteral()) {
            const char* e = reader.ContinueLiteral(p);
            out.push_back("+" + std::string(p, e));
            p = e;
        }
        while (*p) {
            if (CTokenReader::IsBlank(*p)) {
                ++p;
                continue;
            }
            const char* e = reader.Read(p);
            if (e == p)
                ++e;
            out.emplace_back(p, e);
            p = e;
        }
    }
    return out;
}

using Tokens = std::vector<std::string>;

TEST(CTokenReader, ColonsJoinQualifiedNamesOnly) {
    EXPECT_EQ(tokens({"std::vector<int>::size(x)"}),
              (Tokens{"std::vector", "<", "int", ">", "::size", "(", "x", ")"}));
    EXPECT_EQ(tokens({"a::b:c d"}), (Tokens{"a::b:c", "d"}));
    EXPECT_EQ(tokens({"case X: y"}), (Tokens{"case", "X", ":", "y"}));
    EXPECT_EQ(tokens({"http://host"}), (Tokens{"http", ":", "/", "/", "host"}));
}

TEST(CTokenReader, StopCharactersEndTokens) {
    EXPECT_EQ(tokens({"a+b->c[1]|d^e!f%g?h"}),
              (Tokens{"a", "+", "b", "-", ">", "c", "[", "1", "]", "|", "d", "^", "e", "!", "f",
                      "%", "g", "?", "h"}));
    EXPECT_EQ(tokens({"obj.method(~x)"}), (Tokens{"obj.method", "(", "~x", ")"}));
}

TEST(CTokenReader, LiteralsAreTakenWhole) {
    EXPECT_EQ(
        tokens({"f(\"a ( { \\\" } /* x\", 'c', '\\'', '{')"}),
        (Tokens{"f", "(", "\"a ( { \\\" } /* x\"", ",", "'c'", ",", "'\\''", ",", "'{'", ")"}));
    EXPECT_EQ(tokens({"L\"wide\" u8\"x\"y"}), (Tokens{"L\"wide\"", "u8\"x\"y"}));
    EXPECT_EQ(tokens({"1'000'000;"}), (Tokens{"1'000'000", ";"}));
    EXPECT_EQ(tokens({"s = \"open"}), (Tokens{"s", "=", "\"open"}));
}

TEST(CTokenReader, StringEndingInBackslashGoesOnNextLine) {
    EXPECT_EQ(tokens({"s = \"first { \\", "second } \" ; x"}),
              (Tokens{"s", "=", "\"first { \\", "+second } \"", ";", "x"}));
}

TEST(CTokenReader, RawStringsSpanLines) {
    EXPECT_EQ(tokens({"r = R\"(", "int f() {", ")\" ; g"}),
              (Tokens{"r", "=", "R\"(", "+int f() {", "+)\"", ";", "g"}));
    EXPECT_EQ(tokens({"R\"x()\" )x\" y"}), (Tokens{"R\"x()\" )x\"", "y"}));
    // Not a raw-string prefix: an ordinary string after a name.
    EXPECT_EQ(tokens({"XR\"a\" b"}), (Tokens{"XR\"a\"", "b"}));
}

TEST(CTokenReader, VerbatimStringsInCSharpOnly) {
    EXPECT_EQ(tokens({"p = @\"C:\\dir\\\"; f()"}, CFlavor::CSharp),
              (Tokens{"p", "=", "@\"C:\\dir\\\"", ";", "f", "(", ")"}));
    EXPECT_EQ(tokens({"q = @\"say \"\"hi\"\"", "more\"; g"}, CFlavor::CSharp),
              (Tokens{"q", "=", "@\"say \"\"hi\"\"", "+more\"", ";", "g"}));
}

TEST(CTokenReader, TextBlocksInJavaAndCSharp) {
    EXPECT_EQ(tokens({"s = \"\"\"", "  { \" }", "  \"\"\"; t"}, CFlavor::Java),
              (Tokens{"s", "=", "\"\"\"", "+  { \" }", "+  \"\"\"", ";", "t"}));
    // In C the same characters are an empty string and an unterminated one.
    EXPECT_EQ(tokens({"s = \"\"\" x"}), (Tokens{"s", "=", "\"\"\" x"}));
}

TEST(CTokenReader, ShiftJisPairsKeepTheirTrailByte) {
    // 0x95 0x5C is one character whose second byte is a backslash.
    const std::string line = "s = \"\x95\\\"; t";
    EXPECT_EQ(tokens({line}, CFlavor::C, true), (Tokens{"s", "=", "\"\x95\\\"", ";", "t"}));
    // Without code page 932 the backslash escapes the quote.
    EXPECT_EQ(tokens({line}, CFlavor::C, false), (Tokens{"s", "=", "\"\x95\\\"; t"}));
}

TEST(CTokenReader, LabelModeSkipsSeparatorsAndStopsAtStars) {
    std::string word;
    std::string_view rest = CTokenReader::ReadLabel("  Name := value*/", word, ":=");
    EXPECT_EQ(word, "Name");
    rest = CTokenReader::ReadLabel(rest, word, ":=");
    EXPECT_EQ(word, "value");
    EXPECT_EQ(rest, "*/");
    CTokenReader::ReadLabel("\t", word, ":=");
    EXPECT_EQ(word, "");
}

} // namespace
} // namespace lumbra
