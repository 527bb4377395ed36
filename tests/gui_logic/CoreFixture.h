// An AppCore over C sources in a scratch folder, with a shell that remembers what the program
// told it, and a call graph whose calling tree every chart test knows by heart.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "AppCore.h"
#include "TempDir.h"

namespace lumbra::test {

class RecordingShell final : public AppShell, public MessageSink {
public:
    MessageSink& Messages() override { return *this; }
    bool Message(const std::string& text, const std::string& caption, MessageKind kind) override {
        messages.push_back(caption + ": " + text);
        messageThreads.push_back(std::this_thread::get_id());
        return answer;
    }
    void StatusChanged() override { ++statusChanges; }
    void ProgressChanged() override {
        ++progressChanges;
        if (!progress.empty() && progress.back() == core->Progress().text)
            return;
        progress.push_back(core->Progress().text);
    }
    void AnalysisCleared() override { ++cleared; }
    void TreeRowsChanged() override { ++rowsChanged; }
    void NavigatorChanged() override { ++navigatorChanged; }
    void CurrentRowChanged() override { ++currentChanged; }
    void AnalysisCompleted() override { ++completed; }

    AppCore* core = nullptr;
    bool answer = true;
    std::vector<std::string> messages;
    std::vector<std::thread::id> messageThreads;
    std::vector<std::string> progress;
    int statusChanges = 0, progressChanges = 0, cleared = 0, rowsChanged = 0, navigatorChanged = 0,
        currentChanged = 0, completed = 0;
};

// main calls mid, other and leaf2; mid calls leaf1 and leaf2; other calls leaf1. In code order
// the tree is
//   0 main
//   1   mid        (first of three, folded by default)
//   2     leaf1    (first)
//   3     leaf2    (last)
//   4   other      (middle, folded by default)
//   5     leaf1    (only: last)
//   6   leaf2      (last)
inline constexpr const char* kCallGraph = "void leaf1(void) { int a = 1; }\n"
                                          "void leaf2(void) {\n"
                                          "    int b = 2;\n"
                                          "    b++;\n"
                                          "}\n"
                                          "void mid(void) { leaf1(); leaf2(); }\n"
                                          "void other(void) { leaf1(); }\n"
                                          "int main(void) {\n"
                                          "    mid();\n"
                                          "    other();\n"
                                          "    leaf2();\n"
                                          "    return 0;\n"
                                          "}\n";

class CoreTest : public ::testing::Test {
protected:
    CoreTest() {
        shell.core = &core;
        core.SetShell(&shell);
        // Settings of a first start, never written anywhere.
        core.StartUpAt("", true);
    }
    ~CoreTest() override { core.SetShell(nullptr); }

    std::string write(const std::string& name, const std::string& text) {
        return dir.write(name, text);
    }
    void waitIdle() { ASSERT_TRUE(core.WaitUntilIdle(std::chrono::seconds(30))); }
    // Inputs the files and waits until the analysis has completed.
    void analyse(const std::vector<std::string>& paths) {
        core.InputFiles(paths);
        waitIdle();
    }
    void analyseCallGraph() { analyse({write("graph.c", kCallGraph)}); }
    // The names of the rows, indented two blanks per level.
    std::vector<std::string> rowNames() const {
        std::vector<std::string> out;
        const TreeRowList& rows = core.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            out.push_back(std::string(static_cast<std::size_t>(rows[i].level) * 2, ' ') +
                          std::string(rows.rowName(rows[i], core.Engine())));
        return out;
    }

    TempDir dir;
    RecordingShell shell;
    AppCore core;
};

} // namespace lumbra::test
