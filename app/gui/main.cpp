// lumbra32: the desktop program. Every word of the command line is opened as a project or
// source path; "/oldini" as the first word keeps the settings beside the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "Screenshot.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"

using namespace lumbra::gui;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumbra32");
    QApplication::setOrganizationName("Nuvex");

    QCommandLineParser parser;
    parser.setApplicationDescription("Explore the calling structure of source code.");
    parser.addHelpOption();
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
    parser.addOptions({screenshot, size, select, show, ini, sourceStyle, fold});
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

    TLumbra32App app(options);
    app.Start();
    if (picture) {
        app.Frame().showNormal();
        app.Frame().resize(request.size);
        TakeScreenshot(app, request, [](int status) { QApplication::exit(status); });
    }
    return QApplication::exec();
}
