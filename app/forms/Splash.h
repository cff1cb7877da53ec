#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;

// The splash window shown while the main window prepares itself: no border, 496 x 358,
// centred on the desktop, one picture filling it. It is not kept above other windows, and it
// steps aside while a modal box is open (a start-up error must be seen and answered), coming
// back when the last one closes.
class TfmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfmSplash(QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QLabel* Image1;
    QList<QPointer<QWidget>> boxes_;
    bool steppedAside_ = false;
};
