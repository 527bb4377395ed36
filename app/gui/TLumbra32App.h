// The application object's Qt side: owns the program state (AppCore), the main window and the
// idle timer that drives the analysis run, and turns the core's notifications into widget
// updates.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppCore.h"
#include "Sinks.h"

namespace lumbra::gui {

class TMainFrame;

// Messages as message boxes; without a user to answer (screenshots, tests) they are recorded
// and printed, and questions answer "No".
class GuiMessageSink final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string& caption, MessageKind kind) override;

    bool interactive = true;
    // When set, every message goes here instead (tests); the result is the answer.
    std::function<bool(const std::string& text, const std::string& caption, MessageKind kind)>
        handler;
    std::vector<std::string> recorded; // "caption: text" of the non-interactive messages
};

// How the program was started.
struct StartOptions {
    std::vector<std::string> args;  // program name first, as main received them
    std::vector<std::string> words; // paths to open
    std::string iniPath;            // a settings file instead of the usual one
    bool readOnlySettings = false;  // never write the settings file
    bool interactive = true;        // message boxes (false: recorded, see GuiMessageSink)
    bool showWindow = true;         // false: work without showing the main window
    std::string language;           // "ja" or "en" overrides "Locale" for this run; "" keeps it
};

// The machine as the settings' defaults need it (work area, fixed-width font, locale).
Environment DesktopEnvironment();

class TLumbra32App final : public QObject, public AppShell {
    Q_OBJECT
public:
    explicit TLumbra32App(const StartOptions& options, QObject* parent = nullptr);
    ~TLumbra32App() override;

    AppCore& Core() { return core_; }
    TMainFrame& Frame() { return *frame_; }
    GuiMessageSink& MessageBoxes() { return messages_; }

    // Shows the main window with its stored placement and opens the command-line words.
    void Start();
    // Saves the placement and the settings; called once when the main window closes.
    bool Exit();

    // AppShell
    MessageSink& Messages() override { return messages_; }
    void WakeIdle() override;
    void StatusChanged() override;
    void ProgressChanged() override;
    void AnalysisCleared() override;
    void TreeRowsChanged() override;
    void NavigatorChanged() override;
    void CurrentRowChanged() override;
    void SourceTargetChanged() override;
    void SettingsApplied() override;
    void SourceCodePageChanged() override;
    void SourceFoldingChanged() override;
    void RecentFilesChanged() override;
    void AnalysisCompleted() override;

signals:
    // Relays of the core's notifications for panes and windows that later plug in.
    void analysisCleared();
    void treeRowsChanged();
    void currentRowChanged();
    void sourceTargetChanged();
    void settingsApplied();
    // The setup dialog changed the code page or the default source folding.
    void sourceCodePageChanged();
    void sourceFoldingChanged();
    void analysisCompleted();

private:
    void idle();
    void showBusy();

    StartOptions options_;
    GuiMessageSink messages_;
    AppCore core_;
    std::unique_ptr<TMainFrame> frame_;
    QTimer idleTimer_;
    bool exited_ = false;
    bool busyShown_ = false;
};

} // namespace lumbra::gui
