// The setup dialog driven through its widgets on the offscreen platform: a change on every page
// reaches the settings and the engine, Cancel changes nothing, the start page is remembered,
// number fields refuse garbage with a hint, controls enable each other, the include-path
// buttons, the define-file buttons, Default Setup, and every page fits in both languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "CodePage.h"
#include "CommandTable.h"
#include "EngineConfig.h"
#include "Lang.h"
#include "Screenshot.h"
#include "SetupCommands.h"
#include "TDevelop.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace lumbra::gui {
namespace {

// What the fake dialogs return and what the fake program start was asked.
struct FakeChoosers {
    QColor color{1, 2, 3};
    QFont font{"Serif", 12};
    QString folder;
    QString file;
    bool startSucceeds = true;
    QString startedProgram;
    QStringList startedArguments;

    SetupChoosers make() {
        SetupChoosers c;
        c.color = [this](QWidget*, const QColor&, const QString&) {
            return std::optional<QColor>(color);
        };
        c.font = [this](QWidget*, const QFont&) { return std::optional<QFont>(font); };
        c.folder = [this](QWidget*, const QString&, const QString&) { return folder; };
        c.openFile = [this](QWidget*, const QString&, const QString&, const QString&) {
            return file;
        };
        c.startProgram = [this](const QString& program, const QStringList& arguments) {
            startedProgram = program;
            startedArguments = arguments;
            return startSucceeds;
        };
        return c;
    }
};

class SetupDialogTest : public ::testing::Test {
protected:
    SetupDialogTest() {
        StartOptions options;
        options.args = {"lumbra32"};
        options.iniPath = (config.path() / "Lumbra32.ini").string();
        options.readOnlySettings = true;
        options.interactive = false;
        app = std::make_unique<TLumbra32App>(options);
        SetUiLanguage(UiLanguage::English);
        app->MessageBoxes().handler = [this](const std::string& text, const std::string& caption,
                                             MessageKind kind) {
            messages.push_back(caption + ": " + text);
            return kind == MessageKind::Question ? answer : true;
        };
    }
    ~SetupDialogTest() override {
        sheet.reset();
        app.reset();
        SetUiLanguage(UiLanguage::English);
    }

    AppCore& core() { return app->Core(); }
    Settings& settings() { return core().GetSettings(); }
    TDevelop& open(int page = 0) {
        sheet = std::make_unique<TDevelop>(core().Session(), app->Messages(), page, fakes.make(),
                                           &app->Frame());
        sheet->show();
        return *sheet;
    }
    template <typename W> W* find(const char* name) {
        W* w = sheet->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) {
        if (QAbstractButton* b = find<QAbstractButton>(name))
            b->click();
    }
    void type(const char* name, const QString& text) {
        QLineEdit* edit = find<QLineEdit>(name);
        if (!edit)
            return;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void choose(const char* name, int index) {
        if (QComboBox* list = find<QComboBox>(name))
            list->setCurrentIndex(index);
    }

    test::TempDir config;
    std::unique_ptr<TLumbra32App> app;
    std::unique_ptr<TDevelop> sheet;
    FakeChoosers fakes;
    std::vector<std::string> messages;
    bool answer = false;
};

TEST_F(SetupDialogTest, AChangeOnEveryPageReachesTheSettingsAndTheEngine) {
    const Settings before = settings();
    TDevelop& s = open();
    // Language/File
    click("Language0");
    choose("CpuSet", 1);
    type("FilterExt3", "C CPP HPP");
    // Assembler: the 80x86 call group
    type("Instruction1_0", "CALL LCALL");
    // View: a colour, a font, a meaningless zero and the language
    click("Color0");
    click("FontChg0");
    type("Screen0", "0");
    choose("Locale", 2);
    // View2
    click("ViewOpt9");
    // Analyze1
    click("AnlyOpt10");
    find<QSpinBox>("ModuleLimit")->setValue(0);
    // Analyze2
    click("CountOpt2");
    // Other
    click("CommaSeparate");

    s.SetCurrentPage(TDevelop::kPageView2);
    ASSERT_TRUE(s.ApplyChanges());
    EXPECT_EQ(core().Session().ChangedFlag(), kSetupChangedBase + TDevelop::kPageView2);
    s.close();
    FinishSetupSheet(*app, s);

    const Settings& now = settings();
    EXPECT_EQ(now.language, 0);
    EXPECT_EQ(now.cpuSet, 2);
    EXPECT_EQ(now.filters[3].extensions[0], "c");
    EXPECT_EQ(now.filters[3].extensions[2], "hpp");
    EXPECT_EQ(now.filters[3].extensions[3], "");
    EXPECT_EQ(now.instructions[1][kInsCall], "call lcall");
    EXPECT_EQ(now.treeColors[kColorBack], 1 | (2 << 8) | (3 << 16));
    EXPECT_EQ(now.fonts[kFontTree].face, "Serif");
    EXPECT_EQ(now.fonts[kFontTree].pointTenths, 120);
    EXPECT_EQ(now.screen[0], 1) << "0 characters in a box is stored as 1";
    EXPECT_EQ(find<QLineEdit>("Screen0")->text(), "1");
    EXPECT_EQ(now.locale, 2);
    EXPECT_EQ(now.viewOpt[kViewBlockChart], before.viewOpt[kViewBlockChart] ? 0 : 1);
    EXPECT_EQ(now.anlyOpt[10], before.anlyOpt[10] ? 0 : 1);
    EXPECT_EQ(now.anlyOpt[kAnlyModuleLimit], 1);
    EXPECT_EQ(now.countOpt[2], before.countOpt[2] ? 0 : 1);
    EXPECT_EQ(now.clipboardOut, 0);

    // The engine works with the new words, extensions and options.
    NFileAnly& engine = core().Engine();
    EXPECT_EQ(engine.LookupKeyword("lcall"), kInsCall);
    EXPECT_EQ(LookupExtension(core().InputOptions().extensions, "x.hpp"), 2 + 2);
    EXPECT_EQ(core().InputOptions().language, 0);
    EXPECT_EQ(engine.GetOption(10), now.anlyOpt[10]);
    EXPECT_EQ(engine.GetCountOption(2), now.countOpt[2]);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "Caution: Please reboot a program, in order to validate language change.");
}

TEST_F(SetupDialogTest, CancelLeavesEverythingUntouchedAndTheStartPageIsRemembered) {
    const Settings before = settings();
    const int option10 = core().Engine().GetOption(10);
    InstallSetupCommands(app->Frame(), *app, fakes.make());

    // The modal sheet is worked from a timer, as a user would.
    auto work = [&](const std::function<void(TDevelop&)>& body) {
        QTimer::singleShot(0, [&] {
            auto* open = qobject_cast<TDevelop*>(QApplication::activeModalWidget());
            ASSERT_NE(open, nullptr);
            body(*open);
        });
        ASSERT_TRUE(app->Frame().Commands().Trigger(kCmdOption));
    };
    work([&](TDevelop& s) {
        EXPECT_EQ(s.CurrentPage(), 0);
        s.findChild<QAbstractButton*>("Language1")->click();
        s.findChild<QAbstractButton*>("AnlyOpt10")->click();
        s.findChild<QLineEdit*>("FilterName2")->setText("Changed");
        s.findChild<QAbstractButton*>("Color5")->click();
        s.SetCurrentPage(TDevelop::kPageAnalyze1);
        s.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(core().Session().ChangedFlag(), 0);
    EXPECT_EQ(core().Engine().GetOption(10), option10);
    EXPECT_TRUE(messages.empty());

    // Opened again at the page shown last; OK applies from there.
    work([&](TDevelop& s) {
        EXPECT_EQ(s.CurrentPage(), TDevelop::kPageAnalyze1);
        s.findChild<QAbstractButton*>("AnlyOpt10")->click();
        s.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(core().Session().ChangedFlag(), kSetupChangedBase + TDevelop::kPageAnalyze1);
    EXPECT_NE(core().Engine().GetOption(10), option10);
}

TEST_F(SetupDialogTest, AddLayerAddsTheChosenFolderFirstThenItsSubfolders) {
    const fs::path root = config.path() / "inc";
    fs::create_directories(root / "a");
    fs::create_directories(root / "b");
    settings().includePath.clear();
    open(TDevelop::kPageAnalyze1);
    fakes.folder = QString::fromStdString(root.string());
    click("IncludeAddLayer");
    const std::string r = root.string();
    EXPECT_EQ(find<QLineEdit>("IncludePath")->text().toStdString(),
              r + ";" + r + "/a;" + r + "/b;");
    EXPECT_EQ(sheet->Sheet().Draft().includePath, r + ";" + r + "/a;" + r + "/b;");

    click("IncludeClear");
    EXPECT_EQ(sheet->Sheet().Draft().includePath, "");
    click("IncludeAdd");
    EXPECT_EQ(sheet->Sheet().Draft().includePath, r + ";");
    fakes.folder.clear(); // cancelled chooser
    click("IncludeAdd");
    EXPECT_EQ(sheet->Sheet().Draft().includePath, r + ";");
    EXPECT_TRUE(messages.empty());
}

TEST_F(SetupDialogTest, NumberFieldsRefuseGarbageWithAHint) {
    const Settings before = settings();
    TDevelop& s = open(TDevelop::kPageView);
    QLineEdit* chars = find<QLineEdit>("Screen0");
    const QString old = chars->text();
    chars->setFocus();
    chars->end(false);
    QTest::keyClicks(chars, "x");
    EXPECT_EQ(chars->text(), old) << "letters never reach the field";
    EXPECT_EQ(s.HintText(), "Enter a whole number from 0 to 999.");

    // An empty field cannot be applied: the sheet says why on the field's page.
    type("FilterTab2", "");
    EXPECT_EQ(s.HintText(), "Enter a whole number from 1 to 100.");
    EXPECT_FALSE(s.ApplyChanges());
    EXPECT_EQ(s.CurrentPage(), TDevelop::kPageLanguageFile);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Caution: Enter a whole number from 1 to 100.");
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(core().Session().ChangedFlag(), 0);

    type("FilterTab2", "8");
    EXPECT_EQ(s.HintText(), "");
    EXPECT_TRUE(s.ApplyChanges());
    EXPECT_EQ(settings().filters[2].tabWidth, 8);

    // Commas would split a list value when it is read again.
    type("Comment1", "a,b");
    EXPECT_EQ(find<QLineEdit>("Comment1")->text(), "ab");
    EXPECT_EQ(s.HintText(), "A comma cannot be used here: it separates stored values.");
}

TEST_F(SetupDialogTest, ControlsFollowTheBoxesThatEnableThem) {
    settings().viewOpt[kViewViewlessBoxLine] = 0;
    settings().editorOpen = 1;
    settings().anlyOpt[kAnlyExceptModule] = 0;
    settings().viewOpt[kViewBlockChart] = 1;
    open();
    QWidget* dotted = find<QWidget>("ViewOpt5");
    EXPECT_TRUE(dotted->isEnabled());
    click("ViewOpt19");
    EXPECT_FALSE(dotted->isEnabled());

    EXPECT_TRUE(find<QWidget>("EditorName")->isEnabled());
    click("EditorOpen");
    EXPECT_FALSE(find<QWidget>("EditorName")->isEnabled());
    EXPECT_FALSE(find<QWidget>("EditorChg")->isEnabled());

    EXPECT_FALSE(find<QWidget>("DefineEdit7")->isEnabled());
    click("AnlyOpt7");
    EXPECT_TRUE(find<QWidget>("DefineFile7")->isEnabled());
    EXPECT_TRUE(find<QWidget>("DefineChg7")->isEnabled());

    EXPECT_TRUE(find<QWidget>("ViewOpt11")->isEnabled());
    click("ViewOpt9");
    EXPECT_FALSE(find<QWidget>("ViewOpt11")->isEnabled());
    EXPECT_FALSE(find<QWidget>("ViewOpt17")->isEnabled());

    // Names typed on the Assembler page show in the list of the first page.
    type("CpuName1", "x86-64");
    EXPECT_EQ(find<QComboBox>("CpuSet")->itemText(1), "x86-64");
}

TEST_F(SetupDialogTest, DefineFilesAreChosenAndEditedWithoutAShell) {
    settings().anlyOpt[kAnlyDefineConstant] = 1;
    settings().editorOpen = 1;
    settings().editorName = "/usr/bin/my editor";
    open(TDevelop::kPageAnalyze1);
    fakes.file = "/work/consts.def";
    click("DefineChg11");
    EXPECT_EQ(find<QLineEdit>("DefineFile11")->text(), "/work/consts.def");
    click("DefineEdit11");
    EXPECT_EQ(fakes.startedProgram, "/usr/bin/my editor");
    EXPECT_EQ(fakes.startedArguments, QStringList{"/work/consts.def"});

    // Without the external editor the desktop's opener is asked.
    click("EditorOpen");
    fakes.startSucceeds = false;
    click("DefineEdit11");
    EXPECT_EQ(fakes.startedProgram,
              QString::fromUtf8(kDefaultEditor.data(), static_cast<int>(kDefaultEditor.size())));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Caution: The editor xdg-open could not be started.");

    ASSERT_TRUE(sheet->ApplyChanges());
    EXPECT_EQ(settings().constDef, "/work/consts.def");
    EXPECT_EQ(settings().editorOpen, 0);
}

TEST_F(SetupDialogTest, CodePageDefaultSelectsTheSystemsCodePage) {
    if (!IsCodePageSupported(28591))
        GTEST_SKIP() << "no ISO-8859-1 conversion on this machine";
    settings().codePage = 28591;
    open();
    QComboBox* list = find<QComboBox>("CodePage");
    ASSERT_EQ(CodePageOfEntry(list->currentText().toStdString()), 28591);
    const int system = DefaultCodePage(core().Session().GetEnvironment());
    ASSERT_NE(system, 28591);
    click("CodePageDefault");
    EXPECT_EQ(CodePageOfEntry(list->currentText().toStdString()), system);
    EXPECT_EQ(sheet->Sheet().Draft().codePage, system);
}

TEST_F(SetupDialogTest, DefaultSetupAsksFirst) {
    settings().penSize = 7;
    answer = false;
    ASSERT_TRUE(app->Frame().Commands().Trigger(kCmdDefaultSetup));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Caution: Setup is returned to default.\nAre yuou ready?");
    EXPECT_EQ(settings().penSize, 7);

    answer = true;
    ASSERT_TRUE(app->Frame().Commands().Trigger(kCmdDefaultSetup));
    EXPECT_EQ(settings().penSize, 1);
}

// Every label, box and button of every page gets at least the room its text needs.
void expectNothingCutOff(TDevelop& sheet) {
    for (int page = 0; page < kSetupPageCount; ++page) {
        sheet.SetCurrentPage(page);
        QApplication::processEvents();
        QWidget* widget = sheet.PageWidget(page);
        for (QWidget* child : widget->findChildren<QWidget*>()) {
            if (!child->isVisible() ||
                !(qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child)))
                continue;
            EXPECT_GE(child->width(), child->minimumSizeHint().width())
                << "page " << page << ": " << child->objectName().toStdString();
            EXPECT_LE(child->geometry().right(), widget->width())
                << "page " << page << ": " << child->objectName().toStdString();
        }
    }
}

TEST_F(SetupDialogTest, EveryPageFitsInEnglishAndJapanese) {
    expectNothingCutOff(open());
    sheet.reset();
    SetUiLanguage(UiLanguage::Japanese);
    TDevelop& japanese = open();
    EXPECT_EQ(japanese.windowTitle(), QString::fromUtf8(JapaneseText("Option")));
    expectNothingCutOff(japanese);
    for (int page = 0; page < kSetupPageCount; ++page)
        EXPECT_TRUE(HasScreenshotTarget(QString("option:%1").arg(page))) << page;
}

} // namespace
} // namespace lumbra::gui
