#pragma once

#include <QWidget>

class QLabel;

// The splash window shown while the main window prepares itself: no border, 496 x 358,
// centred on the desktop, one picture filling it.
class TfmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfmSplash(QWidget* owner);

private:
    QLabel* Image1;
};
