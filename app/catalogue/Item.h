#pragma once

#include "core/ErrorWrapper.h"

#include <QString>

#include <memory>

// The record hung on every station-tree node and every favorites and search-result list item.
// Station records carry a station row; category records only the category id. Records are
// shared (std::shared_ptr) between a tree node and its favorites item, so a record lives as
// long as anything shows it.
//
// Ids are 64-bit, as SQLite keeps them. An id whose stored value is no exact integer (a text
// that is no number, a fraction, a value past 64 bits, NULL) is kept as 0 with its flag
// cleared: no statement is ever run with it, since it would name some other row.
struct TItem {
    qint64 Id = 0;
    qint64 CategoryId = 0;
    bool IdExact = true;
    bool CategoryIdExact = true;
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

// The ids a statement may name: they throw orvik::Error instead of giving an id that did not
// come exactly from the catalogue.
inline qint64 ExactStationId(const TItem& item) {
    if (!item.IdExact)
        throw orvik::Error(
            QStringLiteral("The station \"%1\" has an id that cannot be read exactly "
                           "from the catalogue, so it is left unchanged.")
                .arg(item.Name));
    return item.Id;
}

inline qint64 ExactCategoryId(const TItem& item) {
    if (!item.CategoryIdExact)
        throw orvik::Error(QStringLiteral("The category has an id that cannot be read exactly from "
                                          "the catalogue, so it is left unchanged."));
    return item.CategoryId;
}
