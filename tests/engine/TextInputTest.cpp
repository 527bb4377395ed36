// Encoding detection, line splitting, conversion into the internal code page, and the
// description texts of a file.
#include <gtest/gtest.h>

#include "Lang.h"
#include "Sinks.h"
#include "TempDir.h"
#include "TextInput.h"

namespace lumbra {
using namespace std::string_literals;
namespace {

using test::TempDir;

// "Japanese text" (nihongo tesuto) in each encoding.
const std::string kUtf8 =
    "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88";
const std::string kSjis = "\x93\xfa\x96\x7b\x8c\xea\x83\x65\x83\x58\x83\x67";
const std::string kEuc = "\xc6\xfc\xcb\xdc\xb8\xec\xa5\xc6\xa5\xb9\xa5\xc8";
const std::string kJis = "\x1b\x24\x42\x46\x7c\x4b\x5c\x38\x6c\x25\x46\x25\x39\x25\x48\x1b\x28\x42";

std::string utf16(std::string_view ascii, bool le) {
    std::string out;
    for (char c : ascii) {
        out += le ? c : '\0';
        out += le ? '\0' : c;
    }
    return out;
}

TextReadSettings autoSettings() {
    return TextReadSettings{};
}

struct DetectCase {
    const char* name;
    std::string bytes;
    int encoding;
    std::uint8_t lineEnd;
};

void PrintTo(const DetectCase& c, std::ostream* os) {
    *os << c.name;
}

class DetectTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTest, FindsEncodingAndLineEnd) {
    const DetectCase& c = GetParam();
    TextFormat f = DetectTextFormat(c.bytes, autoSettings());
    EXPECT_EQ(f.encoding, c.encoding);
    EXPECT_EQ(f.lineEnd, c.lineEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DetectTest,
    ::testing::Values(
        DetectCase{"PureAsciiIsAnsi", "int main() {}\n", kEncAnsi, kLineEndLf},
        DetectCase{"NoLineEndIsLf", "x", kEncAnsi, kLineEndLf},
        DetectCase{"CrLf", "a\r\nb\r\n", kEncAnsi, kLineEndCrLf},
        DetectCase{"CrOnly", "a\rb\r", kEncAnsi, kLineEndCr},
        DetectCase{"Utf8Bom", "\xef\xbb\xbfx\n", kEncUtf8, kLineEndLf},
        DetectCase{"Utf8WithoutBom", "// " + kUtf8 + "\n", kEncUtf8, kLineEndLf},
        DetectCase{"MalformedUtf8FallsBackToScores", "// " + kUtf8 + "\xff\n", kEncAnsi,
                   kLineEndLf},
        DetectCase{"ShiftJis", "// " + kSjis + "\r\n", kEncAnsi, kLineEndCrLf},
        DetectCase{"EucJp", "// " + kEuc + "\n", kEncEucJp, kLineEndLf},
        DetectCase{"Jis", "// " + kJis + "\n", kEncJis, kLineEndLf},
        DetectCase{"Utf16LeBom", "\xff\xfe" + utf16("a\r\nb", true), kEncUtf16Le, kLineEndCrLf},
        DetectCase{"Utf16BeBom", "\xfe\xff" + utf16("a\rb", false), kEncUtf16Be, kLineEndCr},
        DetectCase{"Utf16LeWithoutBom", utf16("ab\ncd", true), kEncUtf16Le, kLineEndLf},
        DetectCase{"Utf16BeWithoutBom", utf16("ab\r\ncd", false), kEncUtf16Be, kLineEndCrLf},
        DetectCase{"EofMarkEndsDetection", "abc\x1a\r\n", kEncAnsi, kLineEndLf}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Detect, TiesGoToAnsiThenJisThenEuc) {
    // Two bytes that score one pair for Shift-JIS and one for EUC-JP: a tie, so ANSI.
    EXPECT_EQ(DetectContentEncoding("\xe0\xa1"), kEncAnsi);
    // EUC beats Shift-JIS once Shift-JIS fails on a trail byte it cannot take.
    EXPECT_EQ(DetectContentEncoding("\xa4\xa2\xa4\xa4"), kEncEucJp);
    // Well-formed UTF-8 wins a tie: "caf\xc3\xa9" scores one UTF-8 sequence and one EUC pair.
    EXPECT_EQ(DetectContentEncoding("caf\xc3\xa9\n"), kEncUtf8);
    // Malformed UTF-8 with no other scores stays ANSI.
    EXPECT_EQ(DetectContentEncoding("\xc3"), kEncAnsi);
}

TEST(Detect, AutoDetectOffUsesTheDefaultForEveryFile) {
    TextReadSettings s;
    s.autoDetect = 0;
    s.defaultEncoding = kEncUtf16Be;
    TextFormat f = DetectTextFormat("plain ascii\r\n", s);
    EXPECT_EQ(f.encoding, kEncUtf16Be);
    SourceText t = SourceText::FromBytes(utf16("ab\ncd\n", false), s);
    ASSERT_EQ(t.lineCount(), 2u);
    EXPECT_EQ(t.line(1), "cd");
}

TEST(Lines, SplitAtTheDetectedDelimiter) {
    SourceText lf = SourceText::FromBytes("a\nb\n\nc", autoSettings());
    ASSERT_EQ(lf.lineCount(), 4u);
    EXPECT_EQ(lf.line(2), "");
    EXPECT_EQ(lf.line(3), "c");

    SourceText crlf = SourceText::FromBytes("a\r\nb\r\n", autoSettings());
    ASSERT_EQ(crlf.lineCount(), 2u);
    EXPECT_EQ(crlf.line(0), "a");
    EXPECT_EQ(crlf.lineEnd(), kLineEndCrLf);

    SourceText cr = SourceText::FromBytes("a\rb\rc", autoSettings());
    ASSERT_EQ(cr.lineCount(), 3u);
    EXPECT_EQ(cr.line(2), "c");

    // The end-of-file mark at the end of a line is dropped; an empty file has no lines.
    SourceText eof = SourceText::FromBytes("x\n\x1a", autoSettings());
    ASSERT_EQ(eof.lineCount(), 2u);
    EXPECT_EQ(eof.line(1), "");
    EXPECT_EQ(SourceText::FromBytes("", autoSettings()).lineCount(), 0u);
}

TEST(Lines, LongLinesAndNulBytesAreKeptWhole) {
    std::string longLine(100000, 'x');
    SourceText t = SourceText::FromBytes(longLine + "\nA\0B\n"s, autoSettings());
    ASSERT_EQ(t.lineCount(), 2u);
    EXPECT_EQ(t.line(0).size(), 100000u);
    EXPECT_EQ(t.line(1), std::string_view("A\0B", 3));
    EXPECT_EQ(t.line(0).data()[t.line(0).size()], '\0');
}

TEST(Convert, EveryJapaneseEncodingArrivesAsUtf8) {
    TextReadSettings s = autoSettings(); // internal code page 65001
    for (const std::string& text : {kSjis, kEuc, kJis, kUtf8}) {
        SourceText t = SourceText::FromBytes("// " + text + "\n", s);
        ASSERT_EQ(t.lineCount(), 1u);
        EXPECT_EQ(t.line(0), "// " + kUtf8);
    }
    SourceText bom = SourceText::FromBytes("\xef\xbb\xbf" + kUtf8 + "\n", s);
    EXPECT_EQ(bom.line(0), kUtf8);
    SourceText le = SourceText::FromBytes(
        "\xff\xfe/\0/\0 \0\xe5\x65\x2c\x67\x9e\x8a\xc6\x30\xb9\x30\xc8\x30\n\0"s, s);
    ASSERT_EQ(le.lineCount(), 1u);
    EXPECT_EQ(le.line(0), "// " + kUtf8);
}

TEST(Convert, InternalShiftJisUsesTheJisArithmetic) {
    TextReadSettings s = autoSettings();
    s.codePage = kCodePageShiftJis;
    std::string line = kEuc;
    ConvertToInternal(line, kEncEucJp, s);
    EXPECT_EQ(line, kSjis);
    line = kJis;
    ConvertToInternal(line, kEncJis, s);
    EXPECT_EQ(line, kSjis);
    line = kUtf8;
    ConvertToInternal(line, kEncUtf8, s);
    EXPECT_EQ(line, kSjis);
    line = kSjis;
    ConvertToInternal(line, kEncAnsi, s);
    EXPECT_EQ(line, kSjis);
    // Half-width katakana of EUC-JP become single bytes with a Japanese interface only.
    s.japaneseUi = true;
    line = "\x8e\xb1";
    ConvertToInternal(line, kEncEucJp, s);
    EXPECT_EQ(line, "\xb1");
}

TEST(Convert, InvalidBytesBecomeReplacementCharacters) {
    std::string line = "a\xff"
                       "b";
    ConvertToInternal(line, kEncUtf8, autoSettings());
    EXPECT_EQ(line, "a\xef\xbf\xbd"
                    "b");
    line = "x\x81";
    ConvertToInternal(line, kEncAnsi, autoSettings());
    EXPECT_EQ(line, "x\xef\xbf\xbd");
}

TEST(Describe, SizeTextsSwitchUnitsAboveTheirLimits) {
    EXPECT_EQ(FormatFileSize(1024), "1024B");
    EXPECT_EQ(FormatFileSize(1025), "1kB");
    EXPECT_EQ(FormatFileSize(1048576), "1024kB");
    EXPECT_EQ(FormatFileSize(1048577), "1MB");
    EXPECT_EQ(FormatFileSize(5000000000ULL), "4768MB");
}

TEST(Describe, DateOrderAndEncodingNamesFollowTheLanguage) {
    FileInfo info;
    info.name = "main.c";
    info.timeStamp = {2026, 3, 0, 4, 5, 6, 7, 0};
    info.size = 2048;
    info.encoding = kEncEucJp;
    info.lineEnd = kLineEndCrLf;
    FileDescription en = DescribeFile(info, false);
    EXPECT_EQ(en.nameDateSize, "main.c  03/04/2026 05:06:07 2kB");
    EXPECT_EQ(en.encodingLineEnd, "EUC (CR+LF)");
    FileDescription ja = DescribeFile(info, true);
    EXPECT_EQ(ja.nameDateSize, "main.c  2026/03/04 05:06:07 2kB");
    EXPECT_EQ(ja.encodingLineEnd, "EUC-JP (CR+LF)");
    info.lineEnd = 0;
    EXPECT_EQ(DescribeFile(info, false).encodingLineEnd, "EUC");
}

TEST(CodePages, ListHoldsTheUsualOnesInItsFormat) {
    std::vector<std::string> list = CodePageList();
    EXPECT_NE(std::find(list.begin(), list.end(), "65001 utf-8 Unicode (UTF-8)"), list.end());
    EXPECT_NE(std::find(list.begin(), list.end(), "932 shift_jis Japanese (Shift-JIS)"),
              list.end());
    EXPECT_TRUE(IsCodePageSupported(1252));
    EXPECT_FALSE(IsCodePageSupported(12345));
}

class RecordingSink : public MessageSink {
public:
    std::vector<std::string> texts;
    bool Message(const std::string& text, const std::string&, MessageKind) override {
        texts.push_back(text);
        return true;
    }
};

TEST(IncludeTree, AddsTheFolderFirstThenSubFoldersDepthFirst) {
    TempDir dir;
    dir.write("root/b/x.h", "");
    dir.write("root/a/deep/y.h", "");
    dir.write("root/.svn/z", "");
    std::string text;
    RecordingSink sink;
    std::string root = (dir.path() / "root").string();
    ASSERT_TRUE(AppendIncludeTree(root, text, sink));
    EXPECT_EQ(text, root + ";" + root + "/a;" + root + "/a/deep;" + root + "/b;");
    EXPECT_TRUE(sink.texts.empty());
}

TEST(IncludeTree, TooManyFoldersAddNothing) {
    TempDir dir;
    for (int i = 0; i < 1000; ++i)
        dir.write("root/d" + std::to_string(i) + "/f", "");
    std::string text = "keep;";
    RecordingSink sink;
    EXPECT_FALSE(AppendIncludeTree((dir.path() / "root").string(), text, sink));
    EXPECT_EQ(text, "keep;");
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0], "Dirctory Number Limit(1000) Over");
}

} // namespace
} // namespace lumbra
