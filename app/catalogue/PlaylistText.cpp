#include "app/catalogue/PlaylistText.h"

#include "app/catalogue/Playlist.h"

#include <QIODevice>
#include <QStringDecoder>

#include <cstring>

namespace orvik {

namespace {

constexpr qint64 kChunk = 256 * 1024;

// The first CR or LF in data[from, n), or n.
qsizetype lineEnd(const char* data, qsizetype from, qsizetype n) {
    const void* lf = std::memchr(data + from, '\n', size_t(n - from));
    const qsizetype limit = lf ? static_cast<const char*>(lf) - data : n;
    const void* cr = std::memchr(data + from, '\r', size_t(limit - from));
    return cr ? static_cast<const char*>(cr) - data : limit;
}

} // namespace

TLineReader::TLineReader(QIODevice& device) : device_(device) {}

bool TLineReader::Fill() {
    if (end_)
        return false;
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype had = buffer_.size();
    buffer_.resize(had + kChunk);
    const qint64 got = device_.read(buffer_.data() + had, kChunk);
    buffer_.resize(had + std::max<qint64>(got, 0));
    if (got <= 0)
        end_ = true;
    if (start_ && buffer_.size() >= 3) {
        if (buffer_.startsWith("\xEF\xBB\xBF")) {
            buffer_.remove(0, 3);
            consumed_ += 3;
        }
        start_ = false;
    }
    return got > 0;
}

bool TLineReader::Next(QByteArray& line, bool& overLong) {
    overLong = false;
    bool skipping = false;
    for (;;) {
        const qsizetype n = buffer_.size();
        const char* data = buffer_.constData();
        const qsizetype i = lineEnd(data, pos_, n);
        if (i < n) {
            // A CR at the end of the buffer may be the first half of a CR LF.
            if (data[i] == '\r' && i + 1 == n && !end_) {
                if (!skipping && i - pos_ > kMaxPlaylistLine)
                    skipping = true;
                if (skipping) {
                    consumed_ += i - pos_;
                    pos_ = i;
                }
                Fill();
                continue;
            }
            const qsizetype length = i - pos_;
            if (skipping || length > kMaxPlaylistLine) {
                line.clear();
                overLong = true;
            } else {
                line = buffer_.mid(pos_, length);
            }
            qsizetype next = i + 1;
            if (data[i] == '\r' && next < n && data[next] == '\n')
                ++next;
            consumed_ += next - pos_;
            pos_ = next;
            return true;
        }
        // No line end in the buffer.
        if (n - pos_ > kMaxPlaylistLine) {
            skipping = true;
            consumed_ += n - pos_;
            pos_ = n;
        }
        if (!Fill()) {
            if (pos_ >= buffer_.size()) {
                if (skipping) {
                    line.clear();
                    overLong = true;
                    return true;
                }
                return false;
            }
            const qsizetype length = buffer_.size() - pos_;
            line = skipping ? QByteArray() : buffer_.mid(pos_, length);
            overLong = skipping;
            consumed_ += length;
            pos_ = buffer_.size();
            return true;
        }
    }
}

QString DecodeLine(const QByteArray& bytes) {
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

bool LooksBinary(const QByteArray& head) {
    // UTF-16 files start with their byte order mark and are read as XML by the XML readers.
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return false;
    return head.contains('\0');
}

} // namespace orvik
