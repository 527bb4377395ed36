// The Help menu.
#include "HelpCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>

#include "CommandTable.h"
#include "DataDirectory.h"
#include "Lang.h"
#include "SettingsSession.h"
#include "TAboutDlg.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TStructWin.h"
#include "TTreeWin.h"
#include "UiText.h"

namespace lumbra::gui {

HelpCommands::HelpCommands(TMainFrame& frame, TLumbra32App& app)
    : QObject(&frame), frame_(frame), app_(app),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &frame)) {
    setObjectName("HelpCommands");
    opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &HelpCommands::LeaveContextHelp);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &frame);
    connect(f1, &QShortcut::activated, this, [this] {
        if (contextHelp_)
            return;
        frame_.Commands().Trigger(kCmdHelpIndex);
    });
    auto* shiftF1 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), &frame);
    connect(shiftF1, &QShortcut::activated, this, &HelpCommands::EnterContextHelp);
    qApp->installEventFilter(this);
}

bool HelpCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        // Only the main window's own menus (menu bar, submenus, the panes' context menus).
        const QObject* owner = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        while (owner && owner != &frame_)
            owner = owner->parent();
        if (owner) {
            EnterContextHelp();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QUrl HelpCommands::ManualUrl(int commandId) const {
    const std::string path = HelpManualPath(RunningProgramPath(), IsJapaneseUi());
    if (path.empty())
        return {};
    QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    if (commandId != 0)
        url.setFragment(QString::fromStdString(HelpAnchor(commandId)));
    return url;
}

bool HelpCommands::OpenManual(int commandId) {
    const QUrl url = ManualUrl(commandId);
    if (url.isEmpty()) {
        app_.Messages().Message(lumbra::tr("The manual could not be found."), lumbra::tr("Caution"),
                                MessageKind::Warning);
        return false;
    }
    if (!opener(url)) {
        app_.Messages().Message(Format(lumbra::tr("The manual %s could not be opened."),
                                       url.toLocalFile().toUtf8().constData()),
                                lumbra::tr("Caution"), MessageKind::Warning);
        return false;
    }
    return true;
}

void HelpCommands::EnterContextHelp() {
    if (contextHelp_)
        return;
    contextHelp_ = true;
    frame_.setCursor(Qt::WhatsThisCursor);
    escape_->setEnabled(true);
    frame_.Commands().SetInterceptor([this](int id) {
        LeaveContextHelp();
        OpenManual(id);
    });
}

void HelpCommands::LeaveContextHelp() {
    if (!contextHelp_)
        return;
    contextHelp_ = false;
    escape_->setEnabled(false);
    frame_.unsetCursor();
    frame_.Commands().SetInterceptor({});
}

TAboutDlg* HelpCommands::OpenAbout(bool modal) {
    if (about_)
        about_->close();
    about_ = new TAboutDlg(&frame_);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    connect(about_, &QDialog::finished, this, [this] {
        frame_.Panel().Tree().viewport()->update();
        frame_.Panel().Structure().viewport()->update();
    });
    if (modal) {
        about_->exec();
        return nullptr;
    }
    about_->show();
    return about_;
}

void InstallHelpCommands(TMainFrame& frame, TLumbra32App& app) {
    auto* help = new HelpCommands(frame, app);
    CommandSet& commands = frame.Commands();
    commands.Bind(kCmdHelpIndex, [help] { help->OpenManual(); });
    commands.Bind(kCmdVersion, [help] { help->OpenAbout(); });
}

HelpCommands* FindHelpCommands(TMainFrame& frame) {
    return frame.findChild<HelpCommands*>("HelpCommands", Qt::FindDirectChildrenOnly);
}

} // namespace lumbra::gui
