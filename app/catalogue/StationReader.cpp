#include "app/catalogue/StationReader.h"

#include "app/catalogue/CatalogueDate.h"
#include "core/ErrorWrapper.h"

#include <QSqlRecord>

#include <limits>

namespace {

const char* const columnNames[] = {"s_id",      "c_id",       "s_name",    "s_bitrate",
                                   "s_website", "s_url",      "s_comment", "s_created",
                                   "s_played",  "s_favorite", "s_format"};

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

} // namespace

bool CatalogueFlag(const QVariant& value) {
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString s = value.toString().trimmed();
        bool isNumber = false;
        const double number = s.toDouble(&isNumber);
        if (isNumber)
            return number != 0;
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    }
    return value.toBool();
}

qint32 CatalogueInt(const QVariant& value) {
    if (value.isNull())
        return 0;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
        return 0;
    return static_cast<qint32>(number);
}

std::optional<qint64> CatalogueId(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
        return value.toLongLong();
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(number);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        // Beyond 2^53 a real no longer tells neighbouring integers apart.
        constexpr double exactLimit = 9007199254740992.0;
        const double number = value.toDouble();
        if (!(number >= -exactLimit && number <= exactLimit) || number != double(qint64(number)))
            return std::nullopt;
        return qint64(number);
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString();
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        if (!ok || QString::number(number) != text)
            return std::nullopt;
        return number;
    }
    default:
        return std::nullopt;
    }
}

TStationReader::TStationReader(const QSqlRecord& columns)
    : separator_(orvik::SystemDateSeparator()) {
    static_assert(std::size(columnNames) == ColumnCount);
    for (int i = 0; i < ColumnCount; ++i)
        indexes_[i] = columns.indexOf(QLatin1String(columnNames[i]));
}

int TStationReader::Index(Column column) const {
    const int index = indexes_[column];
    if (index < 0)
        throw orvik::Error(QStringLiteral("The station rows have no column \"%1\".")
                               .arg(QLatin1String(columnNames[column])));
    return index;
}

TItemPtr TStationReader::Read(const QSqlQuery& row) const {
    auto item = std::make_shared<TItem>();
    const std::optional<qint64> id = CatalogueId(row.value(Index(SId)));
    const std::optional<qint64> categoryId = CatalogueId(row.value(Index(CId)));
    item->Id = id.value_or(0);
    item->IdExact = id.has_value();
    item->CategoryId = categoryId.value_or(0);
    item->CategoryIdExact = categoryId.has_value();
    item->Name = text(row.value(Index(Name)));
    item->Bitrate = SharedBitrate(row.value(Index(Bitrate)));
    item->Website = text(row.value(Index(Website)));
    item->Url = text(row.value(Index(Url)));
    item->Comment = text(row.value(Index(Comment)));
    item->Created = SharedDay(row.value(Index(Created)));
    item->Played = SharedDay(row.value(Index(Played)));
    item->Favorite = CatalogueFlag(row.value(Index(Favorite)));
    return item;
}

QString TStationReader::SharedDay(const QVariant& value) const {
    const int day = orvik::CatalogueDay(value);
    auto it = days_.constFind(day);
    if (it == days_.constEnd())
        it = days_.insert(day, orvik::FormatCatalogueDay(day, separator_));
    return *it;
}

QString TStationReader::SharedBitrate(const QVariant& value) const {
    QString bitrate = text(value);
    // Only short values are shared; a long text is most likely a one-off.
    if (bitrate.size() > 8)
        return bitrate;
    auto it = bitrates_.constFind(bitrate);
    if (it == bitrates_.constEnd()) {
        if (bitrates_.size() >= 1000)
            return bitrate;
        it = bitrates_.insert(bitrate, bitrate);
    }
    return *it;
}

TStationRow TStationReader::ReadRow(const QSqlQuery& row, QByteArray& texts,
                                    std::optional<qint64>& categoryId) const {
    TStationRow out;
    const std::optional<qint64> id = CatalogueId(row.value(Index(SId)));
    categoryId = CatalogueId(row.value(Index(CId)));
    out.id = id.value_or(0);
    static constexpr Column textColumns[TStationRow::TextCount] = {Name, Url, Website, Comment,
                                                                   Bitrate};
    out.text = quint64(texts.size());
    for (int i = 0; i < TStationRow::TextCount; ++i) {
        const QVariant value = row.value(Index(textColumns[i]));
        const qsizetype before = texts.size();
        if (!value.isNull())
            texts.append(value.toString().toUtf8());
        out.length[i] = quint32(texts.size() - before);
    }
    out.created = orvik::CatalogueDay(row.value(Index(Created)));
    out.played = orvik::CatalogueDay(row.value(Index(Played)));
    const int format = Format(row);
    out.image = quint8(format >= 0 && format < 255 ? format : 255);
    out.flags = quint8((id ? TStationRow::IdExact : 0) |
                       (CatalogueFlag(row.value(Index(Favorite))) ? TStationRow::Favorite : 0));
    return out;
}

int TStationReader::Format(const QSqlQuery& row) const {
    return CatalogueInt(row.value(Index(FormatColumn)));
}
