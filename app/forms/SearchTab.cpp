#include "app/forms/SearchTab.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "app/forms/Artwork.h"
#include "app/forms/MainWindow.h"

#include <QSqlRecord>

namespace {

// Stations of a group, joined so that a group without stations gives no row at all (a left
// join would give one row of NULLs, which is no station).
const QString byRealCategory =
    QStringLiteral("select s.* from real_categories c join stations s on s.rc_id = c.rc_id "
                   "where c.rc_name = ?");
const QString byCategory = QStringLiteral(
    "select s.* from categories c join stations s on s.c_id = c.c_id where c.c_name = ?");
const QString byLanguage = QStringLiteral("select * from stations where s_language = ?");
// The language list shows one empty entry for stations whose language is empty or unset: it
// finds both kinds.
const QString withoutLanguage =
    QStringLiteral("select * from stations where s_language = '' or s_language is null");

} // namespace

TSearchTab::TSearchTab(TfrmMain& form) : QObject(&form), f_(form), images_(orvik::stationImages()) {
    // The three criteria exclude each other, as radio buttons on one panel do.
    auto& ui = f_.form();
    for (QRadioButton* rb : {ui.rbStationCategory, ui.rbCategory, ui.rbLanguage})
        rb->setAutoExclusive(true);
}

void TSearchTab::Choose(QComboBox* own, QComboBox* other1, QComboBox* other2) {
    f_.form().lsvResults->clear();
    for (QComboBox* other : {other1, other2}) {
        if (other->count() > 0)
            other->setCurrentIndex(0);
        other->setEnabled(false);
    }
    own->setEnabled(true);
}

void TSearchTab::rbStationCategoryClick() {
    auto& ui = f_.form();
    Choose(ui.cbStationCategory, ui.cbLanguage, ui.cbCategory);
}

void TSearchTab::rbCategoryClick() {
    auto& ui = f_.form();
    Choose(ui.cbCategory, ui.cbLanguage, ui.cbStationCategory);
}

void TSearchTab::rbLanguageClick() {
    auto& ui = f_.form();
    Choose(ui.cbLanguage, ui.cbCategory, ui.cbStationCategory);
}

void TSearchTab::cbStationCategoryClick() {
    Search(f_.form().cbStationCategory, byRealCategory);
}

void TSearchTab::cbCategoryClick() {
    Search(f_.form().cbCategory, byCategory);
}

void TSearchTab::cbLanguageClick() {
    QComboBox* list = f_.form().cbLanguage;
    if (list->currentIndex() > 0 && list->currentText().isEmpty()) {
        f_.form().lsvResults->clear();
        ListResults(withoutLanguage, {});
        return;
    }
    Search(list, byLanguage);
}

void TSearchTab::Search(QComboBox* list, const QString& sql) {
    f_.form().lsvResults->clear();
    if (list->currentIndex() <= 0)
        return;
    // The name goes in as a parameter: quotes and the like in it are plain text.
    const QString name = list->currentText();
    ListResults(sql, {name.isNull() ? QStringLiteral("") : name});
}

void TSearchTab::ListResults(const QString& sql, const QVariantList& params) {
    QListWidget* results = f_.form().lsvResults;
    TQuery& query = f_.catalogue().qrySQL();
    query.Open(sql, params);
    const TStationReader reader(query.Row().record());
    const QSqlQuery& row = query.Row();
    while (!query.Eof()) {
        TItemPtr item = reader.Read(row);
        const int format = reader.Format(row);
        auto* li = new TStationListItem(item, item->Name);
        if (format >= 0 && format < images_.size())
            li->setIcon(images_[format]);
        results->addItem(li);
        query.Next();
    }
    // Left open: the next use of the query closes it.
}
