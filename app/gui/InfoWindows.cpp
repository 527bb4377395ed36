// The analysis-information and call-information windows of the main window.
#include "InfoWindows.h"

#include <QComboBox>
#include <QEvent>
#include <QSplitter>

#include "CommandTable.h"
#include "Screenshot.h"
#include "Settings.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TMdlInfFrm.h"
#include "TProgress.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TXrefMdl.h"

namespace lumbra::gui {

InfoWindows::InfoWindows(TMainFrame& frame, TLumbra32App& app)
    : QObject(&frame), frame_(frame), app_(app) {
    setObjectName("InfoWindows");
    // Before the main window writes the settings at its close, the windows store their layout.
    frame.installEventFilter(this);
    connect(&app, &TLumbra32App::currentRowChanged, this, [this] {
        if (xref_)
            xref_->Update();
    });
    connect(&app, &TLumbra32App::analysisCleared, this, [this] {
        if (xref_)
            xref_->Clear();
    });
    connect(&app, &TLumbra32App::analysisCompleted, this, [this] {
        if (app_.Core().GetSettings().viewOpt[kViewOpenCallInfo] != 0)
            OpenCallInfo();
    });
}

TProgress* InfoWindows::AnalyzeInfo() const {
    return progress_;
}

TXrefMdl* InfoWindows::CallInfo() const {
    return xref_;
}

template <typename Window> void InfoWindows::closeNow(QPointer<Window>& window) {
    if (!window)
        return;
    window->close(); // stores the placement
    delete window.data();
}

TProgress* InfoWindows::OpenAnalyzeInfo() {
    closeNow(progress_);
    progress_ = new TProgress(app_, &frame_);
    connect(progress_, &QDialog::finished, progress_, &QObject::deleteLater);
    progress_->Fill();
    progress_->show();
    frame_.Panel().Structure().Redraw();
    frame_.Panel().Source().viewport()->update();
    return progress_;
}

TXrefMdl* InfoWindows::OpenCallInfo() {
    closeNow(xref_);
    xref_ = new TXrefMdl(app_, &frame_);
    connect(xref_, &QDialog::finished, xref_, &QObject::deleteLater);
    xref_->Update();
    xref_->show();
    return xref_;
}

bool InfoWindows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &frame_ && event->type() == QEvent::Close) {
        if (progress_)
            progress_->StoreLayout();
        if (xref_)
            xref_->StoreLayout();
    }
    return QObject::eventFilter(watched, event);
}

void InstallInfoWindows(TMainFrame& frame, TLumbra32App& app) {
    auto* windows = new InfoWindows(frame, app);
    AppCore& core = app.Core();
    auto idle = [&core] { return !core.Busy(); };
    frame.Commands().Bind(
        kCmdAnalyzeInfo, [windows] { windows->OpenAnalyzeInfo(); }, idle);
    frame.Commands().Bind(
        kCmdCallingInfo, [windows] { windows->OpenCallInfo(); }, idle);
}

InfoWindows* FindInfoWindows(TMainFrame& frame) {
    return frame.findChild<InfoWindows*>("InfoWindows", Qt::FindDirectChildrenOnly);
}

void RegisterInfoScreenshotTargets() {
    RegisterScreenshotTarget("info", "the Analyze Information window",
                             [](TLumbra32App& app) -> QWidget* {
                                 InfoWindows* windows = FindInfoWindows(app.Frame());
                                 if (!windows || !app.Frame().Commands().Trigger(kCmdAnalyzeInfo))
                                     return nullptr;
                                 windows->AnalyzeInfo()->resize(app.Frame().size());
                                 return windows->AnalyzeInfo();
                             });
    RegisterScreenshotTarget(
        "xref", "the Call Information window (of --select NAME, else of the first box)",
        [](TLumbra32App& app) -> QWidget* {
            InfoWindows* windows = FindInfoWindows(app.Frame());
            AppCore& core = app.Core();
            if (core.CurrentRow() < 0 && !core.Rows().empty())
                core.SetCurrentRow(0);
            if (!windows || !app.Frame().Commands().Trigger(kCmdCallingInfo))
                return nullptr;
            windows->CallInfo()->resize(app.Frame().width(), app.Frame().height() * 2 / 5);
            return windows->CallInfo();
        });
    RegisterScreenshotTargetWithArgument(
        "search", "PATTERN",
        "the Search page of the module-information pane after searching PATTERN",
        [](TLumbra32App& app, const QString& pattern) -> QWidget* {
            TMdlInfFrm& pane = app.Frame().Panel().ModuleInfo();
            // The pane shares the left column with the module tree: give it the room a reader
            // would drag it to.
            if (auto* column = qobject_cast<QSplitter*>(pane.parentWidget())) {
                column->setSizes({1, app.Frame().height()});
                if (auto* panel = qobject_cast<QSplitter*>(column->parentWidget()))
                    panel->setSizes({app.Frame().width() / 2, app.Frame().width() / 2});
            }
            pane.setCurrentIndex(TMdlInfFrm::kSearchPage);
            pane.PatternBox().setEditText(pattern);
            if (!pane.Search())
                return nullptr;
            pane.WaitForSearch();
            return &pane;
        });
}

} // namespace lumbra::gui
