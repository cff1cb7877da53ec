#include "app/catalogue/StationCursor.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueDate.h"
#include "app/catalogue/CatalogueErrors.h"
#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"

#include <QByteArrayView>
#include <QDate>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Only the columns the tree keeps: every other one would be read and thrown away.
// As stored, with the language too: the search tab's list of languages is made from the rows.
const char storedSql[] = "select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, "
                         "s_format, s_created, s_played, s_favorite, s_language from stations";
const char byNameSql[] = "select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, "
                         "s_format, s_created, s_played, s_favorite from stations "
                         "order by s_name";
enum Column {
    SId,
    CId,
    Name,
    Url,
    Website,
    Comment,
    Bitrate,
    Format,
    Created,
    Played,
    Favorite,
    ColumnCount,
    Language = ColumnCount // as stored only
};

// The value of a column as the Qt SQLite driver gives it: a blob as bytes, an integer as a
// 64-bit one, a real as a double, NULL as a null text, anything else as text (UTF-16).
// The type is asked for before anything is read: reading may convert the value.
QVariant driverValue(sqlite3_stmt* statement, int column, int type) {
    switch (type) {
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default: {
        const auto* text = static_cast<const QChar*>(sqlite3_column_text16(statement, column));
        return QString(text, sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
    }
    }
}

// The text of a text column in place.
QByteArrayView textOf(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    return text && size > 0 ? QByteArrayView(text, size) : QByteArrayView();
}

std::optional<qint64> idAt(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_INTEGER)
        return qint64(sqlite3_column_int64(statement, column));
    return CatalogueId(driverValue(statement, column, type));
}

// Valid UTF-8 text goes as it is: through UTF-16 and back it would come out the same.
void appendText(sqlite3_stmt* statement, int column, QByteArray& texts) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL)
        return;
    if (type == SQLITE_TEXT) {
        const QByteArrayView text = textOf(statement, column);
        if (text.isValidUtf8()) {
            texts.append(text);
            return;
        }
    }
    texts.append(driverValue(statement, column, type).toString().toUtf8());
}

// "yyyy-MM-dd", alone or before a space or a "T", read from the bytes; any other value goes
// the general way of CatalogueDay.
int dayAt(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL)
        return orvik::DayZero;
    const QByteArrayView text = type == SQLITE_TEXT ? textOf(statement, column) : QByteArrayView();
    if (text.size() >= 10 && (text.size() == 10 || text[10] == ' ' || text[10] == 'T') &&
        text[4] == '-' && text[7] == '-') {
        auto digits = [&](int from, int count) {
            int value = 0;
            for (int i = from; i < from + count; ++i) {
                if (text[i] < '0' || text[i] > '9')
                    return -1;
                value = value * 10 + (text[i] - '0');
            }
            return value;
        };
        const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
        if (year >= 1 && month >= 0 && day >= 0 && QDate::isValid(year, month, day))
            return year * 10000 + month * 100 + day;
    }
    return orvik::CatalogueDay(driverValue(statement, column, type));
}

int formatAt(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    if (type != SQLITE_INTEGER)
        return CatalogueInt(driverValue(statement, column, type));
    const qint64 number = sqlite3_column_int64(statement, column);
    return number < std::numeric_limits<qint32>::min() ||
                   number > std::numeric_limits<qint32>::max()
               ? 0
               : int(number);
}

bool flagAt(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    switch (type) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
        return sqlite3_column_int64(statement, column) != 0;
    default:
        return CatalogueFlag(driverValue(statement, column, type));
    }
}

// The SQLite connection under the catalogue's Qt connection.
sqlite3* connectionOf(TCatalogue& catalogue) {
    const QSqlDatabase db = catalogue.Database();
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        if (sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData()))
            return connection;
    throw orvik::Error(QStringLiteral("The catalogue connection is no SQLite connection."));
}

} // namespace

TStationCursor::TStationCursor(TCatalogue& catalogue, Order order)
    : db_(connectionOf(catalogue)), order_(order) {
    const int code =
        sqlite3_prepare_v2(db_, order == ByName ? byNameSql : storedSql, -1, &statement_, nullptr);
    if (code != SQLITE_OK)
        Fail(code);
    if (sqlite3_column_count(statement_) != ColumnCount + (order == AsStored ? 1 : 0)) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        throw orvik::Error(QStringLiteral("The station rows do not have the columns asked for."));
    }
}

TStationCursor::~TStationCursor() {
    sqlite3_finalize(statement_);
}

bool TStationCursor::Next() {
    if (!statement_)
        return false;
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        Fail(code);
    // Stepping on after the end would run the statement again.
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    return false;
}

void TStationCursor::Fail(int code) const {
    // As the Qt driver reports it: the code and SQLite's message; a generic error is reset
    // first, which gives its specific code.
    if (code == SQLITE_ERROR && statement_)
        code = sqlite3_reset(statement_);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    if (statement_)
        sqlite3_reset(statement_);
    const QString text =
        orvik::CatalogueErrorText(QSqlError(QStringLiteral("Unable to fetch row"), message,
                                            QSqlError::StatementError, QString::number(code)));
    if (order_ == ByName)
        qWarning("Catalogue statement failed: %s [%s]", qPrintable(text), byNameSql);
    throw orvik::Error(text.isEmpty() ? QStringLiteral("The catalogue statement failed.") : text);
}

bool TStationCursor::Utf8() const {
    sqlite3_stmt* encoding = nullptr;
    bool utf8 = false;
    if (sqlite3_prepare_v2(db_, "pragma encoding", -1, &encoding, nullptr) == SQLITE_OK &&
        sqlite3_step(encoding) == SQLITE_ROW)
        utf8 = textOf(encoding, 0) == QByteArrayView("UTF-8");
    sqlite3_finalize(encoding);
    return utf8;
}

size_t TStationCursor::ExpectedRows() const {
    // Room past this is made as the rows come.
    constexpr qint64 limit = qint64(1) << 22;
    sqlite3_stmt* highest = nullptr;
    qint64 rows = 0;
    if (sqlite3_prepare_v2(db_, "select max(rowid) from stations", -1, &highest, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(highest) == SQLITE_ROW && sqlite3_column_type(highest, 0) == SQLITE_INTEGER)
        rows = sqlite3_column_int64(highest, 0);
    sqlite3_finalize(highest);
    return size_t(std::clamp<qint64>(rows, 0, limit));
}

TNameKey TStationCursor::KeyOf(int column, const quint64* textOffset, quint32 row,
                               QByteArray& raw) const {
    const int type = sqlite3_column_type(statement_, column);
    TNameKey key;
    key.row = row;
    switch (type) {
    case SQLITE_NULL:
        return key;
    case SQLITE_INTEGER: {
        key.kind = TNameKey::Integer;
        const qint64 value = sqlite3_column_int64(statement_, column);
        std::memcpy(&key.offset, &value, sizeof value);
        return key;
    }
    case SQLITE_FLOAT: {
        key.kind = TNameKey::Real;
        const double value = sqlite3_column_double(statement_, column);
        std::memcpy(&key.offset, &value, sizeof value);
        return key;
    }
    case SQLITE_BLOB: {
        const char* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
        const int size = sqlite3_column_bytes(statement_, column);
        key = BytesKey(TNameKey::Blob, bytes, size, quint64(raw.size()), row);
        if (size > 0)
            raw.append(bytes, size);
        return key;
    }
    default: {
        const QByteArrayView text = textOf(statement_, column);
        if (textOffset && text.isValidUtf8())
            return BytesKey(TNameKey::Text, text.data(), text.size(), *textOffset, row);
        key = BytesKey(TNameKey::RawText, text.data(), text.size(), quint64(raw.size()), row);
        raw.append(text);
        return key;
    }
    }
}

void TStationCursor::ReadLanguage(std::string& identity, TNameKey* key, quint32 index,
                                  QByteArray* raw, QString* text) const {
    // Equal values are one language, as DISTINCT takes them: texts and blobs by their bytes,
    // numbers by value (an integer and a whole real alike).
    const int type = sqlite3_column_type(statement_, Language);
    identity.clear();
    switch (type) {
    case SQLITE_NULL:
        identity = 'N';
        break;
    case SQLITE_FLOAT: {
        const double real = sqlite3_column_double(statement_, Language);
        if (!(real >= -9223372036854775808.0 && real < 9223372036854775808.0) ||
            real != double(qint64(real))) {
            identity = 'R';
            identity.append(reinterpret_cast<const char*>(&real), sizeof real);
            break;
        }
        const qint64 integer = qint64(real);
        identity = 'I';
        identity.append(reinterpret_cast<const char*>(&integer), sizeof integer);
        break;
    }
    case SQLITE_INTEGER: {
        const qint64 integer = sqlite3_column_int64(statement_, Language);
        identity = 'I';
        identity.append(reinterpret_cast<const char*>(&integer), sizeof integer);
        break;
    }
    case SQLITE_BLOB:
        identity = 'B';
        if (const int size = sqlite3_column_bytes(statement_, Language); size > 0)
            identity.append(static_cast<const char*>(sqlite3_column_blob(statement_, Language)),
                            size_t(size));
        break;
    default: {
        const QByteArrayView bytes = textOf(statement_, Language);
        identity = 'T';
        if (!bytes.isEmpty())
            identity.append(bytes.data(), size_t(bytes.size()));
        break;
    }
    }
    if (key && raw)
        *key = KeyOf(Language, nullptr, index, *raw);
    if (text)
        *text = driverValue(statement_, Language, type).toString();
}

TStationRow TStationCursor::ReadRow(QByteArray& texts, std::optional<qint64>& categoryId,
                                    TNameKey* key, quint32 row, QByteArray* raw) const {
    TStationRow out;
    // The key first: reading a text the general way may convert its bytes in SQLite.
    if (key && raw) {
        const quint64 offset = quint64(texts.size());
        *key = KeyOf(Name, &offset, row, *raw);
    }
    const std::optional<qint64> id = idAt(statement_, SId);
    categoryId = idAt(statement_, CId);
    out.id = id.value_or(0);
    static constexpr Column textColumns[TStationRow::TextCount] = {Name, Url, Website, Comment,
                                                                   Bitrate};
    out.text = quint64(texts.size());
    for (int i = 0; i < TStationRow::TextCount; ++i) {
        const qsizetype before = texts.size();
        appendText(statement_, textColumns[i], texts);
        out.length[i] = quint32(texts.size() - before);
    }
    out.created = dayAt(statement_, Created);
    out.played = dayAt(statement_, Played);
    const int format = formatAt(statement_, Format);
    out.image = quint8(format >= 0 && format < 255 ? format : 255);
    out.flags = quint8((id ? TStationRow::IdExact : 0) |
                       (flagAt(statement_, Favorite) ? TStationRow::Favorite : 0));
    return out;
}
