#include "skin/data/SkinReader.h"

#include "skin/data/Lzh.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <new>
#include <stdexcept>

const QString TSkinReader::OldSkinMessage =
    QStringLiteral("This is Older Skin File\rPlease update to new version !");

namespace {

TSkinReader::MessageHook& messageHook() {
    static TSkinReader::MessageHook hook;
    return hook;
}

qint32 wordAt(const QByteArray& data, qsizetype offset) {
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

QString lowerAscii(QString text) {
    for (QChar& ch : text)
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            ch = QChar(ch.unicode() + ('a' - 'A'));
    return text;
}

QString damaged(const QString& why) {
    return QStringLiteral("The skin package is damaged: %1.").arg(why);
}

} // namespace

TSkinReader::MessageHook TSkinReader::SetMessageHook(MessageHook hook) {
    MessageHook previous = std::move(messageHook());
    messageHook() = std::move(hook);
    return previous;
}

bool TSkinReader::refuse(const QString& text) {
    ErrorText_ = text;
    if (const MessageHook& hook = messageHook())
        hook(text);
    return false;
}

QStringList TSkinReader::SplitNames(QByteArrayView text) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text = text.first(nul);
    QStringList names;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n')
            ++i;
        names.append(lowerAscii(QString::fromLatin1(text.sliced(start, i - start))));
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
    }
    return names;
}

qsizetype TSkinReader::CountNames(QByteArrayView text) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text = text.first(nul);
    qsizetype count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++count) {
        while (i < n && text[i] != '\r' && text[i] != '\n')
            ++i;
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
    }
    return count;
}

void TSkinReader::Unpack(QIODevice& container, QIODevice& output) {
    TLZH(container, output).Unpack();
}

bool TSkinReader::LoadPackage(QIODevice& container) {
    if (!container.isSequential() && container.size() > qint64(TLZH::MaxUnpackedSize) * 4)
        return refuse(damaged(QStringLiteral("the file is far larger than any skin package")));
    if (!container.isSequential())
        container.seek(0);
    return LoadPackage(container.readAll());
}

bool TSkinReader::LoadPackage(QByteArrayView container) {
    QByteArray plain;
    TLZH::DecodeStats stats;
    try {
        // A stream that runs out is damaged: stop there instead of making up the rest.
        plain = TLZH::UnpackBytes(container, &stats, true);
    } catch (const ElzhException& e) {
        return refuse(QStringLiteral("The skin package cannot be unpacked: %1").arg(e.message()));
    } catch (const std::bad_alloc&) {
        return refuse(QStringLiteral("There is not enough memory to unpack the skin package."));
    }

    if (stats.OutputAtEnd >= 0 || stats.BitsPastEnd > TLZH::EndSlackBits)
        return refuse(damaged(QStringLiteral("its compressed data ends after %1 of its %2 bytes")
                                  .arg(std::max<qint64>(stats.OutputAtEnd, 0))
                                  .arg(TLZH::DeclaredSize(container))));

    const qsizetype size = plain.size();
    if (size < 4)
        return refuse(damaged(QStringLiteral("it holds only %1 bytes").arg(size)));
    if (wordAt(plain, 0) != PackageVersion)
        return refuse(OldSkinMessage);
    if (size < HeaderSize)
        return refuse(damaged(QStringLiteral("it is shorter than its header")));

    std::array<qint32, 4> header;
    for (int k = 0; k < 4; ++k)
        header[size_t(k)] = wordAt(plain, 4 * k);
    const qint32 namesLength = header[1];
    if (namesLength < 0 || namesLength > size - HeaderSize)
        return refuse(damaged(QStringLiteral("its list of names (%1 bytes) does not fit in the "
                                             "%2 bytes of the package")
                                  .arg(namesLength)
                                  .arg(size)));

    // Counted before anything is split: a names text of line breaks alone would otherwise
    // make millions of empty names first.
    const QByteArrayView namesText = QByteArrayView(plain).sliced(HeaderSize, namesLength);
    const qsizetype count = CountNames(namesText);
    if (count > MaxEntries)
        return refuse(damaged(
            QStringLiteral("it lists %1 entries, more than %2").arg(count).arg(MaxEntries)));
    QStringList names = SplitNames(namesText);
    const qsizetype sizesAt = HeaderSize + namesLength;
    if (4 * count > size - sizesAt)
        return refuse(damaged(QStringLiteral("its table of entry sizes runs past its end")));

    std::array<qint32, MaxEntries> sizes{};
    const qsizetype dataAt = sizesAt + 4 * count;
    const qsizetype available = size - dataAt;
    qint64 needed = 0;
    for (qsizetype k = 0; k < count; ++k) {
        const qint32 entrySize = wordAt(plain, sizesAt + 4 * k);
        if (entrySize < 0)
            return refuse(damaged(QStringLiteral("entry \"%1\" has a negative size (%2)")
                                      .arg(names[k])
                                      .arg(entrySize)));
        needed += entrySize;
        if (needed > available)
            return refuse(damaged(QStringLiteral("entry \"%1\" runs past the end of the data "
                                                 "(%2 bytes are there)")
                                      .arg(names[k])
                                      .arg(available)));
        sizes[size_t(k)] = entrySize;
    }

    // Everything checked: take the new package in one go.
    plain.remove(0, dataAt);
    EntryData_ = std::move(plain);
    EntryNames_ = std::move(names);
    EntrySizes_ = sizes;
    Header_ = header;
    Loaded_ = true;
    ErrorText_.clear();
    return true;
}

qint64 TSkinReader::EntryOffset(int index) const {
    qint64 offset = 0;
    for (int k = 0; k < index && k < EntryNames_.size(); ++k)
        offset += EntrySizes_[size_t(k)];
    return offset;
}

void TSkinReader::GetEntry(const QString& name, QByteArray& output) const {
    output.clear();
    const QString wanted = lowerAscii(name);
    qint64 offset = 0;
    for (int k = 0; k < EntryNames_.size(); ++k) {
        const qint32 size = EntrySizes_[size_t(k)];
        if (EntryNames_[k] == wanted) {
            output = EntryData_.mid(offset, size);
            return;
        }
        offset += size;
    }
}

QByteArray TSkinReader::GetEntry(const QString& name) const {
    QByteArray output;
    GetEntry(name, output);
    return output;
}

bool TSkinReader::FindEntry(const QString& text, QByteArray& output, QString& foundName) const {
    output.clear();
    qint64 offset = 0;
    for (int k = 0; k < EntryNames_.size(); ++k) {
        const qint32 size = EntrySizes_[size_t(k)];
        if (EntryNames_[k].contains(text)) {
            output = EntryData_.mid(offset, size);
            foundName = EntryNames_[k];
            return true;
        }
        offset += size;
    }
    return false;
}

QString TSkinReader::ImageEntryName(const QString& value) {
    const qsizetype cut =
        std::max(value.lastIndexOf(QLatin1Char('\\')), value.lastIndexOf(QLatin1Char(':')));
    const QString fileName = value.mid(cut + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (fileName.isEmpty() || dot < 0 || fileName.mid(dot) != QLatin1String(".bmp"))
        return {};
    return fileName;
}

bool TSkinReader::LoadImage(const QString& value, QImage& target) const {
    target = QImage();
    const QString name = ImageEntryName(value);
    if (name.isEmpty())
        return false;
    const QByteArray data = GetEntry(name);
    if (data.isEmpty() || !target.loadFromData(data, "BMP"))
        target = QImage();
    return !target.isNull();
}

QByteArray TSkinReader::WriteSkinStream(QByteArrayView container) {
    if (container.size() > TLZH::MaxUnpackedSize)
        throw std::length_error("a stored skin package may hold at most 64 MiB");
    const qint32 length = qint32(container.size());
    QByteArray out(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(length, out.data());
    out.append(container.first(length));
    return out;
}

std::optional<QByteArray> TSkinReader::ReadSkinStream(QIODevice& input, QString* error) {
    const qint64 start = input.pos();
    auto fail = [&](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = QStringLiteral("The stored skin package is damaged: %1.").arg(why);
        if (!input.isSequential())
            input.seek(start);
        return std::nullopt;
    };
    char word[4];
    if (input.read(word, 4) != 4)
        return fail(QStringLiteral("its length word is missing"));
    const qint32 length = qFromLittleEndian<qint32>(word);
    if (length <= 0)
        return QByteArray();
    if (length > TLZH::MaxUnpackedSize)
        return fail(QStringLiteral("it claims %1 bytes, more than any skin package").arg(length));
    if (!input.isSequential() && input.bytesAvailable() < length)
        return fail(QStringLiteral("it claims %1 bytes but only %2 follow")
                        .arg(length)
                        .arg(input.bytesAvailable()));
    QByteArray data = input.read(length);
    if (data.size() != length)
        return fail(
            QStringLiteral("it claims %1 bytes but only %2 follow").arg(length).arg(data.size()));
    return data;
}
