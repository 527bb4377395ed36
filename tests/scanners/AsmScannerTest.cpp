// The assembler scanner on small sources: which labels become modules and which calls, branches,
// paths, line classes and constants a source gives, case by case, plus the rules that involve
// several files.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScanHarness.h"
#include "Settings.h"
#include "TProfile2.h"
#include "asm/AsmScanPass.h"
#include "common/LineWord.h"

namespace lumbra::test {
namespace {

constexpr int k680x0 = 1;
constexpr int k80x86 = 2;
constexpr int kH8 = 3;

ScanSetup asmSetup(int cpu, std::vector<std::pair<int, int>> options = {},
                   std::vector<std::pair<int, int>> counts = {}) {
    ScanSetup setup;
    setup.kind = kKindAssembler;
    setup.cpuSet = cpu;
    setup.options = std::move(options);
    setup.countOptions = std::move(counts);
    setup.decorations = "!#@"; // used with option 4
    return setup;
}

struct Case {
    const char* name;
    int cpu;
    const char* source;
    const char* modules; // "name@line" of the file's modules in list order
    const char* calls;   // "caller>callee" of the file's call records
    std::vector<std::pair<int, int>> options = {};
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Modules : public ::testing::TestWithParam<Case> {};

TEST_P(Modules, FindsTheModulesAndCalls) {
    const Case& c = GetParam();
    ScanHarness scan(asmSetup(c.cpu, c.options));
    scan.Add("t.asm", c.source);
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), c.modules);
    EXPECT_EQ(scan.CallList(), c.calls);
}

// Exported labels become modules at the next label, call or return, or any other instruction;
// data and equates drop them; plain labels stay labels.
const Case kExportedLabels[] = {
    {"PublicLabelCallingAnUndefinedRoutine", k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tcall Init\n",
     "Main@2 Init@0", "Main>Init"},
    {"LabelThatIsNeverExportedOrCalled", k80x86,
     "Helper:\n"
     "\tmov ax, 1\n"
     "\tret\n",
     "", ""},
    {"ExportedLabelFollowedByData", k80x86,
     "\tpublic Table\n"
     "Table:\n"
     "\tdb 1, 2, 3\n"
     "\tret\n",
     "", ""},
    {"ExportedLabelBecomesModuleAtTheNextLabel", k80x86,
     "\tpublic First\n"
     "First:\n"
     "Second:\n"
     "\tret\n",
     "First@2", ""},
    {"ExportedLabelBecomesModuleAtAnyOtherInstruction", k680x0,
     "\txdef Start\n"
     "Start\tmoveq #0,d0\n",
     "Start@2", ""},
    {"ExportBeforeImportAndConditionKeepsItPending", k80x86,
     "\tpublic Late\n"
     "Late:\n"
     "\textern Other\n"
     "\tdb 0\n",
     "", ""},
    {"EquateDropsThePendingExportedLabel", k80x86,
     "\tpublic BUFLEN\n"
     "BUFLEN equ 512\n"
     "\tpublic Count\n"
     "Count = 3\n"
     "\tnop\n",
     "", ""},
    {"ExportAfterTheDefinitionMakesAModuleAtOnce", k80x86,
     "Start:\n"
     "\tnop\n"
     "\tpublic Start\n",
     "Start@1", ""},
    {"ExportOfADataLabelAfterItsDefinitionStaysData", k80x86,
     "Msg db 'hi'\n"
     "\tpublic Msg\n",
     "", ""},
    {"LabelListIsCaseBlindWithOption10",
     k80x86,
     "\tpublic MAIN\n"
     "main:\n"
     "\tcall init\n",
     "main@2 init@0",
     "main>init",
     {{kOptIgnoreCase, 1}}},
    {"LabelListIsExactWithoutOption10", k80x86,
     "\tpublic MAIN\n"
     "main:\n"
     "\tcall init\n",
     "", ""},
};
INSTANTIATE_TEST_SUITE_P(ExportedLabels, Modules, ::testing::ValuesIn(kExportedLabels),
                         [](const auto& info) { return std::string(info.param.name); });

// Names lose decorations and link suffixes under options 0, 4 and 9; macro-wrapped labels and
// procedures are labels too.
const Case kNames[] = {
    {"Option0DropsTheLeadingUnderscoreOfLabelAndCall",
     k80x86,
     "\tpublic _Main\n"
     "_Main:\n"
     "\tcall _Main\n",
     "Main@2",
     "Main>Main",
     {{kOptDeleteTopUnderscore, 1}}},
    {"Option9LinksAnAddressSizeSuffix",
     k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tcall Init:16\n"
     "\tret\n"
     "\tpublic Init_\n"
     "Init_:\n"
     "\tret\n",
     "Main@2 Init@6",
     "Main>Init",
     {{kOptDeleteLastUnderscore, 1}}},
    {"WithoutOption9TheSuffixStays", k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tcall Init:16\n",
     "Main@2 Init:16@0", "Main>Init:16"},
    {"ProcedureIsAModuleAndItsEndDoesNotMoveIt", k80x86,
     "Main PROC\n"
     "\tcall Sub\n"
     "Main ENDP\n"
     "\tSub proc near\n"
     "\tret\n"
     "\tSub endp\n",
     "Main@1 Sub@4", "Main>Sub"},
    {"InstructionWordAtColumnZeroIsNoLabel", k80x86,
     "PUBLIC Main\n"
     "Main:\n"
     "\tcall Init\n",
     "Main@2 Init@0", "Main>Init"},
    {"MacroWrappedLabelAtColumnZero", k80x86,
     "\tglobal EXTN(jsimd_run)\n"
     "EXTN(jsimd_run):\n"
     "\tpush ebp\n"
     "\tret\n",
     "jsimd_run@2", ""},
};
INSTANTIATE_TEST_SUITE_P(Names, Modules, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

// What a call links to, and what the default words of real code give.
const Case kCalls[] = {
    {"SizeSuffixOnACallWord", k680x0,
     "\txdef Start\n"
     "Start:\n"
     "\tbsr.w Work\n"
     "\tjsr Done\n"
     "\trts\n"
     "Work:\n"
     "\trts\n",
     "Start@2 Work@6 Done@0", "Start>Work Start>Done"},
    {"InvokeGlobalAndExtrnOf80x86", k80x86,
     "\tglobal _start\n"
     "\textrn ExitProcess:near\n"
     "_start:\n"
     "\tinvoke ExitProcess, 0\n",
     "_start@3 ExitProcess@0", "_start>ExitProcess"},
    {"CallTakesItsFirstNameAfterDistanceWords", k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tcall far ptr Far1, extra\n"
     "\tcall near Near1\n"
     "\tcall offset Off1\n",
     "Main@2 Far1@0 Near1@0 Off1@0", "Main>Far1 Main>Near1 Main>Off1"},
    {"IndirectCallsNameNothing", k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tcall [bx]\n"
     "\tcall dword ptr [si+4]\n"
     "\tcall cs:[table]\n",
     "Main@2", ""},
    {"IndirectAndOffsetCallsOf680x0", k680x0,
     "\txdef Main\n"
     "Main:\n"
     "\tjsr (a0)\n"
     "\tjsr -30(a6)\n"
     "\tjsr _Write(pc)\n",
     "Main@2 _Write@0", "Main>_Write"},
    {"DecorationCharactersOfH8",
     kH8,
     "\t.export _main\n"
     "_main:\n"
     "\tjsr @_sub\n"
     "\trts\n"
     "_sub:\n"
     "\trts\n",
     "main@2 sub@5",
     "main>sub",
     {{kOptDeleteTopUnderscore, 1}, {kOptDeleteDecorationChars, 1}}},
    {"CallOfALocalLabelMakesNoModule", k80x86,
     "\tglobal main\n"
     "main:\n"
     "\tcall .helper\n"
     "\tret\n"
     ".helper:\n"
     "\tret\n",
     "main@2 .helper@0", "main>.helper"},
    {"CallOfADataLabelMakesNoModule", k80x86,
     "\tglobal main\n"
     "main:\n"
     "\tcall value\n"
     "value dd 0\n",
     "main@2 value@0", "main>value"},
};
INSTANTIATE_TEST_SUITE_P(Calls, Modules, ::testing::ValuesIn(kCalls),
                         [](const auto& info) { return std::string(info.param.name); });

// "Move" with option 8 links modules and table entries that the files define, nothing else.
const Case kMoves[] = {
    {"MoveLinksModulesAndTableEntriesOnly",
     k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tmov ax, offset Msg\n"
     "\tmov bx, Jumps\n"
     "\tmov cx, Sub1\n"
     "\tmov dx, DS:[si]\n"
     "\tret\n"
     "\tpublic Sub1\n"
     "Sub1:\n"
     "\tret\n"
     "Sub2:\n"
     "\tret\n"
     "Jumps:\n"
     "\tdw Sub2, Unknown, 5, Msg\n"
     "Msg:\n"
     "\tdb 'x'\n",
     "Main@2 Sub1@9 Sub2@11",
     "Main>Sub2 Main>Sub1",
     {{kOptCombineTableModule, 1}}},
    {"MoveLinksNothingWithoutOption8", k80x86,
     "\tpublic Main\n"
     "Main:\n"
     "\tmov bx, Sub1\n"
     "\tret\n"
     "\tpublic Sub1\n"
     "Sub1:\n"
     "\tret\n",
     "Main@2 Sub1@6", ""},
    {"TableEntriesBecomeModulesWithOption5",
     k680x0,
     "Vectors:\n"
     "\tdc.l Reset, H'10, B'01, 4\n"
     "Reset:\n"
     "\trts\n",
     "Reset@3",
     "",
     {{kOptTableDefineModule, 1}}},
    {"TableEntriesAreNoCallNamesWithoutOptions5And8", k680x0,
     "Vectors:\n"
     "\tdc.l Reset\n"
     "Reset:\n"
     "\trts\n",
     "", ""},
};
INSTANTIATE_TEST_SUITE_P(Moves, Modules, ::testing::ValuesIn(kMoves),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AsmScanner, CalledLabelsOfOtherFilesBecomeTheirModules) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("main.asm", "\tpublic main\n"
                         "main:\n"
                         "\tcall draw\n"
                         "\tcall .local\n"
                         "\tret\n");
    scan.Add("draw.asm", "draw:\n"
                         "\tcall plot\n"
                         "\tret\n"
                         "plot:\n"
                         "\tret\n"
                         "unused:\n"
                         "\tret\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(0), "main@2 .local@0");
    EXPECT_EQ(scan.ModuleList(1), "draw@1 plot@4");
    EXPECT_EQ(scan.CallList(0), "main>draw main>.local");
    EXPECT_EQ(scan.CallList(1), "draw>plot");
    const ModuleRecord* draw = scan.Module("draw");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->upperCount(), 1);
    EXPECT_EQ(draw->exec, 3);

    // A second analysis makes the same modules with the same ids.
    const std::string before = scan.Dump(true);
    scan.engine().SetState(kStateReanalyse);
    scan.Analyse();
    EXPECT_EQ(scan.Dump(true), before);
}

TEST(AsmScanner, TableThroughMoveMakesEntriesOfAnotherFileModules) {
    ScanHarness scan(asmSetup(k80x86, {{kOptCombineTableModule, 1}}));
    scan.Add("a.asm", "\tpublic Main\n"
                      "Main:\n"
                      "\tmov bx, Handlers\n"
                      "\tret\n");
    scan.Add("b.asm", "Handlers dw OnKey, OnTick, Text\n"
                      "OnKey:\n"
                      "\tret\n"
                      "OnTick:\n"
                      "\tret\n"
                      "Text db 'x'\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(0), "Main>OnKey Main>OnTick");
    EXPECT_EQ(scan.ModuleList(1), "OnKey@2 OnTick@4");
}

TEST(AsmScanner, ShiftJisTrailBytesStayInTheirName) {
    ScanHarness scan(asmSetup(k80x86));
    TextReadSettings read = scan.engine().GetTextReadSettings();
    read.codePage = kCodePageShiftJis;
    read.defaultEncoding = kEncAnsi;
    scan.engine().SetTextReadSettings(read);
    // A label whose middle character has the trail byte '['.
    const std::string name = "\x83\x51\x81\x5B\x83\x80";
    scan.Add("t.asm", "\tpublic " + name + "\n" + name + ":\n\tret\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), name + "@2");
}

// --- paths, line classes and line words ----------------------------------------------------------

TEST(AsmScanner, BranchConditionAddsAPathAndBranchAlwaysNone) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "\tpublic Main\n"
                      "Main:\n"
                      "\tjz Main\n"
                      "\tjmp Main\n"
                      "\tjnz Main\n"
                      "\tret\n"
                      "\tpublic Idle\n"
                      "Idle:\n"
                      "\tjmp Idle\n");
    scan.Analyse();
    ASSERT_NE(scan.Module("Main"), nullptr);
    EXPECT_EQ(scan.Module("Main")->pathNumb, 3);
    EXPECT_EQ(scan.Module("Idle")->pathNumb, 1);
    EXPECT_EQ(scan.engine().GetFile(0)->pathNumb, 4);
}

TEST(AsmScanner, PathStartsOnlyWithTheFirstInstructionOfAModule) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "\tpublic Main\n"
                      "Main:\n"
                      "\tpublic Last\n"
                      "Last:\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "Main@2");
    EXPECT_EQ(scan.Module("Main")->pathNumb, 1) << "the export line is its first instruction";
}

TEST(AsmScanner, LineClassesOfFileAndModule) {
    // count flag 1: label-only lines are Other; count flag 2: data lines are Define.
    ScanHarness scan(asmSetup(k680x0, {}, {{1, 1}, {2, 1}}));
    scan.Add("t.s", "* header comment\n"
                    "\txdef Main\n"
                    "\n"
                    "Main:\n"
                    "\tmoveq #1,d0 ; trailing comment\n"
                    "Loop: ; a label with a comment\n"
                    "\tdc.b 1,2\n"
                    "\tds.l 4\n"
                    "\tdc.w 7\n"
                    "\t; indented comment\n"
                    "\trts\n");
    scan.Analyse();
    const FileRecord& f = *scan.engine().GetFile(0);
    EXPECT_EQ(f.comment, 2);
    EXPECT_EQ(f.space, 1);
    EXPECT_EQ(f.other, 1);
    EXPECT_EQ(f.define, 3);
    EXPECT_EQ(f.exec, 4);
    const ModuleRecord* m = scan.Module("Main");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->other, 1);
    EXPECT_EQ(m->define, 3);
    EXPECT_EQ(m->exec, 3);
    EXPECT_EQ(m->comment, 1);
    EXPECT_EQ(m->space, 0);
}

TEST(AsmScanner, LabelOnlyLineIsExecWithoutCountFlag1) {
    ScanHarness scan(asmSetup(k680x0));
    scan.Add("t.s", "Main:\n\tdc.b 1\n");
    scan.Analyse();
    EXPECT_EQ(scan.engine().GetFile(0)->exec, 2);
    EXPECT_EQ(scan.engine().GetFile(0)->other, 0);
}

TEST(AsmScanner, LineWordsMarkCallsCommentsDirectivesAndModuleLines) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "; comment\n"
                      "\tpublic Main\n"
                      "Main:\n"
                      "\tcall Sub\n"
                      "\tif DEBUG\n"
                      "\tendif\n");
    scan.Analyse();
    EXPECT_EQ(scan.Word(0, 1), kLineActive | kLineKindComment);
    EXPECT_EQ(scan.Word(0, 2), kLineActive);
    EXPECT_EQ(scan.Word(0, 3), kLineActive | kLineModuleStart);
    EXPECT_EQ(scan.Word(0, 4), kLineActive | kLineHasCall);
    EXPECT_EQ(scan.Word(0, 5), kLineActive | kLineKindDirective);
    EXPECT_EQ(scan.Word(0, 6), kLineActive | kLineKindDirective);
    EXPECT_EQ(scan.engine().GetFile(0)->exec, 5);
}

TEST(AsmScanner, DirectivesKeepAnExportedLabelPending) {
    ScanHarness scan(asmSetup(kH8));
    scan.Add("t.src", "\t.export Main\n"
                      "Main:\n"
                      "\t.aif DEBUG\n"
                      "\t.aendi\n"
                      "\t.data.b 1\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "");
}

TEST(AsmScanner, NameCommentBecomesTheDescription) {
    ScanSetup setup = asmSetup(k680x0);
    setup.labels = {"No.", "Name", "Function", "Remarks"};
    ScanHarness scan(setup);
    scan.Add("t.s", "* Name: Entry\n"
                    "\txdef Main\n"
                    "Main:\n"
                    "\trts\n"
                    "; Name: Worker\n"
                    "\txdef Work\n"
                    "Work:\n"
                    "\trts\n");
    scan.Analyse();
    EXPECT_EQ(scan.Module("Main")->functionText, "Entry");
    EXPECT_EQ(scan.Module("Work")->functionText, "Worker");
}

// --- branch records ------------------------------------------------------------------------------

std::string branches(ScanHarness& scan) {
    std::string out;
    for (const BranchRecord& b : scan.engine().GetFile(0)->branches)
        out += std::to_string(b.sourceLine) + ">" + std::to_string(b.targetLine) + "@" +
               std::to_string(b.column) + "j" + std::to_string(b.joinLine) + " ";
    return out;
}

TEST(AsmBranches, JumpsToOneTargetShareAColumn) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "\tjz done\n"    // 1
                      "\tnop\n"        // 2
                      "\tjnz done\n"   // 3
                      "done:\n"        // 4
                      "\tjmp done\n"); // 5
    scan.Analyse();
    EXPECT_EQ(branches(scan), "1>4@1j3 3>4@1j4 5>4@1j4 ");
    EXPECT_EQ(scan.engine().GetFile(0)->branchColumnCount, 1);
}

TEST(AsmBranches, NestedRangesTakeNewColumnsAndADisjointJumpTheFirst) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "inner:\n"        // 1
                      "middle:\n"       // 2
                      "outer:\n"        // 3
                      "\tjz outer\n"    // 4: range 3-4
                      "\tjz middle\n"   // 5: range 2-5
                      "\tjz inner\n"    // 6: range 1-6
                      "after:\n"        // 7
                      "\tjmp after\n"); // 8: range 7-8
    scan.Analyse();
    EXPECT_EQ(branches(scan), "4>3@1j3 5>2@2j2 6>1@3j1 8>7@1j7 ");
    EXPECT_EQ(scan.engine().GetFile(0)->branchColumnCount, 3);
}

TEST(AsmBranches, OneBranchPerLineAndOnlyToLabelsOfTheFile) {
    ScanHarness scan(asmSetup(k680x0));
    scan.Add("t.s", "first:\n"
                    "second:\n"
                    "\tbeq first,second\n"
                    "\tbra elsewhere\n"
                    "\tbra.s 4(pc)\n");
    scan.Analyse();
    EXPECT_EQ(branches(scan), "3>1@1j1 ");
}

TEST(AsmBranches, LocalLabelsBelongToTheirRoutine) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "first:\n"      // 1
                      ".loop:\n"      // 2
                      "\tjnz .loop\n" // 3
                      "second:\n"     // 4
                      ".loop:\n"      // 5
                      "\tjnz .loop\n" // 6
                      "\tjmp .L9\n"   // 7: a local label of another routine
                      "third:\n"      // 8
                      ".L9:\n");      // 9
    scan.Analyse();
    EXPECT_EQ(branches(scan), "3>2@1j2 6>5@1j5 7>9@1j9 ");
}

// --- equates and include files -------------------------------------------------------------------

TEST(AsmConstants, EquatesDefineConstantsWithOption1) {
    ScanHarness scan(asmSetup(k80x86, {{kOptUseDefineConstant, 1}}));
    scan.Add("t.asm", "SIZE equ 512\n"
                      "MASK equ 0FFh\n"
                      "COPY equ SIZE\n"
                      "NAME equ $text\n"
                      "SIZE equ 1\n"
                      "LEN = 12\n"
                      "WIDE=20\n"
                      "\tINDENT equ 7\n"
                      "\tequ 5\n");
    scan.Analyse();
    const FileRecord& f = *scan.engine().GetFile(0);
    ASSERT_EQ(f.constants.size(), 7u);
    EXPECT_EQ(f.constants.find("SIZE")->value, 512) << "the first definition stays";
    EXPECT_EQ(f.constants.find("MASK")->value, 0) << "leading decimal digits only";
    EXPECT_EQ(f.constants.find("COPY")->value, 512);
    EXPECT_EQ(f.constants.find("NAME")->isText, 1);
    EXPECT_EQ(f.constants.find("NAME")->text, "$text");
    EXPECT_EQ(f.constants.find("LEN")->value, 12);
    EXPECT_EQ(f.constants.find("WIDE")->value, 20);
    EXPECT_EQ(f.constants.find("INDENT")->value, 7) << "an indented name before an equate";
}

TEST(AsmConstants, NoConstantsWithoutOption1) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "SIZE equ 512\n");
    scan.Analyse();
    EXPECT_EQ(scan.engine().GetFile(0)->constants.size(), 0u);
}

TEST(AsmConstants, IncludeFilesArePrescannedWithOptions1And3) {
    ScanHarness scan(asmSetup(
        k80x86,
        {{kOptUseDefineConstant, 1}, {kOptDefineConstantInInclude, 1}, {kOptAddIncludeFiles, 1}}));
    scan.Write("defs.inc", "OUTER equ 1\n"
                           "\tinclude 'more.inc'\n"
                           "\tinclude defs.inc\n");
    scan.Write("more.inc", "INNER equ 2\n"
                           "\tinclude \"defs.inc\"\n");
    scan.Add("t.asm", "\tinclude \"defs.inc\"\n"
                      "\tinclude missing.inc\n"
                      "LOCAL equ 3\n");
    scan.Analyse();
    const FileRecord& f = *scan.engine().GetFile(0);
    EXPECT_EQ(f.constants.size(), 3u);
    EXPECT_NE(f.constants.find("OUTER"), nullptr);
    EXPECT_NE(f.constants.find("INNER"), nullptr);
    // Option 18 registered both include files as further assembler files.
    ASSERT_EQ(scan.engine().GetFileCount(), 3);
    EXPECT_EQ(scan.engine().GetFile(1)->name, "defs.inc");
    EXPECT_EQ(scan.engine().GetFile(1)->kind, kKindAssembler);
}

TEST(AsmConstants, IncludeConstantsNeedOption3) {
    ScanHarness scan(asmSetup(k80x86, {{kOptUseDefineConstant, 1}}));
    scan.Write("defs.inc", "OUTER equ 1\n");
    scan.Add("t.asm", "\tinclude defs.inc\n");
    scan.Analyse();
    EXPECT_EQ(scan.engine().GetFile(0)->constants.size(), 0u);
}

// --- conditional assembly ----------------------------------------------------------------------

TEST(AsmConditions, ExcludedBranchesCountAsOtherAndHideTheirLabels) {
    ScanHarness scan(asmSetup(k80x86, {{kOptUseConditionInFile, 1}, {kOptUseDefineConstant, 1}}));
    scan.Add("t.asm", "DEBUG equ 1\n"     // 1
                      "\tpublic Main\n"   // 2
                      "Main:\n"           // 3
                      "\tIF 0\n"          // 4
                      "\tcall Never\n"    // 5
                      "\tELSE\n"          // 6
                      "\tcall Always\n"   // 7
                      "\tENDIF\n"         // 8
                      "\tifdef DEBUG\n"   // 9
                      "\tcall Trace\n"    // 10
                      "\tendif\n"         // 11
                      "\tifndef DEBUG\n"  // 12
                      "\tpublic Hidden\n" // 13
                      "Hidden:\n"         // 14
                      "\tret\n"           // 15
                      "\tendif\n"         // 16
                      "\tret\n");         // 17
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "Main@3 Always@0 Trace@0");
    EXPECT_EQ(scan.CallList(), "Main>Always Main>Trace");
    const FileRecord& f = *scan.engine().GetFile(0);
    EXPECT_EQ(f.other, 4);
    EXPECT_EQ(f.define, 2) << "the directives that open excluded groups";
    EXPECT_EQ(scan.Module("Main")->other, 4);
    EXPECT_EQ(scan.Word(0, 4), kLineActive | kLineKindDirective);
    EXPECT_EQ(scan.Word(0, 5), 0u);
    EXPECT_EQ(scan.Word(0, 6), kLineActive | kLineKindDirective);
    EXPECT_EQ(scan.Word(0, 13), 0u);
}

TEST(AsmConditions, DirectivesOfTheH8ConditionWord) {
    ScanHarness scan(asmSetup(kH8, {{kOptUseConditionInFile, 1}, {kOptDeleteDecorationChars, 1}}));
    scan.Add("t.src", "\t.export _main\n"
                      "_main:\n"
                      "\t.aif 0\n"
                      "\tjsr @_old\n"
                      "\t.aelse\n"
                      "\tjsr @_new\n"
                      "\t.aendi\n"
                      "\trts\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(), "_main>_new");
    EXPECT_EQ(scan.engine().GetFile(0)->other, 1);
    EXPECT_EQ(scan.engine().GetFile(0)->define, 1);
}

TEST(AsmConditions, EveryLineIsActiveWithoutOption2) {
    ScanHarness scan(asmSetup(k80x86));
    scan.Add("t.asm", "\tpublic Main\n"
                      "Main:\n"
                      "\tif 0\n"
                      "\tcall Never\n"
                      "\tendif\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(), "Main>Never");
    EXPECT_EQ(scan.engine().GetFile(0)->other, 0);
    EXPECT_EQ(scan.Word(0, 3), kLineActive | kLineKindDirective);
}

TEST(AsmConditions, ConstantsOfIncludeFilesDecideConditions) {
    ScanHarness scan(asmSetup(k680x0, {{kOptUseConditionInFile, 1},
                                       {kOptUseDefineConstant, 1},
                                       {kOptDefineConstantInInclude, 1}}));
    scan.Write("config.i", "\tif 1\n"
                           "FAST equ 1\n"
                           "\telse\n"
                           "SLOW equ 1\n"
                           "\tendif\n");
    scan.Add("t.s", "\tinclude config.i\n"
                    "\txdef Main\n"
                    "Main:\n"
                    "\tif FAST\n"
                    "\tbsr Quick\n"
                    "\tendif\n"
                    "\tif SLOW\n"
                    "\tbsr Careful\n"
                    "\tendif\n"
                    "\trts\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(), "Main>Quick");
}

// --- instruction words ---------------------------------------------------------------------------

TEST(AsmWords, SizeSuffixIsTriedAfterTheExactWord) {
    NFileAnly engine;
    for (int g = 0; g < kInstructionGroupCount; ++g)
        engine.AddKeywords(kDefaultInstructions[kH8 - 1][static_cast<std::size_t>(g)], g);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "mov.w"), kAsmMove) << "exact";
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "BSR.S"), kAsmCall);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "bra.l"), kAsmBranchAlways);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, ".data.w"), kAsmWordDefine) << "exact";
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "mov.b"), kAsmNone) << "no plain mov in H8";
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "beq.x"), kAsmNone);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "="), kAsmEquate);

    engine.ClearKeywords();
    for (int g = 0; g < kInstructionGroupCount; ++g)
        engine.AddKeywords(kDefaultInstructions[k680x0 - 1][static_cast<std::size_t>(g)], g);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "ds.b"), kAsmDefineStorage);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "dc.b"), kAsmByteDefine) << "exact";
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "JSR"), kAsmCall);
    EXPECT_EQ(AsmScanPass::ClassOf(engine, "xref"), kAsmImport);
}

TEST(AsmWords, DefaultInstructionTextsSplitIntoTwentySixFields) {
    for (std::size_t set = 0; set < kInstructionSetCount; ++set) {
        std::array<std::string, kInstructionGroupCount> groups;
        for (std::size_t g = 0; g < groups.size(); ++g)
            groups[g] = std::string(kDefaultInstructions[set][g]);
        const std::string text = InstructionText(groups);
        EXPECT_EQ(std::count(text.begin(), text.end(), ','), kInstructionFieldCount - 1) << text;
        std::array<ProfileField, kInstructionFieldCount> fields{};
        TProfile2::SplitList(text, fields);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            EXPECT_EQ(fields[2 * g].text, groups[g]);
            EXPECT_EQ(fields[2 * g + 1].text, "");
        }
    }
    EXPECT_EQ(kDefaultInstructions[0][kInsCall], "bsr jsr");
    EXPECT_EQ(kDefaultInstructions[0][kInsExport], "pub xdef");
    EXPECT_EQ(kDefaultInstructions[0][kInsImport], "ext xref");
    EXPECT_EQ(kDefaultInstructions[1][kInsCall], "call invoke");
    EXPECT_EQ(kDefaultInstructions[1][kInsExport], "public global");
    EXPECT_EQ(kDefaultInstructions[1][kInsImport], "extern extrn");
}

} // namespace
} // namespace lumbra::test
