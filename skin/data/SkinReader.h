#pragma once

// Skin packages: a small archive of named entries (the skin's BMP pictures and one INI
// definition), LZH-compressed (Lzh.h). A .skn file is exactly one compressed container.
//
// Unpacked layout, little-endian:
//   0   4  package version, must be 20000
//   4   4  byte length of the names text
//   8   8  two words the reader ignores
//   16     names text: one entry name per line (CR, LF or CR LF), NUL ends it
//   ...    4 bytes per entry: its size, in the order of the names
//   ...    the entries' bytes, concatenated in the same order
//
// Names are lower-cased (ASCII A-Z only) when the package is read, so lookups ignore the case
// of those letters. Packages come from anywhere: every size in them is checked before use,
// and a package that fails a check is refused as a whole.
//
// Showing messages: skin/data knows nothing about widgets. Every refusal is reported through
// the message hook (SetMessageHook), which the application points at its message boxes, and
// is also kept in ErrorText(). Without a hook nothing is shown.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QIODevice;

class TSkinReader {
public:
    static constexpr qint32 PackageVersion = 20000;
    static constexpr int MaxEntries = 1001;
    static constexpr int HeaderSize = 16;
    // Shown when the version word is not PackageVersion.
    static const QString
        OldSkinMessage; // "This is Older Skin File\rPlease update to new version !"

    using MessageHook = std::function<void(const QString& text)>;
    // Installs the hook that shows refusals to the user; returns the previous one.
    static MessageHook SetMessageHook(MessageHook hook);

    TSkinReader() = default;

    // Unpacks and indexes a compressed container. On success the reader holds the new
    // package and true is returned. On any refusal (wrong version, damaged sizes, oversized
    // package, compressed data that runs out before its declared size, more than MaxEntries
    // names) the reader keeps the package it held before, ErrorText() says why, the message
    // hook is called with that text, and false is returned.
    bool LoadPackage(QByteArrayView container);
    bool LoadPackage(QIODevice& container);

    // Unpacks a container into `output` (from position 0). Throws ElzhException when the
    // container cannot be decoded (see TLZH::Unpack).
    static void Unpack(QIODevice& container, QIODevice& output);

    // The bytes of the first entry named `name` (compared after lower-casing A-Z), or an empty
    // array when there is none.
    void GetEntry(const QString& name, QByteArray& output) const;
    QByteArray GetEntry(const QString& name) const;

    // The first entry whose name contains `text` (case-sensitive, against the lower-case
    // names). On a match `output` gets its bytes, `foundName` its name and true is returned;
    // otherwise `output` is cleared, `foundName` is left as it was and false is returned.
    bool FindEntry(const QString& text, QByteArray& output, QString& foundName) const;

    // Loads the picture a definition value names into `target`. The file-name part (after the
    // last backslash or colon) is looked up; it must end in exactly ".bmp". A refused name, a
    // missing entry or a damaged BMP leaves `target` null. Returns !target.isNull().
    bool LoadImage(const QString& value, QImage& target) const;
    // The file-name part and extension rule of LoadImage: the entry name to look up, or an
    // empty string when the value is refused.
    static QString ImageEntryName(const QString& value);

    const QStringList& EntryNames() const { return EntryNames_; }
    int EntryCount() const { return EntryNames_.size(); }
    qint32 EntrySize(int index) const { return EntrySizes_.at(index); }
    // Offset of an entry inside EntryData(): the sum of the sizes before it.
    qint64 EntryOffset(int index) const;
    const QByteArray& EntryData() const { return EntryData_; }
    // The first 16 bytes of the package as four words (version, names length, two ignored).
    const std::array<qint32, 4>& Header() const { return Header_; }
    bool IsLoaded() const { return Loaded_; }
    const QString& ErrorText() const { return ErrorText_; }

    // Splits a names text the way the package stores it: lines end at CR, LF or CR LF, a NUL
    // ends the text, a break after the last line adds no entry, A-Z are lower-cased.
    static QStringList SplitNames(QByteArrayView text);
    // The number of names SplitNames gives, without making them.
    static qsizetype CountNames(QByteArrayView text);

    // The stored form of a package inside a form (the SkinStream property): a signed 32-bit
    // little-endian length, then that many bytes of container (none when the length is 0).
    static QByteArray WriteSkinStream(QByteArrayView container);
    // Reads one stored package from `input` at its current position. A length of 0 or less
    // gives an empty array (nothing more is read); a length above TLZH::MaxUnpackedSize or
    // past the end of the input is refused: nullopt, `error` says why, `input` is left where
    // it was.
    static std::optional<QByteArray> ReadSkinStream(QIODevice& input, QString* error = nullptr);

private:
    bool refuse(const QString& text);

    QStringList EntryNames_;
    std::array<qint32, MaxEntries> EntrySizes_{};
    QByteArray EntryData_;
    std::array<qint32, 4> Header_{};
    bool Loaded_ = false;
    QString ErrorText_;
};
