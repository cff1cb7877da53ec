#pragma once

#include "app/catalogue/Item.h"
#include "app/catalogue/StationModel.h"

#include <QListWidgetItem>

// An item of the favorites or search-results list, with its record. The station tree's nodes
// are TStationNode (app/catalogue/StationModel.h).
class TStationListItem : public QListWidgetItem {
public:
    explicit TStationListItem(TItemPtr item, const QString& text)
        : QListWidgetItem(text, nullptr, Type), item(std::move(item)) {}
    static constexpr int Type = QListWidgetItem::UserType + 1;
    TItemPtr item;
};

// The record of a list item, or nullptr for foreign items.
inline TItemPtr itemOf(QListWidgetItem* li) {
    if (!li || li->type() != TStationListItem::Type)
        return nullptr;
    return static_cast<TStationListItem*>(li)->item;
}
