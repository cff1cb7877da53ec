#pragma once

#include "app/catalogue/Playlist.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// A progress bar with Cancel for work that runs on the user-interface thread. It shows only
// once the work has taken longer than showAfterMs; until then a step costs almost nothing.
// While it is shown it keeps the window painted and answers the Cancel button (and the close
// box and Escape, which cancel too). Window-modal: the main window takes no input meanwhile.
class TProgressWindow : public QDialog {
    Q_OBJECT
public:
    TProgressWindow(QWidget* owner, const QString& text);

    // How long work runs before the window shows; tests shorten it.
    static inline int showAfterMs = 500;

    // One step of the work, done of total; false once the user has cancelled.
    bool Step(qint64 done, qint64 total);
    // Step as a callback for the readers and writers.
    orvik::TProgress Callback();
    void SetText(const QString& text);
    bool Cancelled() const { return cancelled_; }

protected:
    void reject() override;

private:
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QElapsedTimer clock_;
    bool cancelled_ = false;
};
