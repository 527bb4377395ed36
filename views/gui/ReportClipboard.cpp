// The clipboard side of the reports.
#include "ReportClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "Lang.h"
#include "TLumbra32App.h"
#include "UiText.h"

namespace lumbra::gui {

void CopyReportToClipboard(TLumbra32App& app, const std::string& text, const char* done) {
    // The reports keep their "\r\n" line ends, as they were always handed over.
    QGuiApplication::clipboard()->setText(Utf8(text));
    app.Messages().Message(tr(done), tr("Result"), MessageKind::Information);
}

} // namespace lumbra::gui
