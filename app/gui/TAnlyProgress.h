// The modeless "Progress" dialog of the analysis run: a message of a few lines, a progress bar
// and Cancel (also the close box and Esc), which asks the run to stop.
#pragma once

#include <QDialog>
#include <functional>

#include "AppCore.h"

class QLabel;
class QProgressBar;

namespace lumbra::gui {

class TAnlyProgress final : public QDialog {
    Q_OBJECT
public:
    explicit TAnlyProgress(QWidget* parent, std::function<void()> cancel);

    // Shows, updates or hides the dialog as the run's progress says.
    void Show(const ProgressView& view);
    QString Message() const;

protected:
    void reject() override; // Esc and the close box cancel

private:
    QLabel* message_;
    QProgressBar* bar_;
    std::function<void()> cancel_;
};

} // namespace lumbra::gui
