// The application object's Qt side.
#include "TLumbra32App.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <cstdio>

#include "Lang.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TMdlInfFrm.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TTreeWin.h"

namespace lumbra::gui {

bool GuiMessageSink::Message(const std::string& text, const std::string& caption,
                             MessageKind kind) {
    if (handler)
        return handler(text, caption, kind);
    if (!interactive) {
        recorded.push_back(caption + ": " + text);
        std::fprintf(stderr, "lumbra32: %s: %s\n", caption.c_str(), text.c_str());
        return kind != MessageKind::Question;
    }
    QWidget* parent = QApplication::activeWindow();
    const QString t = QString::fromUtf8(text.c_str());
    const QString c = QString::fromUtf8(caption.c_str());
    switch (kind) {
    case MessageKind::Question:
        return QMessageBox::question(parent, c, t, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    case MessageKind::Information:
        QMessageBox::information(parent, c, t);
        return true;
    case MessageKind::Warning:
        QMessageBox::warning(parent, c, t);
        return true;
    }
    return true;
}

Environment DesktopEnvironment() {
    Environment env;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        env.workAreaWidth = area.width();
        env.workAreaHeight = area.height();
    }
    const QStyle* style = QApplication::style();
    env.captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    env.menuBarHeight = style->pixelMetric(QStyle::PM_MenuBarItemSpacing) + 20;
    env.fixedFontFace = QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toStdString();
    env.japaneseLocale = QLocale::system().language() == QLocale::Japanese;
    return env;
}

TLumbra32App::TLumbra32App(const StartOptions& options, QObject* parent)
    : QObject(parent), options_(options), core_(DesktopEnvironment()) {
    messages_.interactive = options.interactive;
    core_.SetShell(this);
    if (!options.iniPath.empty())
        core_.StartUpAt(options.iniPath, options.readOnlySettings);
    else if (options.readOnlySettings)
        core_.StartUpAt(LocateSettingsFile(options.args, RunningProgramPath(), false).path, true);
    else
        core_.StartUp(options.args, RunningProgramPath());
    if (!options.language.empty()) {
        // Chosen for this run only: the stored "Locale" stays as it is.
        SetUiLanguage(options.language == "ja" ? UiLanguage::Japanese : UiLanguage::English);
        core_.ApplySettings();
    }
    frame_ = std::make_unique<TMainFrame>(*this);
    frame_->Panel().ApplyProportions(core_.GetSettings());
    idleTimer_.setInterval(15);
    connect(&idleTimer_, &QTimer::timeout, this, &TLumbra32App::idle);
}

TLumbra32App::~TLumbra32App() {
    Exit();
    core_.SetShell(nullptr);
}

void TLumbra32App::Start() {
    frame_->ApplyPlacement();
    if (options_.showWindow)
        frame_->show();
    if (!options_.words.empty())
        core_.OpenPaths(options_.words);
}

bool TLumbra32App::Exit() {
    if (exited_)
        return true;
    exited_ = true;
    idleTimer_.stop();
    return core_.Exit();
}

void TLumbra32App::idle() {
    core_.Idle();
    if (!core_.Active())
        idleTimer_.stop();
    if (!core_.Busy())
        frame_->Panel().Source().ShowDeferred();
    frame_->RefreshCommands();
    showBusy();
}

void TLumbra32App::showBusy() {
    // The window stays usable while a worker runs; the cursor says that work goes on.
    const bool busy = core_.Busy();
    if (busy == busyShown_ || !frame_)
        return;
    busyShown_ = busy;
    if (busy)
        frame_->setCursor(Qt::BusyCursor);
    else
        frame_->unsetCursor();
}

void TLumbra32App::WakeIdle() {
    if (!idleTimer_.isActive() && !exited_)
        idleTimer_.start();
    if (frame_)
        frame_->RefreshCommands();
    showBusy();
}

void TLumbra32App::StatusChanged() {
    if (frame_)
        frame_->RefreshStatus();
}

void TLumbra32App::ProgressChanged() {
    if (frame_)
        frame_->RefreshProgress();
}

void TLumbra32App::AnalysisCleared() {
    if (!frame_)
        return;
    frame_->Panel().Structure().Clear();
    frame_->Panel().Source().Clear();
    frame_->Panel().ModuleInfo().Clear();
    emit analysisCleared();
}

void TLumbra32App::TreeRowsChanged() {
    if (!frame_)
        return;
    frame_->Panel().Structure().Reset();
    emit treeRowsChanged();
}

void TLumbra32App::NavigatorChanged() {
    if (frame_)
        frame_->Panel().Tree().Refill();
}

void TLumbra32App::CurrentRowChanged() {
    if (!frame_)
        return;
    frame_->Panel().ModuleInfo().Update();
    frame_->Panel().Structure().Redraw();
    frame_->RefreshCommands();
    emit currentRowChanged();
}

void TLumbra32App::SourceTargetChanged() {
    if (!frame_)
        return;
    frame_->Panel().Source().ShowTarget();
    emit sourceTargetChanged();
}

void TLumbra32App::SettingsApplied() {
    if (!frame_)
        return;
    frame_->ApplyToolBarStyle();
    frame_->Panel().Structure().Redraw();
    frame_->Panel().Source().Redraw();
    frame_->RefreshCommands();
    emit settingsApplied();
}

void TLumbra32App::SourceCodePageChanged() {
    if (!frame_)
        return;
    // The shown file is read again in the new code page.
    TSourceWin& source = frame_->Panel().Source();
    if (!source.ShownPath().empty()) {
        source.Clear();
        source.ShowTarget();
    }
    emit sourceCodePageChanged();
}

void TLumbra32App::SourceFoldingChanged() {
    if (!frame_)
        return;
    frame_->Panel().Source().Refold();
    emit sourceFoldingChanged();
}

void TLumbra32App::RecentFilesChanged() {
    if (frame_)
        frame_->RefreshRecentFiles();
}

void TLumbra32App::AnalysisCompleted() {
    if (!frame_)
        return;
    frame_->Panel().ModuleInfo().Update();
    frame_->RefreshCommands();
    emit analysisCompleted();
}

} // namespace lumbra::gui
