// Pictures of the program from the command line.
#include "Screenshot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <map>
#include <memory>

#include "CodePage.h"
#include "InfoWindows.h"
#include "PrintCommands.h"
#include "SourceView.h"
#include "TDevelop.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TTreeWin.h"

namespace lumbra::gui {

namespace {

struct Target {
    QString description;
    ScreenshotTarget make;
    ScreenshotTargetWithArgument makeWith; // set for NAME:ARGUMENT targets
    QString argument;
};

std::map<QString, Target>& targets() {
    static std::map<QString, Target> all;
    return all;
}

// The target `--show` names ("NAME" or "NAME:ARGUMENT"), or nullptr.
const Target* findTarget(const QString& show, QString& argument) {
    auto exact = targets().find(show);
    if (exact != targets().end() && exact->second.make)
        return &exact->second;
    const qsizetype colon = show.indexOf(':');
    if (colon < 0)
        return nullptr;
    auto named = targets().find(show.left(colon));
    if (named == targets().end() || !named->second.makeWith)
        return nullptr;
    argument = show.mid(colon + 1);
    return &named->second;
}

void RegisterBuiltInScreenshotTargets() {
    if (!targets().empty())
        return;
    RegisterScreenshotTarget("main", "the main window",
                             [](TLumbra32App& app) -> QWidget* { return &app.Frame(); });
    RegisterScreenshotTarget("structure", "the structure pane", [](TLumbra32App& app) -> QWidget* {
        return &app.Frame().Panel().Structure();
    });
    RegisterScreenshotTarget("source", "the source pane", [](TLumbra32App& app) -> QWidget* {
        return &app.Frame().Panel().Source();
    });
    RegisterScreenshotTarget("tree", "the module tree", [](TLumbra32App& app) -> QWidget* {
        return &app.Frame().Panel().Tree();
    });
    RegisterSetupScreenshotTargets();
    RegisterInfoScreenshotTargets();
    RegisterPrintScreenshotTargets();
}

} // namespace

void RegisterScreenshotTarget(const QString& name, const QString& description,
                              ScreenshotTarget target) {
    targets()[name] = Target{description, std::move(target), {}, {}};
}

void RegisterScreenshotTargetWithArgument(const QString& name, const QString& argument,
                                          const QString& description,
                                          ScreenshotTargetWithArgument target) {
    targets()[name] = Target{description, {}, std::move(target), argument};
}

std::vector<QString> ScreenshotTargetList() {
    RegisterBuiltInScreenshotTargets();
    std::vector<QString> list;
    for (const auto& [name, target] : targets())
        list.push_back(name + (target.makeWith ? ":" + target.argument : QString()) + ": " +
                       target.description);
    return list;
}

bool HasScreenshotTarget(const QString& name) {
    RegisterBuiltInScreenshotTargets();
    QString argument;
    return findTarget(name, argument) != nullptr;
}

bool ParseSourceStyle(const QString& text, int& style) {
    static const std::map<QString, SourceStyle> names = {{"none", SourceStyle::None},
                                                         {"horizon", SourceStyle::Horizon},
                                                         {"linkage", SourceStyle::Linkage},
                                                         {"flowchart", SourceStyle::Flowchart}};
    const auto found = names.find(text.toLower());
    if (found == names.end())
        return false;
    style = static_cast<int>(found->second);
    return true;
}

bool ParseScreenshotSize(const QString& text, QSize& size) {
    static const QRegularExpression form(QStringLiteral("^(\\d{2,5})[xX](\\d{2,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    return size.width() >= 100 && size.height() >= 100 && size.width() <= 10000 &&
           size.height() <= 10000;
}

void WhenAnalysed(TLumbra32App& app, const QString& select, int timeoutMs,
                  std::function<void(int status)> done, std::function<void()> ready) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto* poll = new QTimer(&app);
    poll->setInterval(20);
    QObject::connect(
        poll, &QTimer::timeout, &app, [&app, select, done, ready, clock, poll, timeoutMs] {
            AppCore& core = app.Core();
            if (core.Active() && clock->elapsed() < timeoutMs)
                return;
            poll->stop();
            poll->deleteLater();
            if (core.Active()) {
                std::fprintf(stderr, "lumbra32: the analysis did not complete in time\n");
                done(1);
                return;
            }
            if (!select.isEmpty() &&
                !app.Frame().Panel().Structure().SelectModule(Utf8ToInternal(
                    select.toStdString(), core.Engine().GetTextReadSettings().codePage))) {
                std::fprintf(stderr, "lumbra32: no box shows %s\n", qPrintable(select));
                done(1);
                return;
            }
            ready();
        });
    poll->start();
}

void TakeScreenshot(TLumbra32App& app, const ScreenshotRequest& request,
                    std::function<void(int status)> done, int timeoutMs) {
    RegisterBuiltInScreenshotTargets();
    WhenAnalysed(app, request.select, timeoutMs, done, [&app, request, done] {
        AppCore& core = app.Core();
        TSourceWin& source = app.Frame().Panel().Source();
        int style = 0;
        if (ParseSourceStyle(request.sourceStyle, style)) {
            // The picture's settings are never written, so the style may change them.
            ApplySourceStyle(core.GetSettings(), static_cast<SourceStyle>(style));
            source.Redraw();
        }
        if (request.fold == "all")
            source.View().FoldAll();
        else if (request.fold == "none")
            source.View().ExpandAll();
        source.Redraw();
        QString argument;
        const Target* found = findTarget(request.show, argument);
        QWidget* widget = !found            ? nullptr
                          : found->makeWith ? found->makeWith(app, argument)
                                            : found->make(app);
        QApplication::processEvents();
        if (!widget) {
            done(1);
            return;
        }
        const QPixmap picture = widget->grab();
        if (picture.isNull() || !picture.save(request.out, "PNG")) {
            std::fprintf(stderr, "lumbra32: cannot write %s\n", qPrintable(request.out));
            done(1);
            return;
        }
        done(0);
    });
}

} // namespace lumbra::gui
