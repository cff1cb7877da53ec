#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class TfrmLoadStations;
}
class TCaptionPanel;

// The small waiting window that counts the stations while the catalogue loads: no border,
// always on top, centred on the screen, one panel pnlCat that reads "Please wait, loading..."
// until the first station is counted.
class TfrmLoadStations : public QWidget {
    Q_OBJECT
public:
    explicit TfrmLoadStations(QWidget* owner = nullptr);
    ~TfrmLoadStations() override;

    // Shows the window and paints it at once.
    void ShowNow();
    // Puts "Loading Stations...(count)" on the panel. The screen is brought up to date (and
    // waiting events are handled) at most once per 50 ms, so counting costs little.
    void SetCount(int count);

    TCaptionPanel* pnlCat() const;

private:
    void Paint();

    std::unique_ptr<Ui::TfrmLoadStations> ui;
    QElapsedTimer sincePaint_;
};
