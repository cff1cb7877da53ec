#pragma once

#include "app/catalogue/Item.h"

#include <QListWidgetItem>
#include <QTreeWidgetItem>

// A station-tree node: a category (top level) or a station (child), with its record.
class TStationNode : public QTreeWidgetItem {
public:
    explicit TStationNode(TItemPtr item, const QString& text)
        : QTreeWidgetItem(QStringList{text}, Type), item(std::move(item)) {}
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    TItemPtr item;
    // Type-to-find: the folded name and comment of a station, made at the first find, and
    // whether the find hides the node.
    QString findKey;
    bool findHidden = false;
};

// An item of the favorites or search-results list, with its record.
class TStationListItem : public QListWidgetItem {
public:
    explicit TStationListItem(TItemPtr item, const QString& text)
        : QListWidgetItem(text, nullptr, Type), item(std::move(item)) {}
    static constexpr int Type = QListWidgetItem::UserType + 1;
    TItemPtr item;
};

// The record of a node or list item, or nullptr for foreign items.
inline TItemPtr itemOf(QTreeWidgetItem* node) {
    if (!node || node->type() != TStationNode::Type)
        return nullptr;
    return static_cast<TStationNode*>(node)->item;
}

inline TItemPtr itemOf(QListWidgetItem* li) {
    if (!li || li->type() != TStationListItem::Type)
        return nullptr;
    return static_cast<TStationListItem*>(li)->item;
}
