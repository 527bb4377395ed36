// The Basic scanner on small sources: which containers and procedures a VB6 or VB.NET source
// gives, the calls between them, line classes, path numbers and line words.
#include <gtest/gtest.h>

#include "ScanHarness.h"
#include "common/LineWord.h"

namespace lumbra::test {
namespace {

using Case = DefinitionCase;

class BasicDefinitions : public ::testing::TestWithParam<Case> {};

TEST_P(BasicDefinitions, FindsTheModulesAndCalls) {
    ExpectDefinitions(SetupFor(kKindBasic), "t.bas", GetParam());
}

// VB6: the file module names private procedures; property accessors are named by their kind.
const Case kVb6[] = {
    {"PrivateProceduresAreQualifiedByTheFileModule",
     "Attribute VB_Name = \"Util\"\n"
     "Private Sub Compute()\n"
     "End Sub\n"
     "Public Sub Run()\n"
     "    Compute\n"
     "End Sub\n",
     "Util@1 Util.Compute@2 Run@4", "Util>Util.Compute Util>Run Run>Util.Compute"},
    {"PropertyAccessorsAreNamedByTheirKind",
     "Attribute VB_Name = \"CFoo\"\n"
     "Public Property Get Value() As Long\n"
     "    Value = m_value\n"
     "End Property\n"
     "Private Property Let Value(ByVal v As Long)\n"
     "End Property\n",
     "CFoo@1 Get Value@2 CFoo.Let Value@5", "CFoo>Get Value CFoo>CFoo.Let Value"},
    {"OptionPrivateQualifiesEveryProcedure",
     "Attribute VB_Name = \"Util\"\n"
     "Option Private Module\n"
     "Public Sub Run()\n"
     "End Sub\n",
     "Util@1 Util.Run@3", "Util>Util.Run"},
    {"WithoutAContainerNoProcedureIsFound",
     "Public Sub Run()\n"
     "    Compute\n"
     "End Sub\n",
     "", ""},
    {"PublicDeclareHasNoMemberRelationAndNoBody",
     "Attribute VB_Name = \"Api\"\n"
     "Public Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
     "Private Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\n"
     "Public Sub Wait()\n"
     "    Sleep 10: GetTickCount\n"
     "End Sub\n",
     "Api@1 GetTickCount@2 Api.Sleep@3 Wait@4",
     "Api>Api.Sleep Api>Wait Wait>Api.Sleep Wait>GetTickCount"},
    {"ANameContinuedOnTheNextLine",
     "Attribute VB_Name = \"Util\"\n"
     "Private Sub _\n"
     "    Compute()\n"
     "End Sub\n",
     "Util@1 Util.Compute@3", "Util>Util.Compute"},
    {"AContinuedHeadIsNotReadAsStatements",
     "Attribute VB_Name = \"Util\"\n"
     "Public Function Sum(ByVal a As Long, _\n"
     "    ByVal b As Long) As Long\n"
     "    Sum = a + b\n"
     "End Function\n",
     "Util@1 Sum@2", "Util>Sum"},
};
INSTANTIATE_TEST_SUITE_P(Vb6, BasicDefinitions, ::testing::ValuesIn(kVb6), DefinitionCaseName);

// VB.NET: containers nest, modifiers and attributes may stand before them, and heads without a
// body are declarations.
const Case kNet[] = {
    {"PartialClassWithModifiersAndAnAttribute",
     "<Serializable()> _\n"
     "Partial Public NotInheritable Class Form1\n"
     "    Private Sub Load()\n"
     "    End Sub\n"
     "End Class\n",
     "Form1@2 Form1.Load@3", "Form1>Form1.Load"},
    {"NestedContainersNameTheInnermost",
     "Namespace App\n"
     "    Public Class Outer\n"
     "        Private Class Inner\n"
     "            Private Sub A()\n"
     "            End Sub\n"
     "        End Class\n"
     "        Private Sub B()\n"
     "        End Sub\n"
     "    End Class\n"
     "End Namespace\n",
     "App@1 Outer@2 Inner@3 Inner.A@4 Outer.B@7", "Outer>Outer.B Inner>Inner.A"},
    {"OverloadsAreModulesOfTheirOwn",
     "Module M\n"
     "    Sub Report(ByVal n As Integer)\n"
     "    End Sub\n"
     "    Sub Report(ByVal s As String)\n"
     "    End Sub\n"
     "End Module\n",
     "M@1 Report@2 Report@4", "M>Report M>Report"},
    {"EscapedNamesLoseTheirBrackets",
     "Class C\n"
     "    Public Function [Default]() As Integer\n"
     "    End Function\n"
     "    Sub Use()\n"
     "        [Default]()\n"
     "    End Sub\n"
     "End Class\n",
     "C@1 Default@2 Use@4", "C>Default C>Use Use>Default"},
    {"InterfaceMembersDelegatesAndMustOverrideHaveNoBody",
     "Namespace N\n"
     "Public MustInherit Class Shape\n"
     "    Public MustOverride Function Area() As Double\n"
     "    Public Delegate Sub Changed(ByVal s As Shape)\n"
     "    Public Sub Draw()\n"
     "    End Sub\n"
     "End Class\n"
     "Interface IRun\n"
     "    Sub Go()\n"
     "End Interface\n"
     "End Namespace\n",
     "N@1 Shape@2 Area@3 Changed@4 Draw@5 Go@9", "Shape>Draw"},
    {"LambdasAreNoProcedures",
     "Module M\n"
     "    Sub Main()\n"
     "        Dim f = Function(x) x * 2\n"
     "        AddHandler Tick, Sub(s, e)\n"
     "                             Helper()\n"
     "                         End Sub\n"
     "        Helper()\n"
     "    End Sub\n"
     "    Sub Helper()\n"
     "    End Sub\n"
     "End Module\n",
     "M@1 Main@2 Helper@9", "M>Main M>Helper Main>Helper"},
    {"AnAutoPropertyEndsAtTheNextStatement",
     "Class C\n"
     "    Public Property Name As String\n"
     "    Private count As Integer = Compute()\n"
     "    Public Property Size() As Integer\n"
     "        Get\n"
     "            Return count\n"
     "        End Get\n"
     "        Set(ByVal v As Integer)\n"
     "        End Set\n"
     "    End Property\n"
     "    Function Compute() As Integer\n"
     "    End Function\n"
     "End Class\n",
     "C@1 Name@2 Size@4 Compute@11", "C>Name C>Size C>Compute"},
};
INSTANTIATE_TEST_SUITE_P(Net, BasicDefinitions, ::testing::ValuesIn(kNet), DefinitionCaseName);

// Tokens that name a procedure but are no calls.
const Case kNoCalls[] = {
    {"AFunctionAssigningItsResult",
     "Attribute VB_Name = \"Util\"\n"
     "Private Function Compute() As Long\n"
     "    Compute = 1\n"
     "End Function\n",
     "Util@1 Util.Compute@2", "Util>Util.Compute"},
    {"NamesJoinedToTheirNeighbours",
     "Attribute VB_Name = \"Util\"\n"
     "Public Sub A()\n"
     "    x=B\n"
     "    Call Util.B\n"
     "End Sub\n"
     "Public Sub B()\n"
     "End Sub\n",
     "Util@1 A@2 B@6", "Util>A Util>B"},
    {"NamesInCommentsAndStrings",
     "Attribute VB_Name = \"Util\"\n"
     "Public Sub A()\n"
     "    MsgBox \"B it's\" ' B\n"
     "    Rem B\n"
     "End Sub\n"
     "Public Sub B()\n"
     "End Sub\n",
     "Util@1 A@2 B@6", "Util>A Util>B"},
    {"ObjectCreationIsNoCallOfAConstructor",
     "Class C\n"
     "    Sub New()\n"
     "    End Sub\n"
     "    Sub Make()\n"
     "        Dim d As New D\n"
     "    End Sub\n"
     "End Class\n",
     "C@1 New@2 Make@4", "C>New C>Make"},
    {"NamesWithoutAModuleCreateNone",
     "Attribute VB_Name = \"Util\"\n"
     "Public Sub A()\n"
     "    Missing 1\n"
     "End Sub\n",
     "Util@1 A@2", "Util>A"},
};
INSTANTIATE_TEST_SUITE_P(NoCalls, BasicDefinitions, ::testing::ValuesIn(kNoCalls),
                         DefinitionCaseName);

// --- line classes and paths
// ------------------------------------------------------------------------

struct Counts {
    int exec, comment, define, space, other, path;
};

Counts countsOf(const ModuleRecord& m) {
    return {m.exec, m.comment, m.define, m.space, m.other, m.pathNumb};
}
Counts countsOf(const FileRecord& f) {
    return {f.exec, f.comment, f.define, f.space, f.other, f.pathNumb};
}
bool operator==(const Counts& a, const Counts& b) {
    return a.exec == b.exec && a.comment == b.comment && a.define == b.define &&
           a.space == b.space && a.other == b.other && a.path == b.path;
}
void PrintTo(const Counts& c, std::ostream* os) {
    *os << "exec=" << c.exec << " comment=" << c.comment << " define=" << c.define
        << " space=" << c.space << " other=" << c.other << " path=" << c.path;
}

TEST(BasicCounts, ProcedureBodiesEndOnTheirOwnEndLine) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("t.bas", "Attribute VB_Name = \"Util\"\n" // 1
                      "Option Explicit\n"              // 2 Exec of the file
                      "Public Sub Run()\n"             // 3
                      "    If x Then y = 1\n"          // 4 one path, no block
                      "    If x Then ' block\n"        // 5
                      "        Exit Sub\n"             // 6 does not end the procedure
                      "    End If\n"                   // 7
                      "\n"                             // 8
                      "    ' note\n"                   // 9
                      "    Select Case x\n"            // 10
                      "        Case 1\n"               // 11
                      "        Case Else\n"            // 12
                      "    End Select\n"               // 13
                      "    Do While x\n"               // 14
                      "        x = x - 1\n"            // 15
                      "    Loop\n"                     // 16
                      "    Resume Next\n"              // 17
                      "End Sub\n"                      // 18
                      "Private Type Pair\n"            // 19 outside every procedure
                      "    a As Long\n"                // 20
                      "End Type\n");                   // 21
    scan.Analyse();
    const ModuleRecord* run = scan.Module("Run");
    ASSERT_NE(run, nullptr);
    // Paths: 1 + If + If + Select + Case + Case + Do.
    EXPECT_EQ(countsOf(*run), (Counts{14, 1, 0, 1, 0, 7}));
    EXPECT_EQ(countsOf(*scan.engine().GetFile(0)), (Counts{18, 1, 1, 1, 0, 7}));
    EXPECT_EQ(LineLevel(scan.Word(0, 4)), 1u);
    EXPECT_EQ(LineLevel(scan.Word(0, 5)), 2u);
    EXPECT_EQ(LineLevel(scan.Word(0, 6)), 2u);
    EXPECT_EQ(LineLevel(scan.Word(0, 7)), 1u);
    EXPECT_EQ(LineLevel(scan.Word(0, 17)), 1u);
    EXPECT_EQ(LineLevel(scan.Word(0, 18)), 0u);
}

TEST(BasicCounts, EndLinesThatCloseNoBlockKeepTheProcedureOpen) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("t.vb", "Class C\n"                         // 1
                     "    Property P() As Integer\n"     // 2
                     "        Get\n"                     // 3
                     "            Return 1\n"            // 4
                     "        End Get\n"                 // 5
                     "        Set(ByVal v As Integer)\n" // 6
                     "        End Set\n"                 // 7
                     "    End Property\n"                // 8
                     "    Sub S()\n"                     // 9
                     "        Using r As New Reader\n"   // 10
                     "            SyncLock r\n"          // 11
                     "            End SyncLock\n"        // 12
                     "        End Using\n"               // 13
                     "        Try\n"                     // 14
                     "        End Try\n"                 // 15
                     "    End Sub\n"                     // 16
                     "End Class\n");                     // 17
    scan.Analyse();
    EXPECT_EQ(scan.Module("P")->exec, 7);
    EXPECT_EQ(scan.Module("S")->exec, 8);
    EXPECT_EQ(LineLevel(scan.Word(0, 11)), 4u); // class, procedure, Using, SyncLock
    // The class spans its head to its end line.
    EXPECT_EQ(scan.Module("C")->define, 17);
}

TEST(BasicCounts, HeaderLinesBecomeDefineButProcedureLinesStayExec) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("t.vb", "Imports System\n" // 1 Exec, then Define at the class line
                     "Class A\n"        // 2
                     "    Sub S()\n"    // 3
                     "        Go()\n"   // 4
                     "    End Sub\n"    // 5
                     "End Class\n"      // 6 Exec of the file
                     "Class B\n"        // 7 turns the Exec of line 6 into Define
                     "End Class\n");    // 8
    EXPECT_EQ(scan.engine().GetFile(0)->exec, 4);
    EXPECT_EQ(scan.engine().GetFile(0)->define, 4);
}

TEST(BasicCounts, DesignerRegionIsLeftOutWithOption12) {
    const char* source = "Class F\n"
                         "#Region \" Windows Form Designer generated code \"\n"
                         "    ' generated\n"
                         "    Private Sub InitializeComponent()\n"
                         "    End Sub\n"
                         "#End Region\n"
                         "End Class\n";
    ScanHarness with(SetupFor(kKindBasic, {{kOptDesignerRegion, 1}}));
    with.Add("f.vb", source);
    with.Analyse();
    EXPECT_EQ(with.ModuleList(), "F@1");
    EXPECT_EQ(with.engine().GetFile(0)->other, 3);
    EXPECT_EQ(with.Word(0, 4) & kLineActive, 0u);
    EXPECT_NE(with.Word(0, 2) & kLineKindDirective, 0u);

    ScanHarness without(SetupFor(kKindBasic));
    without.Add("f.vb", source);
    without.Analyse();
    EXPECT_EQ(without.ModuleList(), "F@1 F.InitializeComponent@4");
    EXPECT_EQ(without.engine().GetFile(0)->other, 0);
}

TEST(BasicCounts, RemStartsACommentOnlyAsAWord) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("t.bas", "Attribute VB_Name = \"M\"\n"
                      "Rem a comment\n"
                      "REM another\n"
                      "Remove = 1\n");
    EXPECT_EQ(scan.engine().GetFile(0)->comment, 2);
    EXPECT_EQ(scan.engine().GetFile(0)->exec, 1);
}

// --- line words ----------------------------------------------------------------------------------

TEST(BasicWords, StatementKindsCallsAndFolding) {
    ScanSetup setup = SetupFor(kKindBasic);
    setup.sourceFolding = 1;
    ScanHarness scan(setup);
    scan.Add("t.vb", "Namespace N\n"            // 1
                     "Module M\n"               // 2
                     "    Sub Main()\n"         // 3
                     "        For i = 1 To 3\n" // 4
                     "            Work()\n"     // 5
                     "        Next\n"           // 6
                     "        If a Then\n"      // 7
                     "        ElseIf b Then\n"  // 8
                     "        End If\n"         // 9
                     "        ' done\n"         // 10
                     "        Exit Sub\n"       // 11
                     "    End Sub\n"            // 12
                     "    Sub Work()\n"         // 13
                     "    End Sub\n"            // 14
                     "End Module\n"             // 15
                     "End Namespace\n");        // 16
    scan.Analyse();
    EXPECT_EQ(scan.Word(0, 4) & (kStatementMask | kPendingMask), 0x110000u);
    EXPECT_EQ(scan.Word(0, 5) & kLineHasCall, kLineHasCall);
    EXPECT_EQ(scan.Word(0, 7) & (kStatementMask | kPendingMask), 0x220000u);
    EXPECT_EQ(scan.Word(0, 8) & kStatementMask, kStatementBranchContinuation);
    EXPECT_EQ(scan.Word(0, 10) & kLineKindMask, kLineKindComment);
    EXPECT_EQ(scan.Word(0, 11) & (kStatementMask | kPendingMask), 0u);
    EXPECT_EQ(LineLevel(scan.Word(0, 5)), 4u); // namespace, module, procedure, loop
    EXPECT_EQ((scan.Word(0, 5) & kContainerMask) >> kContainerShift, 2u);
    EXPECT_EQ(LineLevel(scan.Word(0, 16)), 0u);
    EXPECT_NE(scan.Word(0, 3) & kLineModuleStart, 0u);
    EXPECT_NE(scan.Word(0, 3) & kLineHasCall, 0u); // the member relation
}

TEST(BasicWords, FramedNameCommentDescribesTheNextProcedure) {
    ScanSetup setup = SetupFor(kKindBasic);
    setup.labels = {"No.", "Name", "Function", "Remarks"};
    ScanHarness scan(setup);
    scan.Add("t.bas", "Attribute VB_Name = \"Util\"\n"
                      "'*** Name: Compute ***\n"
                      "Private Sub Compute()\n"
                      "End Sub\n"
                      "'-- Name = Run\n"
                      "Public Sub Run()\n"
                      "End Sub\n");
    scan.Analyse();
    EXPECT_EQ(scan.Module("Util.Compute")->functionText, "Compute");
    EXPECT_EQ(scan.Module("Run")->functionText, "Run");
}

TEST(BasicFiles, CallsLinkAcrossFilesAndToPrivateProceduresOfTheirOwnFile) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("a.bas", "Attribute VB_Name = \"A\"\n"
                      "Private Sub Helper()\n"
                      "End Sub\n"
                      "Public Sub Run()\n"
                      "    Helper\n"
                      "    Common\n"
                      "End Sub\n");
    scan.Add("b.bas", "Attribute VB_Name = \"B\"\n"
                      "Private Sub Helper()\n"
                      "End Sub\n"
                      "Public Sub Common()\n"
                      "    Helper\n"
                      "End Sub\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(0), "A>A.Helper A>Run Run>A.Helper Run>Common");
    EXPECT_EQ(scan.CallList(1), "B>B.Helper B>Common Common>B.Helper");
}

TEST(BasicFiles, ASecondAnalysisGivesTheSameResult) {
    ScanHarness scan(SetupFor(kKindBasic));
    scan.Add("a.bas", "Attribute VB_Name = \"A\"\n"
                      "Public Sub Run()\n"
                      "    If x Then\n"
                      "        Run2\n"
                      "    End If\n"
                      "End Sub\n"
                      "Public Sub Run2()\n"
                      "End Sub\n");
    scan.Analyse();
    const std::string first = scan.Dump(true);
    scan.Analyse();
    EXPECT_EQ(scan.Dump(true), first);
}

} // namespace
} // namespace lumbra::test
