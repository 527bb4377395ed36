// The About dialog.
#include "TAboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "BuildInfo.h"
#include "Lang.h"
#include "UiText.h"

namespace lumbra::gui {

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowTitle(Utf8(Format(lumbra::tr("About %s"), build::kProductName)));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QString::fromUtf8(build::kProductName), this);
    name->setObjectName("ProductName");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(Utf8(Format(lumbra::tr("Version %s"), build::kVersion)), this);
    version->setObjectName("ProductVersion");
    auto* copyright = new QLabel(QString::fromUtf8(build::kCopyright), this);
    copyright->setObjectName("LegalCopyright");
    for (QLabel* label : {name, version, copyright}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace lumbra::gui
