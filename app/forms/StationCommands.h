#pragma once

#include <QObject>

#include <functional>

class TStationNode;
class TfrmEditStation;
class TfrmMain;

// Add, edit and delete stations: the children of the category nodes of the station tree.
class TStationCommands : public QObject {
    Q_OBJECT
public:
    explicit TStationCommands(TfrmMain& form);

    // Shows the editor modally and returns its result; tests answer the editor instead.
    std::function<int(TfrmEditStation&)> showModal;

    // Opens an empty editor; an accepted one becomes a new row and the catalogue is reloaded.
    void actAddStationExecute();
    // Opens the editor on the selected station's row; an accepted one is written back to that
    // row and the catalogue is reloaded.
    void actEditStationExecute();
    void actEditStationUpdate();
    // After a Yes, deletes the selected station and takes its node out of the tree.
    void actDeleteStationExecute();
    void actDeleteStationUpdate();

private:
    // The selected node when it is a station, or nullptr.
    TStationNode* SelectedStation() const;
    // Writes the editor's fields to the row being appended or edited.
    void WriteFields(TfrmEditStation& dialog);

    TfrmMain& f_;
};
