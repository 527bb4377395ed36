// The About dialog: the program's name, version and copyright as the build recorded them.
#pragma once

#include <QDialog>

namespace lumbra::gui {

class TAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent);
};

} // namespace lumbra::gui
