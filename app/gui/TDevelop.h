// The setup dialog "Option": a sheet of seven pages whose controls edit a working copy of the
// settings (SetupSheet). OK and Apply hand the copy to the settings, Cancel drops it; the
// "Option" command (SetupCommands.h) then configures the engine and the views.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SetupRules.h"
#include "SetupSheet.h"

class QCheckBox;
class QColor;
class QComboBox;
class QFont;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace lumbra {
class MessageSink;
class SettingsSession;
} // namespace lumbra

namespace lumbra::gui {

// The dialogs and the program start the sheet needs; tests put their own in place.
struct SetupChoosers {
    std::function<std::optional<QColor>(QWidget* parent, const QColor& initial,
                                        const QString& title)>
        color;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> font;
    // A folder, "" when the user cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)> folder;
    // An existing file, "" when the user cancelled; `filter` is a Qt name filter.
    std::function<QString(QWidget* parent, const QString& title, const QString& start,
                          const QString& filter)>
        openFile;
    // Starts a program without a shell and without waiting; false when it could not start.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;

    // Qt's colour, font, folder and file dialogs and QProcess::startDetached.
    static SetupChoosers Standard();
};

class TDevelop final : public QDialog {
    Q_OBJECT
public:
    enum Page : int {
        kPageLanguageFile = 0,
        kPageAssembler = 1,
        kPageView = 2,
        kPageView2 = 3,
        kPageAnalyze1 = 4,
        kPageAnalyze2 = 5,
        kPageOther = 6,
    };

    TDevelop(SettingsSession& session, MessageSink& messages, int startPage, SetupChoosers choosers,
             QWidget* parent = nullptr);
    ~TDevelop() override;

    SetupSheet& Sheet() { return sheet_; }
    int CurrentPage() const;
    void SetCurrentPage(int page);
    QWidget* PageWidget(int page) const;

    // OK and Apply: refuses (and says why, on the page of the field) while a number field
    // holds no acceptable number; otherwise the working copy goes to the settings.
    bool ApplyChanges();
    // The hint shown below the pages ("" when there is nothing to say).
    QString HintText() const;

signals:
    // A page became the active one (the start page of the next opening).
    void pageActivated(int page);

public slots:
    void accept() override;

private:
    enum class TextKind {
        Internal, // text in the internal code page (names, labels, words)
        Path,     // a file name, command or template: bytes as the system takes them
    };
    struct NumberControl {
        QWidget* widget;
        NumberLimits limits;
        int page;
        std::function<bool()> acceptable;
        std::function<void()> reload; // shows the stored value again (after 0 became 1)
    };

    QWidget* buildLanguageFilePage();
    QWidget* buildAssemblerPage();
    QWidget* buildViewPage();
    QWidget* buildView2Page();
    QWidget* buildAnalyze1Page();
    QWidget* buildAnalyze2Page();
    QWidget* buildOtherPage();

    // Controls bound to a field of the working copy: every change is written to it at once.
    QCheckBox* checkBox(const char* text, int& field);
    QRadioButton* radioButton(const char* text, int& field, int value);
    QComboBox* choiceList(std::initializer_list<const char*> items, int& field);
    QLineEdit* textField(std::string& field, TextKind kind, int maxLength,
                         std::function<bool(const std::string&)> allowed = {},
                         const char* refusal = nullptr);
    // Refuses keystrokes that would break `allowed`, showing `refusal` as the hint.
    void guard(QLineEdit* edit, TextKind kind, std::function<bool(const std::string&)> allowed,
               const char* refusal);
    QLineEdit* numberField(int& field, const NumberLimits& limits);
    QSpinBox* spinField(int& field, const NumberLimits& limits);
    QPushButton* colorButton(const char* text, int position);
    void fontRow(QGridLayout* grid, int row, const char* text, int index);
    void defineFileRow(QGridLayout* grid, int row, const char* text, int position,
                       std::string& path, const char* filter, const QString& patterns);
    void dependsOn(QWidget* widget, SetupDependent rule);

    QString shown(const std::string& text, TextKind kind) const;
    std::string stored(const QString& text, TextKind kind) const;
    void refreshEnabling();
    // The hint below the pages: the first number field without an acceptable number, else the
    // reason for the last refused keystroke while its field is still being edited.
    void refreshHint(const QObject* editedBy = nullptr);
    void showRefusal(const QObject* field, const QString& why);
    void refreshColorButton(QPushButton* button, int position);
    void refreshFontRow(int index);
    void refreshCpuNames();
    void editDefineFile(const std::string& path);
    // A file chosen in the open dialog that starts in the folder of `current`; "" when none.
    QString chooseFile(const std::string& current, const char* filter, const QString& patterns);
    void addIncludeFolder(bool withLayers);

    SetupSheet sheet_;
    const Environment env_;
    MessageSink& messages_;
    SetupChoosers choosers_;
    QTabWidget* tabs_ = nullptr;
    QLabel* hint_ = nullptr;
    const QObject* refusedBy_ = nullptr;
    QString refusal_;
    std::vector<std::pair<QWidget*, SetupDependent>> dependents_;
    std::vector<NumberControl> numbers_;
    std::vector<std::pair<QPushButton*, int>> colorButtons_;
    std::array<QLabel*, 4> fontFaces_{};
    std::array<QLabel*, 4> fontSizes_{};
    QComboBox* cpuList_ = nullptr;
    QComboBox* codePages_ = nullptr;
    QLineEdit* includePath_ = nullptr;
    int buildingPage_ = 0; // the page whose controls are being made
};

// Pictures of the sheet's pages for `lumbra32 --screenshot OUT --show option:N`.
void RegisterSetupScreenshotTargets();

} // namespace lumbra::gui
