// `lumbra32 --screenshot OUT.png [--size WxH] [--select NAME] [--show WHAT]
// [--source-style none|horizon|linkage|flowchart] [--fold all|none] PATH...`: opens the paths,
// waits for the analysis, optionally selects a module in the chart, sets the source pane's
// figure style and folding, saves a picture and ends the program.
//
// Extension point: a later window adds a target with RegisterScreenshotTarget, usually in
// RegisterBuiltInScreenshotTargets (Screenshot.cpp) next to the existing ones:
//
//     RegisterScreenshotTarget("info", "the Analyze Information window",
//                              [](TLumbra32App& app) -> QWidget* {
//                                  app.Frame().Commands().Trigger(kCmdAnalyzeInfo);
//                                  return findTheWindow(app);
//                              });
//
// The function runs once the analysis is complete (and NAME is selected); it opens what it
// shows and returns the widget to photograph (nullptr: the picture fails, exit status 1).
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace lumbra::gui {

class TLumbra32App;

struct ScreenshotRequest {
    QString out;
    QSize size{1280, 800};
    QString select; // module name (UTF-8) to select in the chart
    QString show = QStringLiteral("main");
    QString sourceStyle; // "" keeps the settings' style
    QString fold;        // "all", "none" or "" (as loaded)
};

// The source pane's style of `--source-style`; false for an unknown name.
bool ParseSourceStyle(const QString& text, int& style);

using ScreenshotTarget = std::function<QWidget*(TLumbra32App& app)>;

void RegisterScreenshotTarget(const QString& name, const QString& description,
                              ScreenshotTarget target);

// A target shown as `--show NAME:ARGUMENT` (e.g. "search:PATTERN"): the function receives the
// text after the first colon; `argument` names it in the list of targets.
using ScreenshotTargetWithArgument =
    std::function<QWidget*(TLumbra32App& app, const QString& argument)>;
void RegisterScreenshotTargetWithArgument(const QString& name, const QString& argument,
                                          const QString& description,
                                          ScreenshotTargetWithArgument target);

// "name: description" of every target, in name order.
std::vector<QString> ScreenshotTargetList();
bool HasScreenshotTarget(const QString& name);

// Parses "WxH"; false when it is malformed.
bool ParseScreenshotSize(const QString& text, QSize& size);

// Calls `ready` once the analysis is complete (waiting at most `timeoutMs`) and the module
// `select` (UTF-8; none when empty) is selected; otherwise says why on stderr and calls done(1).
void WhenAnalysed(TLumbra32App& app, const QString& select, int timeoutMs,
                  std::function<void(int status)> done, std::function<void()> ready);

// Starts the picture: `done` is called with the exit status once the picture is saved (0) or
// failed (1). Waits at most `timeoutMs` for the analysis.
void TakeScreenshot(TLumbra32App& app, const ScreenshotRequest& request,
                    std::function<void(int status)> done, int timeoutMs = 600000);

} // namespace lumbra::gui
