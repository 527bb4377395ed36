// The progress dialog.
#include "TAnlyProgress.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Lang.h"
#include "UiText.h"

namespace lumbra::gui {

TAnlyProgress::TAnlyProgress(QWidget* parent, std::function<void()> cancel)
    : QDialog(parent), message_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(std::move(cancel)) {
    setWindowTitle(UiText("Progress"));
    setModal(false);
    message_->setMinimumWidth(360);
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setMinimumHeight(message_->fontMetrics().lineSpacing() * 3);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText("Cancel"));
    connect(buttons, &QDialogButtonBox::rejected, this, &TAnlyProgress::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
}

void TAnlyProgress::Show(const ProgressView& view) {
    if (!view.open) {
        const bool wasActive = isActiveWindow();
        hide();
        // The main window takes the keyboard back (shortcuts need an active window).
        if (wasActive && parentWidget())
            parentWidget()->activateWindow();
        return;
    }
    message_->setText(QString::fromUtf8(view.text.c_str()));
    bar_->setRange(0, view.range > 0 ? view.range : 0);
    bar_->setValue(view.range > 0 ? std::min(view.position, view.range) : 0);
    if (!isVisible())
        show();
}

QString TAnlyProgress::Message() const {
    return message_->text();
}

void TAnlyProgress::reject() {
    if (cancel_)
        cancel_();
}

} // namespace lumbra::gui
