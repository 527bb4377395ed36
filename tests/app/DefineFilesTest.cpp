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

TEST(BuildDefinitionsApplied, GivenSetsGoAheadOfTheConfiguredConstantsInTheirOrder) {
    NFileAnly engine;
    engine.SetOption(kOptDefineConstantFile, 1);
    engine.AddConstant("WINVER", 0x0601);
    engine.AddConstant("FROM_FILE", 7);
    BuildDefinitions commandLine;
    commandLine.AddDefine("WINVER=0x0400");
    commandLine.AddIncludePath("/cmd/inc");
    BuildDefinitions database;
    database.AddDefine("FROM_FILE=1");
    database.AddDefine("FEATURE");
    database.AddDefine("HEX=0x20");
    database.AddDefine("TEXT=\"s\"");
    database.AddIncludePath("/db/inc");
    ApplyBuildDefinitions(engine, "/settings;", {&commandLine, &database});
    EXPECT_EQ(globals(engine), "WINVER=1024 FROM_FILE=1 FEATURE=1 HEX=32 TEXT=0");
    EXPECT_EQ(engine.GetIncludePaths(),
              (std::vector<std::string>{"/settings/", "/cmd/inc/", "/db/inc/"}));
    // Nothing given: what the settings configured stays as it is.
    BuildDefinitions none;
    NFileAnly untouched;
    untouched.SetIncludePaths("/settings");
    untouched.AddGlobalConstant(ConstantFromDefinition("KEEP=3"));
    ApplyBuildDefinitions(untouched, "/other", {&none});
    EXPECT_EQ(globals(untouched), "KEEP=3");
    EXPECT_EQ(untouched.GetIncludePaths(), std::vector<std::string>{"/settings/"});
}

} // namespace
} // namespace lumbra
