// lumbra32: the desktop program. Every word of the command line is opened as a project or
// source path; "/oldini" as the first word keeps the settings beside the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "BuildInfo.h"
#include "DataDirectory.h"
#include "PrintCommands.h"
#include "Screenshot.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"

using namespace lumbra::gui;

namespace {

// The icon installed for the desktop entry, read from the share folder beside the program so
// that a moved or uninstalled tree shows it too; the icon theme is asked only when none is there.
QIcon applicationIcon() {
    QIcon icon;
    if (std::optional<std::filesystem::path> share = lumbra::ShareFolder()) {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const std::filesystem::path png = *share / "icons" / "hicolor" /
                                              (std::to_string(size) + "x" + std::to_string(size)) /
                                              "apps" / "lumbra32.png";
            std::error_code ec;
            if (std::filesystem::exists(png, ec))
                icon.addFile(QString::fromStdString(png.string()), QSize(size, size));
        }
    }
    return icon.isNull() ? QIcon::fromTheme("lumbra32") : icon;
}

// True when the command line asks only for the help or version text.
bool asksForTextOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--")
            return false;
        if (word == "-h" || word == "-?" || word == "--help" || word == "--help-all" ||
            word == "-v" || word == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // The help and version texts need no window system: answer them over ssh and in scripts too.
    if (asksForTextOnly(argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumbra32");
    QApplication::setOrganizationName("Nuvex");
    QApplication::setApplicationVersion(lumbra::build::kVersion);
    // Lets the desktop match the windows with the installed lumbra32.desktop entry.
    QGuiApplication::setDesktopFileName("lumbra32");

    QCommandLineParser parser;
    parser.setApplicationDescription("Explore the calling structure of source code.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot("screenshot", "Save a picture to FILE and exit.", "FILE");
    const QCommandLineOption size("size", "Window size of the picture (default 1280x800).", "WxH");
    const QCommandLineOption select("select", "Select the module NAME in the chart.", "NAME");
    const QCommandLineOption show("show", "What the picture shows (default main).", "WHAT");
    const QCommandLineOption ini("ini", "Use FILE as the settings file.", "FILE");
    const QCommandLineOption sourceStyle(
        "source-style", "Block figures of the source pane: none, horizon, linkage or flowchart.",
        "STYLE");
    const QCommandLineOption fold("fold", "Fold all blocks of the source pane, or none.",
                                  "all|none");
    const QCommandLineOption lang("lang", "Interface language for this run (ja or en).", "LANG");
    const QCommandLineOption printPdf("print-pdf", "Print to the PDF file FILE and exit.", "FILE");
    const QCommandLineOption what("what", "What --print-pdf prints: structure or source.", "WHAT");
    parser.addOptions(
        {screenshot, size, select, show, ini, sourceStyle, fold, lang, printPdf, what});
    parser.addPositionalArgument("paths", "Source files, folders or project files.", "[PATH...]");
    parser.process(application);

    StartOptions options;
    for (int i = 0; i < argc; ++i)
        options.args.emplace_back(argv[i]);
    const QStringList words = parser.positionalArguments();
    for (int i = 0; i < words.size(); ++i) {
        // The older settings location is a switch, not a path.
        if (i == 0 && words[i].toLower().contains("/oldini"))
            continue;
        options.words.push_back(words[i].toStdString());
    }
    options.iniPath = parser.value(ini).toStdString();
    if (parser.isSet(lang)) {
        const QString value = parser.value(lang).toLower();
        if (value != "ja" && value != "en") {
            std::fprintf(stderr, "lumbra32: --lang wants ja or en\n");
            return 2;
        }
        options.language = value.toStdString();
    }

    ScreenshotRequest request;
    const bool picture = parser.isSet(screenshot);
    if (picture) {
        request.out = parser.value(screenshot);
        if (parser.isSet(size) && !ParseScreenshotSize(parser.value(size), request.size)) {
            std::fprintf(stderr, "lumbra32: --size wants WxH, e.g. 1280x800\n");
            return 2;
        }
        request.select = parser.value(select);
        if (parser.isSet(show))
            request.show = parser.value(show);
        request.sourceStyle = parser.value(sourceStyle);
        int style = 0;
        if (parser.isSet(sourceStyle) && !ParseSourceStyle(request.sourceStyle, style)) {
            std::fprintf(stderr, "lumbra32: --source-style wants none, horizon, linkage or "
                                 "flowchart\n");
            return 2;
        }
        request.fold = parser.value(fold).toLower();
        if (parser.isSet(fold) && request.fold != "all" && request.fold != "none") {
            std::fprintf(stderr, "lumbra32: --fold wants all or none\n");
            return 2;
        }
        if (!HasScreenshotTarget(request.show)) {
            std::fprintf(stderr, "lumbra32: --show knows:\n");
            for (const QString& line : ScreenshotTargetList())
                std::fprintf(stderr, "  %s\n", qPrintable(line));
            return 2;
        }
        // A picture run never asks the user and never changes the settings.
        options.interactive = false;
        options.readOnlySettings = true;
    }

    const bool print = parser.isSet(printPdf);
    PrintRequest printRequest;
    if (print) {
        if (picture) {
            std::fprintf(stderr, "lumbra32: --print-pdf and --screenshot exclude each other\n");
            return 2;
        }
        const QString kind = parser.isSet(what) ? parser.value(what) : QStringLiteral("structure");
        if (kind != "structure" && kind != "source") {
            std::fprintf(stderr, "lumbra32: --what wants structure or source\n");
            return 2;
        }
        printRequest.out = parser.value(printPdf);
        printRequest.pane = kind == "source" ? PrintPane::Source : PrintPane::Structure;
        printRequest.select = parser.value(select);
        options.interactive = false;
        options.readOnlySettings = true;
        options.showWindow = false;
    }

    QApplication::setWindowIcon(applicationIcon());
    TLumbra32App app(options);
    app.Start();
    if (print)
        PrintWhenReady(app, printRequest, [](int status) { QApplication::exit(status); });
    if (picture) {
        app.Frame().showNormal();
        app.Frame().resize(request.size);
        TakeScreenshot(app, request, [](int status) { QApplication::exit(status); });
    }
    return QApplication::exec();
}
