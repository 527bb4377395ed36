// The constant define file read line by line with the C-family token reader, and the exception
// define file with its "[Except]" section.
#include <gtest/gtest.h>

#include "DefineFiles.h"
#include "NFileAnly.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

std::string globals(const NFileAnly& engine) {
    std::string out;
    for (const ConstantRecord& c : engine.GetGlobalConstants())
        out += (out.empty() ? "" : " ") + c.name + "=" + std::to_string(c.value);
    return out;
}

TEST(ConstantDefineFile, ValuesAreTheNumberOfTheirFirstToken) {
    TempDir dir;
    NFileAnly engine;
    const std::string path = dir.write("c.def", "#define HEX 0x1F\n"
                                                "#define\tTAB 7\n"
                                                "#define SUFFIX 12UL\n"
                                                "#define NEG -3\n"
                                                "#define PAREN (4)\n"
                                                "#define FN(x) 9\n"
                                                "#define CHR 'a'\n"
                                                "#define TRAIL 5/* five */\n"
                                                "#define\n"
                                                "#undef HEX\n"
                                                "#define HEX 1\n"
                                                "define NOHASH 2\n");
    EXPECT_TRUE(ReadConstantDefineFile(engine, path));
    // "(4)" and "FN(x)" have no value token: they count 1, as an empty value does.
    EXPECT_EQ(globals(engine), "HEX=31 TAB=7 SUFFIX=12 NEG=-3 PAREN=1 FN=1 CHR=0 TRAIL=5");
    for (const ConstantRecord& c : engine.GetGlobalConstants())
        EXPECT_EQ(c.isText, 0) << c.name;
}

TEST(ExceptionDefineFile, OnlyLinesAfterTheExceptHeaderAreModules) {
    TempDir dir;
    NFileAnly engine;
    const std::string path = dir.write("m.exc", "Early\n[except]\nLowerHeader\n;[Except]\n"
                                                "[Except]\n; note\nTRACE\nLog Line \n"
                                                "[Other]\nStillTaken\n");
    EXPECT_TRUE(ReadExceptionDefineFile(engine, path));
    EXPECT_EQ(engine.GetExceptModules(),
              (std::vector<std::string>{"TRACE", "Log Line ", "StillTaken"}));
}

} // namespace
} // namespace lumbra
