// The main window's own commands.
#include "MainCommands.h"

#include <QFileDialog>
#include <QStringList>

#include "CommandTable.h"
#include "Lang.h"
#include "ProjectOpen.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TStructWin.h"
#include "UiText.h"

namespace lumbra::gui {

namespace {

// The Open dialog's filter of a source-file kind: "name (*.ext ...)"; "*" stands for all.
QString kindFilter(const FileFilter& f) {
    QStringList patterns;
    for (const std::string& ext : f.extensions)
        if (!ext.empty())
            patterns << (ext == "*" ? QStringLiteral("*") : "*." + QString::fromStdString(ext));
    if (patterns.isEmpty())
        patterns << "*";
    return QString::fromUtf8(f.name.c_str()) + " (" + patterns.join(' ') + ")";
}

QFileDialog::Options dialogOptions(const Settings& s) {
    // "DialogType" other than 0 asks for the older dialog: the toolkit's own.
    return s.dialogType != 0 ? QFileDialog::DontUseNativeDialog : QFileDialog::Options();
}

void openFiles(TMainFrame& frame, AppCore& core) {
    Settings& s = core.GetSettings();
    QStringList filters;
    for (const FileFilter& f : s.filters)
        filters << kindFilter(f);
    QFileDialog dialog(&frame, UiText("Open"), QString::fromStdString(s.path));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    dialog.setOptions(dialogOptions(s));
    if (s.fileDialogType >= 0 && s.fileDialogType < filters.size())
        dialog.selectNameFilter(filters[s.fileDialogType]);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    s.fileDialogType =
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    if (!chosen)
        return;
    std::vector<std::string> paths;
    for (const QString& file : dialog.selectedFiles())
        paths.push_back(file.toStdString());
    core.InputFiles(paths);
}

void openFolder(TMainFrame& frame, AppCore& core) {
    const Settings& s = core.GetSettings();
    const QString folder = QFileDialog::getExistingDirectory(
        &frame, UiText("Open Folder"), QString::fromStdString(s.path),
        dialogOptions(s) | QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty())
        core.InputFiles({folder.toStdString()});
}

void openProject(TMainFrame& frame, AppCore& core) {
    Settings& s = core.GetSettings();
    QStringList filters;
    for (const ProjectFilter& f : ProjectDialogFilters(true)) {
        QStringList patterns;
        for (const std::string& p : f.patterns)
            patterns << QString::fromStdString(p);
        filters << QString::fromUtf8(f.caption.c_str()) + " (" + patterns.join(' ') + ")";
    }
    QFileDialog dialog(&frame, UiText("Project Open"), QString::fromStdString(s.path));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setOptions(dialogOptions(s));
    if (s.projectDialogType >= 0 && s.projectDialogType < filters.size())
        dialog.selectNameFilter(filters[s.projectDialogType]);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    s.projectDialogType =
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    if (chosen)
        core.OpenPath(dialog.selectedFiles().front().toStdString(), ProjectSource::Dialog);
}

void saveProject(TMainFrame& frame, AppCore& core) {
    const Settings& s = core.GetSettings();
    const QString file = QFileDialog::getSaveFileName(
        &frame, UiText("Project Save"), QString::fromStdString(s.path),
        UiText("Lumbra Project File(*.prj)"), nullptr, dialogOptions(s));
    if (!file.isEmpty())
        core.SaveProject(file.toStdString());
}

} // namespace

void InstallMainCommands(TMainFrame& frame, TLumbra32App& app) {
    AppCore& core = app.Core();
    CommandSet& c = frame.Commands();
    TMainPnl& panel = frame.Panel();
    auto idle = [&core] { return !core.Busy(); };
    auto analysed = [&core] { return !core.Busy() && core.Engine().GetFileCount() > 0; };
    auto hasRows = [&core] { return !core.Busy() && !core.Rows().empty(); };

    c.Bind(
        kCmdNew, [&core] { core.ClearAnalysis(); }, idle);
    c.Bind(
        kCmdDel, [&core] { core.ClearAnalysis(); }, idle);
    c.Bind(
        kCmdOpen, [&frame, &core] { openFiles(frame, core); }, idle);
    c.Bind(
        kCmdOpenFolder, [&frame, &core] { openFolder(frame, core); }, idle);
    c.Bind(
        kCmdAnalyze, [&core] { core.StartAnalysis(); }, idle);
    c.Bind(
        kCmdProjectOpen, [&frame, &core] { openProject(frame, core); }, idle);
    c.Bind(
        kCmdProjectSave, [&frame, &core] { saveProject(frame, core); }, analysed);
    c.Bind(kCmdExit, [&frame] { frame.close(); });
    c.Bind(
        kCmdDefaultSetup,
        [&app, &core] {
            if (core.Session().DefaultSetup(app.Messages(), [&core] { core.ClearAnalysis(); }))
                core.ApplySettings();
        },
        idle);

    c.Bind(
        kCmdSplitWindow,
        [&core, &panel] {
            core.ToggleSplitDirection();
            panel.ApplySplitDirection(core.SplitDirection());
        },
        {}, [&core] { return core.SplitDirection() != 0; });
    c.Bind(
        kCmdSelectMode,
        [&core, &panel] {
            core.ToggleSelectMode();
            panel.Structure().Redraw();
        },
        {}, [&core] { return core.SelectAllMode(); });
    c.Bind(
        kCmdLowerOmit, [&core] { core.ToggleLowerOmit(); }, idle,
        [&core] { return core.LowerOmitMode(); });
    c.Bind(
        kCmdHistoryBack, [&core] { core.HistoryBack(); },
        [&core] { return !core.Busy() && core.History().CanGoBack(); });
    c.Bind(
        kCmdHistoryForward, [&core] { core.HistoryForward(); },
        [&core] { return !core.Busy() && core.History().CanGoForward(); });

    const int sorts[] = {kCmdSortDefine, kCmdSortName, kCmdSortExec, kCmdSortPath};
    for (int order = 0; order < 4; ++order)
        c.Bind(
            sorts[order], [&core, order] { core.SetSortOrder(order); }, idle,
            [&core, order] { return core.SortOrder() == order; });
    const int dists[] = {kCmdDistNone, kCmdDistExec, kCmdDistExecPercent, kCmdDistPath,
                         kCmdDistPathPercent};
    for (int mode = 0; mode < 5; ++mode)
        c.Bind(
            dists[mode],
            [&core, &panel, mode] {
                core.SetDistribution(mode);
                panel.Structure().Redraw();
            },
            {}, [&core, mode] { return core.Distribution() == mode; });

    // The calling tree.
    StructChart& chart = panel.Structure().Chart();
    TStructWin& structure = panel.Structure();
    auto hasCurrent = [&core] { return !core.Busy() && core.CurrentRow() >= 0; };
    auto canFold = [&chart] { return chart.CanFold(); };
    auto afterChart = [&structure, &frame] {
        structure.Redraw();
        frame.RefreshCommands();
    };
    c.Bind(
        kCmdStructureText, [&structure] { structure.CopyText(); }, hasRows);
    const std::pair<int, ChartMove> moves[] = {{kCmdMoveUpper, ChartMove::Upper},
                                               {kCmdMoveSameUpper, ChartMove::SameUpper},
                                               {kCmdMoveSameLower, ChartMove::SameLower}};
    for (const auto& [id, move] : moves)
        c.Bind(
            id,
            [&chart, afterChart, move] {
                if (chart.Move(move))
                    afterChart();
            },
            hasCurrent);
    c.Bind(
        kCmdFolding,
        [&chart, afterChart] {
            if (chart.FoldAll(kFoldFolded))
                afterChart();
        },
        canFold);
    c.Bind(
        kCmdExpand,
        [&chart, afterChart] {
            if (chart.FoldAll(kFoldExpanded))
                afterChart();
        },
        canFold);
    c.Bind(
        kCmdLowerFolding,
        [&chart, afterChart] {
            if (chart.FoldLower(kFoldFolded))
                afterChart();
        },
        [canFold, hasCurrent] { return canFold() && hasCurrent(); });
    c.Bind(
        kCmdLowerExpand,
        [&chart, afterChart] {
            if (chart.FoldLower(kFoldExpanded))
                afterChart();
        },
        [canFold, hasCurrent] { return canFold() && hasCurrent(); });
}

} // namespace lumbra::gui
