// What the tests that drive the real main window share: a program started on a private
// settings file that records its message boxes, and waiting for the worker while Qt keeps
// processing events.
#pragma once

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppCore.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TempDir.h"

namespace lumbra::gui {

// Processes events until done() holds; false when ms pass first.
inline bool waitFor(const std::function<bool()>& done, int ms = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

class AppWindowTest : public ::testing::Test {
protected:
    ~AppWindowTest() override { app.reset(); }

    // The program on a settings file of its own, its message boxes recorded, not shown.
    StartOptions testOptions() const {
        StartOptions options;
        options.args = {"lumbra32"};
        options.iniPath = (config.path() / "Lumbra32.ini").string();
        options.interactive = false;
        return options;
    }
    void startApp(const StartOptions& options) {
        app = std::make_unique<TLumbra32App>(options);
        app->Start();
    }

    AppCore& core() { return app->Core(); }
    TMainFrame& frame() { return app->Frame(); }

    // The paths analysed, waiting until the worker is done and rows exist.
    void openPaths(const std::vector<std::string>& paths) {
        core().OpenPaths(paths);
        ASSERT_TRUE(waitFor([&] { return !core().Active() && !core().Rows().empty(); }));
    }
    void openSample() { openPaths({LUMBRA_SAMPLE_DIR}); }

    test::TempDir config;
    std::unique_ptr<TLumbra32App> app;
};

} // namespace lumbra::gui
