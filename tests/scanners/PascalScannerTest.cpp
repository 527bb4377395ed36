// The Pascal scanner on small sources: which routines, classes and methods a unit or program
// gives, the calls between them, line classes, path numbers, directives and line words.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "ScanHarness.h"
#include "common/LineWord.h"

namespace lumbra::test {
namespace {

using Case = DefinitionCase;

class PascalDefinitions : public ::testing::TestWithParam<Case> {};

TEST_P(PascalDefinitions, FindsTheModulesAndCalls) {
    ExpectDefinitions(SetupFor(kKindPascal, {{kOptExceptUndefined, 1}}), "t.pas", GetParam());
}

// Routine heads become modules at their body; declarations without a body make none.
const Case kRoutines[] = {
    {"ARoutineIsAModuleAtItsHeadLine",
     "procedure Foo;\n"
     "begin\n"
     "end;\n",
     "Foo@1", ""},
    {"NestedRoutinesBelongToTheirEnclosingRoutine",
     "procedure Outer;\n"
     "  procedure Inner;\n"
     "  begin\n"
     "  end;\n"
     "begin\n"
     "  Inner;\n"
     "end;\n"
     "procedure Next;\n"
     "begin\n"
     "  Outer;\n"
     "end;\n",
     "Outer@1 Next@8", "Next>Outer"},
    {"ForwardDeclarationsAndExternalRoutinesMakeNoModule",
     "procedure Foo; forward;\n"
     "function Beep(T: Cardinal): Boolean; stdcall;\n"
     "  external 'user32.dll';\n"
     "procedure Bar;\n"
     "begin\n"
     "  Foo;\n"
     "end;\n"
     "procedure Foo;\n"
     "begin\n"
     "end;\n",
     "Bar@4 Foo@8", "Bar>Foo"},
    {"ProceduralTypesAndAnonymousMethodsAreNoHeads",
     "type\n"
     "  TProc = function(X: Integer): Boolean;\n"
     "  TRef = reference to procedure;\n"
     "var\n"
     "  Hook: procedure(P: Pointer);\n"
     "procedure Run;\n"
     "begin\n"
     "  Hook := procedure begin end;\n"
     "end;\n",
     "Run@6", ""},
    {"AProgramMainBlockBelongsToNoRoutine",
     "program P;\n"
     "procedure A;\n"
     "begin\n"
     "end;\n"
     "begin\n"
     "  A;\n"
     "end.\n",
     "A@2", ""},
    {"AHeadInColumnZeroStartsAfresh",
     "procedure A;\n"
     "begin\n"
     "  begin\n" // never closed: the depth would stay up
     "end;\n"
     "procedure B;\n"
     "begin\n"
     "end;\n",
     "A@1 B@5", ""},
};
INSTANTIATE_TEST_SUITE_P(Routines, PascalDefinitions, ::testing::ValuesIn(kRoutines),
                         DefinitionCaseName);

// Classes, records and interfaces: containers, methods and the bodies that claim them.
const Case kClasses[] = {
    {"ClassMethodsAreFoundByTheirImplementation",
     "type\n"
     "  TShape = class(TObject)\n"
     "    procedure Draw;\n"
     "  end;\n"
     "implementation\n"
     "procedure TShape.Draw;\n"
     "begin\n"
     "end;\n",
     "TShape@2 TShape.Draw@6", "TShape>TShape.Draw"},
    {"RoutinesAfterAClassDeclarationStillBecomeModules",
     "type\n"
     "  TA = class\n"
     "    procedure M;\n"
     "  end;\n"
     "  TB = class\n"
     "  end;\n"
     "implementation\n"
     "procedure TA.M;\n"
     "begin\n"
     "  Helper;\n"
     "end;\n"
     "procedure Helper;\n"
     "begin\n"
     "end;\n",
     "TA@2 TA.M@8 TB@5 Helper@12", "TA>TA.M TA.M>Helper"},
    {"ClassWordsThatDeclareNoClass",
     "type\n"
     "  TMeta = class of TObject;\n"
     "  TFwd = class;\n"
     "  EError = class(Exception);\n"
     "  TC = class\n"
     "    class function Make: TC;\n"
     "    class var Count: Integer;\n"
     "  end;\n"
     "implementation\n"
     "class function TC.Make: TC;\n"
     "begin\n"
     "end;\n",
     "TC@5 TC.Make@10", "TC>TC.Make"},
    {"OverloadsClaimTheirDeclarationsInOrder",
     "type\n"
     "  T = class\n"
     "    procedure Add(I: Integer); overload;\n"
     "    procedure Add(S: string); overload;\n"
     "  end;\n"
     "implementation\n"
     "procedure T.Add(I: Integer);\n"
     "begin\n"
     "end;\n"
     "procedure T.Add(S: string);\n"
     "begin\n"
     "end;\n",
     "T@2 T.Add@7 T.Add@10", "T>T.Add T>T.Add"},
    {"RecordMethodsAndGenericImplementations",
     "type\n"
     "  TPoint = record\n"
     "    X, Y: Integer;\n"
     "    case Boolean of\n"
     "      True: (Z: Integer);\n"
     "  end;\n"
     "  TVec = packed record\n"
     "    function Len: Double;\n"
     "  end;\n"
     "  generic TList<T> = class\n"
     "    function Peek: T;\n"
     "  end;\n"
     "implementation\n"
     "function TVec.Len: Double;\n"
     "begin\n"
     "end;\n"
     "function TList<T>.Peek: T;\n"
     "begin\n"
     "  Result := Len;\n"
     "end;\n",
     "TVec@7 TVec.Len@14 TList@10 TList.Peek@17", "TVec>TVec.Len TList>TList.Peek"},
    {"RecordOperatorsAreMethods",
     "type\n"
     "  TV = record\n"
     "    class operator Add(A, B: TV): TV;\n"
     "  end;\n"
     "implementation\n"
     "class operator TV.Add(A, B: TV): TV;\n"
     "begin\n"
     "end;\n",
     "TV@2 TV.Add@6", "TV>TV.Add"},
    {"InterfaceMethodsCreateNothing",
     "type\n"
     "  IRun = interface(IUnknown)\n"
     "    procedure Go;\n"
     "  end;\n"
     "implementation\n"
     "procedure Go;\n"
     "begin\n"
     "end;\n",
     "Go@6", ""},
};
INSTANTIATE_TEST_SUITE_P(Classes, PascalDefinitions, ::testing::ValuesIn(kClasses),
                         DefinitionCaseName);

// Calls: the current file first, then a method of the same class, then any file.
const Case kCalls[] = {
    {"MethodsOfTheSameClassWithoutTheirPrefix",
     "type\n"
     "  T = class\n"
     "    procedure A;\n"
     "    procedure B;\n"
     "  end;\n"
     "implementation\n"
     "procedure T.A;\n"
     "begin\n"
     "  B;\n"
     "  Self.B;\n"
     "  inherited A;\n"
     "end;\n"
     "procedure T.B;\n"
     "begin\n"
     "end;\n",
     "T@2 T.A@7 T.B@13", "T>T.A T>T.B T.A>T.B"},
    {"MethodsOfANestedClass",
     "type\n"
     "  TOuter = class\n"
     "  type\n"
     "    TInner = class\n"
     "      procedure A;\n"
     "      procedure B;\n"
     "    end;\n"
     "  end;\n"
     "implementation\n"
     "procedure TOuter.TInner.A;\n"
     "begin\n"
     "  B;\n"
     "end;\n"
     "procedure TOuter.TInner.B;\n"
     "begin\n"
     "end;\n",
     "TOuter@2 TOuter.TInner@4 TOuter.TInner.A@10 TOuter.TInner.B@14",
     "TOuter.TInner>TOuter.TInner.A TOuter.TInner>TOuter.TInner.B "
     "TOuter.TInner.A>TOuter.TInner.B"},
    {"AssignmentTargetsAndReservedWordsAreNoCalls",
     "function F: Integer;\n"
     "begin\n"
     "  F := 1;\n"
     "  if F > 0 then G;\n"
     "end;\n"
     "procedure G;\n"
     "begin\n"
     "end;\n",
     "F@1 G@6", "F>F F>G"},
    {"NamesInCommentsStringsAndDirectivesAreNoCalls",
     "procedure A;\n"
     "begin\n"
     "  { B } (* B *) // B\n"
     "  WriteLn('B');\n"
     "  {$IFDEF B} {$ENDIF}\n"
     "end;\n"
     "procedure B;\n"
     "begin\n"
     "end;\n",
     "A@1 B@7", ""},
};
INSTANTIATE_TEST_SUITE_P(Calls, PascalDefinitions, ::testing::ValuesIn(kCalls), DefinitionCaseName);

TEST(PascalCalls, UnknownNamesFollowedByAParenthesisBecomeUndefinedModules) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "procedure A;\n"
                      "begin\n"
                      "  WriteLn (1);\n"
                      "  Halt;\n"
                      "  X := Abs(2);\n"
                      "end;\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "A@1 WriteLn@0 Abs@0");
    EXPECT_NE(scan.Word(0, 3) & kLineHasCall, 0u);
    EXPECT_EQ(scan.Word(0, 4) & kLineHasCall, 0u);
}

TEST(PascalCalls, CallsLinkAcrossUnits) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("a.pas", "unit A;\ninterface\nprocedure Shared;\nimplementation\n"
                      "procedure Shared;\nbegin\nend;\nend.\n");
    scan.Add("b.pas", "unit B;\nimplementation\nprocedure Use;\nbegin\n  Shared;\nend;\nend.\n");
    scan.Analyse();
    EXPECT_EQ(scan.CallList(1), "Use>Shared");
    EXPECT_EQ(scan.Module("Shared")->upperCount(), 1);
}

// --- line classes and paths
// ------------------------------------------------------------------------

TEST(PascalCounts, CaseLabelsCountAsPathsAtTheirOwnCaseOnly) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "procedure P;\n"                              // 1
                      "begin\n"                                     // 2
                      "  case X of\n"                               // 3 +1
                      "    1: A;\n"                                 // 4 +1
                      "    2, 3: begin\n"                           // 5 +1
                      "      x := 1;\n"                             // 6 an assignment is no label
                      "      try except on E: Exception do; end;\n" // 7 no label
                      "    end;\n"                                  // 8
                      "    4..6: while Y do Z;\n"                   // 9 +1 +1
                      "  end;\n"                                    // 10
                      "  repeat until Done;\n"                      // 11 +1
                      "end;\n");                                    // 12
    const ModuleRecord* p = scan.Module("P");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pathNumb, 1 + 1 + 3 + 1 + 1);
    EXPECT_EQ(p->exec, 12);
}

TEST(PascalCounts, ACaseWithThreeLabelsIsFourPaths) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "procedure P;\n"
                      "begin\n"
                      "  case X of\n"
                      "    1: A;\n"
                      "    2: x := 1;\n"
                      "    'c': B;\n"
                      "  end;\n"
                      "end;\n");
    EXPECT_EQ(scan.Module("P")->pathNumb, 5); // the routine, the case and three labels
}

TEST(PascalCounts, LineClassesAroundRoutines) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "unit U;\n"        // 1 Define
                      "{$R *.res}\n"     // 2 Define: a directive is code
                      "(* comment *)\n"  // 3 Comment
                      "\n"               // 4 Space
                      "implementation\n" // 5 Define
                      "procedure A;\n"   // 6 head: Exec of A at its body
                      "var\n"            // 7
                      "  I: Integer;\n"  // 8
                      "begin\n"          // 9
                      "  { inside }\n"   // 10 Comment of A
                      "end;\n"           // 11
                      "const C = 1;\n"); // 12 Exec once a body was seen
    const FileRecord& f = *scan.engine().GetFile(0);
    EXPECT_EQ(f.define, 6);
    EXPECT_EQ(f.comment, 2);
    EXPECT_EQ(f.space, 1);
    EXPECT_EQ(f.exec, 3);
    const ModuleRecord* a = scan.Module("A");
    EXPECT_EQ(a->exec, 3 + 1 + 1 + 1); // head to begin, begin, end, then the constant
    EXPECT_EQ(a->comment, 1);
}

TEST(PascalCounts, ClassEndDoesNotEndTheRoutineHeadsOfTheImplementation) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "type\n"
                      "  TA = class\n"
                      "  end;\n"
                      "implementation\n"
                      "procedure Outer;\n"
                      "type\n"
                      "  TLocal = record A: Integer; end;\n"
                      "  procedure Inner;\n"
                      "  begin\n"
                      "  end;\n"
                      "begin\n"
                      "end;\n"
                      "procedure Second;\n"
                      "begin\n"
                      "end;\n");
    EXPECT_EQ(scan.ModuleList(), "TA@2 Outer@5 Second@13");
}

// --- directives ----------------------------------------------------------------------------------

TEST(PascalDirectives, ConditionsInAnyCaseAndLaterOnALine) {
    ScanHarness scan(
        SetupFor(kKindPascal, {{kOptUseDefineConstant, 1}, {kOptUseConditionInFile, 1}}));
    scan.Add("t.pas", "{$define Fast}\n"       // 1
                      "{$ifdef FAST}\n"        // 2
                      "procedure A;\n"         // 3 active
                      "begin end;\n"           // 4
                      "{$else}\n"              // 5
                      "procedure B;\n"         // 6 Other
                      "begin end;\n"           // 7 Other
                      "{$endif}\n"             // 8
                      "{$IF 0} procedure C;\n" // 9 a directive line left inactive: Define
                      "begin end; {$IFEND}\n"  // 10 Other, but its directive closes the group
                      "{$UNDEF fast}{$IFNDEF FAST}\n" // 11
                      "procedure D;\n"                // 12
                      "begin end;\n"                  // 13
                      "{$ENDIF}\n");                  // 14
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), "A@3 D@12");
    EXPECT_EQ(scan.engine().GetFile(0)->other, 3);
    EXPECT_EQ(scan.Word(0, 6), 0u);
    EXPECT_EQ(scan.Word(0, 5) & (kLineActive | kLineKindDirective),
              kLineActive | kLineKindDirective);
    EXPECT_EQ(scan.Word(0, 9) & (kLineActive | kLineKindDirective),
              kLineActive | kLineKindDirective);
}

TEST(PascalDirectives, IncludeFilesAreQueuedAndTheirDefinesRead) {
    ScanHarness scan(SetupFor(kKindPascal, {{kOptUseDefineConstant, 1},
                                            {kOptUseConditionInFile, 1},
                                            {kOptDefineConstantInInclude, 1},
                                            {kOptAddIncludeFiles, 1}}));
    scan.Write("defs.inc", "{$IFNDEF NOFAST}{$DEFINE FAST}{$ENDIF}\n"
                           "procedure FromInclude;\nbegin\nend;\n");
    scan.Add("t.pas", "{$I defs.inc}\n"
                      "{$I-}\n"
                      "{$IFDEF FAST}\n"
                      "procedure A;\n"
                      "begin end;\n"
                      "{$ENDIF}\n");
    EXPECT_EQ(scan.ModuleList(0), "A@4");
    ASSERT_EQ(scan.engine().GetFileCount(), 2);
    EXPECT_EQ(scan.ModuleList(1), "FromInclude@2");
}

TEST(PascalFiles, ShiftJisTrailBytesStayInTheirNameAndComment) {
    ScanHarness scan(SetupFor(kKindPascal));
    TextReadSettings read = scan.engine().GetTextReadSettings();
    read.codePage = kCodePageShiftJis;
    read.defaultEncoding = kEncAnsi;
    scan.engine().SetTextReadSettings(read);
    // A name whose middle character has the trail byte '[', and a comment with the trail '}'.
    const std::string name = "\x83\x51\x81\x5B\x83\x80";
    scan.Add("t.pas", "procedure " + name +
                          ";\n"
                          "begin\n"
                          "  { \x83\x7D }\n"
                          "end;\n");
    EXPECT_EQ(scan.ModuleList(), name + "@1");
    EXPECT_EQ(scan.engine().GetFile(0)->comment, 1);
}

// --- line words ----------------------------------------------------------------------------------

TEST(PascalWords, StatementKindsLevelsAndComments) {
    ScanSetup setup = SetupFor(kKindPascal);
    setup.labels = {"No.", "Name", "Function", "Remarks"};
    ScanHarness scan(setup);
    scan.Add("t.pas", "type\n"              // 1
                      "  T = class\n"       // 2 level 1
                      "    procedure M;\n"  // 3
                      "  end;\n"            // 4 level 0
                      "{ Name: Compute }\n" // 5
                      "procedure T.M;\n"    // 6
                      "begin\n"             // 7 level 1
                      "  if A then\n"       // 8
                      "  begin\n"           // 9 level 2
                      "    repeat\n"        // 10 level 3
                      "    until B;\n"      // 11
                      "  end;\n"            // 12
                      "end;\n");            // 13
    scan.Analyse();
    EXPECT_EQ(LineLevel(scan.Word(0, 2)), 1u);
    EXPECT_EQ(LineLevel(scan.Word(0, 4)), 0u);
    EXPECT_EQ(scan.Word(0, 5) & kLineKindMask, kLineKindComment);
    EXPECT_EQ(scan.Word(0, 8) & (kStatementMask | kPendingMask), 0x220000u);
    EXPECT_EQ(scan.Word(0, 9) & kPendingMask, kPendingConditional);
    EXPECT_EQ(LineLevel(scan.Word(0, 10)), 3u);
    EXPECT_EQ(scan.Word(0, 10) & kStatementMask, kStatementLoopHead);
    EXPECT_EQ(LineLevel(scan.Word(0, 13)), 0u);
    EXPECT_NE(scan.Word(0, 6) & kLineModuleStart, 0u);
    EXPECT_NE(scan.Word(0, 3) & kLineHasCall, 0u);
    EXPECT_EQ(scan.Module("T.M")->functionText, "Compute");
    EXPECT_EQ(scan.Module("T")->define, 3);
}

TEST(PascalFiles, ASecondAnalysisGivesTheSameResult) {
    ScanHarness scan(SetupFor(kKindPascal));
    scan.Add("t.pas", "type\n  T = class\n    procedure M;\n  end;\nimplementation\n"
                      "procedure T.M;\nbegin\n  if X then Foo(1);\nend;\n");
    scan.Analyse();
    const std::string first = scan.Dump(true);
    scan.Analyse();
    EXPECT_EQ(scan.Dump(true), first);
}

} // namespace
} // namespace lumbra::test
