// The "Option" command.
#include "SetupCommands.h"

#include <memory>

#include "CommandTable.h"
#include "OptionCommand.h"
#include "Screenshot.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"

namespace lumbra::gui {

void FinishSetupSheet(TLumbra32App& app, TDevelop& sheet) {
    if (sheet.Sheet().Applied())
        FinishOptionCommand(app.Core(), app, sheet.Sheet().Before());
}

void InstallSetupCommands(TMainFrame& frame, TLumbra32App& app, SetupChoosers choosers) {
    // The page the sheet opens at, kept while the program runs.
    auto startPage = std::make_shared<int>(0);
    AppCore& core = app.Core();
    frame.Commands().Bind(
        kCmdOption,
        [&frame, &app, startPage, choosers] {
            TDevelop sheet(app.Core().Session(), app.Messages(), *startPage, choosers, &frame);
            QObject::connect(&sheet, &TDevelop::pageActivated,
                             [startPage](int page) { *startPage = page; });
            sheet.exec();
            FinishSetupSheet(app, sheet);
        },
        // The second pass reads the options: they change only while nothing runs.
        [&core] { return !core.Busy(); });
}

void RegisterSetupScreenshotTargets() {
    for (int page = 0; page < kSetupPageCount; ++page)
        RegisterScreenshotTarget(
            QString("option:%1").arg(page), QString("page %1 of the Option sheet").arg(page),
            [page](TLumbra32App& app) -> QWidget* {
                auto* sheet = new TDevelop(app.Core().Session(), app.Messages(), page,
                                           SetupChoosers::Standard(), &app.Frame());
                sheet->setAttribute(Qt::WA_DeleteOnClose);
                sheet->show();
                return sheet;
            });
}

} // namespace lumbra::gui
