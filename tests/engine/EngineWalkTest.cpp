// The engine's calling-tree walk: inclusive values through containers and deep chains,
// stepping back and sideways, abandoned walks, and walks started from one record.
#include <gtest/gtest.h>

#include "AnalysedSources.h"

namespace lumbra {
namespace {

class WalkTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    // Visits the whole tree below the walk's root depth first, reading every node on the way
    // back up (which stores its inclusive values), like the tree builder does.
    void walkAll() {
        WalkNodeInfo info;
        while (true) {
            if (engine.WalkDown() == 1)
                continue;
            engine.GetWalkNode(info);
            if (!engine.WalkUp())
                break;
        }
    }
};

TEST_F(WalkTest, ContainersTakePathNumbersInFullAndSoDoesEverythingAboveThem) {
    add("a.c", "fn main\nx\nfn C::f\nx\nx\nfn C::g\nx\nfn h\nx\nx\nx\n");
    analyse();
    ModuleRecord& cls = module("C"); // the class node made for the members
    ASSERT_EQ(cls.containerKind, kModuleContainer);
    ModuleRecord& main = module("main");
    engine.AddCallFrom(&main, "C", 0, 0);
    engine.AddCallFrom(&cls, "C::f", 0, 0);
    engine.AddCallFrom(&cls, "C::g", 0, 0);
    engine.AddCallFrom(&module("C::f"), "h", 0, 0);
    module("C::f").pathNumb = 3;
    module("C::g").pathNumb = 2;
    module("h").pathNumb = 4;

    ASSERT_EQ(engine.BeginWalk("main"), 1);
    walkAll();
    // h counts 4 - 1 for C::f, which is no container; C and everything above take 3 + 4 + 2.
    EXPECT_EQ(module("h").pathInc, 4);
    EXPECT_EQ(module("C::f").pathInc, 3 + 3);
    EXPECT_EQ(module("C::g").pathInc, 2);
    EXPECT_EQ(cls.pathInc, 0 + 3 + 4 + 2);
    EXPECT_EQ(main.pathInc, 1 + 0 + 3 + 4 + 2);
    EXPECT_EQ(main.execInc, 1 + 0 + 2 + 1 + 3);
    EXPECT_EQ(module("C::f").execInc, 2 + 3);
}

TEST_F(WalkTest, InclusiveValuesOfADeepChainReachTheRoot) {
    std::string text;
    const int depth = 3000;
    for (int i = 0; i < depth; ++i)
        text += "fn f" + std::to_string(i) + "\nx\n" +
                (i + 1 < depth ? "call f" + std::to_string(i + 1) + "\n" : "");
    add("a.c", text);
    analyse();
    ASSERT_EQ(engine.BeginWalk("f0"), 1);
    walkAll();
    // Each module has two exec lines except the last (one), and path number 1.
    EXPECT_EQ(module("f0").execInc, 2 * depth - 1);
    EXPECT_EQ(module("f0").pathInc, 1);
    EXPECT_EQ(module("f2998").execInc, 3);
}

TEST_F(WalkTest, WalkAgainRevisitsTheLastCallAndWalkNextTakesTheFollowingOne) {
    add("a.c", "fn main\ncall a\ncall b\nfn a\nfn b\n");
    analyse();
    WalkNodeInfo info;
    ASSERT_EQ(engine.BeginWalk("main"), 1);
    ASSERT_EQ(engine.WalkDown(), 1);
    ASSERT_EQ(engine.WalkAgain(), 1);
    engine.GetWalkNode(info);
    EXPECT_EQ(info.name, "a");
    EXPECT_EQ(engine.GetWalkNodeCount(), 2);
    ASSERT_EQ(engine.WalkNext(), 1);
    engine.GetWalkNode(info);
    EXPECT_EQ(info.name, "b");
    EXPECT_EQ(engine.WalkNext(), 0); // main has no third call
    engine.GetWalkNode(info);
    EXPECT_EQ(info.name, "main");
    EXPECT_EQ(info.visited, 2);
}

TEST_F(WalkTest, AnAbandonedWalkLeavesNoCycleBehind) {
    add("a.c", "fn main\ncall a\nfn a\ncall b\nfn b\ncall a\n");
    analyse();
    ASSERT_EQ(engine.BeginWalk("main"), 1);
    engine.WalkDown();
    engine.WalkDown(); // main, a, b on the stack
    ASSERT_EQ(engine.BeginWalk("b"), 1);
    EXPECT_EQ(engine.IsWalkNodeNew(), 1);
    EXPECT_EQ(engine.WalkDown(), 1); // a
    EXPECT_EQ(engine.IsWalkNodeNew(), 1);
    EXPECT_EQ(engine.WalkDown(), 1); // b again: a cycle
    EXPECT_EQ(engine.IsWalkNodeNew(), 0);
    engine.EndWalk();
    EXPECT_EQ(engine.GetWalkNodeCount(), 0);
    ASSERT_EQ(engine.BeginWalk("a"), 1);
    EXPECT_EQ(engine.WalkDown(), 1);
    EXPECT_EQ(engine.IsWalkNodeNew(), 1);
}

TEST_F(WalkTest, AWalkFromARecordIgnoresOtherModulesOfTheSameName) {
    add("a.c", "fn init\ncall a\nfn a\n");
    add("b.c", "fn init\ncall b\nfn b\n");
    analyse();
    engine.SetCurrentFile(engine.GetFile(0));
    const int second = engine.GetFile(1)->modules.front()->id;
    WalkNodeInfo info;
    ASSERT_EQ(engine.BeginWalkId(second), 1);
    ASSERT_EQ(engine.WalkDown(), 1);
    engine.GetWalkNode(info);
    EXPECT_EQ(info.name, "b");
    EXPECT_EQ(engine.BeginWalkId(999), 0);
    EXPECT_EQ(engine.GetWalkNode(info), 0);
}

TEST_F(WalkTest, NameWidthsCountTheShortFormAfterTheLastDotOrTheFirstColons) {
    EXPECT_EQ(NFileAnly::ShortNameStart("Form1.Button_Click"), 6u);
    EXPECT_EQ(NFileAnly::ShortNameStart("ns::Cls::run"), 4u);
    EXPECT_EQ(NFileAnly::ShortNameStart("a::b.c"), 5u);
    EXPECT_EQ(NFileAnly::ShortNameStart("plain"), 0u);
    add("a.c", "fn main\ncall Widget::draw\nfn Widget::draw\n");
    analyse();
    WalkNodeInfo info;
    engine.BeginWalk("main");
    engine.GetWalkNode(info);
    engine.WalkDown();
    engine.GetWalkNode(info);
    EXPECT_EQ(engine.GetNameWidth(0), 12);
    EXPECT_EQ(engine.GetNameWidth(1), 4);
}

} // namespace
} // namespace lumbra
