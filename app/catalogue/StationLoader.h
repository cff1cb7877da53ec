#pragma once

#include <QIcon>
#include <QList>

class QComboBox;
class QListWidget;
class QRadioButton;
class QWidget;
class TCatalogue;
class TStationNode;
class TStationTree;

// The widgets a catalogue load fills, all owned by the main window.
struct TStationWidgets {
    TStationTree* tvStations = nullptr;
    QListWidget* lsvFavorites = nullptr;
    QComboBox* cbStationCategory = nullptr;
    QComboBox* cbCategory = nullptr;
    QComboBox* cbLanguage = nullptr;
    QRadioButton* rbStationCategory = nullptr;
    QRadioButton* rbCategory = nullptr;
    QRadioButton* rbLanguage = nullptr;
    QListWidget* lsvResults = nullptr;
    // The image list: index = image index. An index outside the list gives no icon.
    QList<QIcon> images;
    // Owner of the loading window.
    QWidget* owner = nullptr;
};

// Rebuilds what the user browses from the catalogue: the station tree (categories with their
// stations), the favorites list and the three lists of the search tab.
class TStationLoader {
public:
    TStationLoader(TCatalogue& catalogue, TStationWidgets widgets);

    // Clears and refills the tree, the favorites and the search lists, then resets the search
    // tab; with ShowProgress a small window counts the stations as they are read. Any error
    // ends the load and is shown in the error box; what was added until then stays.
    // A station whose category does not exist is left out (with a warning in the log).
    void LoadStations(bool ShowProgress);

    // The first node of the tree, in tree order, whose record has this category id, or none.
    // For a category that exists this is its category node.
    TStationNode* FindCategoryNode(qint64 CategoryId) const;

    const TStationWidgets& widgets() const { return w_; }

private:
    void Load(bool ShowProgress);
    void Clear();
    void LoadRealCategories();
    void LoadCategories();
    void LoadLanguages();
    void ResetSearch();
    QIcon Image(int index) const;

    TCatalogue& catalogue_;
    TStationWidgets w_;
    bool loading_ = false;
};
