// The Help menu: "Index" (and F1) opens the bundled HTML manual in the desktop browser,
// Shift+F1 enters context help (the next command opens the manual at its section instead of
// running; Esc leaves), and "Version" opens the About dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

class QShortcut;

namespace lumbra::gui {

class TAboutDlg;
class TLumbra32App;
class TMainFrame;

class HelpCommands final : public QObject {
    Q_OBJECT
public:
    HelpCommands(TMainFrame& frame, TLumbra32App& app);

    // Opens the manual, at the section of a command when `commandId` is not 0. False (and the
    // user is told) when the manual is missing or the browser could not be started.
    bool OpenManual(int commandId = 0);
    // The manual's address (empty when it is not found).
    QUrl ManualUrl(int commandId = 0) const;

    void EnterContextHelp();
    void LeaveContextHelp();
    bool InContextHelp() const { return contextHelp_; }

    // Opens the About dialog (modeless in tests: `modal` false).
    TAboutDlg* OpenAbout(bool modal = true);

    // F1 while a menu is open enters context help; the menu stays open for the choice.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // How an address is shown; the desktop's browser unless a test replaces it.
    std::function<bool(const QUrl&)> opener;

private:
    TMainFrame& frame_;
    TLumbra32App& app_;
    QShortcut* escape_;
    bool contextHelp_ = false;
    QPointer<TAboutDlg> about_;
};

// Creates the helper as a child of the main window and binds "Index" and "Version".
void InstallHelpCommands(TMainFrame& frame, TLumbra32App& app);
HelpCommands* FindHelpCommands(TMainFrame& frame);

} // namespace lumbra::gui
