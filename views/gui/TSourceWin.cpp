// The read-only source pane.
#include "TSourceWin.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>

#include "AppCore.h"
#include "ChartPainter.h"
#include "CodePage.h"
#include "Lang.h"
#include "TLumbra32App.h"
#include "TextInput.h"

namespace lumbra::gui {

TSourceWin::TSourceWin(TLumbra32App& app, QWidget* parent) : QPlainTextEdit(parent), app_(app) {
    setObjectName("TSourceWin");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { showPosition(); });
}

void TSourceWin::Clear() {
    path_.clear();
    lineCount_ = 0;
    clear();
    app_.Core().SetStatusPane(AppCore::kPaneSource, "");
}

void TSourceWin::ShowTarget() {
    const SourceTarget& target = app_.Core().Source();
    if (target.path.empty()) {
        Clear();
        return;
    }
    setFont(FontFrom(app_.Core().GetSettings().fonts[kFontSource]));
    if (target.path != path_) {
        const TextReadSettings read = app_.Core().Engine().GetTextReadSettings();
        std::optional<SourceText> text = SourceText::Load(target.path, read);
        if (!text) {
            Clear();
            return;
        }
        std::string all;
        for (std::size_t i = 0; i < text->lineCount(); ++i) {
            all += InternalToUtf8(text->line(i), read.codePage);
            all += '\n';
        }
        setPlainText(QString::fromUtf8(all.c_str(), static_cast<qsizetype>(all.size())));
        path_ = target.path;
        lineCount_ = static_cast<int>(text->lineCount());
    }
    // The target line goes to the top and is marked.
    const int line = std::clamp(target.line, 1, std::max(lineCount_, 1));
    QTextCursor cursor(document()->findBlockByNumber(line - 1));
    setTextCursor(cursor);
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(palette().color(QPalette::AlternateBase));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    setExtraSelections({mark});
    verticalScrollBar()->setValue(line - 1);
    showPosition();
}

int TSourceWin::FirstVisibleLine() const {
    return path_.empty() ? 0 : firstVisibleBlock().blockNumber() + 1;
}

void TSourceWin::showPosition() {
    if (path_.empty())
        return;
    app_.Core().SetStatusPane(
        AppCore::kPaneSource,
        Format("%d / %d", std::min(FirstVisibleLine(), lineCount_), lineCount_));
}

} // namespace lumbra::gui
