// The IDE project readers over project files in their real shapes: which entries each format
// yields, in which order, and which it leaves out.
#include <gtest/gtest.h>

#include <algorithm>

#include "CNvPrjFile.h"
#include "ProjectOpen.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

std::string dataDir() {
    return LUMBRA_PROJECT_DATA_DIR;
}

struct ReaderCase {
    const char* name;
    const char* project;               // below the data folder
    std::vector<std::string> expected; // below the project's folder
};

std::ostream& operator<<(std::ostream& os, const ReaderCase& c) {
    return os << c.name;
}

class ProjectReaders : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ProjectReaders, YieldTheListedFilesInDocumentOrder) {
    const ReaderCase& c = GetParam();
    const std::string path = dataDir() + c.project;
    auto format = LookupProjectFormat(path);
    ASSERT_TRUE(format.has_value());
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(ReadProject(reader, *format, path));
    EXPECT_EQ(reader.ProjectFolder(),
              dataDir() + std::string(c.project).substr(0, std::string(c.project).rfind('/') + 1));
    std::vector<std::string> expected;
    for (const std::string& entry : c.expected)
        expected.push_back(reader.ProjectFolder() + entry);
    EXPECT_EQ(reader.Files(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ProjectReaders,
    ::testing::Values(
        // Only SOURCE= lines inside a source-file block; quotes around a spaced name go.
        ReaderCase{"DspSourceLinesInsideBlocks",
                   "vc6/APP.DSP",
                   {"main.c", "../lib/util.c", "../my lib/spaced name.h"}},
        ReaderCase{"VbpFormModuleClassLines",
                   "vb6/Project1.vbp",
                   {"frmMain.frm", "Module1.bas", "CFoo.cls"}},
        ReaderCase{"DprUnitsUntilResourceDirective", "delphi/Project1.dpr", {"Unit1.pas"}},
        // Without {$R the clause still ends at its ';', so program literals are no units; a
        // ';' in a comment or a file name does not end it.
        ReaderCase{"DprConsoleProgramEndsAtSemicolon",
                   "delphi/Console.dpr",
                   {"Helpers.pas", "semi;colon.pas"}},
        ReaderCase{"DprUsesClauseOnOneLine", "delphi/OneLine.dpr", {"Tools.pas"}},
        // The absolute Windows path is found below the project folder by its trailing part.
        ReaderCase{"HwpProjectFilesSection",
                   "hew/sample.hwp",
                   {"src/main.c", "src/resetprg.c", "sample/intprg.c"}},
        // Filters nested in filters and files directly in <Files> are not read; the
        // Shift-JIS name arrives as UTF-8.
        ReaderCase{"VcprojFilesOfTopLevelFilters",
                   "vs2005/App.vcproj",
                   {"a.cpp", "../lib/b.cpp", "\xe6\x97\xa5\xe6\x9c\xac.h"}},
        ReaderCase{"VcprojWithOnlyADirectFileYieldsNothing", "vs2005/Direct.vcproj", {}},
        ReaderCase{
            "MsbuildCsprojDropsGeneratedCode", "vs2008/App.csproj", {"Form1.cs", "Program.cs"}},
        ReaderCase{"Vs2003VbprojDropsAssemblyInfo",
                   "vs2003/App.vbproj",
                   {"Form1.vb", "Form1.resx", "Module1.vb"}},
        ReaderCase{
            "BprObjectFilesWithTwoBlanks", "bcb/Project1.bpr", {"Project1.cpp", "Unit1.cpp"}},
        ReaderCase{"BprFileListWinsOverObjectFiles",
                   "bcb/Project2.bpr",
                   {"Project2.res", "Project2.cpp", "Unit1.cpp"}},
        ReaderCase{"CbprojCppAndDelphiUnits",
                   "bcb/Project1.cbproj",
                   {"Project1.cpp", "Unit1.cpp", "Legacy.pas"}},
        // No src/: classes are looked for under java/, package-relative first, then as
        // fully qualified names; services and missing classes add nothing.
        ReaderCase{"AndroidManifestUnderJavaFolder",
                   "android/AndroidManifest.xml",
                   {"java/com/example/app//MainActivity.java",
                    "java/com/example/app/SettingsActivity.java",
                    "java/com/example/app//data/NotesProvider.java"}},
        ReaderCase{"MtpjInstancesWithRelativePath",
                   "csplus/sample.mtpj",
                   {"src/main.c", "boot/cstart.asm"}},
        // The project's own folder properties expand, $(SolutionDir) and $(IntDir) do not
        // outside a solution; wildcards expand in path order, less what Exclude names; %20 is
        // a blank; the companion .filters file is not read; "**" also matches no folder.
        ReaderCase{"VcxprojItemsWithPropertiesAndWildcards",
                   "vs2019/App/App.vcxproj",
                   {"main.cpp", "src/a.cpp", "src/b.cpp", "Extra.cpp", "Spaced Name.cpp",
                    "include/App.h", "include/App.h", "include/sub/Sub.h"}},
        // ';' lists, items under <Choose>, conditions not evaluated, Remove takes util.cpp
        // out again and a target's items are not read; LIB.CPP is found as lib.cpp.
        ReaderCase{"VcxprojItemListsChooseAndRemove",
                   "vs2019/Lib/lib.vcxproj",
                   {"lib.cpp", "Debug.cpp", "Lib64.cpp", "Lib.h"}},
        ReaderCase{"VcxitemsRelativeToItsOwnFolder",
                   "vs2019/Shared/Shared.vcxitems",
                   {"Shared.cpp", "Shared.h"}},
        // Projects in solution order (lib\lib.vcxproj names the folder Lib); the solution
        // folder and the web site name no project; $(SolutionDir) now expands.
        ReaderCase{"SolutionConcatenatesItsProjects",
                   "vs2019/App.sln",
                   {"App/main.cpp", "App/src/a.cpp", "App/src/b.cpp", "App/Extra.cpp",
                    "Common/common.cpp", "App/Spaced Name.cpp", "App/include/App.h",
                    "App/include/App.h", "App/include/sub/Sub.h", "Lib/lib.cpp", "Lib/Debug.cpp",
                    "Lib/Lib64.cpp", "Lib/Lib.h", "Shared/Shared.cpp", "Shared/Shared.h"}}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return info.param.name; });

TEST(ProjectReaders, RelocatedEntriesAreReportedAsWritten) {
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadHwp(dataDir() + "hew/sample.hwp"));
    EXPECT_EQ(reader.Relocated(),
              std::vector<std::string>{"C:\\WorkSpace\\sample\\sample\\intprg.c"});
}

TEST(ProjectReaders, EntriesWithUnknownPropertiesAreCountedNotListed) {
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadVcxproj(dataDir() + "vs2019/App/App.vcxproj"));
    EXPECT_EQ(reader.SkippedEntries(), 2); // $(SolutionDir) alone, $(IntDir)
    ASSERT_TRUE(reader.ReadSolution(dataDir() + "vs2019/App.sln"));
    EXPECT_EQ(reader.SkippedEntries(), 1); // $(IntDir)
    EXPECT_TRUE(reader.Notices().empty());
    EXPECT_TRUE(reader.Definitions().Empty());
}

TEST(ProjectReaders, SolutionNotesProjectsItCannotRead) {
    TempDir dir;
    dir.write("ok/ok.vcxproj", "<Project><ItemGroup><ClCompile Include=\"a.c\"/></ItemGroup>"
                               "</Project>");
    dir.write("ok/a.c", "int a;\n");
    dir.write("bad/bad.vcxproj", "<Project><ItemGroup>");
    const std::string sln = dir.write(
        "s.sln", "Project(\"{G}\") = \"bad\", \"bad\\bad.vcxproj\", \"{1}\"\r\nEndProject\r\n"
                 "Project(\"{G}\") = \"gone\", \"gone\\gone.csproj\", \"{2}\"\r\nEndProject\r\n"
                 "Project(\"{G}\") = \"ok\", \"ok\\ok.vcxproj\", \"{3}\"\r\nEndProject\r\n"
                 "Project(\"{G}\") = \"self\", \"s.sln\", \"{4}\"\r\nEndProject\r\n"
                 "Project(\"{G}\") = \"truncated\r\n");
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadSolution(sln));
    EXPECT_EQ(reader.Files(), std::vector<std::string>{dir.path().string() + "/ok/a.c"});
    EXPECT_EQ(reader.Notices(),
              (std::vector<std::string>{"Cannot read the project bad\\bad.vcxproj",
                                        "Cannot read the project gone\\gone.csproj"}));
}

TEST(ProjectReaders, EachReaderClearsTheListOfThePreviousOne) {
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadVbp(dataDir() + "vb6/Project1.vbp"));
    ASSERT_TRUE(reader.ReadDpr(dataDir() + "delphi/Project1.dpr"));
    EXPECT_EQ(reader.Files(), std::vector<std::string>{dataDir() + "delphi/Unit1.pas"});
    EXPECT_FALSE(reader.ReadDsp(dataDir() + "vc6/missing.dsp"));
    EXPECT_TRUE(reader.Files().empty());
}

TEST(ProjectDispatch, LowerCasedExtensionDecidesTheFormat) {
    using F = ProjectFormat;
    const std::vector<std::pair<const char*, std::optional<F>>> cases = {
        {"/p/APP.DSP", F::VisualCpp6},
        {"/p/app.Vcproj", F::VisualStudio},
        {"/p/a.vbproj", F::VisualStudio},
        {"/p/a.csproj", F::VisualStudio},
        {"/p/a.vjsproj", F::VisualStudio},
        {"/p/a.VBP", F::VisualBasic6},
        {"/p/a.bpr", F::CppBuilder},
        {"/p/a.cbproj", F::CppBuilderMsbuild},
        {"/p/a.dpr", F::Delphi},
        {"/p/a.hwp", F::Hew},
        {"/p/a.mtpj", F::CsPlus},
        {"/p/proj.PRJ", F::Prj},
        // Every .xml is taken for an Android manifest, whatever its name.
        {"/p/AndroidManifest.xml", F::AndroidManifest},
        {"/p/build.XML", F::AndroidManifest},
        {"/p/main.c", std::nullopt},
        {"/p/Makefile", std::nullopt},
        {"/p/dir.dsp/file", std::nullopt},
        {"/p/a.dsp.bak", std::nullopt},
        {"/p/App.VCXPROJ", F::VisualCppMsbuild},
        {"/p/Shared.vcxitems", F::VisualCppMsbuild},
        {"/p/App.vcxproj.filters", std::nullopt},
        {"/p/All.sln", F::Solution},
        // The compilation database goes by its whole name; other JSON is no project.
        {"/b/compile_commands.json", F::CompileDatabase},
        {"/b/COMPILE_COMMANDS.JSON", F::CompileDatabase},
        {"compile_commands.json", F::CompileDatabase},
        {"/b/my_compile_commands.json", std::nullopt},
        {"/b/package.json", std::nullopt},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(LookupProjectFormat(path), format) << path;
}

TEST(ProjectDispatch, DialogFiltersOfferXmlFormatsOnlyWithXml) {
    auto captions = [](bool xml) {
        std::vector<std::string> out;
        for (const ProjectFilter& f : ProjectDialogFilters(xml))
            out.push_back(f.caption);
        return out;
    };
    EXPECT_EQ(captions(false), (std::vector<std::string>{
                                   "Project File", "Lumbra32 (*.prj)", "Visual Basic 6 (*.vbp)",
                                   "Visual C++ 6 (*.dsp)", "Delphi (*.dpr)", "HEW (*.hwp)"}));
    auto all = ProjectDialogFilters(true);
    ASSERT_EQ(all.size(), 15u);
    EXPECT_EQ(all.front().patterns.size(), 17u);
    EXPECT_EQ(all[13].patterns, std::vector<std::string>{"AndroidManifest.xml"});
    // Every pattern of the last group is one of the "Project File" group as well, and each
    // dispatches to a reader.
    for (const std::string& pattern : all.back().patterns) {
        EXPECT_NE(std::find(all.front().patterns.begin(), all.front().patterns.end(), pattern),
                  all.front().patterns.end())
            << pattern;
        const std::string name = pattern.starts_with("*") ? "x" + pattern.substr(1) : pattern;
        EXPECT_TRUE(IsProjectFile("/p/" + name)) << pattern;
    }
}

} // namespace
} // namespace lumbra
