#include "app/catalogue/StationOrder.h"

#include <algorithm>
#include <cstring>

namespace {

int rank(TNameKey::Kind kind) {
    switch (kind) {
    case TNameKey::Null:
        return 0;
    case TNameKey::Integer:
    case TNameKey::Real:
        return 1;
    case TNameKey::Text:
    case TNameKey::RawText:
        return 2;
    case TNameKey::Blob:
        return 3;
    }
    return 3;
}

qint64 integerOf(const TNameKey& key) {
    qint64 value;
    std::memcpy(&value, &key.offset, sizeof value);
    return value;
}

double realOf(const TNameKey& key) {
    double value;
    std::memcpy(&value, &key.offset, sizeof value);
    return value;
}

// Integers and reals compare exactly: a long double holds every 64-bit integer.
int compareNumbers(const TNameKey& a, const TNameKey& b) {
    if (a.kind == TNameKey::Integer && b.kind == TNameKey::Integer) {
        const qint64 x = integerOf(a), y = integerOf(b);
        return x < y ? -1 : x > y;
    }
    const long double x = a.kind == TNameKey::Integer ? (long double)integerOf(a) : realOf(a);
    const long double y = b.kind == TNameKey::Integer ? (long double)integerOf(b) : realOf(b);
    return x < y ? -1 : x > y;
}

} // namespace

TNameKey BytesKey(TNameKey::Kind kind, const char* bytes, qsizetype size, quint64 offset,
                  quint32 row) {
    TNameKey key;
    key.kind = kind;
    key.offset = offset;
    key.length = quint32(size);
    key.row = row;
    for (qsizetype i = 0; i < 8; ++i)
        key.prefix = key.prefix << 8 | (i < size ? quint8(bytes[i]) : 0);
    return key;
}

std::vector<quint32> NameOrder(std::vector<TNameKey> keys, const QByteArray& texts,
                               const QByteArray& raw) {
    auto bytes = [&](const TNameKey& key) {
        return (key.kind == TNameKey::Text ? texts.constData() : raw.constData()) + key.offset;
    };
    auto less = [&](const TNameKey& a, const TNameKey& b) {
        const int ra = rank(a.kind), rb = rank(b.kind);
        if (ra != rb)
            return ra < rb;
        if (ra == 0)
            return false;
        if (ra == 1)
            return compareNumbers(a, b) < 0;
        // Zero padding keeps the prefixes in the order of the whole bytes where they differ.
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const quint32 common = std::min(a.length, b.length);
        if (common > 8) {
            const int c = std::memcmp(bytes(a) + 8, bytes(b) + 8, common - 8);
            if (c != 0)
                return c < 0;
        }
        return a.length < b.length;
    };
    // Equal names by the order read: as stable as a stable sort, without its buffer of keys.
    auto before = [&](const TNameKey& a, const TNameKey& b) {
        if (less(a, b))
            return true;
        return !less(b, a) && a.row < b.row;
    };
    std::sort(keys.begin(), keys.end(), before);
    std::vector<quint32> order;
    order.reserve(keys.size());
    for (const TNameKey& key : keys)
        order.push_back(key.row);
    return order;
}
