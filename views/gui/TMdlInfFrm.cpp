// The module-information pane.
#include "TMdlInfFrm.h"

#include <QPlainTextEdit>

#include "AppCore.h"
#include "CodePage.h"
#include "Lang.h"
#include "TLumbra32App.h"
#include "UiText.h"

namespace lumbra::gui {

std::string ModuleInfoText(const NFileAnly& engine, int moduleId) {
    const char* path = engine.GetModuleFilePath(moduleId);
    return Format("%s\r\n%ldLine\r\nExec Lines = %ld\r\nPath numb = %ld",
                  InternalToUtf8(path ? path : "", engine.GetTextReadSettings().codePage).c_str(),
                  static_cast<long>(engine.GetModuleLine(moduleId)),
                  static_cast<long>(engine.GetModuleValue(moduleId, 0)),
                  static_cast<long>(engine.GetPathNumber(moduleId)));
}

TMdlInfFrm::TMdlInfFrm(TLumbra32App& app, QWidget* parent)
    : QTabWidget(parent), app_(app), info_(new QPlainTextEdit(this)) {
    setObjectName("TMdlInfFrm");
    info_->setReadOnly(true);
    info_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    addTab(info_, UiText("Info."));
}

void TMdlInfFrm::Clear() {
    info_->clear();
}

void TMdlInfFrm::Update() {
    const AppCore& core = app_.Core();
    const int index = core.CurrentRow();
    if (core.Busy() || index < 0) {
        Clear();
        return;
    }
    const TreeRow& row = core.Rows()[static_cast<std::size_t>(index)];
    if (row.isLeaf()) {
        Clear();
        return;
    }
    std::string text = ModuleInfoText(core.Engine(), row.moduleId());
    // The text keeps the program's line ends; the text box wants plain ones.
    QString shown = QString::fromUtf8(text.c_str());
    shown.replace("\r\n", "\n");
    info_->setPlainText(shown);
}

QString TMdlInfFrm::InfoText() const {
    return info_->toPlainText();
}

} // namespace lumbra::gui
