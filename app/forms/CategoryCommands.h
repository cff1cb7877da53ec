#pragma once

#include <QObject>

class TStationNode;
class TfrmMain;

// Add, rename and delete categories: the top-level nodes of the station tree.
class TCategoryCommands : public QObject {
    Q_OBJECT
public:
    explicit TCategoryCommands(TfrmMain& form);

    // Asks for a name; a non-empty one is stored as typed and the catalogue is reloaded.
    void actAddCategoryExecute();
    // Asks for the new name of the selected category and renames it in place. Cancel keeps
    // the old name, which is written back.
    void actEditCategoryExecute();
    void actEditCategoryUpdate();
    // After a Yes, deletes the selected category with all of its stations, all or nothing,
    // and takes its node out of the tree.
    void actDeleteCategoryExecute();
    void actDeleteCategoryUpdate();

private:
    // The selected node when it is a category, or nullptr.
    TStationNode* SelectedCategory() const;

    TfrmMain& f_;
};
