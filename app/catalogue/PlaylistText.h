#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace orvik {

// Reads a text file line by line in bounded memory. CR, LF and CR LF all end a line; a byte
// order mark at the start is dropped. A line longer than kMaxPlaylistLine is not kept: it is
// skipped to its end and reported as over-long.
class TLineReader {
public:
    explicit TLineReader(QIODevice& device);

    // The next line, without its end; false when the file is used up.
    bool Next(QByteArray& line, bool& overLong);
    // Bytes consumed so far.
    qint64 Position() const { return consumed_; }

private:
    bool Fill();

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qint64 consumed_ = 0;
    bool end_ = false;
    bool start_ = true;
};

// A line as text: UTF-8 when it is valid UTF-8, else Latin-1.
QString DecodeLine(const QByteArray& bytes);

// True when the head of a file holds NUL bytes, as binary files (and files of zeros) do and no
// text playlist does.
bool LooksBinary(const QByteArray& head);

} // namespace orvik
