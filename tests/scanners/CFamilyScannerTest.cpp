// The C-family scanner on small sources: which modules a source defines and which calls it
// records, case by case, plus the rules that involve several files.
#include <gtest/gtest.h>

#include "ScanHarness.h"

namespace lumbra::test {
namespace {

struct Case {
    const char* name;
    const char* file;
    const char* source;
    const char* modules; // "name@line" of the file's modules in list order
    const char* calls;   // "caller>callee" of the file's call records (nullptr: not checked)
    std::vector<std::pair<int, int>> options = {};
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Definitions : public ::testing::TestWithParam<Case> {};

TEST_P(Definitions, FindsTheModulesAndCalls) {
    const Case& c = GetParam();
    ScanSetup setup;
    setup.options = c.options;
    ScanHarness scan(setup);
    scan.Add(c.file, c.source);
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), c.modules);
    if (c.calls) {
        EXPECT_EQ(scan.CallList(), c.calls);
    }
}

// Members written in class bodies are modules of the definition pass in every flavour.
const Case kMembersInClassBodies[] = {
    {"JavaMethods", "A.java",
     "public class A {\n"
     "    void first() { second(); }\n"
     "    void second() { }\n"
     "}\n",
     "A@1 A::first@2 A::second@3", "A>A::first A>A::second A::first>A::second"},
    {"CSharpMethodsAboveTheFirstRegion", "B.cs",
     "class B {\n"
     "    void Before() { }\n"
     "    #region R\n"
     "    void Inside() { Before(); }\n"
     "    #endregion\n"
     "}\n",
     "B@1 B::Before@2 B::Inside@4", "B>B::Before B>B::Inside B::Inside>B::Before"},
    {"CppInlineMemberCalledBeforeItsDefinition", "c.cpp",
     "class C {\n"
     "    void a() { b(); }\n"
     "    void b() { }\n"
     "};\n",
     "C@1 C::a@2 C::b@3", "C>C::a C>C::b C::a>C::b"},
    {"WithoutOption6NoClassScopes",
     "d.cpp",
     "class D {\n"
     "    void a() { }\n"
     "};\n"
     "void D::b() { }\n",
     "D@4 D::b@4",
     nullptr,
     {{kOptSearchMemberModule, 0}}}, // D is the class node
};
INSTANTIATE_TEST_SUITE_P(MembersInClassBodies, Definitions,
                         ::testing::ValuesIn(kMembersInClassBodies),
                         [](const auto& info) { return std::string(info.param.name); });

// Each overload of a qualified name is its own module.
const Case kOverloads[] = {
    {"TwoOverloadsInTheClass", "o.cpp",
     "class O {\n"
     "    void f(int) { }\n"
     "    void f(double) { }\n"
     "};\n",
     "O@1 O::f@2 O::f@3", nullptr},
    {"OutOfClassOverloads", "p.cpp",
     "void P::f(int) { }\n"
     "void P::f(double) { }\n",
     "P@1 P::f@1 P::f@2", nullptr},
    {"PlainNamesStayUnique", "q.c",
     "int f(int a) { return a; }\n"
     "int f(int a) { return a; }\n",
     "f@1", nullptr},
};
INSTANTIATE_TEST_SUITE_P(Overloads, Definitions, ::testing::ValuesIn(kOverloads),
                         [](const auto& info) { return std::string(info.param.name); });

// A candidate never stays pending past the end of its declaration.
const Case kPendingCandidates[] = {
    {"ConstDeclarationThenFunction", "a.cpp",
     "class A {\n"
     "    int f() const;\n"
     "    int g() { return 1; }\n"
     "};\n",
     "A@1 A::g@3 A::f@2", nullptr},
    {"DefaultedConstructor", "b.cpp",
     "class B {\n"
     "    B() = default;\n"
     "    int h() { return 0; }\n"
     "};\n",
     "B@1 B::h@3 B::B@2", nullptr},
    {"MacroCallWithoutSemicolon", "c.c",
     "DEFINE_LIST(items)\n"
     "int count(void) { return 0; }\n",
     "count@2", nullptr},
    {"InitialiserListKeepsTheConstructor", "d.cpp",
     "D::D(int n)\n"
     "    : value(n),\n"
     "      twice(double_it(n))\n"
     "{\n"
     "}\n",
     "D@1 D::D@1", "D>D::D"},
    {"JavaAnnotationIsNoDefinition", "E.java",
     "class E {\n"
     "    @SuppressWarnings(\"x\")\n"
     "    void run() { }\n"
     "}\n",
     "E@1 E::run@3", nullptr},
    {"CSharpAttributeLineIsNoDefinition", "F.cs",
     "class F {\n"
     "    [DllImport(\"user32.dll\")]\n"
     "    static extern int MessageBox(int h);\n"
     "    void Show() { }\n"
     "}\n",
     "F@1 F::Show@4 F::MessageBox@3", nullptr},
    {"KAndRParametersOnTheirOwnLines", "g.c",
     "int g(a, b)\n"
     "int a;\n"
     "int b;\n"
     "{\n"
     "    return a + b;\n"
     "}\n",
     "g@1", nullptr},
    {"KAndRDeclarationOnTheHeadLineIsAPrototype", "h.c",
     "int h(a) int a; {\n"
     "}\n",
     "", nullptr},
    {"PrototypeThenDefinition", "i.c",
     "int f(void);\n"
     "int f(void) {\n"
     "    return 0;\n"
     "}\n",
     "f@2", nullptr},
    {"DeclarationListWithInitialiser", "j.c", "int a, b(3);\n", "", nullptr},
};
INSTANTIATE_TEST_SUITE_P(PendingCandidates, Definitions, ::testing::ValuesIn(kPendingCandidates),
                         [](const auto& info) { return std::string(info.param.name); });

// struct, union, interface and enum scopes; templates; nested classes.
const Case kScopes[] = {
    {"StructWithBraceOpensAScope", "a.c",
     "struct point { int x; };\n"
     "struct point *make(void) { return 0; }\n"
     "struct point origin = { 0 };\n",
     "point@1 make@2", nullptr},
    {"UnionOpensAScope", "b.c", "union u { int i; float f; };\n", "u@1", nullptr},
    {"JavaInterfaceAndEnum", "C.java",
     "interface C {\n"
     "    void m();\n"
     "}\n"
     "enum Color { RED; void paint() { } }\n",
     "C@1 Color@4 Color::paint@4 C::m@2", nullptr},
    {"EnumIsNoScopeInC", "d.c", "enum color { RED, GREEN };\nint f(void) { return RED; }\n", "f@2",
     nullptr},
    {"TemplateParametersOpenNoScope", "e.cpp",
     "template<class T, class U>\n"
     "T pick(T a, U b) { return a; }\n",
     "pick@2", nullptr},
    {"TemplateMemberOutsideItsClass", "f.cpp",
     "template <typename T> T Name<T>::get() { return T(); }\n", "Name@1 Name::get@1 T@0", nullptr},
    {"NestedClassWithBraceOnTheNextLine", "g.cpp",
     "class G {\n"
     "    class H\n"
     "    {\n"
     "        class I { void deep() { } };\n"
     "    };\n"
     "    void after() { }\n"
     "};\n",
     "G@1 G::H@2 G::H::I@4 G::H::I::deep@4 G::after@6", nullptr},
    {"ForwardDeclarationOpensNoScope", "h.cpp",
     "class Later;\n"
     "int main() { return 0; }\n",
     "main@2", nullptr},
    {"ExportMacroBeforeTheClassName", "i.cpp",
     "class API_EXPORT Widget {\n"
     "    void show() { }\n"
     "};\n",
     "Widget@1 Widget::show@2", nullptr},
    {"NamespacesCloseAtTheirBrace", "j.cpp",
     "namespace outer {\n"
     "namespace inner {\n"
     "int deep() { return 0; }\n"
     "}\n"
     "int shallow() { return 1; }\n"
     "}\n",
     "outer@1 inner@2 inner.deep@3 outer.shallow@5", nullptr},
    {"ExternCBlockKeepsDefinitionsAtFileLevel", "k.cpp",
     "extern \"C\" {\n"
     "int api(void) { return 0; }\n"
     "}\n",
     "api@2", nullptr},
    {"CSharpNamespaceQualifiesClassAndMethod", "App.cs",
     "namespace App\n"
     "{\n"
     "    class Main\n"
     "    {\n"
     "        void Run() { }\n"
     "    }\n"
     "}\n",
     "App@1 App.Main@3 App.Main::Run@5", nullptr},
    {"DottedNamespace", "Lib.cs",
     "namespace Lib.Core {\n"
     "    class Util { void Go() { } }\n"
     "}\n",
     "Lib.Core@1 Lib.Core::Util@2 Lib.Core::Util::Go@2", nullptr},
};
INSTANTIATE_TEST_SUITE_P(Scopes, Definitions, ::testing::ValuesIn(kScopes),
                         [](const auto& info) { return std::string(info.param.name); });

// Macros: only a one-line function-like macro with a "{" may open a module.
const Case kMacros[] = {
    {"OneLineMacroWithBraceStartsAModule", "a.c",
     "#define BEGIN_HANDLER(name) {\n"
     "    run();\n"
     "}\n",
     "BEGIN_HANDLER@1 run@0", "BEGIN_HANDLER>run"},
    {"ContinuedMacroWithBraceIsNoModule", "b.c",
     "#define LOOP(n) for (int i = 0; i < n; i++) { \\\n"
     "    body(i); \\\n"
     "}\n"
     "int after(void) { return 0; }\n",
     "after@4", ""},
    {"MacroWithoutBraceIsNoModule", "c.c", "#define MAX(a,b) ((a)>(b)?(a):(b))\n", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Macros, Definitions, ::testing::ValuesIn(kMacros),
                         [](const auto& info) { return std::string(info.param.name); });

// Keywords that take parentheses are no calls; Java and C# add their own.
const Case kNoCalls[] = {
    {"CppKeywordsWithParentheses", "a.cpp",
     "void f() {\n"
     "    try { g(); } catch (int e) { throw(e); }\n"
     "    decltype(e) x = alignof(int) + offsetof(S, m);\n"
     "    static_assert(sizeof(int) == 4, \"\");\n"
     "    __attribute__((unused)) int y; asm(\"nop\"); __builtin_trap();\n"
     "    volatile(x);\n"
     "}\n",
     "f@1 g@0", "f>g"},
    {"JavaSynchronized", "B.java", "class B { void f() { synchronized (this) { g(); } } }\n",
     "B@1 B::f@1 g@0", "B>B::f B::f>g"},
    {"CSharpUsingLockNameof", "C.cs",
     "class C { void f() { using (var r = g()) { lock (r) { } } var n = nameof(f); } }\n",
     "C@1 C::f@1 g@0", "C>C::f C::f>g"},
    {"UsingIsAFunctionNameInC", "d.c", "void f(void) { using(1); }\n", "f@1 using@0", "f>using"},
};
INSTANTIATE_TEST_SUITE_P(NoCalls, Definitions, ::testing::ValuesIn(kNoCalls),
                         [](const auto& info) { return std::string(info.param.name); });

// Where calls go: the current module ends with its "}", a second definition is the first.
const Case kCallScopes[] = {
    {"InitialiserAfterAFunctionIsNoCall", "a.c",
     "int f(void) { return 0; }\n"
     "int table[] = { g(1), g(2) };\n",
     "f@1", ""},
    {"SecondDefinitionChargesTheFirst", "b.c",
     "int f(void) { return a(); }\n"
     "int f(void) { return b(); }\n",
     "f@1 a@0 b@0", "f>a f>b"},
    {"CallsAfterAMemberBelongToTheClass", "c.cpp",
     "class C {\n"
     "    void m() { }\n"
     "    int n = init();\n"
     "    int k[2] = { make(), make() };\n"
     "};\n",
     // A call at class level is taken for a member declared in the class.
     "C@1 C::m@2 C::init@3 make@0", "C>C::m C>C::init C>make"},
    {"ConstructorOfAClassCalledByName", "d.cpp",
     "class D { D() { } };\n"
     "void f() { D(); }\n",
     "D@1 D::D@1 f@2", "D>D::D f>D::D"},
};
INSTANTIATE_TEST_SUITE_P(CallScopes, Definitions, ::testing::ValuesIn(kCallScopes),
                         [](const auto& info) { return std::string(info.param.name); });

// --- rules across files --------------------------------------------------------------------------

ScanSetup WithOptions(std::vector<std::pair<int, int>> options) {
    ScanSetup setup;
    setup.options = std::move(options);
    return setup;
}

TEST(CFamilyFiles, StaticFunctionsInTwoFilesAreTwoModules) {
    ScanHarness scan;
    scan.Add("a.c", "static void g() {\n}\nvoid a(void) { g(); }\n");
    scan.Add("b.c", "static void g() {\n}\nvoid b(void) { g(); }\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(0), "g@1 a@3");
    EXPECT_EQ(scan.ModuleList(1), "g@1 b@3");
    // Each file's call links to its own g.
    EXPECT_EQ(
        scan.engine().GetModule(scan.engine().GetFile(1)->modules[1]->calls[0].targetId)->fileIndex,
        1);
}

TEST(CFamilyFiles, AFunctionDefinedInTwoFilesIsOneModule) {
    ScanHarness scan;
    scan.Add("a.c", "int g(void) { return 1; }\n");
    scan.Add("b.c", "int g(void) { return 2; }\nint h(void) { return g(); }\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(0), "g@1");
    EXPECT_EQ(scan.ModuleList(1), "h@2");
    EXPECT_EQ(scan.CallList(1), "h>g");
}

// The all-files lookup finds the first calling file's undefined module, so an unknown name is
// one module, in the first file that calls it.
TEST(CFamilyFiles, UndefinedModuleBelongsToTheFirstCallingFile) {
    ScanHarness scan;
    scan.Add("a.c", "int main(void) { printf(\"a\"); return 0; }\n");
    scan.Add("b.c", "void log_it(void) { printf(\"b\"); }\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(0), "main@1 printf@0");
    EXPECT_EQ(scan.ModuleList(1), "log_it@1");
    const ModuleRecord* undefinedPrintf = scan.Module("printf");
    ASSERT_NE(undefinedPrintf, nullptr);
    EXPECT_EQ(undefinedPrintf->upperCount(), 2);
    EXPECT_NE(scan.Word(1, 1) & 0x20000000u, 0u); // the line still holds a recorded call
}

TEST(CFamilyFiles, OptionSixteenRecordsNoUndefinedCall) {
    ScanHarness scan(WithOptions({{kOptExceptUndefined, 1}}));
    scan.Add("a.c", "int main(void) {\n    printf(\"a\");\n    return 0;\n}\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(0), "main@1");
    EXPECT_EQ(scan.CallList(0), "");
    EXPECT_EQ(scan.Word(0, 2) & 0x20000000u, 0u);
}

TEST(CFamilyFiles, OptionTenLinksAcrossLetterCase) {
    ScanHarness scan(WithOptions({{kOptIgnoreCase, 1}}));
    scan.Add("a.c", "void INIT(void) { }\n");
    scan.Add("b.c", "int main(void) { init(); return 0; }\n");
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(1), "main@1");
    ASSERT_EQ(scan.engine().GetFile(1)->modules[0]->calls.size(), 1u);
    EXPECT_EQ(scan.engine().GetFile(1)->modules[0]->calls[0].targetId, scan.Module("INIT")->id);
}

TEST(CFamilyFiles, MemberDefinedOutsideItsClassGetsTheClassAsContainer) {
    ScanHarness scan;
    scan.Add("shape.cpp", "void Shape::Draw() {\n    Render();\n}\nvoid Shape::Render() { }\n");
    scan.Analyse();
    const ModuleRecord* shape = scan.Module("Shape");
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->containerKind, kModuleContainer);
    // Inside a member its class's members are found first.
    EXPECT_EQ(scan.CallList(0), "Shape>Shape::Draw Shape>Shape::Render Shape::Draw>Shape::Render");
}

TEST(CFamilyFiles, ASecondAnalysisGivesTheSameResult) {
    ScanHarness scan;
    scan.Add("a.cpp", "class A {\n    void f();\n    void g() { f(); h(); }\n};\n");
    scan.Analyse();
    const std::string first = scan.Dump(true);
    scan.Analyse();
    EXPECT_EQ(scan.Dump(true), first);
}

} // namespace
} // namespace lumbra::test
