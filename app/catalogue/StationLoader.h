#pragma once

#include "app/catalogue/StationOrder.h"
#include "app/catalogue/StationRow.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QStringList>

#include <string>
#include <unordered_set>
#include <vector>

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
    // The stations as read in the order the catalogue keeps them, before the name order.
    struct StoredRows {
        std::vector<TStationRow> rows;
        std::vector<int> places; // the category's place, or -1 for none
        std::vector<TNameKey> keys;
        QByteArray raw;
        QHash<quint32, qint64> orphans; // the category id of each row without its category
        // The distinct languages, in the order first met, with their sort keys.
        std::unordered_set<std::string> languagesSeen;
        QStringList languages;
        std::vector<TNameKey> languageKeys;
        QByteArray languageBytes;
    };

    void Load(bool ShowProgress);
    // Reads the stations as stored, to be put in name order here, which is several times
    // quicker than SQLite's sort of whole rows. False (and nothing kept) when the catalogue
    // has to sort them: its texts are not UTF-8, or the rows could not all be read.
    bool ReadStored(const QHash<qint64, int>& categorySlots, QByteArray& texts, StoredRows& stored);
    void Clear();
    void LoadRealCategories();
    void LoadCategories();
    void LoadLanguages();
    // The same list from the languages met while reading the stations as stored (in the
    // order of "order by s_language").
    void FillLanguages(StoredRows& stored);
    void AddLanguage(const QString& language, bool& emptyListed);
    void ResetSearch();
    QIcon Image(int index) const;

    TCatalogue& catalogue_;
    TStationWidgets w_;
    bool loading_ = false;
};
