// Owns the modeless "Analyze Information" and "Call Information" windows: binds their commands,
// recreates them on demand, keeps the call information following the current row and the
// analysis, and stores their placement when they or the main window close.
#pragma once

#include <QObject>
#include <QPointer>

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;
class TProgress;
class TXrefMdl;

class InfoWindows final : public QObject {
    Q_OBJECT
public:
    InfoWindows(TMainFrame& frame, TLumbra32App& app);

    // "Analyze Information": an open window is closed first; a new one is filled and shown.
    TProgress* OpenAnalyzeInfo();
    // "Calling Information": the same for the call-information window.
    TXrefMdl* OpenCallInfo();

    // The open windows (nullptr when closed).
    TProgress* AnalyzeInfo() const;
    TXrefMdl* CallInfo() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Window> void closeNow(QPointer<Window>& window);

    TMainFrame& frame_;
    TLumbra32App& app_;
    QPointer<TProgress> progress_;
    QPointer<TXrefMdl> xref_;
};

// Creates the owner as a child of the main window and binds the two commands.
void InstallInfoWindows(TMainFrame& frame, TLumbra32App& app);
// The owner created by InstallInfoWindows (nullptr before).
InfoWindows* FindInfoWindows(TMainFrame& frame);

// The screenshot targets "info", "xref" and "search:PATTERN".
void RegisterInfoScreenshotTargets();

} // namespace lumbra::gui
