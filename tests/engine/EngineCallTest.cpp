// Recording calls: linking, caller lists, duplicates, recursion, undefined modules, the walk.
#include <gtest/gtest.h>

#include "FakeScanner.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::FakeScanner;
using test::TempDir;

class CallTest : public ::testing::Test {
protected:
    CallTest() { engine.SetScanner(kKindCFamily, std::make_unique<FakeScanner>()); }
    void add(const std::string& name, const std::string& text) {
        engine.AddFile(dir.write(name, text), kKindCFamily);
    }
    const ModuleRecord& module(int id) { return *engine.GetModule(id); }
    const ModuleRecord& module(int file, std::string_view name) {
        engine.SetCurrentFile(engine.GetFile(file));
        return *engine.FindModule(name);
    }

    TempDir dir;
    NFileAnly engine;
};

TEST_F(CallTest, CallsLinkToTheCallersOwnFileFirst) {
    add("a.c", "fn f\nfn main\ncall f\n");
    add("b.c", "fn f\n");
    add("c.c", "fn other\ncall f\n");
    ASSERT_EQ(engine.Analyze(), 1);
    const ModuleRecord& mainA = module(0, "main");
    ASSERT_EQ(mainA.lowerCount(), 1);
    EXPECT_EQ(module(mainA.calls[0].targetId).fileIndex, 0);
    // From a file without its own f: the first defined one in file order.
    const ModuleRecord& other = module(2, "other");
    EXPECT_EQ(module(other.calls[0].targetId).fileIndex, 0);
    EXPECT_EQ(module(0, "f").upperCount(), 2);
    EXPECT_EQ(module(1, "f").upperCount(), 0);
}

TEST_F(CallTest, ACalleeCalledManyTimesIsRecordedOnce) {
    add("a.c", "fn g\nfn main\ncall g\ncall g\ncall g\n");
    engine.Analyze();
    const ModuleRecord& m = module(0, "main");
    EXPECT_EQ(m.lowerCount(), 1);
    EXPECT_EQ(module(0, "g").upperCount(), 1);
    EXPECT_EQ(engine.GetLowerCount(m.id), 1);
    EXPECT_STREQ(engine.GetLowerName(m.id, 1), "g");
    EXPECT_STREQ(engine.GetLowerName(m.id, 2), "");
    EXPECT_STREQ(engine.GetUpperName(module(0, "g").id, 1), "main");
    EXPECT_EQ(engine.GetUpperName(module(0, "g").id, 2), nullptr);
    EXPECT_STREQ(engine.GetUpperName(m.id, 1), ""); // no callers at all
}

TEST_F(CallTest, SelfCallMarksRecursionAndListsItselfAsCaller) {
    add("a.c", "fn fact\ncall fact\n");
    engine.Analyze();
    const ModuleRecord& m = module(0, "fact");
    EXPECT_EQ(m.recursive, 1);
    ASSERT_EQ(m.upperCount(), 1);
    EXPECT_EQ(m.callers[0], m.id);
    EXPECT_EQ(engine.IsRecursive(m.id), 1);
}

TEST_F(CallTest, UnknownCalleesBecomeOneUndefinedModule) {
    add("a.c", "fn main\ncall printf\n");
    add("b.c", "fn run\ncall printf\n");
    engine.Analyze();
    // b.c's lookup finds a.c's undefined module by name, so there is only one.
    engine.SetCurrentFile(engine.GetFile(0));
    const ModuleRecord* printfA = engine.FindModule("printf");
    ASSERT_NE(printfA, nullptr);
    EXPECT_EQ(printfA->line, 0);
    EXPECT_EQ(printfA->fileIndex, 0);
    EXPECT_EQ(printfA->upperCount(), 2);
    EXPECT_EQ(engine.GetFile(1)->moduleCount, 1);
}

TEST_F(CallTest, OptionSixteenDropsCallsToUnknownNames) {
    engine.SetOption(kOptExceptUndefined, 1);
    add("a.c", "fn main\ncall printf\n");
    engine.Analyze();
    EXPECT_EQ(engine.GetModuleCount(), 1);
    EXPECT_EQ(module(1).lowerCount(), 0);
}

TEST_F(CallTest, SecondFormKeepsOneRecordPerNameAndTargetLine) {
    add("a.c", "fn f\nfn host\n");
    engine.SetCurrentFile(engine.GetFile(0));
    ModuleRecord* overload = engine.CreateModule("f", 9, 0, false);
    ModuleRecord* host = engine.FindModule("host");
    EXPECT_EQ(engine.AddCallFrom(host, "f", 5, 1), 1);
    EXPECT_EQ(engine.AddCallFrom(host, "f", 6, 1), 0);
    EXPECT_EQ(engine.AddCallFrom(host, "f", 7, 9), 1);
    EXPECT_EQ(engine.AddCallFrom(nullptr, "f", 7, 9), 0);
    ASSERT_EQ(host->lowerCount(), 2);
    EXPECT_EQ(host->calls[0].targetId, 1);
    EXPECT_EQ(host->calls[0].value, 5);
    EXPECT_EQ(host->calls[1].targetId, overload->id);
    EXPECT_EQ(host->calls[1].targetLine, 9);
    EXPECT_EQ(engine.GetLowerTargetLine(host->id, 2), 9);
    EXPECT_EQ(engine.GetLowerValue(host->id, 2), 7);
    EXPECT_EQ(overload->upperCount(), 1);
}

TEST_F(CallTest, CallsOutsideEveryModuleAreNotKept) {
    add("a.c", "fn f\n");
    engine.SetCurrentFile(engine.GetFile(0));
    engine.SetCurrentModule(nullptr);
    EXPECT_EQ(engine.AddCall("f", 0), 0);
    EXPECT_EQ(engine.GetModule(1)->upperCount(), 0);
}

TEST_F(CallTest, ManyCallersAndCalleesStayDistinct) {
    // Past the size where the duplicate checks switch to hashed indexes.
    std::string text = "fn hub\n";
    for (int i = 0; i < 100; ++i)
        text += "call t" + std::to_string(i % 40) + "\n";
    for (int i = 0; i < 40; ++i)
        text += "fn t" + std::to_string(i) + "\ncall hub\ncall t" + std::to_string(i) + "\n";
    add("a.c", text);
    engine.Analyze();
    const ModuleRecord& hub = module(0, "hub");
    EXPECT_EQ(hub.lowerCount(), 40);
    EXPECT_EQ(hub.upperCount(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(hub.calls[static_cast<std::size_t>(i)].ordinal, i);
}

TEST_F(CallTest, WalkAccumulatesInclusiveCountsAndSeesCycles) {
    // main -> a -> b -> a (cycle); each fn line is followed by its executable lines.
    add("a.c", "fn main\nx\ncall a\nfn a\nx\nx\ncall b\nfn b\ncall a\n");
    engine.Analyze();
    ASSERT_EQ(engine.BeginWalk("main"), 1);
    WalkNodeInfo info;
    ASSERT_EQ(engine.WalkDown(), 1); // a
    ASSERT_EQ(engine.WalkDown(), 1); // b
    ASSERT_EQ(engine.WalkDown(), 1); // a again
    EXPECT_EQ(engine.IsWalkNodeNew(), 0);
    EXPECT_EQ(engine.GetWalkDepth(), 3);
    EXPECT_EQ(engine.WalkUp(), 1);
    EXPECT_EQ(engine.IsWalkNodeNew(), 1);
    EXPECT_EQ(engine.WalkDown(), 0); // b has no further calls
    engine.WalkUp();
    engine.WalkUp();
    ASSERT_EQ(engine.GetWalkNode(info), 1);
    EXPECT_EQ(info.name, "main");
    EXPECT_EQ(info.level, 0);
    // main's own 2 exec lines + a (3) + b (1) + a again (3).
    EXPECT_EQ(info.exec, 2);
    EXPECT_EQ(engine.GetModuleValue(info.id, 3), 2 + 3 + 1 + 3);
    // Paths: 1 own, plus each callee's path number less one.
    EXPECT_EQ(engine.GetModuleValue(info.id, 5), 1);
    EXPECT_EQ(engine.WalkUp(), 0); // the root stays
    engine.EndWalk();
    EXPECT_EQ(engine.GetWalkNode(info), 0);
    EXPECT_EQ(engine.BeginWalk("nobody"), 0);
}

TEST_F(CallTest, WalkOrdersCallsByNameWhenAsked) {
    add("a.c", "fn main\ncall zeta\ncall Alpha\ncall beta\nfn zeta\nfn Alpha\nfn beta\n");
    engine.Analyze();
    engine.SetTreeSortOrder(1);
    ASSERT_EQ(engine.BeginWalk("main"), 1);
    WalkNodeInfo info;
    std::vector<std::string> order;
    while (engine.WalkDown()) {
        engine.GetWalkNode(info);
        order.push_back(info.name);
        engine.WalkUp();
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "beta", "zeta"}));
    engine.SetTreeSortOrder(0);
    engine.BeginWalk("main");
    order.clear();
    while (engine.WalkDown()) {
        engine.GetWalkNode(info);
        order.push_back(info.name);
        engine.WalkUp();
    }
    EXPECT_EQ(order, (std::vector<std::string>{"zeta", "Alpha", "beta"}));
}

} // namespace
} // namespace lumbra
