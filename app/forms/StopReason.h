#pragma once

#include <QObject>

class QLabel;
namespace Ui {
class TfrmMain;
}

// Why the last stream did not play, beside the Play and Stop buttons and as the tip of the
// status line, until the next Play or Stop.
class TStopReason : public QObject {
    Q_OBJECT
public:
    TStopReason(Ui::TfrmMain& ui, QObject* parent);

    // Shows reason (plain text); an empty reason clears.
    void show(const QString& reason);
    void clear() { show(QString()); }
    QString text() const;
    // Keeps the label between the Stop button and the volume box.
    void layout();

private:
    Ui::TfrmMain& ui_;
    QLabel* label_;
};
