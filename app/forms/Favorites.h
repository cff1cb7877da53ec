#pragma once

#include <QObject>

class QListWidgetItem;
class TStationNode;
class TfrmMain;

// Marking stations as favorites and unmarking them. The favorites list holds the tree node's
// own record, so the record's flag is the one the tree shows.
class TFavorites : public QObject {
    Q_OBJECT
public:
    explicit TFavorites(TfrmMain& form);

    // Marks the station selected in the tree and lists it at the end of the favorites.
    void actFavoriteExecute();
    void actFavoriteUpdate();
    // Unmarks the selected favorite and takes it out of the list; its tree node stays.
    void actDeleteFavoriteExecute();
    void actDeleteFavoriteUpdate();

private:
    // The selected tree node when it is a station that is no favorite yet, or nullptr.
    TStationNode* StationToMark() const;
    QListWidgetItem* SelectedFavorite() const;

    TfrmMain& f_;
};
