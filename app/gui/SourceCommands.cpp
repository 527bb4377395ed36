// The source pane's commands.
#include "SourceCommands.h"

#include "CommandSet.h"
#include "CommandTable.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"

namespace lumbra::gui {

void InstallSourceCommands(TMainFrame& frame, TLumbra32App& app) {
    CommandSet& c = frame.Commands();
    AppCore& core = app.Core();
    TSourceWin& source = frame.Panel().Source();
    SourceView& view = source.View();
    auto shown = [&view] { return !view.Empty(); };

    c.Bind(
        kCmdSourceCopy, [&source] { source.CopySelection(); },
        [&view] { return view.HasSelection(); });
    c.Bind(
        kCmdSourceSelectAll,
        [&source, &frame] {
            source.SelectAll();
            frame.RefreshCommands();
        },
        shown);
    // The file is read again with the engine's line words: not while a worker owns it.
    c.Bind(
        kCmdSourceLineOutput, [&source] { source.LineOutput(); },
        [&view, &core] { return !view.Empty() && !core.Busy(); });

    // Display switches: each one flips a "ViewOpt" item, which is saved at exit.
    auto viewOpt = [&core](int item) -> int& { return core.GetSettings().viewOpt[item]; };
    auto changed = [&core, &source, &frame] {
        core.MarkSettingsChanged();
        source.Redraw();
        frame.RefreshCommands();
    };
    auto toggle = [viewOpt, changed](int item) {
        return [viewOpt, changed, item] {
            int& value = viewOpt(item);
            value = value != 0 ? 0 : 1;
            changed();
        };
    };
    auto isOn = [viewOpt](int item) { return [viewOpt, item] { return viewOpt(item) != 0; }; };
    c.Bind(kCmdLineNumber, toggle(kViewLineNo), {}, isOn(kViewLineNo));
    c.Bind(kCmdBlockNumber, toggle(kViewBlockLevel), {}, isOn(kViewBlockLevel));
    c.Bind(kCmdBlockNone, toggle(kViewBlockChart), {},
           [viewOpt] { return viewOpt(kViewBlockChart) == 0; });
    // Choosing a style while the figures are off turns them on with that style.
    auto style = [viewOpt, changed](int item) {
        return [viewOpt, changed, item] {
            int& value = viewOpt(item);
            if (viewOpt(kViewBlockChart) == 0) {
                viewOpt(kViewBlockChart) = 1;
                value = 1;
            } else {
                value = value != 0 ? 0 : 1;
            }
            changed();
        };
    };
    auto styleShown = [viewOpt](int item) {
        return [viewOpt, item] { return viewOpt(kViewBlockChart) != 0 && viewOpt(item) != 0; };
    };
    auto notFlowchart = [viewOpt] { return viewOpt(kViewFlowchart) == 0; };
    c.Bind(kCmdHorizonLine, style(kViewHorizontalLine), notFlowchart,
           styleShown(kViewHorizontalLine));
    c.Bind(kCmdLinkage, style(kViewLinkage), notFlowchart, styleShown(kViewLinkage));
    c.Bind(kCmdFlowchart, style(kViewFlowchart), {}, styleShown(kViewFlowchart));

    // Folding.
    auto folded = [&source, &frame](void (SourceView::*fold)()) {
        return [&source, &frame, fold] {
            (source.View().*fold)();
            source.Redraw();
            frame.RefreshCommands();
        };
    };
    auto canFold = [&view] { return view.CanFold(); };
    auto canFoldLower = [&view] { return view.CanFoldLower(); };
    c.Bind(kCmdSourceFoldAll, folded(&SourceView::FoldAll), canFold);
    c.Bind(kCmdSourceExpandAll, folded(&SourceView::ExpandAll), canFold);
    c.Bind(kCmdSourceLowerFold, folded(&SourceView::FoldLower), canFoldLower);
    c.Bind(kCmdSourceLowerExpand, folded(&SourceView::ExpandLower), canFoldLower);
}

} // namespace lumbra::gui
