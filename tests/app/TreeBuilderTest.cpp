// Building the calling-tree rows: roots, cycles, connector kinds, undefined and unlinked
// callees, Lower Omit, the layer and box limits, sort orders, cancel and the status texts.
#include <gtest/gtest.h>

#include "AnalysedSources.h"
#include "TreeBuilder.h"

namespace lumbra {
namespace {

class TreeTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    TreeTest() {
        TreeBuildHooks hooks;
        hooks.messages = &messages;
        hooks.status = &status;
        builder.SetHooks(hooks);
    }
    void analyse(const std::string& text) {
        add("a.c", text);
        AnalysedSources::analyse();
    }
    void settings(int layer, int boxes, bool lowerOmit, int order = kSortCode) {
        builder.SetSettings({layer, boxes, lowerOmit, order});
    }
    // One text per row: indentation by level, the name, the connector kind, " *" when omitted.
    std::vector<std::string> shape() const {
        std::vector<std::string> out;
        for (const TreeRow& r : rows.rows()) {
            std::string s(static_cast<std::size_t>(r.level) * 2, ' ');
            s += rows.rowName(r, engine);
            if (r.level > 0)
                s += " " + std::to_string(r.connector());
            if (r.omitted())
                s += " *";
            out.push_back(s);
        }
        return out;
    }
    using Rows = std::vector<std::string>;

    TreeRowList rows;
    TreeBuilder builder{engine, rows};
    test::RecordingMessages messages;
    test::RecordingStatus status;
};

TEST_F(TreeTest, SelfRecursiveModuleIsARootShownOnceMoreButNotExpanded) {
    analyse("fn fact\ncall fact\n");
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"fact", "  fact 4"}));
    settings(32, 100, true);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"fact", "  fact 4 *"}));
}

TEST_F(TreeTest, MutualRecursionAppearsOnlyUnderItsCallerAndStopsAtTheRepeat) {
    analyse("fn main\ncall a\nfn a\ncall b\nfn b\ncall a\n");
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  a 4", "    b 4", "      a 4"}));
    EXPECT_FALSE(TreeBuilder::IsRoot(engine, module("a").id));
    EXPECT_FALSE(TreeBuilder::IsRoot(engine, module("b").id));
}

TEST_F(TreeTest, ConnectorKindsMarkFirstMiddleAndLastRowsUnderACaller) {
    analyse("fn main\ncall a\ncall b\ncall c\nfn a\ncall d\nfn b\nfn c\nfn d\n");
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  a 2", "    d 4", "  b 3", "  c 4"}));
    EXPECT_EQ(rows.greatestLevel(), 2);
}

TEST_F(TreeTest, RowsCarryModuleIdAndFoldStateAndRootsAreNeverFolded) {
    analyse("fn main\ncall a\nfn a\ncall b\nfn b\n");
    builder.BuildAllTrees();
    ASSERT_EQ(rows.size(), 3u);
    const int a = module("a").id;
    // Every module that calls starts folded (the engine's default fold state).
    EXPECT_EQ(rows[0].foldState(), kFoldNone);
    EXPECT_EQ(rows[1].flags, static_cast<std::uint32_t>(a * 256 + kFoldFolded * 64 + 4));
    EXPECT_EQ(rows[2].foldState(), kFoldNone);
    EXPECT_EQ(rows[1].moduleId(), a);
    EXPECT_FALSE(rows[1].isLeaf());
}

TEST_F(TreeTest, UnknownCalleeIsAnUndefinedLeafUnlessOptionSixteenDropsIt) {
    analyse("fn main\ncall printf\n");
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  printf 4"}));
    EXPECT_EQ(engine.GetModuleLine(rows[1].moduleId()), 0);

    engine.ClearFiles();
    engine.SetOption(kOptExceptUndefined, 1);
    add("b.c", "fn main\ncall printf\n");
    AnalysedSources::analyse();
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main"}));
}

TEST_F(TreeTest, CallWithoutTargetModuleIsALeafAndTheCallerIsNotReadAgain) {
    analyse("fn main\ncall a\nfn a\nfn b\n");
    ModuleRecord& main = module("main");
    ASSERT_EQ(engine.AddCallFrom(&main, "ghost", 0, 0), 1);
    ASSERT_EQ(engine.AddCallFrom(&main, "b", 0, 0), 1);
    ASSERT_EQ(main.calls[1].targetId, 0);
    builder.BuildTree("main", false);
    EXPECT_EQ(shape(), (Rows{"main", "  a 2", "  ghost 3", "  b 4"}));
    EXPECT_TRUE(rows[2].isLeaf());
    EXPECT_EQ(rows[2].moduleId(), 0);
    EXPECT_EQ(rows.leafName(rows[2]), "ghost");
    EXPECT_EQ(rows.rowsOfModule(main.id), 1);
}

TEST_F(TreeTest, LowerOmitExpandsAModuleWithCallsOnlyWhereItFirstAppears) {
    add("a.c", "fn main\ncall a\ncall b\nfn a\ncall c\nfn b\ncall a\ncall c\nfn c\n");
    add("b.c", "fn other\ncall a\n");
    AnalysedSources::analyse();
    settings(32, 1000, true);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  a 2", "    c 4", "  b 4", "    a 2 *", "    c 4", "other",
                             "  a 4 *"}));
    settings(32, 1000, false);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  a 2", "    c 4", "  b 4", "    a 2", "      c 4", "    c 4",
                             "other", "  a 4", "    c 4"}));
}

TEST_F(TreeTest, LayerLimitShowsOnlyTheFirstRowBelowTheLastExpandedLevel) {
    analyse("fn root\ncall a\ncall z\nfn a\ncall b1\ncall b2\nfn b1\ncall deep\nfn b2\nfn z\n"
            "fn deep\n");
    settings(2, 1000, false);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"root", "  a 2", "    b1 4", "  z 4"}));
    settings(1, 1000, false);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"root", "  a 4"}));
}

TEST_F(TreeTest, BoxLimitEndsTheTreeWithOneMessageAndSkipsTheOtherRoots) {
    analyse("fn first\ncall c1\ncall c2\ncall c3\ncall c4\ncall c5\nfn c1\nfn c2\nfn c3\nfn c4\n"
            "fn c5\nfn second\n");
    settings(32, 3, false);
    builder.BuildAllTrees();
    // The row that went past the limit stays, marked as the last one.
    EXPECT_EQ(shape(), (Rows{"first", "  c1 2", "  c2 3", "  c3 4"}));
    EXPECT_EQ(messages.texts, (Rows{"Caution: Structure Box Limit Over."}));
    EXPECT_EQ(engine.GetState(), kStateAnalysed);

    // The limit counts the rows of all trees together.
    messages.texts.clear();
    settings(32, 7, false);
    builder.BuildAllTrees();
    EXPECT_EQ(rows.size(), 7u);
    EXPECT_TRUE(messages.texts.empty());
    // A tree that would start at the limit is left out with the message.
    settings(32, 6, false);
    builder.BuildAllTrees();
    EXPECT_EQ(shape().back(), "  c5 4");
    EXPECT_EQ(messages.texts.size(), 1u);
}

TEST_F(TreeTest, CancelEndsTheTreeSkipsTheRestAndStopsTheAnalysis) {
    analyse("fn r1\ncall a\ncall b\nfn a\nfn b\nfn r2\ncall a\n");
    int polls = 0;
    TreeBuildHooks hooks;
    hooks.messages = &messages;
    hooks.cancelled = [&] { return ++polls > 2; }; // polled once a round
    builder.SetHooks(hooks);
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"r1", "  a 2", "  b 4"}));
    EXPECT_EQ(messages.texts, (Rows{"Caution: Structure Box Limit Over."}));
    EXPECT_EQ(engine.GetState(), kStateStopped);
    // Nothing is built once the analysis is stopped.
    builder.BuildAllTrees();
    EXPECT_TRUE(rows.empty());
}

TEST_F(TreeTest, BuildingShowsOneStatusPerModuleAndProgressInIdOrder) {
    analyse("fn main\ncall helper\nfn helper\n");
    std::vector<int> positions;
    TreeBuildHooks hooks;
    hooks.status = &status;
    hooks.progress = [&](int position, int count) {
        EXPECT_EQ(count, 2);
        positions.push_back(position);
    };
    builder.SetHooks(hooks);
    builder.BuildAllTrees();
    EXPECT_EQ(status.texts,
              (Rows{"2 Module Link( 1 / 2 ) : main", "2 Module Link( 2 / 2 ) : helper"}));
    EXPECT_EQ(positions, (std::vector<int>{1, 2}));
}

TEST_F(TreeTest, ExecAndPathOrdersUseInclusiveValuesOfAPreliminaryBuild) {
    auto lines = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += "x\n";
        return s;
    };
    analyse("fn main\ncall s\ncall m\ncall b\nfn s\n" + lines(4) + "fn m\ncall t\nfn t\n" +
            lines(10) + "fn b\n" + lines(2));
    ASSERT_EQ(module("t").exec, 10);
    // Exec(Inc.): s 4, m 1 + 10, b 2.
    settings(32, 1000, false, kSortExec);
    builder.BuildTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  m 2", "    t 4", "  s 3", "  b 4"}));
    EXPECT_EQ(module("m").execInc, 11);
    EXPECT_EQ(engine.GetTreeSortOrder(), kSortExec);

    // Path(Inc.): own path number plus each callee's less one.
    module("s").pathNumb = 5;
    module("t").pathNumb = 3;
    module("b").pathNumb = 9;
    settings(32, 1000, false, kSortPath);
    builder.BuildTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  b 2", "  s 3", "  m 4", "    t 4"}));
    EXPECT_EQ(module("m").pathInc, 1 + 2);

    settings(32, 1000, false, kSortName);
    builder.BuildTrees();
    EXPECT_EQ(shape(), (Rows{"main", "  b 2", "  m 3", "    t 4", "  s 4"}));
    settings(32, 1000, false, kSortCode);
    builder.BuildTrees("main");
    EXPECT_EQ(shape(), (Rows{"main", "  s 2", "  m 3", "    t 4", "  b 4"}));
}

TEST_F(TreeTest, RootsOfTheSameNameInTwoFilesEachGetTheirOwnTree) {
    add("a.c", "fn init\ncall a\nfn a\n");
    add("b.c", "fn init\ncall b\nfn b\n");
    AnalysedSources::analyse();
    builder.BuildAllTrees();
    EXPECT_EQ(shape(), (Rows{"init", "  a 4", "init", "  b 4"}));
}

TEST_F(TreeTest, SingleTreesReplaceOrAppendAndUnknownRootsAddNothing) {
    analyse("fn one\ncall long_name_here\nfn long_name_here\nfn two\n");
    EXPECT_TRUE(builder.BuildTree("one", false));
    EXPECT_TRUE(builder.BuildTree("two", true));
    EXPECT_EQ(shape(), (Rows{"one", "  long_name_here 4", "two"}));
    // The widths cover every tree; the engine's only the last walk.
    EXPECT_EQ(rows.nameWidth(false), 14);
    EXPECT_FALSE(builder.BuildTree("nobody", true));
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_TRUE(builder.BuildTree("two", false));
    EXPECT_EQ(shape(), (Rows{"two"}));
    builder.ClearTreeRows();
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(rows.greatestLevel(), 0);
    EXPECT_EQ(engine.GetNameWidth(0), 1);
}

} // namespace
} // namespace lumbra
