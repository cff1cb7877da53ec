#pragma once

#include <QString>

#include <memory>

// The record hung on every station-tree node and every favorites and search-result list item.
// Station records carry a station row; category records only the category id. Records are
// shared (std::shared_ptr) between a tree node and its favorites item, so a record lives as
// long as anything shows it.
struct TItem {
    qint32 Id = 0;
    qint32 CategoryId = 0;
    QString Name;
    QString CategoryName;
    QString Url;
    QString Website;
    QString Bitrate;
    QString Comment;
    QString Created;
    QString Played;
    bool Favorite = false;
};

using TItemPtr = std::shared_ptr<TItem>;
