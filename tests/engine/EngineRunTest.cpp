// The analysis run: states, re-analysis with and without re-registration, stopping.
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

#include "AnalysisRunner.h"
#include "FakeScanner.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::FakeScanner;
using test::TempDir;

class RunTest : public ::testing::Test {
protected:
    RunTest() {
        auto s = std::make_unique<FakeScanner>();
        fake = s.get();
        engine.SetScanner(kKindCFamily, std::move(s));
    }
    void add(const std::string& name, const std::string& text) {
        engine.AddFile(dir.write(name, text), kKindCFamily);
    }

    TempDir dir;
    NFileAnly engine;
    FakeScanner* fake = nullptr;
};

TEST_F(RunTest, AnalyzeWithoutFilesDoesNothing) {
    EXPECT_EQ(engine.Analyze(), 0);
    EXPECT_EQ(engine.GetState(), kStateNone);
}

TEST_F(RunTest, AnalyzeGoesToStateTwoAndCountsFinishedFiles) {
    add("a.c", "fn main\ncall g\nfn g\n");
    add("b.c", "fn h\n");
    EXPECT_EQ(engine.Analyze(), 1);
    EXPECT_EQ(engine.GetState(), kStateAnalysed);
    EXPECT_EQ(engine.GetFileCount(), 2);
    EXPECT_EQ(fake->analysisPasses, 2);
}

TEST_F(RunTest, ReanalysisOfUnchangedFilesKeepsRecordsAndCountsOnce) {
    add("a.c", "fn main\ncall g\ncall undefinedThing\nfn g\n");
    engine.Analyze();
    const int modules = engine.GetModuleCount();
    const int mainId = engine.FindModuleId("main");
    const int comment = engine.GetModule(mainId)->comment;

    engine.SetState(kStateReanalyse);
    engine.Analyze();
    EXPECT_EQ(fake->definitionPasses, 1); // not re-registered
    EXPECT_EQ(fake->analysisPasses, 2);
    EXPECT_EQ(engine.GetModuleCount(), modules);
    EXPECT_EQ(engine.FindModuleId("main"), mainId);
    const ModuleRecord& m = *engine.GetModule(mainId);
    EXPECT_EQ(m.comment, comment); // second-pass counts are not added twice
    EXPECT_EQ(m.lowerCount(), 2);
    EXPECT_EQ(engine.GetModule(engine.FindModuleId("g"))->upperCount(), 1);
}

TEST_F(RunTest, ChangedOptionsReRegisterEveryFile) {
    add("a.c", "fn main\n");
    add("b.c", "fn g\n");
    engine.Analyze();
    engine.SetOption(kOptExceptUndefined, 1);
    EXPECT_TRUE(engine.OptionsChanged());
    engine.SetState(kStateReanalyse);
    engine.Analyze();
    EXPECT_EQ(fake->definitionPasses, 4);
    EXPECT_EQ(engine.GetFileCount(), 2);
    EXPECT_STREQ(engine.GetFileName(1), "b.c");
    EXPECT_FALSE(engine.OptionsChanged());
}

TEST_F(RunTest, AddedFilesReRegisterOnReanalysis) {
    add("a.c", "fn main\n");
    engine.Analyze();
    add("b.c", "fn g\n");
    engine.SetState(kStateReanalyse);
    engine.Analyze();
    EXPECT_EQ(fake->definitionPasses, 4); // both files again
    EXPECT_EQ(engine.GetFileCount(), 2);
    EXPECT_EQ(engine.GetState(), kStateAnalysed);
}

TEST_F(RunTest, StopTakesEffectAtTheNextFileBoundary) {
    add("a.c", "fn a\ncall x\n");
    add("b.c", "fn b\ncall y\n");
    add("c.c", "fn c\n");
    fake->onAnalysisStart = [&](const FileRecord& f) {
        if (f.index == 0)
            engine.RequestStop();
    };
    engine.Analyze();
    EXPECT_EQ(engine.GetState(), kStateStopped);
    EXPECT_EQ(engine.GetFileCount(), 1); // the file in progress was finished
    EXPECT_EQ(fake->analysisPasses, 1);
    EXPECT_EQ(engine.GetModule(1)->lowerCount(), 1);
}

TEST_F(RunTest, RunnerStopsFromAnotherThread) {
    add("a.c", "fn a\n");
    add("b.c", "fn b\n");
    std::mutex mutex;
    std::condition_variable cv;
    bool started = false, released = false;
    fake->onAnalysisStart = [&](const FileRecord& f) {
        if (f.index != 0)
            return;
        std::unique_lock lock(mutex);
        started = true;
        cv.notify_all();
        cv.wait(lock, [&] { return released; });
    };
    AnalysisRunner runner(engine);
    ASSERT_TRUE(runner.Start());
    {
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return started; });
    }
    EXPECT_TRUE(runner.Busy());
    EXPECT_FALSE(runner.Start()); // one run at a time
    RunProgress p = runner.Progress();
    EXPECT_EQ(p.state, kStateRunning);
    EXPECT_EQ(p.fileName, "a.c");
    runner.Stop();
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    cv.notify_all();
    runner.Join();
    EXPECT_FALSE(runner.Busy());
    EXPECT_EQ(engine.GetState(), kStateStopped);
    EXPECT_EQ(engine.GetFileCount(), 1);
}

TEST_F(RunTest, ClearFilesRestartsIds) {
    add("a.c", "fn a\n");
    engine.Analyze();
    engine.ClearFiles();
    EXPECT_EQ(engine.GetFileCount(), 0);
    EXPECT_EQ(engine.GetModuleCount(), 0);
    EXPECT_EQ(engine.GetNameWidth(0), 1);
    add("b.c", "fn b\n");
    EXPECT_EQ(engine.FindModuleId("b"), 1);
}

} // namespace
} // namespace lumbra
